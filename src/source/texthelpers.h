#pragma once

#include <QString>

// Small text functions shared by the source tools, the designer bridge and the table editing.
// Indices count from 0; "not found" is -1.
namespace korvel {

// Removes every CR, LF and TAB, then halves every pair of blanks six times over, so that a run
// of up to 64 blanks becomes one blank (a run of 65 becomes two).
QString CompactHtml(const QString &text);

// Case-insensitive search (A-Z folded only) of the needle's first 100 characters in the
// haystack, from index `from` (below 0 counts as 0). It answers -1 without searching unless the
// needle and the haystack both hold more than blanks and the editor's text is at least as long
// as the needle and reaches beyond the character after `from`: the bounds come from the
// editor's text, not from the haystack.
qsizetype FindNoCase(const QString &needle, const QString &haystack, qsizetype from,
                     const QString &editorText);

// Search from index `from` with the whole-word and match-case options. Without match case only
// A-Z are folded to a-z. A whole-word occurrence needs a non-letter (see IsWordLetter) or the
// text's end on both sides; after a rejected occurrence the search goes on behind it while that
// point lies before the last character of `limit`. -1 when nothing counts, also when the
// limit is 0 or less or the needle is empty.
qsizetype FindText(const QString &haystack, const QString &needle, qsizetype from, qsizetype limit,
                   bool wholeWord, bool matchCase);

// True when the text holds "<frameset" in any letter case.
bool IsFramesetDocument(const QString &editorText);

// True unless the address starts with "file" (any letter case).
bool IsOnlineLocation(const QString &locationUrl);

// True for the extensions .htm, .html, .txt and .xml, in any letter case.
bool IsEditableFileType(const QString &name);

// The local file behind a "file:" address, without its fragment; empty for an online address.
QString LocalPathOfLocation(const QString &locationUrl);

// The document type declaration: from the first "<!DOCTYPE" (any letter case) up to and
// including the next ">"; empty when either is missing.
QString DoctypeOf(const QString &text);

} // namespace korvel
