#pragma once

#include <QStringList>

class QTextStream;

namespace korvel {

// `korvel --run COMMAND FILE...`: applies one whole-text source command to each file without
// opening a window. Each file is loaded as the editor loads it (encoding, line breaks, ".BAK"
// copy), rewritten by the same code the menu command runs, and saved in its own format; a file
// whose text the command leaves as it was is not written at all, and a file that looks binary
// is refused. The command's report goes to `out`, problems to `err`. Returns the process exit
// code: 0 when every file was done, 1 when a file was refused or failed (and left as it was),
// 2 for a wrong command line. "--help" as the command prints showCommandLineHelp.
int runBatch(const QStringList &arguments, int uiLanguage, QTextStream &out, QTextStream &err);

// What `korvel --help` prints: the forms of the command line, the commands and the exit codes.
void showCommandLineHelp(QTextStream &out);

} // namespace korvel
