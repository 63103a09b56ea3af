#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// The whole-text and selection transformations of the source view, as text-to-text functions.
// The commands set the editor's text or selection to what these return.
namespace korvel {

// "Remove LF": every CR LF pair outside the head section goes and blanks collapse; the head
// section keeps its line breaks and blanks. `SavedHead` is the main window's saved head section.
QString RemoveLineFeeds(const QString &text, QString &SavedHead);
// The same on a file's UTF-8 bytes, without a saved head to keep: what the batch command
// "remove-line-breaks" writes. Handed over with std::move, the text is joined where it lies.
QByteArray RemoveLineFeedsUtf8(QByteArray text);

// "Insert LF": a CR LF behind every ">" outside the head section.
QString InsertLineFeeds(const QString &text, QString &SavedHead);
// The same on UTF-8 bytes, with an empty saved head.
QByteArray InsertLineFeedsUtf8(const QByteArray &text);

// "Create char code": "&#" + the code page 1252 byte of the selection's first character + ";"
// (a character the code page cannot hold counts as "?", 63). Nothing for an empty selection.
std::optional<QString> CharacterCode(const QString &selection);

// "Replace special chars": the euro, copyright and registered signs, the German umlauts and
// "ß" become named entities; nothing else changes.
QString ReplaceUmlauts(const QString &text);
// The same on UTF-8 bytes: each character is decoded where it begins.
QByteArray ReplaceUmlautsUtf8(const QByteArray &text);

// "Create Javascript string variable": every line that holds more than blanks and control
// characters becomes "'" + line + "'+", the last one "'" + line + "';", joined by CR LF; the
// other lines go. Nothing when the whole text is blank. Lines end at CR LF, CR or LF.
std::optional<QString> MakeStringVariable(const QString &text);
std::optional<QByteArray> MakeStringVariableUtf8(const QByteArray &text);

} // namespace korvel
