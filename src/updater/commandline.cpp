#include "updater/commandline.h"

#include <QStringList>

namespace korvel {

UpdateCommandLine parseUpdateCommandLine(const QStringList &words)
{
    UpdateCommandLine line;
    line.productId = words.value(0);
    line.installedVersion = words.value(1);
    line.programFile = words.value(2);
    bool ok = false;
    const int language = words.value(3).trimmed().toInt(&ok);
    line.language = ok ? language : 0;
    return line;
}

} // namespace korvel
