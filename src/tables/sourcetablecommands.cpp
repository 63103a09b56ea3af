#include "tables/sourcetablecommands.h"

#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "tables/sourcemerge.h"
#include "tables/tforminstr.h"
#include "tables/tformtable.h"

namespace korvel {

namespace {

TextSelection SelectionOf(const SynMemo &editor)
{
    return {editor.selStart(), editor.selLength()};
}

void Select(SynMemo &editor, TextSelection selection)
{
    editor.selectRange(int(selection.start), int(selection.length));
}

bool ApplyOrReport(SynMemo &editor, Prompter &prompter, const CatalogueLine &line, const CellEditResult &result)
{
    if (!result.edit) {
        prompter.error(line(result.errorLine));
        return false;
    }
    ApplySourceEditTo(editor, *result.edit);
    return true;
}

} // namespace

void ApplySourceEditTo(SynMemo &editor, const SourceEdit &edit)
{
    Select(editor, {edit.from, edit.removed});
    editor.replaceSelection(edit.inserted);
    Select(editor, edit.selection);
}

EnclosingTag SelectTableElementInSource(SynMemo &editor, Prompter &prompter, const CatalogueLine &line,
                                        QStringView tagName)
{
    const EnclosingTag found = SelectEnclosingTag(editor.text(), SelectionOf(editor), tagName);
    if (found.range)
        Select(editor, *found.range);
    else
        prompter.plain(line(kLineSetCursorIntoTable));
    return found;
}

bool DeleteTableElementInSource(SynMemo &editor, Prompter &prompter, const CatalogueLine &line,
                                QStringView tagName)
{
    const EnclosingTag found = SelectTableElementInSource(editor, prompter, line, tagName);
    if (!found.range || !(found.TdSelectedFlag || found.RowOrTableSelectedFlag))
        return false;
    if (prompter.message(MessageKind::Confirmation, line(kLineDelete), Buttons::YesNo) != Answer::Yes)
        return false;
    ApplySourceEditTo(editor, DeleteSourceRange(*found.range));
    return true;
}

bool InsertRowInSourceCommand(SynMemo &editor, TFormInsTR &dialog, Prompter &prompter, int uiLanguage)
{
    const std::optional<InsertPlace> place = runSourceRowDialog(dialog, prompter, uiLanguage);
    if (!place)
        return false;
    ApplySourceEditTo(editor, InsertRowInSource(editor.text(), SelectionOf(editor), *place));
    return true;
}

void InsertCellInSourceCommand(SynMemo &editor)
{
    ApplySourceEditTo(editor, InsertCellInSource(editor.text(), SelectionOf(editor)));
}

bool MergeCellsInSourceCommand(SynMemo &editor, Prompter &prompter, const CatalogueLine &line)
{
    return ApplyOrReport(editor, prompter, line, MergeCellsInSource(editor.text(), SelectionOf(editor)));
}

bool SplitCellInSourceCommand(SynMemo &editor, Prompter &prompter, const CatalogueLine &line)
{
    return ApplyOrReport(editor, prompter, line, SplitCellInSource(editor.text(), SelectionOf(editor)));
}

bool InsertTableInSourceCommand(SynMemo &editor, TFormTable &dialog, Prompter &prompter, int uiLanguage)
{
    const std::optional<QString> table = runTableDialog(dialog, prompter, uiLanguage);
    if (!table)
        return false;
    editor.replaceSelection(*table);
    return true;
}

} // namespace korvel
