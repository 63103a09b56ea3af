// The table tool bar on the designer page, on the real engine: every change to a table with
// spanned cells, what it leaves of the table, and the editor's Undo taking it back.
#include "tablecommandstest.h"

#include "designer/designercontext.h"
#include "tables/tableundo.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;

namespace {

// A 3 x 3 table: "a" spans two columns, "f" two rows.
//   a a c
//   d e f
//   g h f
const QString kRow0 = u"<tr><td id=\"a\" colspan=\"2\">A</td><td id=\"c\">C</td></tr>"_s;
const QString kRow1 = u"<tr><td id=\"d\">D</td><td id=\"e\">E</td><td id=\"f\" rowspan=\"2\">F</td></tr>"_s;
const QString kRow2 = u"<tr><td id=\"g\">G</td><td id=\"h\">H</td></tr>"_s;

QString table(const QString &rows)
{
    return u"<table id=\"t\" border=\"1\"><tbody>"_s + rows + u"</tbody></table>"_s;
}

const QString kTable = table(kRow0 + kRow1 + kRow2);

const QByteArray kPage = "<html><head><title>t</title></head><body><p id=\"before\">Before</p>"
                         + kTable.toUtf8()
                         + "<table id=\"k\"><tbody><tr><td id=\"k1\">two\r\nwords</td></tr></tbody></table>"
                           "</body></html>";

class TableToolBarTest : public test::TableCommandsTest {
protected:
    void SetUp() override
    {
        TableCommandsTest::SetUp();
        openPageInDesigner(kPage, QStringLiteral("tables.html"));
    }

    QString bodyHtml() { return page().body().value_or(HtmlElement()).innerHTML().value_or(QString()); }
};

struct ToolBarCase {
    const char *what;
    const char *command;
    QString from, to; // the selection; a caret at the start of `from` when `to` is empty
    QString button;   // pressed in the dialog the command shows
    QString expected; // the table's rows afterwards
};

} // namespace

