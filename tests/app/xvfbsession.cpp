#include "xvfbsession.h"

#include "app/settingsfile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <unistd.h>

namespace korvel::test {

namespace {

bool displayTaken(int number)
{
    return QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number))
        || QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number));
}

void pause(int ms)
{
    QThread::msleep(ulong(ms));
}

} // namespace

XvfbSession::~XvfbSession()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(3000)) {
            m_server.kill();
            m_server.waitForFinished(1000);
        }
    }
}

bool XvfbSession::toolsFound()
{
    return !QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty();
}

bool XvfbSession::start()
{
    m_work = std::make_unique<QTemporaryDir>();
    const QString work = m_work->path();
    for (const char *folder : {"home", "runtime", "data", "config", "cache", "share"})
        QDir(work).mkpath(QString::fromLatin1(folder));
    QFile::setPermissions(work + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile ini(settingsFilePath(work + QStringLiteral("/data")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write(settingsFileBytes(withLanguageLine({}, 1))) < 0) {
        m_error = QStringLiteral("cannot write the settings file in ") + work;
        return false;
    }
    ini.close();

    // A display that is free now may be taken between the check and the start by another run;
    // the server then ends at once and the next number is tried.
    for (int number = 90; number < 190; ++number) {
        if (displayTaken(number))
            continue;
        m_display = QStringLiteral(":%1").arg(number);
        m_server.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000)) {
            m_error = QStringLiteral("Xvfb does not start");
            return false;
        }
        const QDeadlineTimer deadline(10000);
        while (!deadline.hasExpired() && m_server.state() == QProcess::Running) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))
                && !xdotool({QStringLiteral("getdisplaygeometry")}, 2000).isEmpty())
                return true;
            pause(50);
        }
        if (m_server.state() == QProcess::Running) {
            m_error = QStringLiteral("Xvfb on %1 takes no connections after 10 s").arg(m_display);
            return false;
        }
        m_server.waitForFinished(1000);
    }
    m_error = QStringLiteral("no free X display from :90 to :189");
    return false;
}

QString XvfbSession::workFolder() const
{
    return m_work ? m_work->path() : QString();
}

QProcessEnvironment XvfbSession::programEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    const QString work = workFolder();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), work + QStringLiteral("/home"));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), work + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), work + QStringLiteral("/config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), work + QStringLiteral("/cache"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), work + QStringLiteral("/share"));
    env.insert(QStringLiteral("KORVEL_DATA_DIR"), work + QStringLiteral("/data"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (geteuid() == 0)
        env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    return env;
}

QString XvfbSession::xdotool(const QStringList &arguments, int timeoutMs)
{
    QProcess tool;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    tool.setProcessEnvironment(env);
    tool.start(QStringLiteral("xdotool"), arguments);
    if (!tool.waitForFinished(timeoutMs)) {
        tool.kill();
        tool.waitForFinished(1000);
        m_error = QStringLiteral("xdotool %1 took longer than %2 ms").arg(arguments.join(u' ')).arg(timeoutMs);
        return {};
    }
    const QString out = QString::fromUtf8(tool.readAllStandardOutput()).trimmed();
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0) {
        m_error = QStringLiteral("xdotool %1 failed: %2").arg(arguments.join(u' '),
                                                               QString::fromUtf8(tool.readAllStandardError()).trimmed());
        return {};
    }
    return out.isEmpty() ? QStringLiteral(" ") : out;
}

QString XvfbSession::waitForWindow(qint64 pid, const QString &titlePart, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        const QString found = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                       QStringLiteral("--pid"), QString::number(pid)}, 3000);
        for (const QString &window : found.split(u'\n', Qt::SkipEmptyParts)) {
            const QString id = window.trimmed();
            if (id.isEmpty())
                continue;
            if (xdotool({QStringLiteral("getwindowname"), id}, 3000).contains(titlePart))
                return id;
        }
        pause(50);
    }
    m_error = QStringLiteral("no visible window titled \"%1\" of process %2 after %3 ms")
                  .arg(titlePart).arg(pid).arg(timeoutMs);
    return {};
}

bool XvfbSession::focusWindow(const QString &window, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        xdotool({QStringLiteral("windowfocus"), window}, 3000);
        if (xdotool({QStringLiteral("getwindowfocus")}, 3000).trimmed() == window)
            return true;
        pause(50);
    }
    m_error = QStringLiteral("window %1 did not take the keyboard focus in %2 ms").arg(window).arg(timeoutMs);
    return false;
}

} // namespace korvel::test
