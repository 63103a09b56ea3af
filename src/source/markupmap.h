#pragma once

#include "source/codeunits.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// Where the tags of an HTML text are, told apart from text, comments, declarations and the
// contents of script, style and textarea elements, so that repairs meant for tags never touch
// anything else.
namespace korvel {

// Positions are kept in 32 bits, so that the map of a large page stays small beside its text;
// a text of 2^32 characters or more is mapped up to that length only.
using TagPos = quint32;

struct TagSpan {
    TagPos start = 0;     // the "<"
    TagPos end = 0;       // one past the ">", or the end of the text when none follows
    TagPos nameEnd = 0;   // the tag name, as written, runs from nameStart() to here
    TagPos resume = 0;    // where the search for the next tag goes on: `end`, or the end of the
                          // raw text behind a script, style or textarea start tag
    bool closing = false; // an end tag, "</name"
    bool closed = false;  // ends with ">"
    bool raw = false;     // a script, style or textarea start tag: raw text follows up to `resume`

    qsizetype nameStart() const { return qsizetype(start) + (closing ? 2 : 1); }
};

// One change of a rewrite, in the positions of the text before it: `removed` characters from
// `at` gave way to `inserted` new ones. A rewrite's edits are in text order and do not touch.
struct TextEdit {
    qsizetype at = 0;
    qsizetype removed = 0;
    qsizetype inserted = 0;
};

// Finds the tags of a text one after another, without keeping them: a step that reads each tag
// once needs no map of a large page. A tag begins with "<" or "</" followed by a letter; inside a
// start tag a value quoted with " or ' may hold ">". On both forms of text (codeunits.h): every
// unit the search looks at is an ASCII one, so both forms find the same tags.
template <typename Text>
class BasicTagCursor final {
public:
    using Unit = UnitOf<Text>;

    explicit BasicTagCursor(ViewOf<Text> text);

    // The first tag at or after `from`; false when none follows. The search for the next tag
    // goes on at `tag.resume`.
    bool next(qsizetype from, TagSpan &tag);
    // The tag behind the one last found (the first tag on the first call).
    bool next(TagSpan &tag)
    {
        const bool found = next(m_resume, tag);
        m_resume = found ? qsizetype(tag.resume) : m_n;
        return found;
    }

    // The next call of next(tag) looks for a tag from `at` on.
    void resumeAt(qsizetype at) { m_resume = at; }

    // A quoted value was searched to the end of the text for its closing quote in vain.
    bool quoteSearchFailed() const { return m_quoteFailed; }

private:
    qsizetype closingQuote(qsizetype quote);
    qsizetype startTagEnd(qsizetype from, bool *closed);
    void rawTextEnd(TagSpan &tag) const;

    const Unit *m_p;
    qsizetype m_n;
    qsizetype m_resume = 0;
    // Quote searches that found nothing are remembered, so a text full of unclosed quotes is not
    // searched to its end again for each of them.
    qsizetype m_noDouble = -1;
    qsizetype m_noSingle = -1;
    bool m_quoteFailed = false;
};

// Defined for both forms in markupmap.cpp.
extern template class BasicTagCursor<QString>;
extern template class BasicTagCursor<QByteArray>;

using TagCursor = BasicTagCursor<QString>;

// The start and end tags of the text in text order.
std::vector<TagSpan> FindTags(QStringView text);

// The tag's name equals `name`, letters A-Z folded.
bool TagNameIs(QStringView text, const TagSpan &tag, QStringView name);

// The first start tag (closing false) or end tag (closing true) of that name; nullptr when none.
const TagSpan *FirstTag(QStringView text, const std::vector<TagSpan> &tags, QStringView name, bool closing);

// The closing quote, within the tag, of the value whose opening quote (" or ') is at `quote`;
// -1 when the tag holds none.
qsizetype ClosingQuoteInTag(QStringView text, const TagSpan &tag, qsizetype quote);

// Blanks, tabs, CR, LF and form feeds: what separates the parts of a tag.
constexpr bool IsTagSpace(char32_t u) noexcept
{
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\f';
}

inline bool IsTagSpace(QChar c)
{
    return IsTagSpace(char32_t(c.unicode()));
}

constexpr bool IsTagSpace(char16_t u) noexcept
{
    return IsTagSpace(char32_t(u));
}

constexpr bool IsTagSpace(char u) noexcept
{
    return IsTagSpace(unitValue(u));
}

// TagNameIs and ClosingQuoteInTag on the units of either form; `name` is ASCII in lower case.
template <typename Unit>
bool TagNameIsIn(const Unit *p, const TagSpan &tag, QLatin1String name)
{
    const qsizetype start = tag.nameStart();
    if (qsizetype(tag.nameEnd) - start != name.size())
        return false;
    const char *q = name.data();
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char32_t u = unitValue(p[start + i]);
        if ((u >= u'A' && u <= u'Z' ? u + 32 : u) != unitValue(q[i]))
            return false;
    }
    return true;
}

template <typename Unit>
qsizetype ClosingQuoteInTagIn(const Unit *p, const TagSpan &tag, qsizetype quote)
{
    const Unit q = p[quote];
    for (qsizetype i = quote + 1; i < qsizetype(tag.end); ++i) {
        if (p[i] == q)
            return i;
    }
    return -1;
}

} // namespace korvel
