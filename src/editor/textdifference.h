#pragma once

#include <QStringView>

namespace korvel {

// The one stretch in which two texts differ: `from` characters at the start and `tailLength` at
// the end are common to both, and `from + tailLength` never exceeds either length. Neither end
// splits a CR LF pair or a surrogate pair, so the stretch can be replaced in an editor that
// keeps both whole.
struct DifferingStretch {
    qsizetype from = 0;
    qsizetype tailLength = 0;
};

DifferingStretch differingStretch(QStringView before, QStringView after);

} // namespace korvel
