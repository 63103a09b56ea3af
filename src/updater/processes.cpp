#include "updater/processes.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <optional>

#include <pwd.h>
#include <signal.h>
#include <unistd.h>

namespace korvel {

namespace {

const QString procRoot = QStringLiteral("/proc/");

// The real user id from /proc/<pid>/status; nothing readable means no owner we could match.
std::optional<uint> ownerOf(qint64 pid)
{
    QFile status(procRoot + QString::number(pid) + QStringLiteral("/status"));
    if (!status.open(QIODevice::ReadOnly))
        return std::nullopt;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (!line.startsWith("Uid:"))
            continue;
        const QList<QByteArray> fields = line.mid(4).simplified().split(' ');
        bool ok = false;
        const uint uid = fields.value(0).toUInt(&ok);
        return ok ? std::optional<uint>(uid) : std::nullopt;
    }
    return std::nullopt;
}

QString executableOf(qint64 pid)
{
    QString target = QFile::symLinkTarget(procRoot + QString::number(pid) + QStringLiteral("/exe"));
    // The kernel marks an executable whose file was replaced or removed.
    const QString deleted = QStringLiteral(" (deleted)");
    if (target.endsWith(deleted))
        target.chop(deleted.size());
    return target;
}

// Gone, or ended and waiting only to be reaped by its parent.
bool hasEnded(qint64 pid)
{
    QFile stat(procRoot + QString::number(pid) + QStringLiteral("/stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    // The state follows the command name, which is in parentheses and may itself hold them.
    const qsizetype close = text.lastIndexOf(')');
    if (close < 0 || close + 2 >= text.size())
        return true;
    const char state = text.at(close + 2);
    return state == 'Z' || state == 'X';
}

void waitForEnd(const QList<qint64> &pids, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired()) {
        if (std::all_of(pids.begin(), pids.end(), hasEnded))
            return;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(10);
    }
}

} // namespace

bool isProgramExecutable(const QString &executable, const QString &programFile)
{
    if (executable.isEmpty() || programFile.isEmpty())
        return false;
    return QFileInfo(executable).fileName().compare(programFile, Qt::CaseInsensitive) == 0
        || executable == programFile;
}

uint processOwner()
{
    const uint uid = ::getuid();
    if (uid == 0) {
        bool ok = false;
        const uint asking = qEnvironmentVariable("PKEXEC_UID").toUInt(&ok);
        if (ok)
            return asking;
    }
    return uid;
}

QList<qint64> programProcesses(const QString &programFile, uint owner)
{
    QList<qint64> found;
    const qint64 self = QCoreApplication::applicationPid();
    const QStringList entries = QDir(procRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok || pid == self)
            continue;
        if (ownerOf(pid) != owner)
            continue;
        if (isProgramExecutable(executableOf(pid), programFile))
            found << pid;
    }
    return found;
}

int endProcesses(const QList<qint64> &pids)
{
    for (const qint64 pid : pids)
        ::kill(static_cast<pid_t>(pid), SIGTERM);
    waitForEnd(pids, 3000);
    QList<qint64> remaining;
    for (const qint64 pid : pids) {
        if (!hasEnded(pid)) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
            remaining << pid;
        }
    }
    if (!remaining.isEmpty())
        waitForEnd(remaining, 2000);
    return static_cast<int>(std::count_if(pids.begin(), pids.end(), hasEnded));
}

bool startProgram(const QString &path, const QStringList &arguments)
{
    return QProcess::startDetached(path, arguments);
}

bool startProgramAsOwner(const QString &path)
{
    const uint owner = processOwner();
    if (owner == ::getuid())
        return startProgram(path);
    const passwd *account = ::getpwuid(owner);
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (!account || setpriv.isEmpty())
        return false;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), QFile::decodeName(account->pw_dir));
    environment.insert(QStringLiteral("USER"), QFile::decodeName(account->pw_name));
    environment.insert(QStringLiteral("LOGNAME"), QFile::decodeName(account->pw_name));
    QProcess process;
    process.setProgram(setpriv);
    process.setArguments({QStringLiteral("--reuid=%1").arg(owner), QStringLiteral("--regid=%1").arg(account->pw_gid),
                          QStringLiteral("--init-groups"), QStringLiteral("--"), path});
    process.setProcessEnvironment(environment);
    return process.startDetached();
}

} // namespace korvel
