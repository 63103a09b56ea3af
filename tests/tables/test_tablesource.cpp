#include "tables/tablesource.h"

#include "markedtext.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::Applied;
using test::Mark;
using test::Unmark;

namespace {

struct SelectCase {
    const char *why;
    QString marked;
    const char16_t *tag;
    QString expected; // the text with the found element marked; empty: nothing found
};

QString Select(const QString &marked, const char16_t *tag)
{
    const auto [text, selection] = Unmark(marked);
    const EnclosingTag found = SelectEnclosingTag(text, selection, QStringView(tag));
    return found.range ? Mark(text, *found.range) : QString();
}

const QString kNested = QStringLiteral(
    "<table><tr><td>outer<table><tr><th>h1</th></tr><tr><td>inner</td></tr></table>after</td></tr></table>");

} // namespace

TEST(SelectEnclosingTag, findsTheElementThatReallyHoldsTheCaretOrSelection)
{
    const SelectCase cases[] = {
        {"caret in the second cell", u"<table><tr><td>a</td><td>b|c</td></tr></table>"_s, u"td",
         u"<table><tr><td>a</td>[<td>bc</td>]</tr></table>"_s},
        {"a row tag that ends right at the caret counts",
         u"<table><tr><td>a</td></tr><tr>|<td>b</td></tr></table>"_s, u"tr",
         u"<table><tr><td>a</td></tr>[<tr><td>b</td></tr>]</table>"_s},
        {"caret inside the cell tag's name", u"<tr><t|d>a</td></tr>"_s, u"td", u"<tr>[<td>a</td>]</tr>"_s},
        {"caret just behind the closing tag", u"<tr><td>a</td>|<td>b</td></tr>"_s, u"td",
         u"<tr>[<td>a</td>]<td>b</td></tr>"_s},
        {"caret just before the opening tag", u"<tr>|<td>a</td></tr>"_s, u"td", QString()},
        {"a paragraph behind the table is not in it",
         u"<table><tr><td>a</td></tr></table><p>af|ter</p>"_s, u"table", QString()},
        {"a paragraph behind the table is in no cell",
         u"<table><tr><td>a</td></tr></table><p>af|ter</p>"_s, u"td", QString()},
        {"a cell without its closing tag is not taken, nor paired with a later table's",
         u"<table><tr><td>a|<td>b</td></tr></table><table><tr><td>x</td></tr></table>"_s, u"td", QString()},
        {"a table at the very start of the text", u"<table><tr><td>a|</td></tr></table>"_s, u"table",
         u"[<table><tr><td>a</td></tr></table>]"_s},
        {"upper-case tags", u"<TABLE><TR><TD>a|</TD></TR></TABLE>"_s, u"td",
         u"<TABLE><TR>[<TD>a</TD>]</TR></TABLE>"_s},
        {"a row with attributes", u"<table><tr><td>a</td></tr><tr class=\"x\"><td>b|</td></tr></table>"_s,
         u"tr", u"<table><tr><td>a</td></tr>[<tr class=\"x\"><td>b</td></tr>]</table>"_s},
        {"line breaks inside the row", u"<table>\r\n<tr>\r\n<td>a|</td>\r\n</tr>\r\n</table>"_s, u"tr",
         u"<table>\r\n[<tr>\r\n<td>a</td>\r\n</tr>]\r\n</table>"_s},
        {"a cell tag inside a comment does not count",
         u"<table><tr><td>a</td><!-- <td> -->x|</tr></table>"_s, u"td", QString()},
        {"a cell tag inside a script is text", u"<tr><td>a<script>var s = '</td>';</script>b|</td></tr>"_s, u"td",
         u"<tr>[<td>a<script>var s = '</td>';</script>b</td>]</tr>"_s},
        {"a \">\" inside an attribute value", u"<tr><td title=\"a>b\">x|</td></tr>"_s, u"td",
         u"<tr>[<td title=\"a>b\">x</td>]</tr>"_s},
        {"a selected cell selects itself again", u"<tr><td>a</td>[<td>b</td>]</tr>"_s, u"td",
         u"<tr><td>a</td>[<td>b</td>]</tr>"_s},
        {"a selection across two cells is in no cell", u"<tr><td>a[a</td><td>b]b</td></tr>"_s, u"td",
         QString()},
        {"a selection across two cells is in their row", u"<table><tr><td>a[a</td><td>b]b</td></tr></table>"_s,
         u"tr", u"<table>[<tr><td>aa</td><td>bb</td></tr>]</table>"_s},
        {"a form", u"<form action=\"x\"><input name=a|></form>"_s, u"form",
         u"[<form action=\"x\"><input name=a></form>]"_s},
    };
    for (const SelectCase &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(Select(c.marked, c.tag), c.expected);
    }
}

