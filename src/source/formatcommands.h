#pragma once

#include "source/formatrules.h"

#include <QStringList>
#include <QStringView>

#include <span>

// What each formatting command does on either page, as a table: the main window connects its
// tool buttons, menu items and font controls by these names, and the handlers read their
// steps from here.
namespace korvel {

// The catalogue lines the formatting commands show.
constexpr int kLineListFailed = 26;        // list command failed in the designer
constexpr int kLineSwitchToSource = 28;    // command exists only in the source view
constexpr int kLineSwitchToDesigner = 36;  // command exists only in the designer
constexpr int kLineTagNotFound = 39;       // shown behind the tag the block removal looked for
constexpr int kLinePasteFailed = 45;       // paste at the designer selection failed

// What the command does to the source text.
enum class SourceStep {
    Wrap,                 // selection := SourceWrapped(wrap, sel)
    ListRule,             // selection := ListSource(sel, ordered)
    OutdentRule,          // OutdentSource(sel), when it gives a text
    FontRule,             // FontSource(sel, the chosen parts)
    ColorCode,            // colour dialog; selection := ColorToHtml of the choice, nothing on cancel
    StyleRule,            // style dialog, then PlaceStyleBlock
    LinkRule,             // LinkPresetFor(sel), link dialog; a non-empty result replaces the selection
    AppendDialogResult,   // dialog; selection := sel + result, when the result is not empty
    PrependDialogResult,  // dialog; selection := result + sel, when the result is not empty
    Refuse,               // the message `refusalLine` in a box of kind `refusalKind`
};

// What the command does in the designer. Every step needs a loaded document in design mode;
// without it the command does nothing (the engine refuses editing commands then, and pastes
// made outside design mode would never reach the source).
enum class DesignerStep {
    Exec,              // the engine command `command` with `value` and `showUserInterface`
    Paste,             // PasteHtmlAtSelection(`value`)
    ListRule,          // DesignerListFragment / ListItemsAsLines, the list found in place
    DivisionRule,      // DesignerDivisionFragment of the range's HTML
    SpanRule,          // DesignerSpanFragment of the range's text
    FontRule,          // DesignerFontCalls of the chosen parts
    DialogThenPaste,   // `dialog`; unless cancelled, PasteHtmlAtSelection of its result
    BlockRemovalRule,  // `dialog` lists "DIV", "SPAN", "P" unless a tag is preset; unwraps it
    Refuse,            // the message `refusalLine` in a box of kind `refusalKind`
};

// The kind of box a refusal is shown in (see Prompter's MessageKind).
enum class RefusalKind { None, Plain, Information, Warning };

// The font attributes a sender of the font rule sets.
enum FontPart : unsigned { FontPartFace = 1, FontPartSize = 2, FontPartColor = 4, FontPartAll = 7 };

struct FormatCommand {
    const char *handler = "";      // "BoldButtonClick"
    const char *toolButton = "";   // object name of the tool button or font control; "" when none
    const char *menuItem = "";     // object name of the menu item; "" when none
    const char *shortcut = "";     // of the menu item, as QKeySequence reads it; "" when none
    int hintLine = 0;              // catalogue line of the tool button's hint; 0 when none

    SourceStep source = SourceStep::Wrap;
    SourceWrap wrap = SourceWrap::Bold; // for SourceStep::Wrap
    const char *sourceDialog = ""; // object name of the dialog the source step shows; "" when none

    DesignerStep designer = DesignerStep::Exec;
    const char *command = "";      // Chromium's execCommand identifier for DesignerStep::Exec
    const char *value = nullptr;   // the command's value, or the HTML pasted; nullptr when none
    bool showUserInterface = false; // the engine asks for the value itself (address, picture)
    const char *dialog = "";       // object name of the dialog the designer step shows; "" when none

    int refusalLine = 0;           // catalogue line of a Refuse step on either page; 0 when none
    RefusalKind refusalKind = RefusalKind::None;
    int failureLine = 0;           // catalogue line shown in an error box when the designer step
                                   // fails; 0: failures pass silently

    bool ordered = false;          // list commands: the ordered list
    unsigned fontParts = 0;        // font rule: FontPart flags
};

// Every formatting command, one row per tool button (or font control) with its menu item.
std::span<const FormatCommand> FormatCommands();

// The tags the block removal offers when the list command has preset none, in this order, and
// the caption its chooser's action button bears meanwhile.
QStringList BlockRemovalTags();
inline constexpr char16_t kDeleteTagCaption[] = u"Delete Tag";

// The row of a tool button, font control or menu item, by object name; nullptr for others.
const FormatCommand *FindFormatCommand(QStringView objectName);

// The font attributes a sender sets, filled from the font controls' current values.
FontChoice FontChoiceFor(unsigned fontParts, const QString &face, const QString &sizeText,
                         const QString &colorHtml);

} // namespace korvel
