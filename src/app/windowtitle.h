#pragma once

#include <QString>

namespace korvel {

// The main window's caption for a document: its file name with the modified mark "[*]" and
// the program's name ("page.html[*] — Korvel"); the program's name alone, with the mark, while
// no file is named. An online address is shown whole. A "[*]" inside the name is doubled, so
// that Qt shows it as written.
QString documentWindowTitle(const QString &fileName, const QString &programName);

} // namespace korvel
