#pragma once

#include <QStringView>

// The character references of HTML text, as the designer's engine reads them.
namespace korvel {

// The character a named reference stands for (the name without "&" and ";"), or 0 when the
// name is not one this program knows. A page using a name outside this list is still read
// correctly: its text then simply does not line up with the engine's and is not spliced.
char32_t NamedEntityChar(QStringView name);

// True for the names that are also read without their ";" (the Latin-1 ones and the markup ones).
bool IsLegacyEntityName(QStringView name);

// The character a numeric reference gives: 128-159 read as Windows-1252, invalid values as
// U+FFFD.
char32_t NumericReferenceChar(quint32 value);

// The Windows-1252 byte of a character, or -1 when that code page has none for it.
int Windows1252Byte(char32_t c);

} // namespace korvel
