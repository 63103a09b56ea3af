#include "tables/tablemarkup.h"

#include "source/textmatch.h"

#include <algorithm>

namespace korvel {

namespace {

bool IsNameChar(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || (u >= u'0' && u <= u'9')
           || u == u'-' || u == u':' || u == u'_';
}

bool IsAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z');
}

bool IsSpace(QChar c)
{
    return c.unicode() <= 0x20;
}

// Behind the ">" that ends the tag whose name ends at `from`. A quote opens a quoted value only
// after "=", so that `title="a>b"` does not end the tag early.
qsizetype TagEnd(const QString &text, qsizetype from)
{
    const qsizetype n = text.size();
    bool afterEquals = false;
    for (qsizetype i = from; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'>')
            return i + 1;
        if (afterEquals && (c == u'"' || c == u'\'')) {
            const qsizetype close = text.indexOf(c, i + 1);
            if (close < 0)
                return n;
            i = close;
            afterEquals = false;
            continue;
        }
        if (c == u'=')
            afterEquals = true;
        else if (!IsSpace(c))
            afterEquals = false;
    }
    return n;
}

} // namespace

bool TagAt(const QString &text, qsizetype at, MarkupTag *tag)
{
    const qsizetype n = text.size();
    if (at < 0 || at >= n || text[at] != u'<')
        return false;
    qsizetype i = at + 1;
    const bool closing = i < n && text[i] == u'/';
    if (closing)
        ++i;
    if (i >= n || !IsAsciiLetter(text[i]))
        return false;
    const qsizetype nameStart = i;
    while (i < n && IsNameChar(text[i]))
        ++i;
    tag->start = at;
    tag->nameStart = nameStart;
    tag->nameLength = i - nameStart;
    tag->closing = closing;
    if (closing) {
        const qsizetype gt = text.indexOf(u'>', i);
        tag->end = gt < 0 ? n : gt + 1;
    } else {
        tag->end = TagEnd(text, i);
    }
    return true;
}

bool TagNameIs(const QString &text, const MarkupTag &tag, QStringView name)
{
    if (tag.nameLength != name.size())
        return false;
    return MatchesAsciiNoCaseAt(text, tag.nameStart, name);
}

std::vector<MarkupTag> ScanTags(const QString &text)
{
    static const QString kCommentOpen = QStringLiteral("<!--");
    static const QString kCommentClose = QStringLiteral("-->");
    std::vector<MarkupTag> tags;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const qsizetype lt = text.indexOf(u'<', i);
        if (lt < 0)
            break;
        if (QStringView(text).mid(lt).startsWith(kCommentOpen)) {
            const qsizetype close = text.indexOf(kCommentClose, lt + 4);
            i = close < 0 ? n : close + 3;
            continue;
        }
        MarkupTag tag;
        if (!TagAt(text, lt, &tag)) {
            i = lt + 1;
            continue;
        }
        tags.push_back(tag);
        i = tag.end;
        // The text of a script or a style block is not markup.
        if (!tag.closing && (TagNameIs(text, tag, u"script") || TagNameIs(text, tag, u"style"))) {
            const QString closer = QStringLiteral("</") + tag.name(text).toString();
            const qsizetype close = IndexOfAsciiNoCase(text, closer, i);
            i = close < 0 ? n : close;
        }
    }
    return tags;
}

std::vector<MarkupElement> PairElements(const QString &text, const std::vector<MarkupTag> &tags,
                                        std::initializer_list<QStringView> names, bool withinTables)
{
    struct Open {
        const MarkupTag *tag;
        bool table;
    };
    const auto named = [&](const MarkupTag &tag) {
        return std::any_of(names.begin(), names.end(),
                           [&](QStringView name) { return TagNameIs(text, tag, name); });
    };
    std::vector<MarkupElement> elements;
    std::vector<Open> open;
    qsizetype openTables = 0;
    for (const MarkupTag &tag : tags) {
        const bool isTarget = named(tag);
        const bool isTable = withinTables && !isTarget && TagNameIs(text, tag, u"table");
        if (!isTarget && !isTable)
            continue;
        if (!tag.closing) {
            open.push_back({&tag, isTable});
            openTables += isTable ? 1 : 0;
            continue;
        }
        if (isTable) {
            if (openTables == 0)
                continue; // a stray "</table>"
            // Cells or rows left open inside the table end with it, unpaired.
            while (!open.back().table)
                open.pop_back();
            open.pop_back();
            --openTables;
            continue;
        }
        // Only targets and tables are ever on the stack, so the top decides: a target pairs,
        // a table (or nothing) makes the closing tag a stray one.
        if (open.empty() || open.back().table)
            continue;
        const MarkupTag *opening = open.back().tag;
        open.pop_back();
        elements.push_back({opening->start, opening->end, tag.start, tag.end});
    }
    return elements;
}

const MarkupElement *InnermostAround(const std::vector<MarkupElement> &elements, TextSelection selection,
                                     bool caretMayTouchEnd, const std::vector<MarkupElement> *tables)
{
    const qsizetype s = selection.start;
    const qsizetype t = selection.end();
    const auto holds = [&](const MarkupElement &e) {
        if (selection.length > 0)
            return e.start <= s && t <= e.end;
        return e.start < s && (s < e.end || (caretMayTouchEnd && s == e.end));
    };
    const MarkupElement *best = nullptr;
    for (const MarkupElement &e : elements) {
        if (holds(e) && (!best || e.start > best->start))
            best = &e;
    }
    if (best && tables) {
        for (const MarkupElement &table : *tables) {
            if (table.start > best->start && table.start < s && t < table.end)
                return nullptr;
        }
    }
    return best;
}

qsizetype OutsideOfTag(const std::vector<MarkupTag> &tags, qsizetype pos)
{
    auto it = std::upper_bound(tags.begin(), tags.end(), pos,
                               [](qsizetype p, const MarkupTag &tag) { return p < tag.start; });
    if (it == tags.begin())
        return pos;
    --it;
    return (it->start < pos && pos < it->end) ? it->end : pos;
}

} // namespace korvel