TEST_F(TableToolBarTest, eachTableChangeGivesAWholeTableAndUndoTakesItBack)
{
    const QString newRowCell = u"<td>This is a new inserted row</td>"_s;
    const ToolBarCase cases[] = {
        {"split a cell of two columns", cmd::SplitCell, u"a"_s, {}, {},
         u"<tr><td id=\"a\">A</td><td>Splitted cell</td><td id=\"c\">C</td></tr>"_s + kRow1 + kRow2},
        {"split a cell of one column: the cells above and below widen", cmd::SplitCell, u"d"_s, {}, {},
         u"<tr><td id=\"a\" colspan=\"3\">A</td><td id=\"c\">C</td></tr>"
         "<tr><td id=\"d\">D</td><td>Splitted cell</td><td id=\"e\">E</td><td id=\"f\" rowspan=\"2\">F</td></tr>"
         "<tr><td id=\"g\" colspan=\"2\">G</td><td id=\"h\">H</td></tr>"_s},
        {"merge two selected cells", cmd::MergeCells, u"d"_s, u"e"_s, {},
         kRow0 + u"<tr><td id=\"d\" colspan=\"2\">D E</td><td id=\"f\" rowspan=\"2\">F</td></tr>"_s + kRow2},
        {"merge with the cell below", cmd::MergeCellDown, u"e"_s, {}, {},
         kRow0 + u"<tr><td id=\"d\">D</td><td id=\"e\" rowspan=\"2\">E H</td><td id=\"f\" rowspan=\"2\">F</td></tr>"
                 "<tr><td id=\"g\">G</td></tr>"_s},
        {"split a cell of two rows", cmd::SplitCellVertically, u"f"_s, {}, {},
         kRow0 + u"<tr><td id=\"d\">D</td><td id=\"e\">E</td><td id=\"f\">F</td></tr>"
                 "<tr><td id=\"g\">G</td><td id=\"h\">H</td><td>Splitted row.</td></tr>"_s},
        {"split a cell of one row: a new row that its neighbours reach over", cmd::SplitCellVertically, u"c"_s, {}, {},
         u"<tr><td id=\"a\" colspan=\"2\" rowspan=\"2\">A</td><td id=\"c\">C</td></tr><tr><td></td></tr>"_s + kRow1
             + kRow2},
        {"insert a row behind: the cell of two rows reaches over it", cmd::InsertRow, u"d"_s, {}, u"BitBtn1"_s,
         kRow0 + u"<tr><td id=\"d\">D</td><td id=\"e\">E</td><td id=\"f\" rowspan=\"3\">F</td></tr><tr>"_s
             + newRowCell + newRowCell + u"</tr>"_s + kRow2},
        {"insert a row before: its cells as wide as those of the row", cmd::InsertRow, u"a"_s, {}, u"BitBtn2"_s,
         u"<tr><td colspan=\"2\">This is a new inserted row</td>"_s + newRowCell + u"</tr>"_s + kRow0 + kRow1 + kRow2},
        {"insert a row at the end of the table", cmd::InsertRow, u"a"_s, {}, u"BitBtn4"_s,
         kRow0 + kRow1 + kRow2 + u"<tr>"_s + newRowCell + newRowCell + newRowCell + u"</tr>"_s},
        {"insert a cell before: the cells above and below widen", cmd::InsertCell, u"e"_s, {}, u"BitBtn2"_s,
         u"<tr><td id=\"a\" colspan=\"3\">A</td><td id=\"c\">C</td></tr>"
         "<tr><td id=\"d\">D</td><td>This is a new inserted cell</td><td id=\"e\">E</td><td id=\"f\" rowspan=\"2\">F</td></tr>"
         "<tr><td id=\"g\">G</td><td id=\"h\" colspan=\"2\">H</td></tr>"_s},
        {"insert a cell behind a cell of two rows: as high as it", cmd::InsertCell, u"f"_s, {}, u"BitBtn1"_s,
         u"<tr><td id=\"a\" colspan=\"2\">A</td><td id=\"c\" colspan=\"2\">C</td></tr>"
         "<tr><td id=\"d\">D</td><td id=\"e\">E</td><td id=\"f\" rowspan=\"2\">F</td>"
         "<td rowspan=\"2\">This is a new inserted cell</td></tr>"_s + kRow2},
        {"delete a cell: its neighbour takes its place", cmd::DeleteCell, u"e"_s, {}, {},
         kRow0 + u"<tr><td id=\"d\" colspan=\"2\">D</td><td id=\"f\" rowspan=\"2\">F</td></tr>"_s + kRow2},
        {"delete a row: the cell of two rows moves down", cmd::DeleteRow, u"d"_s, {}, {},
         kRow0 + u"<tr><td id=\"g\">G</td><td id=\"h\">H</td><td id=\"f\">F</td></tr>"_s},
    };
    for (const ToolBarCase &c : cases) {
        SCOPED_TRACE(c.what);
        if (c.to.isEmpty())
            caretIn(c.from);
        else
            select(c.from, c.to);
        if (!c.button.isEmpty())
            prompter.answerDialog(pressing(c.button));
        run(c.command);
        EXPECT_EQ(outerHtmlOf(u"t"_s), table(c.expected));
        EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.lastText().toStdString();
        EXPECT_TRUE(prompter.allAnswersUsed());

        run(cmd::Undo);
        EXPECT_EQ(outerHtmlOf(u"t"_s), kTable);
        EXPECT_EQ(tables->undoSteps().size(), 0);
        prompter.clear();
    }
}

TEST_F(TableToolBarTest, refusedChangesLeaveTheTableAsItWasAndKeepNoUndoStep)
{
    struct Refusal {
        const char *what;
        const char *command;
        QString from, to, button;
        QString message; // nothing: no message
    } refusals[] = {
        {"a merge of one cell", cmd::MergeCells, u"d"_s, u"d"_s, {}, form->line(46)},
        {"a merge across two rows", cmd::MergeCells, u"a"_s, u"d"_s, {}, form->line(45)},
        {"a merge with the cell below from the last row", cmd::MergeCellDown, u"g"_s, {}, {}, {}},
        {"a vertical split outside a table", cmd::SplitCellVertically, u"before"_s, {}, {}, form->line(5)},
        {"a new row cancelled", cmd::InsertRow, u"d"_s, {}, u"BitBtn3"_s, {}},
        {"a new cell cancelled", cmd::InsertCell, u"d"_s, {}, u"BitBtn3"_s, {}},
    };
    for (const Refusal &r : refusals) {
        SCOPED_TRACE(r.what);
        prompter.clear();
        if (r.to.isEmpty())
            caretIn(r.from);
        else
            select(r.from, r.to);
        if (!r.button.isEmpty())
            prompter.answerDialog(pressing(r.button));
        run(r.command);
        EXPECT_EQ(outerHtmlOf(u"t"_s), kTable);
        EXPECT_EQ(prompter.texts(), r.message.isEmpty() ? QStringList() : QStringList{r.message});
        EXPECT_EQ(tables->undoSteps().size(), 0);
    }
}

