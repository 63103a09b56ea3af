#include "tables/tablegrid.h"

#include <algorithm>

namespace korvel {

TableGrid::TableGrid(const TableSnapshot &snapshot)
{
    // Which cell claimed each slot while placing; rows grow as cells reach further right.
    QList<QList<int>> claimed;
    int first = 0;
    for (int g = 0; g < snapshot.groups.size(); ++g) {
        const QList<TableRow> &rows = snapshot.groups[g].rows;
        m_groupFirstRow.append(first);
        m_groupRowCount.append(rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            claimed.append(QList<int>());
            m_cellsOfRow.append(QList<int>());
        }
        for (int r = 0; r < rows.size(); ++r) {
            const int y = first + r;
            int x = 0;
            for (int c = 0; c < rows[r].cells.size(); ++c) {
                const TableCell &cell = rows[r].cells[c];
                while (x < claimed[y].size() && claimed[y][x] >= 0)
                    ++x;
                const int left = rows.size() - r;
                PlacedCell placed{{g, r, c}, y, x, cell.rowSpan <= 0 ? left : std::min(cell.rowSpan, left),
                                  std::max(cell.colSpan, 1)};
                const int index = m_cells.size();
                for (int dy = 0; dy < placed.rowSpan; ++dy) {
                    QList<int> &line = claimed[y + dy];
                    if (line.size() < x + placed.colSpan)
                        line.resize(x + placed.colSpan, -1);
                    for (int dx = 0; dx < placed.colSpan; ++dx) {
                        if (line[x + dx] >= 0)
                            ++m_overlaps;
                        else
                            line[x + dx] = index;
                    }
                }
                m_cells.append(placed);
                m_cellsOfRow[y].append(index);
                x += placed.colSpan;
            }
        }
        first += rows.size();
    }
    m_rowCount = first;
    for (const QList<int> &line : claimed)
        m_columnCount = std::max(m_columnCount, static_cast<int>(line.size()));
    m_slots.fill(-1, m_rowCount * m_columnCount);
    for (int y = 0; y < m_rowCount; ++y) {
        for (int x = 0; x < m_columnCount; ++x) {
            const int owner = x < claimed[y].size() ? claimed[y][x] : -1;
            m_slots[slot(y, x)] = owner;
            if (owner < 0)
                ++m_holes;
        }
    }
}

const PlacedCell *TableGrid::cellAt(int row, int column) const
{
    if (row < 0 || row >= m_rowCount || column < 0 || column >= m_columnCount)
        return nullptr;
    const int owner = m_slots[slot(row, column)];
    return owner >= 0 ? &m_cells[owner] : nullptr;
}

const PlacedCell *TableGrid::placed(const CellAddress &address) const
{
    const int y = gridRow(address.group, address.row);
    if (y < 0 || address.cell < 0 || address.cell >= m_cellsOfRow[y].size())
        return nullptr;
    return &m_cells[m_cellsOfRow[y][address.cell]];
}

int TableGrid::gridRow(int group, int row) const
{
    if (group < 0 || group >= m_groupFirstRow.size() || row < 0 || row >= m_groupRowCount[group])
        return -1;
    return m_groupFirstRow[group] + row;
}

int TableGrid::groupOfRow(int gridRow) const
{
    for (int g = 0; g < m_groupFirstRow.size(); ++g) {
        if (gridRow >= m_groupFirstRow[g] && gridRow < m_groupFirstRow[g] + m_groupRowCount[g])
            return g;
    }
    return -1;
}

int TableGrid::firstRowOfGroup(int group) const
{
    return group >= 0 && group < m_groupFirstRow.size() ? m_groupFirstRow[group] : -1;
}

int TableGrid::rowCountOfGroup(int group) const
{
    return group >= 0 && group < m_groupRowCount.size() ? m_groupRowCount[group] : 0;
}

QList<const PlacedCell *> TableGrid::cellsCoveringRow(int row) const
{
    QList<const PlacedCell *> covering;
    for (int x = 0; x < m_columnCount; ++x) {
        const PlacedCell *cell = cellAt(row, x);
        if (cell && (covering.isEmpty() || covering.last() != cell))
            covering.append(cell);
    }
    return covering;
}

int TableGrid::insertionIndex(int gridRow, int column) const
{
    if (gridRow < 0 || gridRow >= m_rowCount)
        return 0;
    const QList<int> &own = m_cellsOfRow[gridRow];
    return static_cast<int>(std::count_if(own.begin(), own.end(),
                                          [&](int index) { return m_cells[index].column < column; }));
}

} // namespace korvel
