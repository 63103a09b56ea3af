#include "source/markupmap.h"

#include "source/textmatch.h"

namespace korvel {

namespace {

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Elements whose contents are text up to their own end tag, whatever looks like markup in them.
constexpr QStringView RawTextElements[] = {u"script", u"style", u"textarea"};

// Quote searches that found nothing are remembered, so a text full of unclosed quotes is not
// searched to its end again for each of them.
class QuoteFinder final {
public:
    explicit QuoteFinder(QStringView text) : m_text(text) {}

    qsizetype closing(qsizetype quote)
    {
        const bool dq = m_text[quote] == u'"';
        qsizetype &missingFrom = dq ? m_noDouble : m_noSingle;
        if (missingFrom >= 0 && quote + 1 >= missingFrom)
            return -1;
        const qsizetype found = m_text.indexOf(m_text[quote], quote + 1);
        if (found < 0)
            missingFrom = quote + 1;
        return found;
    }

private:
    QStringView m_text;
    qsizetype m_noDouble = -1;
    qsizetype m_noSingle = -1;
};

// One past the ">" that ends a start tag whose attributes begin at `from`.
qsizetype startTagEnd(QStringView text, qsizetype from, QuoteFinder &quotes, bool *closed)
{
    const qsizetype n = text.size();
    qsizetype j = from;
    while (j < n) {
        const QChar c = text[j];
        if (c == u'>') {
            *closed = true;
            return j + 1;
        }
        if (c == u'=') {
            qsizetype k = j + 1;
            while (k < n && IsTagSpace(text[k]))
                ++k;
            if (k < n && (text[k] == u'"' || text[k] == u'\'')) {
                const qsizetype close = quotes.closing(k);
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

} // namespace

bool IsTagSpace(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == u'\f';
}

qsizetype ClosingQuoteInTag(QStringView text, const TagSpan &tag, qsizetype quote)
{
    const qsizetype found = text.mid(quote + 1, tag.end - quote - 1).indexOf(text[quote]);
    return found < 0 ? -1 : quote + 1 + found;
}

std::vector<TagSpan> FindTags(QStringView text)
{
    std::vector<TagSpan> tags;
    const qsizetype n = text.size();
    QuoteFinder quotes(text);
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0 || lt + 1 >= n)
            break;
        const QChar next = text[lt + 1];
        if (next == u'!' || next == u'?') {
            const bool comment = text.mid(lt, 4) == u"<!--";
            const qsizetype end = comment ? text.indexOf(u"-->", lt + 4) : text.indexOf(u'>', lt + 2);
            i = end < 0 ? n : end + (comment ? 3 : 1);
            continue;
        }
        const bool closing = next == u'/';
        const qsizetype nameStart = lt + (closing ? 2 : 1);
        if (nameStart >= n || !isAsciiLetter(text[nameStart])) {
            i = lt + 1;
            continue;
        }
        TagSpan tag;
        tag.start = lt;
        tag.closing = closing;
        tag.nameStart = nameStart;
        qsizetype e = nameStart;
        while (e < n && !IsTagSpace(text[e]) && text[e] != u'/' && text[e] != u'>')
            ++e;
        tag.nameEnd = e;
        if (closing) {
            const qsizetype gt = text.indexOf(u'>', e);
            tag.closed = gt >= 0;
            tag.end = gt < 0 ? n : gt + 1;
        } else {
            tag.end = startTagEnd(text, e, quotes, &tag.closed);
        }
        tags.push_back(tag);
        i = tag.end;
        if (closing)
            continue;
        for (QStringView raw : RawTextElements) {
            if (TagNameIs(text, tag, raw)) {
                const qsizetype endTag = IndexOfAsciiNoCase(text, QStringLiteral("</") + raw.toString(), i);
                i = endTag < 0 ? n : endTag;
                break;
            }
        }
    }
    return tags;
}

bool TagNameIs(QStringView text, const TagSpan &tag, QStringView name)
{
    return tag.nameEnd - tag.nameStart == name.size() && MatchesAsciiNoCaseAt(text, tag.nameStart, name);
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
