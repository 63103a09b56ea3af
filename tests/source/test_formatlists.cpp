#include "source/formatlists.h"

#include "source/htmltags.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <map>

using namespace korvel;

namespace {


struct TextCase {
    const char *input;
    const char *expected;
};

// Start tags minus end tags of every list and item name: all zero for a balanced text.
std::map<QString, int> OpenCounts(const QString &html)
{
    std::map<QString, int> open;
    HtmlTag tag;
    qsizetype at = 0;
    while (NextHtmlTag(html, at, tag)) {
        at = tag.end;
        if (tag.name == QLatin1String("ul") || tag.name == QLatin1String("ol") || tag.name == QLatin1String("li"))
            open[tag.name] += tag.closing ? -1 : 1;
    }
    std::erase_if(open, [](const auto &entry) { return entry.second == 0; });
    return open;
}

} // namespace

TEST(MakeListSource, givesOneItemPerSelectedLineBetweenTheListTags)
{
    const TextCase cases[] = {
        {"", "<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"a\r\nb\r\nc", "<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b</li>\r\n<li>c </li>\r\n</ul>"},
        {"<B>x</B>", "<ul type=\"disc\">\r\n<li><B>x</B> </li>\r\n</ul>"},
        // Empty lines and the line after a closing break leave no item behind.
        {"a\r\n\r\nb\r\n", "<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b</li>\r\n</ul>"},
        {" \r\nx", "<ul type=\"disc\">\r\n<li>x </li>\r\n</ul>"},
        {"a  b   c", "<ul type=\"disc\">\r\n<li>a b c </li>\r\n</ul>"},
        {"\r\n", "<ul type=\"disc\">\r\n</ul>"},
        {"a\nb", "<ul type=\"disc\">\r\n<li>a\nb </li>\r\n</ul>"}, // only CR LF ends a line
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(MakeListSource(S(c.input), false), S(c.expected)) << c.input;
    EXPECT_EQ(MakeListSource(S("a"), true), S("<ol type=\"1\">\r\n<li>a </li>\r\n</ol>"));
    EXPECT_EQ(MakeListSource(QString(), true), S("<ol type=\"1\">\r\n<li></li>\r\n</ol>"));
}

TEST(RemoveListSource, takesTheSelectedListApartAndKeepsNestedListsWhole)
{
    const TextCase cases[] = {
        {"<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b </li>\r\n</ul>", "\r\na\r\nb \r\n"},
        {"<UL>\r\n<LI>a</LI>\r\n</UL>", "\r\na\r\n"},
        {"<ol type=\"1\"><li class=\"x\">a</li></ol>", "a"},
        {"<li>a</li>\r\n<li>b</li>", "a\r\nb"},
        {"<ul>\r\n<li>a\r\n<ul type=\"circle\">\r\n<li>b</li>\r\n</ul>\r\n</li>\r\n<li>c</li>\r\n</ul>",
         "\r\na\r\n<ul type=\"circle\">\r\n<li>b</li>\r\n</ul>\r\n\r\nc\r\n"},
        {"<ul><li>a<ol><li>b</li></ol></li></ul>\r\n<ul><li>c</li></ul>",
         "a<ol><li>b</li></ol>\r\n<ul><li>c</li></ul>"},
        // A list inside a selected item belongs to the item.
        {"<li>a<ul><li>b</li></ul></li>", "a<ul><li>b</li></ul>"},
        // The selection ends inside the list.
        {"<ul><li>a</li><li>b", "ab"},
        {"a > b\r\n<ul>\r\n<li>x</li>\r\n</ul>", "a > b\r\n\r\nx\r\n"},
        // Markup in front of the list: no list is taken apart, and its items stay its own.
        {"<p>Intro</p><ul><li>a</li></ul>", "<p>Intro</p><ul><li>a</li></ul>"},
    };
    for (const TextCase &c : cases) {
        const QString result = RemoveListSource(S(c.input));
        EXPECT_EQ(result, S(c.expected)) << c.input;
        if (OpenCounts(S(c.input)).empty()) {
            EXPECT_TRUE(OpenCounts(result).empty()) << c.input;
        }
    }
}

TEST(RemoveListSource, leavesEveryNestedListBalanced)
{
    const QString nested = S("<ul>\r\n<li>one\r\n<ul type=\"circle\">\r\n<li>two\r\n<ol>\r\n<li>three</li>\r\n</ol>\r\n"
                             "</li>\r\n</ul>\r\n</li>\r\n</ul>");
    ASSERT_TRUE(OpenCounts(nested).empty());
    const QString result = RemoveListSource(nested);
    EXPECT_TRUE(OpenCounts(result).empty()) << result.toStdString();
    EXPECT_EQ(result, S("\r\none\r\n<ul type=\"circle\">\r\n<li>two\r\n<ol>\r\n<li>three</li>\r\n</ol>\r\n</li>\r\n</ul>\r\n\r\n"));
}

TEST(ListSource, removesAListWhenTheSelectionHoldsAnItemInAnyCaseAndMakesOneOtherwise)
{
    EXPECT_EQ(ListSource(S("<LI>x</LI>"), false), S("x"));
    EXPECT_EQ(ListSource(S("<li value=\"3\">x</li>"), true), S("x"));
    EXPECT_EQ(ListSource(S("<link rel=\"x\">"), false), S("<ul type=\"disc\">\r\n<li><link rel=\"x\"> </li>\r\n</ul>"));
    EXPECT_EQ(ListSource(S("a\r\nb"), true), S("<ol type=\"1\">\r\n<li>a</li>\r\n<li>b </li>\r\n</ol>"));
    EXPECT_TRUE(HoldsListItem(S("text <Li>")));
    EXPECT_FALSE(HoldsListItem(S("</li> <list>")));
}

TEST(DesignerListFragment, wrapsTheEscapedRangeTextWithoutLineBreaksBetweenTheItems)
{
    const TextCase cases[] = {
        {"", "<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"\r\n", "<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"a", "<ul type=\"disc\"><li>a </li></ul>"},
        // The range of a selection that ends at a block start ends with a line break.
        {"a\r\nb\r\n", "<ul type=\"disc\"><li>a</li><li>b</li></ul>"},
        {"a < b & c", "<ul type=\"disc\"><li>a &lt; b &amp; c </li></ul>"},
        {"<script>x</script>", "<ul type=\"disc\"><li>&lt;script&gt;x&lt;/script&gt; </li></ul>"},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(DesignerListFragment(S(c.input), false), S(c.expected)) << c.input;
    EXPECT_EQ(DesignerListFragment(S("x\r\ny"), true), S("<ol type=\"1\"><li>x</li><li>y </li></ol>"));
}

TEST(ListItemsAsLines, joinsTheItemsContentByLineBreaksAndKeepsNestedListsInTheirItem)
{
    const TextCase cases[] = {
        {"", ""},
        {"<li>a</li><li>b</li>", "a<br>b"},
        {"\r\n<li>a</li>\r\n<li>b <b>c</b></li>\r\n", "a<br>b <b>c</b>"},
        {"<LI class=\"x\">a</LI>", "a"},
        {"<li>a<ul><li>b</li></ul></li><li>c</li>", "a<ul><li>b</li></ul><br>c"},
        {"<li>a<li>b", "a<br>b"},          // end tags left out
        {"<li></li><li>b</li>", "<br>b"},  // an empty item stays an empty line
        {"x<li>a</li>", "x<br>a"},         // text outside the items is kept
        {"<li>a &lt; b</li>", "a &lt; b"},
    };
    for (const TextCase &c : cases)
        EXPECT_EQ(ListItemsAsLines(S(c.input)), S(c.expected)) << c.input;
}

TEST(ListLinesInPlace, separatesTheLinesFromTextAndInlineNeighboursButNotFromBlocks)
{
    struct PlaceCase {
        const char *before;
        const char *after;
        const char *expected;
    };
    const PlaceCase cases[] = {
        {"", "", "a<br>b"},
        {" \r\n", "\n", "a<br>b"},
        {"before", "after", "<br>a<br>b<br>"},
        {"x <b>bold</b>", "<i>y</i>", "<br>a<br>b<br>"},
        {"<p>x</p>", "<div>y</div>", "a<br>b"},
        {"<H1>T</H1>\r\n", "<TABLE><tr><td>c</td></tr></TABLE>", "a<br>b"},
        {"x<br>", "<hr>", "a<br>b"},
        {"a > b", "c < d", "<br>a<br>b<br>"},
    };
    for (const PlaceCase &c : cases)
        EXPECT_EQ(ListLinesInPlace(S("a<br>b"), S(c.before), S(c.after)), S(c.expected)) << c.before << "|" << c.after;
}
