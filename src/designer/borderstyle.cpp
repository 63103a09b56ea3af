#include "designer/borderstyle.h"

#include "source/texthelpers.h"

namespace korvel {

namespace {

QString RemoveEveryNoCase(const QString &text, const QString &what)
{
    QString out;
    out.reserve(text.size());
    qsizetype copied = 0;
    for (qsizetype at = FindText(text, what, 0, text.size(), false, false); at >= 0;
         at = FindText(text, what, at + what.size(), text.size(), false, false)) {
        out.append(QStringView(text).mid(copied, at - copied));
        copied = at + what.size();
    }
    out.append(QStringView(text).mid(copied));
    return out;
}

} // namespace

QString StripBorderStyleText(const QString &text)
{
    QString result = text;
    const qsizetype marker = FindText(result, QStringLiteral("tmpie8style"), 0, result.size(), false, false);
    if (marker >= 0) {
        const qsizetype open = result.lastIndexOf(QLatin1Char('<'), marker);
        if (open >= 0) {
            const QString closing = QStringLiteral("</style>");
            const qsizetype close = FindText(result, closing, open, result.size(), false, false);
            if (close >= 0)
                result.replace(open, close + closing.size() - open, QStringLiteral(" "));
        }
    }
    for (const QString &empty : {QStringLiteral("<style title=\"tmpie8style\"></style>"),
                                 QStringLiteral("<style title=tmpie8style></style>"),
                                 QStringLiteral("<style title=\"tmpie8style\" disabled></style>")})
        result = RemoveEveryNoCase(result, empty);
    return result;
}

} // namespace korvel
