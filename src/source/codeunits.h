#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The source commands run on two forms of one text, with one implementation each: the
// editor's text as UTF-16 (QString, char16_t units) and a file's text as UTF-8 bytes with CR LF
// line breaks (QByteArray, char units), the form the batch program reads a large page in
// without decoding it. Both forms write every ASCII character as one unit of the same value and
// every other character as a run of units that no ASCII unit can be part of, so a command that
// acts on ASCII characters and passes the others through gives the same text in both forms.
namespace korvel {

template <typename Text>
struct TextUnits;

template <>
struct TextUnits<QString> {
    using Unit = char16_t;
    using View = QStringView;
};

template <>
struct TextUnits<QByteArray> {
    using Unit = char;
    using View = QByteArrayView;
};

template <typename Text>
using UnitOf = typename TextUnits<Text>::Unit;

template <typename Text>
using ViewOf = typename TextUnits<Text>::View;

// The unit's value as a number: 0 to 255 for a byte (never negative), 0 to 65535 for UTF-16.
constexpr char32_t unitValue(char u) noexcept
{
    return char32_t(static_cast<unsigned char>(u));
}

constexpr char32_t unitValue(char16_t u) noexcept
{
    return char32_t(u);
}

constexpr bool isAsciiUnit(char u) noexcept
{
    return static_cast<unsigned char>(u) < 0x80;
}

constexpr bool isAsciiUnit(char16_t u) noexcept
{
    return u < 0x80;
}

// ---- The tag-balance check's helpers on both forms ----

// The units of a view, as the pointer the whole-text loops read.
inline const char16_t *unitsOf(QStringView text) noexcept
{
    return text.utf16();
}

inline const char *unitsOf(QByteArrayView text) noexcept
{
    return text.data();
}

// How many UTF-16 units the character a unit begins stands for, 0 for a unit inside a
// character: the editor's form counts the characters of a limit in UTF-16 units (a character
// beyond U+FFFF as two), so a limit counted so in UTF-8 ends at the same character.
constexpr int utf16UnitsOf(char16_t) noexcept
{
    return 1;
}

constexpr int utf16UnitsOf(char u) noexcept
{
    const unsigned char b = static_cast<unsigned char>(u);
    return (b & 0xC0) == 0x80 ? 0 : (b >= 0xF0 ? 2 : 1);
}

// A text of the form made of ASCII characters.
template <typename Text>
Text asciiText(QLatin1String ascii);

template <>
inline QString asciiText<QString>(QLatin1String ascii)
{
    return QString(ascii);
}

template <>
inline QByteArray asciiText<QByteArray>(QLatin1String ascii)
{
    return QByteArray(ascii.data(), ascii.size());
}

} // namespace korvel
