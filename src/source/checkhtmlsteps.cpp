#include "source/checkhtmlsteps.h"

#include "source/markupmap.h"
#include "source/textmatch.h"
#include "source/textrewriter.h"
#include "source/transformhelpers.h"

#include <algorithm>
#include <span>
#include <vector>

namespace korvel {

namespace {

// The longest stretch behind an unquoted "=" that is searched for the end of its value, in
// UTF-16 units (the editor's characters).
constexpr int QuoteReach = 300;

// Room left behind a text the steps write into new memory, so that what later steps add (the
// skeleton's tags, the marks of unclosed tags) goes in place: room never written to costs no
// memory.
qsizetype RoomBehind(qsizetype size)
{
    return size / 16 + 64;
}

template <typename Unit>
bool IsQuote(Unit c)
{
    return c == Unit('"') || c == Unit('\'');
}

template <typename Text>
const UnitOf<Text> *UnitsOf(const Text &text)
{
    return reinterpret_cast<const UnitOf<Text> *>(text.constData());
}

// Where HeadSection finds the head section, on either form.
template <typename Unit>
Section HeadSectionIn(const Unit *p, qsizetype n)
{
    const QLatin1String closing("</head>");
    const qsizetype begin = IndexOfAsciiNoCaseIn(p, n, QLatin1String("<head"));
    const qsizetype end = IndexOfAsciiNoCaseIn(p, n, closing);
    if (begin < 0 || end < begin)
        return {};
    return {begin, end + closing.size() - begin};
}

// Where the unquoted value that begins at `value` ends: at the first blank, ">" or quote in front
// of `end` and within QuoteReach characters, counted in UTF-16 units in either form (a character
// of four UTF-8 bytes counts two). `*found` is false, and the search ends at the first character
// beyond the reach or at `end`, when there is none.
template <typename Unit>
qsizetype UnquotedValueStop(const Unit *p, qsizetype value, qsizetype end, bool *found)
{
    qsizetype stop = value;
    qsizetype units = 0;
    while (stop < end && units < QuoteReach && p[stop] != Unit('"') && p[stop] != Unit('>') && !IsTagSpace(p[stop])) {
        units += utf16Width(p[stop]);
        ++stop;
    }
    *found = stop < end && units < QuoteReach;
    return stop;
}

} // namespace

template <typename Text>
UnitOf<Text> *OwnedText(Text &text)
{
    if (!text.isDetached() && !text.isEmpty()) {
        Text copy;
        copy.reserve(text.size() + RoomBehind(text.size()));
        adviseHugePages(copy);
        copy.resize(text.size());
        std::copy_n(text.constData(), text.size(), copy.data());
        text = std::move(copy);
    }
    return reinterpret_cast<UnitOf<Text> *>(text.data());
}

template <typename Text>
void QuoteAttributeValuesIn(Text &text)
{
    using Unit = UnitOf<Text>;
    const Unit *p = UnitsOf(text);
    // Where a quote goes, found in one pass; the text grows once, when all are known. Room for a
    // quote in every eight characters, more than pages hold: room never written to costs no
    // memory, and growing a large list would copy it over and over.
    std::vector<TagPos> quotes;
    quotes.reserve(size_t(text.size() / 8 + 16));
    adviseHugePages(quotes.data(), qsizetype(quotes.capacity() * sizeof(TagPos)));
    // The quotes of the tags in front of the first body tag are dropped once the scan has found it.
    size_t fromBody = 0;
    bool bodyFound = false;
    BasicTagCursor<Text> scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (tag.closing)
            continue;
        if (!bodyFound && TagNameIsIn(p, tag, QLatin1String("body"))) {
            bodyFound = true;
            fromBody = quotes.size();
        }
        const qsizetype end = tag.end;
        qsizetype j = tag.nameEnd;
        while (j < end) {
            if (p[j] != Unit('=')) {
                ++j;
                continue;
            }
            qsizetype value = j + 1;
            while (value < end && IsTagSpace(p[value]))
                ++value;
            if (value < end && IsQuote(p[value])) {
                const qsizetype closing = ClosingQuoteInTagIn(p, tag, value);
                if (closing < 0)
                    break; // an unclosed quote: the rest of the tag stays as written
                j = closing + 1;
                continue;
            }
            quotes.push_back(TagPos(value));
            // The value ends at the first blank or ">"; a quote first, or no end within reach,
            // leaves only the opening quote.
            bool found = false;
            const qsizetype stop = UnquotedValueStop(p, value, end, &found);
            if (found && p[stop] != Unit('"'))
                quotes.push_back(TagPos(stop));
            j = qMax(stop, value + 1);
        }
    }
    const std::span<const TagPos> fromTheBody(quotes.data() + fromBody, quotes.size() - fromBody);
    if (fromTheBody.empty())
        return;
    InsertInPlace(text, fromTheBody, QLatin1String("\""), RoomBehind(text.size()));
}

