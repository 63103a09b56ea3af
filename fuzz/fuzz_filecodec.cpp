// Loading and saving a document: whatever the bytes, decoding must not crash, and a file whose
// bytes the editor holds unchanged must be written back byte for byte, in the encoding it was
// found in and in every other encoding it can be saved in.
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "app/declaredcharset.h"
#include "fuzzcheck.h"
#include "textio/textdecode.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

using namespace korvel;

namespace {

constexpr TextEncoding kEncodings[] = {TextEncoding::Utf16LE, TextEncoding::Utf16BE, TextEncoding::Utf8,
                                       TextEncoding::Utf8NoMark, TextEncoding::Ansi};

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

// Loads the bytes and checks that saving the unchanged document writes them again: byte for
// byte when the editor holds every byte (a file that mixes line breaks keeps each line's own),
// and else at least as bytes that load as the same document. The editor's own way in and out
// (its UTF-8 with CR LF) gives the same document and the same bytes.
DecodedDocument loadAndCheck(const QByteArray &bytes)
{
    const DecodedDocument doc = decodeDocument(bytes);
    if (!doc.ok) {
        KORVEL_FUZZ_CHECK(bytes.size() % 2 == 1);
        return doc;
    }
    KORVEL_FUZZ_CHECK(!doc.lines.isEmpty());
    const QByteArray saved = encodeDocument(doc.lines, doc.format, doc.lineBreaks);
    if (doc.keepsEveryByte)
        KORVEL_FUZZ_CHECK(saved == bytes);
    const EditorBytes editor = decodeDocumentForEditor(bytes);
    KORVEL_FUZZ_CHECK(editor.ok);
    KORVEL_FUZZ_CHECK(editor.format == doc.format);
    KORVEL_FUZZ_CHECK(editor.lineBreaks == doc.lineBreaks);
    // The editor holds UTF-8, which has no lone surrogate: a UTF-16 file with one is held with
    // U+FFFD in its place (and is not among the files that keep every byte).
    const QString joined = doc.lines.join(QStringLiteral("\r\n"));
    if (holdsOnlyPairedSurrogates(joined)) {
        KORVEL_FUZZ_CHECK(editorText(editor.utf8) == joined);
        if (editor.lineBreaks.empty())
            KORVEL_FUZZ_CHECK(encodeEditorBytes(editor.utf8, editor.format) == encodeDocument(doc.lines, doc.format));
    }
    if (saved != bytes) {
        const DecodedDocument again = decodeDocument(saved);
        KORVEL_FUZZ_CHECK(again.ok);
        KORVEL_FUZZ_CHECK(again.lines == doc.lines);
        KORVEL_FUZZ_CHECK(again.format == doc.format);
    }
    return doc;
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
