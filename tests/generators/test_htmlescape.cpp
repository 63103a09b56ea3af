#include "generators/htmlescape.h"
#include "teststrings.h"

#include "teststrings.h"

#include <gtest/gtest.h>

using namespace korvel;

namespace {
} // namespace

TEST(HtmlEscape, attributeValuesLoseEveryCharacterThatCouldEndTheValueOrTheTag)
{
    const struct {
        const char *typed, *attribute, *text;
    } cases[] = {
        {"", "", ""},
        {"plain Ärger", "plain Ärger", "plain Ärger"},
        {"Say \"hi\"", "Say &quot;hi&quot;", "Say \"hi\""},
        {"a&b", "a&amp;b", "a&amp;b"},
        {"&amp;", "&amp;amp;", "&amp;amp;"},
        {"<b>x</b>", "&lt;b&gt;x&lt;/b&gt;", "&lt;b&gt;x&lt;/b&gt;"},
        {"it's", "it's", "it's"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(escapeAttribute(S(c.typed)), S(c.attribute)) << c.typed;
        EXPECT_EQ(escapeText(S(c.typed)), S(c.text)) << c.typed;
    }
}

TEST(HtmlEscape, chosenFilesAreWrittenRelativeToTheDocumentOrAsFileUrls)
{
    const struct {
        const char *doc, *chosen, *written;
    } cases[] = {
        {"/home/u/site/index.html", "/home/u/site/pics/my pic.png", "pics/my%20pic.png"},
        {"/home/u/site/index.html", "/home/u/site/logo.gif", "logo.gif"},
        {"/home/u/site/index.html", "/home/u/other/photo#1.png", "../other/photo%231.png"},
        {"/home/u/site/index.html", "/home/u/site/Bild ä?.png", "Bild%20%C3%A4%3F.png"},
        {"/home/u/site/sub/page.html", "/home/u/site/a%b.png", "../a%25b.png"},
        {"", "/home/u/site/my pic.png", "file:///home/u/site/my%20pic.png"},
        {"", "/tmp/ä.png", "file:///tmp/%C3%A4.png"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(documentRelativePath(S(c.doc), S(c.chosen)), S(c.written)) << c.chosen;
}
