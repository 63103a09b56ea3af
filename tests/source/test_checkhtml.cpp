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
        PieceCase{"= in text stays", "1 = 2, a=b", "1 = 2, a=b"},
        PieceCase{"single quotes count as quotes", "<a href='x y' b = \"c\">z</a>", "<a href='x y' b = \"c\">z</a>"},
        PieceCase{"value after blanks", "<a b= c>z</a>", "<a b= \"c\">z</a>"},
        PieceCase{"value ends at a line break", "<a b=c\r\nd=e>z</a>", "<a b=\"c\" d=\"e\">z</a>"},
        PieceCase{"value ends at a quote", "<a b=c\"d\">", "<a b=\"c\"d\">"},
        PieceCase{"break inside a tag", "<a\r\nhref=\"x\">z</a>", "<a href=\"x\">z</a>"},
        PieceCase{"<o:p> goes, </o:p> stays", "<p><o:p></o:p></p>", "<p></o:p></p>"},
        PieceCase{"empty row goes", "<p>a<TR>&nbsp;</tr>b</p>", "<p>ab</p>"},
        PieceCase{"blank before >", "<p >x</p >", "<p>x</p>"},
        PieceCase{"break between tags stays", "<p>a</p>\r\n<p>b</p>", "<p>a</p>\r\n<p>b</p>"},
        PieceCase{"blank runs collapse inside tags only", "<p    class=\"a   b\">a     b</p>", "<p class=\"a   b\">a     b</p>"},
        PieceCase{"blank between tags stays", "<b>a</b> <i>b</i>", "<b>a</b> <i>b</i>"}));

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

