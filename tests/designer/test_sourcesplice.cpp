// The splice of a designer edit into the source, without the engine: each baseline is written
// as the engine serializes the page parsed from its source.
#include "designer/sourcesplice.h"
#include "teststrings.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {

struct Shape {
    const char *name;
    const char *source;
    const char *baseline;  // the engine's serialization of the source
};

const Shape kShapes[] = {
    {"upper-case tags, unquoted attributes, CR LF",
     "<HTML>\r\n<HEAD>\r\n<TITLE>Page</TITLE>\r\n</HEAD>\r\n<BODY BGCOLOR=#ffffff TEXT=black>\r\n"
     "<P ALIGN=center>Hello world</P>\r\n</BODY>\r\n</HTML>\r\n",
     "<html><head>\n<title>Page</title>\n</head>\n<body bgcolor=\"#ffffff\" text=\"black\">\n"
     "<p align=\"center\">Hello world</p>\n\n\n</body></html>"},
    {"named and numeric references",
     "<html><head><title>E</title></head><body><p>&copy; 2024 Hello &ndash; mail&#64;example.org&nbsp;&amp; "
     "&#150; more</p></body></html>",
     "<html><head><title>E</title></head><body><p>\xC2\xA9 2024 Hello \xE2\x80\x93 mail@example.org&nbsp;&amp; "
     "\xE2\x80\x93 more</p></body></html>"},
    {"XML declaration, doctype, comments and self-closed tags",
     "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\" "
     "\"x.dtd\">\n<html xmlns=\"http://www.w3.org/1999/xhtml\">\n<head>\n<meta http-equiv=\"Content-Type\" "
     "content=\"text/html; charset=utf-8\" />\n<!-- head note -->\n<title>X</title>\n</head>\n<body>\n"
     "<p>Hello<br />world</p>\n<img src=\"a.png\" alt=\"\" />\n</body>\n</html>\n",
     "<html xmlns=\"http://www.w3.org/1999/xhtml\"><head>\n<meta http-equiv=\"Content-Type\" "
     "content=\"text/html; charset=utf-8\">\n<!-- head note -->\n<title>X</title>\n</head>\n<body>\n"
     "<p>Hello<br>world</p>\n<img src=\"a.png\" alt=\"\">\n\n\n</body></html>"},
    {"implied tbody, omitted end tags and no html, head or body tags",
     "<title>T</title>\n<table border=1>\n<tr><td>Hello<td>b\n<tr><td>c<td>d\n</table>\n<ul>\n<li>one\n"
     "<li>two\n</ul>\n<p>para one\n<p>para two\n",
     "<html><head><title>T</title>\n</head><body><table border=\"1\">\n<tbody><tr><td>Hello</td><td>b\n</td>"
     "</tr><tr><td>c</td><td>d\n</td></tr></tbody></table>\n<ul>\n<li>one\n</li><li>two\n</li></ul>\n"
     "<p>para one\n</p><p>para two\n</p></body></html>"},
    {"scripts and styles",
     "<html><head><style type=\"text/css\">\r\nP { color: red }\r\n</style>\r\n<script language=\"JavaScript\">"
     "\r\n<!--\r\nif (a < b && c) document.write('<p>x</p>');\r\n// -->\r\n</script></head>\r\n"
     "<body onload=\"init()\">\r\n<p>Hello there</p>\r\n<script>var s = \"</div>\";</script>\r\n</body></html>\r\n",
     "<html><head><style type=\"text/css\">\nP { color: red }\n</style>\n<script language=\"JavaScript\">"
     "\n<!--\nif (a < b && c) document.write('<p>x</p>');\n// -->\n</script></head>\n"
     "<body onload=\"init()\">\n<p>Hello there</p>\n<script>var s = \"</div>\";</script>\n\n</body></html>"},
    {"a stray end tag and comments after the page",
     "<html>\r\n<body>\r\n<font face=Arial>Hello</font></font>\r\n<p>x</p>\r\n</body>\r\n</html>\r\n"
     "<!-- served by a host -->\r\n",
     "<html><head></head><body>\n<font face=\"Arial\">Hello</font>\n<p>x</p>\n\n\n\n</body></html>"},
    {"a pre's first line break",
     "<html><head></head><body><PRE>\r\nHello\r\n  code</PRE></body></html>",
     "<html><head></head><body><pre>Hello\n  code</pre></body></html>"},
};

