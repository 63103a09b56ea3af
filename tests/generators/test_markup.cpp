// The pure builders of the image, frameset and iframe dialogs and the escaping they share.
#include "generators/framesetmarkup.h"
#include "teststrings.h"
#include "generators/htmlescape.h"
#include "generators/iframemarkup.h"
#include "generators/imagemarkup.h"

#include "markupscanner.h"

#include <gtest/gtest.h>

using namespace korvel;
using test::findTag;
using test::scanTags;

namespace {


// A value that breaks unescaped markup in every way at once.
const char *const kNasty = "Say \"hi\" & <b>Grüße</b>";

} // namespace

TEST(HtmlEscape, attributesLoseQuotesAmpersandsAndAngleBracketsAndKeepEverythingElse)
{
    const struct {
        const char *in, *attribute, *text;
    } cases[] = {
        {"", "", ""},
        {"plain text", "plain text", "plain text"},
        {"a&b", "a&amp;b", "a&amp;b"},
        {"Say \"hi\"", "Say &quot;hi&quot;", "Say \"hi\""},
        {"<x>", "&lt;x&gt;", "&lt;x&gt;"},
        {"&amp;", "&amp;amp;", "&amp;amp;"},
        {"Grüße ☺ 'single'", "Grüße ☺ 'single'", "Grüße ☺ 'single'"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(escapeAttribute(S(c.in)), S(c.attribute)) << c.in;
        EXPECT_EQ(escapeText(S(c.in)), S(c.text)) << c.in;
    }
}

TEST(HtmlEscape, chosenFilesAreWrittenRelativeToTheDocumentOrAsFileUrls)
{
    const struct {
        const char *document, *chosen, *expected;
    } cases[] = {
        {"/home/u/site/index.html", "/home/u/site/a.png", "a.png"},
        {"/home/u/site/index.html", "/home/u/site/pics/a.png", "pics/a.png"},
        {"/home/u/site/index.html", "/home/u/other/b.png", "../other/b.png"},
        {"/home/u/site/index.html", "/home/u/site/my pic#1?.png", "my%20pic%231%3F.png"},
        {"/home/u/site/index.html", "/home/u/site/bild ä.png", "bild%20%C3%A4.png"},
        {"/home/u/site/index.html", "/home/u/site/a:b.png", "a%3Ab.png"},
        {"/home/u/site/index.html", "/home/u/site/100%.png", "100%25.png"},
        {"/home/u/my site/index.html", "/home/u/my site/x/y z.htm", "x/y%20z.htm"},
        {"Untitled", "/tmp/x y.png", "file:///tmp/x%20y.png"},
        {"", "/tmp/ä.png", "file:///tmp/%C3%A4.png"},
        {"/home/u/site/index.html", "", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(documentRelativePath(S(c.document), S(c.chosen)), S(c.expected)) << c.chosen;
}

// Image

namespace {

ImageFields photo()
{
    ImageFields f;
    f.source = QStringLiteral("photo.gif");
    f.width = 200;
    f.height = 100;
    f.alt = QStringLiteral("Comment");
    f.title = QStringLiteral("Title");
    f.mapName = QStringLiteral("MapName");
    f.shape = QStringLiteral("rect");
    f.href = QStringLiteral("https://www.example.com/");
    return f;
}

ImageFields mapped(const char *shape, const char *l, const char *t, const char *r, const char *b)
{
    ImageFields f = photo();
    f.map = true;
    f.shape = S(shape);
    f.left = S(l);
    f.top = S(t);
    f.right = S(r);
    f.bottom = S(b);
    return f;
}

} // namespace

TEST(ImageMarkup, aPlainImageCarriesItsPixelSize)
{
    EXPECT_EQ(buildImageHtml(photo()),
              S("<img src=\"photo.gif\"  border=\"0\" alt=\"Comment\" style=\"WIDTH:200px; HEIGHT:100px\" title=\"Title\">"));
}

TEST(ImageMarkup, anUnknownSizeLeavesTheStyleOutInsteadOfHidingThePicture)
{
    ImageFields f = photo();
    f.width = 0;
    f.height = 0;
    EXPECT_EQ(buildImageHtml(f), S("<img src=\"photo.gif\"  border=\"0\" alt=\"Comment\" title=\"Title\">"));
}

TEST(ImageMarkup, typedValuesAreEscapedAndReadBackUnchanged)
{
    ImageFields f = photo();
    f.source = S("a\"b&c.png");
    f.alt = S(kNasty);
    f.title = S("");
    EXPECT_EQ(buildImageHtml(f),
              S("<img src=\"a&quot;b&amp;c.png\"  border=\"0\" alt=\"Say &quot;hi&quot; &amp; &lt;b&gt;Grüße&lt;/b&gt;\" "
                "style=\"WIDTH:200px; HEIGHT:100px\" title=\"\">"));
    const auto tags = scanTags(buildImageHtml(f));
    ASSERT_EQ(tags.size(), 1);
    EXPECT_EQ(tags[0].name, QStringLiteral("img"));
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("src")), f.source);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("alt")), f.alt);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("title")), QString());
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("style")), QStringLiteral("WIDTH:200px; HEIGHT:100px"));
}

