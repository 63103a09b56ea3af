#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace korvel {

// What the editor last saw of its file on disk, when it read or wrote it: enough to tell
// later whether another program changed the file in the meantime.
struct DiskStamp {
    bool known = false;  // the document was read from or written to a file
    QString path;        // that file; a stamp says nothing about any other
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    QByteArray hash;     // of the whole content
};

// The stamp of a file as it is now.
DiskStamp stampOf(const QString &path);
// The stamp of a file just read or written whole, its content given: the file is not read again.
DiskStamp stampOf(const QString &path, QByteArrayView content);

// True when the file exists and holds other bytes than the stamp saw. A file touched without a
// change of content, or one removed since, does not count: there is nothing to lose by writing
// it, and nothing to reload. Nor does a stamp taken of another file.
bool changedSince(const DiskStamp &stamp, const QString &path);

} // namespace korvel
