#include "source/texthelpers.h"
#include "source/textmatch.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

using namespace korvel;

namespace {


QString Blanks(qsizetype n)
{
    return QString(n, QLatin1Char(' '));
}

// The helper as it reads: strip the characters, then six passes that each turn every pair of
// blanks into one.
QString CompactHtmlAsWritten(QString text)
{
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('\t'));
    for (int pass = 0; pass < 6; ++pass)
        text.replace(QStringLiteral("  "), QStringLiteral(" "));
    return text;
}

} // namespace

struct CompactCase {
    QString input;
    QString expected;
};

class CompactHtmlTest : public ::testing::TestWithParam<CompactCase> {};

TEST_P(CompactHtmlTest, removesBreaksAndTabsAndCollapsesBlanks)
{
    EXPECT_EQ(CompactHtml(GetParam().input), GetParam().expected);
    EXPECT_EQ(CompactHtml(GetParam().input), CompactHtmlAsWritten(GetParam().input));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompactHtmlTest,
    ::testing::Values(
        CompactCase{QString(), QString()},
        CompactCase{S("<td>\r\n\tx</td>"), S("<td>x</td>")},
        CompactCase{S("a \r\n b"), S("a b")},          // blanks meet once the break is gone
        CompactCase{S("a\rb\nc"), S("abc")},           // lone CR and LF go too
        CompactCase{S("a") + Blanks(64) + S("b"), S("a b")},
        CompactCase{S("a") + Blanks(65) + S("b"), S("a  b")},
        CompactCase{S("a") + Blanks(129) + S("b"), S("a   b")},
        CompactCase{Blanks(3), S(" ")}));

TEST(FindNoCase, searchesWithAsciiFoldingFromTheStart)
{
    const QString text = S("<HTML><Head><title>x</title></HEAD>");
    EXPECT_EQ(FindNoCase(S("<head"), text, 0, text), 6);
    EXPECT_EQ(FindNoCase(S("</head>"), text, 0, text), 28);
    EXPECT_EQ(FindNoCase(S("<head"), text, 7, text), -1);
    EXPECT_EQ(FindNoCase(S("<head"), text, -5, text), 6); // a start below the first counts as the first
    EXPECT_EQ(FindNoCase(S("<body"), text, 0, text), -1);
    EXPECT_EQ(FindNoCase(S("Ä"), S("xä"), 0, S("abc")), -1); // no folding beyond A-Z
}

TEST(FindNoCase, answersNothingOutsideTheEditorTextsBounds)
{
    const QString haystack = S("abc abc abc");
    // A start on or beyond the last character of the editor's text: nothing, whatever the haystack.
    EXPECT_EQ(FindNoCase(S("abc"), haystack, 2, S("xyz")), -1);
    EXPECT_EQ(FindNoCase(S("abc"), haystack, 1, S("xyz")), 4);
    // The editor's text is shorter than the needle.
    EXPECT_EQ(FindNoCase(S("abc abc"), haystack, 0, S("xyz")), -1);
    // Blank needle or haystack.
    EXPECT_EQ(FindNoCase(S("  "), haystack, 0, haystack), -1);
    EXPECT_EQ(FindNoCase(S("abc"), S(" \r\n"), 0, haystack), -1);
}

TEST(FindNoCase, usesOnlyTheFirstHundredCharactersOfTheNeedle)
{
    const QString haystack = QString(100, QLatin1Char('a')) + S("b");
    const QString needle = QString(100, QLatin1Char('a')) + S("X");
    EXPECT_EQ(FindNoCase(needle, haystack, 0, haystack), 0);
}

constexpr qsizetype TextLength = std::numeric_limits<qsizetype>::min();

struct FindCase {
    const char *name;
    QString haystack;
    QString needle;
    qsizetype from;
    qsizetype limit; // TextLength: the haystack's length
    bool wholeWord;
    bool matchCase;
    qsizetype expected;
};

void PrintTo(const FindCase &c, std::ostream *os)
{
    *os << c.name;
}

class FindTextTest : public ::testing::TestWithParam<FindCase> {};

