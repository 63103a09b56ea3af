#include "source/formatcommands.h"

#include "teststrings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace korvel;

namespace {


const FormatCommand &Row(const char *objectName)
{
    const FormatCommand *row = FindFormatCommand(S(objectName));
    if (!row)
        throw std::runtime_error(std::string("no row for ") + objectName);
    return *row;
}

} // namespace

TEST(FormatCommands, findsEachRowByItsToolButtonAndByItsMenuItem)
{
    const struct {
        const char *toolButton;
        const char *menuItem;
        const char *handler;
        const char *shortcut;
        int hintLine;
    } cases[] = {
        {"BoldButton", "bold1", "BoldButtonClick", "Ctrl+Alt+B", 65},
        {"ItalicButton", "italic1", "ItalicButtonClick", "Ctrl+Alt+I", 66},
        {"UnderlineButton", "underline1", "UnderlineButtonClick", "Ctrl+Alt+U", 67},
        {"ToolButton7", "", "BoldButtonClick", "", 68},
        {"LeftAlign", "", "AlignButtonClick", "", 71},
        {"RightAlign", "", "AlignButtonClick", "", 74},
        {"ButtonJustify", "", "AlignButtonClick", "", 73},
        {"CenterAlign", "", "AlignButtonClick", "", 72},
        {"ToolButtonSup", "Sup1", "Sup1Click", "Ctrl+Alt+P", 91},
        {"ToolButtonSub", "Sub1", "Sub1Click", "Ctrl+Alt+S", 92},
        {"ToolButtonIndent", "", "ToolButtonIndentClick", "", 75},
        {"ToolButton14", "", "ToolButton14Click", "", 76},
        {"BulletsButton", "bulletlist1", "BulletsButtonClick", "Ctrl+Alt+N", 69},
        {"ToolButton4", "OrderedList1", "BulletsButtonClick", "Ctrl+Alt+O", 70},
        {"ToolButtonRemoveF", "RemoveFormat1", "RemoveFormat1Click", "", 95},
        {"ToolButtonMulti", "Linebreak1", "Linebreak1Click", "Ctrl+Alt+K", 89},
        {"ToolButtonLine", "Horizontalline1", "Horizontalline1Click", "Ctrl+Alt+H", 93},
        {"", "Div1", "Div1Click", "Ctrl+Alt+V", 0},
        {"", "Span1", "Span1Click", "Ctrl+Alt+A", 0},
        {"ToolButtonFont", "Font3", "Font3Click", "Ctrl+Alt+F", 98},
        {"ToolButtonColor", "Color1", "Color1Click", "Ctrl+Alt+R", 94},
        {"ToolButtonStyle", "Font2", "Font2Click", "Ctrl+Alt+Y", 90},
        {"ToolButtonLink", "Link1", "Link1Click", "Ctrl+Alt+L", 96},
        {"ToolButtonImage", "Image1", "Image1Click", "Ctrl+Alt+M", 97},
        {"", "iFrame1", "iFrame1Click", "", 0},
        {"", "Form1", "Form1Click", "", 0},
        {"ToolButtonNoDiv", "", "ToolButtonNoDivClick", "", 124},
    };
    for (const auto &c : cases) {
        const FormatCommand &row = Row(*c.toolButton ? c.toolButton : c.menuItem);
        EXPECT_STREQ(row.handler, c.handler) << c.toolButton << c.menuItem;
        EXPECT_STREQ(row.toolButton, c.toolButton) << c.handler;
        EXPECT_STREQ(row.menuItem, c.menuItem) << c.handler;
        EXPECT_STREQ(row.shortcut, c.shortcut) << c.handler;
        EXPECT_EQ(row.hintLine, c.hintLine) << c.handler;
        if (*c.menuItem) {
            EXPECT_EQ(&Row(c.menuItem), &row) << c.menuItem;
        }
    }
    EXPECT_EQ(FindFormatCommand(S("Table1")), nullptr);
    EXPECT_EQ(FindFormatCommand(QString()), nullptr);
}

