// The formatting commands on the source page of the real main window: every tool button and
// menu item on a selection and on a caret, the font controls, the colour code and the commands
// that work only on the other page.
#include "formattingtest.h"
#include "teststrings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QAction>
#include <QKeySequence>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using namespace korvel;

namespace {

class FormattingSourceTest : public test::FormattingTest {
protected:
    // "x" + sel + "y", with sel selected (a caret between x and y when sel is empty).
    void selectBetween(const QString &sel)
    {
        form->setActivePage(0);
        editor().setText(QStringLiteral("x") + sel + QStringLiteral("y"));
        editor().selectRange(1, int(sel.size()));
        editor().setModified(false);
    }

    QString between() const
    {
        const QString text = form->editor()->text();
        return text.mid(1, text.size() - 2);
    }

    SynMemo &editor() { return *form->editor(); }
};

struct SourceCase {
    const char *trigger;
    const char *sel;
    const char *withSelection;
    const char *onCaret;
};

const QString kRule = QStringLiteral(
    "<br><hr style=\"width:300px; color:gray; background-color:gray; height:2px; text-align:center; border:1px\">");

} // namespace

TEST_F(FormattingSourceTest, everyButtonAndMenuItemRewritesTheSelectionAsOneUndoableEdit)
{
    const SourceCase cases[] = {
        {"BoldButton", "t", "<b>t</b>", "<b></b>"},
        {"bold1", "t", "<b>t</b>", "<b></b>"},
        {"italic1", "t", "<i>t</i>", "<i></i>"},
        {"UnderlineButton", "t", "<u>t</u>", "<u></u>"},
        {"ToolButton7", "t", "<strike>t</strike>", "<strike></strike>"},
        {"LeftAlign", "t", "<p align=\"left\">t</p>", "<p align=\"left\"></p>"},
        {"RightAlign", "t", "<p align=\"right\">t</p>", "<p align=\"right\"></p>"},
        {"ButtonJustify", "t", "<p align=\"justify\">t</p>", "<p align=\"justify\"></p>"},
        {"CenterAlign", "t", "<p align=\"center\">t</p>", "<p align=\"center\"></p>"},
        {"Sup1", "t", "<sup>t</sup>", "<sup></sup>"},
        {"ToolButtonSub", "t", "<sub>t</sub>", "<sub></sub>"},
        {"ToolButtonIndent", "t", "<p style=\"text-align:left; margin-left:50px\">t</p>",
         "<p style=\"text-align:left; margin-left:50px\"></p>"},
        {"ToolButton14", "<p style=\"margin-left:50px\">a\r\nb</p>", "a b", ""},
        {"BulletsButton", "a\r\nb", "<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b </li>\r\n</ul>",
         "<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"OrderedList1", "a", "<ol type=\"1\">\r\n<li>a </li>\r\n</ol>", "<ol type=\"1\">\r\n<li></li>\r\n</ol>"},
        {"bulletlist1", "<ul type=\"disc\">\r\n<li>a</li>\r\n<li>b</li>\r\n</ul>", "\r\na\r\nb\r\n",
         "<ul type=\"disc\">\r\n<li></li>\r\n</ul>"},
        {"ToolButtonMulti", "t", "t<br>", "<br>"},
        {"Linebreak1", "t", "t<br>", "<br>"},
        {"ToolButtonLine", "t", "t<br><hr style=\"width:300px; color:gray; background-color:gray; height:2px; "
                                "text-align:center; border:1px\">",
         "<br><hr style=\"width:300px; color:gray; background-color:gray; height:2px; text-align:center; border:1px\">"},
        {"Div1", "t", "<div class=\"undefined\">t</div>", "<div class=\"undefined\"></div>"},
        {"Span1", "t", "<span class=\"undefined\">t</span>", "<span class=\"undefined\"></span>"},
    };
    for (const SourceCase &c : cases) {
        for (const bool onCaret : {false, true}) {
            const QString sel = onCaret ? QString() : QString::fromUtf8(c.sel);
            selectBetween(sel);
            trigger(c.trigger);
            EXPECT_EQ(between(), QString::fromUtf8(onCaret ? c.onCaret : c.withSelection))
                << c.trigger << (onCaret ? " on a caret" : "");
            EXPECT_EQ(editor().modified(), between() != sel) << c.trigger;
            if (between() != sel) {
                editor().undo();
                EXPECT_EQ(between(), sel) << c.trigger << ": one undo step";
            }
        }
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormattingSourceTest, theFontButtonWritesFaceSizeAndColourInThatOrder)
{
    const QString face = comboFont()->itemText(0);
    comboFont()->setCurrentIndex(0);
    editSize()->setText(QStringLiteral("3"));
    comboColor()->setCurrentIndex(comboColor()->findText(QStringLiteral("#FF0000")));
    const QString open = QStringLiteral("<font face=\"%1\" size=\"3\" color=\"#FF0000\">").arg(face);
    for (const char *trigger : {"ToolButtonFont", "Font3"}) {
        selectBetween(QStringLiteral("t"));
        this->trigger(trigger);
        EXPECT_EQ(between(), open + QStringLiteral("t</font>")) << trigger;
        selectBetween(QString());
        this->trigger(trigger);
        EXPECT_EQ(between(), open + QStringLiteral("</font>")) << trigger;
    }
}

TEST_F(FormattingSourceTest, aFontControlSetsItsOwnAttributeOnlyWhenTextIsSelected)
{
    const int red = comboColor()->findText(QStringLiteral("#FF0000"));
    ASSERT_GE(red, 0);
    selectBetween(QString());
    chooseColor(red);
    EXPECT_EQ(between(), QString()) << "a caret gets nothing";
    selectBetween(QStringLiteral("  "));
    chooseColor(red);
    EXPECT_EQ(between(), QStringLiteral("  ")) << "blanks get nothing";

    selectBetween(QStringLiteral("t"));
    chooseColor(red);
    EXPECT_EQ(between(), QStringLiteral("<font color=\"#FF0000\">t</font>"));

    selectBetween(QStringLiteral("t"));
    comboFont()->setCurrentIndex(1);
    emit comboFont()->activated(1);
    EXPECT_EQ(between(), QStringLiteral("<font face=\"%1\">t</font>").arg(comboFont()->itemText(1)));

    // A typed size applies once complete; the stepper applies each step, from 1 to 8.
    selectBetween(QStringLiteral("t"));
    editSize()->setText(QStringLiteral("5"));
    editSize()->setModified(true);
    emit editSize()->editingFinished();
    EXPECT_EQ(between(), QStringLiteral("<font size=\"5\">t</font>"));
    selectBetween(QStringLiteral("t"));
    editSize()->setText(QStringLiteral("7"));
    upDown("UpDown1Up")->click();
    EXPECT_EQ(editSize()->text(), QStringLiteral("8"));
    EXPECT_EQ(between(), QStringLiteral("<font size=\"8\">t</font>"));
    selectBetween(QStringLiteral("t"));
    upDown("UpDown1Up")->click();
    EXPECT_EQ(editSize()->text(), QStringLiteral("8")) << "the stepper ends at 8";
    EXPECT_EQ(between(), QStringLiteral("t"));
    editSize()->setText(QStringLiteral("1"));
    upDown("UpDown1Down")->click();
    EXPECT_EQ(editSize()->text(), QStringLiteral("1")) << "and starts at 1";
    EXPECT_EQ(between(), QStringLiteral("t"));
}

TEST_F(FormattingSourceTest, theColourCodeWritesTheChosenColourAndCancelChangesNothing)
{
    for (const char *trigger : {"ToolButtonColor", "Color1"}) {
        selectBetween(QStringLiteral("old"));
        prompter.answerColor(QColor(0x12, 0xab, 0xff));
        this->trigger(trigger);
        EXPECT_EQ(between(), QStringLiteral("#12ABFF")) << trigger;
        selectBetween(QStringLiteral("old"));
        prompter.answerColor(std::nullopt);
        this->trigger(trigger);
        EXPECT_EQ(between(), QStringLiteral("old")) << trigger;
        EXPECT_FALSE(editor().modified()) << trigger;
    }
}

TEST_F(FormattingSourceTest, commandsOfTheOtherPageOnlySayWhereTheyWork)
{
    struct Refusal {
        const char *trigger;
        int page;
        int line;
        MessageKind kind;
    };
    const Refusal refusals[] = {
        {"ToolButtonRemoveF", 0, 36, MessageKind::Plain},
        {"RemoveFormat1", 0, 36, MessageKind::Plain},
        {"ToolButtonNoDiv", 0, 36, MessageKind::Information},
        {"ToolButtonColor", 1, 28, MessageKind::Warning},
        {"Color1", 1, 28, MessageKind::Warning},
    };
    for (const Refusal &r : refusals) {
        selectBetween(QStringLiteral("t"));
        form->setActivePage(r.page);
        prompter.clear();
        trigger(r.trigger);
        ASSERT_EQ(prompter.messages().size(), 1) << r.trigger;
        EXPECT_EQ(prompter.messages().last().text, form->line(r.line)) << r.trigger;
        EXPECT_EQ(prompter.messages().last().kind, r.kind) << r.trigger;
        form->setActivePage(0);
        EXPECT_EQ(between(), QStringLiteral("t")) << r.trigger;
    }
}

TEST_F(FormattingSourceTest, theFormatToolBarHasNoDisabledButtonButTheGeneratorDialogs)
{
    const QStringList waiting = {QStringLiteral("ToolButtonLink"), QStringLiteral("ToolButtonImage"),
                                 QStringLiteral("ToolButtonStyle")};
    auto *bar = form->findChild<QToolBar *>(QStringLiteral("ToolBar1"));
    ASSERT_NE(bar, nullptr);
    QStringList buttons;
    for (QAction *action : bar->actions()) {
        auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(action));
        if (!button)
            continue;
        buttons << button->objectName();
        EXPECT_EQ(button->isEnabled(), !waiting.contains(button->objectName())) << button->objectName().toStdString();
    }
    EXPECT_TRUE(buttons.contains(QStringLiteral("BoldButton")) && buttons.contains(QStringLiteral("ToolButtonNoDiv")));
    for (QWidget *control : {static_cast<QWidget *>(comboFont()), static_cast<QWidget *>(comboColor()),
                             static_cast<QWidget *>(editSize()), form->findChild<QWidget *>(QStringLiteral("UpDown1"))})
        EXPECT_TRUE(control && control->isEnabled());
}

