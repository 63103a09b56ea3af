#include "app/filecodec.h"
#include "app/declaredcharset.h"
#include "textio/linebreaks.h"
#include "textio/largebuffer.h"

#include <QStringDecoder>
#include <QStringEncoder>

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

void appendUtf16(QByteArray &out, QStringView text, bool bigEndian)
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
    const LineBreakCounts counts = countLineBreaks(text);
    return lineBreakStyleOf(counts.crLf, counts.lf, counts.cr, counts.kinds() == 0 && text.contains(kLineSeparator));
}

LineBreakStyle lineBreakStyleOf(qsizetype crLf, qsizetype lf, qsizetype cr, bool lineSeparator)
{
    const LineBreakCounts counts{crLf, lf, cr};
    if (counts.kinds() == 0)
        return lineSeparator ? LineBreakStyle::LineSeparator : LineBreakStyle::CrLf;
    // A file that mixes breaks keeps each line's own (DecodedDocument::lineBreaks); the lines
    // added to it take the break most of its lines have.
    if (counts.crLf >= counts.lf && counts.crLf >= counts.cr)
        return LineBreakStyle::CrLf;
    return counts.lf >= counts.cr ? LineBreakStyle::Lf : LineBreakStyle::Cr;
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

namespace {

// The bytes decoded into one buffer sized for the whole text up front (advised for huge pages
// when large), not grown piece by piece.
QString decodedWith(QStringDecoder &decoder, QByteArrayView bytes)
{
    QString text;
    text.resize(decoder.requiredSpace(bytes.size()));
    adviseHugePages(text);
    const QChar *end = decoder.appendToBuffer(text.data(), bytes);
    text.truncate(end - text.constData());
    return text;
}

// The bytes decoded, without their lines split: the text as the file holds it.
QString decodeBytes(const QByteArray &bytes, DecodedText &doc)
{
    const auto at = [&](qsizetype i) { return static_cast<unsigned char>(bytes.at(i)); };
    QString text;
    if (bytes.size() >= 2 && at(0) == 0xFF && at(1) == 0xFE) {
        if (bytes.size() % 2)
            return text;
        doc.format.encoding = TextEncoding::Utf16LE;
        text = decodeUtf16(bytes, 2, false);
        doc.keepsEveryByte = surrogatesPaired(text);
    } else if (bytes.size() >= 2 && at(0) == 0xFE && at(1) == 0xFF) {
        if (bytes.size() % 2)
            return text;
        doc.format.encoding = TextEncoding::Utf16BE;
        text = decodeUtf16(bytes, 2, true);
        doc.keepsEveryByte = surrogatesPaired(text);
    } else if (bytes.size() >= 3 && at(0) == 0xEF && at(1) == 0xBB && at(2) == 0xBF) {
        doc.format.encoding = TextEncoding::Utf8;
        const QByteArray rest = bytes.mid(3);
        const std::optional<QString> exact = decodeUtf8Exactly(rest);
        doc.keepsEveryByte = exact.has_value();
        text = exact ? *exact : QString::fromUtf8(rest);
    } else {
        bool nonAscii = false;
        const bool utf8 = isExactUtf8(bytes.constData(), bytes.size(), &nonAscii);
        // Plain ASCII reads the same either way; the page's own declaration decides how the
        // characters it gains later are written. The declaration lies in the page's head.
        if (!nonAscii) {
            QStringDecoder latin1(QStringDecoder::Latin1, QStringConverter::Flag::Stateless);
            text = decodedWith(latin1, bytes);
            doc.format.encoding = declaredCharset(QStringView(text).left(charsetDeclarationReach())).kind == CharsetKind::Utf8
                ? TextEncoding::Utf8NoMark : TextEncoding::Ansi;
        } else if (utf8) {
            // Already checked to be exact UTF-8: decoded without a second check.
            doc.format.encoding = TextEncoding::Utf8NoMark;
            QStringDecoder decoder(QStringDecoder::Utf8,
                                   QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            text = decodedWith(decoder, bytes);
        } else {
            doc.format.encoding = TextEncoding::Ansi;
            text = decodeAnsi(bytes);
        }
    }
    doc.looksBinary = doc.format.encoding != TextEncoding::Utf16LE && doc.format.encoding != TextEncoding::Utf16BE
        && looksBinary(bytes);
    doc.ok = true;
    return text;
}

// The text with each of its line breaks (CR LF, CR, LF; or U+2028 when `separators`) written as
// `to`; the text itself when they all are already.
QString withLineBreaks(QString text, QStringView to, bool separators = false)
{
    const qsizetype first = firstBreakNotAs(text, to, separators);
    if (first == text.size())
        return text;
    QString out;
    out.reserve(text.size() + text.size() / 16);
    adviseHugePages(out);
    out.append(QStringView(text).first(first));
    appendWithBreaks(out, QStringView(text).sliced(first), to, separators);
    return out;
}

} // namespace

DecodedDocument decodeDocument(const QByteArray &bytes)
{
    DecodedText found;
    const QString text = decodeBytes(bytes, found);
    DecodedDocument doc;
    if (!found.ok)
        return doc;
    doc.ok = true;
    doc.format = found.format;
    doc.looksBinary = found.looksBinary;
    doc.keepsEveryByte = found.keepsEveryByte;
    doc.lines = splitLines(text, &doc.format.lineBreak);
    if (doc.format.lineBreak != LineBreakStyle::LineSeparator && countLineBreaks(text).kinds() > 1) {
        doc.lineBreaks.reserve(size_t(doc.lines.size() - 1));
        const char16_t *p = QStringView(text).utf16();
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (p[i] == u'\n') {
                doc.lineBreaks.push_back(LineBreakStyle::Lf);
            } else if (p[i] == u'\r') {
                const bool pair = i + 1 < text.size() && p[i + 1] == u'\n';
                doc.lineBreaks.push_back(pair ? LineBreakStyle::CrLf : LineBreakStyle::Cr);
                i += pair ? 1 : 0;
            }
        }
    }
    return doc;
}

DecodedText decodeDocumentText(const QByteArray &bytes)
{
    DecodedText doc;
    QString text = decodeBytes(bytes, doc);
    if (!doc.ok)
        return doc;
    doc.format.lineBreak = lineBreakStyleOf(text);
    const bool separators = doc.format.lineBreak == LineBreakStyle::LineSeparator;
    doc.text = withLineBreaks(std::move(text), u"\r\n", separators);
    return doc;
}

namespace {

QByteArray encodeText(const QString &text, TextEncoding encoding)
{
    QByteArray out = byteOrderMark(encoding).toByteArray();
    appendEncodedText(out, text, encoding);
    return out;
}

} // namespace

void appendEncodedText(QByteArray &out, QStringView text, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE:
        appendUtf16(out, text, encoding == TextEncoding::Utf16BE);
        break;
    case TextEncoding::Utf8:
    case TextEncoding::Utf8NoMark: {
        // Straight into the buffer: no second copy of a large text.
        QStringEncoder encoder(QStringEncoder::Utf8, QStringConverter::Flag::Stateless);
        const qsizetype start = out.size();
        out.resize(start + encoder.requiredSpace(text.size()));
        adviseHugePages(out);
        char *end = encoder.appendToBuffer(out.data() + start, text);
        out.truncate(end - out.constData());
        break;
    }
    case TextEncoding::Ansi:
        appendAnsi(out, text);
        break;
    }
}

