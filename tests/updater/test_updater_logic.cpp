// The updater's pure functions: command line, release information, versions, names, addresses
// and the message table.
#include "updater/commandline.h"
#include "updater/processes.h"
#include "updater/releaseinfo.h"
#include "updater/updateaddress.h"
#include "updater/updatermessages.h"
#include "updater/updatenames.h"
#include "updater/updatercontext.h"
#include "updater/versioncompare.h"

#include <QCoreApplication>
#include <QDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace korvel;

namespace {

TEST(UpdaterMessages, numberOneSelectsEnglishEveryOtherNumberGerman)
{
    EXPECT_EQ(updaterMessage(1, UpdaterText::UpToDate),
              QStringLiteral("No later version online available. Your version is up to date!"));
    for (const int language : {0, -1, 2, 42}) {
        SCOPED_TRACE(language);
        EXPECT_EQ(updaterMessage(language, UpdaterText::UpToDate),
                  QStringLiteral("Keine neuere Version verfügbar. Ihre Version ist aktuell."));
    }
}

TEST(UpdaterMessages, tableHasTwentyThreeLinesInBothLanguages)
{
    for (const int language : {0, 1}) {
        for (int line = 0; line < UpdaterText::LineCount; ++line)
            EXPECT_FALSE(updaterMessage(language, line).isEmpty()) << language << " " << line;
        EXPECT_TRUE(updaterMessage(language, -1).isEmpty());
        EXPECT_TRUE(updaterMessage(language, UpdaterText::LineCount).isEmpty());
    }
    EXPECT_EQ(updaterMessage(1, UpdaterText::NotAvailable), QStringLiteral("Not available"));
    EXPECT_EQ(updaterMessage(0, UpdaterText::NotAvailable), QStringLiteral("Nicht verfügbar"));
    EXPECT_EQ(updaterMessage(1, UpdaterText::LoadingUpdate), QStringLiteral("Loading update... Pleas wait."));
    EXPECT_EQ(updaterMessage(0, UpdaterText::AvailableVersionCaption), QStringLiteral("Verfügbare Version:"));
    // Line 6 follows the product identifier directly, so it starts with its own blank.
    EXPECT_EQ(updaterMessage(1, UpdaterText::HasToBeTerminated),
              QStringLiteral(" has to be terminated. Should Updater shut down the application and continue "
                             "installation?"));
    EXPECT_EQ(updaterMessage(0, UpdaterText::CannotRestart),
              QStringLiteral("Kann die Anwendung nicht automatisch starten. Starten Sie manuell: "));
}

TEST(UpdaterMessages, windowCaptionsFollowTheLanguage)
{
    const UpdaterCaptions english = updaterCaptions(1);
    EXPECT_EQ(english.checkButton, QStringLiteral("Check for updates"));
    EXPECT_EQ(english.exitButton, QStringLiteral("Exit"));
    EXPECT_EQ(english.whatsNew, QStringLiteral("Whats new"));
    const UpdaterCaptions german = updaterCaptions(0);
    EXPECT_EQ(german.checkButton, QStringLiteral("Nach Updates suchen"));
    EXPECT_EQ(german.exitButton, QStringLiteral("Ende"));
    EXPECT_EQ(german.whatsNew, QStringLiteral("Was ist neu"));
}

TEST(UpdateCommandLine, wordsAreReadByPosition)
{
    const UpdateCommandLine line = parseUpdateCommandLine(
        {QStringLiteral("korveld"), QStringLiteral("2.3.0.1"), QStringLiteral("korvel"), QStringLiteral("1"),
         QStringLiteral("ignored")});
    EXPECT_EQ(line.productId, QStringLiteral("korveld"));
    EXPECT_EQ(line.installedVersion, QStringLiteral("2.3.0.1"));
    EXPECT_EQ(line.programFile, QStringLiteral("korvel"));
    EXPECT_EQ(line.language, 1);

    const UpdateCommandLine empty = parseUpdateCommandLine({});
    EXPECT_TRUE(empty.productId.isEmpty());
    EXPECT_TRUE(empty.installedVersion.isEmpty());
    EXPECT_TRUE(empty.programFile.isEmpty());
    EXPECT_EQ(empty.language, 0);
}

TEST(UpdateCommandLine, languageWordThatIsNoIntegerMeansGerman)
{
    const struct {
        const char *word;
        int language;
    } cases[] = {{"1", 1}, {"0", 0}, {"-1", -1}, {"2", 2}, {"", 0}, {" ", 0}, {"en", 0}, {"1.5", 0}};
    for (const auto &c : cases) {
        const UpdateCommandLine line = parseUpdateCommandLine(
            {QStringLiteral("korveld"), QStringLiteral("1.0"), QStringLiteral("korvel"), QString::fromUtf8(c.word)});
        EXPECT_EQ(line.language, c.language) << "'" << c.word << "'";
    }
}

TEST(ReleaseInfoFile, fiveTrimmedLinesInAnyLineBreakStyle)
{
    for (const QByteArray &bytes :
         {QByteArray("  2.3.1 \r\nkorvel-2.3.1\r\n Neu: Tabellen\r\nNew: tables  \r\nSetup_2.exe\r\n"),
          QByteArray("2.3.1\nkorvel-2.3.1\nNeu: Tabellen\nNew: tables\nSetup_2.exe"),
          QByteArray("2.3.1\rkorvel-2.3.1\rNeu: Tabellen\rNew: tables\rSetup_2.exe\r")}) {
        const ReleaseInfo info = parseReleaseInfo(bytes);
        EXPECT_EQ(info.version, QStringLiteral("2.3.1"));
        EXPECT_EQ(info.fileName, QStringLiteral("korvel-2.3.1"));
        EXPECT_EQ(info.newsGerman, QStringLiteral("Neu: Tabellen"));
        EXPECT_EQ(info.newsEnglish, QStringLiteral("New: tables"));
        EXPECT_EQ(info.mode, QStringLiteral("Setup_2.exe"));
    }
}

TEST(ReleaseInfoFile, missingLinesReadAsEmpty)
{
    const ReleaseInfo info = parseReleaseInfo("2.3.1\nkorvel");
    EXPECT_EQ(info.fileName, QStringLiteral("korvel"));
    EXPECT_TRUE(info.newsGerman.isEmpty());
    EXPECT_TRUE(info.newsEnglish.isEmpty());
    EXPECT_TRUE(info.mode.isEmpty());
    EXPECT_TRUE(parseReleaseInfo(QByteArray()).version.isEmpty());
}

TEST(ReleaseInfoFile, newsIsUtf8OrWindows1252)
{
    EXPECT_EQ(parseReleaseInfo("1\nf\nGr\xc3\xbc\xc3\x9f" "e\n").newsGerman, QStringLiteral("Grüße"));
    EXPECT_EQ(parseReleaseInfo("\xef\xbb\xbf" "1.0\nf\nx\n").version, QStringLiteral("1.0"));
    EXPECT_EQ(parseReleaseInfo("1\nf\nGr\xfc\xdf" "e\n").newsGerman, QStringLiteral("Grüße"));
}

TEST(ReleaseInfoFile, anyLanguageButZeroGetsTheEnglishNews)
{
    const ReleaseInfo info = parseReleaseInfo("1\nf\ndeutsch\nenglish\n");
    EXPECT_EQ(newsFor(info, 0), QStringLiteral("deutsch"));
    EXPECT_EQ(newsFor(info, 1), QStringLiteral("english"));
    EXPECT_EQ(newsFor(info, -1), QStringLiteral("english"));
    EXPECT_EQ(newsFor(info, 2), QStringLiteral("english"));
}

TEST(ReleaseInfoFile, installModeFromTheFifthLine)
{
    const struct {
        const char *mode;
        InstallMode expected;
    } cases[] = {
        {"", InstallMode::Replace},          {"default", InstallMode::Replace},
        {"  default ", InstallMode::Replace}, {"Default", InstallMode::Program},
        {"Setup_2.exe", InstallMode::Setup},  {"korvel-SETUP.run", InstallMode::Setup},
        {"mysetup", InstallMode::Setup},      {"tool.run", InstallMode::Program},
    };
    for (const auto &c : cases)
        EXPECT_EQ(installModeOf(QString::fromUtf8(c.mode)), c.expected) << c.mode;
}

TEST(VersionComparison, numberByNumber)
{
    const struct {
        const char *installed;
        const char *available;
        VersionVerdict expected;
    } cases[] = {
        {"2.3.0.1", "2.3.1", VersionVerdict::Newer},
        {"2.3.0.1", "2.3.0.1", VersionVerdict::NotNewer},
        // Joining the digits would call 2.9.0.0 newer than 2.10.0.0.
        {"2.10.0.0", "2.9.0.0", VersionVerdict::NotNewer},
        {"2.9.0.0", "2.10.0.0", VersionVerdict::Newer},
        {"2.3", "2.2.5", VersionVerdict::NotNewer},
        {"9.0.0.0", "10.0.0", VersionVerdict::Newer},
        {"2.3.1", "2.3.0.5", VersionVerdict::NotNewer},
        {"1.0.0.0", "1.0.0.0.1", VersionVerdict::Newer},
        {"1.0", "1.0.0.0", VersionVerdict::NotNewer},
        {"1.02", "1.2", VersionVerdict::NotNewer},
        {"1.2", "1.02.1", VersionVerdict::Newer},
        {"2..3", "2.3", VersionVerdict::NotNewer},
        {"3.0.0.0", "2.99.99.99", VersionVerdict::NotNewer},
        // Numbers beyond any integer type still compare by value.
        {"2024.1.99999999999999999999", "2024.1.100000000000000000000", VersionVerdict::Newer},
        {"2024.1.100000000000000000000", "2024.1.99999999999999999999", VersionVerdict::NotNewer},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(compareVersions(QString::fromUtf8(c.installed), QString::fromUtf8(c.available)), c.expected)
            << c.installed << " against " << c.available;
    }
}

TEST(VersionComparison, blankOrNonNumericVersionsAreUnreadable)
{
    const struct {
        const char *installed;
        const char *available;
    } cases[] = {
        {"", "2.3.1"}, {"2.3.1", ""}, {"...", "2.3.1"}, {"2.3.1", " . "},
        {"2.3.1", "2.3.2 beta"}, {"Not available", "2.3.1"}, {"2.3.1", "v2.4"}, {"2.3.1", "-2.4"},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(compareVersions(QString::fromUtf8(c.installed), QString::fromUtf8(c.available)),
                  VersionVerdict::Unreadable)
            << "'" << c.installed << "' against '" << c.available << "'";
    }
}

TEST(UpdateNames, onlyPlainFileNamesPass)
{
    for (const char *good : {"korvel", "korvel-2.3.1", "Setup_2.exe", "name with blanks", "..hidden", "a..b"})
        EXPECT_TRUE(isPlainFileName(QString::fromUtf8(good))) << good;
    for (const char *bad : {"", ".", "..", "../korvel", "sub/korvel", "/usr/bin/korvel", "korvel/",
                            "..\\korvel", "C:\\korvel.exe"})
        EXPECT_FALSE(isPlainFileName(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(isPlainFileName(QStringLiteral("korvel") + QChar(u'\0') + QStringLiteral("x")));
}

TEST(UpdateNames, releaseInfoAndBackupNames)
{
    EXPECT_EQ(releaseInfoFileName(QStringLiteral("korveld")), QStringLiteral("korveld.inf"));
    EXPECT_EQ(backupFileName(QStringLiteral("korvel")), QStringLiteral("Oldkorvel"));
    EXPECT_EQ(backupFileName(QStringLiteral("P.exe")), QStringLiteral("OldP.exe"));
}

TEST(UpdateNames, ownVersionAsFourNumbers)
{
    const struct {
        const char *version;
        const char *expected;
    } cases[] = {
        {"1.0.0.0", "1.0.0.0"}, {"2.3", "2.3.0.0"}, {"2", "2.0.0.0"}, {"02.3.0.1", "2.3.0.1"},
        {"", ""}, {"1.2.3.4.5", ""}, {"1.x", ""}, {"1..2", ""}, {"-1.0", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(fourPartVersion(QString::fromUtf8(c.version)), QString::fromUtf8(c.expected)) << c.version;
}

TEST(UpdateAddress, filesLieUnderTheUpdateAndDownloadFolders)
{
    const struct {
        const char *root;
        ServerFolder folder;
        const char *name;
        const char *expected;
    } cases[] = {
        {"https://updates.example.org", ServerFolder::Updates, "korveld.inf",
         "https://updates.example.org/updates/korveld.inf"},
        {"https://updates.example.org/", ServerFolder::Download, "Setup_2.exe",
         "https://updates.example.org/download/Setup_2.exe"},
        {"https://example.org/mirror/korvel/", ServerFolder::Updates, "korvel",
         "https://example.org/mirror/korvel/updates/korvel"},
        {"http://127.0.0.1:8123?x=1", ServerFolder::Updates, "a b#c?d",
         "http://127.0.0.1:8123/updates/a%20b%23c%3Fd"},
    };
    for (const auto &c : cases) {
        const QUrl url = serverFileUrl(QUrl(QString::fromUtf8(c.root)), c.folder, QString::fromUtf8(c.name));
        EXPECT_EQ(url.toString(QUrl::FullyEncoded), QString::fromUtf8(c.expected)) << c.root << " " << c.name;
    }
}

TEST(UpdateAddress, plainHttpOnlyForLoopbackAddresses)
{
    const struct {
        const char *url;
        bool acceptable;
    } cases[] = {
        {"https://updates.example.org/", true}, {"https://127.0.0.1:9443", true},
        {"http://127.0.0.1:8000", true},         {"http://127.8.9.10/", true},
        {"http://[::1]:8000/", true},            {"http://updates.example.org/", false},
        {"http://192.168.1.5/", false},          {"http://[::ffff:10.0.0.1]/", false},
        {"ftp://127.0.0.1/", false},             {"file:///tmp/updates", false},
        {"", false},                             {"https://", false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(isAcceptableServerUrl(QUrl(QString::fromUtf8(c.url))), c.acceptable) << c.url;
}

TEST(UpdateAddress, environmentReplacesTheBuiltInServer)
{
    const QByteArray saved = qgetenv("KORVEL_UPDATE_URL");
    qunsetenv("KORVEL_UPDATE_URL");
    const QUrl builtIn = updateServerRoot();
    EXPECT_TRUE(isAcceptableServerUrl(builtIn)) << builtIn.toString().toStdString();
    EXPECT_EQ(builtIn.scheme(), QStringLiteral("https"));

    qputenv("KORVEL_UPDATE_URL", "http://127.0.0.1:8765/mirror");
    EXPECT_EQ(updateServerRoot(), QUrl(QStringLiteral("http://127.0.0.1:8765/mirror")));
    if (saved.isNull())
        qunsetenv("KORVEL_UPDATE_URL");
    else
        qputenv("KORVEL_UPDATE_URL", saved);
}

TEST(UpdaterContext, runningProgramSuppliesItsFoldersVersionAndServer)
{
    const QByteArray saved = qgetenv("KORVEL_UPDATE_URL");
    qputenv("KORVEL_UPDATE_URL", "http://127.0.0.1:8765");
    const UpdaterContext context = runningUpdaterContext();
    EXPECT_EQ(context.arguments, QCoreApplication::arguments().mid(1));
    EXPECT_EQ(context.programFolder, QCoreApplication::applicationDirPath());
    EXPECT_EQ(context.selfPath, QCoreApplication::applicationFilePath());
    EXPECT_EQ(context.tempFolder, QDir::tempPath());
    EXPECT_EQ(context.dataFolder, qEnvironmentVariable("KORVEL_DATA_DIR"));
    EXPECT_EQ(context.serverRoot, QUrl(QStringLiteral("http://127.0.0.1:8765")));
    EXPECT_FALSE(fourPartVersion(context.ownVersion).isEmpty()) << context.ownVersion.toStdString();
    if (saved.isNull())
        qunsetenv("KORVEL_UPDATE_URL");
    else
        qputenv("KORVEL_UPDATE_URL", saved);
}

TEST(RunningPrograms, executableMatchesByFileNameIgnoringCase)
{
    const struct {
        const char *executable;
        const char *program;
        bool matches;
    } cases[] = {
        {"/opt/korvel/bin/korvel", "korvel", true},
        {"/opt/korvel/bin/Korvel", "KORVEL", true},
        {"/opt/korvel/bin/korvel-install", "korvel", false},
        {"/opt/korvel/bin/korvel", "korvel-install", false},
        {"korvel", "korvel", true},
        {"", "korvel", false},
        {"/opt/korvel/bin/korvel", "", false},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(isProgramExecutable(QString::fromUtf8(c.executable), QString::fromUtf8(c.program)), c.matches)
            << c.executable << " " << c.program;
    }
}

} // namespace
