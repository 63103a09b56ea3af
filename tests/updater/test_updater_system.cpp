// The updater's contact with the system: downloads from a real server on 127.0.0.1 (and one
// over HTTPS), and the running processes it ends.
#include "updatertestsupport.h"
#include "updater/downloader.h"
#include "updater/processes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslSocket>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

using namespace korvel;
using namespace korvel::test;

namespace {

class DownloadTest : public ServedTest {
protected:

    QUrl address(const QString &path) const
    {
        QUrl url = server->root();
        url.setPath(path);
        return url;
    }
    static void serve(const QString &path, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(serverFolder->filePath(path), bytes));
    }
    // The target folder holds nothing but the given files: no temporary file is left behind.
    static QStringList filesIn(const QString &folder)
    {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    }

    QTemporaryDir target;
    Downloader downloader;
};

TEST_F(DownloadTest, wholeFileReplacesTheTarget)
{
    const QByteArray content = QByteArray(100000, 'n') + "end";
    serve(QStringLiteral("updates/korvel-new"), content);
    const QString path = target.filePath(QStringLiteral("korvel"));
    ASSERT_TRUE(writeFile(path, "old program"));

    EXPECT_EQ(downloader.fetch(address(QStringLiteral("/updates/korvel-new")), path), DownloadResult::Complete);
    EXPECT_EQ(readFile(path), content);
    EXPECT_EQ(filesIn(target.path()), QStringList{QStringLiteral("korvel")});
    EXPECT_EQ(server->requests(), QStringList{QStringLiteral("/updates/korvel-new")});
}

