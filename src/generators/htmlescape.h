#pragma once

#include <QString>

namespace korvel {

// A value for a double-quoted attribute: & " < > become character references.
QString escapeAttribute(const QString &value);
// Text between tags: & < > become character references.
QString escapeText(const QString &text);

} // namespace korvel
