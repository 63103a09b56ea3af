// The main window's menus, pop-up menus and tool bars. Every item is a QAction named as the
// commands know it; captions and hints come from the catalogue when it names the item, and
// otherwise stay fixed in both languages.
#include "app/commandregistry.h"
#include "app/mainform.h"
#include "app/toolbaricons.h"
#include "editor/synmemo.h"
#include "source/formatrules.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace korvel {

namespace {

struct MenuEntry {
    const char *name;     // objectName; "-" for a separator, ">Name|Caption" opens a submenu, "<" closes it
    const char *caption;  // fixed caption when no catalogue line names the item
    const char *shortcut;
};

const MenuEntry kFileMenu[] = {
    {"FileNewItem", "", "Ctrl+N"}, {"FileOpenItem", "", "Ctrl+O"}, {"FileSaveItem", "", "Ctrl+S"},
    {"FileSaveAsItem", "", ""}, {"-", "", ""}, {"ASCIITextspeichern1", "", ""}, {"Utf8speichern1", "", ""},
    {"-", "", ""}, {"Deletebackupfiles1", "", ""}, {"-", "", ""}, {"Printpreview1", "", ""},
    {"FilePrintItem", "", "Ctrl+P"}, {"-", "", ""}, {"FileExitItem", "", "Alt+X"},
};

const MenuEntry kEditMenu[] = {
    {"EditUndoItem", "", "Ctrl+Z"}, {"-", "", ""}, {"Selectall1", "", "Ctrl+A"}, {"EditCutItem", "", "Ctrl+X"},
    {"EditCopyItem", "", "Ctrl+C"}, {"EditPasteItem", "", "Ctrl+V"}, {"-", "", ""}, {"Find1", "", "Ctrl+F"},
    {"Findnext1", "", "F3"}, {"Replace1", "", "Ctrl+R"}, {"MultiReplace1", "", ""}, {"GoToLine1", "", "Ctrl+G"},
    {"-", "", ""}, {"NoLineFeed1", "", ""}, {"InsertLineFeeds1", "", ""}, {"RemoveHyphenation1", "", ""},
    {"UppertoLower1", "", ""}, {"LowertoUpper1", "", ""},
};

const MenuEntry kHtmlMenu[] = {
    {"Div1", "Div", ""}, {"Span1", "Span", ""}, {"Script1", "Script", ""}, {"-", "", ""},
    {"Link1", "Link...", ""}, {"Image1", "Image...", ""}, {"Color1", "Color...", ""},
    {"Linebreak1", "Linebreak <BR>", ""}, {"Font2", "Style...", ""}, {"Horizontalline1", "Horizontal line <HR>", ""},
    {"Doctype1", "Doctype", ""}, {"Object1", "Object...", ""}, {"-", "", ""},
    {">Formular1", "Forms...", ""}, {"Form1", "Form", ""}, {"Button1", "Button", ""}, {"Inputbox1", "Input box", ""},
    {"Textarea1", "Textarea", ""}, {"Radiobutton1", "Radio button", ""}, {"CheckBox1", "Check box", ""},
    {"Selectbox1", "Select box", ""}, {"Dropdownlist1", "Drop down list", ""}, {"<", "", ""},
    {">Frames1", "Frames...", ""}, {"iFrame1", "iFrame", ""}, {"Frameset1", "Frameset...", ""}, {"<", "", ""},
    {">heTable1", "Table...", ""}, {"Table1", "", ""}, {"InsertRow1", "", ""}, {"InsertColumn1", "", ""},
    {"Mergecells1", "", ""}, {"Splitcell1", "", ""}, {"Extendedmerge1", "", ""}, {"Spaltensplitten1", "", ""}, {"<", "", ""},
    {">Format1", "Format", ""}, {"Font3", "Font...", ""}, {"bold1", "Bold", ""}, {"italic1", "Italic", ""},
    {"underline1", "Underline", ""}, {"Sup1", "Sup", ""}, {"Sub1", "Sub", ""}, {"bulletlist1", "Bullet list", ""},
    {"OrderedList1", "Ordered list", ""}, {"<", "", ""},
    {"-", "", ""}, {"RemoveFormat1", "", ""}, {"Replace3", "", ""}, {"MakeEntitie1", "", ""}, {"Paragraph1", "", ""},
    {"MakeStringVariable1", "", ""}, {"Kommentar1", "", ""}, {"Sonderzeichen1", "", ""},
};

const MenuEntry kBrowserMenu[] = {
    {"BrowserEditmode1", "", "Ctrl+E"}, {"Messages", "", ""}, {"-", "", ""}, {"Refresh1", "", "F5"},
    {"Back1", "", ""}, {"Back2", "", ""}, {"NavigatetoURL1", "", ""}, {"-", "", ""},
    {"GetHTMLSource1", "", ""}, {"GetText1", "", ""}, {"-", "", ""}, {"Zoom1", "", ""}, {"ZoomOut1", "", ""},
};

const MenuEntry kExtrasMenu[] = {
    {">Sprache1", "", ""}, {"Englisch1", "", ""}, {"Deutsch1", "", ""}, {"<", "", ""},
    {"Settings2", "", ""}, {"-", "", ""}, {"NachUpdatesuchen1", "", ""}, {"FTP1", "", ""},
    {"Startsimpletexteditor1", "", ""},
};

const MenuEntry kHelpMenu[] = {
    {"Help1", "", ""}, {"HelpAboutItem", "", ""},
};

const MenuEntry kPopupMenu1[] = {
    {"Kopieren1", "", ""}, {"Einfuegen1", "", ""}, {"-", "", ""}, {"Print1", "", ""}, {"-", "", ""},
    {"Zoomin1", "", ""}, {"Zoomout2", "", ""}, {"-", "", ""}, {"Showsourcecode1", "", ""},
    {"Gettext2", "", ""}, {"-", "", ""}, {"Showproperties1", "", ""},
};

const MenuEntry kPopupMenu2[] = {
    {"Rckgngig1", "", ""}, {"-", "", ""}, {"Kopieren2", "", ""}, {"Ausschneiden1", "", ""},
    {"Einfgen1", "", ""}, {"-", "", ""}, {"Suchen1", "", ""}, {"Weitersuchen1", "", ""}, {"Ersetzen1", "", ""},
};

// The tool buttons of each bar in order; "|" is a separator. Their faces come from
// toolButtonIcon.
const char *const kStandardButtons[] = {
    "ToolButton1", "OpenButton", "SaveButton", "PrintButton", "|", "CutButton", "CopyButton", "PasteButton",
    "UndoButton", "|", "ToolButtonFind", "ToolButton3", "|", "ToolButtonSource", "ToolButtonText",
    "ToolButtonEdit", "ToolButtonBrowser", "ButtonZoomPlus", "ButtonZoomMinus", "ToolButtonShowHtml",
    "ToolButtonBorders", "ToolButtonProperty", "ToolButton20", "|", "ToolButtonSettings", "ButtonNewWindow",
    "ToolButtonInfo", "ToolButtonHelp",
};

const char *const kFormatButtons[] = {
    "BoldButton", "ItalicButton", "UnderlineButton", "ToolButton7", "ToolButtonSup", "ToolButtonSub", "|",
    "BulletsButton", "ToolButton4", "LeftAlign", "CenterAlign", "ButtonJustify", "RightAlign",
    "ToolButtonIndent", "ToolButton14", "|", "ToolButtonMulti", "ToolButtonLine", "ToolButtonColor",
    "ToolButtonRemoveF", "ToolButtonNoDiv", "ToolButtonLink", "ToolButtonImage", "ToolButtonFont",
    "ToolButtonStyle",
};

const char *const kTableButtons[] = {
    "ToolButton8", "ToolButton11", "ToolButton12", "ToolButton19", "|", "ToolButtonInsTable",
    "ToolButtonDelTable", "ToolButtonInsRow", "ToolButtonDelRow", "ToolButtonInsTD", "ToolButtonDelTD",
    "ToolButtonMerge", "ToolButtonSplit", "ButtonColMerge", "ButtonColSplit", "|", "ToolButtonForm",
    "ToolButtonInput", "ToolButtonPassword", "ToolButtonUpload", "ToolButtonHidden", "ToolButtonArea",
    "ToolButtonList", "ToolButtonDropdown", "ToolButtonButton", "ToolButtonRadio", "ToolButtonCheck",
};

// The colours the colour box offers for the font rule.
const char *const kFontColors[] = {"black", "maroon", "green", "olive", "navy", "purple", "teal", "gray",
                                   "silver", "red", "lime", "yellow", "blue", "fuchsia", "aqua", "white"};

// UpDown1: the up and down arrows that step the size field.
QWidget *upDownStepper(QWidget *parent)
{
    auto *stepper = new QWidget(parent);
    stepper->setObjectName(QStringLiteral("UpDown1"));
    auto *layout = new QVBoxLayout(stepper);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const auto &[name, arrow] : {std::pair{"UpDown1Up", Qt::UpArrow}, std::pair{"UpDown1Down", Qt::DownArrow}}) {
        auto *button = new QToolButton(stepper);
        button->setObjectName(QLatin1String(name));
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setFixedSize(16, 11);
        layout->addWidget(button);
    }
    stepper->setEnabled(false);
    return stepper;
}

} // namespace

