// The batch program's commands on UTF-8 bytes against the editor's commands on the decoded text:
// for every well-formed UTF-8 input, each bytes form gives exactly the UTF-8 of its QString
// form's result (and the same count of hyphens), whether it rewrites a text of its own in place
// or one it shares. Bytes that are no UTF-8 at all must not make them read or write outside
// their texts (the sanitizers watch that).
#include "source/hyphenation.h"
#include "source/transformations.h"
#include "textio/textdecode.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

using namespace korvel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Malformed input becomes well-formed UTF-8 (each bad sequence a U+FFFD), so every input
    // reaches the commands; a leading U+FEFF stays a character, as in the editor.
    const QByteArray raw(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeUtf8KeepingMark(raw);
    const QByteArray bytes = text.toUtf8();
    KORVEL_FUZZ_CHECK(decodeUtf8KeepingMark(bytes) == text);

    QString savedHead;
    const QByteArray joined = RemoveLineFeeds(text, savedHead).toUtf8();
    KORVEL_FUZZ_CHECK(RemoveLineFeedsUtf8(bytes) == joined);
    QByteArray own = bytes;
    own.detach();
    KORVEL_FUZZ_CHECK(RemoveLineFeedsUtf8(std::move(own)) == joined);

    savedHead.clear();
    KORVEL_FUZZ_CHECK(InsertLineFeedsUtf8(bytes) == InsertLineFeeds(text, savedHead).toUtf8());

    const HyphenationBytesResult fromBytes = RemoveHyphenationUtf8(bytes);
    const HyphenationResult fromText = RemoveHyphenation(text);
    KORVEL_FUZZ_CHECK(fromBytes.text == fromText.text.toUtf8());
    KORVEL_FUZZ_CHECK(fromBytes.count == fromText.count);

    KORVEL_FUZZ_CHECK(ReplaceUmlautsUtf8(bytes) == ReplaceUmlauts(text).toUtf8());

    const std::optional<QByteArray> stringFromBytes = MakeStringVariableUtf8(bytes);
    const std::optional<QString> stringFromText = MakeStringVariable(text);
    KORVEL_FUZZ_CHECK(stringFromBytes.has_value() == stringFromText.has_value());
    if (stringFromText)
        KORVEL_FUZZ_CHECK(*stringFromBytes == stringFromText->toUtf8());

    if (raw != bytes) {
        (void)RemoveLineFeedsUtf8(raw);
        (void)InsertLineFeedsUtf8(raw);
        (void)RemoveHyphenationUtf8(raw);
        (void)ReplaceUmlautsUtf8(raw);
        (void)MakeStringVariableUtf8(raw);
    }
    return 0;
}
