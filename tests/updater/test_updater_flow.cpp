// The whole updater window driven like a person would: the scripted Prompter answers its
// questions, a real server on 127.0.0.1 serves the release, and real programs run and end.
#include "scriptedprompter.h"
#include "updatertestsupport.h"
#include "updater/tforminfo.h"
#include "updater/tformupdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>
#include <unistd.h>

using namespace korvel;
using namespace korvel::test;

namespace {

const QString programName = QStringLiteral("korvel-flowtest");

const QString laterVersion = QStringLiteral("A later version is online available. Download and install updates?");
const QString hasToBeTerminated =
    QStringLiteral("korveld has to be terminated. Should Updater shut down the application and continue installation?");
const QString updateComplete = QStringLiteral("Update complete. Restart application now?");
const QString downloadFailed = QStringLiteral("Download failed! Check firewall settings.");
const QString noReleaseInfo = QStringLiteral("No release info available!");
const QString upToDate = QStringLiteral("No later version online available. Your version is up to date!");

class UpdateFlowTest : public ServedTest {
protected:
    void SetUp() override
    {
        ServedTest::SetUp();
        if (HasFatalFailure())
            return;
        QDir(serverFolder->filePath(QStringLiteral("updates"))).removeRecursively();
        QDir(serverFolder->filePath(QStringLiteral("download"))).removeRecursively();
        ASSERT_TRUE(copySleepProgram(program()));
        oldProgram = readFile(program());
        ASSERT_FALSE(oldProgram.isEmpty());
        ASSERT_TRUE(writeMarkerProgram(selfPath(), marker(QStringLiteral("restarted"))));
    }

    QString program() const { return programFolder.filePath(programName); }
    QString backup() const { return programFolder.filePath(QStringLiteral("Old") + programName); }
    QString selfPath() const { return tools.filePath(QStringLiteral("korvel-install")); }
    QString marker(const QString &name) const { return markers.filePath(name); }

    UpdaterContext context(const QStringList &arguments) const
    {
        UpdaterContext c;
        c.arguments = arguments;
        c.programFolder = programFolder.path();
        c.selfPath = selfPath();
        c.tempFolder = tempFolder.path();
        c.dataFolder = dataFolder.path() + QStringLiteral("/appdata");
        c.serverRoot = server->root();
        c.ownVersion = QStringLiteral("1.0.0.0");
        c.transferTimeout = 5000;
        return c;
    }

    static QStringList englishWords(const QString &installed = QStringLiteral("2.3.0.1"))
    {
        return {QStringLiteral("korveld"), installed, programName, QStringLiteral("1")};
    }

    TFormUpdate &openForm(const QStringList &arguments = englishWords(), UpdaterContext *changed = nullptr)
    {
        form = std::make_unique<TFormUpdate>(changed ? *changed : context(arguments), prompter);
        form->show();
        return *form;
    }

    static void serve(const QString &path, const QByteArray &bytes)
    {
        ASSERT_TRUE(writeFile(serverFolder->filePath(path), bytes));
    }
    static void publish(const QString &version, const QString &fileName, const QString &mode = {})
    {
        serve(QStringLiteral("updates/korveld.inf"),
              (version + QStringLiteral("\r\n") + fileName + QStringLiteral("\r\nNeue Tabellen\r\nNew tables\r\n")
               + mode + QStringLiteral("\r\n"))
                  .toUtf8());
    }

    QLabel *label(const char *name) const { return form->findChild<QLabel *>(QLatin1String(name)); }
    int progress() const { return form->findChild<QProgressBar *>(QStringLiteral("ProgressBar1"))->value(); }

    QTemporaryDir programFolder;
    QTemporaryDir tempFolder;
    QTemporaryDir dataFolder;
    QTemporaryDir tools;
    QTemporaryDir markers;
    QByteArray oldProgram;
    ScriptedPrompter prompter;
    std::unique_ptr<TFormUpdate> form;
};

const QString infoRequest = QStringLiteral("/updates/korveld.inf");

TEST_F(UpdateFlowTest, missingOrUnsafeCommandLineReportsOnlyMissingInformation)
{
    const QStringList cases[] = {
        {},
        {QStringLiteral("korveld"), QStringLiteral("2.3.0.1")},
        {QStringLiteral("korveld"), QStringLiteral("2.3.0.1"), QStringLiteral("../korvel")},
        {QStringLiteral("../korveld"), QStringLiteral("2.3.0.1"), programName},
    };
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-new"));
    for (const QStringList &words : cases) {
        SCOPED_TRACE(words.join(QLatin1Char(' ')).toStdString());
        prompter.clear();
        openForm(words).BitBtn1Click();
        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.messages().first().kind, MessageKind::Information);
        EXPECT_EQ(prompter.lastText(), QStringLiteral("Keine Updateinformationen verfügbar!"));
        EXPECT_FALSE(form->isAnimating());
    }
    EXPECT_TRUE(server->requests().isEmpty());
}

