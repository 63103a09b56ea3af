#pragma once

class QPoint;

namespace korvel {

class DesignerContext;

// The design aids of the designer page: design-time borders, tag glyphs, zoom, and the page's
// pop-up menu. Nothing they add to the page reaches the source text.
class DesignAids final {
public:
    explicit DesignAids(DesignerContext &context) : m_ctx(context) {}

    void ToolButtonBordersClick();
    void ToolButtonShowHtmlClick();
    void ButtonZoomPlusClick();
    void ButtonZoomMinusClick();
    void PopupMenu1Popup(const QPoint &globalPosition);

private:
    DesignerContext &m_ctx;
};

} // namespace korvel
