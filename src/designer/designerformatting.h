#pragma once

#include <QString>

namespace korvel {

class DesignerContext;
class DesignerPageChange;
class HtmlDocument;
class HtmlElement;
struct FontChoice;
struct FormatCommand;

// The designer's side of the formatting commands: the engine's own editing commands, the
// fragments pasted at the selection, the list, division and span rules, the font rule and the
// removal of an enclosing block. Every step that writes to the page needs design mode: the
// source takes the page back only from design mode, so an edit made without it would be lost.
class DesignerFormatting final {
public:
    DesignerFormatting(DesignerContext &context, DesignerPageChange &pageChange)
        : m_ctx(context), m_pageChange(pageChange) {}

    // The command's designer step, as its tool button or menu item runs it; `font` holds the
    // attributes of a font command.
    void run(const FormatCommand &command, const FontChoice &font);

    // One editing command of the engine; its refusal leaves the page as it was.
    void execCommand(const FormatCommand &command);
    // Takes apart the list around the selection, in place, or makes a list of the selected text.
    void BulletsButtonClick(bool ordered);
    void Div1Click();
    void Span1Click();
    // The engine's font calls in order, stopping at the first one it refuses.
    void Font3Click(const FontChoice &font);
    // A change of a font control: the font rule for its attribute, only in design mode and only
    // when the selection holds text.
    void fontControlChanged(const FontChoice &font);
    // Removes the nearest enclosing DIV, SPAN or P the person picks, keeping its content.
    void ToolButtonNoDivClick();

private:
    bool designModeOn() const;
    // The page, when its selection is a caret or a text range (not a selected object).
    bool textSelection(HtmlDocument &page) const;

    DesignerContext &m_ctx;
    DesignerPageChange &m_pageChange;
};

} // namespace korvel
