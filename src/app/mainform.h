#pragma once

#include "app/catalogue.h"
#include "app/editordocument.h"
#include "app/mainstate.h"

#include <QHash>
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

class DesignerSide;
class Prompter;
class SynMemo;
class FileCommands;
class SettingsCommands;

// The main window: menus, tool bars, the two pages, the status bar, and the start-up and
// close sequences. Commands live in controllers; this class holds the shared state and wires.
class TMainForm final : public QMainWindow {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TMainForm)

public:
    explicit TMainForm(Prompter &prompter, QWidget *parent = nullptr);
    ~TMainForm() override;

    // The command-line arguments after the program name; read by the start-up sequence.
    void setCommandLine(const QStringList &arguments) { m_arguments = arguments; }
    // Overrides the engine's version text for the start-up check (tests).
    void setEngineVersionText(const QString &text) { m_engineVersionText = text; }

    // Shared state
    Prompter &prompter() { return m_prompter; }
    const MessageCatalogue &catalogue() const { return m_catalogue; }
    QString line(int number) const { return m_catalogue.line(number); }
    EditorDocument &document() { return m_document; }
    SynMemo *editor() const { return m_editor; }
    QTabWidget *pageControl() const { return m_pages; }
    int activePage() const;
    void setActivePage(int page);
    MainSettings &settings() { return m_settings; }
    QString dataFolder() const { return m_dataFolder; }
    QString programFolder() const;

    int UiLanguage = 0;
    int EngineMajorVersion = 0;
    bool DesignModeAvailable = true;
    bool DesignModeWasOn = false;

    // Main-window operations other commands use
    void SetFileName(const QString &name);
    void StatusUpdate();
    void ApplyLanguage();
    void ChooseLanguage();
    void ReadSettings();
    void WriteLanguage();
    void SelectFontByName(const QString &name);
    void showHelpContext(int context);

    FileCommands &fileCommands() { return *m_fileCommands; }

    // The designer, once it is there; the file commands hand it their work on its page.
    void setDesignerSide(DesignerSide *designer) { m_designer = designer; }
    DesignerSide *designerSide() const { return m_designer; }
    SettingsCommands &settingsCommands() { return *m_settingsCommands; }

    // Connects a command to the named menu items and tool buttons and enables them.
    void bind(const QStringList &names, const std::function<void()> &handler);
    // Set by Exit after its own question, so the close query does not ask a second time.
    bool closeAsked = false;

    // Looks up a menu item or tool button by its name.
    QAction *action(const QString &name) const { return m_actions.value(name); }
    QLabel *statusPanel(int index) const;

    // Shows the help page of a context number; set by the help viewer.
    std::function<void(int)> helpHandler;

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
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
    void connectCommands();
    QAction *addAction(const QString &name, const QString &fixedCaption = {});

    Prompter &m_prompter;
    MessageCatalogue m_catalogue;
    EditorDocument m_document;
    MainSettings m_settings;
    QString m_dataFolder;
    QStringList m_arguments;
    QString m_engineVersionText;
    bool m_shownOnce = false;

    SynMemo *m_editor = nullptr;
    QTabWidget *m_pages = nullptr;
    QComboBox *m_comboFont = nullptr;
    QHash<QString, QAction *> m_actions;
    QList<QLabel *> m_panels;
    FileCommands *m_fileCommands = nullptr;
    DesignerSide *m_designer = nullptr;
    QTranslator *m_qtTexts = nullptr;  // Qt's own button and dialog texts in German
    SettingsCommands *m_settingsCommands = nullptr;
};

} // namespace korvel
