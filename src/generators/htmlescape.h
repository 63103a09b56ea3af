#pragma once

#include <QString>

namespace korvel {

// Text a person typed, made safe for a double-quoted attribute value: "&", '"', "<" and ">"
// become character references, so the value can neither end the attribute nor the tag.
QString escapeAttribute(const QString &value);

// Text a person typed, made safe as element content: "&", "<" and ">" become references.
QString escapeText(const QString &value);

// How a file chosen in a file dialog is written into the document: relative to the folder of
// the document file, with "/" separators and percent-encoded; when the document has no file
// yet (an empty name), as a "file:" URL. Never a native path with blanks in it.
QString documentRelativePath(const QString &docFile, const QString &chosenPath);

} // namespace korvel
