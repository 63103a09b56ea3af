#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

class QIODevice;

namespace korvel {

// The size of the pieces a large file is read and written in: big enough that a read costs
// little per byte, small enough that the buffers stay in the cache and add nothing to the
// memory a large page needs.
inline constexpr qsizetype FileChunkBytes = qsizetype(1) << 20;

// The line breaks of a text: CR LF pairs, lone CRs (also one at the very end) and lone LFs.
struct LineBreakCounts {
    qsizetype crLf = 0, lf = 0, cr = 0;
    int kinds() const { return int(crLf > 0) + int(lf > 0) + int(cr > 0); }
};
LineBreakCounts countLineBreaks(QStringView text);

// Reads a text file piece by piece, so its bytes are never held whole beside its text, and
// hands on the text with each CR LF, CR and LF written as CR LF. A character whose bytes a
// piece cuts, and a CR LF that a piece cuts, come whole in the next piece. Counts the line
// breaks the file had and tells whether it holds U+2028.
class CrLfTextReader final {
public:
    enum class Encoding { Utf8, Cp1252 };
    // Reads `device` from its current position in pieces of `chunkBytes` (at least 1) bytes.
    CrLfTextReader(QIODevice &device, Encoding encoding, qsizetype chunkBytes = FileChunkBytes);
    Q_DISABLE_COPY_MOVE(CrLfTextReader)

    // The next piece of text, valid until the next call; false at the end, after a read error
    // and at the first bytes that are not UTF-8 in its shortest forms (see isExactUtf8).
    bool next(QStringView &piece);

    bool readFailed() const { return m_readFailed; }
    // False once bytes were met that are not exact UTF-8, or a sequence is cut off at the end.
    bool exact() const { return m_exact; }
    bool nonAscii() const { return m_nonAscii; }
    bool sawLineSeparator() const { return m_separator; }
    qsizetype crLfBreaks() const { return m_crLf; }
    qsizetype lfBreaks() const { return m_lf; }
    qsizetype crBreaks() const { return m_cr; }

private:
    bool decodeNext();
    QStringView converted(qsizetype length);

    QIODevice &m_device;
    const Encoding m_encoding;
    const qsizetype m_chunk;
    QByteArray m_bytes;      // the piece read, after the bytes of a character cut at its end before
    qsizetype m_carried = 0; // those bytes
    QString m_text;          // the piece decoded, after a CR held back from the piece before
    bool m_heldCr = false;
    QString m_piece;         // the piece with its breaks written as CR LF, when it needs that
    bool m_ended = false;
    bool m_readFailed = false;
    bool m_exact = true;
    bool m_nonAscii = false;
    bool m_separator = false;
    qsizetype m_crLf = 0, m_lf = 0, m_cr = 0;
};

// Where a piece of `text` that starts at `from` and is about `chunk` long may end: not between
// the CR and LF of a break nor between the halves of a surrogate pair, and never at `from`.
qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype chunk);

// Appends the piece with each CR LF, CR and LF written as `to` (or each U+2028, when
// `separators`). The piece must not end inside a CR LF (see pieceEnd).
void appendWithBreaks(QString &out, QStringView piece, QStringView to, bool separators);

// Where the first line break of the text (CR LF, CR, LF; or U+2028 when `separators`) that is
// not written as `to` begins; the text's length when every break already is.
qsizetype firstBreakNotAs(QStringView text, QStringView to, bool separators = false);

// Whether every line break of the piece (CR LF, CR, LF) is already `to`.
bool breaksAre(QStringView piece, QStringView to);

} // namespace korvel
