#include "generators/objectbuilder.h"
#include "teststrings.h"

#include "teststrings.h"
#include "markupscanner.h"

#include <gtest/gtest.h>

using namespace korvel;
using test::HtmlNode;
using test::scanHtml;

namespace {
} // namespace

TEST(ObjectBuilder, anObjectWithoutTypeCarriesOnlyItsSize)
{
    EXPECT_EQ(MakeTag(ObjectFields{}), S("\r\n<object width=\"300\" height=\"300\">\r\n</object>\r\n"));

    ObjectFields blank;
    blank.width = S("  ");
    blank.height.clear();
    blank.params = S(" \r\n ");
    EXPECT_EQ(MakeTag(blank), S("\r\n<object>\r\n</object>\r\n"));
}

TEST(ObjectBuilder, theFlashSampleFillsTheStartTagAndTheParameters)
{
    const ObjectFields flash = objectSample(ObjectType::Flash, S("400"), S("200"));
    EXPECT_EQ(MakeTag(flash),
              S("\r\n<object classid=\"CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000\" codebase=\"https://fpdownload."
                "macromedia.com/pub/shockwave/cabs/flash/swflash.cab#version=4,0,0,0\" width=\"400\" height=\"200\">\r\n"
                "<param name=\"movie\" value=\"MyFlash.swf\">\r\n"
                "    <param name=\"quality\" value=\"high\">\r\n"
                "    <param name=\"scale\" value=\"exactfit\">\r\n"
                "    <param name=\"menu\" value=\"true\">\r\n"
                "    <param name=\"bgcolor\" value=\"#000000\">\r\n"
                "    <embed src=\"MyFlash.swf\" quality=\"high\" scale=\"exactfit\" menu=\"false\"\r\n"
                "           bgcolor=\"#000000\" width=\"400\" height=\"200\" swLiveConnect=\"false\"\r\n"
                "           type=\"application/x-shockwave-flash\"\r\n"
                "           pluginspage=\"https://get.adobe.com/flashplayer/\">\r\n"
                "    </embed>\r\n"
                "\r\n</object>\r\n"));
}

TEST(ObjectBuilder, eachTypeNamesItsAttributesAndFillsItsSample)
{
    const struct {
        ObjectType type;
        const char *startTag;
        const char *params;
    } cases[] = {
        {ObjectType::Data, "<object data=\"MyFile.txt\" type=\"text/plain\" width=\"300\" height=\"300\">",
         "<param name=\"src\" value=\"MyFile.txt\">"},
        {ObjectType::Java,
         "<object codetype=\"application/java-vm\" classid=\"java:myJava.class\" width=\"300\" height=\"300\">",
         "<applet code=\"myJava.class\" width=\"300\" height=\"300\" alt=\"Java-Applet\">\r\n</applet>"},
        {ObjectType::ActiveX,
         "<object name=\"Mediaplayer\" classid=\"CLSID:05589FA1-C356-11CE-BF01-00AA0055595A\" width=\"300\" height=\"300\">",
         "<param name=\"filename\" value=\"MyVideo.mpg\">"},
    };
    for (const auto &c : cases) {
        const ObjectFields f = objectSample(c.type, S("300"), S("300"));
        EXPECT_EQ(MakeTag(f), S("\r\n") + S(c.startTag) + S("\r\n") + S(c.params) + S("\r\n</object>\r\n"));
        EXPECT_EQ(f.mapEnabled, c.type == ObjectType::Data);
        EXPECT_EQ(f.map, S("#"));
    }
}

TEST(ObjectBuilder, aMapNameIsWrittenOnlyForDataObjectsAndNotAsTheBareHash)
{
    const struct {
        bool enabled;
        const char *map;
        const char *usemap;  // nullptr: no attribute
    } cases[] = {
        {true, "#karte", "#karte"}, {true, "#", nullptr}, {true, " ", nullptr}, {false, "#karte", nullptr},
    };
    for (const auto &c : cases) {
        ObjectFields f = objectSample(ObjectType::Data, S("1"), S("2"));
        f.mapEnabled = c.enabled;
        f.map = S(c.map);
        const auto nodes = scanHtml(MakeTag(f));
        ASSERT_TRUE(nodes);
        const auto usemap = nodes->at(1).attribute(S("usemap"));
        EXPECT_EQ(usemap.has_value(), c.usemap != nullptr) << c.map;
        if (c.usemap) {
            EXPECT_EQ(*usemap, S(c.usemap));
        }
    }
}

TEST(ObjectBuilder, typedValuesAreEscapedAndReadBackAsTyped)
{
    ObjectFields f;
    f.name = S("Film \"Sommer\" & <Herbst>");
    f.classId = S("CLSID:ä");
    f.code = S("a.cab?x=1&y=2");
    f.width = S("50%");
    f.height = S("1\"");
    f.border = S("0");
    f.params = paramLine(S("src\"x"), S("a&b <c>"));
    const QString html = MakeTag(f);
    EXPECT_EQ(html,
              S("\r\n<object name=\"Film &quot;Sommer&quot; &amp; &lt;Herbst&gt;\" classid=\"CLSID:ä\" "
                "codebase=\"a.cab?x=1&amp;y=2\" width=\"50%\" height=\"1&quot;\" border=\"0\">\r\n"
                "<param name=\"src&quot;x\" value=\"a&amp;b &lt;c&gt;\">\r\n</object>\r\n"));
    const auto nodes = scanHtml(html);
    ASSERT_TRUE(nodes);
    const HtmlNode &object = nodes->at(1);
    EXPECT_EQ(object.name, S("object"));
    EXPECT_EQ(object.attributes,
              (QList<std::pair<QString, QString>>{{S("name"), f.name}, {S("classid"), f.classId},
                                                   {S("codebase"), f.code}, {S("width"), f.width},
                                                   {S("height"), f.height}, {S("border"), f.border}}));
    const HtmlNode &param = nodes->at(3);
    EXPECT_EQ(param.attribute(S("name")), S("src\"x"));
    EXPECT_EQ(param.attribute(S("value")), S("a&b <c>"));
    // The sample repeats width and height inside its attributes, escaped as well.
    const auto applet = scanHtml(objectSample(ObjectType::Java, S("1\"0"), S("<2>")).params);
    ASSERT_TRUE(applet);
    EXPECT_EQ(applet->at(0).attribute(S("width")), S("1\"0"));
    EXPECT_EQ(applet->at(0).attribute(S("height")), S("<2>"));
}

TEST(ObjectBuilder, parameterLinesAreAppendedOnTheirOwnLine)
{
    EXPECT_EQ(paramLine(QString(), QString()), S("<param name=\"\" value=\"\">"));
    const struct {
        const char *text, *after;
    } cases[] = {
        {"", "L"},
        {"a", "a\r\nL"},
        {"a\r\n", "a\r\nL"},
        {"a\r\n\r\n", "a\r\n\r\nL"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(appendLine(S(c.text), S("L")), S(c.after)) << c.text;
}

TEST(ObjectBuilder, theMimeListOffersTheKnownTypesInOrder)
{
    const QStringList &types = objectMimeTypes();
    ASSERT_EQ(types.size(), 53);
    EXPECT_EQ(types.first(), S("application/acad"));
    EXPECT_EQ(types.at(19), S("application/x-shockwave-flash"));
    EXPECT_EQ(types.at(44), S("text/plain"));
    EXPECT_EQ(types.last(), S("video/x-sgi-movie"));
    EXPECT_EQ(objectTypeFromName(S("Java")), ObjectType::Java);
    EXPECT_EQ(objectTypeFromName(S("java")), ObjectType::None);
}
