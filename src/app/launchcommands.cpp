#include "app/launchcommands.h"

#include "app/aboutbox.h"
#include "app/launcher.h"
#include "app/mainform.h"
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

LaunchCommands::LaunchCommands(TMainForm &form)
    : QObject(&form)
    , m_form(form)
    , m_launcher(std::make_unique<DesktopLauncher>())
{
    setObjectName(QStringLiteral("LaunchCommands"));
    m_textWindow = new TFormText(form.prompter(), &form);
    m_textWindow->setHelpHandler([this](int context) { ShowHelp(context); });
    m_helpViewer = new HelpViewer(&form);
}

LaunchCommands::~LaunchCommands() = default;

void LaunchCommands::connectActions()
{
    m_form.helpHandler = [this](int context) { ShowHelp(context); };
    m_form.bind({QStringLiteral("ToolButtonBrowser")}, [this] { ShowInExternalBrowser(); });
    m_form.bind({QStringLiteral("FTP1")}, [this] { OpenFtp(); });
    m_form.bind({QStringLiteral("NachUpdatesuchen1")}, [this] { FindUpdateOnline(); });
    m_form.bind({QStringLiteral("HelpAboutItem"), QStringLiteral("ToolButtonInfo")}, [this] { ShowAbout(); });
    m_form.bind({QStringLiteral("Startsimpletexteditor1"), QStringLiteral("ButtonNewWindow")},
                [this] { StartSimpleTextEditor(); });
    m_form.bind({QStringLiteral("Help1"), QStringLiteral("ToolButtonHelp")}, [this] { HelpContents(); });
}

void LaunchCommands::setLauncher(std::unique_ptr<Launcher> launcher)
{
    m_launcher = std::move(launcher);
}

QString LaunchCommands::updaterPath() const
{
    const QString folder = m_programFolder.isEmpty() ? m_form.programFolder() : m_programFolder;
    return QDir(folder).filePath(QStringLiteral("korvel-install"));
}

void LaunchCommands::ShowInExternalBrowser()
{
    const QString fileName = m_form.document().FileName;
    if (isUnnamed(fileName)) {
        m_form.prompter().error(m_form.line(20));
        return;
    }
    const QString browser = m_form.settings().ExternalBrowser;
    if (!browser.isEmpty())
        m_launcher->startProgram(browser, {documentAddress(fileName)});
    else
        m_launcher->openUrl(documentAddress(fileName));
}

void LaunchCommands::OpenFtp()
{
    const MainSettings &s = m_form.settings();
    m_launcher->openUrl(ftpAddress(s.FtpUser, s.FtpPassword, s.FtpServer, s.FtpLoginMode));
}

void LaunchCommands::FindUpdateOnline()
{
    const QString updater = updaterPath();
    const QFileInfo info(updater);
    if (!info.isFile()) {
        m_form.prompter().error(m_form.line(55));
        return;
    }
    const QStringList words = updaterArguments(
        ProgramVersion, QFileInfo(QCoreApplication::applicationFilePath()).fileName(), m_form.UiLanguage);
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
        m_form.prompter().error(m_form.line(55));
}

void LaunchCommands::ShowAbout()
{
    TAboutBox box(&m_form);
    box.LabelVersion->setText(ProgramVersion);
    box.UiLanguage = m_form.UiLanguage;
    box.setHelpHandler([this](int context) { ShowHelp(context); });
    box.setUrlOpener([this](const QString &address) { m_launcher->openUrl(address); });
    box.FormShow();
    m_form.prompter().execDialog(box);
}

void LaunchCommands::StartSimpleTextEditor()
{
    m_textWindow->UiLanguage = m_form.UiLanguage;
    m_textWindow->show();
    m_textWindow->raise();
}

void LaunchCommands::HelpContents()
{
    ShowHelp(m_form.activePage() == 0 ? 0 : 70);
}

void LaunchCommands::ShowHelp(int context)
{
    m_helpViewer->showContext(context, m_form.UiLanguage);
}

} // namespace korvel
