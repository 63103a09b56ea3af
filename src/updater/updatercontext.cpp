#include "updater/updatercontext.h"

#include "updater/updateaddress.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace korvel {

UpdaterContext runningUpdaterContext()
{
    UpdaterContext context;
    context.arguments = QCoreApplication::arguments().mid(1);
    context.programFolder = QCoreApplication::applicationDirPath();
    context.selfPath = QCoreApplication::applicationFilePath();
    context.tempFolder = QDir::tempPath();
    context.dataFolder = qEnvironmentVariable("KORVEL_DATA_DIR");
    if (context.dataFolder.isEmpty())
        context.dataFolder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    context.serverRoot = updateServerRoot();
    context.ownVersion = QStringLiteral(KORVEL_VERSION);
    return context;
}

} // namespace korvel