TEST_F(UpdateFlowTest, languageWordSelectsTheTexts)
{
    const struct {
        QStringList tail;
        const char *button;
        const char *connection;
        const char *whatsNew;
        const char *yes;  // the standard button of the questions
    } cases[] = {
        {{QStringLiteral("1")}, "Check for updates", "Connection:", "Whats new", "&Yes"},
        {{QStringLiteral("0")}, "Nach Updates suchen", "Verbindung:", "Was ist neu", "&Ja"},
        {{QStringLiteral("-1")}, "Nach Updates suchen", "Verbindung:", "Was ist neu", "&Ja"},
        {{}, "Nach Updates suchen", "Verbindung:", "Was ist neu", "&Ja"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.button);
        openForm(QStringList{QStringLiteral("korveld"), QStringLiteral("2.3.0.1"), programName} + c.tail);
        EXPECT_EQ(form->findChild<QPushButton *>(QStringLiteral("BitBtn1"))->text(), QString::fromUtf8(c.button));
        EXPECT_EQ(label("Label1")->text(), QString::fromUtf8(c.connection));
        EXPECT_EQ(label("LabelInfo")->text(), QString::fromUtf8(c.whatsNew));
        EXPECT_EQ(label("LabelOffVersion")->text(), QStringLiteral("2.3.0.1"));
        EXPECT_EQ(label("LabelOnVersion")->text(), QStringLiteral("OnVersion"));
        EXPECT_EQ(label("LabelStatus")->text(), QStringLiteral("Offline"));
        EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes"), QString::fromUtf8(c.yes));
    }
}

TEST_F(UpdateFlowTest, updateIsInstalledOverTheRunningProgramAndTheBackupKept)
{
    RunningDummies running(programFolder.path());
    QProcess &editor = running.start(programName);
    ASSERT_TRUE(waitForExecutable(editor.processId(), programName));
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
    const QByteArray newProgram = markerScript(marker(QStringLiteral("new")));
    serve(QStringLiteral("updates/korvel-2.3.1"), newProgram);

    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::No);
    openForm().BitBtn1Click();

    ASSERT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated, updateComplete}));
    EXPECT_EQ(prompter.messages().at(0).kind, MessageKind::Information);
    EXPECT_EQ(prompter.messages().at(1).kind, MessageKind::Confirmation);
    EXPECT_EQ(prompter.messages().at(2).buttons, Buttons::YesNo);
    EXPECT_TRUE(hasFinished(editor)) << "the running program was not ended";
    EXPECT_EQ(readFile(program()), newProgram);
    EXPECT_TRUE(isExecutable(program()));
    EXPECT_EQ(readFile(backup()), oldProgram);
    EXPECT_FALSE(QFile::exists(programFolder.filePath(QStringLiteral("korveld.inf"))));
    EXPECT_EQ(server->requests(), (QStringList{infoRequest, QStringLiteral("/updates/korvel-2.3.1")}));
    EXPECT_EQ(label("LabelOnVersion")->text(), QStringLiteral("2.3.1"));
    EXPECT_EQ(label("LabelWhatsNew")->text(), QStringLiteral("New tables"));
    EXPECT_EQ(label("LabelStatus")->text(), QStringLiteral("Connected"));
    EXPECT_EQ(label("LabelActioninfo")->text(), QStringLiteral("Loading update... Pleas wait."));
    EXPECT_EQ(progress(), 100);
    EXPECT_FALSE(form->hasEnded());
    EXPECT_FALSE(QFile::exists(marker(QStringLiteral("new"))));

    // The bar stays full, so a second check in the same run reports a failed connection.
    prompter.clear();
    server->clearRequests();
    form->BitBtn1Click();
    EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("Connection failed!")});
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Error);
    EXPECT_EQ(progress(), 0);
    EXPECT_TRUE(server->requests().isEmpty());
}

