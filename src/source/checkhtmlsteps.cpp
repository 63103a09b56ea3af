#include "source/checkhtmlsteps.h"

#include "source/markupmap.h"
#include "source/textmatch.h"
#include "source/textrewriter.h"
#include "source/transformhelpers.h"

#include <algorithm>
#include <deque>

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
    int units = 0;
    while (stop < end && units < QuoteReach && p[stop] != Unit('"') && p[stop] != Unit('>') && !IsTagSpace(p[stop])) {
        units += utf16UnitsOf(p[stop]);
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
    // Where a quote goes, found in one pass; the text grows once, when all are known. A chunked
    // list, since a page with a value in every tag has millions of them.
    std::deque<TagPos> quotes;
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
    quotes.erase(quotes.begin(), quotes.begin() + std::ptrdiff_t(fromBody));
    if (quotes.empty())
        return;
    InsertInPlace(text, quotes, QLatin1String("\""), RoomBehind(text.size()));
}

template <typename Text>
void RemoveClutterIn(Text &text)
{
    using Unit = UnitOf<Text>;
    // Each pass reads the tags of the text the pass before left; a pass whose pattern the text
    // does not hold changes nothing and is not run.
    if (IndexOfExactIn(UnitsOf(text), text.size(), QLatin1String(" >")) >= 0) {
        // A blank before the ">" that ends a tag.
        const Unit *p = OwnedText(text);
        TextCompactor out(text);
        BasicTagCursor<Text> scanner(text);
        TagSpan tag;
        while (scanner.next(tag)) {
            if (tag.closed && tag.end - 2 >= tag.nameEnd && p[tag.end - 2] == Unit(' ')) {
                out.keepTo(tag.end - 2);
                out.drop(1);
            }
        }
        out.finish();
    }
    if (IndexOfAsciiNoCaseIn(UnitsOf(text), text.size(), QLatin1String("<o:p>")) >= 0) {
        const Unit *p = OwnedText(text);
        TextCompactor out(text);
        BasicTagCursor<Text> scanner(text);
        TagSpan tag;
        while (scanner.next(tag)) {
            if (!tag.closing && tag.end - tag.start == 5 && tag.closed && TagNameIsIn(p, tag, QLatin1String("o:p"))) {
                out.keepTo(tag.start);
                out.drop(5);
            }
        }
        out.finish();
    }
    const QLatin1String emptyRowRest("&nbsp;</tr>");
    if (IndexOfAsciiNoCaseIn(UnitsOf(text), text.size(), emptyRowRest) < 0)
        return;
    const Unit *p = OwnedText(text);
    const qsizetype n = text.size();
    TextCompactor out(text);
    BasicTagCursor<Text> scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (!tag.closing && tag.end - tag.start == 4 && tag.closed && TagNameIsIn(p, tag, QLatin1String("tr"))
            && MatchesAsciiNoCaseIn(p, n, tag.end, emptyRowRest)) {
            out.keepTo(tag.start);
            out.drop(4 + emptyRowRest.size());
        }
    }
    out.finish();
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
    while (scanner.next(tag)) {
        if (inHead(tag.start))
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
