#include "source/textmatch.h"

#include "source/codeunits.h"
#include "textio/textdecode.h"

#include <QByteArrayView>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace korvel {

namespace {

template <CaseMode Mode>
inline QChar Fold(QChar c)
{
    if constexpr (Mode == CaseMode::Exact) {
        return c;
    } else if constexpr (Mode == CaseMode::AsciiFold) {
        return FoldAscii(c);
    } else {
        const char16_t u = c.unicode();
        if (u < 0x80)
            return (u >= u'a' && u <= u'z') ? QChar(char16_t(u - 32)) : c;
        const char32_t upper = QChar::toUpper(char32_t(u));
        return upper <= 0xFFFF ? QChar(char16_t(upper)) : c;
    }
}

QChar FoldFor(CaseMode mode, QChar c)
{
    switch (mode) {
    case CaseMode::Exact:
        return Fold<CaseMode::Exact>(c);
    case CaseMode::AsciiFold:
        return Fold<CaseMode::AsciiFold>(c);
    case CaseMode::UpperCase:
        break;
    }
    return Fold<CaseMode::UpperCase>(c);
}

} // namespace

TextMatcher::TextMatcher(const QString &needle, CaseMode mode)
    : m_mode(mode)
{
    m_needle.reserve(needle.size());
    for (QChar c : needle)
        m_needle.append(FoldFor(mode, c));

    // m_border[i]: length of the longest proper border of the needle's first i + 1 characters.
    m_border.assign(size_t(m_needle.size()), 0);
    qsizetype k = 0;
    for (qsizetype i = 1; i < m_needle.size(); ++i) {
        while (k > 0 && m_needle[i] != m_needle[k])
            k = m_border[size_t(k - 1)];
        if (m_needle[i] == m_needle[k])
            ++k;
        m_border[size_t(i)] = k;
    }

    if (!m_needle.isEmpty()) {
        const QChar first = m_needle[0];
        // Under upper-casing only letters have other forms: no character turns into an ASCII
        // character other than a letter.
        const bool asciiNonLetter = first.unicode() < 0x80 && !IsWordLetter(first);
        m_firstHasOneForm = mode == CaseMode::Exact
            || (mode == CaseMode::AsciiFold && !(first >= QLatin1Char('a') && first <= QLatin1Char('z')))
            || (mode == CaseMode::UpperCase && asciiNonLetter);
    }
}

namespace {

// The unit searched for between partial matches, in the haystack's own units: only called for
// an ASCII character in a byte haystack.
qsizetype IndexOfUnit(QStringView haystack, QChar c, qsizetype from)
{
    return haystack.indexOf(c, from);
}

qsizetype IndexOfUnit(QByteArrayView haystack, QChar c, qsizetype from)
{
    return haystack.indexOf(char(c.unicode()), from);
}

} // namespace

// One search for both forms: a byte is compared as the character of its value, which, for an
// ASCII needle in the Exact and AsciiFold modes, finds what the decoded text would.
template <CaseMode Mode, typename View>
qsizetype TextMatcher::search(View haystack, qsizetype from) const
{
    const qsizetype m = m_needle.size();
    const qsizetype n = haystack.size();
    const QChar *needle = m_needle.constData();
    qsizetype k = 0;
    qsizetype i = from;
    while (i < n) {
        if (k == 0 && m_firstHasOneForm) {
            // Between partial matches, jump to the next first character with the fast search.
            i = IndexOfUnit(haystack, needle[0], i);
            if (i < 0)
                return -1;
            if (m == 1)
                return i;
            k = 1;
            ++i;
            continue;
        }
        const QChar c = Fold<Mode>(QChar(char16_t(unitValue(haystack[i]))));
        while (k > 0 && c != needle[k])
            k = m_border[size_t(k - 1)];
        if (c == needle[k])
            ++k;
        if (k == m)
            return i - m + 1;
        ++i;
    }
    return -1;
}

qsizetype TextMatcher::indexIn(QStringView haystack, qsizetype from) const
{
    if (m_needle.isEmpty())
        return -1;
    if (from < 0)
        from = 0;
    switch (m_mode) {
    case CaseMode::Exact:
        return search<CaseMode::Exact>(haystack, from);
    case CaseMode::AsciiFold:
        return search<CaseMode::AsciiFold>(haystack, from);
    case CaseMode::UpperCase:
        break;
    }
    return search<CaseMode::UpperCase>(haystack, from);
}

qsizetype IndexOfAsciiNoCase(QStringView haystack, const QString &needle, qsizetype from)
{
    return TextMatcher(needle, CaseMode::AsciiFold).indexIn(haystack, from);
}

bool MatchesAsciiNoCaseAt(QStringView haystack, qsizetype at, QStringView needle)
{
    if (at < 0 || at + needle.size() > haystack.size())
        return false;
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (FoldAscii(haystack[at + i]) != FoldAscii(needle[i]))
            return false;
    }
    return true;
}

namespace {

template <typename View>
bool IsBlankIn(View text)
{
    for (const auto c : text) {
        if (unitValue(c) > 0x20)
            return false;
    }
    return true;
}

} // namespace

bool IsBlank(QStringView text)
{
    return IsBlankIn(text);
}

QString TrimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

QString AsciiLowerCase(QString text)
{
    for (QChar &c : text)
        c = FoldAscii(c);
    return text;
}

