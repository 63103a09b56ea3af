#include "tables/gridoperations.h"

#include "tables/tablegrid.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <map>

namespace korvel {

namespace {

// What the engine holds a cell's spans to.
constexpr int kMaxColSpan = 1000;
constexpr int kMaxRowSpan = 65534;

GridOutcome refuse(const TableSnapshot &table, GridRefusal why)
{
    return GridOutcome{why, table, std::nullopt};
}

// The last check of every operation: a table that is not rectangular, or that holds a span
// the engine would cut, is not handed out.
GridOutcome finish(const TableSnapshot &before, TableSnapshot after, std::optional<CellAddress> cell)
{
    for (const TableRowGroup &group : after.groups) {
        for (const TableRow &row : group.rows) {
            for (const TableCell &c : row.cells) {
                if (c.colSpan > kMaxColSpan || c.rowSpan > kMaxRowSpan)
                    return refuse(before, GridRefusal::BrokenResult);
            }
        }
    }
    if (!TableGrid(after).isRectangular())
        return refuse(before, GridRefusal::BrokenResult);
    return GridOutcome{GridRefusal::None, std::move(after), cell};
}

// The cell's rows reach to the end of its row group by themselves (rowspan 0, or a rowspan
// longer than the rows left), so they follow when the group grows or shrinks there.
bool reachesGroupEnd(const TableCell &cell, const PlacedCell &placed)
{
    return cell.rowSpan == 0 || cell.rowSpan > placed.rowSpan;
}

// The contents of merged cells, in order: the blank ones add nothing.
QString joinedContents(const QStringList &contents)
{
    QStringList kept;
    for (const QString &content : contents) {
        if (!content.trimmed().isEmpty())
            kept.append(content);
    }
    return kept.isEmpty() ? contents.value(0) : kept.join(QLatin1Char(' '));
}

// Widens once each cell that covers the column in a row outside [fromRow, toRow].
void widenColumnOutside(TableSnapshot &table, const TableGrid &grid, int column, int fromRow, int toRow)
{
    QSet<const PlacedCell *> widened;
    for (int y = 0; y < grid.rowCount(); ++y) {
        if (y >= fromRow && y <= toRow)
            continue;
        const PlacedCell *covering = grid.cellAt(y, column);
        if (!covering || widened.contains(covering))
            continue;
        widened.insert(covering);
        TableCell *cell = table.cell(covering->address);
        setCellColSpan(*cell, cell->colSpan + 1);
    }
}

// Puts a new row into the group at index k; the row of the grid next to it (reference, just
// above or just below) gives the new row its cells: one under each of its cells that does not
// reach over the new row. Cells that do reach over it grow by one row.
CellAddress insertRowAt(TableSnapshot &table, const TableGrid &grid, int group, int k, int reference,
                        bool referenceAbove, const QString &text)
{
    const bool atGroupEnd = k == grid.rowCountOfGroup(group);
    TableRow row;
    for (const PlacedCell *placed : grid.cellsCoveringRow(reference)) {
        TableCell &cell = *table.cell(placed->address);
        const bool spansOver = referenceAbove ? placed->lastRow() > reference : placed->row < reference;
        if (spansOver) {
            if (!reachesGroupEnd(cell, *placed))
                setCellRowSpan(cell, placed->rowSpan + 1);
            continue;
        }
        // A cell reaching to the end of the group would run into a row added there.
        if (referenceAbove && atGroupEnd && reachesGroupEnd(cell, *placed))
            setCellRowSpan(cell, placed->rowSpan);
        row.cells.append(newTableCell(text, placed->colSpan));
    }
    table.groups[group].rows.insert(k, row);
    return CellAddress{group, k, 0};
}

} // namespace

GridOutcome mergeCellsRight(const TableSnapshot &table, const CellAddress &first, const CellAddress &last)
{
    const TableGrid grid(table);
    if (!table.cell(first) || !table.cell(last))
        return refuse(table, GridRefusal::NoSuchCell);
    if (first.group != last.group || first.row != last.row)
        return refuse(table, GridRefusal::CellsInSeveralRows);
    if (first.cell == last.cell)
        return refuse(table, GridRefusal::TooFewCells);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    const int from = std::min(first.cell, last.cell);
    const int to = std::max(first.cell, last.cell);
    const PlacedCell *leftmost = grid.placed({first.group, first.row, from});
    QStringList contents;
    int span = 0;
    for (int c = from; c <= to; ++c) {
        const PlacedCell *placed = grid.placed({first.group, first.row, c});
        if (placed->column != leftmost->column + span || placed->rowSpan != leftmost->rowSpan)
            return refuse(table, GridRefusal::CellsNotSideBySide);
        span += placed->colSpan;
        contents.append(table.cell(placed->address)->innerHTML);
    }
    TableSnapshot result = table;
    TableRow &row = *result.row(first.group, first.row);
    TableCell &target = row.cells[from];
    target.innerHTML = joinedContents(contents);
    setCellColSpan(target, span);
    row.cells.remove(from + 1, to - from);
    return finish(table, std::move(result), CellAddress{first.group, first.row, from});
}

GridOutcome mergeCellDown(const TableSnapshot &table, const CellAddress &address)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    const int below = placed->lastRow() + 1;
    const PlacedCell *next = grid.cellAt(below, placed->column);
    if (!next || grid.groupOfRow(below) != address.group || next->row != below || next->column != placed->column
        || next->colSpan != placed->colSpan)
        return refuse(table, GridRefusal::NoCellBelow);
    TableSnapshot result = table;
    TableCell &cell = *result.cell(address);
    cell.innerHTML = joinedContents({cell.innerHTML, table.cell(next->address)->innerHTML});
    setCellRowSpan(cell, placed->rowSpan + next->rowSpan);
    result.row(next->address.group, next->address.row)->cells.removeAt(next->address.cell);
    return finish(table, std::move(result), address);
}

