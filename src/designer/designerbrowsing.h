#pragma once

namespace korvel {

class DesignerContext;
class DesignerPageChange;

// Browsing in the designer: the address box, back, forward, reload and the engine's messages.
class DesignerBrowsing final {
public:
    DesignerBrowsing(DesignerContext &context, DesignerPageChange &pageChange)
        : m_ctx(context), m_pageChange(pageChange) {}

    void ButtonUrlClick();
    void Back2Click();  // back
    void Back1Click();  // forward, despite its name
    void Refresh1Click();
    void MessagesClick();
    // File New on the designer page: an empty page before the source page takes over.
    void ShowBlankPage();

private:
    DesignerContext &m_ctx;
    DesignerPageChange &m_pageChange;
};

} // namespace korvel