TEST(SelectEnclosingTag, stopsCellAndRowLookupsAtTheNearestTable)
{
    const auto at = [](const QString &text, const QString &word) {
        QString marked = text;
        return marked.insert(text.indexOf(word) + 1, u'|');
    };
    const QString innerCell = QStringLiteral("<td>inner</td>");
    const QString innerTable = kNested.mid(kNested.indexOf(u"<table>", 1), kNested.indexOf(u"</table>") + 8 - kNested.indexOf(u"<table>", 1));
    const QString innerHeaderRow = QStringLiteral("<tr><th>h1</th></tr>");
    const QString outerCell = kNested.mid(kNested.indexOf(u"<td>"), kNested.lastIndexOf(u"</td>") + 5 - kNested.indexOf(u"<td>"));

    const struct {
        const char *why;
        const char *word;
        const char16_t *tag;
        QString expectedRange; // empty: nothing found
    } cases[] = {
        {"a cell of the nested table", "inner", u"td", innerCell},
        {"the nested table", "inner", u"table", innerTable},
        {"a header cell of the nested table is not the outer cell", "h1", u"td", QString()},
        {"the header cell's row is the nested table's row", "h1", u"tr", innerHeaderRow},
        {"text behind the nested table is in the outer cell", "after", u"td", outerCell},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const auto [text, selection] = Unmark(at(kNested, QLatin1String(c.word)));
        const EnclosingTag found = SelectEnclosingTag(text, selection, QStringView(c.tag));
        EXPECT_EQ(found.range ? text.mid(found.range->start, found.range->length) : QString(), c.expectedRange);
    }

    const QString caption = QStringLiteral("<table><tr><td><table><caption>c|ap</caption><tr><td>x</td></tr></table></td></tr></table>");
    EXPECT_EQ(Select(caption, u"td"), QString());
    EXPECT_EQ(Select(caption, u"tr"), QString());
}

TEST(SelectEnclosingTag, setsTheFlagOfItsTagOnlyWhenItFindsTheElement)
{
    const QString text = QStringLiteral("<form><table><tr><td>a</td></tr></table></form>");
    const TextSelection inCell{text.indexOf(u">a<") + 2, 0};
    const struct {
        const char16_t *tag;
        bool td;
        bool rowOrTable;
    } cases[] = {{u"td", true, false}, {u"TR", false, true}, {u"table", false, true}, {u"form", false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.tag).toStdString());
        const EnclosingTag found = SelectEnclosingTag(text, inCell, QStringView(c.tag));
        ASSERT_TRUE(found.range.has_value());
        EXPECT_EQ(found.TdSelectedFlag, c.td);
        EXPECT_EQ(found.RowOrTableSelectedFlag, c.rowOrTable);
    }
    const EnclosingTag outside = SelectEnclosingTag(text, TextSelection{0, 0}, u"td");
    EXPECT_FALSE(outside.range.has_value());
    EXPECT_FALSE(outside.TdSelectedFlag);
    EXPECT_FALSE(outside.RowOrTableSelectedFlag);
}

