#pragma once

#include "tables/tablesource.h"

#include <QString>

// Merging selected cells and splitting a cell in the source text.
namespace korvel {

// Catalogue lines of the source merge and split.
inline constexpr int kLineSelectTwoCells = 40;
inline constexpr int kLineMergeAcrossTables = 41;
inline constexpr int kLineMergeFailed = 42;
inline constexpr int kLineAcrossRows = 45;
inline constexpr int kLineNoCellSelected = 50;

// Either the edit to apply or the catalogue line of the error box to show.
struct CellEditResult {
    std::optional<SourceEdit> edit;
    int errorLine = 0;
};

// The fragment with the colspan of its first cell tag (TD or TH, any letter case) changed: a
// value N becomes N - 1 + spanDelta, at least 1 (an unreadable value counts as "no digits" and
// becomes spanDelta, at least 1); a tag without colspan gets " colspan=spanDelta " in front of
// its ">" when spanDelta is more than 1. Only the digits of the attribute's own value are ever
// rewritten; a fragment without a complete cell tag comes back unchanged.
QString AdjustColspan(const QString &fragment, int spanDelta);

// The colspan a cell tag stands for: its value's digits, 1 when missing or below 1.
int ColspanOfTag(QStringView tag);

// Merges the cells of the selection (from the first cell's opening tag to the last cell's
// closing tag) into the first cell: the first cell's tag keeps its attributes and its colspan
// becomes the sum of the merged cells' spans; every cell's content follows in order, as typed,
// separated by a blank. Refused with line 40 for fewer than two cells, 41 when a table starts
// or ends between them, 45 when a row does, 42 when all the cells are empty. The caret ends
// behind the merged text; the caller then saves the document.
CellEditResult MergeCellsInSource(const QString &text, TextSelection selection);

// Splits the selected cell: its colspan c becomes c - 1 (at least 1), and one new cell is put
// behind it (the source cell insertion), so the row keeps its width when c > 1. Line 50 for a
// blank selection.
CellEditResult SplitCellInSource(const QString &text, TextSelection selection);

} // namespace korvel
