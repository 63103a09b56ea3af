#include "updatertestsupport.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

namespace korvel::test {

UpdateTestServer::UpdateTestServer(const QString &rootFolder, const QString &certificate, const QString &key)
    : m_https(!certificate.isEmpty())
{
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        m_failure = QStringLiteral("python3 is not installed");
        return;
    }
    QStringList arguments{QStringLiteral(KORVEL_UPDATE_SERVER_SCRIPT), rootFolder,
                          m_logFolder.filePath(QStringLiteral("requests.log")), QStringLiteral("60")};
    if (m_https)
        arguments << certificate << key;
    m_process.start(python, arguments);
    if (!m_process.waitForStarted(5000)) {
        m_failure = QStringLiteral("the server did not start");
        return;
    }
    const QDeadlineTimer deadline(10000);
    while (!m_process.canReadLine() && !deadline.hasExpired())
        m_process.waitForReadyRead(100);
    const QByteArray line = m_process.readLine().trimmed();
    if (line.startsWith("PORT "))
        m_port = static_cast<quint16>(line.mid(5).toUInt());
    if (m_port == 0)
        m_failure = QStringLiteral("the server did not report its port: ")
            + QString::fromUtf8(line + m_process.readAllStandardError());
}

UpdateTestServer::~UpdateTestServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(1000);
    }
}

QUrl UpdateTestServer::root() const
{
    QUrl url;
    url.setScheme(m_https ? QStringLiteral("https") : QStringLiteral("http"));
    url.setHost(QStringLiteral("127.0.0.1"));
    url.setPort(m_port);
    return url;
}

QStringList UpdateTestServer::requests() const
{
    const QString log = QString::fromUtf8(readFile(m_logFolder.filePath(QStringLiteral("requests.log"))));
    return log.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void UpdateTestServer::clearRequests()
{
    QFile::remove(m_logFolder.filePath(QStringLiteral("requests.log")));
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray markerScript(const QString &marker)
{
    return "#!/bin/sh\necho \"started:$#\" > '" + marker.toUtf8() + "'\n";
}

bool writeMarkerProgram(const QString &path, const QString &marker)
{
    return writeFile(path, markerScript(marker))
        && QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner);
}

QByteArray waitForFile(const QString &path)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        const QByteArray content = readFile(path);
        if (!content.isEmpty())
            return content;
        QThread::msleep(10);
    }
    return {};
}

bool copySleepProgram(const QString &path)
{
    const QString sleep = QStandardPaths::findExecutable(QStringLiteral("sleep"));
    return !sleep.isEmpty() && QFile::copy(sleep, path);
}

bool isExecutable(const QString &path)
{
    return QFileInfo(path).isExecutable();
}

RunningDummies::~RunningDummies()
{
    for (auto &process : m_processes) {
        process->kill();
        process->waitForFinished(1000);
    }
}

QProcess &RunningDummies::start(const QString &name, const QStringList &prefix)
{
    const QString path = QDir(m_folder).filePath(name);
    if (!QFile::exists(path))
        copySleepProgram(path);
    auto process = std::make_unique<QProcess>();
    const QStringList arguments{QStringLiteral("30")};
    if (prefix.isEmpty())
        process->start(path, arguments);
    else
        process->start(prefix.first(), prefix.mid(1) + QStringList{path} + arguments);
    process->waitForStarted(5000);
    m_processes.push_back(std::move(process));
    return *m_processes.back();
}

bool hasFinished(QProcess &process)
{
    return process.state() == QProcess::NotRunning || process.waitForFinished(3000);
}

bool waitForExecutable(qint64 pid, const QString &name)
{
    const QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        if (QFile::symLinkTarget(QStringLiteral("/proc/%1/exe").arg(pid)).endsWith(name))
            return true;
        QThread::msleep(10);
    }
    return false;
}

} // namespace korvel::test
