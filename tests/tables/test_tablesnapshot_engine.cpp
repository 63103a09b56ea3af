// Table snapshots through the real Qt WebEngine: a table is read in one call, changed by a grid
// operation and written back in one call.
#include "designer/engine.h"
#include "teststrings.h"
#include "designer/webenginebrowser.h"
#include "scriptedprompter.h"
#include "tables/gridoperations.h"
#include "tables/tablegrid.h"
#include "tables/tablesnapshotjson.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <ostream>

using namespace korvel;


namespace {


// Upper-case markup as older pages have it: the engine keeps the attributes' order and their
// values and reports them with lower-case names.
const QByteArray kPage =
    "<html><body><p id=\"before\">x</p>"
    "<TABLE ID=\"grid\" BORDER=\"1\"><CAPTION>Caption</CAPTION>"
    "<THEAD><TR CLASS=\"head\"><TH COLSPAN=\"2\">Head</TH></TR></THEAD>"
    "<TBODY><TR><TD ROWSPAN=\"2\" CLASS=\"x\">a</TD><TD ID=\"b\">b</TD></TR>"
    "<TR><TD ID=\"c\">c <B>bold</B></TD></TR>"
    "<TR><TD ID=\"outer\"><TABLE ID=\"inner\"><TR><TD ID=\"deep\">deep</TD></TR></TABLE></TD><TD>e</TD></TR></TBODY>"
    "</TABLE></body></html>";

class TableSnapshotEngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_prompter = new test::ScriptedPrompter;
        s_browser = new WebEngineBrowser(s_prompter);
        s_browser->view()->resize(800, 600);
    }

    static void TearDownTestSuite()
    {
        delete s_browser;
        s_browser = nullptr;
        delete s_prompter;
        s_prompter = nullptr;
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        const QString path = s_dir->filePath(QStringLiteral("table.html"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(kPage);
        file.close();
        ASSERT_TRUE(s_browser->Navigate(path));
        ASSERT_TRUE(s_browser->waitUntilReady());
        const auto document = s_browser->Document();
        ASSERT_TRUE(document.has_value());
        m_document = *document;
    }

    HtmlElement byId(const QString &id) const
    {
        const ElementCollection all = m_document.all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto element = all.item(i);
            if (element && element->getAttribute(QStringLiteral("id")) == id)
                return *element;
        }
        ADD_FAILURE() << "no element #" << id.toStdString();
        return HtmlElement();
    }

    static inline QTemporaryDir *s_dir = nullptr;
    static inline test::ScriptedPrompter *s_prompter = nullptr;
    static inline WebEngineBrowser *s_browser = nullptr;
    HtmlDocument m_document;
};

} // namespace

TEST_F(TableSnapshotEngineTest, aCellGivesTheSnapshotOfItsTableAndItsPlaceInIt)
{
    const auto json = byId(S("c")).tableSnapshot();
    ASSERT_TRUE(json.has_value());
    const auto table = tableSnapshotFromJson(*json);
    ASSERT_TRUE(table.has_value());
    ASSERT_EQ(table->groups.size(), 2);
    EXPECT_EQ(table->groups[0].kind, RowGroupKind::Head);
    EXPECT_EQ(table->groups[0].rows[0].attributes, (TableAttributes{{S("class"), S("head")}}));
    const TableCell &head = table->groups[0].rows[0].cells[0];
    EXPECT_EQ(head.tagName, S("TH"));
    EXPECT_EQ(head.colSpan, 2);
    const TableCell &a = table->groups[1].rows[0].cells[0];
    EXPECT_EQ(a.rowSpan, 2);
    EXPECT_EQ(a.attributes, (TableAttributes{{S("rowspan"), S("2")}, {S("class"), S("x")}}));
    EXPECT_EQ(table->groups[1].rows[1].cells[0].innerHTML, S("c <b>bold</b>"));
    // The nested table stays inside its cell's content.
    EXPECT_EQ(table->groups[1].rows[2].cells.size(), 2);
    EXPECT_TRUE(table->groups[1].rows[2].cells[0].innerHTML.contains(S("id=\"deep\"")));
    EXPECT_EQ(table->origin, (CellAddress{1, 1, 0}));
    EXPECT_TRUE(TableGrid(*table).isRectangular());

    // A cell of the nested table belongs to the nested table.
    const auto inner = tableSnapshotFromJson(byId(S("deep")).tableSnapshot().value_or(QJsonObject()));
    ASSERT_TRUE(inner.has_value());
    EXPECT_EQ(inner->groups.size(), 1);
    EXPECT_EQ(inner->groups[0].rows[0].cells[0].innerHTML, S("deep"));
    EXPECT_FALSE(byId(S("before")).tableSnapshot().has_value());
}

