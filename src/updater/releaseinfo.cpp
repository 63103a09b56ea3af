#include "updater/releaseinfo.h"

#include "textio/textdecode.h"

#include <QByteArray>
#include <QRegularExpression>
#include <QStringList>

namespace korvel {


ReleaseInfo parseReleaseInfo(const QByteArray &bytes)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList lines = decodeUtf8OrAnsi(bytes).split(lineBreak);
    ReleaseInfo info;
    info.version = lines.value(0).trimmed();
    info.fileName = lines.value(1).trimmed();
    info.newsGerman = lines.value(2).trimmed();
    info.newsEnglish = lines.value(3).trimmed();
    info.mode = lines.value(4).trimmed();
    return info;
}

QString newsFor(const ReleaseInfo &info, int languageNumber)
{
    return languageNumber != 0 ? info.newsEnglish : info.newsGerman;
}

InstallMode installModeOf(const QString &mode)
{
    const QString trimmed = mode.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String("default"))
        return InstallMode::Replace;
    if (trimmed.contains(QLatin1String("setup"), Qt::CaseInsensitive))
        return InstallMode::Setup;
    return InstallMode::Program;
}

} // namespace korvel
