#include "app/documentfile.h"
#include "textio/largebuffer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <thread>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel {

namespace {

// Hands `put` the bytes encodeEditorBytes(utf8, format) gives, in pieces of about `chunkBytes`
// for a UTF-8 file, so that a large page is never encoded whole beside itself; false as soon as
// `put` is. A piece never ends between the CR and LF of a line break.
template <typename Put>
bool putEditorBytes(const QByteArray &utf8, const FileFormat &format, qsizetype chunkBytes, Put put)
{
    const bool utf8File = (format.encoding == TextEncoding::Utf8 || format.encoding == TextEncoding::Utf8NoMark)
        && format.lineBreak != LineBreakStyle::LineSeparator;
    if (!utf8File)
        return put(QByteArrayView(encodeEditorBytes(utf8, format)));
    if (const QByteArrayView mark = byteOrderMark(format.encoding); !mark.isEmpty() && !put(mark))
        return false;
    const QByteArray to = lineSeparator(format.lineBreak).toLatin1();
    const char *p = utf8.constData();
    const qsizetype n = utf8.size();
    for (qsizetype from = 0; from < n;) {
        qsizetype end = std::min(n, from + std::max<qsizetype>(chunkBytes, 1));
        if (end < n && p[end - 1] == '\r')
            ++end;
        // The piece's own bytes when its breaks are `to` already (no copy), converted otherwise.
        const QByteArray piece = utf8WithLineBreaks(QByteArray::fromRawData(p + from, end - from), to);
        if (!put(QByteArrayView(piece)))
            return false;
        from = end;
    }
    return true;
}

// Reads up to `n` bytes at `from` of the open file into `to`: the count read, short at the
// file's end; -1 on an error.
qint64 readAt(int fd, char *to, qsizetype n, qint64 from)
{
    qint64 got = 0;
    while (got < n) {
        const ssize_t r = ::pread(fd, to + got, size_t(n - got), off_t(from + got));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        got += r;
    }
    return got;
}

// From this size on, the second half of a file is read by a second thread: copying a large
// page out of the page cache, and the kernel's clearing of the fresh memory it goes to, take
// as long as much of the command itself, and a second core halves them.
constexpr qsizetype ParallelReadBytes = qsizetype(8) << 20;

// The file's bytes whole, in memory advised for huge pages (a large page is touched once, and
// the kernel then maps it in far fewer steps), with room behind them for what a command adds in
// place (Check HTML's quotes and marks): room never written to costs no memory, and without it
// the first insertion would copy the whole page into fresh memory. False when it cannot be read.
bool readWholeFile(const QString &path, QByteArray &bytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    const qsizetype size = qsizetype(file.size());
    bytes.reserve(size + size / 16 + 64);
    adviseHugePages(bytes);
    bytes.resize(size);
    const int fd = file.handle();
    const qsizetype half = size >= ParallelReadBytes ? size / 2 : size;
    qint64 second = 0;
    std::thread other;
    if (half < size)
        other = std::thread([&] { second = readAt(fd, bytes.data() + half, size - half, half); });
    const qint64 first = readAt(fd, bytes.data(), half, 0);
    if (other.joinable())
        other.join();
    if (first < 0 || second < 0)
        return false;
    // A file that shrank while it was read ends where its first short part ends.
    const qsizetype got = first < half ? qsizetype(first) : half + qsizetype(second);
    bytes.truncate(got);
    if (got == size && file.seek(size))
        bytes.append(file.readAll());  // whatever a growing file holds beyond its size then
    return file.error() == QFile::NoError;
}

} // namespace

LoadedFile loadDocumentFile(const QString &path)
{
    LoadedFile result;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return result;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFile::NoError)
        return result;
    DecodedDocument doc = decodeDocument(bytes);
    if (!doc.ok)
        return result;
    result.ok = true;
    result.lines = std::move(doc.lines);
    result.format = doc.format;
    result.looksBinary = doc.looksBinary;
    result.keepsEveryByte = doc.keepsEveryByte;
    result.lineBreaks = std::move(doc.lineBreaks);
    return result;
}

EditorFile loadFileForEditor(const QString &path)
{
    EditorFile result;
    QByteArray bytes;
    if (!readWholeFile(path, bytes))
        return result;
    result.stamp = stampOf(path, bytes);
    result.doc = decodeDocumentForEditor(std::move(bytes));
    return result;
}

EditorBytes loadDocumentBytes(const QString &path)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes))
        return {};
    return decodeDocumentForEditor(std::move(bytes));
}

bool saveDocumentFile(const QString &path, const QStringList &lines, const FileFormat &format,
                      const std::vector<LineBreakStyle> &lineBreaks)
{
    return writeFileAtomically(path, encodeDocument(lines, format, lineBreaks));
}

bool fileHoldsEditorBytes(const QString &path, const QByteArray &utf8, const FileFormat &format, qsizetype chunkBytes)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return false;
    QByteArray read;
    const bool same = putEditorBytes(utf8, format, chunkBytes, [&](QByteArrayView piece) {
        read.resize(piece.size());
        qsizetype got = 0;
        while (got < piece.size()) {
            const qint64 n = file.read(read.data() + got, piece.size() - got);
            if (n <= 0)
                return false;
            got += qsizetype(n);
        }
        return QByteArrayView(read) == piece;
    });
    char more;
    return same && file.read(&more, 1) == 0;
}

bool saveEditorBytes(const QString &path, const QByteArray &utf8, const FileFormat &format, qsizetype chunkBytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    qint64 flushed = 0;
    const bool written = putEditorBytes(utf8, format, chunkBytes, [&](QByteArrayView piece) {
        if (file.write(piece.data(), piece.size()) != piece.size() || !file.flush())
            return false;
        // The disk starts on each piece while the next is written, so the wait for all of them
        // before the file takes the document's name is short. Only a start: the commit still
        // waits until every byte is on the disk.
        const qint64 end = file.pos();
        ::sync_file_range(file.handle(), flushed, end - flushed, SYNC_FILE_RANGE_WRITE);
        flushed = end;
        return true;
    });
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return commitWholly(file);
}

QString backupFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    const QString folder = path.left(path.size() - name.size());
    return folder + base + QStringLiteral(".BAK");
}

bool makeBackupCopy(const QString &path)
{
    const QString backup = backupFileName(path);
    if (QFileInfo::exists(backup))
        return true;
    return QFile::copy(path, backup);
}

BackupMade makeBackupBeforeReplacing(const QString &path)
{
    const QString backup = backupFileName(path);
    if (QFileInfo::exists(backup))
        return BackupMade::AlreadyThere;
    // A second name for the file as it is: the save that follows writes a new file and renames
    // it over the document, so the backup keeps the old bytes without a copy. Only a regular file
    // with no other name is linked; a name shared with others, or a link to a file elsewhere,
    // would let a later change made through the other name reach the backup.
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(backup);
    struct stat info;
    if (::lstat(from.constData(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1) {
        if (::link(from.constData(), to.constData()) == 0)
            return BackupMade::Linked;
        if (errno == EEXIST)
            return BackupMade::AlreadyThere;
        // No hard links on this file system: a copy then.
    }
    return QFile::copy(path, backup) ? BackupMade::Copied : BackupMade::Failed;
}

QString fileNamePart(const QString &path)
{
    return QFileInfo(path).fileName();
}

QString folderPart(const QString &path)
{
    if (path.isEmpty())
        return {};
    return QFileInfo(path).absolutePath();
}

} // namespace korvel
