#include "textio/chunkedtext.h"
#include "textio/textdecode.h"

#include <QBuffer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

using namespace korvel;

namespace {

// A device that hands out its bytes and then fails, as a file on a disk that stops answering.
class FailingDevice final : public QIODevice {
public:
    explicit FailingDevice(QByteArray bytes) : m_bytes(std::move(bytes)) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }

protected:
    qint64 readData(char *data, qint64 max) override
    {
        if (m_at == m_bytes.size())
            return -1;
        const qint64 n = std::min<qint64>(max, m_bytes.size() - m_at);
        std::memcpy(data, m_bytes.constData() + m_at, size_t(n));
        m_at += n;
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qsizetype m_at = 0;
};

struct ReadBack {
    QString text;
    CrLfTextReader::Encoding encoding;
    bool exact, failed, nonAscii, separator;
    qsizetype crLf, lf, cr;
};

ReadBack readInPieces(QIODevice &device, CrLfTextReader::Encoding encoding, qsizetype chunk)
{
    CrLfTextReader reader(device, encoding, chunk);
    ReadBack back{{}, encoding, false, false, false, false, 0, 0, 0};
    QStringView piece;
    while (reader.next(piece))
        back.text += piece;
    back.exact = reader.exact();
    back.failed = reader.readFailed();
    back.nonAscii = reader.nonAscii();
    back.separator = reader.sawLineSeparator();
    back.crLf = reader.crLfBreaks();
    back.lf = reader.lfBreaks();
    back.cr = reader.crBreaks();
    return back;
}

} // namespace

// Whatever the size of the pieces, the text comes out with CR LF breaks and the breaks the
// bytes had are counted once each, in both encodings.
TEST(CrLfTextReader, countsAndJoinsBreaksWhateverThePiecesCut)
{
    const QByteArray utf8("a\r\nb\nc\r\rd\xE2\x80\xA8\xC3\xBC\r");
    const QByteArray ansi("a\r\nb\nc\r\rd\x80\xFC\r");
    for (const qsizetype chunk : {1, 2, 3, 100}) {
        SCOPED_TRACE(chunk);
        QBuffer u(const_cast<QByteArray *>(&utf8));
        ASSERT_TRUE(u.open(QIODevice::ReadOnly));
        const ReadBack a = readInPieces(u, CrLfTextReader::Encoding::Utf8, chunk);
        EXPECT_EQ(a.text, QStringLiteral("a\r\nb\r\nc\r\n\r\nd\u2028\u00FC\r\n"));
        EXPECT_TRUE(a.exact && a.nonAscii && a.separator && !a.failed);
        EXPECT_EQ(a.crLf, 1);
        EXPECT_EQ(a.lf, 1);
        EXPECT_EQ(a.cr, 3);

        QBuffer w(const_cast<QByteArray *>(&ansi));
        ASSERT_TRUE(w.open(QIODevice::ReadOnly));
        const ReadBack b = readInPieces(w, CrLfTextReader::Encoding::Cp1252, chunk);
        EXPECT_EQ(b.text, QStringLiteral("a\r\nb\r\nc\r\n\r\nd\u20AC\u00FC\r\n"));
        EXPECT_TRUE(b.exact && b.nonAscii && !b.separator && !b.failed);
        EXPECT_EQ(b.cr, 3);
    }
}

// Bytes that are not UTF-8, and a read that fails, end the text and say so: the caller never
// takes what was read so far for the whole.
TEST(CrLfTextReader, stopsAtBytesThatAreNotUtf8AndAtAFailedRead)
{
    QByteArray bad("abc\xC0\xAF" "def");
    QBuffer buffer(&bad);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    const ReadBack notUtf8 = readInPieces(buffer, CrLfTextReader::Encoding::Utf8, 2);
    EXPECT_FALSE(notUtf8.exact);
    EXPECT_FALSE(notUtf8.text.contains(u'd'));

    FailingDevice failing("<p>read half</p>\r\n");
    const ReadBack failed = readInPieces(failing, CrLfTextReader::Encoding::Utf8, 4);
    EXPECT_TRUE(failed.failed);
}

// Pieces of a text to be written end neither inside a CR LF nor inside a surrogate pair, and
// always move on.
TEST(CrLfTextReader, piecesOfATextKeepBreaksAndPairsWhole)
{
    const QString text = QStringLiteral("a\r\n\U0001D11E\r\nb");
    for (const qsizetype chunk : {1, 2, 3}) {
        QString joined;
        for (qsizetype from = 0; from < text.size();) {
            const qsizetype end = pieceEnd(text, from, chunk);
            ASSERT_GT(end, from);
            EXPECT_FALSE(end < text.size() && text[end] == u'\n' && text[end - 1] == u'\r') << chunk << ' ' << end;
            EXPECT_FALSE(end < text.size() && text[end].isLowSurrogate()) << chunk << ' ' << end;
            appendWithBreaks(joined, QStringView(text).sliced(from, end - from), u"\n", false);
            from = end;
        }
        EXPECT_EQ(joined, QStringLiteral("a\n\U0001D11E\nb"));
    }
    EXPECT_TRUE(breaksAre(u"a\r\nb\r\n", u"\r\n"));
    EXPECT_FALSE(breaksAre(u"a\r\nb\n", u"\r\n"));
    EXPECT_FALSE(breaksAre(u"a\rb", u"\r\n"));
}