QAction *TMainForm::addAction(const QString &name, const QString &fixedCaption)
{
    QAction *a = m_commands->action(name);
    if (!a) {
        a = new QAction(fixedCaption.isEmpty() ? name : fixedCaption, this);
        a->setObjectName(name);
        // Nothing runs until a command claims the item.
        m_commands->addItem(name, a);
    }
    return a;
}

void TMainForm::addMenuItem(const QString &name, QAction *menuAction)
{
    menuAction->setObjectName(name);
    m_commands->addMenu(name, menuAction);
}

void TMainForm::buildMenus()
{
    const auto fill = [this](QMenu *menu, const MenuEntry *entries, std::size_t count) {
        QList<QMenu *> stack{menu};
        for (std::size_t i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(entries[i].name);
            if (name == QStringLiteral("-")) {
                stack.last()->addSeparator();
            } else if (name.startsWith(QLatin1Char('>'))) {
                QMenu *sub = stack.last()->addMenu(QString::fromUtf8(entries[i].caption));
                sub->setObjectName(name.mid(1));
                addMenuItem(name.mid(1), sub->menuAction());
                stack.append(sub);
            } else if (name == QStringLiteral("<")) {
                stack.removeLast();
            } else {
                QAction *a = addAction(name, QString::fromUtf8(entries[i].caption));
                const QString shortcut = QString::fromUtf8(entries[i].shortcut);
                if (!shortcut.isEmpty())
                    a->setShortcut(QKeySequence(shortcut));
                stack.last()->addAction(a);
            }
        }
    };
    const auto topMenu = [this](const char *name, const char *caption) {
        QMenu *menu = menuBar()->addMenu(QString::fromUtf8(caption));
        menu->setObjectName(QString::fromUtf8(name));
        addMenuItem(QString::fromUtf8(name), menu->menuAction());
        return menu;
    };
    menuBar()->setObjectName(QStringLiteral("MainMenu"));
    fill(topMenu("FileMenu", "Datei"), kFileMenu, std::size(kFileMenu));
    fill(topMenu("EditMenu", "Bearbeiten"), kEditMenu, std::size(kEditMenu));
    fill(topMenu("AG1", "HTML"), kHtmlMenu, std::size(kHtmlMenu));
    QMenu *browser = topMenu("Browser1", "Browser/Designer");
    fill(browser, kBrowserMenu, std::size(kBrowserMenu));
    browser->menuAction()->setEnabled(false);
    fill(topMenu("Settings1", "Extras"), kExtrasMenu, std::size(kExtrasMenu));
    fill(topMenu("HelpMenu", "Hilfe"), kHelpMenu, std::size(kHelpMenu));

    auto *popup1 = new QMenu(this);
    popup1->setObjectName(QStringLiteral("PopupMenu1"));
    fill(popup1, kPopupMenu1, std::size(kPopupMenu1));
    auto *popup2 = new QMenu(this);
    popup2->setObjectName(QStringLiteral("PopupMenu2"));
    fill(popup2, kPopupMenu2, std::size(kPopupMenu2));
}