TEST_P(FindTextTest, findsTheFirstOccurrenceThatCounts)
{
    const FindCase &c = GetParam();
    const qsizetype limit = c.limit == TextLength ? c.haystack.size() : c.limit;
    EXPECT_EQ(FindText(c.haystack, c.needle, c.from, limit, c.wholeWord, c.matchCase), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    ::testing::Values(
        FindCase{"whole word skips the end of a longer word", S("concat cat"), S("cat"), 0, TextLength, true, false, 7},
        FindCase{"whole word alone", S("cat"), S("cat"), 0, TextLength, true, false, 0},
        FindCase{"whole word only inside a longer word", S("concat"), S("cat"), 0, TextLength, true, false, -1},
        FindCase{"upper half of code page 1252 is a letter", S("écat cat"), S("cat"), 0, TextLength, true, false, 5},
        FindCase{"digits are no letters", S("1cat2"), S("cat"), 0, TextLength, true, false, 1},
        FindCase{"limit 0", S("cat"), S("cat"), 0, 0, false, false, -1},
        FindCase{"negative limit", S("cat"), S("cat"), 0, -3, false, false, -1},
        FindCase{"A-Z folded", S("a CAT"), S("cat"), 0, TextLength, false, false, 2},
        FindCase{"match case", S("a CAT cat"), S("cat"), 0, TextLength, false, true, 6},
        FindCase{"umlauts are not folded", S("ärger"), S("ÄRGER"), 0, TextLength, false, false, -1},
        FindCase{"from a later start", S("ab ab ab x"), S("ab"), 2, TextLength, false, false, 3},
        FindCase{"start beyond the text", S("ab"), S("ab"), 5, TextLength, false, false, -1},
        FindCase{"empty needle", S("ab"), QString(), 0, TextLength, false, false, -1},
        // The search stops once the point behind a rejected occurrence reaches the limit's last
        // character, even when a countable occurrence begins there.
        FindCase{"rejected occurrence near the limit", S("a--"), S("-"), 0, TextLength, true, false, -1},
        FindCase{"rejected occurrence well before the limit", S("a-- "), S("-"), 0, TextLength, true, false, 2},
        FindCase{"overlapping occurrence behind a rejected one", S("xa-a-a "), S("a-a"), 0, TextLength, true, false, -1}));

TEST(IsFramesetDocument, looksForFramesetInAnyCase)
{
    EXPECT_TRUE(IsFramesetDocument(S("<html>\r\n<FRAMESET rows=\"50%,*\">")));
    EXPECT_FALSE(IsFramesetDocument(S("<html><frame src=a.htm>")));
    EXPECT_FALSE(IsFramesetDocument(QString()));
}

TEST(IsOnlineLocation, isTrueForEverythingButFileAddresses)
{
    EXPECT_FALSE(IsOnlineLocation(S("file:///home/anna/page.htm")));
    EXPECT_FALSE(IsOnlineLocation(S("FILE:///home/anna/page.htm")));
    EXPECT_TRUE(IsOnlineLocation(S("https://example.org/")));
    EXPECT_TRUE(IsOnlineLocation(S("about:blank")));
    EXPECT_TRUE(IsOnlineLocation(QString()));
}

TEST(IsEditableFileType, acceptsFourExtensionsInAnyCase)
{
    for (const char *name : {"page.htm", "PAGE.HTML", "/tmp/notes.Txt", "data.xml", "a.b.html"})
        EXPECT_TRUE(IsEditableFileType(S(name))) << name;
    for (const char *name : {"script.php", "page.html.bak", "README", "dir.htm/page", "htm", "x.htmx"})
        EXPECT_FALSE(IsEditableFileType(S(name))) << name;
}

TEST(LocalPathOfLocation, givesTheFileBehindALocalAddress)
{
    EXPECT_EQ(LocalPathOfLocation(S("file:///home/anna/My%20Page.htm#top")), S("/home/anna/My Page.htm"));
    EXPECT_EQ(LocalPathOfLocation(S("file:///home/anna/Page.HTM")), S("/home/anna/Page.HTM"));
    EXPECT_EQ(LocalPathOfLocation(S("https://example.org/page.htm")), QString());
}

TEST(DoctypeOf, takesTheDeclarationUpToTheNextAngleBracket)
{
    EXPECT_EQ(DoctypeOf(S("<!doctype html>\r\n<html>")), S("<!doctype html>"));
    EXPECT_EQ(DoctypeOf(S("x <!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\"><html>")),
              S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">"));
    EXPECT_EQ(DoctypeOf(S("<html><body></body></html>")), QString());
    EXPECT_EQ(DoctypeOf(S("<!DOCTYPE html")), QString());
    EXPECT_EQ(DoctypeOf(QString()), QString());
}

TEST(TextMatcher, staysCorrectOnSelfOverlappingNeedles)
{
    const TextMatcher matcher(S("aab"), CaseMode::Exact);
    EXPECT_EQ(matcher.indexIn(S("aaaab")), 2);
    EXPECT_EQ(matcher.indexIn(S("aaaab"), 3), -1);
    const TextMatcher upper(S("ärger"), CaseMode::UpperCase);
    EXPECT_EQ(upper.indexIn(S("Viel ÄRGER")), 5);
    const TextMatcher ascii(S("ärger"), CaseMode::AsciiFold);
    EXPECT_EQ(ascii.indexIn(S("Viel ÄRGER")), -1);
    EXPECT_EQ(ascii.indexIn(S("Viel äRGER")), 5);
}

TEST(TrimBlanks, removesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(TrimBlanks(S("\r\n\t x y \x01\r\n")), S("x y"));
    EXPECT_EQ(TrimBlanks(S(" \r\n ")), QString());
}

TEST(AsciiLetterCase, changesOnlyAsciiLetters)
{
    EXPECT_EQ(AsciiUpperCase(S("<a href=x>Größe</a>")), S("<A HREF=X>GRößE</A>"));
    EXPECT_EQ(AsciiLowerCase(S("<A HREF=X>GRÖßE</A>")), S("<a href=x>grÖße</a>"));
}
