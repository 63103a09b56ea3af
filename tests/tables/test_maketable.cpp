#include "tables/maketable.h"

#include "markedtext.h"

#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;

namespace {

const QString kDefaultTable = u"\r\n<TABLE cellspacing=\"0\" cellpadding=\"0\" border=\"0\" >\r\n"_s;
const QString kDefaultCell = u"<TD align=\"left\" valign=\"top\" >&nbsp;</TD>\r\n"_s;

TableFields Sized(const char16_t *rows, const char16_t *cols)
{
    TableFields f;
    f.rows = QString::fromUtf16(rows);
    f.cols = QString::fromUtf16(cols);
    return f;
}

} // namespace

TEST(MakeTableVar, buildsTheTableOfTheFields)
{
    const QString row2 = u"<TR>\r\n"_s + kDefaultCell + kDefaultCell + u"</TR>\r\n"_s;
    TableFields blankCells;
    blankCells.cellAlign.clear();
    blankCells.cellValign.clear();
    TableFields blankTable;
    blankTable.border = blankTable.padding = blankTable.spacing = QString();

    TableFields everything;
    everything.width = u" 80 "_s;
    everything.height = u"40"_s;
    everything.spacing = u"1"_s;
    everything.padding = u"2"_s;
    everything.border = u"3"_s;
    everything.align = u" center "_s;
    everything.color = u" Red "_s;
    everything.cellAlign = u"right"_s;
    everything.cellValign = u"bottom"_s;
    everything.cellColor = u"#00FF00"_s;
    everything.colspan = u"2"_s;
    everything.rowspan = u"3"_s;
    everything.cellWidth = u" 10"_s;
    everything.cellHeight = u"20"_s;

    const struct {
        const char *why;
        TableFields fields;
        QString expected;
    } cases[] = {
        {"the defaults", TableFields(),
         kDefaultTable + u"\r\n<TR>\r\n"_s + kDefaultCell + u"</TR>\r\n</TABLE>\r\n"_s},
        {"no rows", Sized(u"0", u"3"), kDefaultTable + u"</TABLE>\r\n"_s},
        {"two rows without cells", Sized(u"2", u"0"),
         kDefaultTable + u"\r\n\r\n<TR>\r\n</TR>\r\n<TR>\r\n</TR>\r\n</TABLE>\r\n"_s},
        {"three rows of two: three empty lines first", Sized(u"3", u"2"),
         kDefaultTable + u"\r\n\r\n\r\n"_s + row2 + row2 + row2 + u"</TABLE>\r\n"_s},
        {"every cell field blank", blankCells,
         kDefaultTable + u"\r\n<TR>\r\n<TD >&nbsp;</TD>\r\n</TR>\r\n</TABLE>\r\n"_s},
        {"every table field blank", blankTable,
         u"\r\n<TABLE >\r\n\r\n<TR>\r\n"_s + kDefaultCell + u"</TR>\r\n</TABLE>\r\n"_s},
        {"every piece, in order; the colours and cell values as typed", everything,
         u"\r\n<TABLE width=\"80\" height=\"40\" cellspacing=\"1\" cellpadding=\"2\" border=\"3\" align=\"center\" "
         "bgcolor=\" Red \" >\r\n\r\n<TR>\r\n<TD align=\"right\" valign=\"bottom\" bgcolor=\"#00FF00\" colspan=\"2\" "
         "rowspan=\"3\" width=\" 10\" height=\"20\" >&nbsp;</TD>\r\n</TR>\r\n</TABLE>\r\n"_s},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(MakeTableVar(c.fields), std::optional<QString>(c.expected));
    }
}

TEST(MakeTableVar, refusesTablesBeyondTheLimits)
{
    const struct {
        const char16_t *rows;
        const char16_t *cols;
        bool built;
    } cases[] = {
        {u"1000", u"10", true},   {u"1001", u"1", false},  {u"100", u"100", true},
        {u"100", u"101", false},  {u"1", u"10001", false}, {u"1001", u"0", false},
        {u"0", u"2000000000", true}, {u"-5", u"2000000000", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(QString::fromUtf16(c.rows).toStdString() + " x " + QString::fromUtf16(c.cols).toStdString());
        const TableFields f = Sized(c.rows, c.cols);
        EXPECT_EQ(TableSizeAllowed(f), c.built);
        EXPECT_EQ(MakeTableVar(f).has_value(), c.built);
    }
    const std::optional<QString> big = MakeTableVar(Sized(u"100", u"100"));
    ASSERT_TRUE(big.has_value());
    EXPECT_EQ(big->count(u"<TD "), 10000);
}

TEST(CorrectedTableFields, correctsWhatIsNotAnInteger)
{
    TableFields typed;
    typed.rows = u"abc"_s;
    typed.cols = u""_s;
    typed.width = u"50%"_s;
    typed.height = u" 7 "_s;
    typed.border = u"thin"_s;
    typed.padding = u""_s;
    typed.spacing = u"-2"_s;
    typed.cellWidth = u"1e3"_s;
    typed.cellHeight = u"99999999999"_s;
    typed.colspan = u"+2"_s;
    typed.rowspan = u"x"_s;
    typed.align = u"bleedleft"_s;
    typed.color = u"not checked"_s;

    TableFields expected = typed;
    expected.rows = u"1"_s;
    expected.cols = u"1"_s;
    expected.width = QString();
    expected.border = u"0"_s;
    expected.cellWidth = QString();
    expected.cellHeight = QString();
    expected.rowspan = QString();
    EXPECT_EQ(CorrectedTableFields(typed), expected);
    EXPECT_EQ(CorrectedTableFields(TableFields()), TableFields());
}

TEST(TableSourceInsertion, lowersTheLettersAZOnly)
{
    EXPECT_EQ(TableSourceInsertion(u"\r\n<TABLE bgcolor=\"RED\" >Ä</TABLE>\r\n"_s),
              std::optional<QString>(u"\r\n<table bgcolor=\"red\" >Ä</table>\r\n"_s));
    EXPECT_EQ(TableSourceInsertion(u" \r\n "_s), std::nullopt);
}
