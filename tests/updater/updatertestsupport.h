#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace korvel::test {

// A real HTTP (or HTTPS) server on 127.0.0.1, serving the files of a folder, run as a separate
// process for one test suite. It ends itself when this object goes or after a minute.
class UpdateTestServer final {
public:
    // With a certificate and key the server speaks HTTPS.
    explicit UpdateTestServer(const QString &rootFolder, const QString &certificate = {},
                              const QString &key = {});
    ~UpdateTestServer();
    Q_DISABLE_COPY_MOVE(UpdateTestServer)

    bool isRunning() const { return m_port != 0; }
    QString failure() const { return m_failure; }
    QUrl root() const;

    // The paths requested since the last clearRequests(), in order.
    QStringList requests() const;
    void clearRequests();

private:
    QProcess m_process;
    QTemporaryDir m_logFolder;
    QString m_failure;
    quint16 m_port = 0;
    bool m_https = false;
};

// Files and programs for the updater tests.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);
// A shell script that writes "started:<number of arguments>" into `marker` when run.
QByteArray markerScript(const QString &marker);
// Writes an executable script that leaves `marker` behind when it runs.
bool writeMarkerProgram(const QString &path, const QString &marker);
// Waits up to a few seconds for a file to appear with content; returns its content.
QByteArray waitForFile(const QString &path);
// A copy of the system's sleep program under another name: a real executable that runs under
// that name and can be ended.
bool copySleepProgram(const QString &path);
bool isExecutable(const QString &path);

// Copies of the sleep program under given names in a folder, running until the test ends
// them or this object goes.
class RunningDummies final {
public:
    explicit RunningDummies(const QString &folder) : m_folder(folder) {}
    ~RunningDummies();
    Q_DISABLE_COPY_MOVE(RunningDummies)

    // Starts the copy named `name` (made when missing), through `prefix` when given.
    QProcess &start(const QString &name, const QStringList &prefix = {});

private:
    QString m_folder;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

// True when the process has ended or ends within a few seconds.
bool hasFinished(QProcess &process);

// Waits until the process runs an executable whose path ends in `name` (a program started
// through another one switches a moment later).
bool waitForExecutable(qint64 pid, const QString &name);

// A test suite with one update server serving a temporary folder, started once for the suite.
class ServedTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        serverFolder = std::make_unique<QTemporaryDir>();
        server = std::make_unique<UpdateTestServer>(serverFolder->path());
    }
    static void TearDownTestSuite()
    {
        server.reset();
        serverFolder.reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(server->isRunning()) << server->failure().toStdString();
        server->clearRequests();
    }

    static inline std::unique_ptr<QTemporaryDir> serverFolder;
    static inline std::unique_ptr<UpdateTestServer> server;
};

} // namespace korvel::test