TEST(FormatCommands, namesEveryObjectInOneRowOnly)
{
    std::set<std::string> names;
    for (const FormatCommand &row : FormatCommands()) {
        EXPECT_TRUE(*row.toolButton || *row.menuItem) << row.handler;
        for (const char *name : {row.toolButton, row.menuItem}) {
            if (*name) {
                EXPECT_TRUE(names.insert(name).second) << name;
            }
        }
    }
}

TEST(FormatCommands, sendsChromiumsOwnCommandsToTheDesigner)
{
    const struct {
        const char *sender;
        const char *command;
        const char *value;
        bool showUserInterface;
    } cases[] = {
        {"BoldButton", "bold", nullptr, false},
        {"ItalicButton", "italic", nullptr, false},
        {"UnderlineButton", "underline", nullptr, false},
        {"ToolButton7", "strikeThrough", nullptr, false},
        {"LeftAlign", "justifyLeft", nullptr, false},
        {"RightAlign", "justifyRight", nullptr, false},
        {"ButtonJustify", "justifyFull", nullptr, false},
        {"CenterAlign", "justifyCenter", nullptr, false},
        {"Sup1", "superscript", nullptr, false},
        {"Sub1", "subscript", nullptr, false},
        {"ToolButtonIndent", "indent", nullptr, false},
        {"ToolButton14", "outdent", nullptr, false},
        {"RemoveFormat1", "removeFormat", nullptr, false},
        {"Horizontalline1", "insertHorizontalRule", nullptr, false}, // a value would become its id
        {"Link1", "createLink", nullptr, true},
        {"Image1", "insertImage", nullptr, true},
        {"iFrame1", "insertHTML", "<iframe id=\"MyFrame\"></iframe>", false},
    };
    for (const auto &c : cases) {
        const FormatCommand &row = Row(c.sender);
        EXPECT_EQ(row.designer, DesignerStep::Exec) << c.sender;
        EXPECT_STREQ(row.command, c.command) << c.sender;
        if (c.value) {
            EXPECT_STREQ(row.value, c.value) << c.sender;
        } else {
            EXPECT_EQ(row.value, nullptr) << c.sender;
        }
        EXPECT_EQ(row.showUserInterface, c.showUserInterface) << c.sender;
    }
}

TEST(FormatCommands, givesTheRulesPastesDialogsAndRefusalsOfTheDesigner)
{
    EXPECT_EQ(Row("Linebreak1").designer, DesignerStep::Paste);
    EXPECT_STREQ(Row("Linebreak1").value, "<br>");
    EXPECT_EQ(Row("Linebreak1").failureLine, kLinePasteFailed);

    EXPECT_EQ(Row("bulletlist1").designer, DesignerStep::ListRule);
    EXPECT_FALSE(Row("bulletlist1").ordered);
    EXPECT_TRUE(Row("ToolButton4").ordered);
    EXPECT_EQ(Row("ToolButton4").failureLine, kLineListFailed);

    EXPECT_EQ(Row("Div1").designer, DesignerStep::DivisionRule);
    EXPECT_EQ(Row("Span1").designer, DesignerStep::SpanRule);
    EXPECT_EQ(Row("Span1").failureLine, 0); // failures pass silently

    EXPECT_EQ(Row("Form1").designer, DesignerStep::DialogThenPaste);
    EXPECT_STREQ(Row("Form1").dialog, "TFormFormular");
    EXPECT_EQ(Row("Form1").failureLine, kLinePasteFailed);
    EXPECT_EQ(Row("ToolButtonNoDiv").designer, DesignerStep::BlockRemovalRule);
    EXPECT_STREQ(Row("ToolButtonNoDiv").dialog, "TFormSelect");
    EXPECT_EQ(BlockRemovalTags(), (QStringList{S("DIV"), S("SPAN"), S("P")}));
    EXPECT_EQ(QString::fromUtf16(kDeleteTagCaption), S("Delete Tag"));

    for (const char *sourceOnly : {"Color1", "ToolButtonStyle"}) {
        EXPECT_EQ(Row(sourceOnly).designer, DesignerStep::Refuse) << sourceOnly;
        EXPECT_EQ(Row(sourceOnly).refusalLine, kLineSwitchToSource) << sourceOnly;
        EXPECT_EQ(Row(sourceOnly).refusalKind, RefusalKind::Warning) << sourceOnly;
    }
    EXPECT_EQ(Row("RemoveFormat1").source, SourceStep::Refuse);
    EXPECT_EQ(Row("RemoveFormat1").refusalKind, RefusalKind::Plain);
    EXPECT_EQ(Row("ToolButtonNoDiv").source, SourceStep::Refuse);
    EXPECT_EQ(Row("ToolButtonNoDiv").refusalKind, RefusalKind::Information);
    EXPECT_EQ(Row("ToolButtonNoDiv").refusalLine, kLineSwitchToDesigner);
}

