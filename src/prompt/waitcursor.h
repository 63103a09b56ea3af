#pragma once

#include <QApplication>

namespace korvel {

// Shows the busy pointer for as long as it lives: around work that can take longer than a moment
// on a large page.
class WaitCursor final {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(WaitCursor)
};

} // namespace korvel
