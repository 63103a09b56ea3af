#include "source/formatcommands.h"

#include <iterator>

namespace korvel {

namespace {

using S = SourceStep;
using D = DesignerStep;
using W = SourceWrap;

// The designer's identifiers are Chromium's own, so the engine runs them as they stand.
constexpr FormatCommand kCommands[] = {
    {.handler = "BoldButtonClick", .toolButton = "BoldButton", .menuItem = "bold1",
     .shortcut = "Ctrl+Alt+B", .hintLine = 65, .wrap = W::Bold, .command = "bold"},
    {.handler = "ItalicButtonClick", .toolButton = "ItalicButton", .menuItem = "italic1",
     .shortcut = "Ctrl+Alt+I", .hintLine = 66, .wrap = W::Italic, .command = "italic"},
    {.handler = "UnderlineButtonClick", .toolButton = "UnderlineButton", .menuItem = "underline1",
     .shortcut = "Ctrl+Alt+U", .hintLine = 67, .wrap = W::Underline, .command = "underline"},
    {.handler = "BoldButtonClick", .toolButton = "ToolButton7", .hintLine = 68,
     .wrap = W::StrikeThrough, .command = "strikeThrough"},
    {.handler = "AlignButtonClick", .toolButton = "LeftAlign", .hintLine = 71,
     .wrap = W::AlignLeft, .command = "justifyLeft"},
    {.handler = "AlignButtonClick", .toolButton = "RightAlign", .hintLine = 74,
     .wrap = W::AlignRight, .command = "justifyRight"},
    {.handler = "AlignButtonClick", .toolButton = "ButtonJustify", .hintLine = 73,
     .wrap = W::AlignJustify, .command = "justifyFull"},
    {.handler = "AlignButtonClick", .toolButton = "CenterAlign", .hintLine = 72,
     .wrap = W::AlignCenter, .command = "justifyCenter"},
    {.handler = "Sup1Click", .toolButton = "ToolButtonSup", .menuItem = "Sup1",
     .shortcut = "Ctrl+Alt+P", .hintLine = 91, .wrap = W::Superscript, .command = "superscript"},
    {.handler = "Sub1Click", .toolButton = "ToolButtonSub", .menuItem = "Sub1",
     .shortcut = "Ctrl+Alt+S", .hintLine = 92, .wrap = W::Subscript, .command = "subscript"},
    {.handler = "ToolButtonIndentClick", .toolButton = "ToolButtonIndent", .hintLine = 75,
     .wrap = W::Indent, .command = "indent"},
    {.handler = "ToolButton14Click", .toolButton = "ToolButton14", .hintLine = 76,
     .source = S::OutdentRule, .command = "outdent"},
    {.handler = "BulletsButtonClick", .toolButton = "BulletsButton", .menuItem = "bulletlist1",
     .shortcut = "Ctrl+Alt+N", .hintLine = 69, .source = S::ListRule, .designer = D::ListRule,
     .failureLine = kLineListFailed, .ordered = false},
    {.handler = "BulletsButtonClick", .toolButton = "ToolButton4", .menuItem = "OrderedList1",
     .shortcut = "Ctrl+Alt+O", .hintLine = 70, .source = S::ListRule, .designer = D::ListRule,
     .failureLine = kLineListFailed, .ordered = true},
    {.handler = "RemoveFormat1Click", .toolButton = "ToolButtonRemoveF", .menuItem = "RemoveFormat1",
     .hintLine = 95, .source = S::Refuse, .command = "removeFormat",
     .refusalLine = kLineSwitchToDesigner, .refusalKind = RefusalKind::Plain},
    {.handler = "Linebreak1Click", .toolButton = "ToolButtonMulti", .menuItem = "Linebreak1",
     .shortcut = "Ctrl+Alt+K", .hintLine = 89, .wrap = W::LineBreak, .designer = D::Paste,
     .value = "<br>", .failureLine = kLinePasteFailed},
    // Chromium takes a value of this command as the rule's id: the rule goes in without one.
    {.handler = "Horizontalline1Click", .toolButton = "ToolButtonLine", .menuItem = "Horizontalline1",
     .shortcut = "Ctrl+Alt+H", .hintLine = 93, .wrap = W::HorizontalLine,
     .command = "insertHorizontalRule"},
    {.handler = "Div1Click", .menuItem = "Div1", .shortcut = "Ctrl+Alt+V", .wrap = W::Division,
     .designer = D::DivisionRule},
    {.handler = "Span1Click", .menuItem = "Span1", .shortcut = "Ctrl+Alt+A", .wrap = W::Span,
     .designer = D::SpanRule},
    {.handler = "Font3Click", .toolButton = "ToolButtonFont", .menuItem = "Font3",
     .shortcut = "Ctrl+Alt+F", .hintLine = 98, .source = S::FontRule, .designer = D::FontRule,
     .fontParts = FontPartAll},
    {.handler = "Font3Click", .toolButton = "ComboColor", .source = S::FontRule,
     .designer = D::FontRule, .fontParts = FontPartColor},
    {.handler = "Font3Click", .toolButton = "ComboFont1", .source = S::FontRule,
     .designer = D::FontRule, .fontParts = FontPartFace},
    {.handler = "Font3Click", .toolButton = "EditSize", .source = S::FontRule,
     .designer = D::FontRule, .fontParts = FontPartSize},
    {.handler = "Color1Click", .toolButton = "ToolButtonColor", .menuItem = "Color1",
     .shortcut = "Ctrl+Alt+R", .hintLine = 94, .source = S::ColorCode, .designer = D::Refuse,
     .refusalLine = kLineSwitchToSource, .refusalKind = RefusalKind::Warning},
    {.handler = "Font2Click", .toolButton = "ToolButtonStyle", .menuItem = "Font2",
     .shortcut = "Ctrl+Alt+Y", .hintLine = 90, .source = S::StyleRule, .sourceDialog = "TFormCss",
     .designer = D::Refuse, .refusalLine = kLineSwitchToSource, .refusalKind = RefusalKind::Warning},
    {.handler = "Link1Click", .toolButton = "ToolButtonLink", .menuItem = "Link1",
     .shortcut = "Ctrl+Alt+L", .hintLine = 96, .source = S::LinkRule, .sourceDialog = "TFormSettings",
     .command = "createLink", .showUserInterface = true},
    {.handler = "Image1Click", .toolButton = "ToolButtonImage", .menuItem = "Image1",
     .shortcut = "Ctrl+Alt+M", .hintLine = 97, .source = S::AppendDialogResult,
     .sourceDialog = "TFormImage", .command = "insertImage", .showUserInterface = true},
    // Chromium has no inline-frame command: the frame goes in as HTML with the same id.
    {.handler = "iFrame1Click", .menuItem = "iFrame1", .source = S::PrependDialogResult,
     .sourceDialog = "TFormIFrame", .command = "insertHTML",
     .value = "<iframe id=\"MyFrame\"></iframe>"},
    {.handler = "Form1Click", .menuItem = "Form1", .source = S::PrependDialogResult,
     .sourceDialog = "TFormFormular", .designer = D::DialogThenPaste, .dialog = "TFormFormular",
     .failureLine = kLinePasteFailed},
    {.handler = "ToolButtonNoDivClick", .toolButton = "ToolButtonNoDiv", .hintLine = 124,
     .source = S::Refuse, .designer = D::BlockRemovalRule, .dialog = "TFormSelect",
     .refusalLine = kLineSwitchToDesigner, .refusalKind = RefusalKind::Information},
};

bool Names(const char *name, QStringView objectName)
{
    return *name != '\0' && objectName == QLatin1String(name);
}

} // namespace

std::span<const FormatCommand> FormatCommands()
{
    return kCommands;
}

const FormatCommand *FindFormatCommand(QStringView objectName)
{
    for (const FormatCommand &command : kCommands) {
        if (Names(command.toolButton, objectName) || Names(command.menuItem, objectName))
            return &command;
    }
    return nullptr;
}

QStringList BlockRemovalTags()
{
    return {QStringLiteral("DIV"), QStringLiteral("SPAN"), QStringLiteral("P")};
}

FontChoice FontChoiceFor(unsigned fontParts, const QString &face, const QString &sizeText,
                         const QString &colorHtml)
{
    FontChoice choice;
    if (fontParts & FontPartFace)
        choice.face = face;
    if (fontParts & FontPartSize)
        choice.size = sizeText;
    if (fontParts & FontPartColor)
        choice.color = colorHtml;
    return choice;
}

} // namespace korvel
