#pragma once

#include <QChar>

namespace korvel {

// The byte that stands for the character in code page 1252, the 8-bit text the source tools
// count in; 63 ("?") for a character the code page cannot hold.
int Cp1252Byte(QChar c);

} // namespace korvel
