#pragma once

#include "app/messages.h"

#include <QString>

#include <functional>

class QWidget;

namespace korvel {

class CommandRegistry;
class FileCommands;
class MessageCatalogue;
class Prompter;
class SynMemo;
struct EditorDocument;
struct MainSettings;

// What the main window's state holds besides the document: the language, the engine found at
// start-up, and whether design mode was used.
struct ShellState {
    int UiLanguage = 0;
    int EngineMajorVersion = 0;
    bool DesignModeAvailable = true;
    bool DesignModeWasOn = false;
    // Set by Exit after its own question, so the close query does not ask a second time.
    bool closeAsked = false;
};

// What a command controller may use of the main window: the person's answers, the catalogue,
// the document and its editor, the commands, the active page and the shell state. Controllers
// get this instead of the window, so they can be built and tested without it.
class CommandContext {
public:
    virtual ~CommandContext() = default;

    virtual Prompter &prompter() = 0;
    virtual const MessageCatalogue &catalogue() const = 0;
    virtual QString line(int number) const = 0;
    virtual EditorDocument &document() = 0;
    virtual SynMemo *editor() const = 0;
    virtual CommandRegistry &commands() = 0;
    virtual ShellState &state() = 0;
    virtual MainSettings &settings() = 0;
    virtual QString dataFolder() const = 0;
    virtual QString programFolder() const = 0;

    virtual int activePage() const = 0;
    virtual void setActivePage(int page) = 0;
    bool onPage(Page page) const { return activePage() == int(page); }

    // The window, as the parent of dialogs and windows the commands open.
    virtual QWidget *window() = 0;
    virtual FileCommands &fileCommands() = 0;

    // Main-window operations the commands use.
    virtual void SetFileName(const QString &name) = 0;
    virtual void StatusUpdate() = 0;
    virtual void setStatusPanelText(int index, const QString &text) = 0;
    virtual QString statusPanelText(int index) const = 0;
    virtual void ApplyLanguage() = 0;
    virtual void ChooseLanguage() = 0;
    virtual void showHelpContext(int context) = 0;
    // Where help requests go; set by the help viewer.
    virtual std::function<void(int)> &helpRoute() = 0;
    // Closes the window through its close query; false when it stays open.
    virtual bool closeWindow() = 0;
};

} // namespace korvel
