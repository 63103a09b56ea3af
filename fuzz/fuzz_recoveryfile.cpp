// The recovery file read at start-up: any bytes in the data folder must read without a crash,
// and a record written reads back as the same record.
#include "app/recovery.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QStringList>

#include <cstddef>
#include <cstdint>

using namespace korvel;

namespace {

// Text the editor can hold: valid UTF-16, lines without LF.
bool writable(const QString &text)
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
    if (const std::optional<RecoveryRecord> record = parseRecoveryFile(bytes))
        KORVEL_FUZZ_CHECK(parseRecoveryFile(recoveryFileBytes(*record)) == record);

    // The bytes taken as a document: the first line its file name, the rest its lines.
    if (size < 1)
        return 0;
    QStringList lines = QString::fromUtf8(bytes.mid(1)).split(QLatin1Char('\n'));
    RecoveryRecord record;
    record.fileName = lines.takeFirst();
    record.format = {TextEncoding(data[0] % 5), LineBreakStyle((data[0] / 5) % 4)};
    record.lines = lines;
    if (writable(record.fileName) && writable(lines.join(QString())))
        KORVEL_FUZZ_CHECK(parseRecoveryFile(recoveryFileBytes(record)) == record);
    return 0;
}