TEST(ImageMarkup, aRectangleMapWritesAllFourCoordinatesWithNoBreakBeforeTheMapEnd)
{
    const ImageFields f = mapped("rect", "10", "10", "190", "90");
    EXPECT_EQ(buildImageHtml(f),
              S("<img src=\"photo.gif\"  border=\"0\" alt=\"My Image\" usemap=\"#MapName\">\r\n"
                "<map name=\"MapName\">\r\n"
                " <area shape=\"rect\" coords=\"10,10,190,90\" href=\"https://www.example.com/\" alt=\"Comment\" "
                "title=\"Title\"/></map>\r\n"));
}

TEST(ImageMarkup, aCircleMapWritesCentreAndRadiusOnly)
{
    const QString html = buildImageHtml(mapped("circle", "100", "50", "50", "77"));
    EXPECT_TRUE(html.contains(S(" <area shape=\"circle\" coords=\"100,50,50\" href="))) << qPrintable(html);
}

TEST(ImageMarkup, mapValuesAreEscapedAndReadBackAsTyped)
{
    ImageFields f = mapped("rect", " 5", "6 ", "07", "8");
    f.mapName = S("map \"1\" & <2>");
    f.href = S("page.html?a=1&b=\"2\"");
    f.alt = S(kNasty);
    f.title = S("ü");
    const auto tags = scanTags(buildImageHtml(f));
    ASSERT_EQ(tags.size(), 4);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("usemap")), S("#map \"1\" & <2>"));
    EXPECT_EQ(tags[1].name, QStringLiteral("map"));
    EXPECT_EQ(tags[1].attributes.value(QStringLiteral("name")), f.mapName);
    const test::ScannedTag &area = tags[2];
    EXPECT_EQ(area.name, QStringLiteral("area"));
    EXPECT_TRUE(area.selfClosing);
    EXPECT_EQ(area.attributes.value(QStringLiteral("shape")), QStringLiteral("rect"));
    // Blanks around a number and leading zeros do not reach the page.
    EXPECT_EQ(area.attributes.value(QStringLiteral("coords")), QStringLiteral("5,6,7,8"));
    EXPECT_EQ(area.attributes.value(QStringLiteral("href")), f.href);
    EXPECT_EQ(area.attributes.value(QStringLiteral("alt")), f.alt);
    EXPECT_EQ(area.attributes.value(QStringLiteral("title")), f.title);
    EXPECT_EQ(tags[3].name, QStringLiteral("/map"));
}

TEST(ImageMarkup, incompleteOrInvalidDataGivesNoHtmlAndNamesTheProblem)
{
    const struct {
        ImageFields fields;
        ImageProblem problem;
    } cases[] = {
        {mapped("rect", "10", "10", "190", "0"), ImageProblem::BadCoordinates},
        {mapped("rect", "10", "10", " 0 ", "90"), ImageProblem::BadCoordinates},
        {mapped("rect", "10", "10", "190", ""), ImageProblem::BadCoordinates},
        {mapped("rect", "", "10", "190", "90"), ImageProblem::BadCoordinates},
        {mapped("rect", "10", "x", "190", "90"), ImageProblem::BadCoordinates},
        {mapped("rect", "-1", "10", "190", "90"), ImageProblem::BadCoordinates},
        {mapped("rect", "1.5", "10", "190", "90"), ImageProblem::BadCoordinates},
        {mapped("circle", "100", "50", "0", ""), ImageProblem::BadCoordinates},
        {mapped("circle", "100", "", "50", "7"), ImageProblem::BadCoordinates},
        {mapped("circle", "100", "50", "50", ""), ImageProblem::None},
        {mapped("rect", "0", "0", "1", "1"), ImageProblem::None},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(imageProblem(c.fields), c.problem) << qPrintable(c.fields.left + u',' + c.fields.top + u','
                                                                   + c.fields.right + u',' + c.fields.bottom);
        EXPECT_EQ(buildImageHtml(c.fields).isEmpty(), c.problem != ImageProblem::None);
    }
    for (const char *source : {"", "   "}) {
        ImageFields f = photo();
        f.source = S(source);
        EXPECT_EQ(imageProblem(f), ImageProblem::NoSource);
        EXPECT_EQ(buildImageHtml(f), QString());
    }
}

