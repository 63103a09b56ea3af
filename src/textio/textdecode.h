#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace korvel {

// Windows-1252, both ways. Bytes without a character in the code page map to the C1 control of
// the same value, so every byte survives a round trip. Characters the code page cannot hold
// become "?"; the count of those goes to *replaced.
QString decodeAnsi(const QByteArray &bytes);
QByteArray encodeAnsi(const QString &text, int *replaced = nullptr);
// The same, appended to `out`; the count of characters replaced by "?".
int appendAnsi(QByteArray &out, QStringView text);
bool ansiCanHold(const QString &text);

// The text when the bytes are UTF-8 that encodes back to exactly these bytes (no overlong
// forms, no encoded surrogates, no cut-off sequence); a leading mark stays in the text as
// U+FEFF. Nothing otherwise.
std::optional<QString> decodeUtf8Exactly(const QByteArray &bytes);

// Whether the bytes are UTF-8 in its shortest forms, with no encoded surrogate, nothing beyond
// U+10FFFF and no cut-off sequence: exactly what decodes to a text that encodes back to them.
// *nonAscii tells whether any byte is 128 or above; when the answer is false, it is true.
bool isExactUtf8(const char *bytes, qsizetype size, bool *nonAscii = nullptr);

// UTF-8 as text with a leading U+FEFF kept as the character it is (QString::fromUtf8 drops it
// as a mark): the editor control's text, where it is a character of the document.
QString decodeUtf8KeepingMark(QByteArrayView utf8);

// Text files written by people and other tools: UTF-8 (a leading mark EF BB BF is dropped) when
// the bytes are exactly that, else Windows-1252.
QString decodeUtf8OrAnsi(const QByteArray &bytes);

} // namespace korvel