TEST_F(UpdateFlowTest, restartingStartsTheNewProgramAndDropsTheBackup)
{
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"), QStringLiteral("default"));
    serve(QStringLiteral("updates/korvel-2.3.1"), markerScript(marker(QStringLiteral("new"))));
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    openForm().BitBtn1Click();

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated, updateComplete}));
    EXPECT_EQ(waitForFile(marker(QStringLiteral("new"))), QByteArray("started:0\n"));
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_TRUE(form->hasEnded());
    EXPECT_FALSE(form->isVisible());
}

TEST_F(UpdateFlowTest, elevatedUpdaterStartsTheNewProgramAsTheAskingUser)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "needs root to stand for an elevated updater";
    if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty())
        GTEST_SKIP() << "setpriv is not installed";
    const auto open = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(programFolder.path(), open));
    ASSERT_TRUE(QFile::setPermissions(markers.path(), open | QFile::WriteGroup | QFile::WriteOther));
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
    serve(QStringLiteral("updates/korvel-2.3.1"),
          "#!/bin/sh\nid -u > '" + marker(QStringLiteral("user")).toUtf8() + "'\n");
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    const QByteArray saved = qgetenv("PKEXEC_UID");
    qputenv("PKEXEC_UID", "65534");
    openForm().BitBtn1Click();
    if (saved.isNull())
        qunsetenv("PKEXEC_UID");
    else
        qputenv("PKEXEC_UID", saved);

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated, updateComplete}));
    EXPECT_EQ(waitForFile(marker(QStringLiteral("user"))), QByteArray("65534\n"));
    EXPECT_TRUE(form->hasEnded());
}

TEST_F(UpdateFlowTest, versionsThatAreNotLaterInstallNothing)
{
    const struct {
        const char *what;
        const char *installed;
        const char *available;  // nullptr: no release information on the server
        MessageKind kind;
        QString text;
        bool infoFileStays;
    } cases[] = {
        {"same version", "2.3.0.1", "2.3.0.1", MessageKind::Error, upToDate, false},
        {"older by number", "2.10.0.0", "2.9.0.0", MessageKind::Error, upToDate, false},
        {"older, shorter", "2.3.1", "2.3.0.5", MessageKind::Error, upToDate, false},
        {"blank version", "2.3.0.1", "", MessageKind::Warning, noReleaseInfo, true},
        {"only dots", "2.3.0.1", "...", MessageKind::Warning, noReleaseInfo, true},
        {"not a number", "2.3.0.1", "2.4 beta", MessageKind::Warning, noReleaseInfo, true},
        {"no release information", "2.3.0.1", nullptr, MessageKind::Information,
         QStringLiteral("No update available!"), false},
    };
    serve(QStringLiteral("updates/korvel-new"), "never to be fetched");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        server->clearRequests();
        QFile::remove(programFolder.filePath(QStringLiteral("korveld.inf")));
        QFile::remove(serverFolder->filePath(QStringLiteral("updates/korveld.inf")));
        if (c.available)
            publish(QString::fromUtf8(c.available), QStringLiteral("korvel-new"));

        openForm(englishWords(QString::fromUtf8(c.installed))).BitBtn1Click();

        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.messages().first().kind, c.kind);
        EXPECT_EQ(prompter.lastText(), c.text);
        EXPECT_EQ(server->requests(), QStringList{infoRequest});
        EXPECT_EQ(QFile::exists(programFolder.filePath(QStringLiteral("korveld.inf"))), c.infoFileStays);
        EXPECT_EQ(progress(), 0);
        EXPECT_TRUE(label("LabelStatus")->text().isEmpty());
        EXPECT_EQ(readFile(program()), oldProgram);
        EXPECT_FALSE(QFile::exists(backup()));
    }
}

TEST_F(UpdateFlowTest, editorWithoutVersionShiftsTheWordsAndInstallsNothing)
{
    // An editor without a version passes "Not available" as two words: the version reads
    // "Not", the program file "available" and the language word is the editor's file name.
    publish(QStringLiteral("2.4.0.0"), QStringLiteral("korvel-new"));
    serve(QStringLiteral("updates/korvel-new"), "never to be fetched");
    openForm({QStringLiteral("korveld"), QStringLiteral("Not"), QStringLiteral("available"), programName,
              QStringLiteral("1")});
    EXPECT_EQ(form->commandLine().programFile, QStringLiteral("available"));
    EXPECT_EQ(label("LabelOffVersion")->text(), QStringLiteral("Not"));
    EXPECT_EQ(label("Label1")->text(), QStringLiteral("Verbindung:"));

    form->BitBtn1Click();

    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Warning);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Keine Versionsinformationen verfügbar!"));
    EXPECT_EQ(label("LabelOnVersion")->text(), QStringLiteral("2.4.0.0"));
    EXPECT_EQ(server->requests(), QStringList{infoRequest});
    EXPECT_EQ(readFile(program()), oldProgram);
    EXPECT_FALSE(QFile::exists(backup()));
}

