#include "app/windowtitle.h"

namespace korvel {

QString documentWindowTitle(const QString &fileName, const QString &programName)
{
    const QString mark = QStringLiteral("[*]");
    if (fileName.trimmed().isEmpty())
        return programName + mark;
    QString shown = fileName;
    if (!fileName.contains(QStringLiteral("://"))) {
        const qsizetype slash = qMax(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
        if (slash >= 0 && slash + 1 < fileName.size())
            shown = fileName.mid(slash + 1);
    }
    shown.replace(mark, QStringLiteral("[*][*]"));
    return shown + mark + QStringLiteral(" \u2014 ") + programName;
}

} // namespace korvel
