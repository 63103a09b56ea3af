#include "tables/sourcemerge.h"

#include "markedtext.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::Applied;
using test::Mark;
using test::Unmark;

namespace {

// The merged text with the caret behind it, or "line N" for a refusal.
QString Merged(const QString &marked)
{
    const auto [text, selection] = Unmark(marked);
    const CellEditResult result = MergeCellsInSource(text, selection);
    if (!result.edit)
        return QStringLiteral("line %1").arg(result.errorLine);
    return Applied(text, *result.edit);
}

QString Split(const QString &marked)
{
    const auto [text, selection] = Unmark(marked);
    const CellEditResult result = SplitCellInSource(text, selection);
    if (!result.edit)
        return QStringLiteral("line %1").arg(result.errorLine);
    return Applied(text, *result.edit);
}

} // namespace

TEST(AdjustColspan, changesOnlyTheDigitsOfTheFirstCellsOwnColspan)
{
    const struct {
        QString fragment;
        int delta;
        QString expected;
    } cases[] = {
        {u"<td>x</td>"_s, 3, u"<td colspan=3 >x</td>"_s},
        {u"<td>x</td>"_s, 1, u"<td>x</td>"_s},
        {u"<td>x</td>"_s, 0, u"<td>x</td>"_s},
        {u"<td colspan=\"2\" >a</td>"_s, 3, u"<td colspan=\"4\" >a</td>"_s},
        {u"<td colspan=\"4\">x</td>"_s, 0, u"<td colspan=\"3\">x</td>"_s},
        {u"<td colspan=\"1\">x</td>"_s, 0, u"<td colspan=\"1\">x</td>"_s},
        // The value's digits only: the content and other attributes are never read or written.
        {u"<td colspan=\"2\">1</td><td>2</td>"_s, 2, u"<td colspan=\"3\">1</td><td>2</td>"_s},
        {u"<td colspan=\"1\">2</td><td>12</td>"_s, 2, u"<td colspan=\"2\">2</td><td>12</td>"_s},
        {u"<td colspan=4>10</td>"_s, 2, u"<td colspan=5>10</td>"_s},
        {u"<tr height=\"2\"><td colspan=\"2\" >a</td></tr>"_s, 2, u"<tr height=\"2\"><td colspan=\"3\" >a</td></tr>"_s},
        {u"<td title=\"colspan=5\" colspan='2'>x</td>"_s, 2, u"<td title=\"colspan=5\" colspan='3'>x</td>"_s},
        {u"<td title=\"a>b\">x</td>"_s, 2, u"<td title=\"a>b\" colspan=2 >x</td>"_s},
        // Any letter case and blanks around "=".
        {u"<TD COLSPAN = \"4\">x</TD>"_s, 0, u"<TD COLSPAN = \"3\">x</TD>"_s},
        {u"<TH ColSpan=2>h</TH>"_s, 2, u"<TH ColSpan=3>h</TH>"_s},
        // A value without digits counts as none.
        {u"<td colspan=\"\">x</td>"_s, 2, u"<td colspan=\"2\">x</td>"_s},
        {u"<td colspan=\"wide\">x</td>"_s, 0, u"<td colspan=\"1\">x</td>"_s},
        {u"<td colspan>x</td>"_s, 3, u"<td colspan=3>x</td>"_s},
        // The first cell tag wherever it stands; nothing when there is none.
        {u"x</td><td>a</td>"_s, 2, u"x</td><td colspan=2 >a</td>"_s},
        {u"<tbody><tr><td>a</td>"_s, 2, u"<tbody><tr><td colspan=2 >a</td>"_s},
        {u"<p>no cell</p>"_s, 5, u"<p>no cell</p>"_s},
        {u"<td class=\"x\""_s, 3, u"<td class=\"x\""_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fragment.toStdString());
        EXPECT_EQ(AdjustColspan(c.fragment, c.delta), c.expected);
    }
}

