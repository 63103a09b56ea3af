#include "tables/tablecommands.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/editordocument.h"
#include "app/filecommands.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "tables/designertableedits.h"
#include "tables/elementactions.h"
#include "tables/sourcetablecommands.h"
#include "tables/tableundo.h"
#include "tables/tforminstr.h"
#include "tables/tformseltd.h"
#include "tables/tformtable.h"

namespace korvel {

namespace {

// What the cell and table lookups show when nothing is found, in both languages.
const QString kNotFoundGerman = QStringLiteral(" nicht gefunden");

} // namespace

TableCommands::TableCommands(CommandContext &context, DesignerController &designer)
    : m_ctx(context), m_designer(designer)
{
    m_tableDialog = new TFormTable(context.prompter(), context.window());
    m_rowDialog = new TFormInsTR(context.window());
    m_cellDialog = new TFormSelTd(context.window());
    for (TableDialog *dialog : {static_cast<TableDialog *>(m_tableDialog), static_cast<TableDialog *>(m_rowDialog),
                                static_cast<TableDialog *>(m_cellDialog)})
        dialog->setHelpHandler([this](int topic) { m_ctx.showHelpContext(topic); });

    DesignerContext &page = designer.context();
    m_actions = std::make_unique<ElementActions>(page);
    m_undo = std::make_unique<TableUndoSteps>(designer.browser());
    m_edits = std::make_unique<DesignerTableEdits>(page, *m_actions, *m_undo, *m_rowDialog, *m_cellDialog);
    m_actions->setHandler(ElementAction::InsertRow, [this](const HtmlElement &e) { m_edits->InsertRow(e); });
    m_actions->setHandler(ElementAction::InsertCell, [this](const HtmlElement &e) { m_edits->InsertCell(e); });
    m_actions->setHandler(ElementAction::Split, [this](const HtmlElement &e) { m_edits->SplitCellHorizontally(e); });
    m_actions->setHandler(ElementAction::Delete, [this](const HtmlElement &e) { m_edits->DeleteElement(e); });
    designer.state().UndoOwnEdit = [this] { return m_undo->undo(); };
    connectActions();
}

TableCommands::~TableCommands()
{
    m_designer.state().UndoOwnEdit = nullptr;
}

void TableCommands::connectActions()
{
    CommandRegistry &commands = m_ctx.commands();
    const auto both = [&commands](const char *id, QStringList triggers, CommandRegistry::Handler source,
                                  CommandRegistry::Handler designer) {
        commands.add(id, triggers).onSource(std::move(source)).onDesigner(std::move(designer));
    };
    both(cmd::SelectCell, {QStringLiteral("ToolButton8")}, [this] { selectInSource("td"); },
         [this] { dispatch(ElementAction::Select, "TD", true); });
    both(cmd::SelectRow, {QStringLiteral("ToolButton11")}, [this] { selectInSource("tr"); },
         [this] { dispatch(ElementAction::Select, "TR"); });
    both(cmd::SelectTable, {QStringLiteral("ToolButton12")}, [this] { selectInSource("table"); },
         [this] { dispatch(ElementAction::Select, "TABLE", true); });
    both(cmd::SelectForm, {QStringLiteral("ToolButton19")}, [this] { selectInSource("form"); },
         [this] { dispatch(ElementAction::Select, "FORM"); });
    both(cmd::NewTable, {QStringLiteral("Table1"), QStringLiteral("ToolButtonInsTable")},
         [this] { insertTableInSource(); }, [this] { m_edits->InsertTableInDesigner(); });
    both(cmd::DeleteTable, {QStringLiteral("ToolButtonDelTable")}, [this] { deleteInSource("table"); },
         [this] { dispatch(ElementAction::Delete, "TABLE"); });
    both(cmd::InsertRow, {QStringLiteral("InsertRow1"), QStringLiteral("ToolButtonInsRow")},
         [this] { insertRowInSource(); }, [this] { dispatch(ElementAction::InsertRow, "TR"); });
    both(cmd::DeleteRow, {QStringLiteral("ToolButtonDelRow")}, [this] { deleteInSource("tr"); },
         [this] { dispatch(ElementAction::Delete, "TR"); });
    both(cmd::InsertCell, {QStringLiteral("InsertColumn1"), QStringLiteral("ToolButtonInsTD")},
         [this] { insertCellInSource(); }, [this] { dispatch(ElementAction::InsertCell, "TD"); });
    both(cmd::DeleteCell, {QStringLiteral("ToolButtonDelTD")}, [this] { deleteInSource("td"); },
         [this] { dispatch(ElementAction::Delete, "TD"); });
    both(cmd::MergeCells, {QStringLiteral("Mergecells1"), QStringLiteral("ToolButtonMerge")},
         [this] { mergeCellsInSource(); }, [this] { m_edits->MergeSelectedCells(); });
    both(cmd::SplitCell, {QStringLiteral("Splitcell1"), QStringLiteral("ToolButtonSplit")},
         [this] { splitCellInSource(); }, [this] { dispatch(ElementAction::Split, "TD"); });
    // Merging with the cell below and splitting into two rows exist only on the designer page.
    const auto designModeOnly = [this] { m_ctx.prompter().information(m_ctx.line(Msg::EnableDesignMode)); };
    both(cmd::MergeCellDown, {QStringLiteral("Extendedmerge1"), QStringLiteral("ButtonColMerge")}, designModeOnly,
         [this] { m_edits->MergeCellDown(); });
    both(cmd::SplitCellVertically, {QStringLiteral("Spaltensplitten1"), QStringLiteral("ButtonColSplit")},
         designModeOnly, [this] { m_edits->SplitCellVertically(); });
}

bool TableCommands::onDesigner() const
{
    return m_ctx.onPage(Page::Designer);
}

void TableCommands::dispatch(ElementAction action, const char *tag, bool fixedGermanText)
{
    const QString tagName = QLatin1String(tag);
    if (!m_actions->ApplyElementAction(action, tagName))
        m_ctx.prompter().plain(tagName + (fixedGermanText ? kNotFoundGerman : m_ctx.line(Msg::NotFound)));
}

// ---- the handlers ----------------------------------------------------------------------------

void TableCommands::ToolButton8Click() { m_ctx.commands().run(cmd::SelectCell); }
void TableCommands::ToolButton11Click() { m_ctx.commands().run(cmd::SelectRow); }
void TableCommands::ToolButton12Click() { m_ctx.commands().run(cmd::SelectTable); }
void TableCommands::ToolButton19Click() { m_ctx.commands().run(cmd::SelectForm); }
void TableCommands::ToolButtonInsTableClick() { m_ctx.commands().run(cmd::NewTable); }
void TableCommands::ToolButtonDelTableClick() { m_ctx.commands().run(cmd::DeleteTable); }
void TableCommands::ToolButtonInsRowClick() { m_ctx.commands().run(cmd::InsertRow); }
void TableCommands::ToolButtonDelRowClick() { m_ctx.commands().run(cmd::DeleteRow); }
void TableCommands::ToolButtonInsTDClick() { m_ctx.commands().run(cmd::InsertCell); }
void TableCommands::ToolButtonDelTDClick() { m_ctx.commands().run(cmd::DeleteCell); }
void TableCommands::ToolButtonMergeClick() { m_ctx.commands().run(cmd::MergeCells); }
void TableCommands::ToolButtonSplitClick() { m_ctx.commands().run(cmd::SplitCell); }
void TableCommands::ButtonColMergeClick() { m_ctx.commands().run(cmd::MergeCellDown); }
void TableCommands::ButtonColSplitClick() { m_ctx.commands().run(cmd::SplitCellVertically); }

// ---- the source side -------------------------------------------------------------------------

void TableCommands::selectInSource(const char *tag)
{
    SelectTableElementInSource(*m_ctx.editor(), m_ctx.prompter(), [this](int n) { return m_ctx.line(n); },
                               QString::fromLatin1(tag));
}

void TableCommands::deleteInSource(const char *tag)
{
    DeleteTableElementInSource(*m_ctx.editor(), m_ctx.prompter(), [this](int n) { return m_ctx.line(n); },
                               QString::fromLatin1(tag));
}

void TableCommands::insertTableInSource()
{
    InsertTableInSourceCommand(*m_ctx.editor(), *m_tableDialog, m_ctx.prompter(), m_ctx.state().UiLanguage);
}

void TableCommands::insertRowInSource()
{
    InsertRowInSourceCommand(*m_ctx.editor(), *m_rowDialog, m_ctx.prompter(), m_ctx.state().UiLanguage);
}

void TableCommands::insertCellInSource()
{
    InsertCellInSourceCommand(*m_ctx.editor());
}

void TableCommands::mergeCellsInSource()
{
    if (!MergeCellsInSourceCommand(*m_ctx.editor(), m_ctx.prompter(), [this](int n) { return m_ctx.line(n); }))
        return;
    // The merge is saved at once. A document that has never been saved has no file yet: it
    // is not written under the placeholder name, it stays modified for the person's own Save.
    const QString &name = m_ctx.document().FileName;
    if (!name.isEmpty() && name != m_ctx.line(Msg::Untitled))
        m_ctx.fileCommands().SaveSourceText();
}

void TableCommands::splitCellInSource()
{
    SplitCellInSourceCommand(*m_ctx.editor(), m_ctx.prompter(), [this](int n) { return m_ctx.line(n); });
}

} // namespace korvel
