#include "source/markupmap.h"

#include "source/textmatch.h"
#include "textio/largebuffer.h"

#include <limits>

namespace korvel {

namespace {

bool isAsciiLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isSpace(char16_t u)
{
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f';
}

// Elements whose contents are text up to their own end tag, whatever looks like markup in them.
constexpr QStringView RawTextElements[] = {u"script", u"style", u"textarea"};

inline qsizetype findChar(const char16_t *p, qsizetype from, qsizetype n, char16_t c)
{
    // Most tags lie a few characters apart: those are found one by one. Further on, Qt's search
    // reads many characters at a time, as quotes and the ends of raw text may lie far off.
    for (qsizetype i = from; i < n && i < from + 8; ++i) {
        if (p[i] == c)
            return i;
    }
    from += 8;
    if (from >= n)
        return -1;
    const qsizetype found = QStringView(p + from, n - from).indexOf(QChar(c));
    return found < 0 ? -1 : from + found;
}

} // namespace

TagCursor::TagCursor(QStringView text)
    : m_text(text), m_p(text.utf16()), m_n(qMin<qsizetype>(text.size(), std::numeric_limits<TagPos>::max()))
{
}

qsizetype TagCursor::closingQuote(qsizetype quote)
{
    const bool dq = m_p[quote] == u'"';
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

bool TagCursor::next(qsizetype i, TagSpan &tag)
{
    const char16_t *p = m_p;
    const qsizetype n = m_n;
    while (i < n) {
        const qsizetype lt = findChar(p, i, n, u'<');
        if (lt < 0 || lt + 1 >= n)
            return false;
        const char16_t after = p[lt + 1];
        if (after == u'!' || after == u'?') {
            const bool comment = lt + 3 < n && after == u'!' && p[lt + 2] == u'-' && p[lt + 3] == u'-';
            const qsizetype end = comment ? m_text.left(n).indexOf(u"-->", lt + 4) : findChar(p, lt + 2, n, u'>');
            i = end < 0 ? n : end + (comment ? 3 : 1);
            continue;
        }
        const bool closing = after == u'/';
        const qsizetype nameStart = lt + (closing ? 2 : 1);
        if (nameStart >= n || !isAsciiLetter(p[nameStart])) {
            i = lt + 1;
            continue;
        }
        qsizetype e = nameStart;
        while (e < n && !isSpace(p[e]) && p[e] != u'/' && p[e] != u'>')
            ++e;
        bool closed = false;
        qsizetype end = n;
        if (closing) {
            const qsizetype gt = findChar(p, e, n, u'>');
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
        if (!closing)
            rawTextEnd(tag);
        return true;
    }
    return false;
}

// One past the ">" that ends a start tag whose attributes begin at `from`.
qsizetype TagCursor::startTagEnd(qsizetype from, bool *closed)
{
    const char16_t *p = m_p;
    const qsizetype n = m_n;
    qsizetype j = from;
    while (j < n) {
        const char16_t c = p[j];
        if (c == u'>') {
            *closed = true;
            return j + 1;
        }
        if (c == u'=') {
            qsizetype k = j + 1;
            while (k < n && isSpace(p[k]))
                ++k;
            if (k < n && (p[k] == u'"' || p[k] == u'\'')) {
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
void TagCursor::rawTextEnd(TagSpan &tag) const
{
    // The length and first letter of the name leave one element to compare with, if any: most
    // tags of five letters are tables.
    const qsizetype length = qsizetype(tag.nameEnd) - tag.nameStart();
    const char16_t first = char16_t(m_p[tag.nameStart()] | 0x20);
    for (QStringView raw : RawTextElements) {
        if (raw.size() == length && raw.front().unicode() == first && TagNameIs(m_text, tag, raw)) {
            const qsizetype endTag = IndexOfAsciiNoCase(m_text.left(m_n), QStringLiteral("</") + raw.toString(), tag.end);
            tag.resume = TagPos(endTag < 0 ? m_n : endTag);
            tag.raw = true;
            return;
        }
    }
}

qsizetype ClosingQuoteInTag(QStringView text, const TagSpan &tag, qsizetype quote)
{
    const char16_t *p = text.utf16();
    const char16_t q = p[quote];
    for (qsizetype i = quote + 1; i < qsizetype(tag.end); ++i) {
        if (p[i] == q)
            return i;
    }
    return -1;
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
