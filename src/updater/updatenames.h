#pragma once

#include <QString>

namespace korvel {

// True for a name that can only mean a file in the folder it is put in: not empty, no folder
// separator of either kind, no NUL, and not "." or "..". Names that come from the command line
// or from the server are used only when they pass.
bool isPlainFileName(const QString &name);

// The release information of a product: the identifier followed by ".inf".
QString releaseInfoFileName(const QString &productId);

// The backup of a program file keeps it beside the new one under "Old" + its name.
QString backupFileName(const QString &programFile);

// A version as four numbers joined by "." (missing numbers read as 0); an empty text when it
// has no numbers or more than four, or anything but digits.
QString fourPartVersion(const QString &version);

} // namespace korvel
