#include "app/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

namespace korvel {

bool DesktopLauncher::startProgram(const QString &program, const QStringList &arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool DesktopLauncher::openUrl(const QString &address)
{
    return QDesktopServices::openUrl(QUrl(address, QUrl::TolerantMode));
}

QString programVersionText(const QString &version)
{
    static const QRegularExpression fourNumbers(QStringLiteral("^\\d+\\.\\d+\\.\\d+\\.\\d+$"));
    return fourNumbers.match(version).hasMatch() ? version : QStringLiteral("Not available");
}

QString documentAddress(const QString &fileName)
{
    // QUrl encodes a blank as %20 and also "#", "?" and "%", which would otherwise cut the
    // path short or change it.
    return QString::fromLatin1(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()).toEncoded());
}

QString ftpAddress(const QString &user, const QString &password, const QString &server,
                   const QString &loginMode)
{
    if (loginMode == QStringLiteral("Anonymous"))
        return QStringLiteral("ftp://") + server;
    return QStringLiteral("ftp://") + user + QLatin1Char(':') + password + QLatin1Char('@') + server;
}

QStringList updaterArguments(const QString &programVersion, const QString &editorFileName,
                             int uiLanguage)
{
    const QString text = QStringLiteral("korveld ") + programVersion + QLatin1Char(' ') + editorFileName
                         + QLatin1Char(' ') + QString::number(uiLanguage);
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

} // namespace korvel
