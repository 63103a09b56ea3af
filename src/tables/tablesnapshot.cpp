#include "tables/tablesnapshot.h"

namespace korvel {

const TableRow *TableSnapshot::row(int group, int row) const
{
    if (group < 0 || group >= groups.size())
        return nullptr;
    const QList<TableRow> &rows = groups[group].rows;
    return row >= 0 && row < rows.size() ? &rows[row] : nullptr;
}

// The lists are shared between copies: a row or cell given out for writing must be this
// snapshot's own, so the lists are reached through their writing accessors.
TableRow *TableSnapshot::row(int group, int row)
{
    if (!std::as_const(*this).row(group, row))
        return nullptr;
    return &groups[group].rows[row];
}

const TableCell *TableSnapshot::cell(const CellAddress &address) const
{
    const TableRow *r = row(address.group, address.row);
    if (!r || address.cell < 0 || address.cell >= r->cells.size())
        return nullptr;
    return &r->cells[address.cell];
}

TableCell *TableSnapshot::cell(const CellAddress &address)
{
    if (!std::as_const(*this).cell(address))
        return nullptr;
    return &groups[address.group].rows[address.row].cells[address.cell];
}

QString attributeValue(const TableAttributes &attributes, const QString &name)
{
    for (const auto &[key, value] : attributes) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return QString();
}

void setAttributeValue(TableAttributes &attributes, const QString &name, const QString &value)
{
    for (auto &[key, old] : attributes) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            old = value;
            return;
        }
    }
    attributes.append({name, value});
}

void removeAttribute(TableAttributes &attributes, const QString &name)
{
    attributes.removeIf([&name](const auto &entry) { return entry.first.compare(name, Qt::CaseInsensitive) == 0; });
}

void setCellColSpan(TableCell &cell, int span)
{
    cell.colSpan = qMax(1, span);
    if (cell.colSpan == 1)
        removeAttribute(cell.attributes, QStringLiteral("colspan"));
    else
        setAttributeValue(cell.attributes, QStringLiteral("colspan"), QString::number(cell.colSpan));
}

void setCellRowSpan(TableCell &cell, int span)
{
    cell.rowSpan = qMax(1, span);
    if (cell.rowSpan == 1)
        removeAttribute(cell.attributes, QStringLiteral("rowspan"));
    else
        setAttributeValue(cell.attributes, QStringLiteral("rowspan"), QString::number(cell.rowSpan));
}

TableCell newTableCell(const QString &text, int colSpan, int rowSpan)
{
    TableCell cell;
    cell.innerHTML = escapeCellText(text);
    setCellColSpan(cell, colSpan);
    setCellRowSpan(cell, rowSpan);
    return cell;
}

QString escapeCellText(const QString &text)
{
    QString html;
    html.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': html += QLatin1String("&amp;"); break;
        case '<': html += QLatin1String("&lt;"); break;
        case '>': html += QLatin1String("&gt;"); break;
        case 0xA0: html += QLatin1String("&nbsp;"); break;
        default: html += c;
        }
    }
    return html;
}

} // namespace korvel
