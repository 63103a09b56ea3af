#include "tables/maketable.h"

#include "source/textmatch.h"

#include <limits>

namespace korvel {

namespace {

std::optional<qint64> IntegerValue(const QString &text)
{
    const QString t = TrimBlanks(text);
    qsizetype i = 0;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+'))
        ++i;
    if (i == t.size() || t.size() - i > 10)
        return std::nullopt;
    for (qsizetype j = i; j < t.size(); ++j) {
        if (t[j] < u'0' || t[j] > u'9')
            return std::nullopt;
    }
    const qint64 value = t.toLongLong();
    if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return value;
}

qint64 IntegerOr(const QString &text, qint64 fallback)
{
    return IntegerValue(text).value_or(fallback);
}

void CorrectBlankAllowed(QString &field, const QString &replacement)
{
    if (!IsBlank(field) && !IsIntegerText(field))
        field = replacement;
}

// `name="value" `, or nothing when the value is blank.
void AppendPiece(QString &out, QLatin1String name, const QString &test, const QString &value)
{
    if (IsBlank(test))
        return;
    out.append(name);
    out.append(u"=\"");
    out.append(value);
    out.append(u"\" ");
}

void AppendTrimmedPiece(QString &out, QLatin1String name, const QString &field)
{
    AppendPiece(out, name, field, TrimBlanks(field));
}

void AppendUntrimmedPiece(QString &out, QLatin1String name, const QString &field)
{
    AppendPiece(out, name, field, field);
}

} // namespace

bool IsIntegerText(const QString &text)
{
    return IntegerValue(text).has_value();
}

TableFields CorrectedTableFields(TableFields f)
{
    if (!IsIntegerText(f.rows))
        f.rows = QStringLiteral("1");
    if (!IsIntegerText(f.cols))
        f.cols = QStringLiteral("1");
    CorrectBlankAllowed(f.width, QString());
    CorrectBlankAllowed(f.height, QString());
    CorrectBlankAllowed(f.border, QStringLiteral("0"));
    CorrectBlankAllowed(f.padding, QStringLiteral("0"));
    CorrectBlankAllowed(f.spacing, QStringLiteral("0"));
    CorrectBlankAllowed(f.cellWidth, QString());
    CorrectBlankAllowed(f.cellHeight, QString());
    CorrectBlankAllowed(f.colspan, QString());
    CorrectBlankAllowed(f.rowspan, QString());
    return f;
}

bool TableSizeAllowed(const TableFields &fields)
{
    const qint64 rows = std::max<qint64>(IntegerOr(fields.rows, 1), 0);
    const qint64 cols = std::max<qint64>(IntegerOr(fields.cols, 1), 0);
    return rows <= kMaxTableRows && rows * cols <= kMaxTableCells;
}

std::optional<QString> MakeTableVar(const TableFields &f)
{
    if (!TableSizeAllowed(f))
        return std::nullopt;
    const qint64 rows = std::max<qint64>(IntegerOr(f.rows, 1), 0);
    // Without rows no cell is built, however many columns were asked for.
    const qint64 cols = rows == 0 ? 0 : std::max<qint64>(IntegerOr(f.cols, 1), 0);

    QString tablePieces;
    AppendTrimmedPiece(tablePieces, QLatin1String("width"), f.width);
    AppendTrimmedPiece(tablePieces, QLatin1String("height"), f.height);
    AppendTrimmedPiece(tablePieces, QLatin1String("cellspacing"), f.spacing);
    AppendTrimmedPiece(tablePieces, QLatin1String("cellpadding"), f.padding);
    AppendTrimmedPiece(tablePieces, QLatin1String("border"), f.border);
    AppendTrimmedPiece(tablePieces, QLatin1String("align"), f.align);
    AppendUntrimmedPiece(tablePieces, QLatin1String("bgcolor"), f.color);

    QString cellPieces;
    AppendUntrimmedPiece(cellPieces, QLatin1String("align"), f.cellAlign);
    AppendUntrimmedPiece(cellPieces, QLatin1String("valign"), f.cellValign);
    AppendUntrimmedPiece(cellPieces, QLatin1String("bgcolor"), f.cellColor);
    AppendUntrimmedPiece(cellPieces, QLatin1String("colspan"), f.colspan);
    AppendUntrimmedPiece(cellPieces, QLatin1String("rowspan"), f.rowspan);
    AppendUntrimmedPiece(cellPieces, QLatin1String("width"), f.cellWidth);
    AppendUntrimmedPiece(cellPieces, QLatin1String("height"), f.cellHeight);

    const QString cell = QStringLiteral("<TD ") + cellPieces + QStringLiteral(">&nbsp;</TD>\r\n");
    QString row = QStringLiteral("<TR>\r\n");
    row.reserve(row.size() + cols * cell.size() + 7);
    for (qint64 c = 0; c < cols; ++c)
        row.append(cell);
    row.append(u"</TR>\r\n");

    // One line break per row stands in front of the rows, as the row-by-row build leaves them.
    QString out;
    out.reserve(tablePieces.size() + rows * (row.size() + 2) + 32);
    out.append(u"\r\n<TABLE ");
    out.append(tablePieces);
    out.append(u">\r\n");
    for (qint64 r = 0; r < rows; ++r)
        out.append(u"\r\n");
    for (qint64 r = 0; r < rows; ++r)
        out.append(row);
    out.append(u"</TABLE>\r\n");
    return out;
}

std::optional<QString> TableSourceInsertion(const QString &tableHtml)
{
    if (IsBlank(tableHtml))
        return std::nullopt;
    return AsciiLowerCase(tableHtml);
}

} // namespace korvel
