#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace korvel {

// The line breaks of a text: CR LF pairs, lone CRs (also one at the very end) and lone LFs.
struct LineBreakCounts {
    qsizetype crLf = 0, lf = 0, cr = 0;
    int kinds() const { return int(crLf > 0) + int(lf > 0) + int(cr > 0); }
};
LineBreakCounts countLineBreaks(QStringView text);
// The same for the bytes of a text in an 8-bit encoding or UTF-8, whose breaks are those bytes.
LineBreakCounts countLineBreaks(QByteArrayView bytes);

// Appends the piece with each CR LF, CR and LF written as `to` (or each U+2028, when
// `separators`). The piece must not end between the CR and LF of a break.
void appendWithBreaks(QString &out, QStringView piece, QStringView to, bool separators);

// Where the first line break of the text (CR LF, CR, LF; or U+2028 when `separators`) that is
// not written as `to` begins; the text's length when every break already is.
qsizetype firstBreakNotAs(QStringView text, QStringView to, bool separators = false);
// The same for bytes, whose breaks are CR LF, CR and LF.
qsizetype firstBreakNotAs(QByteArrayView bytes, QByteArrayView to);

} // namespace korvel
