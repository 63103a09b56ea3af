#pragma once

#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

#include <QString>

namespace korvel {

// Writes the text without the characters `skip` drops, with the blank runs of what remains
// collapsed: dropped characters do not end a run, so the blanks around them join.
template <typename Skip>
inline QString CollapseWithout(const QString &text, Skip skip)
{
    QString out(text.size(), Qt::Uninitialized);
    adviseHugePages(out);
    QChar *w = out.data();
    const QChar *r = text.constData();
    const qsizetype n = text.size();
    qsizetype blanks = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = r[i];
        if (const qsizetype dropped = skip(r, i, n)) {
            i += dropped - 1;
            continue;
        }
        if (c == QLatin1Char(' ')) {
            ++blanks;
            continue;
        }
        for (qsizetype b = BlanksAfterSixPasses(blanks); b > 0; --b)
            *w++ = QLatin1Char(' ');
        blanks = 0;
        *w++ = c;
    }
    for (qsizetype b = BlanksAfterSixPasses(blanks); b > 0; --b)
        *w++ = QLatin1Char(' ');
    out.truncate(w - out.constData());
    return out;
}

} // namespace korvel