TEST(ImageMarkup, halvesRoundToTheEvenNeighbour)
{
    const int cases[][2] = {{0, 0}, {1, 0}, {3, 2}, {4, 2}, {5, 2}, {7, 4}, {9, 4}, {100, 50}, {101, 50}};
    for (const auto &c : cases)
        EXPECT_EQ(halfRoundedEven(c[0]), c[1]) << c[0];
}

TEST(ImageMarkup, theSliderShrinksTheAreaEvenlyFromTheBorder)
{
    SliderArea a;
    ASSERT_TRUE(sliderArea(QStringLiteral("rect"), 10, 200, 100, a));
    EXPECT_EQ(QList<int>({a.left, a.top, a.right, a.bottom}), QList<int>({10, 10, 190, 90}));
    ASSERT_TRUE(sliderArea(QStringLiteral("circle"), 0, 200, 100, a));
    EXPECT_EQ(QList<int>({a.left, a.top, a.right}), QList<int>({100, 50, 50}));
    ASSERT_TRUE(sliderArea(QStringLiteral("circle"), 20, 5, 9, a));
    EXPECT_EQ(QList<int>({a.left, a.top, a.right}), QList<int>({2, 4, -18}));
    a = {1, 2, 3, 4};
    EXPECT_FALSE(sliderArea(QStringLiteral("poly"), 3, 200, 100, a));
    EXPECT_EQ(QList<int>({a.left, a.top, a.right, a.bottom}), QList<int>({1, 2, 3, 4}));

    // The circle's slider stops where the radius would turn negative.
    EXPECT_EQ(sliderMaximum(QStringLiteral("rect"), 200, 100), 100);
    EXPECT_EQ(sliderMaximum(QStringLiteral("circle"), 200, 100), 50);
    EXPECT_EQ(sliderMaximum(QStringLiteral("circle"), 5, 9), 2);
    ASSERT_TRUE(sliderArea(QStringLiteral("circle"), sliderMaximum(QStringLiteral("circle"), 5, 9), 5, 9, a));
    EXPECT_EQ(a.right, 0);
}

TEST(ImageMarkup, aChosenFileNameIsEncodedWithoutItsFolder)
{
    EXPECT_EQ(encodedFileName(S("/home/u/pics/photo.gif")), S("photo.gif"));
    EXPECT_EQ(encodedFileName(S("/home/u/my pics/a b#ä.png")), S("a%20b%23%C3%A4.png"));
}

// Frameset

namespace {

FramesetFields framesetDefaults(int frames = 2)
{
    FramesetFields f;
    f.frames = frames;
    for (int n = 0; n < 4; ++n)
        f.frame[n] = {QStringLiteral("Frame%1.htm").arg(n + 1), QStringLiteral("5"), QStringLiteral("5"),
                      QStringLiteral("auto"), true};
    return f;
}

const char *const kProlog =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" \"http://www.w3.org/TR/html4/frameset.dtd\">\r\n"
    "<html>\r\n<head>\r\n<title>Frame page</title>\r\n</head>\r\n";

} // namespace

TEST(FramesetMarkup, theDefaultsGiveTwoFramesWithBordersAndNoresize)
{
    EXPECT_EQ(buildFramesetPage(framesetDefaults(), 0),
              S(kProlog) + S("<frameset cols=\"50%,50%\" frameborder=\"1\" framespacing=\"1\" border=\"1\">\r\n"
                             "<frame src=\"Frame1.htm\" name=\"Left\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"1\" noresize>\r\n"
                             "<frame src=\"Frame2.htm\" name=\"Right\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"1\" noresize>\r\n"
                             "<noframes>\r\n<body>\r\n"
                             "<p>Wird angezeigt, wenn der Browser keine Frames darstellen kann.</p>\r\n"
                             "</body>\r\n</noframes>\r\n</frameset></html>"));
}

