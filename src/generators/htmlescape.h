#pragma once

#include <QString>

namespace korvel {

// A value for a double-quoted attribute: & " < > become character references.
QString escapeAttribute(const QString &value);
// Text between tags: & < > become character references.
QString escapeText(const QString &text);

// How a file chosen in a file dialog is written into the document: relative to the
// document's folder with "/" separators when the document has a file of its own, else as a
// file: URL; percent-encoded either way, so blanks, "#" and "?" keep their meaning as part of
// the name. An empty choice gives an empty text.
QString documentRelativePath(const QString &documentFile, const QString &chosenPath);

} // namespace korvel
