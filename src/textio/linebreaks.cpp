#include "textio/linebreaks.h"

#include <cstring>

namespace korvel {

namespace {

// True when none of the units at p is a control character up to CR: eight bytes or four
// UTF-16 units at a time. A lane below 0x0E borrows into its top bit (a lane above one that
// does may be flagged too, which only ends a stride early).
bool noneBelowCr(const char16_t *p)
{
    quint64 lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return !((lanes - 0x000E000E000E000Eull) & ~lanes & 0x8000800080008000ull);
}

bool noneBelowCr(const char *p)
{
    quint64 lanes;
    std::memcpy(&lanes, p, sizeof lanes);
    return !((lanes - 0x0E0E0E0E0E0E0E0Eull) & ~lanes & 0x8080808080808080ull);
}

template <typename Unit>
LineBreakCounts countBreaks(const Unit *p, qsizetype n)
{
    constexpr qsizetype stride = qsizetype(sizeof(quint64) / sizeof(Unit));
    LineBreakCounts counts;
    for (qsizetype i = 0; i < n; ++i) {
        while (n - i >= stride && noneBelowCr(p + i))
            i += stride;
        if (i == n)
            break;
        if (p[i] == '\r') {
            if (i + 1 < n && p[i + 1] == '\n') {
                ++counts.crLf;
                ++i;
            } else {
                ++counts.cr;
            }
        } else if (p[i] == '\n') {
            ++counts.lf;
        }
    }
    return counts;
}

// Where the first CR LF, CR or LF that is not written as `to` begins; `n` when none.
template <typename Unit, typename View>
qsizetype firstBreakNotAsIn(const Unit *p, qsizetype n, View to)
{
    constexpr qsizetype stride = qsizetype(sizeof(quint64) / sizeof(Unit));
    for (qsizetype i = 0; i < n; ++i) {
        while (n - i >= stride && noneBelowCr(p + i))
            i += stride;
        if (i == n)
            break;
        qsizetype length = 0;
        if (p[i] == '\r')
            length = i + 1 < n && p[i + 1] == '\n' ? 2 : 1;
        else if (p[i] == '\n')
            length = 1;
        if (length == 0)
            continue;
        if (View(p + i, length) != to)
            return i;
        i += length - 1;
    }
    return n;
}

} // namespace

void appendWithBreaks(QString &out, QStringView piece, QStringView to, bool separators)
{
    const char16_t *p = piece.utf16();
    const qsizetype n = piece.size();
    qsizetype done = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = p[i];
        if (!separators && c > u'\r')
            continue;
        qsizetype length = 0;
        if (separators)
            length = c == 0x2028 ? 1 : 0;
        else if (c == u'\r')
            length = i + 1 < n && p[i + 1] == u'\n' ? 2 : 1;
        else if (c == u'\n')
            length = 1;
        if (length == 0)
            continue;
        out.append(QStringView(p + done, i - done));
        out.append(to);
        i += length - 1;
        done = i + 1;
    }
    out.append(QStringView(p + done, n - done));
}

LineBreakCounts countLineBreaks(QStringView text)
{
    return countBreaks(text.utf16(), text.size());
}

LineBreakCounts countLineBreaks(QByteArrayView bytes)
{
    return countBreaks(bytes.data(), bytes.size());
}

qsizetype firstBreakNotAs(QStringView text, QStringView to, bool separators)
{
    if (!separators)
        return firstBreakNotAsIn(text.utf16(), text.size(), to);
    const char16_t *p = text.utf16();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (p[i] != 0x2028)
            continue;
        if (QStringView(p + i, 1) != to)
            return i;
    }
    return n;
}

qsizetype firstBreakNotAs(QByteArrayView bytes, QByteArrayView to)
{
    return firstBreakNotAsIn(bytes.data(), bytes.size(), to);
}

} // namespace korvel
