// The tag map carried through rewrites must equal a fresh scan of the rewritten text, whatever
// the edits: inside tags, whole tags removed, and edits anywhere else.
#include "source/markupmap.h"
#include "source/textrewriter.h"

#include <gtest/gtest.h>

#include <random>

using namespace korvel;

namespace {

bool operator==(const TagSpan &a, const TagSpan &b)
{
    return a.start == b.start && a.end == b.end && a.nameEnd == b.nameEnd && a.resume == b.resume
        && a.closing == b.closing && a.closed == b.closed && a.raw == b.raw;
}

} // namespace

TEST(TagMap, followsEveryRewriteAsAFreshScanWouldSeeIt)
{
    const char *pieces[] = {"<p>", "</p>", "<div class=a>", "</div >", "<a href=\"x>y\">", "<b c='d'>", "x", "  ",
                            "\r\n", "=", "\"", "'", "<", ">", "</", "<!--", "-->", "<!x>", "<script>", "if(a<b)",
                            "</script>", "<style>", "</STYLE>", "<o:p>", "<tr>&nbsp;</tr>", "<td", "</td>", "/"};
    const char *inserts[] = {"\"", " ", "'", ">", "<", "=", "x", "</script>", "<b>", "\r\n"};
    std::mt19937 random(5);
    std::uniform_int_distribution<int> piece(0, int(std::size(pieces)) - 1), insert(0, int(std::size(inserts)) - 1);
    std::uniform_int_distribution<int> length(0, 30), percent(0, 99);
    for (int round = 0; round < 400000; ++round) {
        QString text;
        for (int n = length(random); n > 0; --n)
            text += QString::fromUtf8(pieces[piece(random)]);
        const TagMap map = TagMap::scan(text);
        TextRewriter rewrite(text);
        const bool anywhere = percent(random) < 20;
        for (const TagSpan &tag : map.tags()) {
            if (tag.start < rewrite.position())
                continue;
            const int roll = percent(random);
            if (anywhere && roll < 15) {
                // An edit in the text between tags, or across a tag's start.
                rewrite.keepTo(qMax<qsizetype>(rewrite.position(), qsizetype(tag.start) - 1));
                rewrite.insert(QString::fromUtf8(inserts[insert(random)]));
            } else if (roll < 25) {
                rewrite.keepTo(tag.start);
                rewrite.drop(qsizetype(tag.resume) - tag.start);
            } else if (roll < 60 && tag.end > tag.nameEnd) {
                std::uniform_int_distribution<qsizetype> at(tag.nameEnd, tag.end - 1);
                rewrite.keepTo(at(random));
                if (percent(random) < 30 && rewrite.position() < qsizetype(tag.end) - 1)
                    rewrite.drop(1);
                else
                    rewrite.insert(QString::fromUtf8(inserts[insert(random)]));
            }
        }
        if (anywhere && percent(random) < 30) {
            rewrite.keepTo(text.size());
            rewrite.insert(QString::fromUtf8(inserts[insert(random)]));
        }
        TextEdits edits;
        const QString rewritten = rewrite.finish(edits);
        const std::vector<TagSpan> fresh = FindTags(rewritten);
        const std::vector<TagSpan> followed = map.edited(rewritten, edits).tags();
        ASSERT_EQ(followed.size(), fresh.size()) << text.toStdString() << "\n=> " << rewritten.toStdString();
        for (size_t i = 0; i < fresh.size(); ++i)
            ASSERT_TRUE(followed[i] == fresh[i]) << i << ": " << text.toStdString() << "\n=> " << rewritten.toStdString();
    }
}

TEST(TextRewriter, recordsMeetingChangesAsOneEditAndMovesPositions)
{
    const QString source = QStringLiteral("abcdef");
    TextRewriter rewrite(source);
    rewrite.keepTo(1);
    rewrite.drop(2);  // "bc"
    rewrite.insert(QStringLiteral("XYZ"));
    rewrite.keepTo(5);
    rewrite.insert(QLatin1Char('!'));
    TextEdits edits;
    EXPECT_EQ(rewrite.finish(edits), QStringLiteral("aXYZde!f"));
    ASSERT_EQ(edits.size(), 2u);
    EXPECT_EQ(edits[0].at, 1);
    EXPECT_EQ(edits[0].removed, 2);
    EXPECT_EQ(edits[0].inserted, 3);
    std::vector<qsizetype> positions = {0, 3, 4, 5};
    MovePositions(positions, edits);
    EXPECT_EQ(positions, (std::vector<qsizetype>{0, 4, 5, 7}));
}
