#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// Splits a text into its lines at CR LF, CR and LF: the line breaks of the editor and of the
// commands that hand back whole texts. A text ending with a line break keeps an empty last line.
QStringList splitAtLineBreaks(const QString &text);

// Splits a text at U+2028 only, for files whose lines are separated that way.
QStringList splitAtLineSeparators(const QString &text);

} // namespace korvel
