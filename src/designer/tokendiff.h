#pragma once

#include <QList>

#include <functional>
#include <optional>

// The differences between two sequences of tokens, as runs that changed.
namespace korvel {

struct TokenHunk {
    qsizetype beginA = 0, endA = 0;  // the run of the first sequence
    qsizetype beginB = 0, endB = 0;  // what the second sequence has in its place
};

// The changed runs, in order, between sequences of n and m items compared by same(i, j); a
// shortest edit script (Myers). Empty when more than maxEdits items must be inserted or
// deleted: the caller then treats the whole range as one change. O((n + m) * edits).
std::optional<QList<TokenHunk>> DiffTokens(qsizetype n, qsizetype m, const std::function<bool(qsizetype, qsizetype)> &same,
                                           int maxEdits);

} // namespace korvel