GridOutcome splitCellHorizontally(const TableSnapshot &table, const CellAddress &address)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    TableCell &cell = *result.cell(address);
    if (placed->colSpan > 1)
        setCellColSpan(cell, placed->colSpan - 1);
    else
        widenColumnOutside(result, grid, placed->column, placed->row, placed->lastRow());
    const CellAddress added{address.group, address.row, address.cell + 1};
    result.row(address.group, address.row)->cells.insert(added.cell, newTableCell(kSplitCellText, 1, placed->rowSpan));
    return finish(table, std::move(result), added);
}

GridOutcome splitCellVertically(const TableSnapshot &table, const CellAddress &address)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    TableCell &cell = *result.cell(address);
    if (placed->rowSpan >= 2) {
        // The cell's last row goes to the new cell.
        const int last = placed->lastRow();
        const int lastInGroup = last - grid.firstRowOfGroup(address.group);
        const CellAddress added{address.group, lastInGroup, grid.insertionIndex(last, placed->column)};
        setCellRowSpan(cell, placed->rowSpan - 1);
        result.row(added.group, added.row)
            ->cells.insert(added.cell, newTableCell(kSplitRowText, placed->colSpan));
        return finish(table, std::move(result), added);
    }
    // A new row under the cell: everything else in the cell's row reaches over it.
    const bool atGroupEnd = address.row + 1 == grid.rowCountOfGroup(address.group);
    for (const PlacedCell *other : grid.cellsCoveringRow(placed->row)) {
        if (other == placed)
            continue;
        TableCell &spanning = *result.cell(other->address);
        if (!reachesGroupEnd(spanning, *other))
            setCellRowSpan(spanning, other->rowSpan + 1);
    }
    if (atGroupEnd && reachesGroupEnd(cell, *placed))
        setCellRowSpan(cell, 1);
    TableRow row;
    TableCell empty = newTableCell(QString(), placed->colSpan);
    row.cells.append(empty);
    result.groups[address.group].rows.insert(address.row + 1, row);
    return finish(table, std::move(result), CellAddress{address.group, address.row + 1, 0});
}

GridOutcome insertRow(const TableSnapshot &table, int group, int row, RowPlace place)
{
    const TableGrid grid(table);
    if (place == RowPlace::AtEnd) {
        // The end of the table's body: its last row group that is not head or foot, else its
        // last row group with rows.
        group = -1;
        for (int g = table.groups.size() - 1; g >= 0 && group < 0; --g) {
            const RowGroupKind kind = table.groups[g].kind;
            if (!table.groups[g].rows.isEmpty() && (kind == RowGroupKind::Body || kind == RowGroupKind::None))
                group = g;
        }
        for (int g = table.groups.size() - 1; g >= 0 && group < 0; --g) {
            if (!table.groups[g].rows.isEmpty())
                group = g;
        }
        row = group >= 0 ? table.groups[group].rows.size() - 1 : -1;
    }
    const int reference = grid.gridRow(group, row);
    if (reference < 0)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    const bool above = place == RowPlace::Above;
    const CellAddress added =
        insertRowAt(result, grid, group, above ? row : row + 1, reference, !above, kInsertedRowText);
    const bool hasCell = !result.groups[group].rows[added.row].cells.isEmpty();
    return finish(table, std::move(result), hasCell ? std::optional<CellAddress>(added) : std::nullopt);
}

