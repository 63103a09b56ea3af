#include "editor/synmemo.h"

#include <Qsci/qscilexerhtml.h>

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
