#pragma once

#include "app/filecodec.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace korvel {

// What a page says about its own bytes: the encoding of its XML declaration, else the charset
// of its first meta tag that names one ("<meta charset=...>" or a content type with
// "charset="). Only the part of the page before "<body" is read.
enum class CharsetKind { None, Utf8, Windows1252, Other };

struct CharsetDeclaration {
    CharsetKind kind = CharsetKind::None;
    QString label;  // as written, lower case
};

CharsetDeclaration declaredCharset(QStringView text);

// How much of a page's start declaredCharset reads at most: the same answer comes from the page
// cut off there.
qsizetype charsetDeclarationReach();

// The encoding a save should use to match the declaration, when writing `text` in `encoding`
// would give bytes that the declared charset reads differently. Only files without a
// byte-order mark can contradict their declaration (a mark decides for itself), and a text of
// plain ASCII reads the same in every charset this program writes. kind is None when nothing
// contradicts. A charset this program cannot write is not checked: the ANSI save hands its
// bytes back as they were read.
struct CharsetConflict {
    CharsetKind kind = CharsetKind::None;
    QString label;
    TextEncoding matching = TextEncoding::Ansi;  // for Utf8 and Windows1252
};

CharsetConflict charsetConflict(const QString &text, TextEncoding encoding);
// The same for a text held as UTF-8 bytes, read without decoding it beyond its head.
CharsetConflict charsetConflictOfUtf8(QByteArrayView utf8, TextEncoding encoding);

} // namespace korvel
