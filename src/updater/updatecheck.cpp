// The check for a later release and the three ways of installing it.
#include "prompt/prompter.h"
#include "updater/processes.h"
#include "updater/releaseinfo.h"
#include "updater/tformupdate.h"
#include "updater/updateaddress.h"
#include "updater/updatermessages.h"
#include "updater/updatenames.h"
#include "updater/versioncompare.h"

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>

namespace korvel {

namespace {

using namespace UpdaterText;

// A downloaded program must be runnable: whoever may read it may also run it.
bool makeExecutable(const QString &path)
{
    QFile::Permissions permissions = QFile::permissions(path) | QFile::ExeOwner;
    if (permissions & QFile::ReadGroup)
        permissions |= QFile::ExeGroup;
    if (permissions & QFile::ReadOther)
        permissions |= QFile::ExeOther;
    return QFile::setPermissions(path, permissions);
}

bool exists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The file a release installs: the new program file, or the program the mode names.
QString installedFileName(const ReleaseInfo &info)
{
    return installModeOf(info.mode) == InstallMode::Replace ? info.fileName : info.mode;
}

} // namespace

QString TFormUpdate::programPath() const
{
    return QDir(m_context.programFolder).filePath(m_commandLine.programFile);
}

QString TFormUpdate::backupPath() const
{
    return QDir(m_context.programFolder).filePath(backupFileName(m_commandLine.programFile));
}

bool TFormUpdate::goOnline() const
{
    if (isAcceptableServerUrl(m_context.serverRoot))
        return true;
    qWarning("korvel-install: refusing the update server %s: it must use HTTPS (plain HTTP only on a"
             " loopback address)",
             qUtf8Printable(m_context.serverRoot.toDisplayString()));
    return false;
}

void TFormUpdate::BitBtn1Click()
{
    if (m_checking || m_ended)
        return;
    // The names become paths in the updater's folder, so a name that could point elsewhere
    // counts as missing.
    if (m_commandLine.productId.isEmpty() || m_commandLine.programFile.isEmpty()
        || m_commandLine.installedVersion.isEmpty() || !isPlainFileName(m_commandLine.programFile)
        || !isPlainFileName(releaseInfoFileName(m_commandLine.productId))) {
        m_prompter.information(text(NoUpdateInformation) + QLatin1Char('!'));
        return;
    }
    const QScopedValueRollback checking(m_checking, true);
    m_closing = false;

    toggleAnimation();
    if (!goOnline())
        return;
    setStatus(text(Connected), Qt::black);
    if (m_progressBar->value() >= m_progressBar->maximum()) {
        setStatus(text(NoOnlineConnection), Qt::red);
        setStatus(QString(), Qt::black);
        m_progressBar->setValue(0);
        m_prompter.error(text(ConnectionFailed) + QLatin1Char('!'));
        return;
    }
    stepProgress();

    if (!fetchAndCompare()) {
        m_progressBar->setValue(0);
        m_labelStatus->clear();
        return;
    }
    switch (installModeOf(m_mode)) {
    case InstallMode::Replace: installReplacingProgram(); break;
    case InstallMode::Setup: installBySetup(); break;
    case InstallMode::Program: installByProgram(); break;
    }
}

bool TFormUpdate::fetchAndCompare()
{
    m_labelActioninfo->setText(text(SearchingUpdateInformation));
    const QString infoName = releaseInfoFileName(m_commandLine.productId);
    const QString infoPath = QDir(m_context.programFolder).filePath(infoName);
    DownloadResult result = DownloadResult::Failed;
    if (!download(serverFileUrl(m_context.serverRoot, ServerFolder::Updates, infoName), infoPath,
                  false, result)) {
        if (result != DownloadResult::Aborted)
            m_prompter.information(text(NoUpdateAvailable));
        return false;
    }
    stepProgress();
    m_labelActioninfo->setText(text(CheckingReleaseInfo));

    QFile file(infoPath);
    const ReleaseInfo info = parseReleaseInfo(file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray());
    file.close();
    m_labelOnVersion->setText(info.version);
    m_downloadAddress = serverFileUrl(m_context.serverRoot, ServerFolder::Updates, info.fileName);
    m_labelWhatsNew->setText(newsFor(info, m_commandLine.language));
    m_mode = info.mode;

    // Release information that names a file outside its folder is as unusable as a blank one.
    const VersionVerdict verdict = compareVersions(m_commandLine.installedVersion, info.version);
    if (verdict == VersionVerdict::Unreadable || !isPlainFileName(installedFileName(info))) {
        m_prompter.warning(text(NoReleaseInfo));
        m_labelActioninfo->clear();
        return false;
    }
    stepProgress();
    const bool newer = verdict == VersionVerdict::Newer;
    if (!newer)
        m_prompter.error(text(UpToDate));
    QFile::remove(infoPath);
    stepProgress();
    return newer;
}

bool TFormUpdate::confirmAndEndProgram()
{
    if (m_prompter.message(MessageKind::Information, text(LaterVersionAvailable), Buttons::YesNo) != Answer::Yes) {
        stopAnimation();
        return false;
    }
    stepProgress();
    if (m_prompter.message(MessageKind::Confirmation, m_commandLine.productId + text(HasToBeTerminated),
                           Buttons::YesNo) != Answer::Yes)
        return false;
    stepProgress();
    endRunningProgram();
    stepProgress();
    return true;
}

void TFormUpdate::installReplacingProgram()
{
    if (!confirmAndEndProgram())
        return;

    const QString program = programPath();
    const QString backup = backupPath();
    if (exists(backup)) {
        if (m_prompter.message(MessageKind::Confirmation, text(OldBackupFound), Buttons::YesNo) == Answer::Yes) {
            QFile::remove(backup);
        } else if (m_prompter.message(MessageKind::Confirmation, text(RestoreOldVersion), Buttons::YesNo)
                   != Answer::Yes) {
            m_prompter.error(text(DeleteOldBackupsFirst));
            return;
        } else {
            QFile::remove(program);
            QFile::rename(backup, program);
        }
    }
    // The program may be absent; the backup is then simply not made.
    const bool movedAway = QFile::rename(program, backup);
    m_labelActioninfo->setText(text(LoadingUpdate));
    stepProgress();

    const auto putOldFileBack = [&] {
        if (movedAway) {
            QFile::remove(program);
            QFile::rename(backup, program);
        }
    };
    DownloadResult result = DownloadResult::Failed;
    if (!download(m_downloadAddress, program, true, result)) {
        putOldFileBack();
        if (result == DownloadResult::Aborted)
            return;
        m_prompter.warning(text(DownloadFailed));
        restartSelfAndEnd();
        return;
    }
    if (!exists(program)) {
        putOldFileBack();
        m_prompter.information(text(CannotRestart));
        return;
    }
    m_progressBar->setValue(m_progressBar->maximum());
    if (m_prompter.message(MessageKind::Information, text(UpdateComplete), Buttons::YesNo) != Answer::Yes)
        return;
    if (startProgramAsOwner(program)) {
        QFile::remove(backup);
        endUpdater();
    } else {
        m_prompter.information(text(CannotRestart) + program);
    }
}

void TFormUpdate::installBySetup()
{
    if (m_prompter.message(MessageKind::Information, text(LaterVersionAvailable), Buttons::YesNo) != Answer::Yes) {
        stopAnimation();
        return;
    }
    const QString setupName = m_mode.trimmed();
    QString folder = m_context.tempFolder;
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = m_context.dataFolder;
        QDir().mkpath(folder);
    }
    const QString setupPath = QDir(folder).filePath(setupName);
    DownloadResult result = DownloadResult::Failed;
    if (!download(serverFileUrl(m_context.serverRoot, ServerFolder::Download, setupName), setupPath, true,
                  result)) {
        if (result == DownloadResult::Aborted)
            return;
        m_prompter.warning(text(DownloadFailed));
        restartSelfAndEnd();
        return;
    }
    stepProgress();
    endRunningProgram();
    stepProgress();
    if (startProgram(setupPath))
        endUpdater();
    else
        m_prompter.information(text(CannotRestart) + setupPath);
}

