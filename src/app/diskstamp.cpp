#include "app/diskstamp.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace korvel {

namespace {

QByteArray contentHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

} // namespace

DiskStamp stampOf(const QString &path)
{
    DiskStamp stamp;
    stamp.known = true;
    stamp.path = path;
    const QFileInfo info(path);
    stamp.exists = info.isFile();
    if (!stamp.exists)
        return stamp;
    stamp.size = info.size();
    stamp.modified = info.lastModified();
    stamp.hash = contentHash(path);
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
