// Loading and saving a document: whatever the bytes, decoding must not crash, and a file whose
// bytes the editor holds unchanged must be written back byte for byte, in the encoding it was
// found in and in every other encoding it can be saved in.
#include "app/filecodec.h"
#include "app/declaredcharset.h"
#include "fuzzcheck.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace korvel;

namespace {

constexpr TextEncoding kEncodings[] = {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                                       TextEncoding::Utf8NoMark, TextEncoding::Ansi};

// The text as the file holds it, before it is split into lines.
QString wholeText(const QByteArray &bytes, TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        QString text;
        for (qsizetype i = 2; i + 1 < bytes.size(); i += 2) {
            const unsigned a = static_cast<unsigned char>(bytes.at(i)), b = static_cast<unsigned char>(bytes.at(i + 1));
            text.append(QChar(char16_t(encoding == TextEncoding::Utf16BE ? (a << 8 | b) : (b << 8 | a))));
        }
        return text;
    }
    case TextEncoding::Utf8: return QString::fromUtf8(bytes.mid(3));
    case TextEncoding::Utf8NoMark: return QString::fromUtf8(bytes);
    case TextEncoding::Ansi: return decodeAnsi(bytes);
    }
    return {};
}

// True when the text breaks its lines in more than one way (CR LF, CR alone, LF alone); such a
// file is written back with the one style it was given on loading.
bool mixedLineBreaks(const QString &text)
{
    bool crLf = false, cr = false, lf = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            crLf = true, ++i;
        else if (text.at(i) == QLatin1Char('\r'))
            cr = true;
        else if (text.at(i) == QLatin1Char('\n'))
            lf = true;
    }
    return int(crLf) + int(cr) + int(lf) > 1;
}

// Loads the bytes and checks that saving the unchanged document writes them again: byte for
// byte when the editor holds every byte and the line breaks are of one kind, and else at least
// as bytes that load as the same document.
DecodedDocument loadAndCheck(const QByteArray &bytes)
{
    const DecodedDocument doc = decodeDocument(bytes);
    if (!doc.ok) {
        KORVEL_FUZZ_CHECK(bytes.size() % 2 == 1);
        return doc;
    }
    KORVEL_FUZZ_CHECK(!doc.lines.isEmpty());
    const QByteArray saved = encodeDocument(doc.lines, doc.format);
    if (doc.keepsEveryByte && !mixedLineBreaks(wholeText(bytes, doc.format.encoding)))
        KORVEL_FUZZ_CHECK(saved == bytes);
    if (saved != bytes) {
        const DecodedDocument again = decodeDocument(saved);
        KORVEL_FUZZ_CHECK(again.ok);
        KORVEL_FUZZ_CHECK(again.lines == doc.lines);
        KORVEL_FUZZ_CHECK(again.format == doc.format);
    }
    return doc;
}

bool holdsOnlyPairedSurrogates(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (text.at(i).isSurrogate())
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedDocument doc = loadAndCheck(bytes);
    if (!doc.ok)
        return 0;
    (void)declaredCharset(doc.lines.join(QLatin1Char('\n')));

    // The text saved in each encoding it fits (as a save chooses it: see formatThatLoadsBack)
    // loads back as the same lines and line breaks, and saving that again gives the same bytes.
    const QString text = doc.lines.join(lineSeparator(doc.format.lineBreak));
    const bool unicodeSafe = holdsOnlyPairedSurrogates(text);
    for (TextEncoding encoding : kEncodings) {
        if (encoding == TextEncoding::Ansi ? !ansiCanHold(text) : !unicodeSafe)
            continue;
        const FileFormat format = formatThatLoadsBack(doc.lines, {encoding, doc.format.lineBreak});
        const QByteArray saved = encodeDocument(doc.lines, format);
        const DecodedDocument again = loadAndCheck(saved);
        KORVEL_FUZZ_CHECK(again.ok);
        KORVEL_FUZZ_CHECK(again.keepsEveryByte);
        KORVEL_FUZZ_CHECK(again.format.lineBreak == doc.format.lineBreak || doc.lines.size() == 1);
        // What was saved loads back as the same text. Only a UTF-8 text without mark that
        // begins with U+FEFF loses that character: its bytes read as the mark (and still come
        // back unchanged, checked above).
        if (!(format.encoding == TextEncoding::Utf8NoMark && text.startsWith(QChar(0xFEFF))))
            KORVEL_FUZZ_CHECK(again.lines == doc.lines);
    }
    return 0;
}
