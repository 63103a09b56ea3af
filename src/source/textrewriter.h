#pragma once

#include "source/markupmap.h"
#include "textio/largebuffer.h"

#include <QString>
#include <QStringView>

namespace korvel {

// Builds a new text from a source text in one pass, left to right: the source is kept up to a
// position, pieces are inserted and stretches dropped, and each change is recorded as a
// TextEdit, so that the tags and marks of the source can be carried over to the result.
class TextRewriter final {
public:
    // `buffer` lends its memory to the result: a large text rewritten step after step then
    // reuses two buffers instead of taking fresh memory for every step. `extra` is the room
    // expected for inserted characters.
    explicit TextRewriter(const QString &source, qsizetype extra = 0, QString buffer = QString())
        : m_source(source), m_text(std::move(buffer))
    {
        m_text.truncate(0);
        m_text.reserve(source.size() + extra);
        adviseHugePages(m_text);
        // Inserting `extra` characters makes at most as many edits: room for them up front,
        // since a list grown by doubling writes twice the memory it ends with.
        m_edits.reserve(size_t(extra) + 16);
        adviseHugePages(m_edits.data(), qsizetype(m_edits.capacity() * sizeof(TextEdit)));
    }

    // Keeps the source from where the rewrite stands up to `to`.
    void keepTo(qsizetype to)
    {
        if (to <= m_done)
            return;
        m_text.append(QStringView(m_source).mid(m_done, to - m_done));
        m_done = to;
    }

    void insert(QStringView piece) { edit(0, piece.size()); m_text.append(piece); }
    void insert(QChar c) { edit(0, 1); m_text.append(c); }
    void insertBlanks(qsizetype count) { edit(0, count); m_text.append(QString(count, QLatin1Char(' '))); }

    // Drops `count` characters of the source from where the rewrite stands.
    void drop(qsizetype count)
    {
        edit(count, 0);
        m_done += count;
    }

    qsizetype position() const { return m_done; }
    // The text written so far.
    QStringView written() const { return m_text; }

    // The buffer, when finish() gave back the source.
    QString takeBuffer() { return std::move(m_text); }

    // The whole result; the source itself when nothing changed.
    QString finish(TextEdits &edits)
    {
        edits = std::move(m_edits);
        if (edits.empty())
            return m_source;
        keepTo(m_source.size());
        return std::move(m_text);
    }

private:
    void edit(qsizetype removed, qsizetype inserted)
    {
        // Changes that meet are one edit, so that edits never touch.
        if (!m_edits.empty() && m_edits.back().at + m_edits.back().removed == m_done) {
            m_edits.back().removed += removed;
            m_edits.back().inserted += inserted;
        } else {
            if (m_edits.size() == m_edits.capacity())
                growEdits();
            m_edits.push_back({m_done, removed, inserted});
        }
    }

    // Room for twice as many edits: a large page with a change in every tag makes this list
    // tens of megabytes long, so its new memory is advised for huge pages before the edits so
    // far are copied in.
    void growEdits()
    {
        TextEdits grown;
        grown.reserve(m_edits.capacity() < 32 ? 64 : m_edits.capacity() * 2);
        adviseHugePages(grown.data(), qsizetype(grown.capacity() * sizeof(TextEdit)));
        grown.insert(grown.end(), m_edits.begin(), m_edits.end());
        m_edits.swap(grown);
    }

    const QString &m_source;
    QString m_text;
    qsizetype m_done = 0;
    TextEdits m_edits;
};

// Moves positions of the source (in ascending order) to their places in the result; a position
// behind an insertion made right at it moves behind the inserted text.
void MovePositions(std::vector<qsizetype> &positions, const TextEdits &edits);

} // namespace korvel
