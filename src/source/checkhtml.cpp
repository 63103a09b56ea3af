#include "source/checkhtml.h"

#include "source/checkhtmlsteps.h"
#include "source/markupmap.h"
#include "source/textrewriter.h"
#include "source/textmatch.h"
#include "source/texthelpers.h"
#include "source/transformhelpers.h"

#include <algorithm>
#include <optional>

namespace korvel {

namespace {

const QLatin1String CrLf("\r\n");

// The longest stretch behind an unquoted "=" that is searched for the end of its value.
constexpr qsizetype QuoteReach = 300;

struct TagKind {
    const char *opening;
    const char *closing;
};

constexpr TagKind CheckedKinds[] = {
    {"<div", "</div>"}, {"<span", "</span>"}, {"<table", "</table>"}, {"<tr", "</tr>"}, {"<td", "</td>"},
};

// A text with the map of its tags, carried through the steps together.
struct Tagged {
    QString text;
    TagMap map;
    // The text before the last step, whose memory the next step reuses.
    QString spareText;
};

Tagged Scanned(const QString &text)
{
    Tagged t;
    t.text = text;
    t.map = TagMap::scan(text);
    return t;
}

// Takes the rewrite's result; the map follows it.
TextEdits Apply(Tagged &t, TextRewriter &rewrite, bool keepMap = true)
{
    TextEdits edits;
    QString text = rewrite.finish(edits);
    if (edits.empty()) {
        t.spareText = rewrite.takeBuffer();
        return edits;
    }
    if (keepMap)
        t.map.edit(text, edits);
    t.spareText = std::move(t.text);
    t.text = std::move(text);
    return edits;
}

bool IsQuote(char16_t c)
{
    return c == u'"' || c == u'\'';
}

void QuoteValues(Tagged &t)
{
    const QString &text = t.text;
    const std::vector<TagSpan> &tags = t.map.tags();
    const TagSpan *body = FirstTag(text, tags, u"body", false);
    const qsizetype from = body ? body->start : 0;
    const char16_t *p = QStringView(text).utf16();
    TextRewriter out(text, text.size() / 16, std::move(t.spareText));
    for (const TagSpan &tag : tags) {
        if (tag.closing || tag.start < from)
            continue;
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
            out.keepTo(value);
            out.insert(QLatin1Char('"'));
            // The value ends at the first blank or ">"; a quote first, or no end within reach,
            // leaves only the opening quote.
            const qsizetype reach = qMin(end, value + QuoteReach);
            qsizetype stop = value;
            while (stop < reach && p[stop] != u'"' && p[stop] != u'>' && !IsTagSpace(p[stop]))
                ++stop;
            if (stop < reach && p[stop] != u'"') {
                out.keepTo(stop);
                out.insert(QLatin1Char('"'));
            }
            j = qMax(stop, value + 1);
        }
    }
    Apply(t, out);
}

void RemoveClutterFrom(Tagged &t)
{
    {
        // A blank before the ">" that ends a tag.
        const char16_t *p = QStringView(t.text).utf16();
        TextRewriter out(t.text, 0, std::move(t.spareText));
        for (const TagSpan &tag : t.map.tags()) {
            if (tag.closed && tag.end - 2 >= tag.nameEnd && p[tag.end - 2] == u' ') {
                out.keepTo(tag.end - 2);
                out.drop(1);
            }
        }
        Apply(t, out);
    }
    {
        TextRewriter out(t.text, 0, std::move(t.spareText));
        for (const TagSpan &tag : t.map.tags()) {
            if (!tag.closing && tag.end - tag.start == 5 && tag.closed && TagNameIs(t.text, tag, u"o:p")) {
                out.keepTo(tag.start);
                out.drop(5);
            }
        }
        Apply(t, out);
    }
    const QStringView emptyRowRest(u"&nbsp;</tr>");
    TextRewriter out(t.text, 0, std::move(t.spareText));
    for (const TagSpan &tag : t.map.tags()) {
        if (!tag.closing && tag.end - tag.start == 4 && tag.closed && TagNameIs(t.text, tag, u"tr")
            && MatchesAsciiNoCaseAt(t.text, tag.end, emptyRowRest)) {
            out.keepTo(tag.start);
            out.drop(4 + emptyRowRest.size());
        }
    }
    Apply(t, out);
}

void JoinBreaks(Tagged &t)
{
    const Section head = HeadSection(t.text);
    const auto inHead = [&head](qsizetype at) {
        return head.begin >= 0 && at >= head.begin && at < head.begin + head.length;
    };
    const char16_t *p = QStringView(t.text).utf16();
    TextRewriter out(t.text, 0, std::move(t.spareText));
    for (const TagSpan &tag : t.map.tags()) {
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
                    const qsizetype closing = ClosingQuoteInTag(t.text, tag, value);
                    if (closing >= 0) {
                        // The breaks between "=" and the quote are joined as any others.
                        for (qsizetype at = cr + 1; at + 1 < value; ++at) {
                            if (p[at] == u'\r' && p[at + 1] == u'\n') {
                                out.keepTo(at);
                                out.drop(2);
                                out.insert(QLatin1Char(' '));
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
                out.insert(QLatin1Char(' '));
                ++cr;
            }
        }
    }
    Apply(t, out);
}

void CompleteSkeletonOf(Tagged &t)
{
    QString &s = t.text;
    bool changed = false;
    // The tags are found again only after the text has changed; every edit here adds text.
    const auto first = [&](QStringView name, bool closing) -> std::optional<TagSpan> {
        if (changed) {
            t.map = TagMap::scan(s);
            changed = false;
        }
        const TagSpan *tag = FirstTag(s, t.map.tags(), name, closing);
        return tag ? std::optional<TagSpan>(*tag) : std::nullopt;
    };
    if (!first(u"html", false)) {
        const QString doctype = DoctypeOf(s);
        if (!doctype.isEmpty()) {
            s.remove(IndexOfAsciiNoCase(s, QStringLiteral("<!DOCTYPE")), doctype.size());
            s.prepend(doctype + CrLf + QLatin1String("<html>"));
        } else {
            s.prepend(QLatin1String("<html>"));
        }
        changed = true;
    }
    if (!first(u"html", true)) {
        s.append(QLatin1String("</html>"));
        changed = true;
    }
    if (!first(u"head", false)) {
        if (const auto html = first(u"html", false)) {
            s.insert(html->end, CrLf + QLatin1String("<head>"));
            changed = true;
        }
    }
    if (!first(u"head", true)) {
        if (const auto body = first(u"body", false)) {
            s.insert(body->start, CrLf + QLatin1String("</head>") + CrLf);
            changed = true;
        }
    }
    // A frameset page has no body: one added would put a stray tag into a valid page.
    const bool frameset = first(u"frameset", false).has_value();
    if (!frameset && !first(u"body", false)) {
        if (const auto headEnd = first(u"head", true)) {
            s.insert(headEnd->end, CrLf + QLatin1String("<body>"));
            changed = true;
        }
    }
    if (!frameset && !first(u"body", true)) {
        if (const auto htmlEnd = first(u"html", true)) {
            s.insert(htmlEnd->start, CrLf + QLatin1String("</body>"));
            changed = true;
        }
    }
    if (changed)
        t.map = TagMap::scan(s);
}

// The tags of one kind, in text order.
struct KindTags {
    std::vector<qsizetype> opens, closes, closeEnds;
};

// The names of CheckedKinds.
constexpr QStringView KindNames[] = {u"div", u"span", u"table", u"tr", u"td"};

// The kind of the tag, an index into CheckedKinds; -1 for any other tag.
int KindOf(QStringView text, const TagSpan &tag)
{
    const qsizetype length = qsizetype(tag.nameEnd) - tag.nameStart();
    if (length < 2 || length > 5)
        return -1;
    const char16_t first = FoldAscii(text[tag.nameStart()]).unicode();
    if (first != u'd' && first != u's' && first != u't')
        return -1;
    for (int kind = 0; kind < int(std::size(KindNames)); ++kind) {
        if (KindNames[kind].size() == length && KindNames[kind].front() == first && TagNameIs(text, tag, KindNames[kind]))
            return kind;
    }
    return -1;
}

void Collect(const TagSpan &tag, KindTags &kind)
{
    if (!tag.closing) {
        kind.opens.push_back(tag.start);
    } else if (tag.closed) {
        kind.closes.push_back(tag.start);
        kind.closeEnds.push_back(tag.end);
    }
}

void AppendNumber(QString &out, size_t n)
{
    char16_t digits[24];
    int at = 24;
    do {
        digits[--at] = char16_t(u'0' + n % 10);
        n /= 10;
    } while (n > 0);
    out.append(QStringView(digits + at, 24 - at));
}

// Pairs, marks and reports one kind. Marked opening tags get their name in lower case in
// `text`; closing tags left over are added to `blanked` and, when `blankOut`, blanked in `text`.
void BalanceKind(const QString &opening, const QString &closing, const KindTags &found, QString &text,
                 QString &CheckReport, TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked,
                 bool blankOut)
{
    const std::vector<qsizetype> &opens = found.opens;
    const std::vector<qsizetype> &closes = found.closes;
    if (opens.size() == closes.size())
        return;
    // From the right: closing tags seen so far wait on a stack, the nearest on top; each opening
    // tag takes the nearest closing tag behind it that no later opening tag has taken.
    std::vector<qsizetype> match(opens.size(), -1);
    std::vector<bool> closeTaken(closes.size(), false);
    std::vector<size_t> waiting;
    size_t c = closes.size();
    for (size_t k = opens.size(); k-- > 0;) {
        while (c > 0 && closes[c - 1] > opens[k])
            waiting.push_back(--c);
        if (!waiting.empty()) {
            match[k] = qsizetype(waiting.back());
            closeTaken[waiting.back()] = true;
            waiting.pop_back();
        }
    }
    const qsizetype nameLength = opening.size() - 1;
    const QString lowerOpening = AsciiLowerCase(opening);
    // A page may hold many thousand unclosed tags: the entry's fixed parts are put together once.
    const QString entryStart = CrLf + line(13) + opening + QLatin1Char(' ');
    const QString entryEnd = line(12);
    char16_t *chars = nullptr;
    for (size_t k = 0; k < opens.size(); ++k) {
        if (match[k] >= 0)
            continue;
        if (!chars)
            chars = reinterpret_cast<char16_t *>(text.data()); // detaches once
        for (qsizetype i = 1; i <= nameLength; ++i)
            chars[opens[k] + i] = lowerOpening[i].unicode();
        marks.push_back(opens[k]);
        CheckReport += entryStart;
        AppendNumber(CheckReport, k + 1);
        CheckReport += entryEnd;
    }
    if (opens.size() > closes.size())
        CheckReport += CrLf + QString::number(opens.size() - closes.size()) + closing + QLatin1Char(' ') + line(14);
    if (closes.size() > opens.size()) {
        int count = 0;
        for (size_t j = 0; j < closes.size(); ++j) {
            if (closeTaken[j])
                continue;
            const qsizetype length = found.closeEnds[j] - closes[j];
            if (blankOut)
                text.replace(closes[j], length, QString(length, QLatin1Char(' ')));
            if (blanked)
                blanked->emplace_back(closes[j], length);
            ++count;
        }
        CheckReport += CrLf + QString::number(count) + line(16) + closing + line(17);
    }
}

// Collapses the blank runs between the parts of each tag; the result has no map.
void CollapseInTags(Tagged &t, TagMarks &marks)
{
    const QString &text = t.text;
    const char16_t *p = QStringView(text).utf16();
    TextRewriter out(text, 0, std::move(t.spareText));
    for (const TagSpan &tag : t.map.tags()) {
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
    MovePositions(marks, Apply(t, out, false));
}

} // namespace

QString CheckThisMark()
{
    return QStringLiteral("</!CheckThis>");
}

QString QuoteAttributeValues(const QString &text)
{
    Tagged t = Scanned(text);
    QuoteValues(t);
    return t.text;
}

QString RemoveClutter(const QString &text)
{
    Tagged t = Scanned(text);
    RemoveClutterFrom(t);
    return t.text;
}

QString JoinBreaksInsideTags(const QString &text)
{
    Tagged t = Scanned(text);
    JoinBreaks(t);
    return t.text;
}

QString CompleteSkeleton(const QString &text)
{
    Tagged t = Scanned(text);
    CompleteSkeletonOf(t);
    return t.text;
}

QString BalanceTags(const QString &opening, const QString &closing, const QString &text, QString &CheckReport,
                    TagMarks &marks, const CatalogueLine &line, BlankedTags *blanked)
{
    const QStringView name = QStringView(opening).mid(1);
    KindTags found;
    for (const TagSpan &tag : FindTags(text)) {
        if (TagNameIs(text, tag, name))
            Collect(tag, found);
    }
    QString result = text;
    BalanceKind(opening, closing, found, result, CheckReport, marks, line, blanked, true);
    return result;
}

QString CollapseTagBlanks(const QString &text, TagMarks &marks)
{
    Tagged t = Scanned(text);
    CollapseInTags(t, marks);
    return t.text;
}

namespace {

void CleanUp(Tagged &t, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    QuoteValues(t);
    RemoveClutterFrom(t);
    JoinBreaks(t);
    CompleteSkeletonOf(t);
    marks.clear();
    // Marking and blanking leave every tag where it was, so one look at the tags serves all kinds.
    KindTags kinds[std::size(CheckedKinds)];
    for (const TagSpan &tag : t.map.tags()) {
        const int kind = KindOf(t.text, tag);
        if (kind >= 0)
            Collect(tag, kinds[kind]);
    }
    BlankedTags blanked;
    for (size_t kind = 0; kind < std::size(CheckedKinds); ++kind)
        BalanceKind(QLatin1String(CheckedKinds[kind].opening), QLatin1String(CheckedKinds[kind].closing), kinds[kind],
                    t.text, CheckReport, marks, line, &blanked, false);
    std::sort(marks.begin(), marks.end());
    std::sort(blanked.begin(), blanked.end());
    if (!blanked.empty()) {
        TextRewriter kept(t.text, 0, std::move(t.spareText));
        for (const auto &[start, length] : blanked) {
            kept.keepTo(start);
            kept.drop(length);
        }
        MovePositions(marks, Apply(t, kept));
    }
    CollapseInTags(t, marks);
}

QString Revealed(const QString &text, const TagMarks &marks, QString buffer)
{
    if (marks.empty())
        return text;
    const QString mark = CheckThisMark();
    TextRewriter out(text, qsizetype(marks.size()) * mark.size(), std::move(buffer));
    const QStringView view(text);
    for (qsizetype position : marks) {
        // Two unclosed tags may share the first ">" behind them: each adds its flag.
        const qsizetype greaterThan = view.indexOf(u'>', qMax<qsizetype>(position, out.position() - 1));
        if (greaterThan < 0)
            break;
        out.keepTo(greaterThan + 1);
        out.insert(mark);
    }
    TextEdits edits;
    return out.finish(edits);
}

} // namespace

QString CleanUpHtml(const QString &text, QString &CheckReport, TagMarks &marks, const CatalogueLine &line)
{
    Tagged t = Scanned(text);
    CleanUp(t, CheckReport, marks, line);
    return t.text;
}

QString RevealMarks(const QString &text, const TagMarks &marks)
{
    return Revealed(text, marks, QString());
}

CheckHtmlResult CheckHtml(const QString &text, const CatalogueLine &line)
{
    return CheckHtml(QString(text), line);
}

CheckHtmlResult CheckHtml(QString &&text, const CatalogueLine &line)
{
    CheckHtmlResult result;
    TagMarks marks;
    Tagged t;
    t.text = std::move(text);
    t.map = TagMap::scan(t.text);
    CleanUp(t, result.CheckReport, marks, line);
    t.map = TagMap();
    result.text = Revealed(t.text, marks, std::move(t.spareText));
    result.message = line(32) + CrLf + result.CheckReport;
    return result;
}

} // namespace korvel
