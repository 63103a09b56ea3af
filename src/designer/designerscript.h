#pragma once

#include <QString>

namespace korvel {

// The script the designer injects into every page it shows, put together from its resource files
// (the table operations, then the designer script's helpers and operations) with the glyph
// pictures of the tag-glyph display filled in.
QString designerScriptSource();

} // namespace korvel
