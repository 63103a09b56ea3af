#include "textio/textlines.h"

namespace korvel {

namespace {

QStringList splitAt(const QString &text, bool bySeparator)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (bySeparator ? c == QChar(0x2028) : (c == QLatin1Char('\r') || c == QLatin1Char('\n'))) {
            lines.append(text.mid(start, i - start));
            if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
    }
    lines.append(text.mid(start));
    return lines;
}

} // namespace

QStringList splitAtLineBreaks(const QString &text)
{
    return splitAt(text, false);
}

QStringList splitAtLineSeparators(const QString &text)
{
    return splitAt(text, true);
}

} // namespace korvel
