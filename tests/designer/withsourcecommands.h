#pragma once

class QObject;

namespace korvel {
class DesignerController;
class TMainForm;
}

namespace korvel::test {

// Gives the main window its source commands, handing their designer side to the designer as
// the program does. Kept apart because the source commands' header and the engine's both
// name a TextRange. The commands live as a child of the window.
QObject *attachSourceCommands(TMainForm &form, DesignerController &designer);

} // namespace korvel::test
