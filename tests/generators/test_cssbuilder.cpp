#include "generators/cssbuilder.h"
#include "teststrings.h"

#include "teststrings.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace korvel;

namespace {


QString block(const QString &rule)
{
    return S("<style type=\"text/css\">\r\n<!--\r\n") + rule + S("-->\r\n</style>");
}
QString block(const char *rule) { return block(S(rule)); }

// Reads a generated block back: the selector and the declarations in order, with the url of
// a quoted picture unquoted again.
struct ReadRule {
    QString selector;
    QList<std::pair<QString, QString>> declarations;
};

std::optional<ReadRule> readBack(const QString &css)
{
    const QString head = S("<style type=\"text/css\">\r\n<!--\r\n");
    const QString tail = S("}\r\n-->\r\n</style>");
    if (!css.startsWith(head) || !css.endsWith(tail))
        return std::nullopt;
    const QString body = css.mid(head.size(), css.size() - head.size() - tail.size());
    const qsizetype open = body.indexOf(S("{\r\n"));
    if (open < 0)
        return std::nullopt;
    ReadRule rule{body.left(open), {}};
    const QStringList lines = body.mid(open + 3).split(S("\r\n"), Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0 || !line.endsWith(QLatin1Char(';')))
            return std::nullopt;
        QString value = line.mid(colon + 1, line.size() - colon - 2);
        if (value.startsWith(S("url(\"")) && value.endsWith(S("\")"))) {
            QString quoted = value.mid(5, value.size() - 7), plain;
            for (qsizetype i = 0; i < quoted.size(); ++i) {
                if (quoted.at(i) == u'\\' && i + 1 < quoted.size())
                    ++i;
                plain += quoted.at(i);
            }
            value = plain;
        }
        rule.declarations.append({line.left(colon), value});
    }
    return rule;
}

} // namespace

TEST(CssBuilder, theDefaultsGiveOneRuleWithTheFont)
{
    EXPECT_EQ(MakeCss(CssFields{}),
              block(".myClass{\r\nfont-family:Arial,Helvetica;\r\nfont-size:12pt;\r\n}\r\n"));
}

TEST(CssBuilder, declarationsFollowTheFieldOrderAndKeepLeadingBlanks)
{
    CssFields f;
    f.selector = S("#kopf p");
    f.position = S("absolute");
    f.top = S("  5px");
    f.left = S("   ");
    f.width = S("50%");
    f.margin = S("0 10 auto -2.5");
    f.borderWidth = S("thin");
    f.borderColor = S("#FF0000");
    f.borderStyle = S("dashed");
    f.padding = S("3");
    f.fontFamily = S("\"Überschrift Sans\", serif");
    f.fontSize = S("1.5");
    f.fontWeight = S("bold");
    f.fontStyle = S("italic");
    f.color = S("#00FF00");
    f.textDecoration = S("underline");
    f.textAlign = S("center");
    f.backgroundImage = S("bilder/mein \"bild\" (1).png");
    f.backgroundRepeat = S("repeat-x");
    f.backgroundPosition = S("top");
    f.backgroundAttachment = S("fixed");
    f.backgroundColor = S("#0000FF");
    EXPECT_EQ(MakeCss(f),
              block("#kopf p{\r\n"
                    "position:absolute;\r\n"
                    "top:  5px;\r\n"
                    "width:50%;\r\n"
                    "margin:0 10px auto -2.5px;\r\n"
                    "border-width:thin;\r\n"
                    "border-color:#FF0000;\r\n"
                    "border-style:dashed;\r\n"
                    "padding:3px;\r\n"
                    "font-family:\"Überschrift Sans\", serif;\r\n"
                    "font-size:1.5px;\r\n"
                    "font-weight:bold;\r\n"
                    "font-style:italic;\r\n"
                    "color:#00FF00;\r\n"
                    "text-decoration:underline;\r\n"
                    "text-align:center;\r\n"
                    "background-image:url(\"bilder/mein \\\"bild\\\" (1).png\");\r\n"
                    "background-repeat:repeat-x;\r\n"
                    "background-position:top;\r\n"
                    "background-attachment:fixed;\r\n"
                    "background-color:#0000FF;\r\n"
                    "}\r\n"));

    const auto rule = readBack(MakeCss(f));
    ASSERT_TRUE(rule);
    EXPECT_EQ(rule->selector, f.selector);
    ASSERT_EQ(rule->declarations.size(), 20);  // left holds only blanks
    EXPECT_EQ(rule->declarations.at(8), std::make_pair(S("font-family"), f.fontFamily));
    EXPECT_EQ(rule->declarations.at(15), std::make_pair(S("background-image"), f.backgroundImage));
    EXPECT_EQ(rule->declarations.at(19), std::make_pair(S("background-color"), f.backgroundColor));
}