TEST_F(TableToolBarTest, theSelectCommandsKeepTheElementOrNameTheTagNotFound)
{
    caretIn(u"e"_s);
    run(cmd::SelectCell);
    EXPECT_EQ(designer->state().KeptElementHtml, u"<td id=\"e\">E</td>"_s);
    EXPECT_EQ(designer->state().Selection.LastElementText, u"E"_s);
    caretIn(u"e"_s);
    run(cmd::SelectRow);
    EXPECT_EQ(designer->state().KeptElementHtml, kRow1);
    EXPECT_TRUE(prompter.messages().isEmpty());

    // The cell and table lookups say it in German in both languages.
    const struct {
        const char *command;
        QString shown;
    } notFound[] = {
        {cmd::SelectCell, u"TD nicht gefunden"_s},
        {cmd::SelectTable, u"TABLE nicht gefunden"_s},
        {cmd::SelectRow, u"TR not found!"_s},
        {cmd::SelectForm, u"FORM not found!"_s},
        {cmd::DeleteRow, u"TR not found!"_s},
        {cmd::SplitCell, u"TD not found!"_s},
    };
    for (const auto &n : notFound) {
        prompter.clear();
        caretIn(u"before"_s);
        run(n.command);
        EXPECT_EQ(prompter.texts(), QStringList{n.shown}) << n.command;
        EXPECT_EQ(prompter.messages().value(0).kind, MessageKind::Plain) << n.command;
    }
    EXPECT_EQ(outerHtmlOf(u"t"_s), kTable);
}

TEST_F(TableToolBarTest, aDeletedTableIsOfferedAgainAsItWasAndBothStepsUndo)
{
    const QString body = bodyHtml();
    caretIn(u"a"_s);
    run(cmd::DeleteTable);
    EXPECT_FALSE(byId(u"t"_s).has_value());
    EXPECT_TRUE(designer->state().KeptElementHtml.startsWith(u"<table id=\"t\""_s));

    caretIn(u"before"_s);
    prompter.answer(Answer::Yes);
    run(cmd::NewTable);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].text, form->line(44));
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(outerHtmlOf(u"before"_s), u"<p id=\"before\">"_s + kTable + u"\nBefore</p>"_s);

    run(cmd::Undo);
    EXPECT_EQ(outerHtmlOf(u"before"_s), u"<p id=\"before\">Before</p>"_s);
    EXPECT_FALSE(byId(u"t"_s).has_value());
    run(cmd::Undo);
    EXPECT_EQ(bodyHtml(), body);
}

TEST_F(TableToolBarTest, aCopiedTableComesBackWithTheLineBreaksOfItsText)
{
    caretIn(u"k1"_s);
    run(cmd::SelectTable);
    EXPECT_EQ(designer->state().KeptElementHtml, u"<table id=\"k\"><tbody><tr><td id=\"k1\">twowords</td></tr></tbody></table>"_s);
    caretIn(u"before"_s);
    prompter.answer(Answer::Yes);
    run(cmd::NewTable);
    EXPECT_TRUE(outerHtmlOf(u"before"_s).startsWith(u"<p id=\"before\"><table id=\"k\"><tbody><tr><td id=\"k1\">two\nwords</td>"_s));

    // No: the placeholder table.
    caretIn(u"before"_s);
    prompter.answer(Answer::No);
    run(cmd::NewTable);
    EXPECT_TRUE(outerHtmlOf(u"before"_s).startsWith(u"<p id=\"before\"><table><tbody><tr><td>New Table</td></tr></tbody></table>"_s));
}

