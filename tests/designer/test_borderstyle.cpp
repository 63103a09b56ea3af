#include "designer/borderstyle.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(BorderStyleText, theFirstBlockAndEveryEmptyFormGo)
{
    const struct {
        const char *text;
        const char *expected;
    } cases[] = {
        {"<head><style title=tmpie8style>TABLE {border:1px}</style></head>", "<head> </head>"},
        {"<head>\r\n<STYLE title=\"tmpie8style\">TD {}</STYLE>\r\n<style>p{}</style></head>",
         "<head>\r\n \r\n<style>p{}</style></head>"},
        // Twice: the first block through the first step, the empty second one through the second.
        {"<style title=tmpie8style>a</style><p>x</p><style title=\"tmpie8style\"></style>", " <p>x</p>"},
        {"<STYLE TITLE=\"TMPIE8STYLE\" DISABLED></STYLE><p>", " <p>"},
        {"<p>no sheet</p>", "<p>no sheet</p>"},
        {"<style title=tmpie8style>never closed", "<style title=tmpie8style>never closed"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(StripBorderStyleText(QString::fromUtf8(c.text)), QString::fromUtf8(c.expected)) << c.text;
}