GridOutcome insertCell(const TableSnapshot &table, const CellAddress &address, CellPlace place)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    const bool before = place == CellPlace::Before;
    widenColumnOutside(result, grid, before ? placed->column : placed->lastColumn(), placed->row, placed->lastRow());
    const CellAddress added{address.group, address.row, before ? address.cell : address.cell + 1};
    result.row(address.group, address.row)
        ->cells.insert(added.cell, newTableCell(kInsertedCellText, 1, placed->rowSpan));
    return finish(table, std::move(result), added);
}

GridOutcome deleteCell(const TableSnapshot &table, const CellAddress &address)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    if (placed->column == 0 && placed->colSpan == grid.columnCount()) {
        // Nothing else lies in the cell's rows.
        result.groups[address.group].rows.remove(address.row, placed->rowSpan);
        return finish(table, std::move(result), std::nullopt);
    }
    const auto sameRows = [placed](const PlacedCell *other) {
        return other && other->row == placed->row && other->rowSpan == placed->rowSpan;
    };
    const PlacedCell *heir = grid.cellAt(placed->row, placed->column - 1);
    if (!sameRows(heir))
        heir = grid.cellAt(placed->row, placed->lastColumn() + 1);
    if (!sameRows(heir))
        return refuse(table, GridRefusal::NoNeighbour);
    TableCell &taker = *result.cell(heir->address);
    setCellColSpan(taker, heir->colSpan + placed->colSpan);
    result.row(address.group, address.row)->cells.removeAt(address.cell);
    const int heirIndex = heir->address.cell > address.cell ? heir->address.cell - 1 : heir->address.cell;
    return finish(table, std::move(result), CellAddress{address.group, address.row, heirIndex});
}

GridOutcome deleteRow(const TableSnapshot &table, int group, int row)
{
    const TableGrid grid(table);
    const int y = grid.gridRow(group, row);
    if (y < 0)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    TableSnapshot result = table;
    // Cells that start in the row and reach further down go on in the next row, keeping their
    // place in it; they are put there left to right.
    QList<TableCell> moving;
    QList<int> movingColumns;
    for (const PlacedCell *placed : grid.cellsCoveringRow(y)) {
        TableCell &cell = *result.cell(placed->address);
        if (placed->rowSpan == 1)
            continue;
        if (!reachesGroupEnd(cell, *placed))
            setCellRowSpan(cell, placed->rowSpan - 1);
        if (placed->row == y) {
            moving.append(cell);
            movingColumns.append(placed->column);
        }
    }
    if (!moving.isEmpty()) {
        TableRow &next = *result.row(group, row + 1);
        for (int i = 0; i < moving.size(); ++i)
            next.cells.insert(grid.insertionIndex(y + 1, movingColumns[i]) + i, moving[i]);
    }
    result.groups[group].rows.removeAt(row);
    return finish(table, std::move(result), std::nullopt);
}

GridOutcome deleteColumn(const TableSnapshot &table, const CellAddress &address)
{
    const TableGrid grid(table);
    const PlacedCell *placed = grid.placed(address);
    if (!placed)
        return refuse(table, GridRefusal::NoSuchCell);
    if (!grid.isRectangular())
        return refuse(table, GridRefusal::NotRectangular);
    const int from = placed->column;
    const int to = placed->lastColumn();
    TableSnapshot result = table;
    // Cells to remove, per row, from the right so that the indices stay true.
    std::map<std::pair<int, int>, QList<int>> doomed;
    for (const PlacedCell &cell : grid.cells()) {
        const int shared = std::min(to, cell.lastColumn()) - std::max(from, cell.column) + 1;
        if (shared <= 0)
            continue;
        if (shared == cell.colSpan)
            doomed[{cell.address.group, cell.address.row}].prepend(cell.address.cell);
        else
            setCellColSpan(*result.cell(cell.address), cell.colSpan - shared);
    }
    for (const auto &[where, cells] : doomed) {
        for (int c : cells)
            result.row(where.first, where.second)->cells.removeAt(c);
    }
    return finish(table, std::move(result), std::nullopt);
}

} // namespace korvel
