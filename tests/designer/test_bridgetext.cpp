#include "designer/pulledpage.h"
#include "teststrings.h"
#include "designer/selectioncarry.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {


int GeneratorMetaCount(const QString &html)
{
    return html.count(QStringLiteral("name=\"generator\""), Qt::CaseInsensitive)
         + html.count(QStringLiteral("name=generator"), Qt::CaseInsensitive);
}

} // namespace

TEST(MarkGenerator, setsTheContentOfAnExistingGeneratorMetaWhateverItsLetterCase)
{
    const struct {
        const char *html;
        const char *expected;
    } cases[] = {
        {"<html><head><meta name=\"generator\" content=\"Other 1.0\"></head></html>",
         "<html><head><meta name=\"generator\" content=\"Korvel\"></head></html>"},
        {"<head><meta content=\"x\" name=\"GENERATOR\"></head>", "<head><meta content=\"Korvel\" name=\"GENERATOR\"></head>"},
        {"<head><META NAME=Generator CONTENT=x></head>", "<head><META NAME=Generator CONTENT=Korvel></head>"},
        {"<head><meta name='generator' content=''/></head>", "<head><meta name='generator' content='Korvel'/></head>"},
        {"<head><meta name=\"generator\"></head>", "<head><meta name=\"generator\" content=\"Korvel\"></head>"},
        {"<head><meta name=\"generator\" content></head>", "<head><meta name=\"generator\" content=\"Korvel\"></head>"},
        {"<head><meta name=\"a>b\" content=\"x\"><meta name=generator content=\"y\"></head>",
         "<head><meta name=\"a>b\" content=\"x\"><meta name=generator content=\"Korvel\"></head>"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MarkGenerator(S(c.html)), S(c.expected)) << c.html;
}

TEST(MarkGenerator, addsTheGeneratorLineBeforeTheHeadEnd_onlyWhenNoneIsThere)
{
    EXPECT_EQ(MarkGenerator(S("<html><head><title>t</title></head><body>x</body></html>")),
              S("<html><head><title>t</title>\r\n<META content=Korvel name=GENERATOR>\r\n</HEAD>\r\n<body>x</body></html>"));
    // No head end tag: nothing to put it before.
    EXPECT_EQ(MarkGenerator(S("<html><body>x</body></html>")), S("<html><body>x</body></html>"));
    // Other meta elements and generator texts in comments, scripts and style blocks do not count.
    const QString decoys = S("<html><head><meta name=\"description\" content=\"generator\">"
                             "<!-- <meta name=\"generator\" content=\"c\"> -->"
                             "<script>var s = '<meta name=\"generator\" content=\"s\">';</script>"
                             "<style>/* <meta name=generator> */</style></head></html>");
    const QString marked = MarkGenerator(decoys);
    EXPECT_TRUE(marked.contains(S("<META content=Korvel name=GENERATOR>")));
    EXPECT_TRUE(marked.contains(S("<meta name=\"description\" content=\"generator\">")));
    EXPECT_TRUE(marked.contains(S("content=\"c\"")));
    EXPECT_TRUE(marked.contains(S("content=\"s\"")));
}

TEST(MarkGenerator, aPageGainsNoSecondGeneratorOnRoundTrips)
{
    // The new-document template's form, and the form the engine serializes the added line in.
    const QString fromTemplate = S("<html><head><meta name=\"generator\" content=\"Korvel\"></head><body></body></html>");
    EXPECT_EQ(MarkGenerator(fromTemplate), fromTemplate);
    const QString once = MarkGenerator(S("<html><head></head><body></body></html>"));
    const QString serialized = S("<html><head>\n<meta content=\"Korvel\" name=\"GENERATOR\">\n</head><body></body></html>");
    EXPECT_EQ(GeneratorMetaCount(once), 1);
    EXPECT_EQ(MarkGenerator(serialized), serialized);
}

TEST(PulledPageText, putsTheSourceDoctypeInFront)
{
    const QString html = S("<html><head><meta name=\"generator\" content=\"x\"></head><body></body></html>");
    const QString marked = S("<html><head><meta name=\"generator\" content=\"Korvel\"></head><body></body></html>");
    EXPECT_EQ(PulledPageText(S("<!doctype html>\r\n<html>old</html>"), html), S("<!doctype html>\r\n") + marked);
    EXPECT_EQ(PulledPageText(S("<html>old</html>"), html), marked);
    EXPECT_EQ(PulledPageText(S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\"><html>"), html),
              S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n") + marked);
    EXPECT_FALSE(PulledPageText(S("<!doctype html><html>old</html>"), S("  \r\n ")).has_value());
    EXPECT_FALSE(PulledPageText(S("<html>old</html>"), QString()).has_value());
}

TEST(FramesetSourceText, breaksTheLineAfterEveryTag)
{
    EXPECT_EQ(FramesetSourceText(S("<frameset cols=\"50%,*\"><frame src=\"a.htm\"></frameset>")),
              S("<frameset cols=\"50%,*\">\r\n<frame src=\"a.htm\">\r\n</frameset>\r\n"));
    EXPECT_EQ(FramesetSourceText(S("a\r\nb")), S("a\r\nb"));
}

TEST(StripTags, leadingAndTrailingTagsGo)
{
    const struct {
        const char *text;
        const char *leading;
        const char *trailing;
    } cases[] = {
        {"<p><b>text</b></p>", "text</b></p>", "<p><b>text"},
        {"  <p>text", "  text", "  <p>text"},
        {"text", "text", "text"},
        {"<p unfinished", "<p unfinished", "<p unfinished"},
        {"plain>", "plain>", "plain>"},
        {"<a>", "", ""},
        {"", "", ""},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(StripLeadingTags(S(c.text)), S(c.leading)) << c.text;
        EXPECT_EQ(StripTrailingTags(S(c.text)), S(c.trailing)) << c.text;
    }
}

namespace {

const QString kSource = S("<html><head><title>Hello</title></head>\r\n<body>\r\n<p>Hello <b>world</b></p>\r\n"
                          "<img src=\"a.png\">\r\n</body></html>");

} // namespace

TEST(PlaceSelectionInSource, nothingCapturedPlacesNothing)
{
    EXPECT_FALSE(PlaceSelectionInSource(kSource, DesignerSelectionSnapshot()).has_value());
    DesignerSelectionSnapshot blank;
    blank.SelHtml = S("  ");
    EXPECT_FALSE(PlaceSelectionInSource(kSource, blank).has_value());
}

TEST(PlaceSelectionInSource, aTextSelectionIsFoundByItsHtml)
{
    DesignerSelectionSnapshot snapshot;
    snapshot.SelText = S("Hello world");
    snapshot.SelHtml = S("Hello <b>world</b>");
    snapshot.SelParentHtml = S("<p>Hello <b>world</b></p>");
    snapshot.ElementCount = 5;
    const auto placed = PlaceSelectionInSource(kSource, snapshot);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->start, kSource.indexOf(S("Hello <b>")));
    EXPECT_EQ(placed->length, 25) << "the compacted parent's length";
}