TEST_F(UpdateFlowTest, laterVersionIsOfferedWhereTheNumbersSaySo)
{
    const struct {
        const char *installed;
        const char *available;
    } cases[] = {{"2.3.0.1", "2.3.1"}, {"2.9.0.0", "2.10.0.0"}, {"9.0.0.0", "10.0.0"}};
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-new"));
    for (const auto &c : cases) {
        SCOPED_TRACE(c.available);
        prompter.clear();
        publish(QString::fromUtf8(c.available), QStringLiteral("korvel-new"));
        prompter.answer(Answer::No);
        openForm(englishWords(QString::fromUtf8(c.installed))).BitBtn1Click();
        EXPECT_EQ(prompter.texts(), QStringList{laterVersion});
        EXPECT_FALSE(form->isAnimating()) << "No stops the animation";
    }
}

TEST_F(UpdateFlowTest, failedDownloadPutsTheOldProgramBackAndRestartsTheUpdater)
{
    const struct {
        const char *what;
        bool served;
        bool cutShort;
    } cases[] = {{"missing on the server", false, false}, {"cut short", true, true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        QFile::remove(marker(QStringLiteral("restarted")));
        QDir(serverFolder->filePath(QStringLiteral("updates"))).removeRecursively();
        publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
        if (c.served)
            serve(QStringLiteral("updates/korvel-2.3.1"), QByteArray(60000, 'x'));
        if (c.cutShort)
            serve(QStringLiteral("updates/korvel-2.3.1.short"), "");
        prompter.answer(Answer::Yes);
        prompter.answer(Answer::Yes);

        openForm().BitBtn1Click();

        EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated, downloadFailed}));
        EXPECT_EQ(prompter.messages().last().kind, MessageKind::Warning);
        EXPECT_EQ(readFile(program()), oldProgram);
        EXPECT_TRUE(isExecutable(program()));
        EXPECT_EQ(QProcess::execute(program(), {QStringLiteral("0")}), 0) << "the old program does not run";
        EXPECT_FALSE(QFile::exists(backup()));
        EXPECT_EQ(QDir(programFolder.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{programName}));
        EXPECT_EQ(waitForFile(marker(QStringLiteral("restarted"))), QByteArray("started:0\n"));
        EXPECT_TRUE(form->hasEnded());
    }
}

TEST_F(UpdateFlowTest, releaseNamingAFileOutsideItsFolderIsRefused)
{
    const struct {
        const char *fileName;
        const char *mode;
    } cases[] = {
        {"../korvel-evil", ""}, {"sub/korvel", ""}, {"..", "default"}, {"", ""},
        {"korvel-new", "../Setup_2.sh"}, {"korvel-new", "bin/tool"}, {"korvel-new", "/tmp/tool"},
    };
    serve(QStringLiteral("korvel-evil"), "outside the update folder");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.fileName + std::string(" / ") + c.mode);
        prompter.clear();
        server->clearRequests();
        publish(QStringLiteral("2.3.1"), QString::fromUtf8(c.fileName), QString::fromUtf8(c.mode));
        openForm().BitBtn1Click();
        EXPECT_EQ(prompter.texts(), QStringList{noReleaseInfo});
        EXPECT_EQ(server->requests(), QStringList{infoRequest});
        EXPECT_EQ(readFile(program()), oldProgram);
    }
}

