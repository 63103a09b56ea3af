#pragma once

namespace korvel {

class DesignerController;
class SourceCommands;

// Hands the designer page's share of the source commands (find, select all, letter case and
// the text extraction) to the designer. Both must outlive the connection.
void connectSourceCommandsToDesigner(SourceCommands &commands, DesignerController &designer);

} // namespace korvel
