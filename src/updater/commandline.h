#pragma once

#include <QString>
#include <QStringList>

namespace korvel {

// What the editor tells the updater when it starts it: the words are read by position.
struct UpdateCommandLine {
    QString productId;         // word 1; also the base name of the release information
    QString installedVersion;  // word 2, dotted decimal
    QString programFile;       // word 3, a file name in the updater's own folder
    int language = 0;          // word 4: 1 English, anything else German
};

// Reads the words that follow the program name. Missing words read as empty; a fourth word
// that is blank or not an integer means German (0); further words are not used.
UpdateCommandLine parseUpdateCommandLine(const QStringList &words);

} // namespace korvel
