#include "generators/pageids.h"

namespace korvel {

namespace {

// The serializer writes "&" and the double quote of a value as character references.
QString decodedValue(QStringView value)
{
    if (!value.contains(u'&'))
        return value.toString();
    QString out = value.toString();
    out.replace(QLatin1String("&quot;"), QLatin1String("\""));
    out.replace(QLatin1String("&nbsp;"), QString(QChar(0xA0)));
    out.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return out;
}

} // namespace

QStringList idsInSerializedPage(const QString &html)
{
    static const QLatin1String marker("id=\"");
    QStringList ids;
    qsizetype from = 0;
    while (true) {
        const qsizetype at = html.indexOf(marker, from, Qt::CaseInsensitive);
        if (at < 0)
            break;
        const qsizetype valueStart = at + marker.size();
        const qsizetype valueEnd = html.indexOf(u'"', valueStart);
        if (valueEnd < 0)
            break;
        // "data-id" or "grid" are other attributes: an id attribute follows a blank.
        if (at > 0 && html.at(at - 1).isSpace())
            ids << decodedValue(QStringView(html).mid(valueStart, valueEnd - valueStart));
        // A value never holds a double quote, so the search may go on right inside it; that
        // way a stray quote in the text cannot hide the attribute after it.
        from = valueStart;
    }
    return ids;
}

} // namespace korvel
