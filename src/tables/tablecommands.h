#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

namespace korvel {

class CommandContext;
class DesignerController;
class DesignerTableEdits;
class ElementActions;
class TableUndoSteps;
class TFormInsTR;
class TFormSelTd;
class TFormTable;
enum class ElementAction;

// The table tool bar and the table menu items on both pages. In the source view the commands
// work on the editor's text, each as one undoable edit; on the designer page they find the
// element around the selection (ElementActions) and change the table through its snapshot
// (DesignerTableEdits), each change undone by the editor's Undo. The three table dialogs are
// made here once, as children of the window, and keep their fields for the whole run.
class TableCommands final {
    Q_DISABLE_COPY_MOVE(TableCommands)

public:
    TableCommands(CommandContext &context, DesignerController &designer);
    ~TableCommands();

    // The handlers under their controls' names; each runs the active page's side.
    void ToolButton8Click();
    void ToolButton11Click();
    void ToolButton12Click();
    void ToolButton19Click();
    void ToolButtonInsTableClick();
    void ToolButtonDelTableClick();
    void ToolButtonInsRowClick();
    void ToolButtonDelRowClick();
    void ToolButtonInsTDClick();
    void ToolButtonDelTDClick();
    void ToolButtonMergeClick();
    void ToolButtonSplitClick();
    void ButtonColMergeClick();
    void ButtonColSplitClick();

    ElementActions &elementActions() { return *m_actions; }
    DesignerTableEdits &designerEdits() { return *m_edits; }
    TableUndoSteps &undoSteps() { return *m_undo; }
    TFormTable &tableDialog() { return *m_tableDialog; }
    TFormInsTR &rowDialog() { return *m_rowDialog; }
    TFormSelTd &cellDialog() { return *m_cellDialog; }

private:
    void connectActions();
    bool onDesigner() const;
    // The designer side of the element commands: not found, the tag and the not-found text.
    void dispatch(ElementAction action, const char *tag, bool fixedGermanText = false);

    // The source side.
    void selectInSource(const char *tag);
    void deleteInSource(const char *tag);
    void insertTableInSource();
    void insertRowInSource();
    void insertCellInSource();
    void mergeCellsInSource();
    void splitCellInSource();

    CommandContext &m_ctx;
    DesignerController &m_designer;
    TFormTable *m_tableDialog = nullptr;
    TFormInsTR *m_rowDialog = nullptr;
    TFormSelTd *m_cellDialog = nullptr;
    std::unique_ptr<ElementActions> m_actions;
    std::unique_ptr<TableUndoSteps> m_undo;
    std::unique_ptr<DesignerTableEdits> m_edits;
};

} // namespace korvel
