#include "editor/synmemo.h"
#include "editor/textdifference.h"

#include <Qsci/qscilexerhtml.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>

#include <gtest/gtest.h>

using namespace korvel;

TEST(SynMemo, speaksCharacterOffsetsNotBytes)
{
    SynMemo memo;
    // Umlauts take two UTF-8 bytes, the emoji four bytes and two UTF-16 units.
    memo.setText(QStringLiteral("äöü\r\nx😀y\r\nend"));
    EXPECT_EQ(memo.text(), QStringLiteral("äöü\r\nx😀y\r\nend"));
    EXPECT_EQ(memo.lineCount(), 3);
    EXPECT_EQ(memo.lineText(1), QStringLiteral("x😀y"));

    const int y = int(memo.text().indexOf(QLatin1Char('y')));
    memo.setSelStart(y);
    EXPECT_EQ(memo.selStart(), y);
    EXPECT_EQ(memo.caretLine(), 2);
    EXPECT_EQ(memo.caretColumn(), 4);

    memo.selectRange(1, 2);
    EXPECT_EQ(memo.selText(), QStringLiteral("öü"));
    EXPECT_EQ(memo.selLength(), 2);

    memo.setCaretLineColumn(3, 2);
    EXPECT_EQ(memo.selStart(), memo.text().indexOf(QStringLiteral("nd")));
}

TEST(SynMemo, replaceSelectionIsOneUndoableEditAndKeepsCrLf)
{
    SynMemo memo;
    memo.setText(QStringLiteral("<p>old</p>"));
    memo.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    memo.selectRange(3, 3);
    memo.replaceSelection(QStringLiteral("new\nline"));
    EXPECT_EQ(memo.text(), QStringLiteral("<p>new\r\nline</p>"));
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<p>old</p>"));

    memo.setSelStart(0);
    memo.replaceSelection(QStringLiteral("<br>"));  // nothing selected: inserted at the caret
    EXPECT_EQ(memo.text(), QStringLiteral("<br><p>old</p>"));
    EXPECT_EQ(memo.selStart(), 4);
}

TEST(SynMemo, canBeMarkedModifiedWithoutAnEdit)
{
    SynMemo memo;
    memo.setText(QStringLiteral("abc"));
    memo.setModified(false);
    memo.setModified(true);
    EXPECT_TRUE(memo.modified());
    memo.setModified(false);
    EXPECT_FALSE(memo.modified());
}

TEST(SynMemo, clearAllEmptiesTextAndHistory)
{
    SynMemo memo;
    memo.setText(QStringLiteral("abc"));
    memo.setModified(true);
    memo.clearAll();
    EXPECT_TRUE(memo.text().isEmpty());
    EXPECT_FALSE(memo.modified());
    EXPECT_FALSE(memo.isUndoAvailable());
}

TEST(SynMemo, tagCompletionReplacesTheTypedToken)
{
    EXPECT_EQ(SynMemo::completionDisplays().size(), 47);
    EXPECT_EQ(SynMemo::completionSnippets().size(), 47);
    EXPECT_EQ(SynMemo::completionSnippets().at(46),
              QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"));

    SynMemo memo;
    EXPECT_EQ(memo.completionCandidates(QStringLiteral("<ta")), QStringList{QStringLiteral("<table>")});
    EXPECT_EQ(memo.completionCandidates(QStringLiteral("<h")),
              (QStringList{QStringLiteral("<h1>"), QStringLiteral("<head>"), QStringLiteral("<hr>"), QStringLiteral("<html>")}));

    memo.setText(QStringLiteral("x <ta"));
    memo.setSelStart(5);
    memo.acceptCompletion(int(SynMemo::completionDisplays().indexOf(QStringLiteral("<table>"))));
    EXPECT_EQ(memo.text(), QStringLiteral("x ") + SynMemo::completionSnippets().at(39));
}

TEST(SynMemo, settingsReachTheEditor)
{
    SynMemo memo;
    memo.setFontSize(14);
    EXPECT_EQ(memo.fontSize(), 14);
    memo.setLineNumbersVisible(false);
    EXPECT_EQ(memo.marginWidth(0), 0);
    memo.setLineNumbersVisible(true);
    EXPECT_GT(memo.marginWidth(0), 0);
    memo.setHtmlColors(0x0000FF, 0x00FF00, 0xFF0000);  // red, green, blue as 0x00BBGGRR
    EXPECT_EQ(memo.lexer()->color(QsciLexerHTML::Tag), QColor(0xFF, 0, 0));
    EXPECT_EQ(memo.lexer()->color(QsciLexerHTML::Attribute), QColor(0, 0xFF, 0));
    EXPECT_EQ(memo.lexer()->color(QsciLexerHTML::HTMLDoubleQuotedString), QColor(0, 0, 0xFF));
}

namespace {

void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text) {
        const int key = c == QLatin1Char(' ') ? int(Qt::Key_Space) : int(c.toUpper().unicode());
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

void pressKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QApplication::sendEvent(w, &press);
}

void waitFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

} // namespace