TEST(MergeCellsInSource, keepsEveryCellsContentInOrderAndSumsTheSpans)
{
    const struct {
        const char *why;
        QString marked;
        QString expected;
    } cases[] = {
        {"two cells", u"[<td>a</td><td>b</td>]"_s, u"<td colspan=2 >a b</td>|"_s},
        {"a whole row", u"<table>[<tr><td>a</td><td>b</td><td>c</td></tr>]</table>"_s,
         u"<table><tr><td colspan=3 >a b c</td></tr>|</table>"_s},
        {"the first cell's colspan grows", u"[<td colspan=\"2\" >a</td><td>b</td><td>c</td>]"_s,
         u"<td colspan=\"4\" >a b c</td>|"_s},
        {"an absorbed cell brings its own span", u"[<td>a</td><td colspan=\"2\">b</td>]"_s,
         u"<td colspan=3 >a b</td>|"_s},
        {"case, attributes and line breaks stay as typed",
         u"[<TD Class=\"X\">Two\r\nWords</TD>\r\n<TD>Berlin</TD>]"_s,
         u"<TD Class=\"X\" colspan=2 >Two\r\nWords \r\nBerlin</TD>|"_s},
        {"digits in the content are not the colspan", u"[<td colspan=\"1\">2</td><td>12</td>]"_s,
         u"<td colspan=\"2\">2 12</td>|"_s},
        {"an unquoted colspan followed by digits", u"[<td colspan=4>10</td><td>x</td>]"_s,
         u"<td colspan=5>10 x</td>|"_s},
        {"a row's attribute is not the cell's colspan",
         u"<table>[<tr height=\"2\"><td colspan=\"2\" >a</td><td>b</td></tr>]</table>"_s,
         u"<table><tr height=\"2\"><td colspan=\"3\" >a b</td></tr>|</table>"_s},
        {"upper-case colspan with blanks", u"[<TD COLSPAN = \"2\">a</TD><TD>b</TD>]"_s,
         u"<TD COLSPAN = \"3\">a b</TD>|"_s},
        {"a cell whose closing tag was left out", u"[<td>a<td>b</td>]"_s, u"<td colspan=2 >a b</td>|"_s},
        {"header cells", u"[<th>a</th><th>b</th>]"_s, u"<th colspan=2 >a b</th>|"_s},
        {"a selection at the very start of the text is merged too", u"[<td>a</td><td>b</td>]<td>c</td>"_s,
         u"<td colspan=2 >a b</td>|<td>c</td>"_s},
        {"surrounding text stays", u"<tr><td>0</td>[<td>a</td><td>b</td>]</tr>"_s,
         u"<tr><td>0</td><td colspan=2 >a b</td>|</tr>"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Merged(c.marked), c.expected);
    }
}

TEST(MergeCellsInSource, refusesSelectionsItCannotMergeWithoutLosingTheTable)
{
    const struct {
        const char *why;
        QString marked;
        int line;
    } cases[] = {
        {"a blank selection", u"<td>a</td>[ \r\n ]<td>b</td>"_s, kLineSelectTwoCells},
        {"a caret", u"<td>a|</td><td>b</td>"_s, kLineSelectTwoCells},
        {"one cell", u"[<td>a</td>]<td>b</td>"_s, kLineSelectTwoCells},
        {"no cell tag", u"[some text]"_s, kLineSelectTwoCells},
        {"the second cell is not selected up to its end", u"[<td>a</td><td>b]</td>"_s, kLineSelectTwoCells},
        {"an opening tag without its end", u"[<td class=\"x]\">a</td>"_s, kLineSelectTwoCells},
        {"a nested table between the cells", u"[<td>a<table><tr><td>x</td></tr></table></td><td>b</td>]"_s,
         kLineMergeAcrossTables},
        {"the end of a table between the cells", u"[<td>a</td></tr></table></td><td>b</td>]"_s,
         kLineMergeAcrossTables},
        {"two rows", u"[<td>a</td><td>b</td></tr><tr><td>c</td><td>d</td>]"_s, kLineAcrossRows},
        {"an upper-case row end", u"[<td>a</td></TR><td>b</td>]"_s, kLineAcrossRows},
        {"only empty cells", u"[<td></td> <td> </td>]"_s, kLineMergeFailed},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Merged(c.marked), QStringLiteral("line %1").arg(c.line));
    }
}

TEST(SplitCellInSource, lowersTheColspanByOneAndPutsOneCellBehind)
{
    const QString cell = kSourceCellText.toString();
    const auto with = [&](const char16_t *before, const char16_t *after) {
        const QString head = QString::fromUtf16(before);
        return Mark(head + cell + QString::fromUtf16(after), {head.size(), 1});
    };
    const struct {
        const char *why;
        QString marked;
        QString expected;
    } cases[] = {
        {"a colspan of four becomes three beside the new cell", u"<tr>[<td colspan=\"4\" >x</td>]<td>y</td></tr>"_s,
         with(u"<tr><td colspan=\"3\" >x</td>", u"<td>y</td></tr>")},
        {"a cell without colspan stays and the row gains a cell", u"<tr>[<td>x</td>]</tr>"_s,
         with(u"<tr><td>x</td>", u"</tr>")},
        {"upper case", u"<TR>[<TD COLSPAN=\"4\">x</TD>]</TR>"_s, with(u"<TR><TD COLSPAN=\"3\">x</TD>", u"</TR>")},
        {"a selected row: the new cell goes in front of its end",
         u"<table>\r\n[<tr><td colspan=2>a</td></tr>]\r\n</table>"_s,
         with(u"<table>\r\n<tr><td colspan=1>a</td>", u"</tr>\r\n</table>")},
        {"blanks around the selected cell are dropped", u"<tr>[ \r\n<td colspan=\"2\">x</td> ]</tr>"_s,
         with(u"<tr><td colspan=\"1\">x</td>", u"</tr>")},
        {"a blank selection", u"<tr><td>x</td>[  ]</tr>"_s, u"line 50"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Split(c.marked), c.expected);
    }
}
