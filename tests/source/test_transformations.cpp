#include "textio/cp1252.h"
#include "source/hyphenation.h"
#include "source/sourcebatch.h"
#include "source/transformations.h"
#include "source/transformhelpers.h"

#include "cataloguefixture.h"

#include <QStringDecoder>
#include "teststrings.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace korvel;

namespace {


} // namespace

TEST(ExtractHead, takesFromTheFirstHeadUpToTheFirstClosingHead)
{
    EXPECT_EQ(ExtractHead(S("<html><HEAD>\r\n<title>x</title>\r\n</head><body></body>")),
              S("<HEAD>\r\n<title>x</title>\r\n</head>"));
    EXPECT_EQ(ExtractHead(S("<html><head><title>x</title><body>")), QString());
    EXPECT_EQ(ExtractHead(S("<html></head><body>")), QString());
    EXPECT_EQ(ExtractHead(S("</head><head>")), QString());
}

TEST(RestoreHead, putsTheSavedSectionBackOnceAndForgetsIt)
{
    QString saved = S("<head>\r\n<title>x</title>\r\n</head>");
    EXPECT_EQ(RestoreHead(S("<html><head><title>x</title></head><body>"), saved),
              S("<html><head>\r\n<title>x</title>\r\n</head><body>"));
    EXPECT_TRUE(saved.isEmpty());

    // Nothing saved: unchanged.
    EXPECT_EQ(RestoreHead(S("<head></head>"), saved), S("<head></head>"));

    // No head section in the text: unchanged, and the saved section is kept.
    saved = S("<head></head>");
    EXPECT_EQ(RestoreHead(S("<body>x</body>"), saved), S("<body>x</body>"));
    EXPECT_EQ(saved, S("<head></head>"));
}

struct InsideTagCase {
    const char *text;
    qsizetype index;
    bool inside;
};

void PrintTo(const InsideTagCase &c, std::ostream *os)
{
    *os << c.text << " @" << c.index;
}

class InsideTagTest : public ::testing::TestWithParam<InsideTagCase> {};

TEST_P(InsideTagTest, isOutsideOnlyWhenALessThanComesFirst)
{
    const QString text = S(GetParam().text);
    EXPECT_EQ(InsideTag(text, GetParam().index), GetParam().inside);
    TagScanner scanner(text);
    EXPECT_EQ(scanner.insideTag(GetParam().index), GetParam().inside);
}

INSTANTIATE_TEST_SUITE_P(Cases, InsideTagTest,
                         ::testing::Values(InsideTagCase{"a<b>c", 0, false},  // text before a tag
                                           InsideTagCase{"a<b>c", 2, true},   // in the tag
                                           InsideTagCase{"<p>a</p>", 3, false},
                                           InsideTagCase{"<p>a", 3, true},    // no "<" follows
                                           InsideTagCase{"abc", 0, true},     // neither follows
                                           InsideTagCase{"a>b<", 0, true}));  // ">" comes first

TEST(TagScanner, answersLikeInsideTagForRisingPositions)
{
    const QString text = S("x <a href=x>y</a> z <b");
    TagScanner scanner(text);
    for (qsizetype i = 0; i < text.size(); ++i)
        EXPECT_EQ(scanner.insideTag(i), InsideTag(text, i)) << i;
}

TEST(BreakAfterTags, addsALineBreakBehindEveryTag)
{
    const QString once = BreakAfterTags(S("<p>a</p>"));
    EXPECT_EQ(once, S("<p>\r\na</p>\r\n"));
    EXPECT_EQ(BreakAfterTags(once), S("<p>\r\n\r\na</p>\r\n\r\n")); // applied twice, the breaks double
}

TEST(RemoveLineBreaks, deletesCrLfPairsAndCollapsesBlanks)
{
    EXPECT_EQ(RemoveLineBreaks(S("foo\r\nbar")), S("foobar"));
    EXPECT_EQ(RemoveLineBreaks(S("a\rb\nc")), S("a\rb\nc"));
    EXPECT_EQ(RemoveLineBreaks(S("\r\r\n\n")), S("\r\n")); // the pair that forms is not searched again
    EXPECT_EQ(RemoveLineBreaks(S("a  \r\n  b")), S("a b"));
}

TEST(RemoveLineFeeds, joinsEverythingOutsideTheHeadSection)
{
    QString saved;
    EXPECT_EQ(RemoveLineFeeds(S("<p>a</p>\r\n<p>b</p>\r\n"), saved), S("<p>a</p><p>b</p>"));
    EXPECT_EQ(RemoveLineFeeds(S("<html>\r\n<head>\r\n<title>x  y</title>\r\n</head>\r\n<body>\r\nfoo\r\nbar</body>"), saved),
              S("<html><head>\r\n<title>x  y</title>\r\n</head><body>foobar</body>"));
    EXPECT_TRUE(saved.isEmpty());
}

