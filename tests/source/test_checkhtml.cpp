#include "source/checkhtml.h"
#include "source/checkhtmlsteps.h"

#include "cataloguefixture.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace korvel;

namespace {


// A complete skeleton around a piece of body text, so that only the piece can change.
QString InBody(const QString &piece)
{
    return S("<html><head></head><body>") + piece + S("</body></html>");
}

CheckHtmlResult Check(const QString &text)
{
    return CheckHtml(text, test::EnglishLines());
}

} // namespace

struct PieceCase {
    const char *name;
    const char *before;
    const char *after;
};

void PrintTo(const PieceCase &c, std::ostream *os)
{
    *os << c.name;
}

class CheckHtmlPieceTest : public ::testing::TestWithParam<PieceCase> {};

TEST_P(CheckHtmlPieceTest, rewritesThePieceInTheBody)
{
    const CheckHtmlResult result = Check(InBody(S(GetParam().before)));
    EXPECT_EQ(result.text, InBody(S(GetParam().after)));
    EXPECT_TRUE(result.CheckReport.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CheckHtmlPieceTest,
    ::testing::Values(
        PieceCase{"values get quotes", "<td width=100 height=5>x</td>", "<td width=\"100\" height=\"5\">x</td>"},
        PieceCase{"quoted value unchanged", "<a href=\"x y\">z</a>", "<a href=\"x y\">z</a>"},
        PieceCase{"value ends at the blank", "<a href=x y>z</a>", "<a href=\"x\" y>z</a>"},
        PieceCase{"every = counts, also in text", "1 = 2", "1 =\"\" 2"},
        PieceCase{"value ends at a quote", "<a b=c\"d\">", "<a b=\"c\"d\">"},
        PieceCase{"break inside a tag", "<a\r\nhref=\"x\">z</a>", "<a href=\"x\">z</a>"},
        PieceCase{"<o:p> goes, </o:p> stays", "<p><o:p></o:p></p>", "<p></o:p></p>"},
        PieceCase{"empty row goes", "<p>a<TR>&nbsp;</tr>b</p>", "<p>ab</p>"},
        PieceCase{"blank before >", "<p >x</p >", "<p>x</p>"},
        PieceCase{"break between tags stays", "<p>a</p>\r\n<p>b</p>", "<p>a</p>\r\n<p>b</p>"},
        PieceCase{"blank runs collapse", "a     b", "a b"},
        PieceCase{"> < joins", "<p>a</p> <p>b</p>", "<p>a</p><p>b</p>"}));

TEST(CheckHtml, flagsAnUnclosedDivAndReportsIt)
{
    const CheckHtmlResult result = Check(S("<body><div a><div b></div></body>"));
    EXPECT_EQ(result.text, S("<html>\r\n<head>\r\n</head>\r\n<body><div a></!CheckThis><div b></div></body></html>"));
    EXPECT_EQ(result.CheckReport, S("\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
    EXPECT_EQ(result.message, S("Code check finished.\r\n\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
}

TEST(CheckHtml, blanksRedundantClosingTags)
{
    const CheckHtmlResult result = Check(S("<body></div><div>x</div></div></body>"));
    EXPECT_EQ(result.text, S("<html>\r\n<head>\r\n</head>\r\n<body><div>x</div></body></html>"));
    EXPECT_EQ(result.CheckReport, S("\r\n2 redundant</div> deleted."));
}

TEST(CheckHtml, leavesMisorderedTagsOfEqualCountAlone)
{
    const CheckHtmlResult result = Check(S("<body></div><div>x</body>"));
    EXPECT_EQ(result.text, S("<html>\r\n<head>\r\n</head>\r\n<body></div><div>x</body></html>"));
    EXPECT_TRUE(result.CheckReport.isEmpty());
    EXPECT_EQ(result.message, S("Code check finished.\r\n"));
}

TEST(CheckHtml, reportsEveryKindInItsOrderInGerman)
{
    const QString text = InBody(S("<table><tr><td>a</td><td>b</tr><span>x<DIV>y</table>"));
    const CheckHtmlResult result = CheckHtml(text, test::GermanLines());
    EXPECT_EQ(result.CheckReport, S("\r\nFür <div 1 fehlt der schliessende Tag."
                                    "\r\n1</div>  fehlt(en) insgesamt "
                                    "\r\nFür <span 1 fehlt der schliessende Tag."
                                    "\r\n1</span>  fehlt(en) insgesamt "
                                    "\r\nFür <td 2 fehlt der schliessende Tag."
                                    "\r\n1</td>  fehlt(en) insgesamt "));
    // The flagged tags come back with their names in lower case, each followed by the flag.
    EXPECT_EQ(result.text, InBody(S("<table><tr><td>a</td><td></!CheckThis>b</tr>"
                                    "<span></!CheckThis>x<div></!CheckThis>y</table>")));
}

TEST(CheckHtml, countsNumberedOpeningTagsAndRedundantClosingTagsOfOneKind)
{
    // The second opening tag has no closing tag behind it; the first takes the nearest one, and
    // the two others are redundant.
    CheckHtmlResult result = Check(InBody(S("<td>a</td></td></td><td>b")));
    EXPECT_EQ(result.CheckReport, S("\r\nFor<td 2 closing Tag missing.\r\n2 redundant</td> deleted."));
    EXPECT_EQ(result.text, InBody(S("<td>a</td><td></!CheckThis>b")));

    // Pairing runs from the last opening tag: the first "<td" takes the third "</td>", so every
    // opening tag is closed and the stray ones at both ends go.
    result = Check(InBody(S("</td><td>1<td>2</td><td>3</td></td></td>")));
    EXPECT_EQ(result.CheckReport, S("\r\n2 redundant</td> deleted."));
    EXPECT_EQ(result.text, InBody(S("<td>1<td>2</td><td>3</td></td>")));
}

TEST(CheckHtml, completesTheSkeleton)
{
    EXPECT_EQ(Check(S("<p>x</p>")).text, S("<html>\r\n<head><p>x</p>\r\n</body></html>"));
    EXPECT_EQ(Check(S("<html><body>x</body>")).text, S("<html>\r\n<head>\r\n</head>\r\n<body>x</body></html>"));
    EXPECT_EQ(Check(S("<html><head><title>t</title></head></html>")).text,
              S("<html><head><title>t</title></head>\r\n<body>\r\n</body></html>"));
}

TEST(CheckHtml, keepsLineBreaksOfTheHeadAndBetweenTagsAndTrimsTheEnds)
{
    const QString text = S("\r\n  <html>\r\n<head>\r\n<meta name=a\r\n content=b>\r\n</head>\r\n<body>\r\n<p\r\nclass=x>a</p>\r\n</body>\r\n</html>\r\n\r\n");
    EXPECT_EQ(Check(text).text, S("<html>\r\n<head>\r\n<meta name=a\r\n content=b>\r\n</head>\r\n<body>\r\n"
                                  "<p class=\"x\">a</p>\r\n</body>\r\n</html>"));
}

// Flags for unclosed tags are kept apart from the text, so markup that happens to look like a
// flag stays as it was written: a document type declaration, text before "<body", tags in the
// head section, and "<!" constructs in the body.
TEST(CheckHtml, leavesTheDoctypeAndTheTextBeforeTheBodyUnchanged)
{
    const QString complete = S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n"
                               "<title>Tables</title>\r\n</head>\r\n<body>\r\n<p>x</p>\r\n</body>\r\n</html>");
    EXPECT_EQ(Check(complete).text, complete);

    // Without "<body": the declaration moves in front of the new "<html>" untouched.
    EXPECT_EQ(Check(S("<!DOCTYPE html>\r\n<p>x</p>")).text,
              S("<!DOCTYPE html>\r\n<html>\r\n<head>\r\n<p>x</p>\r\n</body></html>"));
    EXPECT_EQ(Check(S("<!doctype html><div>x")).text, S("<!doctype html>\r\n<html>\r\n<head><div></!CheckThis>x\r\n</body></html>"));

    const QString marksLookalikes = InBody(S("<!DOCTYPE x><!iv><!r><!d><!able><!pan>"));
    EXPECT_EQ(Check(marksLookalikes).text, marksLookalikes);
}

TEST(CheckHtml, flagsAnUnclosedTagBeforeTheBodyToo)
{
    const CheckHtmlResult result = Check(S("<html><head><div>x</head><body><div>y</div></body></html>"));
    EXPECT_EQ(result.text, S("<html><head><div></!CheckThis>x</head><body><div>y</div></body></html>"));
    EXPECT_EQ(result.CheckReport, S("\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
}

TEST(CheckHtml, flagsBehindTheNextAngleBracketEvenWhenItIsShared)
{
    // Both unclosed tags find the same ">" first; each adds its own flag.
    const CheckHtmlResult result = Check(InBody(S("<div <div>x")));
    EXPECT_EQ(result.text, InBody(S("<div <div></!CheckThis></!CheckThis>x")));
}

TEST(QuoteAttributeValues, givesUpWhereNoClosingQuoteFollows)
{
    EXPECT_EQ(QuoteAttributeValues(S("<body><a b=\"x>")), S("<body><a b=\"x>"));
    EXPECT_EQ(QuoteAttributeValues(S("<body>a=")), S("<body>a=\""));
    // Nothing before "<body" is quoted.
    EXPECT_EQ(QuoteAttributeValues(S("<meta a=b><body c=d>")), S("<meta a=b><body c=\"d\" >"));
    // Without an end within 300 characters only the opening quote is written.
    const QString longValue(400, QLatin1Char('v'));
    EXPECT_EQ(QuoteAttributeValues(S("a=") + longValue), S("a=\"") + longValue);
}

TEST(CollapseTagBlanks, passesOverTheCharactersBehindATagThatShrank)
{
    // The first tag loses four blanks, so the scan resumes four characters behind its ">" and
    // passes over "<c"; only the whole-text pass then collapses that tag's blanks.
    TagMarks marks;
    const QString many(100, QLatin1Char(' '));
    EXPECT_EQ(CollapseTagBlanks(S("<a     b><c") + many + S("d>"), marks), S("<a b><c  d>"));
    EXPECT_EQ(CollapseTagBlanks(S("<a     b>xxxx<c") + many + S("d>"), marks), S("<a b>xxxx<c d>"));
}

TEST(BalanceTags, keepsTheTextLengthAndMarksOnlyItsOwnKind)
{
    QString report;
    TagMarks marks;
    const QString text = S("<DIV><div></div><span>");
    const QString balanced = BalanceTags(S("<div"), S("</div>"), text, report, marks, test::EnglishLines());
    EXPECT_EQ(balanced.size(), text.size());
    EXPECT_EQ(balanced, S("<div><div></div><span>"));
    EXPECT_EQ(marks, TagMarks{0});
    EXPECT_EQ(report, S("\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
}
