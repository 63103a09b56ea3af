#pragma once

#include <QtGlobal>
#include <functional>

class QStatusBar;

namespace korvel {

// Shows that a long operation runs: the busy pointer at once, and after two seconds (or at once
// when the page is large) a busy bar in the main window's status bar. Nested indicators show as
// one. While the operation has a modal dialog open, nothing shows: the person is being asked,
// not kept waiting. The bar appears from the timer only when the operation runs an event loop
// (the engine calls do); a large page's synchronous work gets it up front.
class BusyIndicator final {
public:
    BusyIndicator();
    ~BusyIndicator();
    Q_DISABLE_COPY_MOVE(BusyIndicator)

    // The status bar that shows the busy bar; the main window sets it once.
    static void setStatusBar(QStatusBar *bar);
    // Tells whether the open page is so large that the bar should show at once.
    static void setLargeWorkQuery(std::function<bool()> query);
    // Busy from now until the event loop running now has nothing left to do: for work spread over
    // several handlers of one event, such as a page change. Engine calls' own event loops do
    // not end it.
    static void untilIdle();

    // The busy bar shows after this long.
    static constexpr int ProgressDelayMs = 2000;
};

} // namespace korvel
