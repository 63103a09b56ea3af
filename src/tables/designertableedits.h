#pragma once

#include "tables/gridoperations.h"
#include "tables/tablesnapshot.h"

#include <QString>

#include <functional>
#include <optional>

namespace korvel {

class DesignerContext;
class ElementActions;
class HtmlElement;
class TableUndoSteps;
class TextRange;
class TFormInsTR;
class TFormSelTd;

// Catalogue lines of the designer's table commands.
inline constexpr int kLineRowNotFound = 3;
inline constexpr int kLineCellNotFound = 5;
inline constexpr int kLineInsertKeptTable = 44;
inline constexpr int kLineSelectTwoTableCells = 46;
inline constexpr int kLineNoCellFound = 47;
inline constexpr int kLineTableNotFound = 48;

// The one-cell table the designer's new-table command inserts.
inline const QString kPlaceholderTable = QStringLiteral("<table><tr><td>New Table</td></tr></table>");

// The table commands on the designer's page. Each change reads the table in one call as a
// snapshot, runs the grid operation on it and writes the result back in one call, so a refused
// operation leaves the page as it was; each change is kept for the editor's Undo. The element
// handlers get the element the element commands found; the others start from the selection.
class DesignerTableEdits final {
    Q_DISABLE_COPY_MOVE(DesignerTableEdits)

public:
    DesignerTableEdits(DesignerContext &context, ElementActions &actions, TableUndoSteps &undo,
                       TFormInsTR &rowDialog, TFormSelTd &cellDialog)
        : m_ctx(context), m_actions(actions), m_undo(undo), m_rowDialog(rowDialog), m_cellDialog(cellDialog) {}

    // Handlers of the element commands.
    void InsertRow(const HtmlElement &row);
    void InsertCell(const HtmlElement &cell);
    void SplitCellHorizontally(const HtmlElement &cell);
    // A cell or row leaves the table whole (deleteCell, deleteRow), or in a table with gaps
    // simply goes; any other element goes with its content.
    void DeleteElement(const HtmlElement &element);

    // Commands that start from the selection.
    void MergeSelectedCells();
    void MergeCellDown();
    void SplitCellVertically();
    // The placeholder table, or on request the table the element commands kept last.
    void InsertTableInDesigner();

private:
    struct ReadTable;
    using Operation = std::function<GridOutcome(const TableSnapshot &, const CellAddress &origin)>;

    std::optional<ReadTable> read(const HtmlElement &element);
    // Writes the outcome back (or reports its refusal, naming `failedLine` for the refusals
    // without a line of their own) and selects the cell it names.
    bool write(const ReadTable &table, const GridOutcome &outcome, int failedLine);
    bool change(const HtmlElement &element, const Operation &operation, int failedLine);
    void report(GridRefusal refusal, int failedLine);

    // The designer selection as a range collapsed to its start, when it is text or a caret;
    // line 4 when the range cannot be made.
    std::optional<TextRange> selectionStart(bool *failed);
    std::optional<HtmlElement> cellOfSelection(int notFoundLine);

    DesignerContext &m_ctx;
    ElementActions &m_actions;
    TableUndoSteps &m_undo;
    TFormInsTR &m_rowDialog;
    TFormSelTd &m_cellDialog;
};

} // namespace korvel