TEST_F(TableToolBarTest, undoTakesBackTheEnginesOwnEditsFirstAndThenTheTableChange)
{
    trigger("BrowserEditmode1");
    ASSERT_TRUE(designer->designModeChecked());
    select(u"d"_s, u"e"_s);
    run(cmd::MergeCells);
    const QString merged = outerHtmlOf(u"t"_s);
    ASSERT_NE(merged, kTable);

    // An edit the engine keeps itself, after the merge.
    select(u"before"_s, u"before"_s);
    ASSERT_TRUE(page().execCommand(u"Bold"_s));
    ASSERT_EQ(outerHtmlOf(u"before"_s), u"<p id=\"before\"><b>Before</b></p>"_s);

    run(cmd::Undo);
    EXPECT_EQ(outerHtmlOf(u"before"_s), u"<p id=\"before\">Before</p>"_s);
    EXPECT_EQ(outerHtmlOf(u"t"_s), merged);
    run(cmd::Undo);
    EXPECT_EQ(outerHtmlOf(u"t"_s), kTable);
}

TEST_F(TableToolBarTest, aChangeRebuildsOnlyTheCellsItChangesAndKeepsTheTextBetweenRows)
{
    ASSERT_TRUE(byId(u"t"_s)->setInnerHTML(u"<tbody>\n"_s + kRow0 + u"\n"_s + kRow1 + u"\n"_s + kRow2 + u"\n</tbody>"_s));
    const auto untouched = byId(u"g"_s);
    const auto merged = byId(u"d"_s);
    select(u"d"_s, u"e"_s);
    run(cmd::MergeCells);
    EXPECT_EQ(outerHtmlOf(u"t"_s),
              table(u"\n"_s + kRow0 + u"\n<tr><td id=\"d\" colspan=\"2\">D E</td><td id=\"f\" rowspan=\"2\">F</td></tr>\n"_s
                    + kRow2 + u"\n"_s));
    // The same elements where nothing changed; new ones for the changed cells.
    EXPECT_TRUE(byId(u"g"_s) == untouched);
    EXPECT_FALSE(byId(u"d"_s) == merged);
}

TEST_F(TableToolBarTest, inATableWithGapsACellOrRowSimplyGoesAndOtherChangesAreRefused)
{
    const QString ragged = u"<tbody><tr><td id=\"a\">A</td><td id=\"b\">B</td></tr><tr><td id=\"c\">C</td></tr></tbody>"_s;
    ASSERT_TRUE(byId(u"t"_s)->setInnerHTML(ragged));
    caretIn(u"b"_s);
    run(cmd::DeleteCell);
    EXPECT_EQ(outerHtmlOf(u"t"_s), u"<table id=\"t\" border=\"1\"><tbody><tr><td id=\"a\">A</td></tr>"
                                   "<tr><td id=\"c\">C</td></tr></tbody></table>"_s);
    run(cmd::Undo);
    EXPECT_EQ(outerHtmlOf(u"t"_s), u"<table id=\"t\" border=\"1\">"_s + ragged + u"</table>"_s);

    caretIn(u"a"_s);
    run(cmd::SplitCell);
    EXPECT_EQ(prompter.texts(), QStringList{form->line(4)});
    EXPECT_EQ(outerHtmlOf(u"t"_s), u"<table id=\"t\" border=\"1\">"_s + ragged + u"</table>"_s);
}

TEST_F(TableToolBarTest, aMergeEndsAtTheCellThatHoldsTheSelectionsEndNotAtCellsOfATableInsideIt)
{
    const QString nested = u"<table id=\"n\"><tbody><tr><td id=\"n1\">N</td></tr></tbody></table>"_s;
    ASSERT_TRUE(byId(u"e"_s)->setInnerHTML(u"E"_s + nested));
    select(u"d"_s, u"n1"_s);
    run(cmd::MergeCells);
    EXPECT_EQ(outerHtmlOf(u"t"_s),
              table(kRow0 + u"<tr><td id=\"d\" colspan=\"2\">D E"_s + nested + u"</td><td id=\"f\" rowspan=\"2\">F</td></tr>"_s
                    + kRow2));
    EXPECT_TRUE(prompter.messages().isEmpty());
}
