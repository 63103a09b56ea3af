#include "source/sourcecommands.h"

#include "app/busyindicator.h"
#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/toolbaricons.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/checkhtml.h"
#include "source/finddialogs.h"
#include "source/formspecial.h"
#include "source/hyphenation.h"
#include "source/snippets.h"
#include "source/sourcebatch.h"
#include "source/textmatch.h"
#include "source/transformations.h"

#include <QAction>
#include <QIcon>
#include <QApplication>
#include <QLabel>

namespace korvel {

SourceCommands::SourceCommands(CommandContext &context)
    : QObject(context.window())
    , m_form(context)
{
    setObjectName(QStringLiteral("SourceCommands"));
    m_findDialog = new TFindDialog(context.window());
    m_replaceDialog = new TReplaceDialog(context.window());
    // Made once, like every window, so that its fields keep what they hold between showings.
    m_formSpecial = new TFormSpecial(context.window());
    m_formSpecial->setHelpHandler([this](int context) { m_form.showHelpContext(context); });
    connect(m_findDialog, &TFindDialog::find, this, &SourceCommands::FindDialog1Find);
    connect(m_replaceDialog, &TReplaceDialog::find, this, &SourceCommands::ReplaceDialog1Find);
    connect(m_replaceDialog, &TReplaceDialog::replace, this, &SourceCommands::ReplaceDialog1Replace);
    connectActions();
}

SourceCommands::~SourceCommands() = default;

void SourceCommands::connectActions()
{
    CommandRegistry &commands = m_form.commands();
    const auto add = [&](const char *id, std::initializer_list<const char *> names,
                         void (SourceCommands::*handler)()) -> CommandRegistry::Command & {
        QStringList triggers;
        for (const char *name : names)
            triggers << QLatin1String(name);
        return commands.add(id, triggers).handle([this, handler] { (this->*handler)(); });
    };
    add(cmd::Find, {"Find1", "ToolButtonFind", "Suchen1"}, &SourceCommands::Find1Click);
    add(cmd::FindNext, {"Findnext1", "Weitersuchen1"}, &SourceCommands::Findnext1Click);
    add(cmd::Replace, {"Replace1", "Ersetzen1"}, &SourceCommands::Replace1Click);
    add(cmd::GoToLine, {"GoToLine1"}, &SourceCommands::GoToLine1Click);
    add(cmd::WordWrap, {"ToolButton3"}, &SourceCommands::ToolButton3Click);
    add(cmd::SelectAll, {"Selectall1"}, &SourceCommands::Selectall1Click);
    // The comment command belongs to the source page only.
    add(cmd::Comment, {"Kommentar1"}, &SourceCommands::Kommentar1Click).enabledOn(Page::Source);
    add(cmd::Doctype, {"Doctype1"}, &SourceCommands::Doctype1Click).shortcut(QStringLiteral("Ctrl+Alt+D"));
    add(cmd::Script, {"Script1"}, &SourceCommands::Script1Click).shortcut(QStringLiteral("Ctrl+Alt+C"));
    add(cmd::RemoveLineFeeds, {"NoLineFeed1"}, &SourceCommands::NoLineFeed1Click);
    add(cmd::InsertLineFeeds, {"InsertLineFeeds1"}, &SourceCommands::InsertLineFeeds1Click);
    add(cmd::RemoveHyphenation, {"RemoveHyphenation1"}, &SourceCommands::RemoveHyphenation1Click);
    add(cmd::LowerCase, {"UppertoLower1"}, &SourceCommands::UppertoLower1Click);
    add(cmd::UpperCase, {"LowertoUpper1"}, &SourceCommands::LowertoUpper1Click);
    add(cmd::ReplaceUmlauts, {"Replace3"}, &SourceCommands::Replace3Click);
    add(cmd::CharacterCode, {"MakeEntitie1"}, &SourceCommands::MakeEntitie1Click);
    add(cmd::StringVariable, {"MakeStringVariable1"}, &SourceCommands::MakeStringVariable1Click);
    add(cmd::SpecialCharacters, {"Sonderzeichen1"}, &SourceCommands::Sonderzeichen1Click);
    add(cmd::CheckHtml, {"Paragraph1"}, &SourceCommands::Paragraph1Click);
    add(cmd::GetText, {"GetText1", "ToolButtonText", "Gettext2"}, &SourceCommands::GetText1Click);

    if (QAction *wrap = wordWrapAction())
        wrap->setIcon(wordWrapIcon(editor().wordWrapOn()));
}

QAction *SourceCommands::wordWrapAction() const
{
    const CommandRegistry::Command *command = m_form.commands().find(cmd::WordWrap);
    return command ? command->action() : nullptr;
}

bool SourceCommands::onSourcePage() const
{
    return m_form.onPage(Page::Source);
}

QString SourceCommands::line(int number) const
{
    return m_form.line(number);
}

SynMemo &SourceCommands::editor() const
{
    return *m_form.editor();
}

QAction *SourceCommands::action(const QString &name) const
{
    return m_form.commands().action(name);
}

bool SourceCommands::refuseOnDesignerPage(bool warning)
{
    return !m_form.commands().requireSourcePage(warning ? MessageKind::Warning : MessageKind::Information);
}

void SourceCommands::selectMatch(const FoundRange &match)
{
    editor().selectRange(int(match.start), int(match.length));
}

// After a search that finds nothing, and before a new one, the selection is emptied at the
// editor's offset 1, behind the first character; the next search then starts from the top.
void SourceCommands::caretToSecondPosition()
{
    editor().selectRange(qMin(1, int(editor().text().size())), 0);
}

// The editor's setText forgets the undo history, so a whole-text command written with it could
// not be taken back. The new text goes in place of all the old one instead, as one undo step,
// and the caret returns to the top as after loading a text.
void SourceCommands::replaceWholeText(const QString &text)
{
    editor().setText(text);
}

void SourceCommands::setTextIfChanged(const QString &text)
{
    if (text != editor().text())
        replaceWholeText(text);
}

// Find, find next, replace

void SourceCommands::Find1Click()
{
    if (!onSourcePage()) {
        m_form.commands().runDesignerHandler(cmd::Find);
        return;
    }
    caretToSecondPosition();
    m_findDialog->setLanguage(m_form.state().UiLanguage);
    m_findDialog->show();
    m_findDialog->raise();
    m_findDialog->activateWindow();
}

void SourceCommands::FindDialog1Find()
{
    if (!onSourcePage()) {
        Find1Click();
        return;
    }
    const FoundRange selection{editor().selStart(), editor().selLength()};
    const std::optional<FoundRange> match = FindFromDialog(Search, editor().text(), m_findDialog->findText(),
                                                          m_findDialog->matchCase(), m_findDialog->wholeWord(), selection);
    if (!match) {
        m_form.prompter().plain(line(Msg::SearchNotFound));
        caretToSecondPosition();
        return;
    }
    editor().setFocus();
    selectMatch(*match);
}

void SourceCommands::Findnext1Click()
{
    // The search runs on the source text, which the designer page does not show; there the
    // browser's own find (Find) is the way to search.
    if (!onSourcePage())
        return;
    const FindNextResult result = FindNextMatch(Search, editor().text());
    switch (result.outcome) {
    case FindNextOutcome::Nothing:
        return;
    case FindNextOutcome::NotFound:
        m_form.prompter().plain(line(Msg::SearchNotFound));
        return;
    case FindNextOutcome::Found:
        editor().setFocus();
        selectMatch(result.match);
        return;
    }
}

void SourceCommands::Replace1Click()
{
    if (refuseOnDesignerPage(false))
        return;
    if (QAction *browser = action(QStringLiteral("Browser1")))
        browser->setEnabled(false);
    caretToSecondPosition();
    m_replaceDialog->setFindText(QString());
    m_replaceDialog->setReplaceText(QString());
    m_replaceDialog->setLanguage(m_form.state().UiLanguage);
    m_replaceDialog->show();
    m_replaceDialog->raise();
    m_replaceDialog->activateWindow();
    editor().setModified(true);
}

// The replace dialog stays open when the designer page is entered. Its buttons refuse there:
// a change to the source text would be hidden, and the designer's page would overwrite it on
// the way back.
void SourceCommands::ReplaceDialog1Find()
{
    if (refuseOnDesignerPage(false))
        return;
    const FoundRange selection{editor().selStart(), editor().selLength()};
    const std::optional<FoundRange> match = FindInReplaceDialog(editor().text(), m_replaceDialog->findText(),
                                                               m_replaceDialog->matchCase(), selection);
    if (!match) {
        m_form.prompter().information(line(Msg::SearchNotFound));
        caretToSecondPosition();
        return;
    }
    selectMatch(*match);
}

void SourceCommands::ReplaceDialog1Replace()
{
    if (refuseOnDesignerPage(false))
        return;
    if (m_replaceDialog->replaceAllPressed()) {
        setTextIfChanged(ReplaceAll(editor().text(), m_replaceDialog->findText(), m_replaceDialog->replaceText(),
                                    m_replaceDialog->matchCase()));
        return;
    }
    if (editor().selLength() > 0)
        editor().replaceSelection(m_replaceDialog->replaceText());
}

// Go to line, word wrap, select all, snippets

void SourceCommands::GoToLine1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    if (QAction *browser = action(QStringLiteral("Browser1")))
        browser->setEnabled(false);
    // A cancelled box answers its empty default, which is no number either.
    const QString answer = m_form.prompter().input(QStringLiteral("GoTo"), line(Msg::EnterLineNumber), QString()).value_or(QString());
    const std::optional<int> target = GoToLineIndex(answer, editor().lineCount());
    if (!target) {
        m_form.prompter().plain(line(Msg::InvalidInput));
        return;
    }
    editor().setCaretLineColumn(*target + 1, 1);
}