TEST(PlaceSelectionInSource, anObjectIsFoundByItsHtmlAndSelectedWhole)
{
    DesignerSelectionSnapshot snapshot;
    snapshot.LastElementText = S("<img src=\"a.png\">");
    snapshot.SelSourceIndex = 5;
    snapshot.ElementCount = 7;
    const auto placed = PlaceSelectionInSource(kSource, snapshot);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->start, kSource.indexOf(S("<img")));
    EXPECT_EQ(placed->length, snapshot.LastElementText.size());
}

TEST(PlaceSelectionInSource, aSelectionInTheHeadIsSearchedFromTheBodyOn)
{
    DesignerSelectionSnapshot snapshot;
    snapshot.SelText = S("Hello");
    snapshot.SelHtml = S("Hello");
    snapshot.SelParentHtml = S("<title>Hello</title>");
    snapshot.ElementCount = 5;
    const auto placed = PlaceSelectionInSource(kSource, snapshot);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->start, kSource.indexOf(S("Hello <b>")));
    EXPECT_EQ(placed->length, 5);
}

TEST(PlaceSelectionInSource, theSearchStartsAtTheEstimate_roundedHalfToEven)
{
    // 250 characters with the paragraph at characters 21 and 101 (counted from 1).
    const QString source = S("<body>") + QString(14, QLatin1Char('x')) + S("<p>zzz</p>") + QString(70, QLatin1Char('x'))
                         + S("<p>zzz</p>") + QString(140, QLatin1Char('x'));
    ASSERT_EQ(source.size(), 250);
    DesignerSelectionSnapshot snapshot;
    snapshot.SelText = S("zzz");
    snapshot.SelHtml = S("zzz");
    snapshot.SelParentHtml = S("<p>zzz</p>");
    snapshot.SelSourceIndex = 1;
    snapshot.ElementCount = 8; // 12.5 % rounds to 12, less 4: 8 % of 250 is character 20
    const auto placed = PlaceSelectionInSource(source, snapshot);
    ASSERT_TRUE(placed.has_value());
    EXPECT_EQ(placed->start, 23) << "the first paragraph's text; rounding 12.5 up would find the second";
    EXPECT_EQ(placed->length, 10);
}

TEST(PlaceSelectionInSource, unfoundTextLandsOnTheBodyTag)
{
    DesignerSelectionSnapshot snapshot;
    snapshot.SelText = S("zzz");
    snapshot.SelHtml = S("zzz");
    snapshot.SelParentHtml = S("<p>zzz</p>");
    snapshot.SelSourceIndex = 1;
    snapshot.ElementCount = 8;
    const QString late = S("<head></head>") + QString(100, QLatin1Char('y')) + S("<body>") + QString(131, QLatin1Char('x'));
    const auto atBody = PlaceSelectionInSource(late, snapshot);
    ASSERT_TRUE(atBody.has_value());
    EXPECT_EQ(atBody->start, late.indexOf(S("<body")));
    EXPECT_EQ(atBody->length, 3) << "the inner text's length";
}

TEST(PlaceSelectionInSource, theSelectionStaysInsideTheText)
{
    DesignerSelectionSnapshot snapshot;
    snapshot.LastElementText = QString(80, QLatin1Char('q'));
    const QString source = S("<body>short");
    const auto placed = PlaceSelectionInSource(source, snapshot);
    ASSERT_TRUE(placed.has_value());
    EXPECT_LE(placed->start + placed->length, source.size());
}