TEST(SynMemo, tagListOpensAfterAPauseBehindTheAngleBracketAndFollowsTheToken)
{
    SynMemo memo;
    memo.show();

    // "<", a pause, then the list narrows while typing; Enter accepts.
    typeText(&memo, QStringLiteral("<"));
    EXPECT_FALSE(memo.completionShown());
    waitFor(700);
    ASSERT_TRUE(memo.completionShown());
    typeText(&memo, QStringLiteral("ta"));
    EXPECT_TRUE(memo.completionShown());
    pressKey(&memo, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    EXPECT_EQ(memo.text(), SynMemo::completionSnippets().at(39));

    // Typing on without a pause: no list springs up later over the text.
    memo.clearAll();
    typeText(&memo, QStringLiteral("<b>hello"));
    waitFor(700);
    EXPECT_FALSE(memo.completionShown());
    typeText(&memo, QStringLiteral(" world"));
    EXPECT_EQ(memo.text(), QStringLiteral("<b>hello world"));

    // Backspace widens the list again; typing ">" closes it.
    memo.clearAll();
    typeText(&memo, QStringLiteral("<ta"));
    pressKey(&memo, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
    ASSERT_TRUE(memo.completionShown());
    pressKey(&memo, Qt::Key_Backspace, Qt::NoModifier, QStringLiteral("\b"));
    EXPECT_TRUE(memo.completionShown());
    typeText(&memo, QStringLiteral(">"));
    EXPECT_FALSE(memo.completionShown());
    EXPECT_EQ(memo.text(), QStringLiteral("<t>"));
}

TEST(SynMemo, tagListAcceptsWithTabEnterOrAnEndOfTokenCharacter)
{
    SynMemo memo;
    memo.show();
    const QString bold = SynMemo::completionSnippets().at(3);
    const struct {
        int key;
        QString text;
        QString expected;
    } cases[] = {
        {Qt::Key_Tab, QStringLiteral("\t"), bold},
        {Qt::Key_Return, QStringLiteral("\r"), bold},
        {Qt::Key_Space, QStringLiteral(" "), bold + QStringLiteral(" ")},
        {Qt::Key_Period, QStringLiteral("."), bold + QStringLiteral(".")},
        {Qt::Key_ParenLeft, QStringLiteral("("), bold + QStringLiteral("(")},
        {Qt::Key_BracketRight, QStringLiteral("]"), bold + QStringLiteral("]")},
    };
    for (const auto &c : cases) {
        memo.clearAll();
        memo.setHighlighter(Highlighter::Css);  // a change of colouring must not lose the list's keys
        memo.setHighlighter(Highlighter::Html);
        typeText(&memo, QStringLiteral("<b"));
        pressKey(&memo, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
        ASSERT_TRUE(memo.completionShown()) << c.text.toStdString();
        pressKey(&memo, c.key, Qt::NoModifier, c.text);
        EXPECT_FALSE(memo.completionShown()) << c.text.toStdString();
        EXPECT_EQ(memo.text(), c.expected) << c.text.toStdString();
    }
}

TEST(SynMemo, tagListStaysClosedWhenNothingMatches)
{
    SynMemo memo;
    memo.show();
    // Ctrl+Space on an ordinary word, and a token that stops matching while the list is open:
    // no list, so Enter and Tab keep their ordinary meaning and the word stays.
    typeText(&memo, QStringLiteral("word"));
    pressKey(&memo, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
    EXPECT_FALSE(memo.completionShown());

    memo.clearAll();
    typeText(&memo, QStringLiteral("<"));
    pressKey(&memo, Qt::Key_Space, Qt::ControlModifier, QStringLiteral(" "));
    ASSERT_TRUE(memo.completionShown());
    typeText(&memo, QStringLiteral("x"));
    EXPECT_FALSE(memo.completionShown());
    pressKey(&memo, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_TRUE(memo.text().startsWith(QStringLiteral("<x")));
}

TEST(SynMemo, replacingTheWholeTextKeepsTheEditsBeforeUndoable)
{
    SynMemo memo;
    memo.setText(QStringLiteral("<p>one</p>"));
    memo.SendScintilla(QsciScintillaBase::SCI_EMPTYUNDOBUFFER);
    memo.setSelStart(0);
    memo.replaceSelection(QStringLiteral("<!-- mine -->"));
    memo.setText(QStringLiteral("<p>whole new</p>\nline"));
    EXPECT_EQ(memo.text(), QStringLiteral("<p>whole new</p>\r\nline"));
    EXPECT_EQ(memo.selStart(), 0);
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<!-- mine --><p>one</p>"));
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("<p>one</p>"));
}

// The control holds NUL like any other character: texts go in and out by length, never as
// C strings that would end at the first NUL.
TEST(SynMemo, keepsNulCharactersInEveryWayTheTextGoesInAndOut)
{
    const QChar nul(u'\0');
    const QString first = QStringLiteral("<p>a</p>") + nul + QStringLiteral("<p>b</p>");
    const QString second = QStringLiteral("x") + nul + nul + QStringLiteral("ä");
    SynMemo memo;
    memo.setLines({first, second});
    EXPECT_EQ(memo.text(), first + QStringLiteral("\r\n") + second);
    EXPECT_EQ(memo.lines(), (QStringList{first, second}));
    EXPECT_EQ(memo.lineText(0), first);
    EXPECT_EQ(memo.lineText(1), second);

    memo.selectRange(int(first.indexOf(nul)) - 1, 3);
    EXPECT_EQ(memo.selText(), QStringLiteral(">") + nul + QStringLiteral("<"));

    // An edit elsewhere leaves the NULs where they were; an inserted NUL stays too.
    memo.setSelStart(0);
    memo.replaceSelection(QStringLiteral("<h1>") + nul + QStringLiteral("</h1>"));
    EXPECT_EQ(memo.text(), QStringLiteral("<h1>") + nul + QStringLiteral("</h1>") + first + QStringLiteral("\r\n") + second);
    EXPECT_EQ(memo.selStart(), 10);

    memo.setText(second + QStringLiteral("\n") + first);
    EXPECT_EQ(memo.text(), second + QStringLiteral("\r\n") + first);
    memo.undo();
    EXPECT_TRUE(memo.text().startsWith(QStringLiteral("<h1>") + nul));
}

// A file's bytes go in as they are: every character (NUL too) is there, nothing is left to
// undo, and the listeners hear of the change once.
TEST(SynMemo, theUtf8TextGoesInWholeWithNothingToUndo)
{
    SynMemo memo;
    memo.setText(QStringLiteral("typed before"));
    int changes = 0;
    QObject::connect(&memo, &QsciScintilla::textChanged, &memo, [&changes] { ++changes; });
    const QByteArray utf8 = QByteArray("<p>Gr\xC3\xBC\xC3\x9F""e\r\n", 12) + QByteArray("\0", 1) + "x\xF0\x9F\x98\x80y\r\nend";
    memo.setUtf8Text(utf8);
    EXPECT_EQ(memo.utf8Text(), utf8);
    EXPECT_EQ(memo.text(), QString::fromUtf8(utf8));
    EXPECT_EQ(memo.lineCount(), 3);
    EXPECT_FALSE(memo.isUndoAvailable());
    EXPECT_EQ(changes, 1);
    // Character offsets still count UTF-16 units after the whole text came in at once.
    const int y = int(memo.text().indexOf(QLatin1Char('y')));
    memo.setSelStart(y);
    EXPECT_EQ(memo.selStart(), y);
    EXPECT_EQ(memo.caretColumn(), 5);
    // And the next edit is undoable again.
    memo.replaceSelection(QStringLiteral("!"));
    EXPECT_TRUE(memo.isUndoAvailable());
}

TEST(SynMemo, theDifferingStretchNeverSplitsALineBreakOrASurrogatePair)
{
    const struct {
        QString before, after;
        qsizetype from, tailLength;
    } cases[] = {
        {QStringLiteral("abc"), QStringLiteral("abc"), 3, 0},
        {QStringLiteral("abXc"), QStringLiteral("abYc"), 2, 1},
        {QStringLiteral(""), QStringLiteral("new"), 0, 0},
        {QStringLiteral("gone"), QStringLiteral(""), 0, 0},
        // "a\r\n" against "a\rX": the common start stops before the CR.
        {QStringLiteral("a\r\nb"), QStringLiteral("a\rXb"), 1, 1},
        // A line inserted before "\r\nz": the common end starts after the LF, not on it.
        {QStringLiteral("x\r\nz"), QStringLiteral("x\r\ny\r\nz"), 3, 1},
        // Two characters outside the Basic Multilingual Plane sharing their high surrogate.
        {QStringLiteral("\U0001F600"), QStringLiteral("\U0001F601"), 0, 0},
        {QStringLiteral("a\U0001F600b"), QStringLiteral("a\U0001F600cb"), 3, 1},
    };
    for (const auto &c : cases) {
        const DifferingStretch stretch = differingStretch(c.before, c.after);
        EXPECT_EQ(stretch.from, c.from) << qPrintable(c.before) << " / " << qPrintable(c.after);
        EXPECT_EQ(stretch.tailLength, c.tailLength) << qPrintable(c.before) << " / " << qPrintable(c.after);
    }
}

TEST(SynMemo, replacingTheDifferingPartKeepsTheRestAndIsOneUndoStep)
{
    SynMemo memo;
    memo.setText(QStringLiteral("first\r\nsecond\r\nthird"));
    memo.setLineEndKinds({2, 0, 0});
    memo.replaceDifferingPart(QStringLiteral("first\r\nchanged\r\nthird"));
    EXPECT_EQ(memo.text(), QStringLiteral("first\r\nchanged\r\nthird"));
    EXPECT_EQ(memo.lineEndKinds(), (std::vector<int>{2, 0, 0}));  // the untouched first line keeps its mark
    memo.undo();
    EXPECT_EQ(memo.text(), QStringLiteral("first\r\nsecond\r\nthird"));
    // The same text again is no edit: the step undone can still be redone.
    memo.replaceDifferingPart(memo.text());
    EXPECT_TRUE(memo.isRedoAvailable());
}