void TFormUpdate::installByProgram()
{
    if (!confirmAndEndProgram())
        return;
    const QString name = m_mode.trimmed();
    const QString path = QDir(m_context.programFolder).filePath(name);
    DownloadResult result = DownloadResult::Failed;
    if (!download(serverFileUrl(m_context.serverRoot, ServerFolder::Updates, name), path, true, result)) {
        if (result == DownloadResult::Aborted)
            return;
        m_prompter.warning(text(DownloadFailed));
        restartSelfAndEnd();
        return;
    }
    if (startProgram(path))
        endUpdater();
    else
        m_prompter.information(text(CannotRestart) + path);
}

void TFormUpdate::endRunningProgram()
{
    m_labelActioninfo->setText(m_commandLine.productId + QLatin1Char(' ') + text(WillBeTerminated)
                               + QLatin1Char('!'));
    endProcesses(programProcesses(m_commandLine.programFile, processOwner()));
}

bool TFormUpdate::download(const QUrl &url, const QString &path, bool executable, DownloadResult &result)
{
    result = m_closing ? DownloadResult::Aborted : m_downloader->fetch(url, path);
    if (result == DownloadResult::Complete && executable && !makeExecutable(path)) {
        // A program nobody can run is no update.
        QFile::remove(path);
        result = DownloadResult::Failed;
    }
    return result == DownloadResult::Complete;
}

void TFormUpdate::restartSelfAndEnd()
{
    startProgram(m_context.selfPath);
    endUpdater();
}

void TFormUpdate::endUpdater()
{
    m_ended = true;
    close();
}

} // namespace korvel
