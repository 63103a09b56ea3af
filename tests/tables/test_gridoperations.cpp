// The cell, row and column operations on table snapshots. Every operation that is done must
// leave a rectangular grid and keep the content of every cell it was not asked to remove.
#include "tables/gridoperations.h"
#include "teststrings.h"
#include "tables/tablegrid.h"
#include "tablesketch.h"

#include <QMap>

#include <gtest/gtest.h>

#include <functional>

using namespace korvel;
using korvel::test::cellContents;
using korvel::test::renderGrid;
using korvel::test::sketchTable;

namespace {


// Words of the cell contents, counted.
QMap<QString, int> words(const TableSnapshot &table)
{
    QMap<QString, int> counted;
    for (const QString &content : cellContents(table)) {
        for (const QString &word : content.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            ++counted[word];
    }
    return counted;
}

// The operation was done, its grid is rectangular, and every word of the cells before is still
// there, apart from the words of the cells it removed.
void expectSound(const GridOutcome &outcome, const TableSnapshot &before, const QStringList &removed = {})
{
    ASSERT_TRUE(outcome.done()) << "refused: " << static_cast<int>(outcome.refusal);
    const TableGrid grid(outcome.table);
    EXPECT_TRUE(grid.isRectangular()) << renderGrid(outcome.table).toStdString();
    QMap<QString, int> expected = words(before);
    for (const QString &word : removed)
        --expected[word];
    const QMap<QString, int> found = words(outcome.table);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        EXPECT_GE(found.value(it.key()), it.value()) << "lost: " << it.key().toStdString();
}

using Operation = std::function<GridOutcome(const TableSnapshot &)>;

struct OperationCase {
    const char *what;
    const char *sketch;
    Operation operation;
    const char *rendering;
    QStringList removed = {};
};

void runCases(std::initializer_list<OperationCase> cases)
{
    for (const OperationCase &c : cases) {
        SCOPED_TRACE(c.what);
        const TableSnapshot table = sketchTable(S(c.sketch));
        const GridOutcome outcome = c.operation(table);
        expectSound(outcome, table, c.removed);
        EXPECT_EQ(renderGrid(outcome.table), S(c.rendering));
    }
}

struct RefusalCase {
    const char *what;
    const char *sketch;
    Operation operation;
    GridRefusal refusal;
};

void runRefusals(std::initializer_list<RefusalCase> cases)
{
    for (const RefusalCase &c : cases) {
        SCOPED_TRACE(c.what);
        const TableSnapshot table = sketchTable(S(c.sketch));
        const GridOutcome outcome = c.operation(table);
        EXPECT_EQ(outcome.refusal, c.refusal);
        EXPECT_EQ(outcome.table, table);
        EXPECT_FALSE(outcome.cell.has_value());
    }
}

Operation mergeRight(CellAddress first, CellAddress last)
{
    return [=](const TableSnapshot &t) { return mergeCellsRight(t, first, last); };
}
Operation mergeDown(CellAddress cell) { return [=](const TableSnapshot &t) { return mergeCellDown(t, cell); }; }
Operation splitH(CellAddress cell) { return [=](const TableSnapshot &t) { return splitCellHorizontally(t, cell); }; }
Operation splitV(CellAddress cell) { return [=](const TableSnapshot &t) { return splitCellVertically(t, cell); }; }
Operation addRow(int group, int row, RowPlace place)
{
    return [=](const TableSnapshot &t) { return insertRow(t, group, row, place); };
}
Operation addCell(CellAddress cell, CellPlace place)
{
    return [=](const TableSnapshot &t) { return insertCell(t, cell, place); };
}
Operation removeCell(CellAddress cell) { return [=](const TableSnapshot &t) { return deleteCell(t, cell); }; }
Operation removeRow(int group, int row) { return [=](const TableSnapshot &t) { return deleteRow(t, group, row); }; }
Operation removeColumn(CellAddress cell) { return [=](const TableSnapshot &t) { return deleteColumn(t, cell); }; }

} // namespace

TEST(MergeCellsRight, joinsTheContentsInOrderAndAddsUpTheSpans)
{
    runCases({
        {"two plain cells", "a b c|d e f", mergeRight({0, 0, 1}, {0, 0, 2}), "a,b c,b c|d,e,f"},
        {"the cells named right to left", "a b c|d e f", mergeRight({0, 0, 2}, {0, 0, 0}),
         "a b c,a b c,a b c|d,e,f"},
        {"across a colspan: the spans add up", "a:2 b c|d e f g", mergeRight({0, 0, 0}, {0, 0, 1}),
         "a b,a b,a b,c|d,e,f,g"},
        {"cells spanning the same rows", "a:1x2 b:2x2 c|d|e f g h", mergeRight({0, 0, 0}, {0, 0, 1}),
         "a b,a b,a b,c|a b,a b,a b,d|e,f,g,h"},
        {"blank cells add nothing", "a _ c|d e f", mergeRight({0, 0, 0}, {0, 0, 2}), "a c,a c,a c|d,e,f"},
        {"in a foot row after the body", "a b # F:c d", mergeRight({1, 0, 0}, {1, 0, 1}), "a,b|c d,c d"},
    });
}

TEST(MergeCellsRight, keepsTheFirstCellsTagAndAttributesAndNestedTablesWhole)
{
    TableSnapshot table = sketchTable(S("a b|c d"));
    TableCell &first = table.groups[0].rows[0].cells[0];
    first.tagName = S("TH");
    first.attributes = {{S("CLASS"), S("k")}, {S("COLSPAN"), S("1")}};
    const QString nested = S("<table><tr><td>x</td><td>y</td></tr></table>");
    table.groups[0].rows[0].cells[1].innerHTML = nested;
    const GridOutcome outcome = mergeCellsRight(table, {0, 0, 0}, {0, 0, 1});
    expectSound(outcome, table);
    ASSERT_EQ(outcome.cell, (CellAddress{0, 0, 0}));
    const TableCell &merged = *outcome.table.cell({0, 0, 0});
    EXPECT_EQ(merged.tagName, S("TH"));
    EXPECT_EQ(merged.attributes, (TableAttributes{{S("CLASS"), S("k")}, {S("COLSPAN"), S("2")}}));
    EXPECT_EQ(merged.innerHTML, S("a ") + nested);
    EXPECT_EQ(outcome.table.groups[0].rows[0].cells.size(), 1);
}

TEST(MergeCellsRight, refusesCellsThatCannotBecomeOne)
{
    runRefusals({
        {"one cell", "a b|c d", mergeRight({0, 0, 1}, {0, 0, 1}), GridRefusal::TooFewCells},
        {"two rows", "a b|c d", mergeRight({0, 0, 0}, {0, 1, 1}), GridRefusal::CellsInSeveralRows},
        {"head and body", "H:a b # c d", mergeRight({0, 0, 0}, {1, 0, 1}), GridRefusal::CellsInSeveralRows},
        {"different rowspans", "a:1x2 b|c", mergeRight({0, 0, 0}, {0, 0, 1}), GridRefusal::CellsNotSideBySide},
        {"a rowspan from above between them", "a b:1x2 c|d e", mergeRight({0, 1, 0}, {0, 1, 1}),
         GridRefusal::CellsNotSideBySide},
        {"no such cell", "a b", mergeRight({0, 0, 0}, {0, 0, 5}), GridRefusal::NoSuchCell},
        {"a ragged table", "a b c|d", mergeRight({0, 0, 0}, {0, 0, 1}), GridRefusal::NotRectangular},
    });
}

TEST(MergeCellDown, takesTheCellBelowByItsColumn)
{
    runCases({
        {"plain", "a b|c d", mergeDown({0, 0, 0}), "a c,b|a c,d"},
        {"the cell below is found by column, not by index", "a:1x2 b|c|d e", mergeDown({0, 0, 1}),
         "a,b c|a,b c|d,e"},
        {"a spanning cell grows by the rows of the cell below", "a:1x2 b|c|d:1x2 e|f", mergeDown({0, 0, 0}),
         "a d,b|a d,c|a d,e|a d,f"},
        {"a one-cell row below empties, covered", "a|b", mergeDown({0, 0, 0}), "a b|a b"},
        {"a wide cell over an equally wide one", "a:2 b|c:2 d|e f g", mergeDown({0, 0, 0}),
         "a c,a c,b|a c,a c,d|e,f,g"},
    });
}

TEST(MergeCellDown, refusesWhenNoCellFitsBelow)
{
    runRefusals({
        {"last row", "a b|c d", mergeDown({0, 1, 0}), GridRefusal::NoCellBelow},
        {"the cell below is narrower", "a:2 b|c d e", mergeDown({0, 0, 0}), GridRefusal::NoCellBelow},
        {"the cell below starts further left", "a b c|d:2 e", mergeDown({0, 0, 1}), GridRefusal::NoCellBelow},
        {"the next row is in another group", "H:a b # c d", mergeDown({0, 0, 0}), GridRefusal::NoCellBelow},
        {"reaching to the end of the group", "a:1x0 b|c", mergeDown({0, 0, 0}), GridRefusal::NoCellBelow},
    });
}

TEST(SplitCellHorizontally, givesTheNewCellASlotOfItsOwn)
{
    runCases({
        {"colspan 3: 2 and a new cell, other rows unchanged", "a:3|b c d", splitH({0, 0, 0}),
         "a,a,Splitted cell|b,c,d"},
        {"colspan 1: a new column, the cell under it widens", "a b c|d e f", splitH({0, 0, 1}),
         "a,b,Splitted cell,c|d,e,e,f"},
        {"one row: only the new cell", "a b", splitH({0, 0, 0}), "a,Splitted cell,b"},
        {"a spanning cell: the new cell is as high", "a:2x2 b|c|d e f", splitH({0, 0, 0}),
         "a,Splitted cell,b|a,Splitted cell,c|d,e,f"},
        {"over two rows, one column: a cell spanning rows widens once", "a:1x2 b|c|d e|f:1x2 g|h",
         splitH({0, 0, 0}), "a,Splitted cell,b|a,Splitted cell,c|d,d,e|f,f,g|f,f,h"},
        {"in the head of a table", "H:a b # c d", splitH({0, 0, 1}), "a,b,Splitted cell|c,d,d"},
    });
}

TEST(SplitCellHorizontally, lowersAColspanWrittenInCapitals)
{
    TableSnapshot table = sketchTable(S("a b"));
    TableCell &cell = table.groups[0].rows[0].cells[0];
    cell.attributes = {{S("COLSPAN"), S("3")}, {S("ALIGN"), S("left")}};
    cell.colSpan = 3;
    const GridOutcome outcome = splitCellHorizontally(table, {0, 0, 0});
    expectSound(outcome, table);
    EXPECT_EQ(outcome.table.cell({0, 0, 0})->attributes, (TableAttributes{{S("COLSPAN"), S("2")}, {S("ALIGN"), S("left")}}));
    EXPECT_EQ(outcome.cell, (CellAddress{0, 0, 1}));
    EXPECT_EQ(renderGrid(outcome.table), S("a,a,Splitted cell,b"));
}

TEST(SplitCellVertically, splitsOffARowOrAddsOne)
{
    runCases({
        {"last row: a new row, the neighbour reaches over it", "a b|c d", splitV({0, 1, 0}), "a,b|c,d|_,d"},
        {"the neighbours grow by one, whatever their rowspan", "a:1x3 b|c|d", splitV({0, 0, 1}),
         "a,b|a,_|a,c|a,d"},
        {"a wide cell: the new cell is as wide", "a:2 b|c d e", splitV({0, 0, 0}), "a,a,b|_,_,b|c,d,e"},
        {"two rows: the last goes to a new cell", "a:1x2 b|c", splitV({0, 0, 0}), "a,b|Splitted row.,c"},
        {"the new cell is put by column", "x a:2x3|y|z", splitV({0, 0, 1}), "x,a,a|y,a,a|z,Splitted row.,Splitted row."},
        {"a cell reaching to the end of its group", "a:1x0 b|c", splitV({0, 0, 0}), "a,b|Splitted row.,c"},
    });
}

TEST(SplitCellVertically, keepsTheNewRowInTheCellsRowGroup)
{
    const TableSnapshot table = sketchTable(S("H:a b # c:1x0 d|e"));
    const GridOutcome outcome = splitCellVertically(table, {0, 0, 0});
    expectSound(outcome, table);
    EXPECT_EQ(renderGrid(outcome.table), S("a,b|_,b|c,d|c,e"));
    EXPECT_EQ(outcome.table.groups[0].rows.size(), 2);
    EXPECT_EQ(outcome.table.groups[1].rows.size(), 2);
    EXPECT_EQ(outcome.cell, (CellAddress{0, 1, 0}));
}

TEST(InsertRow, fillsTheRowAndLetsSpanningCellsReachOverIt)
{
    runCases({
        {"below, plain", "a b|c d", addRow(0, 0, RowPlace::Below),
         "a,b|This is a new inserted row,This is a new inserted row|c,d"},
        {"above the first row", "a:2|c d", addRow(0, 0, RowPlace::Above),
         "This is a new inserted row,This is a new inserted row|a,a|c,d"},
        {"below, inside a rowspan", "a:1x2 b|c|d e", addRow(0, 0, RowPlace::Below),
         "a,b|a,This is a new inserted row|a,c|d,e"},
        {"above, inside a rowspan", "a:1x2 b|c|d e", addRow(0, 1, RowPlace::Above),
         "a,b|a,This is a new inserted row|a,c|d,e"},
        {"below the end of a rowspan", "a:1x2 b|c|d e", addRow(0, 1, RowPlace::Below),
         "a,b|a,c|This is a new inserted row,This is a new inserted row|d,e"},
        {"below a group end, a cell reaching to it stays as it was", "a:1x0 b|c", addRow(0, 1, RowPlace::Below),
         "a,b|a,c|This is a new inserted row,This is a new inserted row"},
        {"at the end of the body, before the foot", "a b # F:c d", addRow(1, 0, RowPlace::AtEnd),
         "a,b|This is a new inserted row,This is a new inserted row|c,d"},
    });
}

TEST(InsertRow, putsTheRowIntoTheGroupOfItsNeighbour)
{
    const TableSnapshot table = sketchTable(S("H:h:2 # a b"));
    const GridOutcome outcome = insertRow(table, 0, 0, RowPlace::Below);
    expectSound(outcome, table);
    ASSERT_EQ(outcome.table.groups[0].rows.size(), 2);
    EXPECT_EQ(outcome.table.groups[0].rows[1].cells.size(), 1);
    EXPECT_EQ(outcome.table.groups[0].rows[1].cells[0].colSpan, 2);
    EXPECT_EQ(outcome.cell, (CellAddress{0, 1, 0}));
    EXPECT_EQ(insertRow(table, 0, 3, RowPlace::Below).refusal, GridRefusal::NoSuchCell);
}

TEST(InsertCell, putsTheCellRightBesideAndWidensTheOtherRows)
{
    runCases({
        {"behind the last of three", "a b c|d e f", addCell({0, 0, 2}, CellPlace::Behind),
         "a,b,c,This is a new inserted cell|d,e,f,f"},
        {"before the third: it becomes the third", "a b c|d e f", addCell({0, 0, 2}, CellPlace::Before),
         "a,b,This is a new inserted cell,c|d,e,f,f"},
        {"before the first", "a b|c d", addCell({0, 1, 0}, CellPlace::Before),
         "a,a,b|This is a new inserted cell,c,d"},
        {"beside a cell over two rows: as high", "a:1x2 b|c|d e", addCell({0, 0, 0}, CellPlace::Behind),
         "a,This is a new inserted cell,b|a,This is a new inserted cell,c|d,d,e"},
    });
}

TEST(DeleteCell, givesTheCellsPlaceToItsNeighbour)
{
    runCases({
        {"the left neighbour widens", "a b c|d e f", removeCell({0, 0, 1}), "a,a,c|d,e,f", {S("b")}},
        {"the first cell: the right neighbour widens", "a b c|d e f", removeCell({0, 0, 0}), "b,b,c|d,e,f",
         {S("a")}},
        {"a neighbour of other rows is passed over", "a:1x2 b c|d e", removeCell({0, 0, 1}), "a,c,c|a,d,e",
         {S("b")}},
        {"a cell as wide as the table takes its rows", "a:2x2||d e", removeCell({0, 0, 0}), "d,e",
         {S("a")}},
    });
    runRefusals({
        {"no neighbour covers the same rows", "a:1x2 b c:1x2|d", removeCell({0, 0, 1}), GridRefusal::NoNeighbour},
    });
}

TEST(DeleteRow, movesCellsThatReachFurtherDownIntoTheNextRow)
{
    runCases({
        {"plain", "a b|c d", removeRow(0, 0), "c,d", {S("a"), S("b")}},
        {"the top of a rowspan moves down", "a:1x2 b|c|d e", removeRow(0, 0), "a,c|d,e", {S("b")}},
        {"two tops move down in their order", "a:1x2 b c:1x2|d|e f g", removeRow(0, 0), "a,d,c|e,f,g", {S("b")}},
        {"a rowspan from above shrinks", "a:1x3 b|c|d", removeRow(0, 1), "a,b|a,d", {S("c")}},
        {"an empty row under two rowspans", "a:1x2 b:1x2|", removeRow(0, 1), "a,b"},
        {"a cell reaching to the group end keeps doing so", "a:1x0 b|c|d", removeRow(0, 0), "a,c|a,d", {S("b")}},
    });
}

TEST(DeleteColumn, removesTheCellsColumnsFromEveryRow)
{
    runCases({
        {"plain", "a b c|d e f", removeColumn({0, 0, 1}), "a,c|d,f", {S("b"), S("e")}},
        {"a wider cell over it narrows", "a:2 b|c d e", removeColumn({0, 1, 1}), "a,b|c,e", {S("d")}},
        {"a wide cell takes all its columns", "a:2 b|c d e", removeColumn({0, 0, 0}), "b|e", {S("a"), S("c"), S("d")}},
        {"a rowspan in the column", "a:1x2 b|c|d e", removeColumn({0, 0, 0}), "b|c|e", {S("a"), S("d")}},
    });
}

TEST(GridOperations, refuseARaggedTableAndAnUnknownCell)
{
    const char *ragged = "a b c|d";
    runRefusals({
        {"merge down", ragged, mergeDown({0, 0, 0}), GridRefusal::NotRectangular},
        {"split horizontally", ragged, splitH({0, 0, 0}), GridRefusal::NotRectangular},
        {"split vertically", ragged, splitV({0, 0, 0}), GridRefusal::NotRectangular},
        {"insert row", ragged, addRow(0, 0, RowPlace::Below), GridRefusal::NotRectangular},
        {"insert cell", ragged, addCell({0, 0, 0}, CellPlace::Before), GridRefusal::NotRectangular},
        {"delete cell", ragged, removeCell({0, 0, 0}), GridRefusal::NotRectangular},
        {"delete row", ragged, removeRow(0, 0), GridRefusal::NotRectangular},
        {"delete column", ragged, removeColumn({0, 0, 0}), GridRefusal::NotRectangular},
        {"an empty row is ragged too", "a b|", splitH({0, 0, 0}), GridRefusal::NotRectangular},
        {"unknown cell", "a b", splitV({0, 1, 0}), GridRefusal::NoSuchCell},
        {"unknown row", "a b", removeRow(1, 0), GridRefusal::NoSuchCell},
    });
}

TEST(GridOperations, refuseAColspanTheEngineWouldCut)
{
    TableSnapshot table = sketchTable(S("a b|c"));
    setCellColSpan(table.groups[0].rows[1].cells[0], 1000);
    setCellColSpan(table.groups[0].rows[0].cells[1], 999);
    const GridOutcome outcome = splitCellHorizontally(table, {0, 0, 0});
    EXPECT_EQ(outcome.refusal, GridRefusal::BrokenResult);
    EXPECT_EQ(outcome.table, table);
}
