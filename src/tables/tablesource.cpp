#include "tables/tablesource.h"

#include "source/textmatch.h"

#include <algorithm>

namespace korvel {

namespace {

bool IsOneOf(QStringView name, std::initializer_list<QStringView> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::vector<MarkupElement> TablesOf(const QString &text, const std::vector<MarkupTag> &tags)
{
    return PairElements(text, tags, {u"table"}, false);
}

// The caret for an insertion: where the point search left it, but never inside a tag.
qsizetype InsertionCaret(const std::vector<MarkupTag> &tags, const InsertionPoint &point)
{
    if (point.selection.length > 0)
        return point.selection.start;
    return OutsideOfTag(tags, point.selection.start);
}

} // namespace

QString ApplySourceEdit(const QString &text, const SourceEdit &edit)
{
    QString out;
    out.reserve(text.size() - edit.removed + edit.inserted.size());
    out.append(QStringView(text).left(edit.from));
    out.append(edit.inserted);
    out.append(QStringView(text).mid(edit.from + edit.removed));
    return out;
}

SourceEdit CombineSourceEdits(const QString &text, const SourceEdit &first, const SourceEdit &second)
{
    const QString between = ApplySourceEdit(text, first);
    const qsizetype from = std::min(first.from, second.from);
    const qsizetype endBetween = std::max(first.from + first.inserted.size(), second.from + second.removed);
    const qsizetype endOriginal = endBetween - first.inserted.size() + first.removed;
    QString inserted = between.mid(from, endBetween - from);
    inserted.replace(second.from - from, second.removed, second.inserted);
    return {from, endOriginal - from, inserted, second.selection};
}

QString SourceRowText()
{
    return QStringLiteral("<tr>") + kSourceCellText.toString() + QStringLiteral("</tr>");
}

EnclosingTag SelectEnclosingTag(const QString &text, TextSelection selection, QStringView tagName)
{
    const QString name = AsciiLowerCase(tagName.toString());
    const bool cellOrRow = IsOneOf(name, {u"td", u"tr"});
    const std::vector<MarkupTag> tags = ScanTags(text);
    const std::vector<MarkupElement> elements = PairElements(text, tags, {name}, cellOrRow);
    const std::vector<MarkupElement> tables = cellOrRow ? TablesOf(text, tags) : std::vector<MarkupElement>();
    const MarkupElement *found = InnermostAround(elements, selection, true, cellOrRow ? &tables : nullptr);

    EnclosingTag result;
    if (!found)
        return result;
    result.range = TextSelection{found->start, found->end - found->start};
    result.TdSelectedFlag = name == u"td";
    result.RowOrTableSelectedFlag = IsOneOf(name, {u"tr", u"table"});
    return result;
}

SourceEdit DeleteSourceRange(TextSelection range)
{
    return {range.start, range.length, QString(), TextSelection{range.start, 0}};
}

std::optional<SourceEdit> DeleteEnclosingElement(const QString &text, TextSelection selection,
                                                 QStringView tagName)
{
    const EnclosingTag found = SelectEnclosingTag(text, selection, tagName);
    if (!found.range)
        return std::nullopt;
    return DeleteSourceRange(*found.range);
}

InsertionPoint FindInsertionPoint(const QString &text, TextSelection selection, TablePart part,
                                  InsertPlace place)
{
    const std::vector<MarkupTag> tags = ScanTags(text);
    const std::vector<MarkupElement> elements = part == TablePart::Row
                                                    ? PairElements(text, tags, {u"tr"}, true)
                                                    : PairElements(text, tags, {u"td", u"th"}, true);
    const std::vector<MarkupElement> tables = TablesOf(text, tags);
    const MarkupElement *found = InnermostAround(elements, TextSelection{selection.start, 0}, false, &tables);
    if (!found)
        return {selection, false};
    const qsizetype caret = place == InsertPlace::Before ? found->start : found->end;
    return {TextSelection{caret, 0}, true};
}

SourceEdit InsertRowInSource(const QString &text, TextSelection selection, InsertPlace place)
{
    const InsertionPoint point = FindInsertionPoint(text, selection, TablePart::Row, place);
    const std::vector<MarkupTag> tags = ScanTags(text);
    const qsizetype p = InsertionCaret(tags, point);
    const qsizetype length = point.selection.length;
    const QString selected = text.mid(p, length);
    if (place == InsertPlace::Before)
        return {p, length, SourceRowText() + selected, TextSelection{p, 1}};
    return {p, length, selected + SourceRowText(), TextSelection{p + length, 1}};
}

SourceEdit InsertCellInSource(const QString &text, TextSelection selection)
{
    const InsertionPoint point = FindInsertionPoint(text, selection, TablePart::Cell, InsertPlace::Before);
    const std::vector<MarkupTag> tags = ScanTags(text);
    qsizetype p = InsertionCaret(tags, point);
    qsizetype length = point.selection.length;
    // A selected row (as the select-row command leaves it) gets the new cell as its first cell:
    // the caret goes behind the row's own opening tag, wherever the selection's blanks put it.
    if (!point.inside && length > 0) {
        qsizetype first = p;
        while (first < p + length && text[first].unicode() <= 0x20)
            ++first;
        MarkupTag row;
        if (TagAt(text, first, &row) && !row.closing && TagNameIs(text, row, u"tr")) {
            p = std::min(row.end, p + length);
            length = 0;
        }
    }
    const QString selected = text.mid(p, length);
    return {p, length, selected + kSourceCellText.toString(), TextSelection{p + length, 1}};
}

} // namespace korvel
