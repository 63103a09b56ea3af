#include "app/filecodec.h"
#include "app/declaredcharset.h"

#include <algorithm>


namespace korvel {

namespace {

constexpr QChar kLineSeparator(0x2028);

// As much of a file as is searched for a NUL to tell a binary file.
constexpr qsizetype kBinaryProbe = 8192;

QString decodeUtf16(const QByteArray &bytes, qsizetype from, bool bigEndian)
{
    QString text;
    text.resize((bytes.size() - from) / 2);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto *in = reinterpret_cast<const unsigned char *>(bytes.constData()) + from;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const unsigned a = in[2 * i], b = in[2 * i + 1];
        out[i] = char16_t(bigEndian ? (a << 8 | b) : (b << 8 | a));
    }
    return text;
}

bool surrogatesPaired(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

void appendUtf16(QByteArray &out, const QString &text, bool bigEndian)
{
    const qsizetype start = out.size();
    out.resize(start + text.size() * 2);
    char *p = out.data() + start;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const char hi = char(u >> 8), lo = char(u & 0xFF);
        *p++ = bigEndian ? hi : lo;
        *p++ = bigEndian ? lo : hi;
    }
}

} // namespace

LineBreakStyle lineBreakStyleOf(const QString &text)
{
    const bool cr = text.contains(QLatin1Char('\r'));
    const bool lf = text.contains(QLatin1Char('\n'));
    if (!cr && !lf && text.contains(kLineSeparator))
        return LineBreakStyle::LineSeparator;
    if (cr && !lf)
        return LineBreakStyle::Cr;
    if (lf && !cr)
        return LineBreakStyle::Lf;
    return LineBreakStyle::CrLf;
}

QString lineSeparator(LineBreakStyle style)
{
    switch (style) {
    case LineBreakStyle::CrLf: return QStringLiteral("\r\n");
    case LineBreakStyle::Lf: return QStringLiteral("\n");
    case LineBreakStyle::Cr: return QStringLiteral("\r");
    case LineBreakStyle::LineSeparator: return QString(kLineSeparator);
    }
    return QStringLiteral("\r\n");
}

QStringList splitLines(const QString &text, LineBreakStyle *style)
{
    const LineBreakStyle found = lineBreakStyleOf(text);
    if (style)
        *style = found;
    return found == LineBreakStyle::LineSeparator ? splitAtLineSeparators(text) : splitAtLineBreaks(text);
}

bool looksBinary(const QByteArray &bytes)
{
    return bytes.left(kBinaryProbe).contains('\0');
}

DecodedDocument decodeDocument(const QByteArray &bytes)
{
    DecodedDocument doc;
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    QString text;
    if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        if (bytes.size() % 2)
            return doc;
        doc.format.encoding = TextEncoding::Utf16LE;
        text = decodeUtf16(bytes, 2, false);
        doc.keepsEveryByte = surrogatesPaired(text);
    } else if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        if (bytes.size() % 2)
            return doc;
        doc.format.encoding = TextEncoding::Utf16BE;
        text = decodeUtf16(bytes, 2, true);
        doc.keepsEveryByte = surrogatesPaired(text);
    } else if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        doc.format.encoding = TextEncoding::Utf8;
        const std::optional<QString> exact = decodeUtf8Exactly(bytes.mid(3));
        doc.keepsEveryByte = exact.has_value();
        text = exact ? *exact : QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    } else {
        const bool nonAscii = std::any_of(bytes.begin(), bytes.end(), [](char b) { return b & 0x80; });
        const std::optional<QString> utf8 = nonAscii ? decodeUtf8Exactly(bytes) : std::nullopt;
        // Plain ASCII reads the same either way; the page's own declaration decides how the
        // characters it gains later are written.
        if (utf8 || (!nonAscii && declaredCharset(decodeAnsi(bytes)).kind == CharsetKind::Utf8)) {
            doc.format.encoding = TextEncoding::Utf8NoMark;
            text = utf8 ? *utf8 : QString::fromUtf8(bytes);
        } else {
            doc.format.encoding = TextEncoding::Ansi;
            text = decodeAnsi(bytes);
        }
    }
    doc.lines = splitLines(text, &doc.format.lineBreak);
    doc.looksBinary = doc.format.encoding != TextEncoding::Utf16LE && doc.format.encoding != TextEncoding::Utf16BE
        && looksBinary(bytes);
    doc.ok = true;
    return doc;
}

QByteArray encodeDocument(const QStringList &lines, const FileFormat &format)
{
    const QString text = lines.join(lineSeparator(format.lineBreak));
    QByteArray out;
    switch (format.encoding) {
    case TextEncoding::Utf16LE:
        out = QByteArray("\xFF\xFE", 2);
        appendUtf16(out, text, false);
        break;
    case TextEncoding::Utf16BE:
        out = QByteArray("\xFE\xFF", 2);
        appendUtf16(out, text, true);
        break;
    case TextEncoding::Utf8:
        out = QByteArray("\xEF\xBB\xBF", 3) + text.toUtf8();
        break;
    case TextEncoding::Utf8NoMark:
        out = text.toUtf8();
        break;
    case TextEncoding::Ansi:
        out = encodeAnsi(text);
        break;
    }
    return out;
}

FileFormat formatThatLoadsBack(const QStringList &lines, const FileFormat &format)
{
    if (format.encoding != TextEncoding::Ansi)
        return format;
    const QByteArray bytes = encodeDocument(lines, format);
    const DecodedDocument back = decodeDocument(bytes);
    if (back.ok && back.lines == splitLines(decodeAnsi(bytes)))
        return format;
    return {TextEncoding::Utf8, format.lineBreak};
}

QByteArray ansiTextExport(const QStringList &lines, int *replaced)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return encodeAnsi(text, replaced);
}

QByteArray utf8TextExport(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + QStringLiteral("\r\n");
    return text.toUtf8();
}

} // namespace korvel
