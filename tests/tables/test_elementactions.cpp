// The element commands' lookup on the real engine: which element encloses the designer
// selection, and what select, delete and unwrap leave of the page.
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designerwindowtest.h"
#include "tables/elementactions.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {

const QByteArray kPage = "<html><head><title>t</title></head><body>"
                         "<div id=\"box\"><p id=\"para\">Hello <b>bold</b> world</p></div>"
                         "<table id=\"outer\"><tr><td id=\"outercell\">outer"
                         "<table id=\"inner\"><caption id=\"cap\">Caption</caption>"
                         "<tr><th id=\"head\">Head</th><td id=\"innercell\">Inner</td></tr></table>"
                         "</td></tr></table></body></html>";

class ElementActionsTest : public test::DesignerWindowTest {
protected:
    void SetUp() override
    {
        DesignerWindowTest::SetUp();
        openPageInDesigner(kPage, QStringLiteral("page.html"));
        actions = std::make_unique<ElementActions>(designer->context());
    }

    HtmlElement byId(const char *id)
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(QStringLiteral("id")) == QLatin1String(id))
                return *e;
        }
        ADD_FAILURE() << "no element " << id;
        return HtmlElement();
    }

    // A caret at the start of the element's text.
    void caretIn(const char *id)
    {
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range.has_value());
        ASSERT_TRUE(range->moveToElementText(byId(id)));
        ASSERT_TRUE(range->collapse(true));
        ASSERT_TRUE(range->select());
    }

    QString bodyHtml() { return page().body().value_or(HtmlElement()).innerHTML().value_or(QString()); }

    std::unique_ptr<ElementActions> actions;
};

} // namespace

TEST_F(ElementActionsTest, aCellLookupFindsTheNearestCellAndStopsAtItsTable)
{
    caretIn("innercell");
    EXPECT_TRUE(actions->ApplyElementAction(ElementAction::Select, QStringLiteral("TD")));
    EXPECT_EQ(designer->state().Selection.LastElementText, QStringLiteral("Inner"));
    EXPECT_TRUE(designer->state().KeptElementHtml.startsWith(QStringLiteral("<td id=\"innercell\"")));

    // A header cell or the caption of the nested table never finds the outer cell.
    for (const char *id : {"head", "cap"}) {
        caretIn(id);
        EXPECT_FALSE(actions->ApplyElementAction(ElementAction::Select, QStringLiteral("TD"))) << id;
        EXPECT_TRUE(designer->state().Selection.LastElementText.isEmpty()) << id;
    }
    // The table lookup walks on through the cells.
    caretIn("head");
    EXPECT_TRUE(actions->ApplyElementAction(ElementAction::Select, QStringLiteral("TABLE")));
    EXPECT_TRUE(designer->state().KeptElementHtml.startsWith(QStringLiteral("<table id=\"inner\"")));
    // Nothing of that tag around the selection.
    caretIn("para");
    EXPECT_FALSE(actions->ApplyElementAction(ElementAction::Select, QStringLiteral("SPAN")));
}

TEST_F(ElementActionsTest, deleteRemovesTheElementAndKeepsItsHtml)
{
    caretIn("innercell");
    ASSERT_TRUE(actions->ApplyElementAction(ElementAction::Delete, QStringLiteral("TABLE")));
    EXPECT_FALSE(bodyHtml().contains(QStringLiteral("inner")));
    EXPECT_TRUE(bodyHtml().contains(QStringLiteral("outercell")));
    EXPECT_TRUE(designer->state().KeptElementHtml.contains(QStringLiteral("Caption")));
}

TEST_F(ElementActionsTest, unwrapKeepsTheContentInPlace)
{
    caretIn("para");
    ASSERT_TRUE(actions->ApplyElementAction(ElementAction::Unwrap, QStringLiteral("DIV")));
    EXPECT_TRUE(bodyHtml().startsWith(QStringLiteral("<p id=\"para\">Hello <b>bold</b> world</p><table")));
    caretIn("para");
    ASSERT_TRUE(actions->ApplyElementAction(ElementAction::Unwrap, QStringLiteral("P")));
    EXPECT_TRUE(bodyHtml().startsWith(QStringLiteral("Hello <b>bold</b> world<table")));
}

TEST_F(ElementActionsTest, theElementTextLosesLineBreaksAndTabs)
{
    EXPECT_EQ(ElementActions::ElementText(QStringLiteral(" a\r\nb\tc \n")), QStringLiteral("a bc"));
}