TEST_F(FormattingSourceTest, theMenuItemsCarryTheirShortcuts)
{
    const std::pair<const char *, const char *> shortcuts[] = {
        {"bold1", "Ctrl+Alt+B"}, {"italic1", "Ctrl+Alt+I"}, {"underline1", "Ctrl+Alt+U"}, {"Sup1", "Ctrl+Alt+P"},
        {"Sub1", "Ctrl+Alt+S"}, {"bulletlist1", "Ctrl+Alt+N"}, {"OrderedList1", "Ctrl+Alt+O"},
        {"Linebreak1", "Ctrl+Alt+K"}, {"Horizontalline1", "Ctrl+Alt+H"}, {"Div1", "Ctrl+Alt+V"},
        {"Span1", "Ctrl+Alt+A"}, {"Font3", "Ctrl+Alt+F"}, {"Color1", "Ctrl+Alt+R"},
    };
    for (const auto &[item, keys] : shortcuts) {
        QAction *action = form->action(QLatin1String(item));
        ASSERT_NE(action, nullptr) << item;
        EXPECT_EQ(action->shortcut(), QKeySequence(QLatin1String(keys))) << item;
    }
    selectBetween(QStringLiteral("t"));
    form->activateWindow();
    editor().setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(&editor(), Qt::Key_B, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(between(), QStringLiteral("<b>t</b>"));
}
