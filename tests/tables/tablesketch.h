#pragma once

// Tables written and read as short sketches, so that a test shows the layout it means.
// A sketch: row groups separated by "#" (prefix "H:" head, "F:" foot, "N:" rows of the table
// itself, otherwise a body), rows by "|", cells by blanks; a cell is its content ("_" for
// none) with ":colspan" or ":colspanxrowspan" behind it ("a:2x3"), rowspan 0 as "x0".
// A rendering: every row of the grid as the contents of its line joined by ",", rows joined
// by "|"; "." is an empty slot and "_" a cell without content.

#include "tables/tablegrid.h"
#include "teststrings.h"
#include "tables/tablesnapshot.h"

#include <QRegularExpression>
#include <QStringList>

#include <ostream>

// Texts read in test failures.

namespace korvel::test {

inline TableSnapshot sketchTable(const QString &sketch)
{
    static const QRegularExpression cellPattern(QStringLiteral("^(.*?)(?::(\\d+)(?:x(\\d+))?)?$"));
    TableSnapshot table;
    for (QString groupText : sketch.split(QLatin1Char('#'))) {
        groupText = groupText.trimmed();
        TableRowGroup group;
        if (groupText.startsWith(QLatin1String("H:")))
            group.kind = RowGroupKind::Head;
        else if (groupText.startsWith(QLatin1String("F:")))
            group.kind = RowGroupKind::Foot;
        else if (groupText.startsWith(QLatin1String("N:")))
            group.kind = RowGroupKind::None;
        if (group.kind != RowGroupKind::Body)
            groupText = groupText.mid(2);
        for (const QString &rowText : groupText.split(QLatin1Char('|'))) {
            TableRow row;
            for (const QString &token : rowText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                const QRegularExpressionMatch match = cellPattern.match(token);
                TableCell cell;
                cell.innerHTML = match.captured(1) == QLatin1String("_") ? QString() : match.captured(1);
                if (match.hasCaptured(2))
                    setCellColSpan(cell, match.captured(2).toInt());
                if (match.hasCaptured(3)) {
                    const int rows = match.captured(3).toInt();
                    setCellRowSpan(cell, rows);
                    if (rows == 0) {
                        cell.rowSpan = 0;
                        setAttributeValue(cell.attributes, QStringLiteral("rowspan"), QStringLiteral("0"));
                    }
                }
                row.cells.append(cell);
            }
            group.rows.append(row);
        }
        table.groups.append(group);
    }
    return table;
}

inline QString renderGrid(const TableSnapshot &table)
{
    const TableGrid grid(table);
    QStringList rows;
    for (int y = 0; y < grid.rowCount(); ++y) {
        QStringList line;
        for (int x = 0; x < grid.columnCount(); ++x) {
            const PlacedCell *placed = grid.cellAt(y, x);
            const QString html = placed ? table.cell(placed->address)->innerHTML : QStringLiteral(".");
            line.append(html.isEmpty() ? QStringLiteral("_") : html);
        }
        rows.append(line.join(QLatin1Char(',')));
    }
    return rows.join(QLatin1Char('|'));
}

// Every cell content of the table, in document order.
inline QStringList cellContents(const TableSnapshot &table)
{
    QStringList contents;
    for (const TableRowGroup &group : table.groups) {
        for (const TableRow &row : group.rows) {
            for (const TableCell &cell : row.cells)
                contents.append(cell.innerHTML);
        }
    }
    return contents;
}

} // namespace korvel::test
