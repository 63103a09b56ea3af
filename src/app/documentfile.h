#pragma once

#include "app/diskstamp.h"
#include "app/editorbytes.h"
#include "app/filecodec.h"
#include "textio/atomicfile.h"

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

// Reads a document file as one text with CR LF line breaks (see decodeDocumentText); ok is
// false when the file cannot be read.
DecodedText loadDocumentText(const QString &path);

// Writes the text in the given format (see encodeDocumentText). The old file stays whole when
// writing fails.
bool saveDocumentText(const QString &path, const QString &text, const FileFormat &format);

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
