#pragma once

#include "source/catalogueline.h"
#include "tables/tablesource.h"

#include <QStringView>

// The source view's table commands on the editor: each reads the editor's text and selection,
// asks what its command asks through the Prompter, and applies its change as one undoable edit.
// The command layer calls them when the source page is active.
namespace korvel {

class Prompter;
class SynMemo;
class TFormInsTR;
class TFormTable;

// Selects one edit's change in the editor and leaves its selection.
void ApplySourceEditTo(SynMemo &editor, const SourceEdit &edit);

// Select cell, row, table or form ("td", "tr", "table", "form"): selects the element, or shows
// line 19 in a plain box. The flags tell the delete commands whether to go on.
EnclosingTag SelectTableElementInSource(SynMemo &editor, Prompter &prompter, const CatalogueLine &line,
                                        QStringView tagName);

// Delete cell, row or table: selects the element as above, asks line 29 and removes it on Yes.
// True when it was removed.
bool DeleteTableElementInSource(SynMemo &editor, Prompter &prompter, const CatalogueLine &line,
                                QStringView tagName);

// Insert row: asks before or behind (no "end of table" here) and inserts the row.
bool InsertRowInSourceCommand(SynMemo &editor, TFormInsTR &dialog, Prompter &prompter, int uiLanguage);

// Insert cell: inserts the cell; there is no question.
void InsertCellInSourceCommand(SynMemo &editor);

// Merge cells: merges, or shows the refusal's catalogue line in an error box. True when merged:
// the caller then saves the document (not an unnamed one, which has no file to write yet).
bool MergeCellsInSourceCommand(SynMemo &editor, Prompter &prompter, const CatalogueLine &line);

// Split cell: splits, or shows line 50 in an error box.
bool SplitCellInSourceCommand(SynMemo &editor, Prompter &prompter, const CatalogueLine &line);

// Create new table: shows the table dialog and puts the table in place of the selection.
bool InsertTableInSourceCommand(SynMemo &editor, TFormTable &dialog, Prompter &prompter, int uiLanguage);

} // namespace korvel
