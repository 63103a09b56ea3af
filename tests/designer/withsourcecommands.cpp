#include "withsourcecommands.h"

#include "designer/designerhooks.h"
#include "source/sourcecommands.h"

namespace korvel::test {

QObject *attachSourceCommands(TMainForm &form, DesignerController &designer)
{
    auto *commands = new SourceCommands(form);
    connectSourceCommandsToDesigner(*commands, designer);
    return commands;
}

} // namespace korvel::test
