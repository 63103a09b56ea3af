// A large page goes into the source view and back to disk without a QString between: what the
// view shows, the bytes a save writes right after the open, the backup, and the colouring of
// what is scrolled into view must all be as for a small file.
#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "englishwindow.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <Qsci/qscilexerhtml.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;
using test::readAll;
using test::writeAll;

namespace {

// About two megabytes of markup, its lines broken by `lineBreak`.
QString bigPage(const QString &lineBreak)
{
    QString text = QStringLiteral("<html>") + lineBreak + QStringLiteral("<body>") + lineBreak;
    for (int i = 0; text.size() < (2 << 20); ++i)
        text += QStringLiteral("<p class=\"c%1\">Grüße, Maß € %1</p>").arg(i) + lineBreak;
    return text + QStringLiteral("</body>") + lineBreak + QStringLiteral("</html>") + lineBreak;
}

QByteArray utf16le(const QString &text)
{
    QByteArray out("\xFF\xFE", 2);
    for (QChar c : text) {
        out.append(char(c.unicode() & 0xFF));
        out.append(char(c.unicode() >> 8));
    }
    return out;
}

class BigFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = test::showEnglishWindow(prompter);
        prompter.clear();
    }

    void TearDown() override
    {
        test::closeWithoutQuestion(*form);
    }

    QTemporaryDir work;
    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
};

} // namespace

TEST_F(BigFileTest, aSaveRightAfterTheOpenWritesTheSameBytesInEveryEncoding)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        bool asksFirst;  // the binary-file question
    };
    const QString crlf = bigPage(QStringLiteral("\r\n"));
    QByteArray withNul = crlf.toUtf8();
    withNul.insert(withNul.size() / 2, QByteArray("\0\0", 2));
    QByteArray nulFirst = bigPage(QStringLiteral("\n")).toUtf8();
    nulFirst.insert(10, QByteArray("\0", 1));
    const QList<Case> cases = {
        {"UTF-8, CR LF", crlf.toUtf8(), false},
        {"UTF-8, LF", bigPage(QStringLiteral("\n")).toUtf8(), false},
        {"UTF-8, CR", bigPage(QStringLiteral("\r")).toUtf8(), false},
        {"UTF-8 with mark", QByteArray("\xEF\xBB\xBF") + crlf.toUtf8(), false},
        {"UTF-16LE", utf16le(crlf), false},
        {"Windows-1252", bigPage(QStringLiteral("\r\n")).toLatin1(), false},
        {"NUL bytes in the middle", withNul, false},
        {"NUL among the first bytes", nulFirst, true},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString page = work.filePath(QStringLiteral("page%1.html").arg(n++));
        writeAll(page, c.bytes);
        prompter.clear();
        if (c.asksFirst)
            prompter.answer(Answer::Yes);
        ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
        EXPECT_EQ(prompter.texts().size(), c.asksFirst ? 1 : 0);
        SynMemo *editor = form->editor();
        EXPECT_EQ(editor->text(), decodeDocumentText(c.bytes).text);
        EXPECT_FALSE(editor->isUndoAvailable()) << "an open is not an edit to take back";
        EXPECT_FALSE(editor->modified());
        EXPECT_EQ(readAll(backupFileName(page)), c.bytes);

        editor->setModified(true);
        form->fileCommands().FileSave();
        EXPECT_FALSE(editor->modified());
        EXPECT_EQ(readAll(page), c.bytes);
    }
}

TEST_F(BigFileTest, whatIsScrolledIntoViewIsColouredAndEditsThereToo)
{
    const QString page = work.filePath(QStringLiteral("page.html"));
    writeAll(page, bigPage(QStringLiteral("\r\n")).toUtf8());
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(page));
    SynMemo *editor = form->editor();
    const auto styleAtLine = [editor](long line) {  // the style of the line's first character, a "<"
        const long pos = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line);
        return int(editor->SendScintilla(QsciScintillaBase::SCI_GETSTYLEAT, pos + 1));
    };
    // A far jump is styled in part at once and the rest while the editor idles, as the control
    // does for any large text; the line shown must be coloured once that is through.
    const auto showLine = [editor](long line) {
        editor->SendScintilla(QsciScintillaBase::SCI_SETFIRSTVISIBLELINE, line);
        editor->viewport()->update();
        const long end = editor->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, line + 10);
        QDeadlineTimer enough(20000);
        while (editor->SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED) < end && !enough.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    };

    showLine(0);
    EXPECT_EQ(styleAtLine(2), int(QsciLexerHTML::Tag));
    const long last = editor->SendScintilla(QsciScintillaBase::SCI_GETLINECOUNT) - 4;
    showLine(last - 10);
    EXPECT_EQ(styleAtLine(last), int(QsciLexerHTML::Tag));
    const long middle = last / 2;
    showLine(middle - 5);
    EXPECT_EQ(styleAtLine(middle), int(QsciLexerHTML::Tag));

    // Text put in at the visible place, in two pieces, is coloured as it stands.
    editor->setCaretLineColumn(int(middle) + 1, 1);
    editor->replaceSelection(QStringLiteral("<b"));
    editor->replaceSelection(QStringLiteral(">bold</b>\r\n"));
    showLine(middle - 5);
    EXPECT_EQ(editor->lineText(int(middle)), QStringLiteral("<b>bold</b>"));
    EXPECT_EQ(styleAtLine(middle), int(QsciLexerHTML::Tag));
    EXPECT_EQ(styleAtLine(middle + 1), int(QsciLexerHTML::Tag));
}
