#pragma once

#include <QtGlobal>

namespace korvel {

class CommandContext;
class DesignerController;
class TfrmPageProp;

// The page properties of the designer's page: its title, colours, background image and
// margins, shown with the counts of its parts. OK writes back only the fields the person
// changed, as the body's attributes (an emptied one is removed), and puts the title into
// the window caption.
class PagePropertiesCommands final {
    Q_DISABLE_COPY_MOVE(PagePropertiesCommands)

public:
    PagePropertiesCommands(CommandContext &context, DesignerController &designer);

    void ToolButton20Click();

    TfrmPageProp &dialog() { return *m_dialog; }

private:
    CommandContext &m_ctx;
    DesignerController &m_designer;
    TfrmPageProp *m_dialog = nullptr;
};

} // namespace korvel
