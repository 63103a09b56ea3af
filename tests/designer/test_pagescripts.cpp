// Whether a page's source may have run a script: a page that cannot shows as written, and
// design mode does not load it again.
#include "designer/pagescripts.h"
#include "teststrings.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(SourceMayRunScripts, findsEveryWayAPageRunsAScriptOrBringsInAnotherDocument)
{
    const struct {
        const char *source;
        bool mayRun;
    } cases[] = {
        {"<html><body><p class=x>Plain text, one of two lines</p><img src=a.png></body></html>", false},
        {"<p>Person=one, Once upon a time; on-line; on =</p>", false},
        {"", false},
        {"<meta name=description content=\"A manuscript, its transcript\">", false},
        {"<a href=\"JavaScript :alert(1)\">x</a>", true},
        {"<a href=\"vbscript&#58;x\">x</a>", true},
        {"<p>x</p><SCRIPT>document.body.innerHTML = ''</SCRIPT>", true},
        {"<svg><script href=a.js></script></svg>", true},
        {"<body onload=\"init()\">", true},
        {"<BODY\r\nONLOAD = init()>", true},
        {"<img src=x onerror='f()'>", true},
        {"<img/onerror=f()>", true},
        {"<a href=\"javascript:void(0)\">x</a>", true},
        {"<iframe src=other.html></iframe>", true},
        {"<FRAMESET><frame src=a.html></FRAMESET>", true},
        {"<object data=a.swf></object>", true},
        {"<embed src=a.svg>", true},
        {"<?xml-stylesheet href=\"a.xsl\" type=\"text/xsl\"?><page/>", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.source);
        EXPECT_EQ(SourceMayRunScripts(S(c.source)), c.mayRun);
    }
}