TEST(FramesetMarkup, bordersAndNoresizeOffGiveZerosAndABlankBeforeTheTagEnd)
{
    FramesetFields f = framesetDefaults(3);
    f.borders = false;
    for (FrameFields &frame : f.frame)
        frame.noresize = false;
    EXPECT_EQ(buildFramesetPage(f, 1),
              S(kProlog) + S("<frameset rows=\"20%,80%\" frameborder=\"0\" framespacing=\"0\" border=\"0\">\r\n"
                             "<frame src=\"Frame1.htm\" name=\"Top\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"0\" >\r\n"
                             "<frameset cols=\"30%,70%\">\r\n"
                             "<frame src=\"Frame2.htm\" name=\"Left\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"0\" >\r\n"
                             "<frame src=\"Frame3.htm\" name=\"Right\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"0\" >\r\n"
                             "</frameset>\r\n"
                             "<noframes>\r\n<body>\r\n"
                             "<p>Will be displayed if browser is unabled to handle frames.</p>\r\n"
                             "</body>\r\n</noframes>\r\n</frameset></html>"));
}

TEST(FramesetMarkup, fourFramesPutTheFourthAfterTheInnerFramesetAndBeforeTheNoFramesBlock)
{
    FramesetFields f = framesetDefaults(4);
    f.frame[3].scrolling = QStringLiteral("no");
    f.frame[3].noresize = false;
    const QString page = buildFramesetPage(f, 1);
    EXPECT_TRUE(page.contains(S("<frameset rows=\"20%,60%,20%\" frameborder=\"1\" framespacing=\"1\" border=\"1\">\r\n"
                                "<frame src=\"Frame1.htm\" name=\"Top\" ")));
    EXPECT_TRUE(page.contains(S("<frameset cols=\"40%,60%\">\r\n<frame src=\"Frame2.htm\" name=\"Left\" ")));
    EXPECT_TRUE(page.contains(S("</frameset>\r\n"
                                "<frame src=\"Frame4.htm\" name=\"Bottom\" scrolling=\"no\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"1\" >\r\n"
                                "<noframes>\r\n")))
        << qPrintable(page);
    EXPECT_TRUE(page.endsWith(S("</noframes>\r\n</frameset></html>")));
}

TEST(FramesetMarkup, blankFieldsFallBackAndTypedValuesReadBackThroughTheEscaping)
{
    FramesetFields f = framesetDefaults(4);
    f.frame[0] = {S(kNasty), S("  "), S(""), S(" "), true};
    f.frame[1] = {S(""), S("1\"2"), S("&"), S("yes"), false};
    f.frame[2].source = S("my%20page.htm");
    const QString page = buildFramesetPage(f, 0);
    const auto tags = scanTags(page);
    const test::ScannedTag *top = findTag(tags, QStringLiteral("frame"), 0);
    ASSERT_NE(top, nullptr);
    EXPECT_EQ(top->attributes.value(QStringLiteral("src")), S(kNasty));
    EXPECT_EQ(top->attributes.value(QStringLiteral("name")), QStringLiteral("Top"));
    EXPECT_EQ(top->attributes.value(QStringLiteral("scrolling")), QStringLiteral("auto"));
    EXPECT_EQ(top->attributes.value(QStringLiteral("marginwidth")), QStringLiteral("0"));
    EXPECT_EQ(top->attributes.value(QStringLiteral("marginheight")), QStringLiteral("0"));
    EXPECT_EQ(top->flags, QStringList{QStringLiteral("noresize")});
    const test::ScannedTag *left = findTag(tags, QStringLiteral("frame"), 1);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->attributes.value(QStringLiteral("src")), QString());
    EXPECT_TRUE(left->attributes.contains(QStringLiteral("src")));
    EXPECT_EQ(left->attributes.value(QStringLiteral("marginheight")), S("1\"2"));
    EXPECT_EQ(left->attributes.value(QStringLiteral("marginwidth")), S("&"));
    EXPECT_EQ(left->attributes.value(QStringLiteral("scrolling")), S("yes"));
    EXPECT_TRUE(left->flags.isEmpty());
    EXPECT_EQ(findTag(tags, QStringLiteral("frame"), 2)->attributes.value(QStringLiteral("src")), S("my%20page.htm"));
    EXPECT_EQ(findTag(tags, QStringLiteral("frame"), 3)->attributes.value(QStringLiteral("name")), S("Bottom"));
    EXPECT_EQ(findTag(tags, QStringLiteral("frame"), 4), nullptr);
    EXPECT_EQ(tags.first().name, QStringLiteral("!doctype"));
    EXPECT_EQ(findTag(tags, QStringLiteral("body"))->textAfter, QStringLiteral("\r\n"));
    EXPECT_EQ(findTag(tags, QStringLiteral("p"))->textAfter,
              S("Wird angezeigt, wenn der Browser keine Frames darstellen kann."));
}