QString AsciiUpperCase(QString text)
{
    for (QChar &c : text) {
        if (c.unicode() >= u'a' && c.unicode() <= u'z')
            c = QChar(char16_t(c.unicode() - 32));
    }
    return text;
}

// ---- The tag-balance check's searches, on both forms of text ----

qsizetype IndexOfUnit(const char16_t *p, qsizetype n, char16_t c, qsizetype from)
{
    if (from >= n)
        return -1;
    const qsizetype found = QStringView(p + from, n - from).indexOf(QChar(c));
    return found < 0 ? -1 : from + found;
}

qsizetype IndexOfUnit(const char *p, qsizetype n, char c, qsizetype from)
{
    if (from >= n)
        return -1;
    const void *found = std::memchr(p + from, c, size_t(n - from));
    return found ? qsizetype(static_cast<const char *>(found) - p) : -1;
}

qsizetype IndexOfExactIn(const char16_t *p, qsizetype n, QLatin1String needle, qsizetype from)
{
    // The needle in UTF-16, as the text's own search is fastest with one of its own form.
    char16_t units[16];
    if (from >= n || needle.isEmpty())
        return -1;
    if (needle.size() > qsizetype(std::size(units)))
        return QStringView(p, n).indexOf(needle, from);
    std::copy_n(needle.data(), needle.size(), units);
    return QStringView(p, n).indexOf(QStringView(units, needle.size()), from);
}

qsizetype IndexOfExactIn(const char *p, qsizetype n, QLatin1String needle, qsizetype from)
{
    if (from >= n || needle.isEmpty())
        return -1;
    return QByteArrayView(p, n).indexOf(QByteArrayView(needle.data(), needle.size()), from);
}

namespace {

template <typename Unit>
constexpr char32_t FoldedUnit(Unit u) noexcept
{
    const char32_t v = unitValue(u);
    return (v >= u'A' && v <= u'Z') ? v + 32 : v;
}

} // namespace

template <typename Unit>
bool MatchesAsciiNoCaseIn(const Unit *p, qsizetype n, qsizetype at, QLatin1String needle)
{
    if (at < 0 || at + needle.size() > n)
        return false;
    const char *q = needle.data();
    for (qsizetype i = 0; i < needle.size(); ++i) {
        if (FoldedUnit(p[at + i]) != FoldedUnit(q[i]))
            return false;
    }
    return true;
}

template <typename Unit>
qsizetype IndexOfAsciiNoCaseIn(const Unit *p, qsizetype n, QLatin1String needle, qsizetype from)
{
    if (needle.isEmpty())
        return -1;
    const char first = needle.data()[0];
    const bool letter = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    for (qsizetype at = qMax<qsizetype>(from, 0); at + needle.size() <= n; ++at) {
        if (!letter) {
            at = IndexOfUnit(p, n, Unit(first), at);
            if (at < 0 || at + needle.size() > n)
                return -1;
        }
        if (MatchesAsciiNoCaseIn(p, n, at, needle))
            return at;
    }
    return -1;
}

template bool MatchesAsciiNoCaseIn(const char16_t *, qsizetype, qsizetype, QLatin1String);
template bool MatchesAsciiNoCaseIn(const char *, qsizetype, qsizetype, QLatin1String);
template qsizetype IndexOfAsciiNoCaseIn(const char16_t *, qsizetype, QLatin1String, qsizetype);
template qsizetype IndexOfAsciiNoCaseIn(const char *, qsizetype, QLatin1String, qsizetype);

} // namespace korvel

// commands8 block: the bytes forms.
namespace korvel {

namespace {

bool IsAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// The byte index where the character at UTF-16 index `units` begins (the end for the end).
qsizetype ByteIndexOfUnits(QByteArrayView utf8, qsizetype units)
{
    qsizetype i = 0;
    for (qsizetype counted = 0; i < utf8.size(); ++i) {
        if (counted >= units && utf16Width(utf8[i]) != 0)
            break;
        counted += utf16Width(utf8[i]);
    }
    return i;
}

qsizetype UnitsBefore(QByteArrayView utf8, qsizetype bytes)
{
    qsizetype units = 0;
    for (qsizetype i = 0; i < bytes && i < utf8.size(); ++i)
        units += utf16Width(utf8[i]);
    return units;
}

} // namespace

qsizetype TextMatcher::indexIn(QByteArrayView haystack, qsizetype from) const
{
    if (m_needle.isEmpty())
        return -1;
    if (from < 0)
        from = 0;
    if (m_mode != CaseMode::UpperCase && IsAscii(m_needle)) {
        if (m_mode == CaseMode::Exact)
            return search<CaseMode::Exact>(haystack, from);
        return search<CaseMode::AsciiFold>(haystack, from);
    }
    // A needle with other characters, or one compared by upper-case forms, is searched in the
    // decoded text; the whole-text commands search ASCII needles only.
    const qsizetype at = indexIn(QStringView(decodeUtf8KeepingMark(haystack)), UnitsBefore(haystack, from));
    return at < 0 ? -1 : ByteIndexOfUnits(haystack, at);
}

qsizetype IndexOfAsciiNoCase(QByteArrayView haystack, QByteArrayView needle, qsizetype from)
{
    return TextMatcher(decodeUtf8KeepingMark(needle), CaseMode::AsciiFold).indexIn(haystack, from);
}

bool IsBlank(QByteArrayView text)
{
    return IsBlankIn(text);
}

} // namespace korvel
