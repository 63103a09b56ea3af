#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

namespace korvel {

// Writes a whole file through a temporary file in the same folder that replaces the old one
// only when every byte is written: a failed write leaves an existing file as it was.
bool writeFileAtomically(const QString &path, const QByteArray &bytes);

// Puts an open QSaveFile in place of its target only when every byte written to it reached the
// disk; otherwise drops it. QSaveFile's own commit counts a write that failed in its buffer
// (a full disk, a file size limit) as done and would put a cut-off file in place.
bool commitWholly(QSaveFile &file);

} // namespace korvel
