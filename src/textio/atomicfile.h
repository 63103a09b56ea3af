#pragma once

#include <QByteArray>
#include <QString>

namespace korvel {

// Writes a whole file through a temporary file in the same folder that replaces the old one
// only when every byte is written: a failed write leaves an existing file as it was.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace korvel
