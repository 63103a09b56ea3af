#include "app/recovery.h"
#include "textio/atomicfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <algorithm>

namespace korvel {

namespace {

// The first line of every recovery file, with the version of its layout.
constexpr char kMagic[] = "Korvel recovery 1";
constexpr char kEnd[] = "end of recovery";

QString lockPathOf(const QString &recoveryPath)
{
    return recoveryPath.chopped(int(sizeof(".txt") - 1)) + QStringLiteral(".lock");
}

bool validFormat(int encoding, int lineBreak)
{
    return encoding >= int(TextEncoding::Utf16LE) && encoding <= int(TextEncoding::Ansi)
        && lineBreak >= int(LineBreakStyle::CrLf) && lineBreak <= int(LineBreakStyle::LineSeparator);
}

} // namespace

// Layout: the magic line; the encoding and line-break numbers; the file name, percent-encoded;
// the number of lines; the lines in UTF-8, each followed by LF; an end line that tells a whole
// file from one cut off. Lines never hold LF: the editor splits its text at every line break.
QByteArray recoveryFileBytes(const RecoveryRecord &record)
{
    QByteArray out = QByteArray(kMagic) + '\n';
    out += QByteArray::number(int(record.format.encoding)) + ' ' + QByteArray::number(int(record.format.lineBreak)) + '\n';
    out += record.fileName.toUtf8().toPercentEncoding() + '\n';
    out += QByteArray::number(record.lines.size()) + '\n';
    for (const QString &line : record.lines)
        out += line.toUtf8() + '\n';
    out += QByteArray(kEnd) + '\n';
    return out;
}

std::optional<RecoveryRecord> parseRecoveryFile(const QByteArray &bytes)
{
    const QList<QByteArray> parts = bytes.split('\n');
    // magic, format, name, count, the lines, the end line, and the empty rest after its LF
    if (parts.size() < 6 || parts.at(0) != kMagic || !parts.last().isEmpty())
        return std::nullopt;
    const QList<QByteArray> format = parts.at(1).split(' ');
    bool okCount = false, okEncoding = false, okBreak = false;
    const qsizetype count = parts.at(3).toLongLong(&okCount);
    if (format.size() != 2 || !okCount || count < 0 || parts.size() != count + 6 || parts.at(count + 4) != kEnd)
        return std::nullopt;
    const int encoding = format.at(0).toInt(&okEncoding), lineBreak = format.at(1).toInt(&okBreak);
    if (!okEncoding || !okBreak || !validFormat(encoding, lineBreak))
        return std::nullopt;
    RecoveryRecord record;
    record.format = {TextEncoding(encoding), LineBreakStyle(lineBreak)};
    record.fileName = QString::fromUtf8(QByteArray::fromPercentEncoding(parts.at(2)));
    record.lines.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        record.lines.append(QString::fromUtf8(parts.at(4 + i)));
    return record;
}

QStringList orphanedRecoveryFiles(const QString &dataFolder)
{
    const QFileInfoList files = QDir(dataFolder).entryInfoList({QStringLiteral("recovery-*.txt")}, QDir::Files,
                                                               QDir::Time);
    QStringList orphans;
    for (const QFileInfo &file : files) {
        // A running editor holds the lock; the lock of one that died is stale and taken over.
        QLockFile lock(lockPathOf(file.absoluteFilePath()));
        lock.setStaleLockTime(0);
        if (lock.tryLock(0)) {
            lock.unlock();
            orphans << file.absoluteFilePath();
        }
    }
    return orphans;
}

void removeRecoveryFile(const QString &path)
{
    QFile::remove(path);
    QFile::remove(lockPathOf(path));
}

RecoveryStore::RecoveryStore() = default;

RecoveryStore::~RecoveryStore()
{
    discard();
}

bool RecoveryStore::write(const QString &dataFolder, const RecoveryRecord &record)
{
    if (dataFolder.isEmpty())
        return false;
    const QString path = QDir(dataFolder).filePath(
        QStringLiteral("recovery-%1.txt").arg(QCoreApplication::applicationPid()));
    if (path != m_path) {
        discard();
        m_path = path;
        m_lock = std::make_unique<QLockFile>(lockPathOf(path));
        m_lock->setStaleLockTime(0);
        if (!m_lock->tryLock(0))
            return false;
    }
    m_written = writeFileAtomically(m_path, recoveryFileBytes(record));
    // The edits may be private, as the settings are.
    if (m_written)
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner);
    return m_written;
}

void RecoveryStore::discard()
{
    if (!m_path.isEmpty())
        QFile::remove(m_path);
    m_written = false;
    if (m_lock) {
        m_lock->unlock();
        m_lock.reset();
    }
    m_path.clear();
}

} // namespace korvel
