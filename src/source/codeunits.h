#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QLatin1String>
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

// Helpers of the whole-text commands for both forms (commands8 block).
namespace korvel {

constexpr char32_t unitValue(QChar c) noexcept
{
    return char32_t(c.unicode());
}

// How many UTF-16 units the character a unit begins counts for, so that a limit that counts the
// editor's units counts the same in both forms: 1 for every UTF-16 unit; for UTF-8, 0 for a
// continuation byte, 2 for the lead byte of a four-byte character (one surrogate pair), 1
// otherwise.
constexpr qsizetype utf16Width(char16_t) noexcept
{
    return 1;
}

constexpr qsizetype utf16Width(char u) noexcept
{
    const unsigned char b = static_cast<unsigned char>(u);
    return b < 0x80 ? 1 : b < 0xC0 ? 0 : b < 0xF0 ? 1 : 2;
}

// Where a walk of `want` UTF-16 units back from `at` ends (0 at the latest), the units walked in
// *walked: `want` unless the start came first; in UTF-8 one more when the walk ends on a
// four-byte character of which it wanted only the second unit. It always ends where a
// character begins.
constexpr qsizetype stepBackUtf16Units(const char16_t *, qsizetype at, qsizetype want, qsizetype *walked) noexcept
{
    const qsizetype begin = at > want ? at - want : 0;
    *walked = at - begin;
    return begin;
}

constexpr qsizetype stepBackUtf16Units(const char *units, qsizetype at, qsizetype want, qsizetype *walked) noexcept
{
    qsizetype counted = 0;
    while (at > 0 && counted < want)
        counted += utf16Width(units[--at]);
    *walked = counted;
    return at;
}

// Where a walk of `want` UTF-16 units forward from `at` ends (`n` at the latest); in UTF-8 a
// character it reaches into is taken whole.
constexpr qsizetype stepForwardUtf16Units(const char16_t *, qsizetype at, qsizetype n, qsizetype want) noexcept
{
    return n - at > want ? at + want : n;
}

constexpr qsizetype stepForwardUtf16Units(const char *units, qsizetype at, qsizetype n, qsizetype want) noexcept
{
    for (qsizetype counted = 0; at < n && counted < want; ++at)
        counted += utf16Width(units[at]);
    while (at < n && utf16Width(units[at]) == 0)
        ++at;
    return at;
}

// The character that begins at `i` and the count of its units in *length. A UTF-16 unit stands
// for itself (a surrogate half too, as the editor's commands see it). A UTF-8 sequence is
// decoded; a byte that does not begin a whole sequence stands alone and gives U+FFFD, so no
// input reads past the end.
constexpr char32_t characterAt(const char16_t *units, qsizetype, qsizetype i, qsizetype *length) noexcept
{
    *length = 1;
    return units[i];
}

constexpr char32_t characterAt(const char *units, qsizetype n, qsizetype i, qsizetype *length) noexcept
{
    const char32_t lead = unitValue(units[i]);
    *length = 1;
    if (lead < 0x80)
        return lead;
    const qsizetype size = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
    if (size == 0 || i + size > n)
        return 0xFFFD;
    char32_t c = lead & (0x7F >> size);
    for (qsizetype k = 1; k < size; ++k) {
        const char32_t next = unitValue(units[i + k]);
        if ((next & 0xC0) != 0x80)
            return 0xFFFD;
        c = (c << 6) | (next & 0x3F);
    }
    *length = size;
    return c;
}

// The units of a text as the plain unit type (QChar is a char16_t in a class).
inline const char16_t *unitsOf(const QString &text) noexcept
{
    return reinterpret_cast<const char16_t *>(text.constData());
}

inline const char *unitsOf(const QByteArray &text) noexcept
{
    return text.constData();
}

inline char16_t *writableUnitsOf(QString &text)
{
    return reinterpret_cast<char16_t *>(text.data());
}

inline char *writableUnitsOf(QByteArray &text)
{
    return text.data();
}

// An ASCII text appended, and searched for, in either form.
inline void appendAscii(QString &out, char ascii)
{
    out.append(QLatin1Char(ascii));
}

inline void appendAscii(QByteArray &out, char ascii)
{
    out.append(ascii);
}

inline void appendAscii(QString &out, QLatin1String ascii)
{
    out.append(ascii);
}

inline void appendAscii(QByteArray &out, QLatin1String ascii)
{
    out.append(ascii.data(), ascii.size());
}

inline bool containsAscii(QStringView text, QLatin1String ascii) noexcept
{
    return text.contains(ascii);
}

inline bool containsAscii(QByteArrayView text, QLatin1String ascii) noexcept
{
    return text.contains(QByteArrayView(ascii.data(), ascii.size()));
}

} // namespace korvel