TEST_F(UpdateFlowTest, oldBackupIsDeletedRestoredOrStopsTheInstallation)
{
    const QString oldBackupFound = QStringLiteral("Old update backup found? Delete old backup?");
    const QString restore = QStringLiteral("You selected NO! Should Updater restore the old version?");
    const struct {
        const char *what;
        QList<Answer> answers;
        QStringList texts;
        QByteArray programAfter;  // empty: the new program
        QByteArray backupAfter;   // empty: the program that was installed
    } cases[] = {
        {"deleted", {Answer::Yes, Answer::Yes, Answer::Yes, Answer::No},
         {laterVersion, hasToBeTerminated, oldBackupFound, updateComplete}, {}, {}},
        {"restored, then backed up again", {Answer::Yes, Answer::Yes, Answer::No, Answer::Yes, Answer::No},
         {laterVersion, hasToBeTerminated, oldBackupFound, restore, updateComplete}, {}, "previous backup"},
        {"neither", {Answer::Yes, Answer::Yes, Answer::No, Answer::No},
         {laterVersion, hasToBeTerminated, oldBackupFound, restore,
          QStringLiteral("Cannot continue installation. Delete old backups first!")},
         "installed", "previous backup"},
    };
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
    serve(QStringLiteral("updates/korvel-2.3.1"), "new program");
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        ASSERT_TRUE(writeFile(program(), "installed"));
        ASSERT_TRUE(writeFile(backup(), "previous backup"));
        for (const Answer a : c.answers)
            prompter.answer(a);
        openForm().BitBtn1Click();
        EXPECT_EQ(prompter.texts(), c.texts);
        EXPECT_EQ(readFile(program()), c.programAfter.isEmpty() ? QByteArray("new program") : c.programAfter);
        EXPECT_EQ(readFile(backup()), c.backupAfter.isEmpty() ? QByteArray("installed") : c.backupAfter);
        EXPECT_TRUE(prompter.allAnswersUsed());
    }
}

TEST_F(UpdateFlowTest, setupIsDownloadedToTheTemporaryFolderAndStarted)
{
    const struct {
        const char *what;
        bool tempFolderExists;
    } cases[] = {{"temporary folder", true}, {"no temporary folder: data folder", false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        prompter.clear();
        server->clearRequests();
        RunningDummies running(programFolder.path());
        QProcess &editor = running.start(programName);
        ASSERT_TRUE(waitForExecutable(editor.processId(), programName));
        QFile::remove(marker(QStringLiteral("setup")));
        publish(QStringLiteral("2.3.1"), QString(), QStringLiteral("Setup_2.sh"));
        serve(QStringLiteral("download/Setup_2.sh"), markerScript(marker(QStringLiteral("setup"))));
        UpdaterContext changed = context(englishWords());
        if (!c.tempFolderExists)
            changed.tempFolder = tempFolder.filePath(QStringLiteral("missing"));
        const QString folder = c.tempFolderExists ? changed.tempFolder : changed.dataFolder;
        prompter.answer(Answer::Yes);

        openForm({}, &changed).BitBtn1Click();

        EXPECT_EQ(prompter.texts(), QStringList{laterVersion});
        EXPECT_EQ(server->requests(), (QStringList{infoRequest, QStringLiteral("/download/Setup_2.sh")}));
        EXPECT_TRUE(isExecutable(QDir(folder).filePath(QStringLiteral("Setup_2.sh"))));
        EXPECT_EQ(waitForFile(marker(QStringLiteral("setup"))), QByteArray("started:0\n"));
        EXPECT_TRUE(hasFinished(editor)) << "the running program was not ended";
        EXPECT_EQ(readFile(program()), oldProgram);
        EXPECT_TRUE(form->hasEnded());
    }
}

TEST_F(UpdateFlowTest, setupThatCannotBeDownloadedLeavesTheProgramRunning)
{
    RunningDummies running(programFolder.path());
    QProcess &editor = running.start(programName);
    publish(QStringLiteral("2.3.1"), QString(), QStringLiteral("korvel-setup.run"));
    prompter.answer(Answer::Yes);

    openForm().BitBtn1Click();

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, downloadFailed}));
    EXPECT_EQ(waitForFile(marker(QStringLiteral("restarted"))), QByteArray("started:0\n"));
    EXPECT_EQ(editor.state(), QProcess::Running);
    EXPECT_TRUE(form->hasEnded());
}