TEST(InsertLineFeeds, breaksBehindTagsButLeavesTheHeadAsItWas)
{
    QString saved;
    EXPECT_EQ(InsertLineFeeds(S("<head>\r\n<title>x</title></head><body><p>a</p></body>"), saved),
              S("<head>\r\n<title>x</title></head>\r\n<body>\r\n<p>\r\na</p>\r\n</body>\r\n"));
    EXPECT_EQ(InsertLineFeeds(S("<p>a</p>"), saved), S("<p>\r\na</p>\r\n"));
}

struct HyphenCase {
    const char *name;
    const char *text;
    const char *expected;
    int count;
};

void PrintTo(const HyphenCase &c, std::ostream *os)
{
    *os << c.name;
}

class HyphenationTest : public ::testing::TestWithParam<HyphenCase> {};

TEST_P(HyphenationTest, removesOnlyTheHyphensOfSplitWords)
{
    const HyphenationResult result = RemoveHyphenation(S(GetParam().text));
    EXPECT_EQ(result.text, S(GetParam().expected));
    EXPECT_EQ(result.count, GetParam().count);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HyphenationTest,
    ::testing::Values(
        HyphenCase{"split word", "<body>Silben-trennung</body>", "<body>Silbentrennung</body>", 1},
        HyphenCase{"two split words", "<body><p>Sil-ben tren-nung</p></body>", "<body><p>Silben trennung</p></body>", 2},
        HyphenCase{"-to-", "<body>up-to-date</body>", "<body>up-to-date</body>", 0},
        HyphenCase{"-of- and the-art", "<body>state-of-the-art</body>", "<body>state-of-the-art</body>", 0},
        HyphenCase{"Know-how", "<body>Know-how</body>", "<body>Know-how</body>", 0},
        HyphenCase{"capital after", "<body>E-Mail</body>", "<body>E-Mail</body>", 0},
        HyphenCase{"digit after", "<body>2-3</body>", "<body>2-3</body>", 0},
        HyphenCase{"blank or break after", "<body>Wort- und Zei-\r\nle</body>", "<body>Wort- und Zei-\r\nle</body>", 0},
        HyphenCase{"www. within 15 before", "<body>www.my-site.de</body>", "<body>www.my-site.de</body>", 0},
        HyphenCase{"www. further away", "<body>www.x.de and so on Silben-trennung</body>",
                   "<body>www.x.de and so on Silbentrennung</body>", 1},
        HyphenCase{"inside a tag", "<body><a href=\"a-b\">x</a></body>", "<body><a href=\"a-b\">x</a></body>", 0},
        HyphenCase{"last tag, no < behind", "<body>x <img alt=a-b>", "<body>x <img alt=a-b>", 0},
        HyphenCase{"text without a tag behind", "<body>Silben-trennung", "<body>Silben-trennung", 0},
        HyphenCase{"before <body never looked at", "<title>Sil-ben</title><BODY>Sil-ben</body>",
                   "<title>Sil-ben</title><BODY>Silben</body>", 1},
        HyphenCase{"no body: from the start", "Sil-ben <br>", "Silben <br>", 1},
        // The windows look at the text as already changed: once "th-e" lost its hyphen, "the-art"
        // lies around the second hyphen.
        HyphenCase{"window sees earlier removals", "<body>th-e-art</body>", "<body>the-art</body>", 1},
        HyphenCase{"window at the very start", "-to-x<p>", "-to-x<p>", 0}));

TEST(HyphenationReport, putsTheCountInFrontOfItsLine)
{
    EXPECT_EQ(HyphenationReport(3, test::EnglishLines()), S("3 x hyphenation deleted."));
    EXPECT_EQ(HyphenationReport(0, test::GermanLines()), S("0 x Silbentrennung gelöscht"));
}

TEST(CharacterCode, givesTheCodePage1252ByteOfTheFirstCharacter)
{
    const std::pair<const char *, const char *> cases[] = {
        {"a", "&#97;"}, {"é", "&#233;"}, {"€", "&#128;"}, {"abc", "&#97;"}, {"™", "&#153;"},
        {"Ω", "&#63;"},  // not in the code page: "?"
        {"😀", "&#63;"}, // outside the basic plane
    };
    for (const auto &[selection, expected] : cases)
        EXPECT_EQ(CharacterCode(S(selection)), S(expected)) << selection;
    EXPECT_FALSE(CharacterCode(QString()).has_value());
}

