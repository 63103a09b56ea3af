#pragma once

#include "app/messages.h"
#include "prompt/prompter.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

class QAction;

namespace korvel {

// Every command of the main window, registered once under its id (commandids.h) with the
// object names of the menu items and tool buttons that trigger it. A menu-bar item and its tool
// buttons share one QAction, so their enabled and checked states are one; items of the pop-up
// menus keep actions of their own (their enabled state follows the pop-up) and trigger the same
// command. A command has one handler per page or one for both; the registry routes each trigger
// to the handler of the active page, decides per page which commands are enabled, and holds the
// guards that refuse a command on the page it does not work on.
class CommandRegistry final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CommandRegistry)

public:
    using Handler = std::function<void()>;

    class Command;

    CommandRegistry(Prompter &prompter, std::function<QString(int)> line, std::function<Page()> page,
                    QObject *parent = nullptr);
    ~CommandRegistry() override;

    // The window's menu items and tool buttons, recorded as the window builds them. Nothing
    // runs and the item stays disabled until a command claims it.
    void addItem(const QString &objectName, QAction *action);
    // A submenu or top menu, found by name like the items; it stays enabled.
    void addMenu(const QString &objectName, QAction *menuAction) { m_items.insert(objectName, menuAction); }
    // A menu of the menu bar whose items belong to one page; it is enabled only there.
    void addPageMenu(QAction *menuAction, Page page);

    // Registers the command (or, when it exists, adds to it) with its triggers.
    Command &add(const char *id, const QStringList &triggers = {});
    Command *find(const char *id) const;
    QList<Command *> commands() const { return m_order; }

    // The action of a menu item or tool button by its object name.
    QAction *action(const QString &objectName) const { return m_items.value(objectName); }

    // Runs a command as its triggers do: the handler of the active page. A command nobody
    // registered does nothing.
    void run(const char *id);
    // Runs the designer page's handler of a command, when the designer gave one.
    void runDesignerHandler(const char *id);

    void setEnabled(const char *id, bool enabled);
    void setChecked(const char *id, bool checked);
    bool isChecked(const char *id) const;

    // Sets every command's enabled state for the active page, and, when the page changed since
    // the last time, the page menus'; the page change calls it.
    void refresh();

    // The guards of the commands that work on one page only: true on that page, otherwise the
    // refusal is shown (catalogue line 28, 36 or 51) and the result is false.
    bool requireSourcePage(MessageKind kind = MessageKind::Warning);
    bool requireDesignerPage(MessageKind kind = MessageKind::Information);
    bool requireDesignMode();
    // Whether the designer's page is in design mode; set by the designer.
    void setDesignModeQuery(std::function<bool()> query) { m_designMode = std::move(query); }

    Page page() const { return m_page(); }

    // Marks a command (registered now or later) as one that can take long on a large page: it
    // runs under a BusyIndicator.
    void markLong(const char *id) { m_long.insert(QByteArray(id)); }
    bool isLong(const QByteArray &id) const { return m_long.contains(id); }

private:
    friend class Command;
    void claim(Command &command, const QString &trigger);
    // Sets the enabled state of one command's actions for the active page.
    void refreshCommand(const Command &command);

    Prompter &m_prompter;
    std::function<QString(int)> m_line;
    std::function<Page()> m_page;
    std::function<bool()> m_designMode;
    QHash<QString, QAction *> m_items;
    QHash<QByteArray, Command *> m_commands;
    QList<Command *> m_order;
    QList<QPair<QAction *, Page>> m_pageMenus;
    int m_menusPage = -1;
    QSet<QByteArray> m_long;
};

class CommandRegistry::Command final {
public:
    Command(CommandRegistry &registry, QByteArray id) : m_registry(registry), m_id(std::move(id)) {}

    // The handler for both pages, or for one page (the other page then runs the both-page
    // handler when there is one, and otherwise nothing).
    Command &handle(Handler handler) { m_both = std::move(handler); return changed(); }
    Command &onSource(Handler handler) { m_source = std::move(handler); return changed(); }
    Command &onDesigner(Handler handler) { m_designer = std::move(handler); return changed(); }
    // Enabled on this page only (by default on both).
    Command &enabledOn(Page page) { m_onlyOn = int(page); return changed(); }
    // Disabled until the command's owner enables it (CommandRegistry::setEnabled).
    Command &initiallyDisabled() { m_wanted = false; return changed(); }
    Command &checkable();
    Command &shortcut(const QString &keys);

    const QByteArray &id() const { return m_id; }
    // The shared action of the menu-bar item and tool buttons (or the first pop-up item's).
    QAction *action() const { return m_action; }
    // Every action that triggers the command: the shared one and the pop-up items'.
    QList<QAction *> actions() const;
    QStringList triggers() const { return m_triggers; }
    bool hasHandler() const { return m_both || m_source || m_designer; }
    // Enabled as far as the command's own state goes, before the page rule.
    bool wanted() const { return m_wanted; }
    bool enabledOnPage(Page page) const { return m_onlyOn < 0 || m_onlyOn == int(page); }

    void run() const;

private:
    friend class CommandRegistry;
    Command &changed() { m_registry.refreshCommand(*this); return *this; }
    CommandRegistry &m_registry;
    QByteArray m_id;
    QStringList m_triggers;
    QAction *m_action = nullptr;
    QList<QAction *> m_popupActions;
    Handler m_both, m_source, m_designer;
    int m_onlyOn = -1;
    bool m_wanted = true;
};

} // namespace korvel
