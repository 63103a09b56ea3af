#pragma once

#include "tables/tablemarkup.h"

#include <QString>
#include <QStringView>

#include <optional>

// The table tools of the source view as text functions: the text and the editor's selection
// go in, the change to make and the selection to show afterwards come out. The caller applies
// a SourceEdit as one undoable edit: select [from, from + removed), replace the selection by
// `inserted`, then select `selection`.
namespace korvel {

struct SourceEdit {
    qsizetype from = 0;
    qsizetype removed = 0;
    QString inserted;
    TextSelection selection; // in the changed text

    bool operator==(const SourceEdit &) const = default;
};

// The text after the edit.
QString ApplySourceEdit(const QString &text, const SourceEdit &edit);

// One edit doing `first` and then `second` (whose positions are in the text after `first`).
SourceEdit CombineSourceEdits(const QString &text, const SourceEdit &first, const SourceEdit &second);

// The cell and the row the source insertions put in.
inline constexpr QStringView kSourceCellText = u"<td align=\"left\" valign=\"top\">&nbsp;</td>";
QString SourceRowText();

// Catalogue lines the source table commands report.
inline constexpr int kLineSetCursorIntoTable = 19;
inline constexpr int kLineDelete = 29;

struct EnclosingTag {
    std::optional<TextSelection> range; // nothing: no element holds the selection (line 19)
    bool TdSelectedFlag = false;
    bool RowOrTableSelectedFlag = false;
};

// The whole element named `tagName` ("td", "tr", "table", "form"; any letter case) that holds
// the selection, from its opening tag's "<" to behind its closing tag, innermost first. A caret
// counts from just after the "<" up to just behind the closing ">"; a selection must lie wholly
// inside. Cell and row lookups stop at the nearest table around the selection, so a caret in a
// header cell or caption of a nested table does not reach the cell around that table. An
// element without its closing tag is never taken. The flags tell which delete command may act.
EnclosingTag SelectEnclosingTag(const QString &text, TextSelection selection, QStringView tagName);

// Removing the range, with the caret where it was.
SourceEdit DeleteSourceRange(TextSelection range);

// The source delete commands: removing the element SelectEnclosingTag finds (after the
// person confirmed line 29); nothing when no element holds the selection.
std::optional<SourceEdit> DeleteEnclosingElement(const QString &text, TextSelection selection,
                                                 QStringView tagName);

enum class TablePart { Row, Cell };
enum class InsertPlace { Before, Behind };

struct InsertionPoint {
    TextSelection selection; // the caret moved before or behind the element, or the selection kept
    bool inside = false;     // the caret was inside a row or cell (TH counts as a cell)
};

// Where a new row or cell goes: when the caret (the selection's start) lies inside a row or
// cell of its nearest table, before that element's opening tag or behind its closing tag;
// otherwise the selection stays.
InsertionPoint FindInsertionPoint(const QString &text, TextSelection selection, TablePart part,
                                  InsertPlace place);

// A row of one cell before or behind the row that holds the caret (or before or behind the
// selection when no row holds it); the new row's "<" is selected afterwards. A caret inside a
// tag is first moved behind that tag, so no tag is ever split.
SourceEdit InsertRowInSource(const QString &text, TextSelection selection, InsertPlace place);

// A cell in front of the cell that holds the caret; behind a selection that starts with a row's
// opening tag, as that row's first cell; otherwise behind the selection. The new cell's "<" is
// selected afterwards.
SourceEdit InsertCellInSource(const QString &text, TextSelection selection);

} // namespace korvel
