// The slot grid of a table snapshot and the snapshot's JSON form.
#include "tables/tablegrid.h"
#include "tables/tablesnapshotjson.h"
#include "tablesketch.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

using namespace korvel;
using korvel::test::renderGrid;
using korvel::test::sketchTable;

namespace {

struct GridCase {
    const char *sketch;
    const char *rendering;
    int holes;
    int overlaps;
};

QJsonObject parseJson(const char *text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}

} // namespace

TEST(TableGrid, placesEveryCellInTheFirstFreeSlotWithItsSpans)
{
    const GridCase cases[] = {
        {"a b|c d", "a,b|c,d", 0, 0},
        {"a:2x2 b|c|d e f", "a,a,b|a,a,c|d,e,f", 0, 0},
        // A cell starts after the slots taken by a rowspan from above.
        {"a b:1x2 c|d e", "a,b,c|d,b,e", 0, 0},
        // Rowspans end with their row group; rowspan 0 reaches to that end.
        {"H:a:1x5 b # c:1x0 d|e|f", "a,b|c,d|c,e|c,f", 0, 0},
        // A short row leaves empty slots; an empty row is all empty slots.
        {"a b c|d", "a,b,c|d,.,.", 2, 0},
        {"a b|", "a,b|.,.", 2, 0},
        // An empty row under two rowspans is covered.
        {"a:1x2 b:1x2|", "a,b|a,b", 0, 0},
        // A colspan running into a rowspan from above covers that slot twice.
        {"a b:1x2|c:2", "a,b|c,b", 0, 1},
        {"", "", 0, 0},
    };
    for (const GridCase &c : cases) {
        SCOPED_TRACE(c.sketch);
        const TableSnapshot table = sketchTable(QString::fromLatin1(c.sketch));
        const TableGrid grid(table);
        EXPECT_EQ(renderGrid(table), QString::fromLatin1(c.rendering));
        EXPECT_EQ(grid.holeCount(), c.holes);
        EXPECT_EQ(grid.overlapCount(), c.overlaps);
        EXPECT_EQ(grid.isRectangular(), c.holes == 0 && c.overlaps == 0);
    }
}

TEST(TableGrid, mapsCellsToSlotsAndRowsToGroups)
{
    const TableSnapshot table = sketchTable(QStringLiteral("H:h1 h2 # a:1x2 b|c # F:f:2"));
    const TableGrid grid(table);
    ASSERT_EQ(grid.rowCount(), 4);
    ASSERT_EQ(grid.columnCount(), 2);
    const PlacedCell *a = grid.placed({1, 0, 0});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->row, 1);
    EXPECT_EQ(a->lastRow(), 2);
    EXPECT_EQ(grid.cellAt(2, 0), a);
    const PlacedCell *c = grid.placed({1, 1, 0});
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->column, 1);
    EXPECT_EQ(grid.insertionIndex(2, 1), 0);
    EXPECT_EQ(grid.groupOfRow(3), 2);
    EXPECT_EQ(grid.gridRow(1, 1), 2);
    EXPECT_EQ(grid.gridRow(1, 2), -1);
    EXPECT_EQ(grid.placed({1, 1, 1}), nullptr);
    EXPECT_EQ(grid.cellAt(4, 0), nullptr);
    EXPECT_EQ(grid.cellsCoveringRow(2).size(), 2);
}

TEST(TableSnapshotJson, aSnapshotComesBackAsItWent)
{
    TableSnapshot table = sketchTable(QStringLiteral("H:x y # N:a:2x2|b # F:c d"));
    table.groups[0].attributes = {{QStringLiteral("class"), QStringLiteral("head")}};
    table.groups[1].rows[0].attributes = {{QStringLiteral("BGCOLOR"), QStringLiteral("#FF0000")}};
    table.groups[1].rows[0].cells[0].tagName = QStringLiteral("TH");
    table.groups[1].rows[0].cells[0].attributes.prepend({QStringLiteral("id"), QStringLiteral("first")});
    table.groups[1].rows[1].cells[0].innerHTML = QStringLiteral("<table><tr><td>inner</td></tr></table>");
    table.origin = CellAddress{1, 0, 0};
    const QJsonObject json = tableSnapshotToJson(table);
    EXPECT_EQ(json.value(QStringLiteral("groups")).toArray().at(1).toObject().value(QStringLiteral("tag")),
              QStringLiteral(""));
    EXPECT_EQ(tableSnapshotFromJson(json), table);
}

TEST(TableSnapshotJson, readsTagsInAnyCaseAndHoldsSpansToTheEngineRange)
{
    const auto table = tableSnapshotFromJson(parseJson(
        R"({"groups":[{"tag":"tbody","rows":[{"cells":[{"tag":"th","colSpan":5000,"rowSpan":-3,"html":"a"},
            {"tag":"Td","attributes":[["COLSPAN","2"]],"colSpan":2}]}]}]})"));
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->groups.size(), 1);
    EXPECT_EQ(table->groups[0].kind, RowGroupKind::Body);
    const TableRow &row = table->groups[0].rows[0];
    EXPECT_EQ(row.cells[0].tagName, QStringLiteral("TH"));
    EXPECT_EQ(row.cells[0].colSpan, 1000);
    EXPECT_EQ(row.cells[0].rowSpan, 0);
    EXPECT_EQ(row.cells[1].tagName, QStringLiteral("TD"));
    EXPECT_EQ(attributeValue(row.cells[1].attributes, QStringLiteral("colspan")), QStringLiteral("2"));
    EXPECT_FALSE(table->origin.has_value());
}

TEST(TableSnapshotJson, refusesWhatIsNotASnapshot)
{
    const char *const texts[] = {
        R"({})",
        R"({"groups":{}})",
        R"({"groups":[{"tag":"TR","rows":[]}]})",
        R"({"groups":[{"rows":[{"cells":[{"tag":"DIV"}]}]}]})",
        R"({"groups":[{"rows":[{"cells":[{"tag":"TD","attributes":[["id"]]}]}]}]})",
        R"({"groups":[{"rows":[{"cells":[{"tag":"TD","colSpan":"2"}]}]}]})",
        R"({"groups":[{"rows":[{"cells":[{"tag":"TD","html":3}]}]}]})",
        R"({"groups":[],"origin":5})",
    };
    for (const char *text : texts) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(tableSnapshotFromJson(parseJson(text)).has_value());
    }
}

TEST(TableSnapshot, spanChangesKeepTheAttributeInItsPlaceWhateverItsCase)
{
    TableCell cell;
    cell.attributes = {{QStringLiteral("id"), QStringLiteral("c")}, {QStringLiteral("COLSPAN"), QStringLiteral("2")},
                       {QStringLiteral("class"), QStringLiteral("k")}};
    cell.colSpan = 2;
    setCellColSpan(cell, 3);
    EXPECT_EQ(cell.attributes.at(1), std::make_pair(QStringLiteral("COLSPAN"), QStringLiteral("3")));
    setCellColSpan(cell, 1);
    EXPECT_EQ(cell.attributes.size(), 2);
    EXPECT_EQ(attributeValue(cell.attributes, QStringLiteral("colspan")), QString());
    setCellRowSpan(cell, 2);
    EXPECT_EQ(cell.attributes.last(), std::make_pair(QStringLiteral("rowspan"), QStringLiteral("2")));
    EXPECT_EQ(newTableCell(QStringLiteral("a<b & c")).innerHTML, QStringLiteral("a&lt;b &amp; c"));
}
