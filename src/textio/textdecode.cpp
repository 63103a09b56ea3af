#include "textio/textdecode.h"

#include "textio/cp1252.h"

#include <QStringDecoder>

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

QByteArray encodeAnsi(const QString &text, int *replaced)
{
    QByteArray out;
    out.resize(text.size());
    qsizetype o = 0;
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

std::optional<QString> decodeUtf8Exactly(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
    QString text = decoder.decode(bytes);
    // Qt's decoder does not flag every malformed form as an error; a round trip confirms the
    // bytes come back exactly.
    if (decoder.hasError() || text.toUtf8() != bytes)
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

} // namespace korvel
