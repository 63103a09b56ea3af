#pragma once

#include "source/checkhtml.h"

#include <QString>

// The single steps of CleanUpHtml, each one pass over the text.
namespace korvel {

// Puts double quotes around attribute values from the first "<body" on (from the start without
// one). Every "=" counts, also one in text content or a script: an "=" already followed by a
// quote is skipped up to two characters behind the closing quote; otherwise a quote goes behind
// the "=", and within the next 300 characters a quote and a blank go before the first blank or
// ">", unless a quote comes first.
QString QuoteAttributeValues(const QString &text);

// " >" becomes ">"; every "<o:p>" and every "<tr>&nbsp;</tr>" goes (any letter case, one pass
// each).
QString RemoveClutter(const QString &text);

// Each CR LF inside a tag (InsideTag) becomes one blank; the head section keeps its line breaks.
QString JoinBreaksInsideTags(const QString &text, QString &SavedHead);

// Adds what is missing of "<html>", "</html>", "<head>", "</head>", "<body" and "</body>", in
// that order; a document type declaration moves in front of the new "<html>".
QString CompleteSkeleton(const QString &text);

// Collapses the blanks in each tag, then in the whole text, moving the positions in `marks` along.
QString CollapseTagBlanks(const QString &text, TagMarks &marks);

// Every "> <" becomes "><", moving the positions in `marks` along.
QString JoinAdjacentTags(const QString &text, TagMarks &marks);

} // namespace korvel
