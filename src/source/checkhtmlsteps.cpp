#include "source/checkhtmlsteps.h"

#include "source/markupmap.h"
#include "source/textmatch.h"
#include "source/textrewriter.h"
#include "source/transformhelpers.h"

#include <algorithm>
#include <deque>

namespace korvel {

namespace {

// The longest stretch behind an unquoted "=" that is searched for the end of its value.
constexpr qsizetype QuoteReach = 300;

// Room left behind a text the steps write into new memory, so that what later steps add (the
// skeleton's tags, the marks of unclosed tags) goes in place: room never written to costs no
// memory.
qsizetype RoomBehind(qsizetype size)
{
    return size / 16 + 64;
}

bool IsQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

} // namespace

char16_t *OwnedText(QString &text)
{
    if (!text.isDetached() && !text.isEmpty()) {
        QString copy;
        copy.reserve(text.size() + RoomBehind(text.size()));
        adviseHugePages(copy);
        copy.resize(text.size());
        std::copy_n(text.constData(), text.size(), copy.data());
        text = std::move(copy);
    }
    return reinterpret_cast<char16_t *>(text.data());
}

void QuoteAttributeValuesIn(QString &text)
{
    const char16_t *p = QStringView(text).utf16();
    // Where a quote goes, found in one pass; the text grows once, when all are known. A chunked
    // list, since a page with a value in every tag has millions of them.
    std::deque<TagPos> quotes;
    // The quotes of the tags in front of the first body tag are dropped once the scan has found it.
    size_t fromBody = 0;
    bool bodyFound = false;
    TagCursor scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (tag.closing)
            continue;
        if (!bodyFound && TagNameIs(text, tag, u"body")) {
            bodyFound = true;
            fromBody = quotes.size();
        }
        const qsizetype end = tag.end;
        qsizetype j = tag.nameEnd;
        while (j < end) {
            if (p[j] != u'=') {
                ++j;
                continue;
            }
            qsizetype value = j + 1;
            while (value < end && IsTagSpace(p[value]))
                ++value;
            if (value < end && IsQuote(p[value])) {
                const qsizetype closing = ClosingQuoteInTag(text, tag, value);
                if (closing < 0)
                    break; // an unclosed quote: the rest of the tag stays as written
                j = closing + 1;
                continue;
            }
            quotes.push_back(TagPos(value));
            // The value ends at the first blank or ">"; a quote first, or no end within reach,
            // leaves only the opening quote.
            const qsizetype reach = qMin(end, value + QuoteReach);
            qsizetype stop = value;
            while (stop < reach && p[stop] != u'"' && p[stop] != u'>' && !IsTagSpace(p[stop]))
                ++stop;
            if (stop < reach && p[stop] != u'"')
                quotes.push_back(TagPos(stop));
            j = qMax(stop, value + 1);
        }
    }
    quotes.erase(quotes.begin(), quotes.begin() + std::ptrdiff_t(fromBody));
    if (quotes.empty())
        return;
    InsertInPlace(text, quotes, u"\"", RoomBehind(text.size()));
}

void RemoveClutterIn(QString &text)
{
    // Each pass reads the tags of the text the pass before left; a pass whose pattern the text
    // does not hold changes nothing and is not run.
    if (text.contains(u" >")) {
        // A blank before the ">" that ends a tag.
        const char16_t *p = OwnedText(text);
        TextCompactor out(text);
        TagCursor scanner(text);
        TagSpan tag;
        while (scanner.next(tag)) {
            if (tag.closed && tag.end - 2 >= tag.nameEnd && p[tag.end - 2] == u' ') {
                out.keepTo(tag.end - 2);
                out.drop(1);
            }
        }
        out.finish();
    }
    if (IndexOfAsciiNoCase(text, QStringLiteral("<o:p>")) >= 0) {
        OwnedText(text);
        TextCompactor out(text);
        TagCursor scanner(text);
        TagSpan tag;
        while (scanner.next(tag)) {
            if (!tag.closing && tag.end - tag.start == 5 && tag.closed && TagNameIs(text, tag, u"o:p")) {
                out.keepTo(tag.start);
                out.drop(5);
            }
        }
        out.finish();
    }
    const QString emptyRowRest = QStringLiteral("&nbsp;</tr>");
    if (IndexOfAsciiNoCase(text, emptyRowRest) < 0)
        return;
    OwnedText(text);
    TextCompactor out(text);
    TagCursor scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (!tag.closing && tag.end - tag.start == 4 && tag.closed && TagNameIs(text, tag, u"tr")
            && MatchesAsciiNoCaseAt(text, tag.end, emptyRowRest)) {
            out.keepTo(tag.start);
            out.drop(4 + emptyRowRest.size());
        }
    }
    out.finish();
}

void JoinBreaksInsideTagsIn(QString &text)
{
    if (!text.contains(u"\r\n"))
        return;
    const Section head = HeadSection(text);
    const auto inHead = [&head](qsizetype at) {
        return head.begin >= 0 && at >= head.begin && at < head.begin + head.length;
    };
    const char16_t *p = OwnedText(text);
    TextCompactor out(text);
    TagCursor scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        if (inHead(tag.start))
            continue;
        for (qsizetype cr = tag.start; cr + 1 < qsizetype(tag.end); ++cr) {
            // A quoted value keeps its line breaks: they are part of the value, and in an event
            // handler a break may end a "//" comment.
            if (p[cr] == u'=') {
                qsizetype value = cr + 1;
                while (value < qsizetype(tag.end) && IsTagSpace(p[value]))
                    ++value;
                if (value < qsizetype(tag.end) && IsQuote(p[value])) {
                    const qsizetype closing = ClosingQuoteInTag(text, tag, value);
                    if (closing >= 0) {
                        // The breaks between "=" and the quote are joined as any others.
                        for (qsizetype at = cr + 1; at + 1 < value; ++at) {
                            if (p[at] == u'\r' && p[at + 1] == u'\n') {
                                out.keepTo(at);
                                out.drop(2);
                                out.insert(u' ');
                                ++at;
                            }
                        }
                        cr = closing;
                        continue;
                    }
                }
            }
            if (p[cr] == u'\r' && p[cr + 1] == u'\n') {
                out.keepTo(cr);
                out.drop(2);
                out.insert(u' ');
                ++cr;
            }
        }
    }
    out.finish();
}

void CollapseTagBlanksIn(QString &text, TagMarks &marks)
{
    const char16_t *p = OwnedText(text);
    PositionMover moved(marks);
    TextCompactor out(text, &moved);
    TagCursor scanner(text);
    TagSpan tag;
    while (scanner.next(tag)) {
        const qsizetype end = tag.end;
        qsizetype j = tag.nameEnd;
        while (j < end) {
            const char16_t c = p[j];
            if (c == u'=') {
                qsizetype value = j + 1;
                while (value < end && IsTagSpace(p[value]))
                    ++value;
                const qsizetype closing = value < end && IsQuote(p[value]) ? ClosingQuoteInTag(text, tag, value) : -1;
                j = closing >= 0 ? closing + 1 : value;
                continue;
            }
            if (c != u' ') {
                ++j;
                continue;
            }
            qsizetype run = j;
            while (run < end && p[run] == u' ')
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
