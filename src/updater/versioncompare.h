#pragma once

#include <QString>

namespace korvel {

enum class VersionVerdict {
    Newer,       // the available version is later than the installed one
    NotNewer,    // equal or older
    Unreadable,  // one of them is blank or not dotted decimal
};

// Compares two dotted decimal versions number by number, so that 2.10.0.0 is later than
// 2.9.0.0; a missing number counts as 0 (2.3.1 is 2.3.1.0) and empty fields between dots are
// skipped. Numbers of any length compare by value.
VersionVerdict compareVersions(const QString &installed, const QString &available);

} // namespace korvel
