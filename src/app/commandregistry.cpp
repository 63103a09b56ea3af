#include "app/commandregistry.h"

#include "app/busyindicator.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include <optional>

namespace korvel {

namespace {

// Items of the pop-up menus keep their own action: their enabled state is set as the pop-up
// opens and must not switch off the menu-bar item of the same command.
bool inPopupMenu(const QAction *action)
{
    for (QObject *owner : action->associatedObjects()) {
        if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->objectName().startsWith(QLatin1String("PopupMenu")))
            return true;
    }
    return false;
}

bool inMenu(const QAction *action)
{
    for (QObject *owner : action->associatedObjects()) {
        if (qobject_cast<QMenu *>(owner))
            return true;
    }
    return false;
}

} // namespace

CommandRegistry::CommandRegistry(Prompter &prompter, std::function<QString(int)> line, std::function<Page()> page,
                                 QObject *parent)
    : QObject(parent), m_prompter(prompter), m_line(std::move(line)), m_page(std::move(page))
{
}

CommandRegistry::~CommandRegistry()
{
    qDeleteAll(m_order);
}

void CommandRegistry::addItem(const QString &objectName, QAction *action)
{
    action->setEnabled(false);
    m_items.insert(objectName, action);
}

void CommandRegistry::addPageMenu(QAction *menuAction, Page page)
{
    m_pageMenus.append({menuAction, page});
    menuAction->setEnabled(m_page() == page);
    m_menusPage = int(m_page());
}

CommandRegistry::Command &CommandRegistry::add(const char *id, const QStringList &triggers)
{
    const QByteArray key(id);
    Command *command = m_commands.value(key);
    if (!command) {
        command = new Command(*this, key);
        m_commands.insert(key, command);
        m_order.append(command);
    }
    for (const QString &trigger : triggers)
        claim(*command, trigger);
    if (!triggers.isEmpty())
        refreshCommand(*command);
    return *command;
}

CommandRegistry::Command *CommandRegistry::find(const char *id) const
{
    return m_commands.value(QByteArray(id));
}

// One tool button and one menu item become one action: the tool bar shows the menu item's
// action in the tool button's place, under the tool button's name.
void CommandRegistry::claim(Command &command, const QString &trigger)
{
    QAction *item = m_items.value(trigger);
    if (!item) {
        qWarning("no menu item or tool button named %s", qPrintable(trigger));
        return;
    }
    if (command.m_triggers.contains(trigger))
        return;
    command.m_triggers.append(trigger);
    const auto connectTo = [this, &command](QAction *action) {
        connect(action, &QAction::triggered, this, [&command] { command.run(); });
    };
    if (inPopupMenu(item)) {
        command.m_popupActions.append(item);
        connectTo(item);
        return;
    }
    if (!command.m_action) {
        command.m_action = item;
        connectTo(item);
        return;
    }
    QAction *keep = command.m_action;
    QAction *drop = item;
    if (inMenu(drop) && inMenu(keep)) {
        // Two menu-bar items of one command keep their own captions.
        command.m_popupActions.append(drop);
        connectTo(drop);
        return;
    }
    if (inMenu(drop)) {
        // The menu item's action is the one kept: it has the caption.
        command.m_action = drop;
        std::swap(keep, drop);
        connect(keep, &QAction::triggered, this, [&command] { command.run(); });
        disconnect(drop, &QAction::triggered, this, nullptr);
    }
    if (keep->icon().isNull())
        keep->setIcon(drop->icon());
    keep->setIconVisibleInMenu(false);
    if (keep->shortcut().isEmpty())
        keep->setShortcut(drop->shortcut());
    if (drop->isCheckable())
        keep->setCheckable(true);
    for (QObject *owner : drop->associatedObjects()) {
        auto *bar = qobject_cast<QToolBar *>(owner);
        if (!bar)
            continue;
        QWidget *old = bar->widgetForAction(drop);
        const QString name = old ? old->objectName() : QString();
        // The tool bar deletes the old button later; until then it must not answer to the name.
        if (old)
            old->setObjectName(QString());
        bar->insertAction(drop, keep);
        bar->removeAction(drop);
        if (QWidget *button = bar->widgetForAction(keep))
            button->setObjectName(name);
    }
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it.value() == drop)
            it.value() = keep;
    }
    delete drop;
}

void CommandRegistry::run(const char *id)
{
    if (const Command *command = find(id))
        command->run();
}

void CommandRegistry::runDesignerHandler(const char *id)
{
    if (const Command *command = find(id); command && command->m_designer)
        command->m_designer();
}

void CommandRegistry::setEnabled(const char *id, bool enabled)
{
    if (Command *command = find(id)) {
        command->m_wanted = enabled;
        refreshCommand(*command);
    }
}

void CommandRegistry::setChecked(const char *id, bool checked)
{
    if (const Command *command = find(id); command && command->m_action) {
        command->m_action->setCheckable(true);
        command->m_action->setChecked(checked);
    }
}

bool CommandRegistry::isChecked(const char *id) const
{
    const Command *command = find(id);
    return command && command->m_action && command->m_action->isChecked();
}

void CommandRegistry::refresh()
{
    const Page page = m_page();
    for (const Command *command : std::as_const(m_order))
        refreshCommand(*command);
    // The page menus follow the page change only: a command may switch one off on its page.
    if (m_menusPage == int(page))
        return;
    m_menusPage = int(page);
    for (const auto &[menu, menuPage] : std::as_const(m_pageMenus))
        menu->setEnabled(page == menuPage);
}

void CommandRegistry::refreshCommand(const Command &command)
{
    const bool enabled = command.hasHandler() && command.m_wanted && command.enabledOnPage(m_page());
    for (QAction *action : command.actions())
        action->setEnabled(enabled);
}

bool CommandRegistry::requireSourcePage(MessageKind kind)
{
    if (m_page() == Page::Source)
        return true;
    m_prompter.message(kind, m_line(Msg::SwitchToSource), Buttons::Ok);
    return false;
}

bool CommandRegistry::requireDesignerPage(MessageKind kind)
{
    if (m_page() == Page::Designer)
        return true;
    m_prompter.message(kind, m_line(Msg::SwitchToBrowser), Buttons::Ok);
    return false;
}

bool CommandRegistry::requireDesignMode()
{
    if (m_designMode && m_designMode())
        return true;
    m_prompter.warning(m_line(Msg::EnableDesignMode));
    return false;
}

CommandRegistry::Command &CommandRegistry::Command::checkable()
{
    if (m_action)
        m_action->setCheckable(true);
    return *this;
}

CommandRegistry::Command &CommandRegistry::Command::shortcut(const QString &keys)
{
    if (m_action)
        m_action->setShortcut(QKeySequence(keys));
    return *this;
}

QList<QAction *> CommandRegistry::Command::actions() const
{
    QList<QAction *> all = m_popupActions;
    if (m_action)
        all.prepend(m_action);
    return all;
}

void CommandRegistry::Command::run() const
{
    std::optional<BusyIndicator> busy;
    if (m_registry.isLong(m_id))
        busy.emplace();
    const Page page = m_registry.page();
    if (page == Page::Source && m_source)
        m_source();
    else if (page == Page::Designer && m_designer)
        m_designer();
    else if (m_both)
        m_both();
}

} // namespace korvel
