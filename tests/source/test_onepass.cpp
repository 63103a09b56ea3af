// The one-pass commands against their literal, step-by-step transcriptions on generated texts.
#include "source/checkhtml.h"
#include "source/hyphenation.h"
#include "source/search.h"
#include "source/texthelpers.h"
#include "source/transformations.h"
#include "source/transformhelpers.h"

#include "cataloguefixture.h"
#include "literal.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <random>

using namespace korvel;

namespace {

// Builds texts from pieces that the commands react to, mixed at random.
class TextGenerator final {
public:
    TextGenerator(std::initializer_list<const char *> pieces, unsigned seed)
        : m_random(seed)
    {
        for (const char *piece : pieces)
            m_pieces.append(QString::fromUtf8(piece));
    }

    QString next(int maxPieces)
    {
        std::uniform_int_distribution<int> count(0, maxPieces);
        std::uniform_int_distribution<qsizetype> pick(0, m_pieces.size() - 1);
        QString text;
        for (int n = count(m_random); n > 0; --n)
            text += m_pieces[pick(m_random)];
        return text;
    }

private:
    std::mt19937 m_random;
    QStringList m_pieces;
};

constexpr int Rounds = 3000;

// The pieces of ordinary markup, with line breaks, blank runs, quotes and the tags the
// commands look for.
const std::initializer_list<const char *> MarkupPieces = {
    "<p>", "</p>", "<div class=a>", "<DIV", "</div>", "<span>", "</span>", "<table>", "</TABLE>", "<tr>",
    "</tr>", "<td width=5>", "<TD", "</td>", "<head>", "</head>", "<HEAD", "<body>", "<html>", "</html>",
    "<o:p>", "<tr>&nbsp;</tr>", "\r\n", "\r", "\n", " ", "  ", "     ", "\t", "=", "\"", "x", "ab", "-", "a-b",
    "-to-", "-of-", "Know-how", "the-art", "www.", "E-", "-x", ">", "<", "> <", " >", "<!DOCTYPE html>", "ä", "€",
};

} // namespace

TEST(OnePass, compactHtmlMatchesTheLiteralPasses)
{
    TextGenerator gen(MarkupPieces, 1);
    for (int i = 0; i < Rounds; ++i) {
        const QString text = gen.next(40);
        ASSERT_EQ(CompactHtml(text), literal::CompactHtml(text)) << text.toStdString();
    }
}

TEST(OnePass, lineFeedCommandsMatchTheLiteralSteps)
{
    TextGenerator gen(MarkupPieces, 2);
    for (int i = 0; i < Rounds; ++i) {
        const QString text = gen.next(40);
        QString saved;
        ASSERT_EQ(RemoveLineFeeds(text, saved), literal::RemoveLineFeeds(text)) << text.toStdString();
        ASSERT_EQ(InsertLineFeeds(text, saved), literal::InsertLineFeeds(text)) << text.toStdString();
        ASSERT_EQ(ExtractHead(text), literal::ExtractHead(text)) << text.toStdString();
    }
}

TEST(OnePass, insideTagMatchesTheLiteralSearch)
{
    TextGenerator gen(MarkupPieces, 3);
    for (int i = 0; i < 300; ++i) {
        const QString text = gen.next(20);
        TagScanner scanner(text);
        for (qsizetype p = 0; p < text.size(); ++p) {
            ASSERT_EQ(InsideTag(text, p), literal::InsideTag(text, int(p) + 1)) << text.toStdString();
            ASSERT_EQ(scanner.insideTag(p), InsideTag(text, p)) << text.toStdString();
        }
    }
}

TEST(OnePass, hyphenationMatchesTheLiteralDeletions)
{
    TextGenerator gen({"<body>", "<BODY", "<p>", "</p>", "<a href=", ">", "<", " ", "\r\n", "-", "a", "b-c", "o", "f",
                       "t", "th", "e", "art", "Kno", "w", "-to-", "-of", "-how", "www.", "w.", "E", "2", "x"},
                      4);
    for (int i = 0; i < Rounds; ++i) {
        const QString text = gen.next(50);
        int count = 0;
        const QString expected = literal::RemoveHyphenation(text, count);
        const HyphenationResult result = RemoveHyphenation(text);
        ASSERT_EQ(result.text, expected) << text.toStdString();
        ASSERT_EQ(result.count, count) << text.toStdString();
    }
}

