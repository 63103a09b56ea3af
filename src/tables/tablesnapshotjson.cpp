#include "tables/tablesnapshotjson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>

namespace korvel {

namespace {

// The engine holds colspan to 1..1000 and rowspan to 0..65534.
constexpr int kMaxColSpan = 1000;
constexpr int kMaxRowSpan = 65534;

const QString kGroups = QStringLiteral("groups");
const QString kRows = QStringLiteral("rows");
const QString kCells = QStringLiteral("cells");
const QString kTag = QStringLiteral("tag");
const QString kAttributes = QStringLiteral("attributes");
const QString kRowSpan = QStringLiteral("rowSpan");
const QString kColSpan = QStringLiteral("colSpan");
const QString kHtml = QStringLiteral("html");
const QString kOrigin = QStringLiteral("origin");
const QString kGroup = QStringLiteral("group");
const QString kRow = QStringLiteral("row");
const QString kCell = QStringLiteral("cell");

QString groupTag(RowGroupKind kind)
{
    switch (kind) {
    case RowGroupKind::Head: return QStringLiteral("THEAD");
    case RowGroupKind::Body: return QStringLiteral("TBODY");
    case RowGroupKind::Foot: return QStringLiteral("TFOOT");
    case RowGroupKind::None: break;
    }
    return QString();
}

std::optional<RowGroupKind> groupKind(const QString &tag)
{
    const QString upper = tag.toUpper();
    if (upper.isEmpty())
        return RowGroupKind::None;
    if (upper == QLatin1String("THEAD"))
        return RowGroupKind::Head;
    if (upper == QLatin1String("TBODY"))
        return RowGroupKind::Body;
    if (upper == QLatin1String("TFOOT"))
        return RowGroupKind::Foot;
    return std::nullopt;
}

QJsonArray attributesToJson(const TableAttributes &attributes)
{
    QJsonArray list;
    for (const auto &[name, value] : attributes)
        list.append(QJsonArray{name, value});
    return list;
}

std::optional<TableAttributes> attributesFromJson(const QJsonValue &value)
{
    if (value.isUndefined())
        return TableAttributes();
    if (!value.isArray())
        return std::nullopt;
    TableAttributes attributes;
    for (const QJsonValue &entry : value.toArray()) {
        const QJsonArray pair = entry.toArray();
        if (!entry.isArray() || pair.size() != 2 || !pair[0].isString() || !pair[1].isString()
            || pair[0].toString().isEmpty())
            return std::nullopt;
        attributes.append({pair[0].toString(), pair[1].toString()});
    }
    return attributes;
}

std::optional<int> spanFromJson(const QJsonValue &value, int least, int most)
{
    if (value.isUndefined())
        return 1;
    if (!value.isDouble())
        return std::nullopt;
    return qBound(least, value.toInt(1), most);
}

std::optional<TableCell> cellFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    TableCell cell;
    cell.tagName = object.value(kTag).toString().toUpper();
    if (cell.tagName != QLatin1String("TD") && cell.tagName != QLatin1String("TH"))
        return std::nullopt;
    const auto rowSpan = spanFromJson(object.value(kRowSpan), 0, kMaxRowSpan);
    const auto colSpan = spanFromJson(object.value(kColSpan), 1, kMaxColSpan);
    auto attributes = attributesFromJson(object.value(kAttributes));
    const QJsonValue html = object.value(kHtml);
    if (!rowSpan || !colSpan || !attributes || !(html.isString() || html.isUndefined()))
        return std::nullopt;
    cell.rowSpan = *rowSpan;
    cell.colSpan = *colSpan;
    cell.attributes = std::move(*attributes);
    cell.innerHTML = html.toString();
    return cell;
}

std::optional<TableRow> rowFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    auto attributes = attributesFromJson(object.value(kAttributes));
    const QJsonValue cells = object.value(kCells);
    if (!attributes || !(cells.isArray() || cells.isUndefined()))
        return std::nullopt;
    TableRow row;
    row.attributes = std::move(*attributes);
    for (const QJsonValue &entry : cells.toArray()) {
        auto cell = cellFromJson(entry);
        if (!cell)
            return std::nullopt;
        row.cells.append(std::move(*cell));
    }
    return row;
}

std::optional<TableRowGroup> groupFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const QJsonValue tag = object.value(kTag);
    const auto kind = groupKind(tag.toString());
    auto attributes = attributesFromJson(object.value(kAttributes));
    const QJsonValue rows = object.value(kRows);
    if (!(tag.isString() || tag.isUndefined()) || !kind || !attributes || !(rows.isArray() || rows.isUndefined()))
        return std::nullopt;
    TableRowGroup group;
    group.kind = *kind;
    group.attributes = std::move(*attributes);
    for (const QJsonValue &entry : rows.toArray()) {
        auto row = rowFromJson(entry);
        if (!row)
            return std::nullopt;
        group.rows.append(std::move(*row));
    }
    return group;
}

} // namespace

QJsonObject tableSnapshotToJson(const TableSnapshot &snapshot)
{
    QJsonArray groups;
    for (const TableRowGroup &group : snapshot.groups) {
        QJsonArray rows;
        for (const TableRow &row : group.rows) {
            QJsonArray cells;
            for (const TableCell &cell : row.cells) {
                cells.append(QJsonObject{{kTag, cell.tagName},
                                         {kRowSpan, cell.rowSpan},
                                         {kColSpan, cell.colSpan},
                                         {kAttributes, attributesToJson(cell.attributes)},
                                         {kHtml, cell.innerHTML}});
            }
            rows.append(QJsonObject{{kAttributes, attributesToJson(row.attributes)}, {kCells, cells}});
        }
        groups.append(QJsonObject{{kTag, groupTag(group.kind)},
                                  {kAttributes, attributesToJson(group.attributes)},
                                  {kRows, rows}});
    }
    QJsonObject json{{kGroups, groups}};
    if (snapshot.origin) {
        json.insert(kOrigin, QJsonObject{{kGroup, snapshot.origin->group},
                                         {kRow, snapshot.origin->row},
                                         {kCell, snapshot.origin->cell}});
    }
    return json;
}

std::optional<TableSnapshot> tableSnapshotFromJson(const QJsonObject &json)
{
    const QJsonValue groups = json.value(kGroups);
    if (!groups.isArray())
        return std::nullopt;
    TableSnapshot snapshot;
    for (const QJsonValue &entry : groups.toArray()) {
        auto group = groupFromJson(entry);
        if (!group)
            return std::nullopt;
        snapshot.groups.append(std::move(*group));
    }
    const QJsonValue origin = json.value(kOrigin);
    if (origin.isObject()) {
        const QJsonObject where = origin.toObject();
        snapshot.origin = CellAddress{where.value(kGroup).toInt(-1), where.value(kRow).toInt(-1),
                                      where.value(kCell).toInt(-1)};
    } else if (!origin.isUndefined() && !origin.isNull()) {
        return std::nullopt;
    }
    return snapshot;
}

} // namespace korvel
