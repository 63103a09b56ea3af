#pragma once

#include "app/diskstamp.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "textio/atomicfile.h"
#include "textio/chunkedtext.h"

#include <QString>
#include <QStringList>

namespace korvel {

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

// Reads a document file as one text with CR LF line breaks, what decodeDocumentText finds in
// its bytes; ok is false when the file cannot be read. A UTF-8 or ASCII file is read and decoded
// in pieces of `chunkBytes`, so its bytes are never held whole beside its text; a UTF-16 file
// and one of Windows-1252 bytes that are not ASCII are read whole.
DecodedText loadDocumentText(const QString &path, qsizetype chunkBytes = FileChunkBytes);

// Whether the file holds `text` still, as loadDocumentText read it in `format`: the file is
// read again and compared piece by piece, never held whole. False when it cannot be read.
bool documentHoldsText(const QString &path, const QString &text, const FileFormat &format,
                       qsizetype chunkBytes = FileChunkBytes);

// Writes the text in the given format (see encodeDocumentText), encoded and written in pieces
// of about `chunkChars` characters. The old file stays whole when writing fails.
bool saveDocumentText(const QString &path, const QString &text, const FileFormat &format,
                      qsizetype chunkChars = FileChunkBytes);

// Writes the lines in the given format. The old file stays whole when writing fails.
bool saveDocumentFile(const QString &path, const QStringList &lines, const FileFormat &format,
                      const std::vector<LineBreakStyle> &lineBreaks = {});

// The backup name beside a document: its extension replaced by ".BAK", or ".BAK" appended.
QString backupFileName(const QString &path);

// Copies the file to its backup name unless a backup is there already. False when the copy
// was needed and failed.
bool makeBackupCopy(const QString &path);

// The file name part of a path.
QString fileNamePart(const QString &path);
QString folderPart(const QString &path);

} // namespace korvel
