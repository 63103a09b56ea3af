#include "source/textrewriter.h"

namespace korvel {

void MovePositions(std::vector<qsizetype> &positions, const TextEdits &edits)
{
    qsizetype delta = 0;
    size_t e = 0;
    for (qsizetype &position : positions) {
        while (e < edits.size()
               && (edits[e].removed > 0 ? edits[e].at + edits[e].removed <= position : edits[e].at <= position)) {
            delta += edits[e].inserted - edits[e].removed;
            ++e;
        }
        position += delta;
    }
}

} // namespace korvel
