// The table tool bar and menu items in the source view, through the main window: each command on
// a caret and on a selection, its questions, Cancel, and one Undo step per change.
#include "tablecommandstest.h"

#include "app/editordocument.h"
#include "app/filecommands.h"
#include "editor/synmemo.h"
#include "tables/tablesource.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::Mark;
using test::Unmark;

namespace {

class SourceTableToolBarTest : public test::TableCommandsTest {
protected:
    void load(const QString &marked)
    {
        const auto [text, selection] = Unmark(marked);
        form->editor()->setText(text);
        form->editor()->selectRange(int(selection.start), int(selection.length));
    }
    QString shown() const
    {
        const SynMemo &editor = *form->editor();
        return Mark(editor.text(), {editor.selStart(), editor.selLength()});
    }
};

struct SourceCase {
    const char *what;
    const char *trigger; // a tool button or menu item
    QString before;
    std::optional<Answer> answer; // to the question asked
    QString button;               // pressed in the dialog shown
    QString after;
    QStringList shown; // the messages, by catalogue line
};

const QString kRows = u"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"_s;

QString rows(const char *marked)
{
    return QString::fromUtf8(marked);
}

} // namespace

TEST_F(SourceTableToolBarTest, eachCommandOnACaretOrASelectionIsOneUndoableEdit)
{
    const QString cell = kSourceCellText.toString();
    const QString newRow = SourceRowText();
    const SourceCase cases[] = {
        {"select a cell from a caret", "ToolButton8", rows("<table><tr><td>a|</td><td>b</td></tr></table>"), {}, {},
         rows("<table><tr>[<td>a</td>]<td>b</td></tr></table>"), {}},
        {"select the row around a selection", "ToolButton11", rows("<table><tr><td>[a</td><td>b]</td></tr></table>"), {},
         {}, rows("<table>[<tr><td>a</td><td>b</td></tr>]</table>"), {}},
        {"select the table", "ToolButton12", rows("<p>x</p><table><tr><td>|a</td></tr></table>"), {}, {},
         rows("<p>x</p>[<table><tr><td>a</td></tr></table>]"), {}},
        {"no form around the caret", "ToolButton19", rows("<table><tr><td>|a</td></tr></table>"), {}, {},
         rows("<table><tr><td>|a</td></tr></table>"), {u"19"_s}},
        {"delete a cell after Yes", "ToolButtonDelTD", rows("<table><tr><td>a</td><td>|b</td></tr></table>"),
         Answer::Yes, {}, rows("<table><tr><td>a</td>|</tr></table>"), {u"29"_s}},
        {"delete a row: No keeps it", "ToolButtonDelRow", rows("<table><tr><td>|a</td></tr></table>"), Answer::No, {},
         rows("<table>[<tr><td>a</td></tr>]</table>"), {u"29"_s}},
        {"delete a table: the closed box keeps it", "ToolButtonDelTable", rows("<table><tr><td>[a]</td></tr></table>"),
         Answer::Cancel, {}, rows("[<table><tr><td>a</td></tr></table>]"), {u"29"_s}},
        {"insert a row behind the caret's row", "ToolButtonInsRow", rows("<table><tr><td>a|</td></tr></table>"), {},
         u"BitBtn1"_s, u"<table><tr><td>a</td></tr>[<]"_s + newRow.mid(1) + u"</table>"_s, {}},
        {"insert a row before, from the menu", "InsertRow1", rows("<table><tr><td>[a]</td></tr></table>"), {},
         u"BitBtn2"_s, u"<table>[<]"_s + newRow.mid(1) + u"<tr><td>a</td></tr></table>"_s, {}},
        {"insert a row cancelled", "ToolButtonInsRow", rows("<table><tr><td>a|</td></tr></table>"), {}, u"BitBtn3"_s,
         rows("<table><tr><td>a|</td></tr></table>"), {}},
        {"insert a cell in front of the caret's cell", "ToolButtonInsTD", rows("<table><tr><td>a</td><td>b|</td></tr></table>"),
         {}, {}, u"<table><tr><td>a</td>[<]"_s + cell.mid(1) + u"<td>b</td></tr></table>"_s, {}},
        {"insert a cell into a selected row", "InsertColumn1", rows("<table>[<tr><td>a</td></tr>]</table>"), {}, {},
         u"<table><tr>[<]"_s + cell.mid(1) + u"<td>a</td></tr></table>"_s, {}},
        {"merge two selected cells", "ToolButtonMerge", rows("<table><tr>[<td>a</td><td>b</td>]</tr></table>"), {}, {},
         rows("<table><tr><td colspan=2 >a b</td>|</tr></table>"), {}},
        {"merge on a caret", "Mergecells1", rows("<table><tr><td>a|</td><td>b</td></tr></table>"), {}, {},
         rows("<table><tr><td>a|</td><td>b</td></tr></table>"), {u"40"_s}},
        {"split a selected cell of three columns", "ToolButtonSplit",
         rows("<table><tr>[<td colspan=\"3\">a</td>]</tr></table>"), {}, {},
         u"<table><tr><td colspan=\"2\">a</td>[<]"_s + cell.mid(1) + u"</tr></table>"_s, {}},
        {"split on a caret", "Splitcell1", rows("<table><tr><td>a|</td></tr></table>"), {}, {},
         rows("<table><tr><td>a|</td></tr></table>"), {u"50"_s}},
        {"merge with the cell below needs the designer", "ButtonColMerge", rows("<td>|a</td>"), {}, {},
         rows("<td>|a</td>"), {u"51"_s}},
        {"split into two rows needs the designer", "Spaltensplitten1", rows("<td>[a]</td>"), {}, {},
         rows("<td>[a]</td>"), {u"51"_s}},
    };
    for (const SourceCase &c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        load(c.before);
        if (c.answer)
            prompter.answer(*c.answer);
        if (!c.button.isEmpty())
            prompter.answerDialog(pressing(c.button));
        trigger(c.trigger);
        EXPECT_EQ(shown(), c.after);
        QStringList expected;
        for (const QString &line : c.shown)
            expected << form->line(line.toInt());
        EXPECT_EQ(prompter.texts(), expected);
        EXPECT_TRUE(prompter.allAnswersUsed());
        EXPECT_TRUE(prompter.unexpected().isEmpty()) << prompter.unexpected().join(u' ').toStdString();

        const QString text = Unmark(c.before).text;
        if (form->editor()->text() != text) {
            trigger("EditUndoItem");
            EXPECT_EQ(form->editor()->text(), text);
        }
    }
}