TEST(DeleteEnclosingElement, removesExactlyTheElementThatHoldsTheCaret)
{
    const struct {
        const char *why;
        QString marked;
        const char16_t *tag;
        QString expected; // empty: nothing to delete
    } cases[] = {
        {"the row whose tag ends at the caret, not the row before",
         u"<table><tr><td>1</td></tr><tr>|<td>2</td></tr></table>"_s, u"tr",
         u"<table><tr><td>1</td></tr>|</table>"_s},
        {"a cell selected by the select command", u"<tr><td>1</td>[<td>2</td>]<td>3</td></tr>"_s, u"td",
         u"<tr><td>1</td>|<td>3</td></tr>"_s},
        {"the nested table only", u"<table><tr><td>x<table><tr><td>i|</td></tr></table></td></tr></table>"_s,
         u"table", u"<table><tr><td>x|</td></tr></table>"_s},
        {"a lone opening tag is never deleted", u"<table><tr><td>a|"_s, u"td", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const auto [text, selection] = Unmark(c.marked);
        const std::optional<SourceEdit> edit = DeleteEnclosingElement(text, selection, QStringView(c.tag));
        EXPECT_EQ(edit ? Applied(text, *edit) : QString(), c.expected);
    }
}

TEST(InsertRowInSource, putsOneRowBeforeOrBehindTheRowThatHoldsTheCaret)
{
    const QString row = SourceRowText();
    EXPECT_EQ(row, u"<tr><td align=\"left\" valign=\"top\">&nbsp;</td></tr>"_s);
    const QString table = QStringLiteral("<table>\r\n<tr><td>1</td></tr>\r\n<TR><TD>2%1</TD></TR>\r\n</table>");
    const auto selected = [&](const QString &text, qsizetype at) { return Mark(text, {at, 1}); };
    const QString base = table.arg(QString());
    const qsizetype secondRow = base.indexOf(u"<TR>");
    const qsizetype behindSecond = base.indexOf(u"</TR>") + 5;

    const struct {
        const char *why;
        QString marked;
        InsertPlace place;
        QString expected;
    } cases[] = {
        {"behind the second row", table.arg(u"|"_s), InsertPlace::Behind,
         selected(QString(base).insert(behindSecond, row), behindSecond)},
        {"before the second row", table.arg(u"|"_s), InsertPlace::Before,
         selected(QString(base).insert(secondRow, row), secondRow)},
        {"outside any table, at the caret", u"<p>a|b</p>"_s, InsertPlace::Behind,
         selected(u"<p>a"_s + row + u"b</p>"_s, 4)},
        {"a caret inside a tag goes behind the tag", u"<p cla|ss=x>b</p>"_s, InsertPlace::Before,
         selected(u"<p class=x>"_s + row + u"b</p>"_s, 11)},
        {"a selected row: the new row follows it", u"<table>[<tr><td>1</td></tr>]</table>"_s,
         InsertPlace::Behind, selected(u"<table><tr><td>1</td></tr>"_s + row + u"</table>"_s, 26)},
        {"a selected row: the new row precedes it", u"<table>[<tr><td>1</td></tr>]</table>"_s,
         InsertPlace::Before, selected(u"<table>"_s + row + u"<tr><td>1</td></tr></table>"_s, 7)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const auto [text, selection] = Unmark(c.marked);
        EXPECT_EQ(Applied(text, InsertRowInSource(text, selection, c.place)), c.expected);
    }
}

TEST(InsertRowInSource, aCaretInANestedTablesRowAddsToTheNestedTable)
{
    const auto [text, selection] =
        Unmark(u"<table><tr><td><table><tr><td>i|</td></tr></table>o</td></tr></table>"_s);
    const SourceEdit edit = InsertRowInSource(text, selection, InsertPlace::Behind);
    EXPECT_EQ(ApplySourceEdit(text, edit),
              u"<table><tr><td><table><tr><td>i</td></tr>"_s + SourceRowText() + u"</table>o</td></tr></table>"_s);

    const auto [outerText, outerCaret] =
        Unmark(u"<table><tr><td><table><tr><td>i</td></tr></table>o|</td></tr></table>"_s);
    const SourceEdit outer = InsertRowInSource(outerText, outerCaret, InsertPlace::Before);
    EXPECT_EQ(ApplySourceEdit(outerText, outer), u"<table>"_s + SourceRowText()
                                                   + u"<tr><td><table><tr><td>i</td></tr></table>o</td></tr></table>"_s);
}

TEST(InsertCellInSource, putsOneCellWhereTheCaretOrTheSelectedRowSays)
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
        {"in front of the third cell", u"<tr><td>1</td><td>2</td><td>3|</td></tr>"_s,
         with(u"<tr><td>1</td><td>2</td>", u"<td>3</td></tr>")},
        {"behind the cell just left", u"<tr><td>1</td>|<td>2</td></tr>"_s,
         with(u"<tr><td>1</td>", u"<td>2</td></tr>")},
        {"in front of a header cell, never inside it", u"<tr><th>Na|me</th></tr>"_s, with(u"<tr>", u"<th>Name</th></tr>")},
        {"upper-case tags", u"<TR><TD>x|</TD></TR>"_s, with(u"<TR>", u"<TD>x</TD></TR>")},
        {"outside any table", u"a|b"_s, with(u"a", u"b")},
        {"a caret in a table tag goes behind the tag", u"<table bor|der=1><tr></tr></table>"_s,
         with(u"<table border=1>", u"<tr></tr></table>")},
        {"a selected row gets a first cell", u"<table>[<tr><td>1</td></tr>]</table>"_s,
         with(u"<table><tr>", u"<td>1</td></tr></table>")},
        {"an indented selected row: the row tag stays whole", u"<table>\r\n[  <tr><td>1</td></tr>]\r\n</table>"_s,
         with(u"<table>\r\n  <tr>", u"<td>1</td></tr>\r\n</table>")},
        {"a selected row with attributes", u"<table>[<tr class=\"a>b\"><td>1</td></tr>]</table>"_s,
         with(u"<table><tr class=\"a>b\">", u"<td>1</td></tr></table>")},
        {"behind a selected cell", u"<tr>[<td>1</td>]</tr>"_s, with(u"<tr><td>1</td>", u"</tr>")},
        {"a cell of the nested table",
         u"<table><tr><td><table><tr><td>i|</td></tr></table></td></tr></table>"_s,
         with(u"<table><tr><td><table><tr>", u"<td>i</td></tr></table></td></tr></table>")},
        {"the outer cell, for a caret behind the nested table",
         u"<table><tr><td><table><tr><td>i</td></tr></table>o|</td></tr></table>"_s,
         with(u"<table><tr>", u"<td><table><tr><td>i</td></tr></table>o</td></tr></table>")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        const auto [text, selection] = Unmark(c.marked);
        EXPECT_EQ(Applied(text, InsertCellInSource(text, selection)), c.expected);
    }
}

TEST(FindInsertionPoint, movesTheCaretOnlyWhenItWasInsideAndEmptiesTheSelectionThen)
{
    const auto [text, selection] = Unmark(u"<tr><td>a[b</td><td>c]</td></tr>"_s);
    const InsertionPoint cell = FindInsertionPoint(text, selection, TablePart::Cell, InsertPlace::Behind);
    EXPECT_TRUE(cell.inside);
    EXPECT_EQ(cell.selection, (TextSelection{text.indexOf(u"<td>c"), 0}));
    const InsertionPoint row = FindInsertionPoint(text, selection, TablePart::Row, InsertPlace::Before);
    EXPECT_TRUE(row.inside);
    EXPECT_EQ(row.selection, (TextSelection{0, 0}));

    const auto [outside, kept] = Unmark(u"x[y<tr><td>a</td></tr>]"_s);
    const InsertionPoint none = FindInsertionPoint(outside, kept, TablePart::Cell, InsertPlace::Before);
    EXPECT_FALSE(none.inside);
    EXPECT_EQ(none.selection, kept);
}

TEST(CombineSourceEdits, makesOneEditOfTwo)
{
    const QString text = QStringLiteral("0123456789");
    const SourceEdit first{2, 3, QStringLiteral("ab"), {4, 0}};                   // 01ab56789
    const struct {
        SourceEdit second;
        QString expected;
    } cases[] = {
        {{0, 1, QStringLiteral("X"), {1, 0}}, QStringLiteral("X1ab56789")},
        {{3, 0, QStringLiteral("Y"), {3, 1}}, QStringLiteral("01aYb56789")},
        {{7, 2, QString(), {7, 0}}, QStringLiteral("01ab567")},
    };
    for (const auto &c : cases) {
        const SourceEdit both = CombineSourceEdits(text, first, c.second);
        EXPECT_EQ(ApplySourceEdit(text, both), c.expected);
        EXPECT_EQ(both.selection, c.second.selection);
    }
}
