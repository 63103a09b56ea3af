#pragma once

#include <QString>

namespace korvel {

// Typed values go into generated HTML through these, so that a quote, an ampersand or an
// angle bracket in a field stays the character the person typed instead of ending the
// attribute or starting a tag.

// For a value between double quotes: & " < > become character references.
QString escapeAttribute(const QString &value);
// For text between tags: & < > become character references.
QString escapeText(const QString &text);

} // namespace korvel