void SourceCommands::ToolButton3Click()
{
    if (!onSourcePage())
        return;
    setWordWrap(!editor().wordWrapOn(), true);
}

// The panel stays empty until the switch is first used; after that it and the button's glyph
// follow every change of the editor's word wrap.
void SourceCommands::setWordWrap(bool on, bool writePanel)
{
    editor().setWordWrapOn(on);
    if (writePanel || !m_form.statusPanelText(2).isEmpty())
        m_form.setStatusPanelText(2, on ? QStringLiteral("WW=on") : QStringLiteral("WW=off"));
    if (QAction *wrap = wordWrapAction())
        wrap->setIcon(wordWrapIcon(on));
}

void SourceCommands::Selectall1Click()
{
    if (!onSourcePage()) {
        m_form.commands().runDesignerHandler(cmd::SelectAll);
        return;
    }
    editor().selectAll();
}

void SourceCommands::Kommentar1Click()
{
    if (!onSourcePage())
        return;
    editor().replaceSelection(CommentSnippet(editor().selText()));
}

void SourceCommands::Doctype1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    replaceWholeText(WithDoctype(editor().text()));
}

void SourceCommands::Script1Click()
{
    if (refuseOnDesignerPage(false))
        return;
    editor().replaceSelection(ScriptSnippet());
}