namespace {

const QLatin1String ParagraphMark("<o:p>");
const QLatin1String EmptyRowRest("&nbsp;</tr>");

template <typename Unit>
bool IsAsciiLetterUnit(Unit c)
{
    const char32_t u = unitValue(c) | 0x20;
    return u >= u'a' && u <= u'z';
}

// Clutter is removed in three steps, each on the text the one before leaves: a blank before the
// ">" of a tag goes, then every "<o:p>" tag, then every "<tr>&nbsp;</tr>". One pass does all
// three, on the tags of the original text: the first two steps change no tag but the ones they
// delete or shorten, so their tags are the original ones, and the third step's empty rows are
// found in the original text as the first two steps would leave it. Where a deleted "<o:p>"
// stands right behind "<" or "</", the text left forms tags the original does not have: from
// there the third step goes over the result once more, as a pass of its own.

// Behind `i`: the "<o:p>" tags (written "<o:p >" too) that the second step deletes there.
template <typename Unit>
qsizetype SkipParagraphMarks(const Unit *p, qsizetype n, qsizetype i)
{
    for (;;) {
        if (MatchesAsciiNoCaseIn(p, n, i, ParagraphMark))
            i += 5;
        else if (MatchesAsciiNoCaseIn(p, n, i, QLatin1String("<o:p >")))
            i += 6;
        else
            return i;
    }
}

// The ASCII `chars` (lower case) from `i` on, in text the scanner reads as text, where the second
// step would leave them: one past their end, -1 when they do not follow.
template <typename Unit>
qsizetype MatchTextLeft(const Unit *p, qsizetype n, qsizetype i, const char *chars)
{
    for (; *chars; ++chars) {
        i = SkipParagraphMarks(p, n, i);
        if (i >= n || !MatchesAsciiNoCaseIn(p, n, i, QLatin1String(chars, 1)))
            return -1;
        ++i;
    }
    return i;
}

// One past the end of the "&nbsp;</tr>" that the first two steps leave right behind the end of
// a start tag at `at`; -1 when they leave none there.
template <typename Unit>
qsizetype EmptyRowRestEnd(const Unit *p, qsizetype n, qsizetype at)
{
    qsizetype i = MatchTextLeft(p, n, at, "&nbsp;");
    if (i < 0)
        return -1;
    i = SkipParagraphMarks(p, n, i);
    if (i >= n || p[i] != Unit('<'))
        return -1;
    if (i + 2 < n && p[i + 1] == Unit('/') && IsAsciiLetterUnit(p[i + 2])) {
        // An end tag: the first step leaves "</tr>" of "</tr>" and "</tr >".
        if (MatchesAsciiNoCaseIn(p, n, i, QLatin1String("</tr>")))
            return i + 5;
        if (MatchesAsciiNoCaseIn(p, n, i, QLatin1String("</tr >")))
            return i + 6;
        return -1;
    }
    // No tag begins at this "<": what follows is text, "<o:p>" tags in it deleted.
    return MatchTextLeft(p, n, i + 1, "/tr>");
}

// The third step on its own, on the tags from `from` on (where the scanner looks for a tag).
template <typename Text>
void RemoveEmptyRowsFrom(Text &text, qsizetype from)
{
    using Unit = UnitOf<Text>;
    if (IndexOfAsciiNoCaseIn(UnitsOf(text), text.size(), EmptyRowRest, from) < 0)
        return;
    const Unit *p = OwnedText(text);
    const qsizetype n = text.size();
    TextCompactor out(text);
    BasicTagCursor<Text> scanner(text);
    scanner.resumeAt(from);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (!tag.closing && tag.end - tag.start == 4 && tag.closed && TagNameIsIn(p, tag, QLatin1String("tr"))
            && MatchesAsciiNoCaseIn(p, n, tag.end, EmptyRowRest)) {
            out.keepTo(tag.start);
            out.drop(4 + EmptyRowRest.size());
        }
    }
    out.finish();
}

} // namespace

