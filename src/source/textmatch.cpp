#include "source/textmatch.h"

namespace korvel {

TextMatcher::TextMatcher(const QString &needle, CaseMode mode)
    : m_mode(mode)
{
    m_needle.reserve(needle.size());
    for (QChar c : needle)
        m_needle.append(fold(c));

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
}

QChar TextMatcher::fold(QChar c) const
{
    switch (m_mode) {
    case CaseMode::Exact:
        return c;
    case CaseMode::AsciiFold:
        return FoldAscii(c);
    case CaseMode::UpperCase:
        if (c.unicode() < 0x80)
            return (c.unicode() >= u'a' && c.unicode() <= u'z') ? QChar(char16_t(c.unicode() - 32)) : c;
        {
            const char32_t upper = QChar::toUpper(char32_t(c.unicode()));
            return upper <= 0xFFFF ? QChar(char16_t(upper)) : c;
        }
    }
    return c;
}

qsizetype TextMatcher::indexIn(QStringView haystack, qsizetype from) const
{
    const qsizetype m = m_needle.size();
    if (m == 0)
        return -1;
    if (from < 0)
        from = 0;
    qsizetype k = 0;
    for (qsizetype i = from; i < haystack.size(); ++i) {
        const QChar c = fold(haystack[i]);
        while (k > 0 && c != m_needle[k])
            k = m_border[size_t(k - 1)];
        if (c == m_needle[k])
            ++k;
        if (k == m)
            return i - m + 1;
    }
    return -1;
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

bool IsBlank(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x20)
            return false;
    }
    return true;
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

} // namespace korvel