QByteArrayView byteOrderMark(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE:
        return QByteArrayView("\xFF\xFE", 2);
    case TextEncoding::Utf16BE:
        return QByteArrayView("\xFE\xFF", 2);
    case TextEncoding::Utf8:
        return QByteArrayView("\xEF\xBB\xBF", 3);
    case TextEncoding::Utf8NoMark:
    case TextEncoding::Ansi:
        break;
    }
    return {};
}

QByteArray encodeDocument(const QStringList &lines, const FileFormat &format,
                          const std::vector<LineBreakStyle> &lineBreaks)
{
    if (lines.isEmpty() || lineBreaks.size() != size_t(lines.size() - 1))
        return encodeText(lines.join(lineSeparator(format.lineBreak)), format.encoding);
    qsizetype length = 0;
    for (const QString &line : lines)
        length += line.size() + 2;
    QString text;
    text.reserve(length);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        text += lines.at(i);
        if (i + 1 < lines.size())
            text += lineSeparator(lineBreaks[size_t(i)]);
    }
    return encodeText(text, format.encoding);
}

QByteArray encodeDocumentText(const QString &text, const FileFormat &format)
{
    return encodeText(withLineBreaks(text, lineSeparator(format.lineBreak)), format.encoding);
}

QString withLineFeeds(const QString &text)
{
    return withLineBreaks(text, u"\n");
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