std::optional<QString> Splice(const QString &source, const QString &baseline, const QString &pulled,
                              CharacterRepertoire repertoire = CharacterRepertoire::Unicode)
{
    return SplicePulledPage(source, baseline, pulled, repertoire);
}

QString ReplacedOnce(QString text, const QString &what, const QString &with)
{
    const qsizetype at = text.indexOf(what);
    return at < 0 ? QString() : text.replace(at, what.size(), with);
}

} // namespace

TEST(SplicePulledPage, givesTheSourceBackUnchangedWhenNothingWasEdited)
{
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.name);
        EXPECT_EQ(Splice(S(shape.source), S(shape.baseline), S(shape.baseline)), S(shape.source));
    }
}

TEST(SplicePulledPage, changesOnlyTheTypedCharactersOfAnEditedText)
{
    for (const Shape &shape : kShapes) {
        SCOPED_TRACE(shape.name);
        const QString pulled = ReplacedOnce(S(shape.baseline), S("Hello"), S("Hello big"));
        const QString expected = ReplacedOnce(S(shape.source), S("Hello"), S("Hello big"));
        EXPECT_EQ(Splice(S(shape.source), S(shape.baseline), pulled), expected);
    }
}

TEST(SplicePulledPage, writesNewElementsAsThePulledPageDoesAndKeepsTheRest)
{
    const struct {
        const char *name;
        const char *source;
        const char *baseline;
        const char *pulled;
        const char *expected;
    } cases[] = {
        {"a bold word", "<HTML><BODY><P ALIGN=center>Hello world</P></BODY></HTML>",
         "<html><head></head><body><p align=\"center\">Hello world</p></body></html>",
         "<html><head></head><body><p align=\"center\">Hello <b>world</b></p></body></html>",
         "<HTML><BODY><P ALIGN=center>Hello <b>world</b></P></BODY></HTML>"},
        {"a deleted item whose end tag is omitted", "<ul>\n<li>one\n<li>two\n</ul>",
         "<html><head></head><body><ul>\n<li>one\n</li><li>two\n</li></ul></body></html>",
         "<html><head></head><body><ul>\n<li>two\n</li></ul></body></html>", "<ul>\n<li>two\n</ul>"},
        {"an element after a paragraph whose end tag is omitted", "<p>one\n<p>two\n",
         "<html><head></head><body><p>one\n</p><p>two\n</p></body></html>",
         "<html><head></head><body><p>one\n</p><span>x</span><p>two\n</p></body></html>",
         "<p>one\n</p><span>x</span><p>two\n"},
        {"a typed line break in a CR LF file", "<BODY>\r\n<P>one</P>\r\n</BODY>",
         "<html><head></head><body>\n<p>one</p>\n</body></html>",
         "<html><head></head><body>\n<p>one</p>\n<p>two\nthree</p>\n</body></html>",
         "<BODY>\r\n<P>one</P>\r\n<p>two\r\nthree</p>\r\n</BODY>"},
        {"an attribute changed in a table with an implied tbody", "<TABLE><TR><TD WIDTH=10>a</TD></TR></TABLE>",
         "<html><head></head><body><table><tbody><tr><td width=\"10\">a</td></tr></tbody></table></body></html>",
         "<html><head></head><body><table><tbody><tr><td width=\"20\">a</td></tr></tbody></table></body></html>",
         "<TABLE><TR><td width=\"20\">a</TD></TR></TABLE>"},
        {"a line break inside a one-letter text", "<P>a</P>", "<html><head></head><body><p>a</p></body></html>",
         "<html><head></head><body><p>a<br>a</p></body></html>", "<P>a<br>a</P>"},
        // The source's "&" followed by a typed "lt;" would read as "<": the paragraph is written whole.
        {"a splice that would make a reference", "<html><body><P CLASS=x>fish &</P></body></html>",
         "<html><head></head><body><p class=\"x\">fish &amp;</p></body></html>",
         "<html><head></head><body><p class=\"x\">fish &amp;lt;</p></body></html>",
         "<html><body><p class=\"x\">fish &amp;lt;</p></body></html>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Splice(S(c.source), S(c.baseline), S(c.pulled)), S(c.expected));
    }
}

TEST(SplicePulledPage, writesCharactersTheFileCannotHoldAsThePageWritesThem)
{
    const QString source = S("<p>Price &euro;5 &rarr; cheap</p>");
    const QString baseline = S("<html><head></head><body><p>Price \xE2\x82\xAC" "5 \xE2\x86\x92 cheap</p></body></html>");
    const QString pulled = S("<html><head></head><body><p>Price \xE2\x82\xAC" "5 \xE2\x86\x92 cheap \xE2\x86\x92 "
                             "\xE2\x82\xAC \xC3\xA9 \xE2\x9C\x93</p></body></html>");
    const struct {
        CharacterRepertoire repertoire;
        const char *expected;
    } cases[] = {
        {CharacterRepertoire::Unicode, "<p>Price &euro;5 &rarr; cheap \xE2\x86\x92 \xE2\x82\xAC \xC3\xA9 \xE2\x9C\x93</p>"},
        {CharacterRepertoire::Windows1252, "<p>Price &euro;5 &rarr; cheap &rarr; \xE2\x82\xAC \xC3\xA9 &#10003;</p>"},
        {CharacterRepertoire::Ascii, "<p>Price &euro;5 &rarr; cheap &rarr; &euro; &#233; &#10003;</p>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Splice(source, baseline, pulled, c.repertoire), S(c.expected));
}

TEST(SplicePulledPage, givesNothingForAPageItCannotTraceBackToItsSource)
{
    const struct {
        const char *name;
        const char *source;
        const char *baseline;
    } cases[] = {
        {"text the parser moves out of a table", "<table><tr><td>a</td></tr>stray</table>",
         "<html><head></head><body>stray<table><tbody><tr><td>a</td></tr></tbody></table></body></html>"},
        {"misnested formatting the parser rebuilds", "<b><p>x</b>y</p>",
         "<html><head></head><body><b></b><p><b>x</b>y</p></body></html>"},
        {"a reference this program does not know", "<p>&check;</p>",
         "<html><head></head><body><p>\xE2\x9C\x93</p></body></html>"},
        {"a serialization of another page", "<p>one</p>", "<html><head></head><body><p>two</p></body></html>"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString pulled = QString(S(c.baseline)).replace(S("</body>"), S("<p>new</p></body>"));
        EXPECT_EQ(Splice(S(c.source), S(c.baseline), pulled), std::nullopt);
        // Left unchanged, such a page still gives its own source back.
        EXPECT_EQ(Splice(S(c.source), S(c.baseline), S(c.baseline)), S(c.source));
    }
}

TEST(SplicePulledPage, splicesEditsFarApartEachInItsPlace)
{
    const QString source = S("<BODY>\r\n<P>first one</P>\r\n<P ALIGN=right>middle &amp; more</P>\r\n<P>last one</P>\r\n</BODY>");
    const QString baseline = S("<html><head></head><body>\n<p>first one</p>\n<p align=\"right\">middle &amp; more</p>\n"
                               "<p>last one</p>\n</body></html>");
    const QString pulled = S("<html><head></head><body>\n<p>first <i>new</i> one</p>\n<p align=\"right\">middle &amp; more</p>\n"
                             "<p>last one typed</p>\n</body></html>");
    EXPECT_EQ(Splice(source, baseline, pulled),
              S("<BODY>\r\n<P>first <i>new</i> one</P>\r\n<P ALIGN=right>middle &amp; more</P>\r\n<P>last one typed</P>\r\n</BODY>"));
}