TEST_F(TableSnapshotEngineTest, aSplitWrittenBackRebuildsTheRowsInsideTheSameTable)
{
    const HtmlElement grid = byId(S("grid"));
    const auto table = tableSnapshotFromJson(byId(S("b")).tableSnapshot().value_or(QJsonObject()));
    ASSERT_TRUE(table.has_value() && table->origin.has_value());
    const GridOutcome split = splitCellHorizontally(*table, *table->origin);
    ASSERT_TRUE(split.done());
    ASSERT_TRUE(byId(S("b")).applyTableSnapshot(tableSnapshotToJson(split.table)));

    EXPECT_EQ(grid.outerHTML(),
              S("<table id=\"grid\" border=\"1\"><caption>Caption</caption>"
                "<thead><tr class=\"head\"><th colspan=\"3\">Head</th></tr></thead>"
                "<tbody><tr><td rowspan=\"2\" class=\"x\">a</td><td id=\"b\">b</td><td>Splitted cell</td></tr>"
                "<tr><td id=\"c\" colspan=\"2\">c <b>bold</b></td></tr>"
                "<tr><td id=\"outer\"><table id=\"inner\"><tbody><tr><td id=\"deep\">deep</td></tr></tbody></table></td>"
                "<td colspan=\"2\">e</td></tr></tbody></table>"));
    const auto added = grid.tableCell(split.cell->group, split.cell->row, split.cell->cell);
    ASSERT_TRUE(added.has_value());
    EXPECT_EQ(added->innerText(), S("Splitted cell"));
    EXPECT_EQ(added->cellIndex(), 2);
}

TEST_F(TableSnapshotEngineTest, aMergeDownWrittenBackLeavesTheCoveredRowEmpty)
{
    const HtmlElement grid = byId(S("grid"));
    const auto table = tableSnapshotFromJson(grid.tableSnapshot().value_or(QJsonObject()));
    ASSERT_TRUE(table.has_value());
    EXPECT_FALSE(table->origin.has_value());
    const GridOutcome merged = mergeCellDown(*table, {1, 0, 1});
    ASSERT_TRUE(merged.done());
    ASSERT_TRUE(grid.applyTableSnapshot(tableSnapshotToJson(merged.table)));
    const auto body = grid.collection(S("tBodies")).item(0);
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->outerHTML(),
              S("<tbody><tr><td rowspan=\"2\" class=\"x\">a</td><td id=\"b\" rowspan=\"2\">b c <b>bold</b></td></tr>"
                "<tr></tr>"
                "<tr><td id=\"outer\"><table id=\"inner\"><tbody><tr><td id=\"deep\">deep</td></tr></tbody></table></td>"
                "<td>e</td></tr></tbody>"));
    const auto again = tableSnapshotFromJson(grid.tableSnapshot().value_or(QJsonObject()));
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(again->groups, merged.table.groups);
}

TEST_F(TableSnapshotEngineTest, aSnapshotThatDoesNotFitChangesNothing)
{
    const HtmlElement grid = byId(S("grid"));
    const auto before = grid.outerHTML();
    const QJsonObject json = grid.tableSnapshot().value_or(QJsonObject());
    ASSERT_FALSE(json.isEmpty());
    // Unchanged, it is written back as it was.
    ASSERT_TRUE(grid.applyTableSnapshot(json));
    EXPECT_EQ(grid.outerHTML(), before);

    QJsonObject oneGroup = json;
    QJsonArray groups = oneGroup.value(S("groups")).toArray();
    groups.removeFirst();
    oneGroup.insert(S("groups"), groups);
    EXPECT_FALSE(grid.applyTableSnapshot(oneGroup));

    TableSnapshot badCell = tableSnapshotFromJson(json).value();
    badCell.groups[1].rows[0].cells[0].attributes.append({S("bad name"), S("1")});
    EXPECT_FALSE(grid.applyTableSnapshot(tableSnapshotToJson(badCell)));
    EXPECT_EQ(grid.outerHTML(), before);
    EXPECT_FALSE(byId(S("before")).applyTableSnapshot(json));
}
