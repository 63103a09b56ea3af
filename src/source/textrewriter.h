#pragma once

#include "source/codeunits.h"
#include "source/markupmap.h"
#include "textio/largebuffer.h"

#include <QString>
#include <QStringView>

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

namespace korvel {

// Moves ascending positions of a text along while it is rewritten, one edit after another (in
// text order), with no list of edits kept; a position behind an insertion made right at it moves
// behind the inserted text.
class PositionMover final {
public:
    explicit PositionMover(std::vector<qsizetype> &positions) : m_positions(positions) {}

    void edit(const TextEdit &edit)
    {
        // The positions this edit does not pass stay where the edits before it put them.
        const qsizetype passed = edit.removed > 0 ? edit.at + edit.removed : edit.at;
        while (m_next < m_positions.size() && m_positions[m_next] < passed)
            m_positions[m_next++] += m_delta;
        m_delta += edit.inserted - edit.removed;
    }

    void finish()
    {
        while (m_next < m_positions.size())
            m_positions[m_next++] += m_delta;
    }

private:
    std::vector<qsizetype> &m_positions;
    size_t m_next = 0;
    qsizetype m_delta = 0;
};

// Moves characters within one buffer, `to` below `from` (MoveDown) or above it (MoveUp). Most
// stretches between the edits of a page are a few characters long: those are copied here, four
// at a time, which costs far less than a call of memmove for each.
template <typename Unit>
inline void MoveDown(Unit *to, const Unit *from, qsizetype count)
{
    // Four units at a time: a group of 8 bytes for UTF-16, of 4 for UTF-8.
    using Group = std::conditional_t<sizeof(Unit) == 2, quint64, quint32>;
    if (count > 64) {
        std::memmove(to, from, size_t(count) * sizeof(Unit));
        return;
    }
    qsizetype i = 0;
    // Each group of four is read before it is written, and written no higher than where the
    // next group is read.
    for (; i + 4 <= count; i += 4) {
        Group group;
        std::memcpy(&group, from + i, sizeof group);
        std::memcpy(to + i, &group, sizeof group);
    }
    for (; i < count; ++i)
        to[i] = from[i];
}

template <typename Unit>
inline void MoveUp(Unit *to, const Unit *from, qsizetype count)
{
    using Group = std::conditional_t<sizeof(Unit) == 2, quint64, quint32>;
    if (count > 64) {
        std::memmove(to, from, size_t(count) * sizeof(Unit));
        return;
    }
    qsizetype i = count;
    for (; i >= 4; i -= 4) {
        Group group;
        std::memcpy(&group, from + i - 4, sizeof group);
        std::memcpy(to + i - 4, &group, sizeof group);
    }
    for (; i > 0; --i)
        to[i - 1] = from[i - 1];
}

// Rewrites a text in its own memory, left to right, where the result up to any point is never
// longer than the source up to there: each piece inserted replaces at least as many dropped
// characters. The text is written behind where it is read, so the source ahead stays as it was
// and can still be searched in the same buffer, in the positions of the source.
// On either form of text (codeunits.h).
template <typename Text>
class TextCompactor final {
public:
    using Unit = UnitOf<Text>;

    // `text` must not share its memory (data() was called); `mover`, when given, follows the
    // rewrite's edits, joined as TextRewriter joins them.
    explicit TextCompactor(Text &text, PositionMover *mover = nullptr)
        : m_text(text), m_chars(reinterpret_cast<Unit *>(text.data())), m_mover(mover)
    {
    }

    void keepTo(qsizetype to)
    {
        if (to <= m_done)
            return;
        if (m_written != m_done)
            MoveDown(m_chars + m_written, m_chars + m_done, to - m_done);
        m_written += to - m_done;
        m_done = to;
    }

    void drop(qsizetype count)
    {
        edit(count, 0);
        m_done += count;
    }

    // Only behind a drop at least as long as all pieces inserted since.
    void insert(Unit c)
    {
        edit(0, 1);
        m_chars[m_written++] = c;
    }
    void insertBlanks(qsizetype count)
    {
        edit(0, count);
        std::fill_n(m_chars + m_written, count, Unit(' '));
        m_written += count;
    }

    qsizetype position() const { return m_done; }

    // Where the source's position `at` (not in front of position()) lands in the result.
    qsizetype resultPosition(qsizetype at) const { return m_written + (at - m_done); }

    // Shortens the text to the result; true when anything changed.
    bool finish()
    {
        if (m_mover) {
            if (m_pending)
                m_mover->edit(m_last);
            m_mover->finish();
        }
        if (!m_pending)
            return false;
        keepTo(m_text.size());
        m_text.truncate(m_written);
        return true;
    }

private:
    void edit(qsizetype removed, qsizetype inserted)
    {
        if (m_pending && m_last.at + m_last.removed == m_done) {
            m_last.removed += removed;
            m_last.inserted += inserted;
            return;
        }
        if (m_pending && m_mover)
            m_mover->edit(m_last);
        m_last = {m_done, removed, inserted};
        m_pending = true;
    }

    Text &m_text;
    Unit *m_chars;
    PositionMover *m_mover;
    qsizetype m_done = 0;
    qsizetype m_written = 0;
    TextEdit m_last;
    bool m_pending = false;
};

// Inserts `piece` at each of `positions` (ascending, the same position may come more than
// once). A text with room enough behind it grows in its own memory: its parts move right to
// left, the last part first. Any other text is written once into new memory of the result's
// size and `slack` characters more, advised for huge pages; growing the old memory instead
// would copy it all the same when it is backed by huge pages, into ordinary pages at that.
// On either form of text; `piece` is ASCII.
template <typename Text, typename Positions>
void InsertInPlace(Text &text, const Positions &positions, QLatin1String piece, qsizetype slack = 0)
{
    using Unit = UnitOf<Text>;
    if (positions.empty())
        return;
    const qsizetype length = piece.size();
    const Text pieceUnits = asciiText<Text>(piece);
    const Unit *ascii = reinterpret_cast<const Unit *>(pieceUnits.constData());
    const qsizetype size = text.size();
    const qsizetype grown = size + qsizetype(positions.size()) * length;
    if (!text.isDetached() || text.capacity() < grown) {
        Text out;
        out.reserve(grown + slack);
        adviseHugePages(out);
        out.resize(grown);
        Unit *to = reinterpret_cast<Unit *>(out.data());
        const Unit *from = reinterpret_cast<const Unit *>(text.constData());
        qsizetype done = 0;
        for (const auto &at : positions) {
            const qsizetype position = qsizetype(at);
            MoveDown(to, from + done, position - done);
            to += position - done;
            std::copy_n(ascii, length, to);
            to += length;
            done = position;
        }
        std::copy_n(from + done, size - done, to);
        text = std::move(out);
        return;
    }
    qsizetype end = size;
    text.resize(grown);
    Unit *chars = reinterpret_cast<Unit *>(text.data());
    qsizetype shift = grown - size;
    for (auto at = positions.rbegin(); at != positions.rend(); ++at) {
        const qsizetype position = qsizetype(*at);
        MoveUp(chars + position + shift, chars + position, end - position);
        shift -= length;
        std::copy_n(ascii, length, chars + position + shift);
        end = position;
    }
}

} // namespace korvel
