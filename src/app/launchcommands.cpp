#include "app/launchcommands.h"

#include "app/aboutbox.h"
#include "app/launcher.h"
#include "app/catalogue.h"
#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/editordocument.h"
#include "app/mainstate.h"
#include "generators/formtext.h"
#include "help/helpviewer.h"
#include "prompt/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QProcessEnvironment>

namespace korvel {

namespace {

bool isUnnamed(const QString &fileName)
{
    return fileName.isEmpty() || fileName.toLower() == QStringLiteral("untitled");
}

} // namespace

LaunchCommands::LaunchCommands(CommandContext &context)
    : QObject(context.window())
    , m_ctx(context)
    , m_launcher(std::make_unique<DesktopLauncher>())
{
    setObjectName(QStringLiteral("LaunchCommands"));
    m_textWindow = new TFormText(context.prompter(), context.window());
    m_textWindow->setHelpHandler([this](int context) { ShowHelp(context); });
    m_helpViewer = new HelpViewer(context.window());
}

LaunchCommands::~LaunchCommands() = default;

void LaunchCommands::connectActions()
{
    m_ctx.helpRoute() = [this](int context) { ShowHelp(context); };
    CommandRegistry &commands = m_ctx.commands();
    commands.add(cmd::ExternalBrowser, {QStringLiteral("ToolButtonBrowser")}).handle([this] { ShowInExternalBrowser(); });
    commands.add(cmd::Ftp, {QStringLiteral("FTP1")}).handle([this] { OpenFtp(); });
    commands.add(cmd::FindUpdate, {QStringLiteral("NachUpdatesuchen1")}).handle([this] { FindUpdateOnline(); });
    commands.add(cmd::About, {QStringLiteral("HelpAboutItem"), QStringLiteral("ToolButtonInfo")})
        .handle([this] { ShowAbout(); });
    commands.add(cmd::TextWindow, {QStringLiteral("Startsimpletexteditor1"), QStringLiteral("ButtonNewWindow")})
        .handle([this] { StartSimpleTextEditor(); });
    commands.add(cmd::HelpContents, {QStringLiteral("Help1"), QStringLiteral("ToolButtonHelp")})
        .handle([this] { HelpContents(); });
}

void LaunchCommands::setLauncher(std::unique_ptr<Launcher> launcher)
{
    m_launcher = std::move(launcher);
}

QString LaunchCommands::updaterPath() const
{
    const QString folder = m_programFolder.isEmpty() ? m_ctx.programFolder() : m_programFolder;
    return QDir(folder).filePath(QStringLiteral("korvel-install"));
}

void LaunchCommands::ShowInExternalBrowser()
{
    const QString fileName = m_ctx.document().FileName;
    if (isUnnamed(fileName)) {
        m_ctx.prompter().error(m_ctx.line(Msg::NoPageLoaded));
        return;
    }
    const QString browser = m_ctx.settings().ExternalBrowser;
    if (!browser.isEmpty())
        m_launcher->startProgram(browser, {documentAddress(fileName)});
    else
        m_launcher->openUrl(documentAddress(fileName));
}

void LaunchCommands::OpenFtp()
{
    const MainSettings &s = m_ctx.settings();
    m_launcher->openUrl(ftpAddress(s.FtpUser, s.FtpPassword, s.FtpServer, s.FtpLoginMode));
}

void LaunchCommands::FindUpdateOnline()
{
    const QString updater = updaterPath();
    const QFileInfo info(updater);
    if (!info.isFile()) {
        m_ctx.prompter().error(m_ctx.line(Msg::UpdateFailed));
        return;
    }
    const QStringList words = updaterArguments(
        ProgramVersion, QFileInfo(QCoreApplication::applicationFilePath()).fileName(), m_ctx.state().UiLanguage);
    // The updater replaces the editor's program file; when the folder is not ours to write,
    // it runs with administrator rights, which the system confirms with the user.
    bool started = false;
    if (QFileInfo(info.absolutePath()).isWritable()) {
        started = m_launcher->startProgram(updater, words);
    } else {
        const QStringList command = elevatedCommand(updater, words, QProcessEnvironment::systemEnvironment());
        started = m_launcher->startProgram(command.first(), command.mid(1));
    }
    if (!started)
        m_ctx.prompter().error(m_ctx.line(Msg::UpdateFailed));
}

void LaunchCommands::ShowAbout()
{
    TAboutBox box(m_ctx.window());
    box.LabelVersion->setText(ProgramVersion);
    box.UiLanguage = m_ctx.state().UiLanguage;
    box.setHelpHandler([this](int context) { ShowHelp(context); });
    box.setUrlOpener([this](const QString &address) { m_launcher->openUrl(address); });
    box.FormShow();
    m_ctx.prompter().execDialog(box);
}

void LaunchCommands::StartSimpleTextEditor()
{
    m_textWindow->UiLanguage = m_ctx.state().UiLanguage;
    m_textWindow->show();
    m_textWindow->raise();
}

void LaunchCommands::HelpContents()
{
    ShowHelp(m_ctx.onPage(Page::Source) ? 0 : 70);
}

void LaunchCommands::ShowHelp(int context)
{
    m_helpViewer->showContext(context, m_ctx.state().UiLanguage);
}

} // namespace korvel
