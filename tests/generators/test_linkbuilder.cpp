#include "generators/linkbuilder.h"
#include "teststrings.h"

#include "teststrings.h"
#include "markupscanner.h"

#include <gtest/gtest.h>

using namespace korvel;
using test::HtmlNode;
using test::scanHtml;

namespace {


constexpr int German = 0;
constexpr int English = 1;

struct Case {
    LinkKind kind;
    const char *address, *description, *title, *target;
    const char *html;
};

} // namespace

TEST(LinkBuilder, webAndPlainLinksAreBuiltFromTheirFields)
{
    const Case cases[] = {
        // No title: the empty title piece leaves two blanks after the tag name.
        {LinkKind::Url, "index.html", "Home", "", "_blank", "<a  href=\"http://index.html\" target=\"_blank\">Home</a>"},
        {LinkKind::Url, "www.x.de", " Home ", "  Start  ", "", "<a title=\"Start\" href=\"http://www.x.de\">Home</a>"},
        {LinkKind::Url, "https://x.de/a", "A", "", "  ", "<a  href=\"https://x.de/a\">A</a>"},
        {LinkKind::Url, "x.de", "A", "", " my frame ", "<a  href=\"http://x.de\" target=\" my frame \">A</a>"},
        {LinkKind::Plain, "index.html", "Home", "", "", "<a  href=\"index.html\">Home</a>"},
        {LinkKind::Plain, "www.x.de", "W", "", "_top", "<a  href=\"www.x.de\" target=\"_top\">W</a>"},
        // The description is source HTML and stays as it is; attribute values are escaped.
        {LinkKind::Url, "a.php?x=1&y=\"2\"", "<b>Tom & Jerry</b>", "Say \"hi\" <now>", "a\"b",
         "<a title=\"Say &quot;hi&quot; &lt;now&gt;\" href=\"http://a.php?x=1&amp;y=&quot;2&quot;\" "
         "target=\"a&quot;b\"><b>Tom & Jerry</b></a>"},
        {LinkKind::Url, "münchen.de/straße", "Über uns", "Grüße", "", "<a title=\"Grüße\" href=\"http://münchen.de/straße\">Über uns</a>"},
    };
    for (const Case &c : cases) {
        const LinkOutcome out = MakeLink({c.kind, S(c.address), S(c.description), S(c.title), S(c.target)}, English);
        EXPECT_EQ(out.problem, LinkProblem::None) << c.address;
        EXPECT_EQ(out.html, S(c.html)) << c.address;
        EXPECT_EQ(out.address, S(c.address));
    }
}

