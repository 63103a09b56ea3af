#pragma once

#include "app/launcher.h"

#include <QObject>
#include <QString>
#include <memory>

namespace korvel {

class HelpViewer;
class TFormText;
class CommandContext;

// Everything the editor hands to other programs or windows: the external browser, the FTP
// site, the updater, the about box, the simple text window and the help window. It lives as
// a child of the main window.
class LaunchCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LaunchCommands)

public:
    explicit LaunchCommands(CommandContext &context);
    ~LaunchCommands() override;

    // Binds the commands and makes the help window the main window's help viewer.
    void connectActions();

    // Replaces the launcher (tests record what would be started).
    void setLauncher(std::unique_ptr<Launcher> launcher);
    Launcher &launcher() { return *m_launcher; }
    // The folder searched for the updater; the program's own folder unless set.
    void setProgramFolder(const QString &folder) { m_programFolder = folder; }
    QString updaterPath() const;

    // "Not available" or the four numbers of the build.
    QString ProgramVersion = programVersionText(QStringLiteral(KORVEL_VERSION));

    TFormText &textWindow() { return *m_textWindow; }
    HelpViewer &helpViewer() { return *m_helpViewer; }

    // Commands
    void ShowInExternalBrowser();
    void OpenFtp();
    void FindUpdateOnline();
    void ShowAbout();
    void StartSimpleTextEditor();
    void HelpContents();
    void ShowHelp(int context);

private:
    CommandContext &m_ctx;
    std::unique_ptr<Launcher> m_launcher;
    QString m_programFolder;
    TFormText *m_textWindow = nullptr;
    HelpViewer *m_helpViewer = nullptr;
};

} // namespace korvel