TEST_F(UpdateFlowTest, otherProgramIsDownloadedBesideTheProgramAndStarted)
{
    RunningDummies running(programFolder.path());
    QProcess &editor = running.start(programName);
    ASSERT_TRUE(waitForExecutable(editor.processId(), programName));
    publish(QStringLiteral("2.3.1"), QString(), QStringLiteral("korvel-migrate.sh"));
    serve(QStringLiteral("updates/korvel-migrate.sh"), markerScript(marker(QStringLiteral("tool"))));
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);

    openForm().BitBtn1Click();

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated}));
    EXPECT_TRUE(hasFinished(editor));
    EXPECT_TRUE(isExecutable(programFolder.filePath(QStringLiteral("korvel-migrate.sh"))));
    EXPECT_EQ(waitForFile(marker(QStringLiteral("tool"))), QByteArray("started:0\n"));
    EXPECT_EQ(readFile(program()), oldProgram);
    EXPECT_TRUE(form->hasEnded());
}

TEST_F(UpdateFlowTest, refusingToEndTheProgramLeavesItRunning)
{
    RunningDummies running(programFolder.path());
    QProcess &editor = running.start(programName);
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
    serve(QStringLiteral("updates/korvel-2.3.1"), "new program");
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::No);

    openForm().BitBtn1Click();

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated}));
    EXPECT_EQ(editor.state(), QProcess::Running);
    EXPECT_EQ(readFile(program()), oldProgram);
    EXPECT_EQ(server->requests(), QStringList{infoRequest});
    EXPECT_FALSE(form->hasEnded());
}

TEST_F(UpdateFlowTest, closingDuringTheDownloadKeepsTheOldProgram)
{
    publish(QStringLiteral("2.3.1"), QStringLiteral("korvel-2.3.1"));
    serve(QStringLiteral("updates/korvel-2.3.1"), QByteArray(60000, 'x'));
    serve(QStringLiteral("updates/korvel-2.3.1.slow"), "");
    prompter.answer(Answer::Yes);
    prompter.answer(Answer::Yes);
    TFormUpdate &window = openForm();
    QTimer::singleShot(300, &window, [&window] { window.close(); });

    window.BitBtn1Click();

    EXPECT_EQ(prompter.texts(), (QStringList{laterVersion, hasToBeTerminated}));
    EXPECT_EQ(readFile(program()), oldProgram);
    EXPECT_FALSE(QFile::exists(backup()));
    EXPECT_FALSE(QFile::exists(marker(QStringLiteral("restarted"))));
}

TEST_F(UpdateFlowTest, serverOnPlainHttpElsewhereIsNotContacted)
{
    UpdaterContext changed = context(englishWords());
    changed.serverRoot = QUrl(QStringLiteral("http://192.0.2.7"));
    openForm({}, &changed).BitBtn1Click();
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(label("LabelStatus")->text(), QStringLiteral("Offline"));
}

TEST_F(UpdateFlowTest, infoWindowShowsTheUpdaterVersion)
{
    const struct {
        const char *version;
        QStringList words;
        const char *shown;
    } cases[] = {
        {"1.0.0.0", englishWords(), "1.0.0.0"},
        {"2.3", englishWords(), "2.3.0.0"},
        {"", englishWords(), "Not available"},
        {"", {}, "Nicht verfügbar"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.shown);
        UpdaterContext changed = context(c.words);
        changed.ownVersion = QString::fromUtf8(c.version);
        QString shown;
        prompter.answerDialog([&shown](QDialog &dialog) {
            shown = dialog.findChild<QLabel *>(QStringLiteral("LabelNummer"))->text();
            return int(QDialog::Accepted);
        });
        openForm({}, &changed).BitBtnInfoClick();
        EXPECT_EQ(shown, QString::fromUtf8(c.shown));
        EXPECT_EQ(prompter.dialogsShown().last(), QStringLiteral("TFormInfo"));
    }
}

TEST_F(UpdateFlowTest, busyAnimationShowsOnePictureAtATime)
{
    openForm();
    const auto visiblePictures = [this] {
        QStringList names;
        for (int i = 1; i <= 6; ++i) {
            const QLabel *picture = label(QStringLiteral("JvImage%1").arg(i).toLatin1().constData());
            if (picture->isVisibleTo(form.get()))
                names << picture->objectName();
        }
        return names;
    };
    EXPECT_EQ(visiblePictures(), QStringList{QStringLiteral("JvImage1")});
    EXPECT_FALSE(form->isAnimating());
    const char *expected[] = {"JvImage1", "JvImage2", "JvImage3", "JvImage4", "JvImage5", "JvImage6", "JvImage1"};
    for (const char *name : expected) {
        form->Timer1Timer();
        EXPECT_EQ(visiblePictures(), QStringList{QString::fromUtf8(name)});
    }
}

} // namespace
