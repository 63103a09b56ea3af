#pragma once

#include "app/diskstamp.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "textio/atomicfile.h"

#include <QString>
#include <QStringList>

namespace korvel {

// The size of the pieces a large file is compared and written in: big enough that a read or a
// write costs little per byte, small enough that the buffers stay in the cache and add nothing
// to the memory a large page needs.
inline constexpr qsizetype FileChunkBytes = qsizetype(1) << 20;

struct LoadedFile {
    bool ok = false;
    QStringList lines;
    FileFormat format;
    bool looksBinary = false;  // see DecodedDocument
    bool keepsEveryByte = true;
    std::vector<LineBreakStyle> lineBreaks;  // see DecodedDocument
};

// Reads a document file and finds its encoding and line breaks.
LoadedFile loadDocumentFile(const QString &path);

// A document file read for the source editor, with the stamp of the bytes read.
struct EditorFile {
    EditorBytes doc;  // doc.ok is false when the file cannot be read or decoded
    DiskStamp stamp;
};

// Reads a document file once, in the editor's form (see decodeDocumentForEditor).
EditorFile loadFileForEditor(const QString &path);

// The same without the stamp, for a file read once and written back at once; ok is false when
// the file cannot be read.
EditorBytes loadDocumentBytes(const QString &path);

// Writes the lines in the given format. The old file stays whole when writing fails.
bool saveDocumentFile(const QString &path, const QStringList &lines, const FileFormat &format,
                      const std::vector<LineBreakStyle> &lineBreaks = {});

// Whether the file holds the bytes encodeEditorBytes(utf8, format) gives: read again and
// compared piece by piece, never held whole. False when it cannot be read. A text that differs
// from the one read only in a line break written the same (a lone CR where CR LF was) holds as
// well: writing it would not change the file.
bool fileHoldsEditorBytes(const QString &path, const QByteArray &utf8, const FileFormat &format,
                          qsizetype chunkBytes = FileChunkBytes);

// Writes encodeEditorBytes(utf8, format), a UTF-8 file encoded and written in pieces of about
// `chunkBytes`, so that a large page is never held twice. The old file stays whole when writing
// fails.
bool saveEditorBytes(const QString &path, const QByteArray &utf8, const FileFormat &format,
                     qsizetype chunkBytes = FileChunkBytes);

// The backup name beside a document: its extension replaced by ".BAK", or ".BAK" appended.
QString backupFileName(const QString &path);

// Copies the file to its backup name unless a backup is there already. False when the copy
// was needed and failed.
bool makeBackupCopy(const QString &path);

enum class BackupMade {
    AlreadyThere, // a backup was there; it is kept
    Linked,       // the backup is a second name of the file, which a save must replace, not overwrite
    Copied,
    Failed,
};

// The backup of a file that is about to be replaced by a new one of the same name (a save
// through QSaveFile), unless a backup is there already. The file is given its backup name as a
// second name where it can be (no bytes copied, nothing to flush to disk: the file's own bytes
// are the backup's), copied otherwise. When the replacing save fails after `Linked`, the
// backup name must be removed again, so that it never shares the file that stays.
BackupMade makeBackupBeforeReplacing(const QString &path);

// The file name part of a path.
QString fileNamePart(const QString &path);
QString folderPart(const QString &path);

} // namespace korvel
