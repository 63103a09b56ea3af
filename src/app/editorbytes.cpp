#include "app/editorbytes.h"

#include "app/declaredcharset.h"
#include "textio/linebreaks.h"
#include "textio/textdecode.h"

namespace korvel {

namespace {

constexpr char kMark[] = "\xEF\xBB\xBF";
constexpr char kLineSeparatorUtf8[] = "\xE2\x80\xA8";  // U+2028

bool startsWithUtf16Mark(const QByteArray &bytes)
{
    return bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
}

} // namespace

QByteArray utf8WithLineBreaks(QByteArray utf8, QByteArrayView to)
{
    const char *p = utf8.constData();
    const qsizetype n = utf8.size();
    // The length of the line break at i, or 0.
    const auto breakAt = [&](qsizetype i) -> qsizetype {
        if (p[i] == '\r')
            return i + 1 < n && p[i + 1] == '\n' ? 2 : 1;
        return p[i] == '\n' ? 1 : 0;
    };
    const qsizetype first = firstBreakNotAs(QByteArrayView(utf8), to);
    if (first >= n)
        return utf8;
    QByteArray out;
    out.reserve(n + n / 16);
    out.append(p, first);
    qsizetype done = first;
    for (qsizetype i = first; i < n; ++i) {
        const qsizetype length = breakAt(i);
        if (length == 0)
            continue;
        out.append(p + done, i - done);
        out.append(to);
        i += length - 1;
        done = i + 1;
    }
    out.append(p + done, n - done);
    return out;
}

EditorBytes decodeDocumentForEditor(QByteArray bytes)
{
    EditorBytes doc;
    // Only a first look at the breaks: the bytes of a UTF-16 file can seem mixed when they are
    // not, and the text decides then.
    const LineBreakCounts breaks = countLineBreaks(bytes);
    if (breaks.kinds() > 1) {
        // A file that mixes line breaks is rare: it goes through its lines, which keep each break.
        DecodedDocument lines = decodeDocument(bytes);
        doc.ok = lines.ok;
        doc.format = lines.format;
        doc.looksBinary = lines.looksBinary;
        doc.keepsEveryByte = lines.keepsEveryByte;
        doc.utf8 = lines.lines.join(QStringLiteral("\r\n")).toUtf8();
        doc.lineBreaks = std::move(lines.lineBreaks);
        return doc;
    }
    const bool marked = bytes.startsWith(kMark);
    const qsizetype from = marked ? 3 : 0;
    bool nonAscii = false;
    const bool quick = !startsWithUtf16Mark(bytes)
        && isExactUtf8(bytes.constData() + from, bytes.size() - from, &nonAscii)
        // Lines parted by U+2028 alone are rare: they take the way through the text.
        && (bytes.contains('\r') || bytes.contains('\n') || !bytes.contains(kLineSeparatorUtf8));
    if (!quick) {
        DecodedText text = decodeDocumentText(bytes);
        bytes = {};
        doc.ok = text.ok;
        doc.format = text.format;
        doc.looksBinary = text.looksBinary;
        doc.keepsEveryByte = text.keepsEveryByte;
        doc.utf8 = text.text.toUtf8();
        return doc;
    }
    doc.ok = true;
    doc.looksBinary = looksBinary(bytes);
    if (marked) {
        doc.format.encoding = TextEncoding::Utf8;
    } else if (nonAscii) {
        doc.format.encoding = TextEncoding::Utf8NoMark;
    } else {
        // Plain ASCII: the page's own declaration decides, as in decodeDocumentText.
        const QString head = QString::fromLatin1(bytes.left(charsetDeclarationReach()));
        doc.format.encoding = declaredCharset(head).kind == CharsetKind::Utf8 ? TextEncoding::Utf8NoMark
                                                                              : TextEncoding::Ansi;
    }
    // One kind of break at most: the file's own, made CR LF where it is another.
    doc.format.lineBreak = breaks.cr > 0 ? LineBreakStyle::Cr : breaks.lf > 0 ? LineBreakStyle::Lf : LineBreakStyle::CrLf;
    if (marked)
        bytes.remove(0, 3);
    doc.utf8 = doc.format.lineBreak == LineBreakStyle::CrLf ? std::move(bytes) : utf8WithLineBreaks(std::move(bytes), "\r\n");
    return doc;
}

QString editorText(QByteArrayView utf8)
{
    return decodeUtf8KeepingMark(utf8);
}

QByteArray encodeEditorBytes(const QByteArray &utf8, const FileFormat &format)
{
    const bool toUtf8 = format.encoding == TextEncoding::Utf8 || format.encoding == TextEncoding::Utf8NoMark;
    if (!toUtf8 || format.lineBreak == LineBreakStyle::LineSeparator)
        return encodeDocumentText(editorText(utf8), format);
    QByteArray body = utf8WithLineBreaks(utf8, lineSeparator(format.lineBreak).toLatin1());
    if (format.encoding == TextEncoding::Utf8NoMark)
        return body;
    QByteArray out;
    out.reserve(body.size() + 3);
    out.append(kMark, 3);
    out.append(body);
    return out;
}

} // namespace korvel
