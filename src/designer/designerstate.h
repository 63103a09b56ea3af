#pragma once

#include "designer/selectioncarry.h"

#include <QString>

#include <functional>

namespace korvel {

// The page as the engine serialized it when it finished loading, with the source text it was
// loaded from: taking the page back changes only what differs from it.
struct PullBaseline {
    QString source;
    QString serialized;
    quint64 generation = 0;  // the engine's document it belongs to
    // The last serialization taken of the page, from which on the designer script counts the
    // page's changes: while there are none it is the page's serialization still, and a large
    // page is not serialized and carried over again.
    QString watched;
    quint64 watchedGeneration = 0;
};

// What the designer's commands share about the designer page: the selection taken when the
// page was left, the element the element commands found last, the zoom and whether this
// program switched design mode on. The formatting, table and inspector commands read it here.
struct DesignerState {
    DesignerSelectionSnapshot Selection;  // SelText, SelHtml, ... and LastElementText
    QString KeptElementHtml;              // the element commands' kept element, cleared on entering
    bool CellSelected = false;            // the element commands' cell flag, cleared on entering
    bool ReopenTextWindow = false;        // show the text window again on the way back
    double ZoomFactor = 1.0;
    // What this program set the document's designMode to; the check marks show it.
    bool designModeOn = false;
    // Commands that change the page's elements directly (the table commands) do so outside the
    // engine's own undo. They set this to take back their last change: it answers true when
    // the last change on the page was theirs and it has been taken back.
    std::function<bool()> UndoOwnEdit;
    PullBaseline Baseline;
};

} // namespace korvel