TEST(CssBuilder, valuesBrowsersWouldDropAreWrittenInTheirValidForm)
{
    const struct {
        QString CssFields::*field;
        const char *typed, *written;
    } cases[] = {
        {&CssFields::top, "10", "top:10px;"},
        {&CssFields::top, "0", "top:0;"},
        {&CssFields::top, "+.5", "top:+.5px;"},
        {&CssFields::left, "10px", "left:10px;"},
        {&CssFields::width, "calc(10% + 5px)", "width:calc(10% + 5px);"},
        {&CssFields::borderWidth, "1 medium", "border-width:1px medium;"},
        {&CssFields::fontSize, "12", "font-size:12px;"},
        {&CssFields::fontWeight, "light", "font-weight:lighter;"},
        {&CssFields::fontWeight, " Light", "font-weight: lighter;"},
        {&CssFields::fontWeight, "lighter", "font-weight:lighter;"},
        {&CssFields::fontWeight, "700", "font-weight:700;"},
        // Not a length: a number stays as typed.
        {&CssFields::color, "10", "color:10;"},
        {&CssFields::backgroundImage, "a b.png", "background-image:url(\"a b.png\");"},
        {&CssFields::backgroundImage, "c:\\x;{}.png", "background-image:url(\"c:\\\\x;{}.png\");"},
    };
    for (const auto &c : cases) {
        CssFields f;
        f.fontFamily.clear();
        f.fontSize.clear();
        f.*c.field = S(c.typed);
        EXPECT_EQ(MakeCss(f), block(S(".myClass{\r\n") + S(c.written) + S("\r\n}\r\n"))) << c.typed;
    }
}

TEST(CssBuilder, anEmptySelectorGivesNothingToInsert)
{
    CssFields f;
    f.selector = S("  ");
    f.color = S("red");
    EXPECT_EQ(MakeCss(f), QString());
}

TEST(CssBuilder, textThatWouldEndTheBlockOrTheRuleIsRefused)
{
    const struct {
        QString CssFields::*field;
        const char *typed;
        int index;
        const char *found;
    } refused[] = {
        {&CssFields::fontFamily, "Arial</style><script>", 9, "</style"},
        {&CssFields::fontFamily, "Arial</STYLE >", 9, "</style"},
        {&CssFields::color, "red-->", 13, "-->"},
        {&CssFields::selector, ".a-->", -1, "-->"},
        {&CssFields::fontFamily, "Arial} body{display:none", 9, "}"},
        {&CssFields::selector, "p{", -1, "{"},
        {&CssFields::top, "1px;position:fixed", 1, ";"},
        {&CssFields::width, "<b>", 3, "<"},
        {&CssFields::width, "a>b", 3, ">"},
        {&CssFields::backgroundImage, "x.png</style>", 16, "</style"},
        {&CssFields::backgroundColor, "-->", 20, "-->"},
    };
    for (const auto &c : refused) {
        CssFields f;
        f.*c.field = S(c.typed);
        const auto problem = findCssProblem(f);
        ASSERT_TRUE(problem) << c.typed;
        EXPECT_EQ(problem->field, c.index) << c.typed;
        EXPECT_EQ(problem->found, S(c.found)) << c.typed;
        EXPECT_EQ(MakeCss(f), QString()) << c.typed;
    }

    const struct {
        QString CssFields::*field;
        const char *typed;
    } allowed[] = {
        {&CssFields::selector, "div > p"},
        {&CssFields::selector, "a:hover, .x"},
        {&CssFields::backgroundImage, "a;b{c}.png"},
        {&CssFields::fontFamily, "\"Times New Roman\", Ärger"},
    };
    for (const auto &c : allowed) {
        CssFields f;
        f.*c.field = S(c.typed);
        EXPECT_FALSE(findCssProblem(f)) << c.typed;
        EXPECT_FALSE(MakeCss(f).isEmpty()) << c.typed;
    }

    EXPECT_EQ(cssProblemText({9, S("</style")}, 0),
              S("Das Feld \"font-family\" enthält \"</style\", das in einer Style-Definition nicht stehen darf."));
    EXPECT_EQ(cssProblemText({-1, S("{")}, 1),
              S("The field \"Class or ID\" contains \"{\", which cannot stand in a style definition."));
    EXPECT_EQ(cssProblemText({16, S("-->")}, 1),
              S("The field \"background-image\" contains \"-->\", which cannot stand in a style definition."));
}

TEST(CssBuilder, theBlockGoesInFrontOfTheFirstHeadEndOrOfTheSelection)
{
    const QString css = S("<style>x</style>");
    const struct {
        const char *source;
        qsizetype selStart, selLength;
        qsizetype start, length;
        const char *text;
    } cases[] = {
        {"<html><head><title>t</title></HEAD><body></head>", 0, 0, 28, 7, "\r\n<style>x</style>\r\n</HEAD>"},
        {"<p>ab</p>", 3, 2, 3, 2, "\r\n<style>x</style>\r\nab"},
        {"", 0, 0, 0, 0, "\r\n<style>x</style>\r\n"},
        {"</head", 6, 0, 6, 0, "\r\n<style>x</style>\r\n"},
    };
    for (const auto &c : cases) {
        const StyleBlockPlace at = placeStyleBlock(S(c.source), c.selStart, c.selLength, css);
        EXPECT_EQ(at.start, c.start) << c.source;
        EXPECT_EQ(at.length, c.length) << c.source;
        EXPECT_EQ(at.text, S(c.text)) << c.source;
    }
}
