#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace korvel {

// Where the updater runs: its command line, its folders and its server. The program fills it
// from the running process; tests point it at temporary folders and a local server.
struct UpdaterContext {
    QStringList arguments;  // the command-line words after the program name
    QString programFolder;  // the updater's own folder, which holds the program file to update
    QString selfPath;       // the updater's own program file, started anew after a failed download
    QString tempFolder;     // setup programs are downloaded here...
    QString dataFolder;     // ...or here when the temporary folder does not exist
    QUrl serverRoot;        // the update server
    QString ownVersion;     // the updater's version, shown in the info window
    int transferTimeout = 30000;  // a download that receives nothing for this long fails
};

// The context of the running program.
UpdaterContext runningUpdaterContext();

} // namespace korvel
