#include "app/settingsfile.h"

#include <gtest/gtest.h>

using namespace korvel;

TEST(Scrambling, keyRunsOnOverTheWholeFile)
{
    const QByteArray plain("ab\r\ncd");
    const QByteArray scrambled = scrambleSettings(plain);
    EXPECT_EQ(char(scrambled[0]), char('a' + 'p'));
    EXPECT_EQ(char(scrambled[4]), char('c' + 'p'));  // position 4 uses the first key letter again
    EXPECT_EQ(unscrambleSettings(scrambled), plain);
}

TEST(Scrambling, looksScrambledTellsPlainFromScrambled)
{
    const QByteArray plain("Courier New\r\n10\r\ntrue\r\nuser\r\n\r\nftp.example.org\r\nAnonymous\r\n"
                           "ISO-8859-1\r\n\r\n8388608\r\n255\r\n16711680\r\n \r\n \r\n \r\n1\r\n");
    EXPECT_FALSE(LooksScrambled(plain));
    EXPECT_TRUE(LooksScrambled(scrambleSettings(plain)));
    EXPECT_FALSE(LooksScrambled(QByteArray()));
}

TEST(SettingsLines, languageLineIsReplacedOrAppended)
{
    QStringList twelve;
    for (int i = 0; i < 12; ++i)
        twelve << QString::number(i);
    const QStringList out = withLanguageLine(twelve, 1);
    ASSERT_EQ(out.size(), 16);
    EXPECT_EQ(out.mid(12, 3), QStringList(3, QStringLiteral(" ")));
    EXPECT_EQ(out.at(15), QStringLiteral("1"));

    const QStringList none = withLanguageLine({}, 0);
    ASSERT_EQ(none.size(), 16);
    EXPECT_EQ(none.at(14), QStringLiteral(" "));
    EXPECT_EQ(none.at(15), QStringLiteral("0"));

    QStringList full = out;
    EXPECT_EQ(withLanguageLine(full, 0).at(15), QStringLiteral("0"));
    EXPECT_EQ(withLanguageLine(full, 0).size(), 16);
}

TEST(SettingsLines, fileBytesRoundTripThroughTheReader)
{
    const QStringList lines = {QStringLiteral("Courier New"), QStringLiteral("12"), QStringLiteral("false"),
                               QStringLiteral("jürgen")};
    EXPECT_EQ(settingsLinesFromFile(settingsFileBytes(lines)), lines);
}

TEST(ReadSettings, valuesAndFailures)
{
    const auto file = [](QStringList lines) { return std::optional<QByteArray>(settingsFileBytes(lines)); };

    const SettingsValues none = readSettingsValues(std::nullopt);
    EXPECT_FALSE(none.fileExists);
    EXPECT_TRUE(none.askLanguage);

    QStringList lines(16, QString());
    lines[1] = QStringLiteral("14");
    lines[2] = QStringLiteral("False");
    lines[6] = QString();
    lines[9] = QStringLiteral("255");
    lines[15] = QStringLiteral("1");
    SettingsValues v = readSettingsValues(file(lines));
    EXPECT_FALSE(v.failed);
    EXPECT_EQ(v.fontSize, 14);
    EXPECT_EQ(v.lineNumbers, true);  // only the exact text "false" turns them off
    EXPECT_EQ(v.ftpLoginMode, QString());
    EXPECT_EQ(v.defaultCharset, QStringLiteral("ISO-8859-1"));
    EXPECT_EQ(v.keywordColor, 255);
    EXPECT_FALSE(v.identifierColor.has_value());
    EXPECT_EQ(v.uiLanguage, 1);
    EXPECT_FALSE(v.askLanguage);

    lines[15] = QString();
    EXPECT_TRUE(readSettingsValues(file(lines)).askLanguage);

    // A number line without a number stops the reading there; earlier values stay.
    lines[10] = QStringLiteral("red");
    lines[15] = QStringLiteral("1");
    v = readSettingsValues(file(lines));
    EXPECT_TRUE(v.failed);
    EXPECT_EQ(v.fontSize, 14);
    EXPECT_FALSE(v.uiLanguage.has_value());
    EXPECT_FALSE(v.askLanguage);
}