TEST(LinkBuilder, onlyAddressesWithoutSchemeOrRelativeStartGetTheHttpPrefix)
{
    const struct {
        const char *address;
        bool prefixed;
    } cases[] = {
        {"index.html", true},  {"profile.html", true}, {"www.x.de:8080/a", true},  {"x.de/http", true},
        {"", true},            {"http://x.de", false}, {"HTTPS://a.de", false},    {"ftp://f.de", false},
        {"file:///a", false},  {"mailto:a@b.de", false}, {"../a.html", false},     {"./a.html", false},
        {"/a.html", false},    {"#top", false},        {"?q=1", false},            {" https://a.de", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(needsHttpPrefix(S(c.address)), c.prefixed) << c.address;
}

TEST(LinkBuilder, anchorLinksComeWithTheirAnchorInTheLanguage)
{
    const LinkOutcome english = MakeLink({LinkKind::Anchor, S("#intro"), S("Intro"), S("T"), S("_blank")}, English);
    EXPECT_EQ(english.html, S("<a href=\"#intro\">This is an internal link:Intro</a>\r\n"
                              "<a name=\"intro\">Intro, place this anchor anywhere on the page</a>\r\n"));
    EXPECT_EQ(english.address, S("intro"));

    // Only the first "#" goes; an empty description is allowed; the name is escaped.
    const LinkOutcome german = MakeLink({LinkKind::Anchor, S("a#b&\"c"), S(""), {}, {}}, German);
    EXPECT_EQ(german.html, S("<a href=\"#ab&amp;&quot;c\">Dies ist der interner Link:</a>\r\n"
                             "<a name=\"ab&amp;&quot;c\">, plazieren Sie diesen Anchor irgendwo auf Ihrer Seite</a>\r\n"));
    EXPECT_EQ(german.address, S("ab&\"c"));
}

TEST(LinkBuilder, mailLinksDropOneMailPrefixAndWriteItInLowerCase)
{
    const LinkOutcome out = MakeLink({LinkKind::Mail, S("MAILTO:mailto:a@b.de"), S(" Mail me "), S("T"), S("_top")}, English);
    EXPECT_EQ(out.html, S("<a href=\"mailto:mailto:a@b.de\"> Mail me </a>"));
    EXPECT_EQ(out.address, S("mailto:a@b.de"));

    const LinkOutcome quoted = MakeLink({LinkKind::Mail, S("\"Jörg\"@b.de"), S("Jörg"), {}, {}}, English);
    EXPECT_EQ(quoted.html, S("<a href=\"mailto:&quot;Jörg&quot;@b.de\">Jörg</a>"));
}

TEST(LinkBuilder, missingPartsGiveTheirProblemAndNoLink)
{
    const struct {
        LinkKind kind;
        const char *address, *description;
        LinkProblem problem;
        const char *addressAfter;
    } cases[] = {
        {LinkKind::Url, "x.de", "", LinkProblem::MissingDescription, "x.de"},
        {LinkKind::Plain, "x.de", "   ", LinkProblem::MissingDescription, "x.de"},
        {LinkKind::Anchor, "#", "Intro", LinkProblem::MissingDescription, ""},
        {LinkKind::Anchor, " #  ", "Intro", LinkProblem::MissingDescription, "   "},
        {LinkKind::Mail, "mailto:nobody", "Me", LinkProblem::InvalidMail, "mailto:nobody"},
        // A valid address without description gets the mail message, and loses its prefix.
        {LinkKind::Mail, "mailto:a@b.de", " ", LinkProblem::InvalidMail, "a@b.de"},
    };
    for (const auto &c : cases) {
        const LinkOutcome out = MakeLink({c.kind, S(c.address), S(c.description), {}, {}}, English);
        EXPECT_EQ(out.problem, c.problem) << c.address;
        EXPECT_TRUE(out.html.isEmpty()) << c.address;
        EXPECT_EQ(out.address, S(c.addressAfter)) << c.address;
    }
    EXPECT_EQ(linkProblemText(LinkProblem::MissingDescription, German), S("Bitte eine Beschreibung eingeben."));
    EXPECT_EQ(linkProblemText(LinkProblem::InvalidMail, German), S("Bitte geben Sie eine gültige Emailadresse ein."));
    EXPECT_EQ(linkProblemText(LinkProblem::MissingDescription, 7), S("Enter a description please."));
    EXPECT_EQ(linkProblemText(LinkProblem::InvalidMail, English), S("Enter a valid email please."));
}

TEST(LinkBuilder, generatedLinksReadBackAsTheTypedFields)
{
    const QString title = S("Ein \"Zitat\" & <Tag> – ü");
    const QString address = S("seite.html?a=1&b=\"x\"");
    const QString target = S("rahmen \"2\"");
    const LinkOutcome out = MakeLink({LinkKind::Plain, address, S("Text"), title, target}, German);
    const auto nodes = scanHtml(out.html);
    ASSERT_TRUE(nodes) << out.html.toStdString();
    ASSERT_EQ(nodes->size(), 3);
    const HtmlNode &a = nodes->at(0);
    EXPECT_EQ(a.name, S("a"));
    EXPECT_EQ(a.attribute(S("title")), title);
    EXPECT_EQ(a.attribute(S("href")), address);
    EXPECT_EQ(a.attribute(S("target")), target);
    EXPECT_EQ(nodes->at(1).text, S("Text"));
    EXPECT_EQ(nodes->at(2).kind, HtmlNode::End);

    const QString name = S("Kapitel \"1\" & <2>");
    const LinkOutcome anchor = MakeLink({LinkKind::Anchor, name, S("Eins"), {}, {}}, German);
    const auto pair = scanHtml(anchor.html);
    ASSERT_TRUE(pair) << anchor.html.toStdString();
    ASSERT_EQ(pair->size(), 8);  // two elements, each start, text, end, then a line break
    EXPECT_EQ(pair->at(0).attribute(S("href")), S("#") + name);
    EXPECT_EQ(pair->at(4).attribute(S("name")), name);

    const LinkOutcome mail = MakeLink({LinkKind::Mail, S("a&b@c.de"), S("M"), {}, {}}, German);
    const auto mailNodes = scanHtml(mail.html);
    ASSERT_TRUE(mailNodes);
    EXPECT_EQ(mailNodes->at(0).attribute(S("href")), S("mailto:a&b@c.de"));
}

TEST(LinkBuilder, theSelectionPresetsTheKindWithMailWinning)
{
    const struct {
        const char *selection;
        LinkKind kind;
        bool isAddress;
    } cases[] = {
        {"", LinkKind::Url, false},
        {"x", LinkKind::Url, false},
        {"#", LinkKind::Url, false},
        {"Home", LinkKind::Url, false},
        {"http://x.de", LinkKind::Url, true},
        {"www.x.de", LinkKind::Url, true},
        // A web address with a fragment stays a web address.
        {"http://www.x.de/a.html#top", LinkKind::Url, true},
        {"#intro", LinkKind::Anchor, true},
        {"a@b.de", LinkKind::Mail, true},
        {"intro#a@b", LinkKind::Mail, true},
        {"http://u@x.de", LinkKind::Mail, true},
        {"mailto:someone", LinkKind::Mail, true},
    };
    for (const auto &c : cases) {
        const LinkPreset preset = presetFromSelection(S(c.selection));
        EXPECT_EQ(preset.kind, c.kind) << c.selection;
        EXPECT_EQ(preset.selectionIsAddress, c.isAddress) << c.selection;
    }
}
