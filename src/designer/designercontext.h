#pragma once

#include "app/commandcontext.h"
#include "designer/designerstate.h"

#include <QString>
#include <QVariant>

class QLineEdit;

namespace korvel {

class CommandRegistry;
class Prompter;
class WebEngineBrowser;

// What the designer's command parts share: the main window's command context, the engine and
// the designer state, with the small questions every part asks of them.
class DesignerContext final {
public:
    DesignerContext(CommandContext &shell, WebEngineBrowser &browser, DesignerState &state)
        : shell(shell), browser(browser), state(state) {}

    CommandContext &shell;
    WebEngineBrowser &browser;
    DesignerState &state;

    Prompter &prompter() { return shell.prompter(); }
    CommandRegistry &commands() { return shell.commands(); }
    QString line(int number) const { return shell.line(number); }

    bool onDesignerPage() const { return shell.onPage(Page::Designer); }
    bool documentLoaded() const;
    bool onlineLocation() const;
    // The address box of the tool bar.
    QLineEdit *editUrl() const;

    // Runs an editing-group command (the design-time borders, the tag glyphs) on the page.
    void ExecEditingCommand(int command, const QVariant &value);
    // The one way a fragment is pasted into the designer's page: at the start of the selection,
    // keeping what is selected. Nothing happens without a page or when an element (a picture,
    // a field) is selected; a failure is reported with catalogue line 45.
    void PasteHtmlAtSelection(const QString &html);
    // Writes the editor's text to a file in the document's format.
    bool writeEditorTextTo(const QString &path);
};

// The editing-group commands of the engine.
namespace EditingCommand {
inline constexpr int ShowBorders = 2328;   // design-time borders on (true) or off
inline constexpr int HideGlyphs = 2336;    // tag glyphs off
inline constexpr int ShowGlyphs = 2337;    // tag glyphs on, from a glyph table
} // namespace EditingCommand

// How long an engine call may take on a page made from a source text of this length: the engine's
// work grows with the page, so a large page gets more time before a call counts as failed.
int DesignerCallTimeout(qsizetype sourceLength);

// Two names of one local file, compared as the file system sees them.
bool SameFile(const QString &a, const QString &b);

} // namespace korvel