void TMainForm::buildToolBars()
{
    const auto fill = [this](QToolBar *bar, const char *const *names, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) {
            const QString name = QString::fromUtf8(names[i]);
            if (name == QStringLiteral("|")) {
                bar->addSeparator();
                continue;
            }
            QAction *a = addAction(name);
            a->setText(QString());
            a->setIcon(toolButtonIcon(name));
            bar->addAction(a);
            if (QWidget *button = bar->widgetForAction(a))
                button->setObjectName(name);
        }
    };
    const auto makeBar = [this](const char *name) {
        QToolBar *bar = addToolBar(QString::fromUtf8(name));
        bar->setObjectName(QString::fromUtf8(name));
        bar->setIconSize(QSize(24, 24));  // the icons' drawing grid, so their lines meet whole pixels
        bar->setMovable(false);
        return bar;
    };

    QToolBar *standard = makeBar("StandardToolBar");
    fill(standard, kStandardButtons, std::size(kStandardButtons));
    standard->addSeparator();
    auto *editUrl = new QLineEdit(QStringLiteral("https://www."), standard);
    editUrl->setObjectName(QStringLiteral("EditUrl"));
    editUrl->setMinimumWidth(120);
    editUrl->setEnabled(false);
    standard->addWidget(editUrl);
    QAction *go = addAction(QStringLiteral("ButtonUrl"));
    go->setText(QString());
    go->setIcon(toolButtonIcon(QStringLiteral("ButtonUrl")));
    standard->addAction(go);
    if (QWidget *button = standard->widgetForAction(go))
        button->setObjectName(QStringLiteral("ButtonUrl"));

    addToolBarBreak();
    QToolBar *format = makeBar("ToolBar1");
    m_comboFont = new QComboBox(format);
    m_comboFont->setObjectName(QStringLiteral("ComboFont1"));
    m_comboFont->addItems(QFontDatabase::families());
    m_comboFont->setMinimumWidth(140);
    // As wide as a usual family name, not as the longest installed one, so the bar's width does
    // not hang on the machine's fonts.
    m_comboFont->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_comboFont->setMinimumContentsLength(16);
    m_comboFont->setEnabled(false);
    format->addWidget(m_comboFont);
    auto *editSize = new QLineEdit(QStringLiteral("1"), format);
    editSize->setObjectName(QStringLiteral("EditSize"));
    editSize->setFixedWidth(32);
    editSize->setEnabled(false);
    format->addWidget(editSize);
    format->addWidget(upDownStepper(format));
    auto *comboColor = new QComboBox(format);
    comboColor->setObjectName(QStringLiteral("ComboColor"));
    for (const char *name : kFontColors) {
        const QColor color = QColor::fromString(QLatin1String(name));
        QPixmap swatch(14, 14);
        swatch.fill(color);
        comboColor->addItem(QIcon(swatch), ColorToHtml(color.red(), color.green(), color.blue()), color);
    }
    // Never narrower than its longest colour text, also when a narrow window squeezes the bar.
    comboColor->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    comboColor->setMinimumWidth(comboColor->sizeHint().width());
    comboColor->setEnabled(false);
    format->addWidget(comboColor);
    format->addSeparator();
    fill(format, kFormatButtons, std::size(kFormatButtons));

    addToolBarBreak();
    QToolBar *tables = makeBar("ToolBar2");
    fill(tables, kTableButtons, std::size(kTableButtons));
}

void TMainForm::buildActions()
{
    buildMenus();
    buildToolBars();
}

} // namespace korvel
