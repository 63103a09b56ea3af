#pragma once

#include <QtGlobal>

class QByteArray;
class QString;

namespace korvel {

// A whole page of many megabytes is written into fresh memory several times on its way from
// file to file (decoded, rewritten step after step, encoded). Backed by ordinary pages, every
// 4 KB of it costs the kernel a page fault on first touch; backed by huge pages, every 2 MB
// does. adviseHugePages asks the kernel for huge pages for the untouched part of a buffer of
// at least LargeBufferBytes; smaller buffers, and systems without transparent huge pages, are
// left as they are. The advice changes nothing of the buffer's contents.
inline constexpr qsizetype LargeBufferBytes = qsizetype(4) << 20;
void adviseHugePages(const void *data, qsizetype bytes);

// The buffer's whole capacity advised so.
void adviseHugePages(const QString &buffer);
void adviseHugePages(const QByteArray &buffer);

} // namespace korvel
