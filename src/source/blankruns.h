#pragma once

#include "source/codeunits.h"
#include "source/transformhelpers.h"
#include "textio/largebuffer.h"

#include <QString>

namespace korvel {

// Writes the `n` units from `r` to `w` without the units `skip` drops, with the blank runs of
// what remains collapsed: dropped characters do not end a run, so the blanks around them join.
// Returns the end of what was written. Nothing written is longer than what was read, so `w`
// may be `r`: the text is then rewritten in place. `skip(r, i, n)` tells how many units from
// `i` on go (0: none).
template <typename Unit, typename Skip>
inline Unit *CollapseRuns(const Unit *r, qsizetype n, Unit *w, Skip skip)
{
    qsizetype blanks = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const Unit c = r[i];
        if (const qsizetype dropped = skip(r, i, n)) {
            i += dropped - 1;
            continue;
        }
        if (c == Unit(' ')) {
            ++blanks;
            continue;
        }
        for (qsizetype b = BlanksAfterSixPasses(blanks); b > 0; --b)
            *w++ = Unit(' ');
        blanks = 0;
        *w++ = c;
    }
    for (qsizetype b = BlanksAfterSixPasses(blanks); b > 0; --b)
        *w++ = Unit(' ');
    return w;
}

// The text collapsed as CollapseRuns does, in a new text.
template <typename Text, typename Skip>
inline Text CollapseWithout(const Text &text, Skip skip)
{
    Text out(text.size(), Qt::Uninitialized);
    adviseHugePages(out);
    UnitOf<Text> *w = writableUnitsOf(out);
    out.truncate(CollapseRuns(unitsOf(text), text.size(), w, skip) - w);
    return out;
}

// The text collapsed as CollapseRuns does, in its own memory when nothing else shares it.
template <typename Text, typename Skip>
inline void CollapseInPlace(Text &text, Skip skip)
{
    UnitOf<Text> *w = writableUnitsOf(text);
    text.truncate(CollapseRuns<UnitOf<Text>>(w, text.size(), w, skip) - w);
}

} // namespace korvel
