#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <vector>

namespace korvel {

// How the source tools compare two characters when they search.
enum class CaseMode {
    Exact,     // character for character
    AsciiFold, // A-Z and a-z are the same letters; every other character stands for itself
    UpperCase, // letters are compared by their upper-case forms, so "Ä" matches "ä"
};

// A-Z become a-z; nothing else changes.
constexpr QChar FoldAscii(QChar c) noexcept
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') ? QChar(char16_t(u + 32)) : c;
}

// The letters that end a whole word: A-Z, a-z and the upper half of code page 1252 (192 to
// 255, which Unicode holds at the same code points).
constexpr bool IsWordLetter(QChar c) noexcept
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= 0xC0 && u <= 0xFF);
}

// Searches one needle in any number of texts in time linear in the haystack (Knuth-Morris-
// Pratt), whatever the needle, so that the whole-text commands stay linear for every input.
class TextMatcher final {
public:
    TextMatcher(const QString &needle, CaseMode mode);

    // Index of the first occurrence at or after `from`, -1 when there is none. An empty
    // needle is never found.
    qsizetype indexIn(QStringView haystack, qsizetype from = 0) const;
    // The same in UTF-8 bytes: a byte index, the first byte of the occurrence.
    qsizetype indexIn(QByteArrayView haystack, qsizetype from = 0) const;

    qsizetype length() const { return m_needle.size(); }

private:
    template <CaseMode Mode, typename View>
    qsizetype search(View haystack, qsizetype from) const;

    QString m_needle; // already folded
    std::vector<qsizetype> m_border;
    CaseMode m_mode = CaseMode::Exact;
    bool m_firstHasOneForm = false; // the needle's first character matches only itself
};

// First occurrence of `needle` at or after `from`, with only A-Z folded; -1 when absent.
qsizetype IndexOfAsciiNoCase(QStringView haystack, const QString &needle, qsizetype from = 0);

// True when `needle` occurs at `at`, with only A-Z folded.
bool MatchesAsciiNoCaseAt(QStringView haystack, qsizetype at, QStringView needle);

// True when the text holds nothing but blanks and control characters (codes below 33).
bool IsBlank(QStringView text);

// Removes blanks and control characters (every code below 33) at both ends.
QString TrimBlanks(const QString &text);

// Letter case of A-Z and a-z only; umlauts and every other character stay.
QString AsciiLowerCase(QString text);
QString AsciiUpperCase(QString text);

// ---- The tag-balance check's searches, on both forms of text (see codeunits.h) ----

// Index of the unit `c` in units [from, n), -1 when none: the library's fast search (many units
// at a time).
qsizetype IndexOfUnit(const char16_t *p, qsizetype n, char16_t c, qsizetype from);
qsizetype IndexOfUnit(const char *p, qsizetype n, char c, qsizetype from);

// First occurrence of the ASCII `needle`, character for character, in units [from, n); -1 when
// absent: the library's search for a string.
qsizetype IndexOfExactIn(const char16_t *p, qsizetype n, QLatin1String needle, qsizetype from = 0);
qsizetype IndexOfExactIn(const char *p, qsizetype n, QLatin1String needle, qsizetype from = 0);

// True when the ASCII `needle` occurs at `at` of units [0, n), with only A-Z folded.
template <typename Unit>
bool MatchesAsciiNoCaseIn(const Unit *p, qsizetype n, qsizetype at, QLatin1String needle);

// First occurrence of the ASCII `needle` in units [from, n) with only A-Z folded; -1 when
// absent. For the check's short needles: each place its first character is found at (with the
// fast search when that is no letter) is compared in place, in time n times the needle's length.
template <typename Unit>
qsizetype IndexOfAsciiNoCaseIn(const Unit *p, qsizetype n, QLatin1String needle, qsizetype from = 0);

} // namespace korvel

// The helpers above for UTF-8 bytes (commands8 block): each answers as its QString form does on
// the decoded text, with byte indices.
namespace korvel {

qsizetype IndexOfAsciiNoCase(QByteArrayView haystack, QByteArrayView needle, qsizetype from = 0);
bool IsBlank(QByteArrayView text);

} // namespace korvel