TEST(CheckHtml, keepsLineBreaksOfTheHeadBetweenTagsAndAtTheEnds)
{
    const QString text = S("\r\n  <html>\r\n<head>\r\n<meta name=a\r\n content=b>\r\n</head>\r\n<body>\r\n<p\r\nclass=x>a</p>\r\n</body>\r\n</html>\r\n\r\n");
    EXPECT_EQ(Check(text).text, S("\r\n  <html>\r\n<head>\r\n<meta name=a\r\n content=b>\r\n</head>\r\n<body>\r\n"
                                  "<p class=\"x\">a</p>\r\n</body>\r\n</html>\r\n\r\n"));
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

TEST(CheckHtml, aLessThanSignInsideATagIsPartOfThatTag)
{
    // "<div <div>" is one tag with an attribute named "<div": one unclosed div, one flag.
    const CheckHtmlResult result = Check(InBody(S("<div <div>x")));
    EXPECT_EQ(result.text, InBody(S("<div <div></!CheckThis>x")));
    EXPECT_EQ(result.CheckReport, S("\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
}

TEST(QuoteAttributeValues, givesUpWhereNoClosingQuoteFollows)
{
    EXPECT_EQ(QuoteAttributeValues(S("<body><a b=\"x>")), S("<body><a b=\"x>"));
    EXPECT_EQ(QuoteAttributeValues(S("<body>a=")), S("<body>a="));
    // Nothing before the body tag is quoted.
    EXPECT_EQ(QuoteAttributeValues(S("<meta a=b><body c=d>")), S("<meta a=b><body c=\"d\">"));
    // Without an end within 300 characters only the opening quote is written.
    const QString longValue(400, QLatin1Char('v'));
    EXPECT_EQ(QuoteAttributeValues(S("<a b=") + longValue + S(">")), S("<a b=\"") + longValue + S(">"));
}

TEST(CollapseTagBlanks, collapsesRunsBetweenThePartsOfTagsAndCarriesTheMarks)
{
    // Six passes of two-blanks-to-one: a run of 100 blanks keeps two.
    const QString many(100, QLatin1Char(' '));
    const QString text = S("<a     b>x  y<c") + many + S("d title='p   q'><div   e>");
    TagMarks marks{qsizetype(text.indexOf(S("<div")))};
    const QString collapsed = CollapseTagBlanks(text, marks);
    EXPECT_EQ(collapsed, S("<a b>x  y<c  d title='p   q'><div e>"));
    EXPECT_EQ(marks, TagMarks{collapsed.indexOf(S("<div"))});
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

// Valid pages as three kinds of generators write them come back unchanged and without a
// finding: the repairs touch only what is broken, and only inside tags.
TEST(CheckHtml, leavesValidPagesOfEveryStyleUnchangedAndReportsNothing)
{
    const char *const pages[] = {
        // XHTML with an XML declaration, single-quoted values, self-closing tags, a style sheet.
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
        "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n"
        "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n"
        "<head>\r\n"
        "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=UTF-8\" />\r\n"
        "  <title>Prices &amp; terms</title>\r\n"
        "  <style type=\"text/css\">\r\n"
        "    td > span { color: red; }\r\n"
        "    a[href=x]  { margin:  0 }\r\n"
        "  </style>\r\n"
        "</head>\r\n"
        "<body class=\"doc\">\r\n"
        "  <div id=\"main\">\r\n"
        "    <table summary=\"prices\">\r\n"
        "      <tr><td class='n'>1</td><td>x &gt;= 2</td></tr>\r\n"
        "    </table>\r\n"
        "    <p>One  <span class=\"pre\">(&gt;=</span> <em>two</em> &lt;div&gt;</p>\r\n"
        "    <img src=\"a.png\" alt=\"a = b &gt; c\" />\r\n"
        "  </div>\r\n"
        "</body>\r\n"
        "</html>\r\n",
        // Upper-case HTML 4 with a commented-out script, a comment holding tags and a preformatted block.
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
        "<HTML LANG=\"en\">\r\n"
        "<HEAD>\r\n"
        "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=windows-1252\">\r\n"
        "<TITLE>Report</TITLE>\r\n"
        "<SCRIPT LANGUAGE=\"JavaScript\">\r\n"
        "<!--\r\n"
        "function f(a, b) { if (a<b && b>0) { document.write(\"<div><span>\" + a); } return a == b; }\r\n"
        "// -->\r\n"
        "</SCRIPT>\r\n"
        "</HEAD>\r\n"
        "<BODY BGCOLOR=\"#FFFFFF\" onLoad=\"f(1, 2)\">\r\n"
        "<!-- <div> x = 1 </span> -->\r\n"
        "<TABLE BORDER=\"1\" WIDTH=\"100%\">\r\n"
        "<TR>\r\n"
        "<TD WIDTH=\"50%\">a</TD>\r\n"
        "<TD>b = c</TD>\r\n"
        "</TR>\r\n"
        "</TABLE>\r\n"
        "<DIV ALIGN=\"center\"><SPAN STYLE=\"font-size: 10pt\">x</SPAN></DIV>\r\n"
        "<PRE>  keep   these   blanks  </PRE>\r\n"
        "</BODY>\r\n"
        "</HTML>\r\n",
        // HTML5 without html, head and body end tags' omission, with a script, a video track and a form.
        "<!DOCTYPE html>\r\n"
        "<html lang=\"de\">\r\n"
        "  <head>\r\n"
        "    <meta charset=\"utf-8\">\r\n"
        "    <title>Grüße</title>\r\n"
        "    <script>const rows = '<tr><td>' + 1 + '</td>'; if (rows.length >= 2) { console.log(rows); }</script>\r\n"
        "  </head>\r\n"
        "  <body>\r\n"
        "    <main>\r\n"
        "      <video controls src=\"v.webm\"><track kind=\"captions\" src=\"v.vtt\"></video>\r\n"
        "      <form action=\"/q?a=1&amp;b=2\"><input name=\"q\" value=\"x=y\" required></form>\r\n"
        "      <textarea name=\"t\">a = b <div>   </textarea>\r\n"
        "      <p>a &lt; b</p>\r\n"
        "    </main>\r\n"
        "  </body>\r\n"
        "</html>\r\n",
    };
    for (const char *page : pages) {
        const CheckHtmlResult result = Check(S(page));
        EXPECT_EQ(result.text, S(page));
        EXPECT_TRUE(result.CheckReport.isEmpty()) << result.CheckReport.toStdString();
    }
}

// The faults that damaged valid markup: an "=" in text became an attribute, an html tag with
// attributes or in upper case got a second one, and end tags with white space before ">" did
// not count.
TEST(CheckHtml, repairsOnlyTagsAndRecognisesTagsAsBrowsersDo)
{
    struct Case {
        const char *name;
        const char *before;
        const char *after;
        const char *report;
    };
    const Case cases[] = {
        {"= in text", "<html><head></head><body><span class=\"pre\">(&gt;=</span></body></html>",
         "<html><head></head><body><span class=\"pre\">(&gt;=</span></body></html>", ""},
        {"html tag with attributes", "<HTML lang=\"en\"><HEAD></HEAD><BODY>x</BODY></HTML>",
         "<HTML lang=\"en\"><HEAD></HEAD><BODY>x</BODY></HTML>", ""},
        {"end tag with a line break before >", "<html><head></head><body><DIV>x</DIV\r\n></body></html>",
         "<html><head></head><body><DIV>x</DIV ></body></html>", ""},
        {"end tag with a blank before >", "<html><head></head><body><div>x</div  ><div>y</body></html>",
         "<html><head></head><body><div>x</div ><div></!CheckThis>y</body></html>",
         "\r\nFor<div 2 closing Tag missing.\r\n1</div> missing"},
        {"= in a script and a comment", "<body><script>if (a<=b) x=\"1\";</script><!-- c=d --></body>",
         "<html>\r\n<head>\r\n</head>\r\n<body><script>if (a<=b) x=\"1\";</script><!-- c=d --></body></html>", ""},
        {"tags in a script do not count", "<body><div><script>document.write('</div></div>')</script></div>",
         "<html>\r\n<head>\r\n</head>\r\n<body><div><script>document.write('</div></div>')</script></div>\r\n</body></html>", ""},
        {"a head start tag with attributes", "<html><head profile=\"p\"><title>t</title></head><body></body></html>",
         "<html><head profile=\"p\"><title>t</title></head><body></body></html>", ""},
        {"a skeleton after an html tag with attributes", "<html lang=\"en\"><p>x</p></html>",
         "<html lang=\"en\">\r\n<head><p>x</p>\r\n</body></html>", ""},
        {"a line break inside a quoted value stays", "<html><head></head><body><p title=\"a\r\nb\"\r\nonclick='f() // c\r\ng()'>x</p></body></html>",
         "<html><head></head><body><p title=\"a\r\nb\" onclick='f() // c\r\ng()'>x</p></body></html>", ""},
        {"a frameset page gets no body", "<frameset cols=\"50%,*\"><frame src=\"a.html\"></frameset>",
         "<html>\r\n<head><frameset cols=\"50%,*\"><frame src=\"a.html\"></frameset></html>", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const CheckHtmlResult result = Check(S(c.before));
        EXPECT_EQ(result.text, S(c.after));
        EXPECT_EQ(result.CheckReport, S(c.report));
    }
}
