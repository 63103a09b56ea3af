// The command registry of the whole window, with the designer and the source commands behind
// it: one state per command for its menu item and tool buttons, and one refusal per view-only
// command on the page it does not work on.
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designerwindowtest.h"
#include "source/sourcecommands.h"
#include "teststrings.h"

#include <QMenu>
#include <QToolBar>
#include <QToolButton>

using namespace korvel;

namespace {

class CommandRegistryTest : public test::DesignerWindowTest {
protected:
    void attachCommands() override { new SourceCommands(*form); }

    CommandRegistry &registry() { return form->commands(); }

    bool inPopup(const QAction *action)
    {
        for (QObject *owner : action->associatedObjects()) {
            if (auto *menu = qobject_cast<QMenu *>(owner); menu && menu->objectName().startsWith(S("PopupMenu")))
                return true;
        }
        return false;
    }
};

} // namespace

TEST_F(CommandRegistryTest, aMenuItemAndItsToolButtonsShareOneState)
{
    int shared = 0;
    for (const CommandRegistry::Command *command : registry().commands()) {
        const QStringList triggers = command->triggers();
        for (const QString &name : triggers) {
            QAction *item = form->action(name);
            ASSERT_NE(item, nullptr) << name.toStdString();
            if (inPopup(item))
                continue;
            EXPECT_EQ(item, command->action()) << command->id().constData() << " " << name.toStdString();
            // The tool button under this name shows the command's action.
            if (auto *button = form->findChild<QToolButton *>(name)) {
                EXPECT_EQ(button->defaultAction(), command->action()) << name.toStdString();
                ++shared;
            }
        }
        if (!command->action() || !command->hasHandler())
            continue;
        // Enabled and checked are set once and seen by every trigger.
        const bool wasChecked = command->action()->isChecked();
        const bool checkable = command->action()->isCheckable();
        registry().setEnabled(command->id().constData(), false);
        for (QAction *a : command->actions())
            EXPECT_FALSE(a->isEnabled()) << command->id().constData();
        registry().setEnabled(command->id().constData(), true);
        if (checkable) {
            registry().setChecked(command->id().constData(), !wasChecked);
            for (const QString &name : triggers) {
                if (inPopup(form->action(name)))
                    continue;
                EXPECT_EQ(form->action(name)->isChecked(), !wasChecked) << name.toStdString();
            }
            registry().setChecked(command->id().constData(), wasChecked);
        }
    }
    // Menu items with tool buttons: File New, Open, Save, Print, the clipboard, design mode...
    EXPECT_GE(shared, 20);
    EXPECT_EQ(form->action(S("BrowserEditmode1")), form->action(S("ToolButtonEdit")));
    EXPECT_NE(form->action(S("Kopieren1")), form->action(S("EditCopyItem"))) << "pop-up items keep their own action";
}

TEST_F(CommandRegistryTest, eachViewOnlyCommandShowsItsRefusalOnTheOtherPage)
{
    form->editor()->setText(S("<p>a</p>"));
    form->editor()->setModified(false);
    const struct {
        const char *trigger;
        int page;  // the page the command does not work on
        const char *line;
        MessageKind kind;
    } cases[] = {
        {"NoLineFeed1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"InsertLineFeeds1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"RemoveHyphenation1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"Replace3", 1, "Switch to source editor please.", MessageKind::Warning},
        {"MakeEntitie1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"MakeStringVariable1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"Doctype1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"Script1", 1, "Switch to source editor please.", MessageKind::Information},
        {"Replace1", 1, "Switch to source editor please.", MessageKind::Information},
        {"GoToLine1", 1, "Switch to source editor please.", MessageKind::Warning},
        {"BrowserEditmode1", 0, "Switch to browser please.", MessageKind::Information},
        {"ToolButtonBorders", 0, "Switch to browser please.", MessageKind::Information},
        {"ToolButtonShowHtml", 0, "Switch to browser please.", MessageKind::Information},
        {"ButtonUrl", 0, "Switch to browser please.", MessageKind::Information},
        {"GetText1", 0, "Switch to browser please.", MessageKind::Information},
    };
    for (const auto &c : cases) {
        form->setActivePage(c.page);
        ASSERT_EQ(form->activePage(), c.page) << c.trigger;
        prompter.clear();
        QAction *a = form->action(QLatin1String(c.trigger));
        ASSERT_NE(a, nullptr) << c.trigger;
        // The registry's own route, as the menu item and the tool button take it.
        a->trigger();
        ASSERT_EQ(prompter.messages().size(), 1) << c.trigger;
        EXPECT_EQ(prompter.messages().last().text, S(c.line)) << c.trigger;
        EXPECT_EQ(prompter.messages().last().kind, c.kind) << c.trigger;
    }
    EXPECT_EQ(form->editor()->text(), S("<p>a</p>"));
}

TEST_F(CommandRegistryTest, theRegistryRoutesACommandToTheHandlerOfTheActivePage)
{
    QStringList ran;
    registry().add("test.routed").onSource([&] { ran << S("source"); }).onDesigner([&] { ran << S("designer"); });
    registry().run("test.routed");
    form->setActivePage(1);
    registry().run("test.routed");
    registry().run("test.nobody");  // a command nobody registered does nothing
    EXPECT_EQ(ran, (QStringList{S("source"), S("designer")}));

    // The comment command is enabled on the source page only; the browser menu on the designer's.
    EXPECT_FALSE(form->action(S("Kommentar1"))->isEnabled());
    EXPECT_TRUE(form->action(S("Browser1"))->isEnabled());
    form->setActivePage(0);
    EXPECT_TRUE(form->action(S("Kommentar1"))->isEnabled());
    EXPECT_FALSE(form->action(S("Browser1"))->isEnabled());
}
