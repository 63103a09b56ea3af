#include "app/diskstamp.h"

#include <QHash>
#include <QFile>
#include <QFileInfo>

namespace korvel {

namespace {

// A fingerprint of the content, to tell another program's change: no adversary here, so two
// seeded 64-bit hashes do, at a tenth of a cryptographic hash's time on a large file.
QByteArray hashOf(QByteArrayView content)
{
    const quint64 parts[2] = {quint64(qHashBits(content.data(), size_t(content.size()), 0x6b6f7276)),
                              quint64(qHashBits(content.data(), size_t(content.size()), 0x656c2031))};
    return QByteArray(reinterpret_cast<const char *>(parts), sizeof parts);
}

QByteArray contentHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return hashOf(file.readAll());
}

} // namespace

namespace {

// The stamp of what is on disk now, all but the content's hash.
DiskStamp stampWithoutHash(const QString &path)
{
    DiskStamp stamp;
    stamp.known = true;
    stamp.path = path;
    const QFileInfo info(path);
    stamp.exists = info.isFile();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    return stamp;
}

} // namespace

DiskStamp stampOf(const QString &path)
{
    DiskStamp stamp = stampWithoutHash(path);
    if (stamp.exists)
        stamp.hash = contentHash(path);
    return stamp;
}

DiskStamp stampOf(const QString &path, QByteArrayView content)
{
    DiskStamp stamp = stampWithoutHash(path);
    if (stamp.exists)
        stamp.hash = hashOf(content);
    return stamp;
}

bool changedSince(const DiskStamp &stamp, const QString &path)
{
    if (!stamp.known || stamp.path != path)
        return false;
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (!stamp.exists || info.size() != stamp.size)
        return true;
    // Same size and time: the same file. The content decides only when the time moved, so an
    // unchanged file is not read again on every look.
    if (info.lastModified() == stamp.modified)
        return false;
    return contentHash(path) != stamp.hash;
}

} // namespace korvel
