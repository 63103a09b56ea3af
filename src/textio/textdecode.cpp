#include "textio/textdecode.h"

#include "textio/cp1252.h"

#include <QStringDecoder>

#include <cstring>

namespace korvel {

QString decodeAnsi(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        out[i] = Cp1252Char(static_cast<unsigned char>(bytes.at(i))).unicode();
    return text;
}

int appendAnsi(QByteArray &out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    qsizetype o = start;
    int bad = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (!Cp1252Holds(QChar(c))) {
            ++bad;
            out[o++] = '?';
            // One "?" for a character written as a surrogate pair.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
                ++i;
        } else {
            out[o++] = char(Cp1252Byte(QChar(c)));
        }
    }
    out.truncate(o);
    return bad;
}

QByteArray encodeAnsi(const QString &text, int *replaced)
{
    QByteArray out;
    const int bad = appendAnsi(out, text);
    if (replaced)
        *replaced = bad;
    return out;
}

bool ansiCanHold(const QString &text)
{
    for (QChar c : text) {
        if (!Cp1252Holds(c))
            return false;
    }
    return true;
}

bool isExactUtf8(const char *bytes, qsizetype size, bool *nonAscii)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes);
    const auto *const end = p + size;
    bool high = false;
    while (p < end) {
        // Runs of ASCII eight bytes at a time: most of a page is markup.
        while (end - p >= 8) {
            quint64 word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull)
                break;
            p += 8;
        }
        if (p == end)
            break;
        const unsigned b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        high = true;
        if (nonAscii)
            *nonAscii = true; // also when the bytes turn out not to be UTF-8
        // The ranges of the well-formed sequences; the second byte's range depends on the first.
        qsizetype length = 0;
        unsigned low = 0x80, top = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            length = 2;
        } else if (b >= 0xE0 && b <= 0xEF) {
            length = 3;
            if (b == 0xE0)
                low = 0xA0;
            else if (b == 0xED)
                top = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            length = 4;
            if (b == 0xF0)
                low = 0x90;
            else if (b == 0xF4)
                top = 0x8F;
        } else {
            return false;
        }
        if (end - p < length || p[1] < low || p[1] > top)
            return false;
        for (qsizetype i = 2; i < length; ++i) {
            if (p[i] < 0x80 || p[i] > 0xBF)
                return false;
        }
        p += length;
    }
    if (nonAscii)
        *nonAscii = high;
    return true;
}

std::optional<QString> decodeUtf8Exactly(const QByteArray &bytes)
{
    // Qt's decoder does not flag every malformed form as an error, so the bytes are checked
    // first; well-formed UTF-8 then decodes to a text that encodes back to exactly them.
    if (!isExactUtf8(bytes.constData(), bytes.size()))
        return std::nullopt;
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString decodeUtf8OrAnsi(const QByteArray &bytes)
{
    const bool marked = bytes.startsWith("\xEF\xBB\xBF");
    if (const auto text = decodeUtf8Exactly(marked ? bytes.mid(3) : bytes))
        return *text;
    return decodeAnsi(bytes);
}

QString decodeUtf8KeepingMark(QByteArrayView utf8)
{
    // QString::fromUtf8 is the quick way; it drops exactly one leading mark, given back here.
    QString text = QString::fromUtf8(utf8);
    if (utf8.startsWith(QByteArrayView("\xEF\xBB\xBF", 3)))
        text.prepend(QChar(0xFEFF));
    return text;
}

} // namespace korvel
