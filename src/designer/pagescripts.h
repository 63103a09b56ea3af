#pragma once

#include <QStringView>

namespace korvel {

// Whether a page loaded from this source may have run a script of its own: a script element,
// an event handler attribute, a script address, or a frame, object or style sheet transform
// that brings in a document of its own. Erring on the side of yes: these words anywhere, text
// included, and any "on..." followed by "=" after a blank or quote, count. A page for which it is false
// shows in the engine exactly as it was written. Linear in the length of the source.
bool SourceMayRunScripts(QStringView source);

} // namespace korvel
