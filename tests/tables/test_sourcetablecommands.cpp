#include "tables/sourcetablecommands.h"

#include "editor/synmemo.h"
#include "tables/tforminstr.h"
#include "tables/tformtable.h"

#include "markedtext.h"
#include "scriptedprompter.h"

#include <QAbstractButton>
#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::Mark;
using test::ScriptedPrompter;
using test::Unmark;

namespace {

class SourceTableCommandsTest : public ::testing::Test {
protected:
    void load(const QString &marked)
    {
        const auto [text, selection] = Unmark(marked);
        editor.setText(text);
        editor.selectRange(int(selection.start), int(selection.length));
    }
    QString shown() const { return Mark(editor.text(), {editor.selStart(), editor.selLength()}); }

    static std::function<int(QDialog &)> pressing(const char *button)
    {
        return [button](QDialog &dialog) {
            dialog.findChild<QAbstractButton *>(QLatin1String(button))->click();
            return dialog.result();
        };
    }

    SynMemo editor;
    ScriptedPrompter prompter;
    CatalogueLine line = [](int n) { return QStringLiteral("line %1").arg(n); };
};

const QString kTwoRows = u"<table>\r\n<tr><td>1</td></tr>\r\n<tr>|<td>2</td></tr>\r\n</table>"_s;

} // namespace

TEST_F(SourceTableCommandsTest, deletingARowShowsItAsksAndRemovesItAsOneEdit)
{
    load(kTwoRows);
    prompter.answer(Answer::No);
    EXPECT_FALSE(DeleteTableElementInSource(editor, prompter, line, u"tr"));
    EXPECT_EQ(shown(), u"<table>\r\n<tr><td>1</td></tr>\r\n[<tr><td>2</td></tr>]\r\n</table>"_s);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(prompter.messages()[0].text, u"line 29"_s);
    EXPECT_EQ(prompter.messages()[0].buttons, Buttons::YesNo);

    prompter.answer(Answer::Yes);
    EXPECT_TRUE(DeleteTableElementInSource(editor, prompter, line, u"tr"));
    EXPECT_EQ(shown(), u"<table>\r\n<tr><td>1</td></tr>\r\n|\r\n</table>"_s);
    editor.undo();
    EXPECT_EQ(editor.text(), Unmark(kTwoRows).text);
}

TEST_F(SourceTableCommandsTest, outsideATableTheSelectAndDeleteCommandsOnlyShowLine19)
{
    load(u"<p>te|xt</p><table><tr><td>1</td></tr></table>"_s);
    EXPECT_FALSE(DeleteTableElementInSource(editor, prompter, line, u"table"));
    EXPECT_FALSE(SelectTableElementInSource(editor, prompter, line, u"td").range.has_value());
    EXPECT_EQ(prompter.texts(), (QStringList{u"line 19"_s, u"line 19"_s}));
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Plain);
    EXPECT_EQ(shown(), u"<p>te|xt</p><table><tr><td>1</td></tr></table>"_s);
}

TEST_F(SourceTableCommandsTest, mergeAndSplitChangeTheTextOrReportWithoutChangingIt)
{
    load(u"<table><tr>[<td>a</td><td>b</td>]</tr></table>"_s);
    EXPECT_TRUE(MergeCellsInSourceCommand(editor, prompter, line));
    EXPECT_EQ(shown(), u"<table><tr><td colspan=2 >a b</td>|</tr></table>"_s);

    editor.selectRange(11, 23);
    EXPECT_TRUE(SplitCellInSourceCommand(editor, prompter, line));
    EXPECT_EQ(editor.text(), u"<table><tr><td colspan=1 >a b</td>"_s + kSourceCellText.toString() + u"</tr></table>"_s);
    editor.undo();
    EXPECT_EQ(editor.text(), u"<table><tr><td colspan=2 >a b</td></tr></table>"_s);

    load(u"<table><tr>[<td>a</td></tr><tr><td>b</td>]</tr></table>"_s);
    EXPECT_FALSE(MergeCellsInSourceCommand(editor, prompter, line));
    load(u"<table><tr><td>a</td>[ ]</tr></table>"_s);
    EXPECT_FALSE(SplitCellInSourceCommand(editor, prompter, line));
    EXPECT_EQ(prompter.texts(), (QStringList{u"line 45"_s, u"line 50"_s}));
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Error);
    EXPECT_EQ(editor.text(), u"<table><tr><td>a</td> </tr></table>"_s);
}

TEST_F(SourceTableCommandsTest, rowAndCellInsertionsSelectTheNewElementsFirstCharacter)
{
    TFormInsTR dialog;
    load(kTwoRows);
    prompter.answerDialog(pressing("BitBtn1"));
    EXPECT_TRUE(InsertRowInSourceCommand(editor, dialog, prompter, 1));
    const QString behind = u"<table>\r\n<tr><td>1</td></tr>\r\n<tr><td>2</td></tr>"_s;
    EXPECT_EQ(shown(), behind + u"[<]"_s + SourceRowText().mid(1) + u"\r\n</table>"_s);

    prompter.answerDialog(pressing("BitBtn3"));
    EXPECT_FALSE(InsertRowInSourceCommand(editor, dialog, prompter, 1));
    EXPECT_EQ(editor.text().count(u"<tr>"), 3);

    load(u"<tr><td>1</td><td>2|</td></tr>"_s);
    InsertCellInSourceCommand(editor);
    EXPECT_EQ(shown(), u"<tr><td>1</td>[<]"_s + kSourceCellText.mid(1).toString() + u"<td>2</td></tr>"_s);
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(SourceTableCommandsTest, aNewTableReplacesTheSelectionInLowerCase)
{
    TFormTable dialog(prompter);
    load(u"<p>[old]</p>"_s);
    prompter.answerDialog(pressing("BitBtn1"));
    EXPECT_TRUE(InsertTableInSourceCommand(editor, dialog, prompter, 0));
    EXPECT_EQ(editor.text(), u"<p>\r\n<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" >\r\n\r\n<tr>\r\n"
                             "<td align=\"left\" valign=\"top\" >&nbsp;</td>\r\n</tr>\r\n</table>\r\n</p>"_s);
    prompter.answerDialog(pressing("BitBtn2"));
    EXPECT_FALSE(InsertTableInSourceCommand(editor, dialog, prompter, 0));
    EXPECT_EQ(editor.text().count(u"<table"), 1);
}
