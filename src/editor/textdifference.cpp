#include "editor/textdifference.h"

#include <algorithm>

namespace korvel {

DifferingStretch differingStretch(QStringView before, QStringView after)
{
    const qsizetype common = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < common && before[prefix] == after[prefix])
        ++prefix;
    while (prefix > 0 && (before[prefix - 1] == u'\r' || before[prefix - 1].isHighSurrogate()))
        --prefix;
    qsizetype suffix = 0;
    while (suffix < common - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    while (suffix > 0 && (before[before.size() - suffix] == u'\n' || before[before.size() - suffix].isLowSurrogate()))
        --suffix;
    return {prefix, suffix};
}

} // namespace korvel
