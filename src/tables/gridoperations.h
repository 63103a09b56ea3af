#pragma once

// The cell, row and column operations of the designer's table editing, on a table snapshot.
// Each one either gives the changed table or refuses and leaves the table as it was. A table
// whose grid is rectangular stays rectangular: no empty slot, no slot covered twice, no row
// wider than the others; an operation that cannot keep it so is refused. Merging keeps the
// content of every merged cell, in document order.

#include "tables/tablesnapshot.h"

#include <QString>

#include <optional>

namespace korvel {

// The texts the operations put into the cells they make.
inline const QString kSplitCellText = QStringLiteral("Splitted cell");
inline const QString kSplitRowText = QStringLiteral("Splitted row.");
inline const QString kInsertedRowText = QStringLiteral("This is a new inserted row");
inline const QString kInsertedCellText = QStringLiteral("This is a new inserted cell");

enum class GridRefusal {
    None,               // done
    NoSuchCell,         // the address names no cell (or no row) of the table
    NotRectangular,     // the table has empty or doubly covered slots to begin with
    TooFewCells,        // a merge needs at least two cells
    CellsInSeveralRows, // the cells to merge lie in more than one row
    CellsNotSideBySide, // the cells to merge do not follow one another or differ in their rows
    NoCellBelow,        // no cell right below in the same row group, starting at the same
                        // column with the same width
    NoNeighbour,        // no cell beside the one to delete covers the same rows to take its place
    BrokenResult,       // the result would not be a rectangular table the engine can hold
};

struct GridOutcome {
    GridRefusal refusal = GridRefusal::None;
    // The changed table, or when refused the table as given.
    TableSnapshot table;
    // The cell the operation made or kept (the merged cell, the new cell), when there is one.
    std::optional<CellAddress> cell;

    bool done() const { return refusal == GridRefusal::None; }
};

enum class RowPlace { Above, Below, AtEnd };
enum class CellPlace { Before, Behind };

// Merges the cells of one row from first to last (in either order) into the leftmost one: its
// colSpan becomes the sum of theirs and its content the non-blank contents joined by a blank.
GridOutcome mergeCellsRight(const TableSnapshot &table, const CellAddress &first, const CellAddress &last);
// Merges the cell with the cell right below it (same start column, same width, same row group).
GridOutcome mergeCellDown(const TableSnapshot &table, const CellAddress &cell);
// Lowers the cell's colSpan by one and puts a new cell ("Splitted cell") behind it; a cell of
// one column makes a new column, for which the cells above and below it widen.
GridOutcome splitCellHorizontally(const TableSnapshot &table, const CellAddress &cell);
// A cell over several rows gives its last row to a new cell ("Splitted row."); a cell of one
// row gets a new row below it with an empty cell under it, which the other cells of its row
// reach over.
GridOutcome splitCellVertically(const TableSnapshot &table, const CellAddress &cell);
// A new row of cells ("This is a new inserted row") above or below the row, in its row group,
// or at the end of the table's body; cells spanning across the new row's place reach over it.
GridOutcome insertRow(const TableSnapshot &table, int group, int row, RowPlace place);
// A new cell ("This is a new inserted cell") directly before or behind the cell, as high as
// it; for the new column the cells above and below widen.
GridOutcome insertCell(const TableSnapshot &table, const CellAddress &cell, CellPlace place);
// Removes the cell; the cell beside it (left, else right) that covers the same rows takes its
// place. A cell as wide as the table takes its rows with it.
GridOutcome deleteCell(const TableSnapshot &table, const CellAddress &cell);
// Removes the row; a cell that starts in it and reaches further down moves to the next row.
GridOutcome deleteRow(const TableSnapshot &table, int group, int row);
// Removes the columns the cell covers from every row.
GridOutcome deleteColumn(const TableSnapshot &table, const CellAddress &cell);

} // namespace korvel
