#include "designer/tokendiff.h"

namespace korvel {

std::optional<QList<TokenHunk>> DiffTokens(qsizetype n, qsizetype m, const std::function<bool(qsizetype, qsizetype)> &same,
                                           int maxEdits)
{
    const qsizetype offset = maxEdits + 1;
    QList<qsizetype> v(2 * offset + 1, 0);
    QList<QList<qsizetype>> trace;
    bool done = false;
    for (qsizetype d = 0; d <= maxEdits && !done; ++d) {
        trace.append(v);
        for (qsizetype k = -d; k <= d; k += 2) {
            qsizetype x = (k == -d || (k != d && v[offset + k - 1] < v[offset + k + 1])) ? v[offset + k + 1]
                                                                                      : v[offset + k - 1] + 1;
            qsizetype y = x - k;
            while (x < n && y < m && same(x, y)) {
                ++x;
                ++y;
            }
            v[offset + k] = x;
            if (x >= n && y >= m) {
                done = true;
                break;
            }
        }
    }
    if (!done)
        return std::nullopt;

    // Back from the end: the matched pairs, then the runs between them.
    QList<std::pair<qsizetype, qsizetype>> matched;
    qsizetype x = n, y = m;
    for (qsizetype d = trace.size() - 1; d >= 0; --d) {
        const QList<qsizetype> &w = trace[d];
        const qsizetype k = x - y;
        const qsizetype previousK =
            (k == -d || (k != d && w[offset + k - 1] < w[offset + k + 1])) ? k + 1 : k - 1;
        const qsizetype previousX = d == 0 ? 0 : w[offset + previousK];
        const qsizetype previousY = d == 0 ? 0 : previousX - previousK;
        while (x > previousX && y > previousY) {
            --x;
            --y;
            matched.append({x, y});
        }
        x = previousX;
        y = previousY;
    }
    QList<TokenHunk> hunks;
    qsizetype a = 0, b = 0;
    for (qsizetype i = matched.size() - 1; i >= -1; --i) {
        const qsizetype mx = i >= 0 ? matched[i].first : n;
        const qsizetype my = i >= 0 ? matched[i].second : m;
        if (mx > a || my > b)
            hunks.append({a, mx, b, my});
        a = mx + 1;
        b = my + 1;
    }
    return hunks;
}

} // namespace korvel
