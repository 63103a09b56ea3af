// Every whole-text command of the source view, Check HTML among them, on any text: no crash, no
// hang, and a result whose size grows at most linearly with the text's. Check HTML on a page's
// UTF-8 bytes gives the bytes of what it gives on the decoded text, report and message alike.
#include "source/checkhtml.h"
#include "source/hyphenation.h"
#include "source/sourcebatch.h"
#include "source/transformations.h"
#include "textio/textdecode.h"
#include "fuzzcheck.h"

#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace korvel;

namespace {

// Output may grow by a constant factor (an entity for a letter, a line break behind each tag,
// a mark behind each unclosed tag) plus a fixed amount (the page skeleton, a report line).
constexpr qsizetype kGrowth = 8;
constexpr qsizetype kFixed = 512;

QString catalogueLine(int line)
{
    return QStringLiteral("line %1").arg(line);
}

// A text this long makes a command that is not linear in its text run into libFuzzer's
// time limit.
constexpr qsizetype kLongText = 40000;

// The first byte picks how the rest becomes text: UTF-8 reaches markup quickly, raw UTF-16
// reaches every code unit, lone surrogates included; and whether the text is repeated to a
// long one, so a command slower than linear shows as a hang.
QString textOf(const std::uint8_t *data, std::size_t size)
{
    const char *bytes = reinterpret_cast<const char *>(data + 1);
    const qsizetype n = qsizetype(size - 1);
    QString text = data[0] & 0x80 ? QString(reinterpret_cast<const QChar *>(bytes), n / 2) : QString::fromUtf8(bytes, n);
    if ((data[0] & 0x40) && !text.isEmpty() && text.size() < kLongText)
        text = text.repeated(kLongText / text.size());
    return text;
}

void checkBounded(const QString &in, const QString &out)
{
    KORVEL_FUZZ_CHECK(out.size() <= kGrowth * in.size() + kFixed);
}

// Well-formed UTF-8 checked as bytes and as the text it decodes to (a leading U+FEFF kept).
void checkBothForms(const QByteArray &utf8)
{
    const CheckHtmlResult text = CheckHtml(decodeUtf8KeepingMark(utf8), catalogueLine);
    const CheckHtmlBytesResult bytes = CheckHtmlUtf8(QByteArray(utf8), catalogueLine);
    KORVEL_FUZZ_CHECK(bytes.text == text.text.toUtf8());
    KORVEL_FUZZ_CHECK(bytes.CheckReport == text.CheckReport);
    KORVEL_FUZZ_CHECK(bytes.message == text.message);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QString text = textOf(data, size);
    const QStringList words = SourceCommandWords();
    const QString &word = words.at(data[0] % words.size());
    // The batch program's way in: the command by its word, on the text's UTF-8.
    const QByteArray utf8 = text.toUtf8();
    const std::optional<SourceCommandBytesResult> result = RunSourceCommandUtf8(word, utf8, catalogueLine);
    KORVEL_FUZZ_CHECK(result.has_value());
    KORVEL_FUZZ_CHECK(result->text.size() <= kGrowth * utf8.size() + kFixed);
    KORVEL_FUZZ_CHECK(result->report.size() <= kGrowth * text.size() + kFixed);

    // The functions behind the commands, with the state the main window keeps between them.
    QString savedHead;
    const QString removed = RemoveLineFeeds(text, savedHead);
    checkBounded(text, removed);
    checkBounded(text, InsertLineFeeds(removed, savedHead));
    checkBounded(text, ReplaceUmlauts(text));
    checkBounded(text, RemoveHyphenation(text).text);
    if (const std::optional<QString> js = MakeStringVariable(text))
        checkBounded(text, *js);
    (void)CharacterCode(text);
    const CheckHtmlResult checked = CheckHtml(text, catalogueLine);
    checkBounded(text, checked.text);
    // Checking a checked page again must not make it grow once more.
    checkBounded(checked.text, CheckHtml(checked.text, catalogueLine).text);

    // The input's own bytes when they are UTF-8 (a byte order mark among them), else the UTF-8
    // of the text made of them.
    const char *raw = reinterpret_cast<const char *>(data + 1);
    if (isExactUtf8(raw, qsizetype(size - 1)))
        checkBothForms(QByteArray(raw, qsizetype(size - 1)));
    checkBothForms(text.toUtf8());
    // Bytes that are no UTF-8 are checked without harm.
    (void)CheckHtmlUtf8(QByteArray(raw, qsizetype(size - 1)), catalogueLine);
    return 0;
}