TEST(Cp1252Byte, agreesWithTheSystemDecoderForEveryByte)
{
    QStringDecoder decoder("windows-1252");
    ASSERT_TRUE(decoder.isValid());
    QByteArray bytes;
    for (int b = 0; b < 256; ++b)
        bytes.append(char(b));
    const QString decoded = decoder.decode(bytes);
    ASSERT_EQ(decoded.size(), 256);
    for (int b = 0; b < 256; ++b)
        EXPECT_EQ(Cp1252Byte(decoded[b]), b) << b;
}

TEST(ReplaceUmlauts, turnsTheTenCharactersIntoNamedEntities)
{
    EXPECT_EQ(ReplaceUmlauts(S("<p title=\"Öl\">Ärger über Öl, Maß: 5 € © ® äöü ÄÖÜ</p> é ñ")),
              S("<p title=\"&Ouml;l\">&Auml;rger &uuml;ber &Ouml;l, Ma&szlig;: 5 &euro; &copy; &reg; "
                "&auml;&ouml;&uuml; &Auml;&Ouml;&Uuml;</p> é ñ"));
}

struct StringVariableCase {
    const char *name;
    const char *text;
    const char *expected; // nullptr: nothing happens
};

void PrintTo(const StringVariableCase &c, std::ostream *os)
{
    *os << c.name;
}

class MakeStringVariableTest : public ::testing::TestWithParam<StringVariableCase> {};

TEST_P(MakeStringVariableTest, quotesEveryLineThatHoldsText)
{
    const std::optional<QString> result = MakeStringVariable(S(GetParam().text));
    if (!GetParam().expected) {
        EXPECT_FALSE(result.has_value());
        return;
    }
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, S(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MakeStringVariableTest,
    ::testing::Values(StringVariableCase{"two lines", "a\r\nb", "'a'+\r\n'b';"},
                      StringVariableCase{"one line", "x", "'x';"},
                      StringVariableCase{"blank lines only", "  \r\n\t\r\n", nullptr},
                      StringVariableCase{"empty", "", nullptr},
                      StringVariableCase{"blank lines go", "a\r\n\r\n \t \r\nb\r\n", "'a'+\r\n'b';"},
                      StringVariableCase{"lone line feeds", "a\nb\rc", "'a'+\r\n'b'+\r\n'c';"},
                      StringVariableCase{"nothing escaped", "it's <b>\"x\"</b>", "'it's <b>\"x\"</b>';"},
                      StringVariableCase{"blanks inside kept", "  a b  ", "'  a b  ';"}));

TEST(RunSourceCommandUtf8, runsEachCommandWordAndReportsWhereTheCommandDoes)
{
    const CatalogueLine english = test::EnglishLines();
    const auto hyphens = RunSourceCommandUtf8(S("remove-hyphenation"), QByteArray("<body>Sil-ben tren-nung</body>"), english);
    ASSERT_TRUE(hyphens.has_value());
    EXPECT_EQ(hyphens->text, QByteArray("<body>Silben trennung</body>"));
    EXPECT_EQ(hyphens->report, S("2 x hyphenation deleted."));

    const auto check = RunSourceCommandUtf8(S("check-html"), QByteArray("<body><div a><div b></div></body>"), english);
    ASSERT_TRUE(check.has_value());
    EXPECT_EQ(check->report, S("Code check finished.\r\n\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
    EXPECT_TRUE(check->text.contains("<div a></!CheckThis>"));

    const std::pair<const char *, const char *> silent[] = {
        {"remove-line-breaks", "<p>a</p>"}, {"insert-line-breaks", "<p>\r\na</p>\r\n"},
        {"entities", "<p>a</p>"}, {"javascript-string", "'<p>a</p>';"},
    };
    for (const auto &[word, expected] : silent) {
        const auto result = RunSourceCommandUtf8(S(word), QByteArray("<p>a</p>"), english);
        ASSERT_TRUE(result.has_value()) << word;
        EXPECT_EQ(result->text, QByteArray(expected)) << word;
        EXPECT_TRUE(result->report.isEmpty()) << word;
    }

    // Blank text: the JavaScript command leaves it as it is.
    EXPECT_EQ(RunSourceCommandUtf8(S("javascript-string"), QByteArray(" \r\n"), english)->text, QByteArray(" \r\n"));
    EXPECT_FALSE(RunSourceCommandUtf8(S("frobnicate"), QByteArray("x"), english).has_value());
    EXPECT_EQ(SourceCommandWords().size(), 6);
    for (const QString &word : SourceCommandWords())
        EXPECT_TRUE(RunSourceCommandUtf8(word, QByteArray("x"), english).has_value()) << word.toStdString();
}
