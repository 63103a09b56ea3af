#pragma once

// A table of the designer document as plain data: its row groups, their rows and the rows'
// cells, each cell with its tag, spans, attributes and inner HTML. The table operations work on
// it without the engine; the engine reads a table into one and writes a changed one back.

#include <QList>
#include <QString>

#include <optional>
#include <utility>

namespace korvel {

// Attributes in document order, names as the engine reports them.
using TableAttributes = QList<std::pair<QString, QString>>;

struct TableCell {
    QString tagName = QStringLiteral("TD"); // "TD" or "TH"
    // The spans the engine gives the cell: colSpan at least 1; rowSpan 0 reaches to the end of
    // the row group. They agree with the colspan and rowspan among the attributes.
    int rowSpan = 1;
    int colSpan = 1;
    TableAttributes attributes;
    QString innerHTML;

    bool operator==(const TableCell &) const = default;
};

struct TableRow {
    TableAttributes attributes;
    QList<TableCell> cells;

    bool operator==(const TableRow &) const = default;
};

// THEAD, TBODY or TFOOT; None stands for rows that are children of the table itself.
enum class RowGroupKind { None, Head, Body, Foot };

struct TableRowGroup {
    RowGroupKind kind = RowGroupKind::Body;
    TableAttributes attributes;
    QList<TableRow> rows;

    bool operator==(const TableRowGroup &) const = default;
};

// A cell by its place in the snapshot: row group, row within the group, cell within the row.
struct CellAddress {
    int group = 0;
    int row = 0;
    int cell = 0;

    bool operator==(const CellAddress &) const = default;
};

struct TableSnapshot {
    QList<TableRowGroup> groups;
    // Where the element the snapshot was read from sits, when it was a cell (or a row: cell -1).
    std::optional<CellAddress> origin;

    bool operator==(const TableSnapshot &) const = default;

    const TableCell *cell(const CellAddress &address) const;
    TableCell *cell(const CellAddress &address);
    const TableRow *row(int group, int row) const;
    TableRow *row(int group, int row);
};

// The attribute's value (name compared without regard to case), or a null text.
QString attributeValue(const TableAttributes &attributes, const QString &name);
// Sets the attribute in its place, or appends it; removeAttribute drops every occurrence.
void setAttributeValue(TableAttributes &attributes, const QString &name, const QString &value);
void removeAttribute(TableAttributes &attributes, const QString &name);

// Change a cell's span together with its attribute: a span of 1 carries no attribute.
void setCellColSpan(TableCell &cell, int span);
void setCellRowSpan(TableCell &cell, int span);

// A new TD with the given text as its content (escaped) and the spans, carrying only the span
// attributes it needs.
TableCell newTableCell(const QString &text, int colSpan = 1, int rowSpan = 1);

// The text put into an element as its innerText, as inner HTML.
QString escapeCellText(const QString &text);

} // namespace korvel
