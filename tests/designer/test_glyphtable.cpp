#include "designer/glyphtable.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(GlyphTable, theFullTableHoldsFourteenEntriesInOrder)
{
    const QString table = GlyphTableText();
    EXPECT_TRUE(table.startsWith(QStringLiteral("%%p^^%%res://glRES.dll/HTML/pbgn^^%%0^^%%3^^%%3^^%%4^^%%20^^%%15^^%%20^^%%15^^**")));
    const QList<GlyphEntry> entries = ParseGlyphTable(table);
    ASSERT_EQ(entries.size(), 14);
    EXPECT_EQ(entries[0].tag, QStringLiteral("p"));
    EXPECT_EQ(entries[0].image, QStringLiteral("pbgn"));
    EXPECT_FALSE(entries[0].endTag);
    EXPECT_EQ(entries[3].image, QStringLiteral("divend"));
    EXPECT_TRUE(entries[3].endTag);
    EXPECT_EQ(entries[3].width, 43);
    EXPECT_EQ(entries[3].height, 15);
    EXPECT_EQ(entries[11].tag, QStringLiteral("a"));
    EXPECT_TRUE(entries[11].endTag);
    EXPECT_EQ(entries[13].tag, QStringLiteral("comment"));
}

TEST(GlyphTable, malformedEntriesAreSkipped)
{
    const QString good = QStringLiteral("%%DIV^^%%res://x/divbgn^^%%0^^%%3^^%%3^^%%4^^%%43^^%%15^^%%43^^%%15^^**");
    const struct {
        QString text;
        int expected;
    } cases[] = {
        {QString(), 0},
        {QStringLiteral("garbage"), 0},
        {good, 1},
        {QStringLiteral("%%div^^%%res://x/divbgn^^%%2^^%%3^^%%3^^%%4^^%%43^^%%15^^%%43^^%%15^^**") + good, 1},
        {QStringLiteral("%%div^^%%res://x/divbgn^^%%0^^%%3^^**") + good, 1},
        {QStringLiteral("%%div^^%%res://x/divbgn^^%%0^^%%3^^%%3^^%%4^^%%x^^%%15^^%%43^^%%15^^**") + good + good, 2},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ParseGlyphTable(c.text).size(), c.expected) << c.text.toStdString();
    EXPECT_EQ(ParseGlyphTable(good).first().tag, QStringLiteral("div"));
}