template <typename Text>
void RemoveClutterIn(Text &text)
{
    using Unit = UnitOf<Text>;
    {
        // A text without any of the three changes nothing in any step.
        const Unit *p = UnitsOf(text);
        const qsizetype n = text.size();
        if (IndexOfExactIn(p, n, QLatin1String(" >")) < 0 && IndexOfAsciiNoCaseIn(p, n, ParagraphMark) < 0
            && IndexOfAsciiNoCaseIn(p, n, EmptyRowRest) < 0)
            return;
    }
    const Unit *p = OwnedText(text);
    const qsizetype n = text.size();
    TextCompactor out(text);
    BasicTagCursor<Text> scanner(text);
    TagSpan tag;
    qsizetype rowEnd = 0;    // the end of the last empty row deleted
    qsizetype rowsFrom = -1; // where the third step goes on in a pass of its own
    while (scanner.next(tag)) {
        if (tag.start < rowEnd)
            continue; // inside an empty row deleted
        const qsizetype start = tag.start;
        const bool blank = tag.closed && tag.end - 2 >= tag.nameEnd && p[tag.end - 2] == Unit(' ');
        const qsizetype length = qsizetype(tag.end) - start - (blank ? 1 : 0); // as the first step leaves it
        if (!tag.closing && tag.closed && length == 5 && TagNameIsIn(p, tag, QLatin1String("o:p"))) {
            // Behind "<" or "</" the text left may begin a tag where the original has none.
            if (rowsFrom < 0 && start >= 1 && p[start - 1] == Unit('<'))
                rowsFrom = out.resultPosition(start - 1);
            else if (rowsFrom < 0 && start >= 2 && p[start - 2] == Unit('<') && p[start - 1] == Unit('/'))
                rowsFrom = out.resultPosition(start - 2);
            out.keepTo(start);
            out.drop(qsizetype(tag.end) - start);
            continue;
        }
        if (rowsFrom < 0 && !tag.closing && tag.closed && length == 4 && TagNameIsIn(p, tag, QLatin1String("tr"))) {
            const qsizetype end = EmptyRowRestEnd(p, n, tag.end);
            if (end >= 0) {
                out.keepTo(start);
                out.drop(end - start);
                rowEnd = end;
                continue;
            }
        }
        if (blank) {
            out.keepTo(tag.end - 2);
            out.drop(1);
        }
    }
    out.finish();
    if (rowsFrom >= 0)
        RemoveEmptyRowsFrom(text, rowsFrom);
}