TEST_F(SourceTableToolBarTest, theMessagesOfTheSelectAndMergeCommandsHaveTheirKinds)
{
    load(rows("<p>|x</p>"));
    trigger("ToolButton8");
    load(rows("<table><tr><td>a|</td></tr></table>"));
    trigger("ToolButtonMerge");
    load(rows("<td>|a</td>"));
    trigger("ButtonColSplit");
    ASSERT_EQ(prompter.messages().size(), 3);
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Plain);
    EXPECT_EQ(prompter.messages()[1].kind, MessageKind::Error);
    EXPECT_EQ(prompter.messages()[2].kind, MessageKind::Information);
}

TEST_F(SourceTableToolBarTest, aNewTableFromTheDialogGoesAtTheCaretAndCancelInsertsNothing)
{
    load(rows("<p>|</p>"));
    prompter.answerDialog(pressing(u"BitBtn2"_s));
    trigger("Table1");
    EXPECT_EQ(shown(), rows("<p>|</p>"));
    prompter.answerDialog(pressing(u"BitBtn1"_s));
    trigger("ToolButtonInsTable");
    EXPECT_EQ(form->editor()->text(), u"<p>\r\n<table cellspacing=\"0\" cellpadding=\"0\" border=\"0\" >\r\n\r\n<tr>\r\n"
                                      "<td align=\"left\" valign=\"top\" >&nbsp;</td>\r\n</tr>\r\n</table>\r\n</p>"_s);
    EXPECT_EQ(prompter.dialogsShown(), (QStringList{u"TFormTable"_s, u"TFormTable"_s}));
}

TEST_F(SourceTableToolBarTest, aMergeSavesANamedDocumentAndNeverWritesAnUntitledFile)
{
    // Never saved: nothing is written, and the document stays modified for the person's Save.
    const QString untitled = QDir::current().filePath(form->line(0));
    ASSERT_FALSE(QFile::exists(untitled));
    load(kRows.left(11) + u"["_s + kRows.mid(11, 20) + u"]"_s + kRows.mid(31));
    trigger("ToolButtonMerge");
    EXPECT_TRUE(form->editor()->text().contains(u"<td colspan=2 >a b</td>"_s)) << shown().toStdString();
    EXPECT_FALSE(QFile::exists(untitled));
    EXPECT_TRUE(form->editor()->modified());

    const QString path = writeFile(u"merge.html"_s, kRows.toUtf8());
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    form->editor()->selectRange(11, 20);
    trigger("ToolButtonMerge");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()),
              u"<table><tr><td colspan=2 >a b</td></tr><tr><td>c</td><td>d</td></tr></table>"_s);
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_TRUE(prompter.messages().isEmpty());
}
