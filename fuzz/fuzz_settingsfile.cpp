// The settings file: any bytes must read without a crash, and lines written by the editor must
// read back as the same lines.
#include "app/settingsfile.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QStringList>

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace korvel;

namespace {

// Lines the settings dialog can produce: typed text without control characters, which UTF-8
// can hold.
bool writableLines(const QStringList &lines)
{
    // A file of mostly empty lines scrambles to mostly printable bytes (CR LF shifted by the key
    // is printable at three positions of four), so the scramble test takes it for plain text.
    // The dialog always writes its numbers and switches, so its files are never of that kind.
    const auto empty = std::count_if(lines.begin(), lines.end(), [](const QString &l) { return l.isEmpty(); });
    if (2 * empty >= lines.size())
        return false;
    for (const QString &line : lines) {
        for (QChar c : line) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.isSurrogate() || c.unicode() == 0x2028
                || c.unicode() == 0xFEFF || c.unicode() == 0xFFFD)
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    KORVEL_FUZZ_CHECK(scrambleSettings(unscrambleSettings(bytes)) == bytes);
    KORVEL_FUZZ_CHECK(unscrambleSettings(scrambleSettings(bytes)) == bytes);
    (void)LooksScrambled(bytes);
    const SettingsValues values = readSettingsValues(bytes);
    KORVEL_FUZZ_CHECK(values.fileExists);

    // The bytes taken as the lines someone typed into the settings dialog.
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (writableLines(lines)) {
        const QStringList stored = withLanguageLine(lines, int(size % 2));
        KORVEL_FUZZ_CHECK(settingsLinesFromFile(settingsFileBytes(stored)) == stored);
    }
    return 0;
}
