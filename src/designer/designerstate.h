#pragma once

#include "designer/selectioncarry.h"

#include <QString>

#include <functional>

namespace korvel {

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
};

} // namespace korvel