TEST(OnePass, umlautsMatchTheTenPasses)
{
    TextGenerator gen({"ä", "ö", "ü", "Ä", "Ö", "Ü", "ß", "€", "©", "®", "é", "x", "&", ";", "<p>"}, 5);
    for (int i = 0; i < Rounds; ++i) {
        const QString text = gen.next(30);
        ASSERT_EQ(ReplaceUmlauts(text), literal::ReplaceUmlauts(text)) << text.toStdString();
    }
}

TEST(OnePass, replaceAllMatchesTheLiteralReplacement)
{
    TextGenerator gen({"a", "A", "ä", "Ä", "b", "ab", "aab", " "}, 6);
    const char *needles[] = {"a", "ab", "AAB", "ä", "Äb", "aa", " a"};
    for (int i = 0; i < Rounds; ++i) {
        const QString text = gen.next(30);
        for (const char *needle : needles) {
            for (bool matchCase : {false, true}) {
                const QString n = QString::fromUtf8(needle);
                ASSERT_EQ(ReplaceAll(text, n, QStringLiteral("<%>"), matchCase),
                          literal::ReplaceAll(text, n, QStringLiteral("<%>"), matchCase))
                    << text.toStdString() << " / " << needle;
            }
        }
    }
}

// Texts that begin with "<body>" and hold no "!", so that the flags written into the text by the
// literal transcription can neither collide with the user's markup nor stay before the body:
// there both ways of flagging must give the same text.
TEST(OnePass, checkHtmlMatchesTheLiteralStepsWhereFlagsCannotCollide)
{
    TextGenerator gen({"<p>", "</p>", "<div class=a>", "<DIV", "<div>", "</div>", "</DIV>", "<span>", "</span>",
                       "<table>", "</TABLE>", "<tr>", "</tr>", "<td width=5>", "<TD", "<td>", "</td>", "</td >",
                       "<o:p>", "<tr>&nbsp;</tr>", "\r\n", " ", "  ", "       ", "=", "\"", "x", "a=b", ">", "<",
                       "> <", " >", "</html>", "</body>", "<head>", "</head>", "<a\r\nhref=x>", "<script>",
                       "</script>", "<style>", "</STYLE>", "<!--", "-->", "'", "a='b  c'", "</DIV\r\n>", "<html lang=en>",
                       "<HTML>", "<track>", "<head lang=x>", "< b", "<o:p>", "= ", "<br />", "<!x>"},
                      7);
    const CatalogueLine english = test::EnglishLines();
    for (int i = 0; i < Rounds; ++i) {
        const QString text = QStringLiteral("<body>") + gen.next(40);
        QString literalReport;
        const QString expected = literal::CheckHtml(text, literalReport, english);
        const CheckHtmlResult result = CheckHtml(text, english);
        ASSERT_EQ(result.text, expected) << text.toStdString();
        ASSERT_EQ(result.CheckReport, literalReport) << text.toStdString();
    }
}

TEST(OnePass, checkHtmlStepsHandleLongBlankRunsInsideTags)
{
    // Runs beyond 64 blanks inside tags are halved twice over: once for the tag, once for the
    // whole text.
    TextGenerator gen({"<a", ">", " ", "                                                                   ", "x",
                       "<body>", "\r\n"},
                      8);
    const CatalogueLine english = test::EnglishLines();
    for (int i = 0; i < 500; ++i) {
        const QString text = QStringLiteral("<body>") + gen.next(60);
        QString literalReport;
        ASSERT_EQ(CheckHtml(text, english).text, literal::CheckHtml(text, literalReport, english)) << text.toStdString();
    }
}
