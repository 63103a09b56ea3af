#include "source/markupmap.h"

#include "source/textmatch.h"
#include "textio/largebuffer.h"

#include <limits>

namespace korvel {

namespace {

template <typename Unit>
bool isAsciiLetter(Unit c)
{
    const char32_t u = unitValue(c);
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

// Elements whose contents are text up to their own end tag, whatever looks like markup in them.
struct RawTextElement {
    QLatin1String name;
    QLatin1String endTag;
};

const RawTextElement RawTextElements[] = {
    {QLatin1String("script"), QLatin1String("</script")},
    {QLatin1String("style"), QLatin1String("</style")},
    {QLatin1String("textarea"), QLatin1String("</textarea")},
};

template <typename Unit>
inline qsizetype findChar(const Unit *p, qsizetype from, qsizetype n, Unit c)
{
    // Most tags lie a few characters apart: those are found one by one. Further on, the fast
    // search reads many characters at a time, as quotes and the ends of raw text may lie far off.
    for (qsizetype i = from; i < n && i < from + 8; ++i) {
        if (p[i] == c)
            return i;
    }
    return IndexOfUnit(p, n, c, from + 8);
}

} // namespace

template <typename Text>
BasicTagCursor<Text>::BasicTagCursor(ViewOf<Text> text)
    : m_p(unitsOf(text)), m_n(qMin<qsizetype>(text.size(), std::numeric_limits<TagPos>::max()))
{
}

template <typename Text>
qsizetype BasicTagCursor<Text>::closingQuote(qsizetype quote)
{
    const bool dq = m_p[quote] == Unit('"');
    qsizetype &missingFrom = dq ? m_noDouble : m_noSingle;
    if (missingFrom >= 0 && quote + 1 >= missingFrom) {
        m_quoteFailed = true;
        return -1;
    }
    const qsizetype found = findChar(m_p, quote + 1, m_n, m_p[quote]);
    if (found < 0) {
        missingFrom = quote + 1;
        m_quoteFailed = true;
    }
    return found;
}

template <typename Text>
bool BasicTagCursor<Text>::next(qsizetype i, TagSpan &tag)
{
    const Unit *p = m_p;
    const qsizetype n = m_n;
    while (i < n) {
        const qsizetype lt = findChar(p, i, n, Unit('<'));
        if (lt < 0 || lt + 1 >= n)
            return false;
        const Unit after = p[lt + 1];
        if (after == Unit('!') || after == Unit('?')) {
            const bool comment = lt + 3 < n && after == Unit('!') && p[lt + 2] == Unit('-') && p[lt + 3] == Unit('-');
            const qsizetype end = comment ? IndexOfExactIn(p, n, QLatin1String("-->"), lt + 4)
                                          : findChar(p, lt + 2, n, Unit('>'));
            i = end < 0 ? n : end + (comment ? 3 : 1);
            continue;
        }
        const bool closing = after == Unit('/');
        const qsizetype nameStart = lt + (closing ? 2 : 1);
        if (nameStart >= n || !isAsciiLetter(p[nameStart])) {
            i = lt + 1;
            continue;
        }
        qsizetype e = nameStart;
        while (e < n && !IsTagSpace(p[e]) && p[e] != Unit('/') && p[e] != Unit('>'))
            ++e;
        bool closed = false;
        qsizetype end = n;
        if (closing) {
            const qsizetype gt = findChar(p, e, n, Unit('>'));
            closed = gt >= 0;
            end = gt < 0 ? n : gt + 1;
        } else {
            end = startTagEnd(e, &closed);
        }
        tag.start = TagPos(lt);
        tag.end = TagPos(end);
        tag.nameEnd = TagPos(e);
        tag.closing = closing;
        tag.closed = closed;
        tag.resume = TagPos(end);
        tag.raw = false;
        // Only a name as long as one of the raw text elements' can be one.
        const qsizetype length = e - nameStart;
        if (!closing && (length == 5 || length == 6 || length == 8))
            rawTextEnd(tag);
        return true;
    }
    return false;
}

// One past the ">" that ends a start tag whose attributes begin at `from`.
template <typename Text>
qsizetype BasicTagCursor<Text>::startTagEnd(qsizetype from, bool *closed)
{
    const Unit *p = m_p;
    const qsizetype n = m_n;
    qsizetype j = from;
    while (j < n) {
        const Unit c = p[j];
        if (c == Unit('>')) {
            *closed = true;
            return j + 1;
        }
        if (c == Unit('=')) {
            qsizetype k = j + 1;
            while (k < n && IsTagSpace(p[k]))
                ++k;
            if (k < n && (p[k] == Unit('"') || p[k] == Unit('\''))) {
                const qsizetype close = closingQuote(k);
                if (close >= 0) {
                    j = close + 1;
                    continue;
                }
            }
            j = k;
            continue;
        }
        ++j;
    }
    *closed = false;
    return n;
}

// Where the search for tags goes on behind a start tag: behind a script, style or textarea
// tag at the end tag of its element (the end of the text when there is none).
template <typename Text>
void BasicTagCursor<Text>::rawTextEnd(TagSpan &tag) const
{
    // The length and first letter of the name leave one element to compare with, if any: most
    // tags of five letters are tables.
    const qsizetype length = qsizetype(tag.nameEnd) - tag.nameStart();
    const char32_t first = unitValue(m_p[tag.nameStart()]) | 0x20;
    for (const RawTextElement &raw : RawTextElements) {
        if (raw.name.size() == length && unitValue(raw.name.data()[0]) == first && TagNameIsIn(m_p, tag, raw.name)) {
            const qsizetype endTag = IndexOfAsciiNoCaseIn(m_p, m_n, raw.endTag, tag.end);
            tag.resume = TagPos(endTag < 0 ? m_n : endTag);
            tag.raw = true;
            return;
        }
    }
}

template class BasicTagCursor<QString>;
template class BasicTagCursor<QByteArray>;

qsizetype ClosingQuoteInTag(QStringView text, const TagSpan &tag, qsizetype quote)
{
    return ClosingQuoteInTagIn(text.utf16(), tag, quote);
}

std::vector<TagSpan> FindTags(QStringView text)
{
    std::vector<TagSpan> tags;
    // Room for a tag in every six characters, more than pages hold: growing a large vector
    // would copy it over and over, and room never written to costs no memory.
    tags.reserve(size_t(text.size() / 6 + 16));
    adviseHugePages(tags.data(), qsizetype(tags.capacity() * sizeof(TagSpan)));
    TagCursor tokens(text);
    TagSpan tag;
    while (tokens.next(tag))
        tags.push_back(tag);
    return tags;
}

bool TagNameIs(QStringView text, const TagSpan &tag, QStringView name)
{
    return qsizetype(tag.nameEnd) - tag.nameStart() == name.size() && MatchesAsciiNoCaseAt(text, tag.nameStart(), name);
}

const TagSpan *FirstTag(QStringView text, const std::vector<TagSpan> &tags, QStringView name, bool closing)
{
    for (const TagSpan &tag : tags) {
        if (tag.closing == closing && TagNameIs(text, tag, name))
            return &tag;
    }
    return nullptr;
}

} // namespace korvel
