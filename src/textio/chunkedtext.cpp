#include "textio/chunkedtext.h"

#include "textio/cp1252.h"
#include "textio/textdecode.h"

#include <QIODevice>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

namespace korvel {

namespace {

// The length of the UTF-8 sequence a byte begins; 1 for ASCII and for a byte that begins none
// (the check of the whole piece finds those).
qsizetype sequenceLength(unsigned char b)
{
    return b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
}

// Where the bytes end when a character cut off at their end is left for the next piece.
qsizetype wholeCharactersEnd(const char *bytes, qsizetype n)
{
    for (qsizetype back = 1; back <= 3 && back <= n; ++back) {
        const auto b = static_cast<unsigned char>(bytes[n - back]);
        if ((b & 0xC0) == 0x80)
            continue;  // a continuation byte: its lead is further back
        return b >= 0xC0 && sequenceLength(b) > back ? n - back : n;
    }
    return n;
}

// True when none of the four characters is a control character up to CR: a lane below 0x0E
// borrows into its top bit (a lane above one that does may be flagged too, which only ends a
// stride early).
bool noneBelowCr(const char16_t *p)
{
    quint64 lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return !((lanes - 0x000E000E000E000Eull) & ~lanes & 0x8000800080008000ull);
}

} // namespace

CrLfTextReader::CrLfTextReader(QIODevice &device, Encoding encoding, qsizetype chunkBytes)
    : m_device(device), m_encoding(encoding), m_chunk(std::max<qsizetype>(chunkBytes, 1))
{
    m_bytes.resize(m_chunk + 4);
    m_text.reserve(m_chunk + 1);
}

bool CrLfTextReader::next(QStringView &piece)
{
    while (!m_ended) {
        const qint64 got = m_device.read(m_bytes.data() + m_carried, m_chunk);
        if (got < 0) {
            m_readFailed = true;
            m_ended = true;
            return false;
        }
        if (got == 0) {
            m_ended = true;
            if (m_carried > 0) {
                m_exact = false;  // the file ends inside a character
                return false;
            }
            if (!m_heldCr)
                return false;
            m_heldCr = false;
            ++m_cr;
            piece = u"\r\n";
            return true;
        }
        const qsizetype total = m_carried + qsizetype(got);
        const qsizetype held = m_heldCr ? 1 : 0;
        qsizetype whole = total;
        bool high = false;
        // UTF-8 never takes fewer bytes than UTF-16 units, Windows-1252 one byte a character.
        m_text.resize(held + total);
        char16_t *text = reinterpret_cast<char16_t *>(m_text.data());
        if (held)
            text[0] = u'\r';
        qsizetype length = held;
        if (m_encoding == Encoding::Utf8) {
            whole = wholeCharactersEnd(m_bytes.constData(), total);
            if (!isExactUtf8(m_bytes.constData(), whole, &high)) {
                m_exact = false;
                m_ended = true;
                return false;
            }
            // Stateless, and a U+FEFF at the start of a piece is the character it is.
            QStringDecoder decoder(QStringDecoder::Utf8,
                                   QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            const QChar *end = decoder.appendToBuffer(m_text.data() + held, QByteArrayView(m_bytes.constData(), whole));
            length = end - m_text.constData();
        } else {
            const auto *in = reinterpret_cast<const unsigned char *>(m_bytes.constData());
            for (qsizetype i = 0; i < total; ++i) {
                high |= in[i] >= 0x80;
                text[held + i] = Cp1252Char(in[i]).unicode();
            }
            length += total;
        }
        m_nonAscii |= high;
        m_carried = total - whole;
        std::memmove(m_bytes.data(), m_bytes.constData() + whole, size_t(m_carried));
        // A CR at the end waits for the next piece, whose first character may be its LF.
        m_heldCr = length > 0 && text[length - 1] == u'\r';
        if (m_heldCr)
            --length;
        if (length == 0)
            continue;
        if (high && !m_separator)
            m_separator = QStringView(text, length).contains(QChar(0x2028));
        piece = converted(length);
        return true;
    }
    return false;
}

// The first `length` characters of the piece decoded, their breaks counted and written as CR LF;
// in place when they all are already.
QStringView CrLfTextReader::converted(qsizetype length)
{
    // A CR at the piece's end is lone: the CR that ended the decoded text was held back, so no LF
    // can follow it.
    const QStringView piece(reinterpret_cast<const char16_t *>(m_text.constData()), length);
    const LineBreakCounts found = countLineBreaks(piece);
    m_crLf += found.crLf;
    m_lf += found.lf;
    m_cr += found.cr;
    const bool allCrLf = found.lf == 0 && found.cr == 0;
    if (allCrLf)
        return piece;
    m_piece.resize(0);
    appendWithBreaks(m_piece, piece, u"\r\n", false);
    return m_piece;
}

qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype chunk)
{
    const qsizetype n = text.size();
    const auto splits = [&](qsizetype end) {
        return end > from && end < n
            && ((text[end - 1] == u'\r' && text[end] == u'\n') || (text[end - 1].isHighSurrogate() && text[end].isLowSurrogate()));
    };
    qsizetype end = std::min(n, from + std::max<qsizetype>(chunk, 1));
    if (splits(end))
        --end;
    if (end == from)
        end = std::min(n, from + 2);
    return end;
}

void appendWithBreaks(QString &out, QStringView piece, QStringView to, bool separators)
{
    const char16_t *p = piece.utf16();
    const qsizetype n = piece.size();
    qsizetype done = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (!separators && c > u'\r')
            continue;
        qsizetype length = 0;
        if (separators)
            length = c == 0x2028 ? 1 : 0;
        else if (c == u'\r')
            length = i + 1 < n && p[i + 1] == u'\n' ? 2 : 1;
        else if (c == u'\n')
            length = 1;
        if (length == 0)
            continue;
        out.append(QStringView(p + done, i - done));
        out.append(to);
        i += length - 1;
        done = i + 1;
    }
    out.append(QStringView(p + done, n - done));
}

LineBreakCounts countLineBreaks(QStringView text)
{
    LineBreakCounts counts;
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        while (n - i >= 4 && noneBelowCr(p + i))
            i += 4;
        if (i == n)
            break;
        if (p[i] == u'\r') {
            if (i + 1 < n && p[i + 1] == u'\n') {
                ++counts.crLf;
                ++i;
            } else {
                ++counts.cr;
            }
        } else if (p[i] == u'\n') {
            ++counts.lf;
        }
    }
    return counts;
}

qsizetype firstBreakNotAs(QStringView text, QStringView to, bool separators)
{
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        qsizetype length = 0;
        if (separators) {
            length = p[i] == 0x2028 ? 1 : 0;
        } else {
            while (n - i >= 4 && noneBelowCr(p + i))
                i += 4;
            if (i == n)
                break;
            const char16_t c = p[i];
            if (c == u'\r')
                length = i + 1 < n && p[i + 1] == u'\n' ? 2 : 1;
            else if (c == u'\n')
                length = 1;
        }
        if (length == 0)
            continue;
        if (QStringView(p + i, length) != to)
            return i;
        i += length - 1;
    }
    return n;
}

bool breaksAre(QStringView piece, QStringView to)
{
    return firstBreakNotAs(piece, to, false) == piece.size();
}

} // namespace korvel