// Text transformations

void SourceCommands::NoLineFeed1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    setTextIfChanged(RemoveLineFeeds(editor().text(), SavedHead));
}

void SourceCommands::InsertLineFeeds1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    setTextIfChanged(InsertLineFeeds(editor().text(), SavedHead));
}

void SourceCommands::RemoveHyphenation1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    const HyphenationResult result = RemoveHyphenation(editor().text());
    if (result.count > 0)
        replaceWholeText(result.text);
    m_form.prompter().plain(HyphenationReport(result.count, [this](int n) { return line(n); }));
}

void SourceCommands::letterCase(bool upper)
{
    if (!onSourcePage()) {
        m_form.commands().runDesignerHandler(upper ? cmd::UpperCase : cmd::LowerCase);
        return;
    }
    const QString selection = editor().selText();
    if (selection.isEmpty())
        return;
    editor().replaceSelection(upper ? AsciiUpperCase(selection) : AsciiLowerCase(selection));
}

void SourceCommands::UppertoLower1Click()
{
    letterCase(false);
}

void SourceCommands::LowertoUpper1Click()
{
    letterCase(true);
}

void SourceCommands::Replace3Click()
{
    if (refuseOnDesignerPage(true))
        return;
    setTextIfChanged(ReplaceUmlauts(editor().text()));
}

void SourceCommands::MakeEntitie1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    const std::optional<QString> code = CharacterCode(editor().selText());
    if (!code) {
        m_form.prompter().message(MessageKind::Confirmation, line(Msg::SelectCharacterFirst), Buttons::Ok);
        return;
    }
    editor().replaceSelection(*code);
}

void SourceCommands::MakeStringVariable1Click()
{
    if (refuseOnDesignerPage(true))
        return;
    setWordWrap(false, false);
    if (const std::optional<QString> result = MakeStringVariable(editor().text()))
        replaceWholeText(*result);
}

void SourceCommands::Sonderzeichen1Click()
{
    m_formSpecial->setLanguage(m_form.state().UiLanguage);
    m_form.prompter().execDialog(*m_formSpecial);
}

// Check HTML

void SourceCommands::Paragraph1Click()
{
    CheckReport.clear();
    // From the designer the page goes back to the source first, as when the user changes it.
    if (!onSourcePage())
        m_form.setActivePage(int(Page::Source));
    CheckHtmlResult result;
    {
        const BusyIndicator busy;
        result = CheckHtml(editor().text(), [this](int n) { return line(n); });
        setTextIfChanged(result.text);
        editor().repaint();
    }
    CheckReport = result.CheckReport;
    m_form.prompter().information(result.message);
    editor().setModified(true);
}

// Text extraction

void SourceCommands::GetText1Click()
{
    if (!m_form.commands().requireDesignerPage())
        return;
    m_form.commands().runDesignerHandler(cmd::GetText);
}

} // namespace korvel