TEST(FramesetMarkup, aLayoutReadsOnlyTheFramesItUses)
{
    FramesetFields f = framesetDefaults(2);
    f.frame[2].source = S("unused3.htm");
    f.frame[3].source = S("unused4.htm");
    const QString page = buildFramesetPage(f, 1);
    EXPECT_FALSE(page.contains(QStringLiteral("unused")));
    EXPECT_EQ(page.count(QStringLiteral("<frame ")), 2);
    EXPECT_EQ(buildFramesetPage(framesetDefaults(3), 1).count(QStringLiteral("<frame ")), 3);
    EXPECT_EQ(buildFramesetPage(framesetDefaults(4), 1).count(QStringLiteral("<frame ")), 4);
}

// Inline frame

TEST(IFrameMarkup, theDefaultsGiveAFourHundredSquareFrameWithAnEnglishFallbackLink)
{
    EXPECT_EQ(MakeFrame({S("Seite.htm"), S("400"), S("400"), S("Inline Page")}),
              S("<iframe src=\"Seite.htm\" width=\"400\" height=\"400\" name=\"Inline Page\">\r\n"
                "<p>Your browser is unable to display inline frames:\r\n"
                "Use a simple link instead:<a href=\"Seite.htm\">Inline Page</a></p>\r\n"
                "</iframe>\r\n"));
}

TEST(IFrameMarkup, theNameIsEscapedAsAttributeAndAsLinkText)
{
    const IFrameFields f{S("a b.htm?x=1&y=\"2\""), S(""), S("50%"), S(kNasty)};
    const QString html = MakeFrame(f);
    EXPECT_TRUE(html.contains(S("<a href=\"a b.htm?x=1&amp;y=&quot;2&quot;\">Say \"hi\" &amp; &lt;b&gt;Grüße&lt;/b&gt;</a>")))
        << qPrintable(html);
    const auto tags = scanTags(html);
    ASSERT_EQ(tags.size(), 6);
    EXPECT_EQ(tags[0].name, QStringLiteral("iframe"));
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("src")), f.source);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("width")), QString());
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("height")), f.height);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("name")), f.name);
    EXPECT_EQ(tags[2].name, QStringLiteral("a"));
    EXPECT_EQ(tags[2].attributes.value(QStringLiteral("href")), f.source);
    EXPECT_EQ(tags[2].textAfter, f.name);
    EXPECT_EQ(tags[5].name, QStringLiteral("/iframe"));
}

TEST(IFrameMarkup, theDesignerGivesEachNewFrameAnIdOfItsOwn)
{
    EXPECT_EQ(designerIFrameHtml(QStringLiteral("MyFrame")), QStringLiteral("<iframe id=\"MyFrame\"></iframe>"));
    EXPECT_EQ(designerIFrameHtml(S("a\"b")), QStringLiteral("<iframe id=\"a&quot;b\"></iframe>"));
    const struct {
        QStringList present;
        const char *next;
    } cases[] = {
        {{}, "MyFrame"},
        {{S("other"), S("myframe")}, "MyFrame"},
        {{S("MyFrame")}, "MyFrame2"},
        {{S("MyFrame"), S("MyFrame2"), S("MyFrame3")}, "MyFrame4"},
        {{S("MyFrame"), S("MyFrame3")}, "MyFrame2"},
        {{S("MyFrame2")}, "MyFrame"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(nextFrameId(c.present), S(c.next)) << qPrintable(c.present.join(u','));
}
