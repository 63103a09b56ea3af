#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace korvel {

class DesignerContext;
class HtmlElement;

// What the element commands do with the element they found around the designer selection.
enum class ElementAction {
    Select,      // the element's content becomes the designer selection
    Delete,      // the element goes, with its content (it stays in KeptElementHtml, as if cut)
    Unwrap,      // the element goes, its content stays where it was
    InsertRow,   // a row is inserted at the found row
    InsertCell,  // a cell is inserted at the found cell
    Split,       // the found cell is split
    Properties,  // the element under the selection is shown in the property inspector
};

// The element commands' lookup: from the designer selection, the nearest enclosing element whose
// tag name is the given one (upper case, as the engine reports it), remembered in the designer
// state, and then the command's action. True when the element was found. A TD or TR lookup
// stops at the nearest TABLE, so a cell of a nested table never finds the outer cell.
class ElementActions final {
public:
    using ElementHandler = std::function<void(const HtmlElement &)>;

    explicit ElementActions(DesignerContext &context) : m_ctx(context) {}

    bool ApplyElementAction(ElementAction action, const QString &tagName);

    // The actions that other commands provide (row and cell insertion, the split, the
    // inspector); an action without a handler only finds the element. A delete handler takes
    // the place of the plain removal, for commands that keep their table whole.
    void setHandler(ElementAction action, ElementHandler handler);

    // The outer HTML of the element found last, as the engine gave it (KeptElementHtml holds
    // it compacted, which loses the line breaks of its text).
    const QString &foundOuterHtml() const { return m_foundOuterHtml; }

    // The element's inner text as the element commands keep it: CR removed, LF as one blank,
    // TAB removed, trimmed.
    static QString ElementText(const QString &innerText);

private:
    std::optional<HtmlElement> walkUp(HtmlElement element, const QString &tagName) const;
    void act(ElementAction action, const HtmlElement &element);

    DesignerContext &m_ctx;
    void keep(const HtmlElement &element);

    ElementHandler m_insertRow, m_insertCell, m_split, m_properties, m_delete;
    QString m_foundOuterHtml;
};

} // namespace korvel
