#pragma once

#include "app/filecodec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <vector>

namespace korvel {

// A document in the source editor's own form: UTF-8 with CR LF line breaks, the form the
// editor control stores. A large page goes in and out in this form without a QString between.
struct EditorBytes {
    bool ok = false;  // see DecodedText
    QByteArray utf8;
    FileFormat format;
    bool looksBinary = false;
    bool keepsEveryByte = true;
    // Each line's own break, when the file mixes them (see DecodedDocument::lineBreaks); empty
    // otherwise.
    std::vector<LineBreakStyle> lineBreaks;
};

// What decodeDocumentText finds, its text as UTF-8: a file that is exact UTF-8 is not decoded,
// only its mark dropped and its line breaks rewritten; every other file goes through the text.
EditorBytes decodeDocumentForEditor(QByteArray bytes);

// The UTF-8 bytes with each CR LF, CR and LF written as `to`; the bytes themselves when they all
// are already.
QByteArray utf8WithLineBreaks(QByteArray utf8, QByteArrayView to);

// The editor's UTF-8 as text, a leading U+FEFF kept as the character it is there (where
// QString::fromUtf8 would drop it as a mark).
QString editorText(QByteArrayView utf8);

// encodeDocumentText(editorText(utf8), format) for the editor's UTF-8 (which is always
// well-formed): bytes bound for a UTF-8 file are taken as they are.
QByteArray encodeEditorBytes(const QByteArray &utf8, const FileFormat &format);

} // namespace korvel
