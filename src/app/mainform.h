#pragma once

#include "app/catalogue.h"
#include "app/commandcontext.h"
#include "app/editordocument.h"
#include "app/mainstate.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class QToolBar;
class QComboBox;
class QLineEdit;
class QTranslator;

namespace korvel {

class CommandRegistry;
class Prompter;
class SynMemo;
class FileCommands;
class SettingsCommands;
class RecentFiles;

// The main window: menus, tool bars, the two pages, the status bar, and the start-up and
// close sequences. Commands live in controllers, which see the window as their CommandContext;
// this class holds the shared state and builds the items the command registry connects.
class TMainForm final : public QMainWindow, public CommandContext {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

    ShellState m_state;

public:
    explicit TMainForm(Prompter &prompter, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The command-line arguments after the program name; read by the start-up sequence.
    void setCommandLine(const QStringList &arguments) { m_arguments = arguments; }
    // Overrides the engine's version text for the start-up check (tests).
    void setEngineVersionText(const QString &text) { m_engineVersionText = text; }

    // Shared state (the command context)
    Prompter &prompter() override { return m_prompter; }
    const MessageCatalogue &catalogue() const override { return m_catalogue; }
    QString line(int number) const override { return m_catalogue.line(number); }
    EditorDocument &document() override { return m_document; }
    SynMemo *editor() const override { return m_editor; }
    CommandRegistry &commands() override { return *m_commands; }
    ShellState &state() override { return m_state; }
    MainSettings &settings() override { return m_settings; }
    QString dataFolder() const override { return m_dataFolder; }
    QString programFolder() const override;
    int activePage() const override;
    void setActivePage(int page) override;
    QWidget *window() override { return this; }
    FileCommands &fileCommands() override { return *m_fileCommands; }
    QTabWidget *pageControl() const { return m_pages; }

    // The shell state under the names the commands know.
    int &UiLanguage = m_state.UiLanguage;
    int &EngineMajorVersion = m_state.EngineMajorVersion;
    bool &DesignModeAvailable = m_state.DesignModeAvailable;
    bool &DesignModeWasOn = m_state.DesignModeWasOn;
    bool &closeAsked = m_state.closeAsked;

    // Main-window operations other commands use
    void SetFileName(const QString &name) override;
    void StatusUpdate() override;
    void setStatusPanelText(int index, const QString &text) override;
    QString statusPanelText(int index) const override;
    void ApplyLanguage() override;
    void ChooseLanguage() override;
    void ReadSettings();
    void WriteLanguage();
    void SelectFontByName(const QString &name);
    void showHelpContext(int context) override;
    std::function<void(int)> &helpRoute() override { return helpHandler; }
    // Shows the help page of a context number; set by the help viewer.
    std::function<void(int)> helpHandler;
    bool closeWindow() override { return close(); }

    SettingsCommands &settingsCommands() { return *m_settingsCommands; }
    RecentFiles &recentFiles() { return *m_recent; }

    // Looks up a menu item or tool button by its name.
    QAction *action(const QString &name) const;
    QLabel *statusPanel(int index) const;

    // From this many characters on, a long command shows its busy bar at once.
    static constexpr qsizetype kLargePageLength = 4'000'000;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    // Start-up and closing, public so tests can run them on a window that is not shown.
    void FormCreate();
    void FormShow();
    bool FormCloseQuery();
    void FormClose();
    void FilesDropped(const QStringList &paths);

private:
    void buildActions();
    void buildMenus();
    void buildToolBars();
    void buildPages();
    void buildStatusBar();
    // The commands that can take long on a large page run under a busy indicator.
    void markLongCommands();
    void connectCommands();
    QAction *addAction(const QString &name, const QString &fixedCaption = {});
    void addMenuItem(const QString &name, QAction *menuAction);
    void updateWindowTitle();
    void applyMnemonics();

    Prompter &m_prompter;
    MessageCatalogue m_catalogue;
    EditorDocument m_document;
    MainSettings m_settings;
    QString m_dataFolder;
    QStringList m_arguments;
    QString m_engineVersionText;
    bool m_shownOnce = false;
    // The caption this window set last; another caption set by a command stays until the
    // file name changes.
    QString m_ownTitle;
    bool m_fixedCaption = false;

    SynMemo *m_editor = nullptr;
    QTabWidget *m_pages = nullptr;
    QComboBox *m_comboFont = nullptr;
    CommandRegistry *m_commands = nullptr;
    QList<QLabel *> m_panels;
    FileCommands *m_fileCommands = nullptr;
    QTranslator *m_qtTexts = nullptr;  // Qt's own button and dialog texts in German
    SettingsCommands *m_settingsCommands = nullptr;
    RecentFiles *m_recent = nullptr;
};

} // namespace korvel
