#include "tables/sourcemerge.h"

#include "source/textmatch.h"

namespace korvel {

namespace {

// The largest span a cell can have; browsers clamp there too.
constexpr qint64 kMaxSpan = 1000;

bool IsSpace(QChar c)
{
    return c.unicode() <= 0x20;
}

bool IsCellTag(const QString &text, const MarkupTag &tag)
{
    return TagNameIs(text, tag, u"td") || TagNameIs(text, tag, u"th");
}

// Where an attribute stands inside an opening tag.
struct Attribute {
    qsizetype nameEnd = -1; // -1: the tag has no such attribute
    bool hasValue = false;
    qsizetype valueStart = 0;
    qsizetype valueEnd = 0; // without the quotes
};

// Reads the attributes of the tag one by one, so that a name inside another attribute's value
// is never taken for the attribute.
Attribute FindAttribute(QStringView text, const MarkupTag &tag, QStringView wanted)
{
    const qsizetype end = text[tag.end - 1] == u'>' ? tag.end - 1 : tag.end;
    qsizetype i = tag.nameStart + tag.nameLength;
    while (i < end) {
        while (i < end && (IsSpace(text[i]) || text[i] == u'/'))
            ++i;
        const qsizetype nameStart = i;
        while (i < end && !IsSpace(text[i]) && text[i] != u'=' && text[i] != u'/')
            ++i;
        Attribute attribute;
        attribute.nameEnd = i;
        const bool isWanted = i > nameStart && i - nameStart == wanted.size()
                              && MatchesAsciiNoCaseAt(text, nameStart, wanted);
        qsizetype j = i;
        while (j < end && IsSpace(text[j]))
            ++j;
        if (j < end && text[j] == u'=') {
            ++j;
            while (j < end && IsSpace(text[j]))
                ++j;
            attribute.hasValue = true;
            if (j < end && (text[j] == u'"' || text[j] == u'\'')) {
                const QChar quote = text[j];
                attribute.valueStart = j + 1;
                qsizetype close = j + 1;
                while (close < end && text[close] != quote)
                    ++close;
                attribute.valueEnd = close;
                j = close < end ? close + 1 : end;
            } else {
                attribute.valueStart = j;
                while (j < end && !IsSpace(text[j]))
                    ++j;
                attribute.valueEnd = j;
            }
            i = j;
        }
        if (isWanted)
            return attribute;
        if (i == nameStart)
            ++i; // a lone "=" or "/"
    }
    return {};
}

// The digits of a value as HTML reads a number: after blanks and an optional "+".
void ValueDigits(QStringView text, const Attribute &attribute, qsizetype *from, qsizetype *to)
{
    qsizetype i = attribute.valueStart;
    while (i < attribute.valueEnd && IsSpace(text[i]))
        ++i;
    if (i < attribute.valueEnd && text[i] == u'+')
        ++i;
    *from = i;
    while (i < attribute.valueEnd && text[i].isDigit() && text[i].unicode() < 0x80)
        ++i;
    *to = i;
}

const MarkupTag *FirstCellTag(const QString &text, const std::vector<MarkupTag> &tags)
{
    for (const MarkupTag &tag : tags) {
        if (!tag.closing && IsCellTag(text, tag))
            return &tag;
    }
    return nullptr;
}

bool IsComplete(const QString &text, const MarkupTag &tag)
{
    return tag.end > tag.start && text[tag.end - 1] == u'>';
}

} // namespace

QString AdjustColspan(const QString &fragment, int spanDelta)
{
    const std::vector<MarkupTag> tags = ScanTags(fragment);
    const MarkupTag *cell = FirstCellTag(fragment, tags);
    if (!cell || !IsComplete(fragment, *cell))
        return fragment;
    const Attribute colspan = FindAttribute(fragment, *cell, u"colspan");
    QString out = fragment;
    if (colspan.nameEnd < 0) {
        if (spanDelta > 1)
            out.insert(cell->end - 1, QStringLiteral(" colspan=%1 ").arg(spanDelta));
        return out;
    }
    if (!colspan.hasValue) {
        out.insert(colspan.nameEnd, QStringLiteral("=%1").arg(std::max(spanDelta, 1)));
        return out;
    }
    qsizetype from = 0;
    qsizetype to = 0;
    ValueDigits(fragment, colspan, &from, &to);
    bool ok = false;
    const qint64 n = to - from <= 15 ? QStringView(fragment).mid(from, to - from).toLongLong(&ok) : 0;
    const qint64 value = std::max<qint64>(ok ? n - 1 + spanDelta : spanDelta, 1);
    if (to == from)
        out.replace(colspan.valueStart, colspan.valueEnd - colspan.valueStart, QString::number(value));
    else
        out.replace(from, to - from, QString::number(value));
    return out;
}

int ColspanOfTag(QStringView tagText)
{
    const QString text = tagText.toString();
    MarkupTag tag;
    if (!TagAt(text, 0, &tag))
        return 1;
    const Attribute colspan = FindAttribute(text, tag, u"colspan");
    if (colspan.nameEnd < 0 || !colspan.hasValue)
        return 1;
    qsizetype from = 0;
    qsizetype to = 0;
    ValueDigits(text, colspan, &from, &to);
    bool ok = false;
    const qint64 n = to - from <= 15 ? QStringView(text).mid(from, to - from).toLongLong(&ok) : 0;
    return ok ? int(std::clamp<qint64>(n, 1, kMaxSpan)) : 1;
}

CellEditResult MergeCellsInSource(const QString &text, TextSelection selection)
{
    const QString s = text.mid(selection.start, selection.length);
    if (IsBlank(s))
        return {std::nullopt, kLineSelectTwoCells};
    const std::vector<MarkupTag> tags = ScanTags(s);
    const MarkupTag *first = FirstCellTag(s, tags);
    if (!first || !IsComplete(s, *first))
        return {std::nullopt, kLineSelectTwoCells};
    const qsizetype g = first->end;
    const MarkupTag *last = nullptr;
    for (const MarkupTag &tag : tags) {
        if (tag.start >= g && tag.closing && IsCellTag(s, tag))
            last = &tag;
    }
    if (!last)
        return {std::nullopt, kLineSelectTwoCells};

    // The tags strictly between the first cell's opening tag and the last cell's closing tag.
    const auto begin = std::find_if(tags.begin(), tags.end(), [&](const MarkupTag &t) { return t.start >= g; });
    const auto end = tags.begin() + (last - tags.data());
    bool crossesRow = false;
    for (auto it = begin; it != end; ++it) {
        if (TagNameIs(s, *it, u"table"))
            return {std::nullopt, kLineMergeAcrossTables};
        crossesRow = crossesRow || TagNameIs(s, *it, u"tr");
    }
    if (crossesRow)
        return {std::nullopt, kLineAcrossRows};

    // Closing cell tags become blanks, opening ones vanish and lend their spans to the first
    // cell; everything else stays as typed. A cell whose closing tag was left out still gets
    // its blank.
    QString inner;
    inner.reserve(last->start - g);
    qsizetype at = g;
    int absorbedSpans = 0;
    int absorbedCells = 0;
    bool cellOpen = true;
    for (auto it = begin; it != end; ++it) {
        if (!IsCellTag(s, *it))
            continue;
        inner.append(QStringView(s).mid(at, it->start - at));
        at = it->end;
        if (it->closing) {
            inner.append(u' ');
            cellOpen = false;
            continue;
        }
        if (cellOpen)
            inner.append(u' ');
        cellOpen = true;
        ++absorbedCells;
        absorbedSpans = int(std::min<qint64>(absorbedSpans + ColspanOfTag(QStringView(s).mid(it->start, it->end - it->start)), kMaxSpan));
    }
    inner.append(QStringView(s).mid(at, last->start - at));
    if (absorbedCells == 0)
        return {std::nullopt, kLineSelectTwoCells};
    if (IsBlank(inner))
        return {std::nullopt, kLineMergeFailed};

    const QString merged = AdjustColspan(s.left(g) + inner + s.mid(last->start), 1 + absorbedSpans);
    return {SourceEdit{selection.start, selection.length, merged,
                       TextSelection{selection.start + merged.size(), 0}},
            0};
}

CellEditResult SplitCellInSource(const QString &text, TextSelection selection)
{
    const QString s = text.mid(selection.start, selection.length);
    if (IsBlank(s))
        return {std::nullopt, kLineNoCellSelected};
    const QString lowered = TrimBlanks(AdjustColspan(s, 0));
    qsizetype caret = selection.start + lowered.size();
    if (lowered.size() >= 5 && MatchesAsciiNoCaseAt(lowered, lowered.size() - 5, u"</tr>"))
        caret -= 5;
    const SourceEdit replace{selection.start, selection.length, lowered, TextSelection{caret, 0}};
    const QString between = ApplySourceEdit(text, replace);
    const SourceEdit cell = InsertCellInSource(between, replace.selection);
    return {CombineSourceEdits(text, replace, cell), 0};
}

} // namespace korvel
