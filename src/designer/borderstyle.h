#pragma once

#include <QString>

// The temporary style sheet of design-time borders, as it may show up in the source text.
namespace korvel {

// The text without the border style block: the first block whose tag holds "tmpie8style" goes
// from its "<" through its "</style>" (replaced by one blank), then every empty form of it.
QString StripBorderStyleText(const QString &text);

} // namespace korvel
