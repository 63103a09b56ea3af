#pragma once

#include "source/checkhtml.h"
#include "source/codeunits.h"

#include <QByteArray>
#include <QString>

// The single steps of CleanUpHtml, each one pass over the text.
namespace korvel {

// Puts double quotes around the unquoted attribute values of the start tags from the first
// body tag on (from the start without one). Text, comments, scripts, styles and values already
// quoted with " or ' stay as they are. A quote goes before the value and, within the next 300
// characters, before the first blank or ">" that ends it, unless a quote comes first.
QString QuoteAttributeValues(const QString &text);

// A blank before the ">" of a tag goes; every "<o:p>" tag and every "<tr>&nbsp;</tr>" goes (any
// letter case, one pass each).
QString RemoveClutter(const QString &text);

// Each CR LF inside a tag becomes one blank; tags of the head section keep their line breaks,
// and text, comments, scripts and styles keep theirs.
QString JoinBreaksInsideTags(const QString &text);

// Adds what is missing of the html, head and body start and end tags (tags with attributes and
// in any letter case count), in that order; a document type declaration moves in front of the
// new "<html>".
QString CompleteSkeleton(const QString &text);

// Collapses each run of blanks between the parts of a tag (never inside a quoted value, never
// outside tags), moving the positions in `marks` along.
QString CollapseTagBlanks(const QString &text, TagMarks &marks);

// The same steps on the text itself, as Check HTML runs them one after another on one buffer:
// rewritten in the text's own memory, a text shared with others copied once. On both forms of
// text (codeunits.h), defined for both in checkhtmlsteps.cpp: the same page in either form
// comes back as the same page.
template <typename Text>
void QuoteAttributeValuesIn(Text &text);
template <typename Text>
void RemoveClutterIn(Text &text);
template <typename Text>
void JoinBreaksInsideTagsIn(Text &text);
template <typename Text>
void CollapseTagBlanksIn(Text &text, TagMarks &marks);

// The text's units, to be written in place: a text shared with others is first copied into
// memory of its own (advised for huge pages, with room behind for what later steps add).
template <typename Text>
UnitOf<Text> *OwnedText(Text &text);

} // namespace korvel
