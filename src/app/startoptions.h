#pragma once

#include <QString>

namespace korvel {

// Answers `--version` on standard output without a window or a display (`--help` lists the
// batch commands too and is answered with them, see showCommandLineHelp): the
// exit code, or -1 when the first argument is neither (the program goes on starting).
int answerInfoOption(int argc, char **argv);

// Why the file named on the command line cannot be opened.
enum class StartFileProblem { None, Missing, Folder, Unreadable };

StartFileProblem startFileProblem(const QString &path);

// The reason in the interface language (0 German, otherwise English), to follow the
// "cannot open" message; empty for None.
QString startFileReason(StartFileProblem problem, int uiLanguage);

} // namespace korvel
