#include "designer/glyphtable.h"

#include <QStringList>

namespace korvel {

namespace {

struct GlyphRow {
    const char *tag;
    const char *image;
    int kind;
    int width;
};

constexpr GlyphRow kGlyphs[] = {
    {"p", "pbgn", 0, 20},          {"p", "pend", 1, 20},
    {"div", "divbgn", 0, 43},      {"div", "divend", 1, 43},
    {"span", "spanbgn", 0, 43},    {"span", "spanend", 1, 43},
    {"form", "formbgn", 0, 43},    {"form", "formend", 1, 43},
    {"style", "style", 0, 20},     {"style", "styleend", 1, 20},
    {"br", "br", 0, 20},           {"a", "anchor", 1, 20},
    {"script", "script", 0, 20},   {"comment", "comment", 1, 20},
};

const QString kFieldEnd = QStringLiteral("^^");
const QString kFieldStart = QStringLiteral("%%");

} // namespace

QString GlyphTableText()
{
    QString table;
    for (const GlyphRow &row : kGlyphs) {
        const QString width = QString::number(row.width);
        table += QStringLiteral("%%") + QLatin1String(row.tag) + QStringLiteral("^^%%res://glRES.dll/HTML/")
               + QLatin1String(row.image) + QStringLiteral("^^%%") + QString::number(row.kind)
               + QStringLiteral("^^%%3^^%%3^^%%4^^%%") + width + QStringLiteral("^^%%15^^%%") + width
               + QStringLiteral("^^%%15^^**");
    }
    return table;
}

QList<GlyphEntry> ParseGlyphTable(const QString &table)
{
    // Entry: "%%" field "^^" repeated ten times, then "**". The fields are the tag, the
    // picture's address, the kind (0 start tag, 1 end tag), three layout numbers, then width
    // and height twice.
    QList<GlyphEntry> entries;
    const QStringList chunks = table.split(QStringLiteral("**"), Qt::SkipEmptyParts);
    for (const QString &chunk : chunks) {
        QStringList fields;
        qsizetype pos = 0;
        while (pos < chunk.size()) {
            if (!chunk.mid(pos).startsWith(kFieldStart))
                break;
            const qsizetype end = chunk.indexOf(kFieldEnd, pos + kFieldStart.size());
            if (end < 0)
                break;
            fields.append(chunk.mid(pos + kFieldStart.size(), end - pos - kFieldStart.size()));
            pos = end + kFieldEnd.size();
        }
        if (fields.size() < 10 || pos != chunk.size())
            continue;
        GlyphEntry entry;
        entry.tag = fields[0].trimmed().toLower();
        const QString address = fields[1].trimmed();
        entry.image = address.mid(address.lastIndexOf(QLatin1Char('/')) + 1);
        bool kindOk = false, widthOk = false, heightOk = false;
        const int kind = fields[2].toInt(&kindOk);
        entry.endTag = kind == 1;
        entry.width = fields[6].toInt(&widthOk);
        entry.height = fields[7].toInt(&heightOk);
        if (entry.tag.isEmpty() || entry.image.isEmpty() || !kindOk || (kind != 0 && kind != 1) || !widthOk
            || !heightOk || entry.width <= 0 || entry.height <= 0)
            continue;
        entries.append(entry);
    }
    return entries;
}

} // namespace korvel
