#pragma once

// The slot grid of a table, as the browser lays it out: every (row, column) slot with the cell
// that covers it. Rows are counted over all row groups in document order; a cell starts in the
// first free slot of its row and covers colSpan columns and rowSpan rows, cut off at the end of
// its row group (a rowSpan of 0 reaches to that end). A grid is rectangular when no slot is
// empty and none is covered twice.

#include "tables/tablesnapshot.h"

#include <QList>

#include <optional>

namespace korvel {

// A cell as placed in the grid, with the spans it really covers.
struct PlacedCell {
    CellAddress address;
    int row = 0;     // first row, over all groups
    int column = 0;  // first column
    int rowSpan = 1; // rows covered, after the cut at the end of the group
    int colSpan = 1;

    int lastRow() const { return row + rowSpan - 1; }
    int lastColumn() const { return column + colSpan - 1; }
};

class TableGrid final {
public:
    explicit TableGrid(const TableSnapshot &snapshot);

    int rowCount() const { return m_rowCount; }
    int columnCount() const { return m_columnCount; }

    // The cell covering the slot (the first one placed there when two overlap), or null.
    const PlacedCell *cellAt(int row, int column) const;
    // Where a cell of the snapshot lies, or null when there is no such cell.
    const PlacedCell *placed(const CellAddress &address) const;
    // Every cell, in document order.
    const QList<PlacedCell> &cells() const { return m_cells; }

    // The row over all groups of a group's row, and back.
    int gridRow(int group, int row) const;
    int groupOfRow(int gridRow) const;
    int firstRowOfGroup(int group) const;
    int rowCountOfGroup(int group) const;

    // Empty slots within the grid's width, and slots covered by more than one cell.
    int holeCount() const { return m_holes; }
    int overlapCount() const { return m_overlaps; }
    bool isRectangular() const { return m_holes == 0 && m_overlaps == 0; }

    // The cells covering a row, left to right.
    QList<const PlacedCell *> cellsCoveringRow(int row) const;
    // The index in the row (of the snapshot) at which a cell starting at the column belongs.
    int insertionIndex(int gridRow, int column) const;

private:
    int slot(int row, int column) const { return row * m_columnCount + column; }

    QList<PlacedCell> m_cells;
    QList<int> m_slots; // index into m_cells, -1 for an empty slot
    QList<int> m_groupFirstRow;
    QList<int> m_groupRowCount;
    QList<QList<int>> m_cellsOfRow; // per grid row: indices of the cells that start there
    int m_rowCount = 0;
    int m_columnCount = 0;
    int m_holes = 0;
    int m_overlaps = 0;
};

} // namespace korvel