TEST_F(DownloadTest, failedDownloadsLeaveTheTargetAsItWas)
{
    serve(QStringLiteral("updates/cut"), QByteArray(50000, 'c'));
    serve(QStringLiteral("updates/cut.short"), "");
    serve(QStringLiteral("updates/broken"), "never sent");
    serve(QStringLiteral("updates/broken.status"), "500");
    serve(QStringLiteral("updates/moved"), "never sent");
    serve(QStringLiteral("updates/moved.status"), "301");
    serve(QStringLiteral("updates/away"), "never sent");
    serve(QStringLiteral("updates/away.redirect"), "http://192.0.2.7/updates/korvel");

    const struct {
        const char *what;
        const char *path;
    } cases[] = {
        {"missing on the server", "/updates/nothing-here"},
        {"cut short", "/updates/cut"},
        {"server error", "/updates/broken"},
        {"answer other than 200", "/updates/moved"},
        {"redirect to plain HTTP off this machine", "/updates/away"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString path = target.filePath(QStringLiteral("korvel"));
        ASSERT_TRUE(writeFile(path, "old program"));
        EXPECT_EQ(downloader.fetch(address(QString::fromUtf8(c.path)), path), DownloadResult::Failed);
        EXPECT_EQ(readFile(path), QByteArray("old program"));
        EXPECT_EQ(filesIn(target.path()), QStringList{QStringLiteral("korvel")});
    }
}

TEST_F(DownloadTest, redirectOnThisMachineIsFollowed)
{
    serve(QStringLiteral("updates/korvel"), "new program");
    serve(QStringLiteral("updates/old-name"), "");
    serve(QStringLiteral("updates/old-name.redirect"), address(QStringLiteral("/updates/korvel")).toEncoded());
    const QString path = target.filePath(QStringLiteral("korvel"));
    EXPECT_EQ(downloader.fetch(address(QStringLiteral("/updates/old-name")), path), DownloadResult::Complete);
    EXPECT_EQ(readFile(path), QByteArray("new program"));
    EXPECT_EQ(server->requests(), (QStringList{QStringLiteral("/updates/old-name"), QStringLiteral("/updates/korvel")}));
}

TEST_F(DownloadTest, plainHttpAwayFromThisMachineIsNotEvenTried)
{
    const QString path = target.filePath(QStringLiteral("korvel"));
    EXPECT_EQ(downloader.fetch(QUrl(QStringLiteral("http://192.0.2.7/updates/korvel")), path), DownloadResult::Failed);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(DownloadTest, abortedDownloadLeavesTheTarget)
{
    serve(QStringLiteral("updates/slow"), QByteArray(40000, 's'));
    serve(QStringLiteral("updates/slow.slow"), "");
    const QString path = target.filePath(QStringLiteral("korvel"));
    ASSERT_TRUE(writeFile(path, "old program"));
    QTimer::singleShot(200, &downloader, [this] { downloader.abort(); });
    EXPECT_EQ(downloader.fetch(address(QStringLiteral("/updates/slow")), path), DownloadResult::Aborted);
    EXPECT_EQ(readFile(path), QByteArray("old program"));
    EXPECT_EQ(filesIn(target.path()), QStringList{QStringLiteral("korvel")});
}

TEST_F(DownloadTest, unwritableTargetFolderFails)
{
    serve(QStringLiteral("updates/korvel"), "new program");
    EXPECT_EQ(downloader.fetch(address(QStringLiteral("/updates/korvel")),
                               target.filePath(QStringLiteral("no-such-folder/korvel"))),
              DownloadResult::Failed);
}

// A certificate for 127.0.0.1 that no authority signed, made for the test.
bool makeCertificate(const QString &folder)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        return false;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(openssl, {QStringLiteral("req"), QStringLiteral("-x509"), QStringLiteral("-newkey"),
                            QStringLiteral("rsa:2048"), QStringLiteral("-nodes"), QStringLiteral("-keyout"),
                            QStringLiteral("key.pem"), QStringLiteral("-out"), QStringLiteral("cert.pem"),
                            QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                            QStringLiteral("/CN=127.0.0.1"), QStringLiteral("-addext"),
                            QStringLiteral("subjectAltName=IP:127.0.0.1")});
    return process.waitForFinished(20000) && process.exitCode() == 0;
}

TEST(SecureDownload, certificateIsVerified)
{
    ASSERT_TRUE(QSslSocket::supportsSsl()) << "Qt has no TLS backend";
    QTemporaryDir keys;
    ASSERT_TRUE(makeCertificate(keys.path())) << "openssl could not make a test certificate";
    QTemporaryDir served;
    ASSERT_TRUE(writeFile(served.filePath(QStringLiteral("updates/korvel")), "new program"));
    UpdateTestServer server(served.path(), keys.filePath(QStringLiteral("cert.pem")),
                            keys.filePath(QStringLiteral("key.pem")));
    ASSERT_TRUE(server.isRunning()) << server.failure().toStdString();
    QUrl url = server.root();
    url.setPath(QStringLiteral("/updates/korvel"));
    QTemporaryDir target;
    const QString path = target.filePath(QStringLiteral("korvel"));

    {
        Downloader downloader;
        EXPECT_EQ(downloader.fetch(url, path), DownloadResult::Failed);
        EXPECT_FALSE(QFile::exists(path));
    }

    // Trusting the certificate makes the same download succeed, so it was the verification
    // that refused it.
    const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
    QSslConfiguration trusting = saved;
    trusting.addCaCertificates(keys.filePath(QStringLiteral("cert.pem")));
    QSslConfiguration::setDefaultConfiguration(trusting);
    {
        Downloader downloader;
        EXPECT_EQ(downloader.fetch(url, path), DownloadResult::Complete);
        EXPECT_EQ(readFile(path), QByteArray("new program"));
    }
    QSslConfiguration::setDefaultConfiguration(saved);
}

TEST(RunningPrograms, sameNameAndUserIsEndedOtherNameIsNot)
{
    QTemporaryDir folder;
    RunningDummies dummies(folder.path());
    QProcess &same = dummies.start(QStringLiteral("korvel-dummy-program"));
    QProcess &other = dummies.start(QStringLiteral("other-dummy-program"));
    ASSERT_EQ(same.state(), QProcess::Running);
    ASSERT_EQ(other.state(), QProcess::Running);
    ASSERT_TRUE(waitForExecutable(same.processId(), QStringLiteral("korvel-dummy-program")));

    const QList<qint64> found = programProcesses(QStringLiteral("KORVEL-dummy-program"), processOwner());
    EXPECT_EQ(found, QList<qint64>{same.processId()});
    EXPECT_TRUE(programProcesses(QStringLiteral("korvel-dummy-program"), processOwner() + 1).isEmpty());

    EXPECT_EQ(endProcesses(found), 1);
    EXPECT_TRUE(hasFinished(same));
    EXPECT_EQ(other.state(), QProcess::Running);
}

TEST(RunningPrograms, processOfAnotherUserIsLeftAlone)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to start a process as another user";
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        GTEST_SKIP() << "setpriv is not installed";
    QTemporaryDir folder;
    QFile::setPermissions(folder.path(), QFile::permissions(folder.path()) | QFile::ExeOther | QFile::ReadOther);
    RunningDummies dummies(folder.path());
    QProcess &foreign = dummies.start(QStringLiteral("korvel-foreign-program"),
                                      {setpriv, QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                       QStringLiteral("--clear-groups")});
    QProcess &own = dummies.start(QStringLiteral("korvel-foreign-program"));
    ASSERT_EQ(foreign.state(), QProcess::Running);
    ASSERT_TRUE(waitForExecutable(foreign.processId(), QStringLiteral("korvel-foreign-program")));
    ASSERT_TRUE(waitForExecutable(own.processId(), QStringLiteral("korvel-foreign-program")));

    const QList<qint64> found = programProcesses(QStringLiteral("korvel-foreign-program"), processOwner());
    EXPECT_EQ(found, QList<qint64>{own.processId()});
    endProcesses(found);
    EXPECT_TRUE(hasFinished(own));
    EXPECT_EQ(foreign.state(), QProcess::Running);
}

} // namespace
