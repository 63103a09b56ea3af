#pragma once

#include <QStringList>

class QTextStream;

namespace korvel {

// `korvel --run COMMAND FILE...`: applies one whole-text source command to each file without
// opening a window. Each file is loaded as the editor loads it (encoding, line breaks, ".BAK"
// copy), rewritten by the same code the menu command runs, and saved in its own format. The
// command's report goes to `out`, problems to `err`. Returns the process exit code: 0 when
// every file was done, 1 when a file was left as it was, 2 for a wrong command line.
int runBatch(const QStringList &arguments, int uiLanguage, QTextStream &out, QTextStream &err);

} // namespace korvel
