#include "app/launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
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

QStringList elevatedCommand(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &environment)
{
    QString env = QStandardPaths::findExecutable(QStringLiteral("env"));
    if (env.isEmpty())
        env = QStringLiteral("/usr/bin/env");
    QStringList command{QStringLiteral("pkexec"), env};
    // Only what the window needs to appear: a program running with administrator rights does not
    // take its update server or folders from the user's environment.
    const char *const kept[] = {"DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "XDG_RUNTIME_DIR",
                                "QT_QPA_PLATFORM"};
    for (const char *name : kept) {
        const QString key = QLatin1String(name);
        if (environment.contains(key))
            command << key + QLatin1Char('=') + environment.value(key);
    }
    // Without XAUTHORITY the X server's cookie is looked for in the home folder, which is
    // root's once elevated.
    const QString cookie = environment.value(QStringLiteral("HOME")) + QStringLiteral("/.Xauthority");
    if (environment.contains(QStringLiteral("DISPLAY")) && !environment.contains(QStringLiteral("XAUTHORITY"))
        && environment.contains(QStringLiteral("HOME")) && QFileInfo::exists(cookie))
        command << QStringLiteral("XAUTHORITY=") + cookie;
    return command << program << arguments;
}

} // namespace korvel