TEST(FormatCommands, writesTheSourceTextsOfTheWrappingCommands)
{
    const struct {
        const char *sender;
        const char *expected;
    } cases[] = {
        {"bold1", "<b>x</b>"},
        {"ToolButton7", "<strike>x</strike>"},
        {"LeftAlign", "<p align=\"left\">x</p>"},
        {"RightAlign", "<p align=\"right\">x</p>"},
        {"ButtonJustify", "<p align=\"justify\">x</p>"},
        {"CenterAlign", "<p align=\"center\">x</p>"},
        {"Sup1", "<sup>x</sup>"},
        {"Sub1", "<sub>x</sub>"},
        {"ToolButtonIndent", "<p style=\"text-align:left; margin-left:50px\">x</p>"},
        {"Linebreak1", "x<br>"},
        {"Div1", "<div class=\"undefined\">x</div>"},
        {"Span1", "<span class=\"undefined\">x</span>"},
    };
    for (const auto &c : cases) {
        const FormatCommand &row = Row(c.sender);
        ASSERT_EQ(row.source, SourceStep::Wrap) << c.sender;
        EXPECT_EQ(SourceWrapped(row.wrap, S("x")), S(c.expected)) << c.sender;
    }
    EXPECT_EQ(Row("Image1").source, SourceStep::AppendDialogResult);
    EXPECT_STREQ(Row("Image1").sourceDialog, "TFormImage");
    EXPECT_EQ(Row("iFrame1").source, SourceStep::PrependDialogResult);
    EXPECT_EQ(Row("Form1").source, SourceStep::PrependDialogResult);
    EXPECT_EQ(Row("Link1").source, SourceStep::LinkRule);
    EXPECT_EQ(Row("Font2").source, SourceStep::StyleRule);
    EXPECT_EQ(Row("ToolButton14").source, SourceStep::OutdentRule);
    EXPECT_EQ(Row("Color1").source, SourceStep::ColorCode);
}

TEST(FormatCommands, letsEachFontSenderSetItsOwnAttributes)
{
    const QString face = S("Arial"), size = S("3"), colour = S("#FF0000");
    const struct {
        const char *sender;
        const char *expected;
    } cases[] = {
        {"ToolButtonFont", "<font face=\"Arial\" size=\"3\" color=\"#FF0000\">x</font>"},
        {"Font3", "<font face=\"Arial\" size=\"3\" color=\"#FF0000\">x</font>"},
        {"ComboColor", "<font color=\"#FF0000\">x</font>"},
        {"ComboFont1", "<font face=\"Arial\">x</font>"},
        {"EditSize", "<font size=\"3\">x</font>"},
    };
    for (const auto &c : cases) {
        const FormatCommand &row = Row(c.sender);
        EXPECT_EQ(row.source, SourceStep::FontRule) << c.sender;
        EXPECT_EQ(row.designer, DesignerStep::FontRule) << c.sender;
        EXPECT_EQ(FontSource(S("x"), FontChoiceFor(row.fontParts, face, size, colour)), S(c.expected))
            << c.sender;
    }
}
