#include "textio/largebuffer.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace korvel {

void adviseHugePages(const void *data, qsizetype bytes)
{
#if defined(Q_OS_LINUX) && defined(MADV_HUGEPAGE)
    if (!data || bytes < LargeBufferBytes)
        return;
    // Only whole huge pages inside the buffer: the advice never reaches memory around it.
    constexpr std::uintptr_t HugePage = std::uintptr_t(2) << 20;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t end = (start + std::uintptr_t(bytes)) & ~(HugePage - 1);
    if (end > begin)
        madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);  // advice only: a refusal changes nothing
#else
    Q_UNUSED(data);
    Q_UNUSED(bytes);
#endif
}

void adviseHugePages(const QString &buffer)
{
    adviseHugePages(buffer.constData(), buffer.capacity() * qsizetype(sizeof(QChar)));
}

void adviseHugePages(const QByteArray &buffer)
{
    adviseHugePages(buffer.constData(), buffer.capacity());
}

} // namespace korvel