template <typename Text>
void JoinBreaksInsideTagsIn(Text &text)
{
    using Unit = UnitOf<Text>;
    if (IndexOfExactIn(UnitsOf(text), text.size(), QLatin1String("\r\n")) < 0)
        return;
    const Section head = HeadSectionIn(UnitsOf(text), text.size());
    const auto inHead = [&head](qsizetype at) {
        return head.begin >= 0 && at >= head.begin && at < head.begin + head.length;
    };
    const Unit *p = OwnedText(text);
    TextCompactor out(text);
    BasicTagCursor<Text> scanner(text);
    TagSpan tag;
    // The next CR from the last tag's start on: a tag without one has no line break to join, and
    // most line breaks of a page stand between its tags.
    const qsizetype n = text.size();
    qsizetype nextCr = IndexOfUnit(p, n, Unit('\r'), 0);
    while (scanner.next(tag)) {
        if (nextCr >= 0 && nextCr < qsizetype(tag.start))
            nextCr = IndexOfUnit(p, n, Unit('\r'), tag.start);
        if (nextCr < 0)
            break;
        if (nextCr >= qsizetype(tag.end) || inHead(tag.start))
            continue;
        for (qsizetype cr = tag.start; cr + 1 < qsizetype(tag.end); ++cr) {
            // A quoted value keeps its line breaks: they are part of the value, and in an event
            // handler a break may end a "//" comment.
            if (p[cr] == Unit('=')) {
                qsizetype value = cr + 1;
                while (value < qsizetype(tag.end) && IsTagSpace(p[value]))
                    ++value;
                if (value < qsizetype(tag.end) && IsQuote(p[value])) {
                    const qsizetype closing = ClosingQuoteInTagIn(p, tag, value);
                    if (closing >= 0) {
                        // The breaks between "=" and the quote are joined as any others.
                        for (qsizetype at = cr + 1; at + 1 < value; ++at) {
                            if (p[at] == Unit('\r') && p[at + 1] == Unit('\n')) {
                                out.keepTo(at);
                                out.drop(2);
                                out.insert(Unit(' '));
                                ++at;
                            }
                        }
                        cr = closing;
                        continue;
                    }
                }
            }
            if (p[cr] == Unit('\r') && p[cr + 1] == Unit('\n')) {
                out.keepTo(cr);
                out.drop(2);
                out.insert(Unit(' '));
                ++cr;
            }
        }
    }
    out.finish();
}

template <typename Text>
void CollapseTagBlanksIn(Text &text, TagMarks &marks)
{
    using Unit = UnitOf<Text>;
    const Unit *p = OwnedText(text);
    PositionMover moved(marks);
    TextCompactor out(text, &moved);
    BasicTagCursor<Text> scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        const qsizetype end = tag.end;
        qsizetype j = tag.nameEnd;
        while (j < end) {
            const Unit c = p[j];
            if (c == Unit('=')) {
                qsizetype value = j + 1;
                while (value < end && IsTagSpace(p[value]))
                    ++value;
                const qsizetype closing = value < end && IsQuote(p[value]) ? ClosingQuoteInTagIn(p, tag, value) : -1;
                j = closing >= 0 ? closing + 1 : value;
                continue;
            }
            if (c != Unit(' ')) {
                ++j;
                continue;
            }
            qsizetype run = j;
            while (run < end && p[run] == Unit(' '))
                ++run;
            if (run - j > 1) {
                out.keepTo(j);
                out.drop(run - j);
                out.insertBlanks(BlanksAfterSixPasses(run - j));
            }
            j = run;
        }
    }
    out.finish();
}

template char16_t *OwnedText(QString &);
template char *OwnedText(QByteArray &);
template void QuoteAttributeValuesIn(QString &);
template void QuoteAttributeValuesIn(QByteArray &);
template void RemoveClutterIn(QString &);
template void RemoveClutterIn(QByteArray &);
template void JoinBreaksInsideTagsIn(QString &);
template void JoinBreaksInsideTagsIn(QByteArray &);
template void CollapseTagBlanksIn(QString &, TagMarks &);
template void CollapseTagBlanksIn(QByteArray &, TagMarks &);

QString QuoteAttributeValues(const QString &text)
{
    QString result = text;
    QuoteAttributeValuesIn(result);
    return result;
}

QString RemoveClutter(const QString &text)
{
    QString result = text;
    RemoveClutterIn(result);
    return result;
}

QString JoinBreaksInsideTags(const QString &text)
{
    QString result = text;
    JoinBreaksInsideTagsIn(result);
    return result;
}

QString CollapseTagBlanks(const QString &text, TagMarks &marks)
{
    QString result = text;
    CollapseTagBlanksIn(result, marks);
    return result;
}

} // namespace korvel
