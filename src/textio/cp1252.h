#pragma once

#include <QChar>

namespace korvel {

// Code page 1252 (Windows "ANSI"), the 8-bit text the source tools count in and the encoding of
// ANSI files. The five bytes the code page leaves undefined stand for the control characters of
// the same number, so every byte survives a round trip.

// The byte that stands for the character; 63 ("?") for a character the code page cannot hold.
int Cp1252Byte(QChar c);
// True when the code page holds the character.
bool Cp1252Holds(QChar c);
// The character a byte stands for.
QChar Cp1252Char(unsigned char byte);

} // namespace korvel
