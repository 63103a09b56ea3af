#include "app/startoptions.h"

#include <QFileInfo>

#include <cstdio>
#include <cstring>

namespace korvel {

int answerInfoOption(int argc, char **argv)
{
    if (argc < 2)
        return -1;
    const char *option = argv[1];
    if (std::strcmp(option, "--version") == 0 || std::strcmp(option, "-v") == 0) {
        std::printf("korvel %s\n", KORVEL_VERSION);
        return 0;
    }
    return -1;
}

StartFileProblem startFileProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return StartFileProblem::Missing;
    if (info.isDir())
        return StartFileProblem::Folder;
    if (!info.isReadable())
        return StartFileProblem::Unreadable;
    return StartFileProblem::None;
}

QString startFileReason(StartFileProblem problem, int uiLanguage)
{
    const bool german = uiLanguage == 0;
    switch (problem) {
    case StartFileProblem::None:
        return {};
    case StartFileProblem::Missing:
        return german ? QStringLiteral("Die Datei gibt es nicht.") : QStringLiteral("There is no such file.");
    case StartFileProblem::Folder:
        return german ? QStringLiteral("Das ist ein Ordner, keine Datei.") : QStringLiteral("This is a folder, not a file.");
    case StartFileProblem::Unreadable:
        return german ? QStringLiteral("Die Datei darf nicht gelesen werden.") : QStringLiteral("The file may not be read.");
    }
    return {};
}

} // namespace korvel
