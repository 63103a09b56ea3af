#pragma once

#include "textio/textdecode.h"
#include "textio/textlines.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace korvel {

// How a document's bytes are encoded. Utf8 carries the mark EF BB BF; Utf8NoMark is a file
// without mark whose bytes are valid UTF-8 and hold non-ASCII text, or are plain ASCII of a
// page that declares UTF-8; Ansi is Windows-1252.
enum class TextEncoding { Utf16LE, Utf16BE, Utf8, Utf8NoMark, Ansi };

enum class LineBreakStyle { CrLf, Lf, Cr, LineSeparator };

// The format found when a file is loaded and reproduced when it is saved.
struct FileFormat {
    TextEncoding encoding = TextEncoding::Utf16LE;
    LineBreakStyle lineBreak = LineBreakStyle::CrLf;
    bool operator==(const FileFormat &) const = default;
};

struct DecodedDocument {
    bool ok = false;        // false: the bytes cannot be read (UTF-16 of odd length)
    QStringList lines;      // a text ending with a line break keeps an empty last line
    FileFormat format;
    // A NUL among the first bytes of a file without a UTF-16 mark: the file is most likely
    // not text, as version-control tools decide.
    bool looksBinary = false;
    // Saving the unchanged text writes these bytes again. Not so for a UTF-8 file whose bytes
    // after the mark are not all UTF-8, or a UTF-16 file with a surrogate out of its pair: the
    // editor holds such bytes as replacement characters.
    bool keepsEveryByte = true;
    // The break after each line but the last, in order, when the file mixes CR LF, LF and CR;
    // empty otherwise. format.lineBreak is then the break most lines end with.
    std::vector<LineBreakStyle> lineBreaks;
};

// True when the bytes look like a binary file rather than text.
bool looksBinary(const QByteArray &bytes);

// Splits a text into lines and tells its line-break style: a text that mixes CR LF, LF and CR
// has the style most of its breaks have (CR LF, then LF, on a tie). U+2028 separates lines only in a
// text that has no CR and no LF; elsewhere it is an ordinary character of the text.
QStringList splitLines(const QString &text, LineBreakStyle *style = nullptr);
LineBreakStyle lineBreakStyleOf(const QString &text);
// The same from the counts of a text's breaks and whether it holds U+2028.
LineBreakStyle lineBreakStyleOf(qsizetype crLf, qsizetype lf, qsizetype cr, bool lineSeparator);
QString lineSeparator(LineBreakStyle style);

DecodedDocument decodeDocument(const QByteArray &bytes);
// The lines joined by the format's line break; by `lineBreaks` instead when it holds one break
// for each line but the last (see DecodedDocument).
QByteArray encodeDocument(const QStringList &lines, const FileFormat &format,
                          const std::vector<LineBreakStyle> &lineBreaks = {});

// The format a save writes: the document's own, except for Windows-1252 bytes that would load
// back as other text because they begin like a byte-order mark ("ÿþ", "þÿ", "ï»¿") or happen to
// form UTF-8: those are written as UTF-8 with mark, which loads back exactly.
FileFormat formatThatLoadsBack(const QStringList &lines, const FileFormat &format);

// A document as one text, its lines joined by CR LF, as the whole-text commands take it: what
// decodeDocument finds, without a list of lines, so a large file is decoded in one piece.
struct DecodedText {
    bool ok = false;
    QString text;
    FileFormat format;
    bool looksBinary = false;
    bool keepsEveryByte = true;
};
DecodedText decodeDocumentText(const QByteArray &bytes);

// encodeDocument(splitAtLineBreaks(text), format) without the list of lines: each CR LF, CR
// and LF of the text becomes the format's line break.
QByteArray encodeDocumentText(const QString &text, const FileFormat &format);

// The text in the encoding, without a byte-order mark, appended to `out`; its line breaks stay
// as they are.
void appendEncodedText(QByteArray &out, QStringView text, TextEncoding encoding);
// The byte-order mark a file in the encoding begins with; empty for none.
QByteArrayView byteOrderMark(TextEncoding encoding);

// The text with each CR LF, CR and LF written as LF: its lines joined by LF.
QString withLineFeeds(const QString &text);

// The two plain exports: every line followed by CR LF (also the last), no mark.
QByteArray ansiTextExport(const QStringList &lines, int *replaced = nullptr);
QByteArray utf8TextExport(const QStringList &lines);

} // namespace korvel
