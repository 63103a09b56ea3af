#include "textio/linebreaks.h"

#include <QByteArray>
#include <QString>
#include <gtest/gtest.h>

using namespace korvel;

// The breaks of bytes are counted as those of the same text in UTF-16, wherever they fall
// against the eight bytes looked at together, beside UTF-8 characters and other control bytes.
TEST(LineBreaks, bytesAndTheirTextCountTheSameBreaks)
{
    const QByteArray kinds[] = {"\r\n", "\r", "\n", "\r\r\n\n", "\t\x0B\x0C\x0E", "\xC3\xBC\r\xE2\x82\xAC\n"};
    for (const QByteArray &breaks : kinds) {
        for (int at = 0; at < 17; ++at) {
            const QByteArray bytes = QByteArray(at, 'a') + breaks + QByteArray(9, 'b') + breaks;
            const LineBreakCounts fromBytes = countLineBreaks(QByteArrayView(bytes));
            const LineBreakCounts fromText = countLineBreaks(QStringView(QString::fromUtf8(bytes)));
            SCOPED_TRACE(bytes.toHex(' ').toStdString());
            EXPECT_EQ(fromBytes.crLf, fromText.crLf);
            EXPECT_EQ(fromBytes.lf, fromText.lf);
            EXPECT_EQ(fromBytes.cr, fromText.cr);
        }
    }
    const LineBreakCounts mixed = countLineBreaks(QByteArrayView("a\r\nb\rc\nd\r\n\r"));
    EXPECT_EQ(mixed.crLf, 2);
    EXPECT_EQ(mixed.cr, 2);
    EXPECT_EQ(mixed.lf, 1);
    EXPECT_EQ(mixed.kinds(), 3);
    EXPECT_EQ(countLineBreaks(QByteArrayView()).kinds(), 0);
}

// The first break not written as wanted is found at the same place in bytes as in their text,
// wherever it falls against the eight bytes looked at together.
TEST(LineBreaks, theFirstOtherBreakIsFoundAtTheSamePlaceInBytesAndText)
{
    for (const QByteArray &other : {QByteArray("\n"), QByteArray("\r"), QByteArray("\r\r\n")}) {
        for (int at = 0; at < 19; ++at) {
            const QByteArray bytes = "ab\r\ncd" + QByteArray(at, 'x') + other + "\r\nend";
            const QString text = QString::fromLatin1(bytes);
            SCOPED_TRACE(bytes.toHex(' ').toStdString());
            const qsizetype expected = 6 + at;
            EXPECT_EQ(firstBreakNotAs(QByteArrayView(bytes), QByteArrayView("\r\n")), expected);
            EXPECT_EQ(firstBreakNotAs(QStringView(text), u"\r\n"), expected);
        }
    }
    EXPECT_EQ(firstBreakNotAs(QByteArrayView("a\r\nb\r\n"), QByteArrayView("\r\n")), 6);
    EXPECT_EQ(firstBreakNotAs(QByteArrayView("a\nb"), QByteArrayView("\n")), 3);
    EXPECT_EQ(firstBreakNotAs(QStringView(u"a\u2028b\u2028"), u"\u2028", true), 4);
    EXPECT_EQ(firstBreakNotAs(QStringView(u"a\u2028b"), u"\r\n", true), 1);
}
