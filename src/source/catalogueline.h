#pragma once

#include <QString>

#include <functional>

namespace korvel {

// Looks up one numbered line of the message catalogue in the current UI language. The source
// tools compose their reports from catalogue lines without owning the catalogue.
using CatalogueLine = std::function<QString(int line)>;

} // namespace korvel
