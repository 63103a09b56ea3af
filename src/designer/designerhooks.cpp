#include "designer/designerhooks.h"

#include "designer/designercontroller.h"
#include "source/sourcecommands.h"

namespace korvel {

void connectSourceCommandsToDesigner(SourceCommands &commands, DesignerController &designer)
{
    commands.designerFind = [&designer] { designer.FindInPage(); };
    commands.designerSelectAll = [&designer] { designer.SelectAllOfPage(); };
    commands.designerLetterCase = [&designer](bool upper) { designer.LetterCaseOfSelection(upper); };
    commands.designerGetText = [&designer] { designer.GetPageText(); };
}

} // namespace korvel
