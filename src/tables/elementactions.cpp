#include "tables/elementactions.h"

#include "designer/designercontext.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"

namespace korvel {

QString ElementActions::ElementText(const QString &innerText)
{
    QString text;
    text.reserve(innerText.size());
    for (const QChar c : innerText) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            continue;
        text += c == QLatin1Char('\n') ? QChar(QLatin1Char(' ')) : c;
    }
    return text.trimmed();
}

void ElementActions::setHandler(ElementAction action, ElementHandler handler)
{
    switch (action) {
    case ElementAction::InsertRow: m_insertRow = std::move(handler); break;
    case ElementAction::InsertCell: m_insertCell = std::move(handler); break;
    case ElementAction::Split: m_split = std::move(handler); break;
    case ElementAction::Properties: m_properties = std::move(handler); break;
    case ElementAction::Delete: m_delete = std::move(handler); break;
    default: break;
    }
}

std::optional<HtmlElement> ElementActions::walkUp(HtmlElement element, const QString &tagName) const
{
    // A cell or row belongs to its nearest table: the walk does not pass through it.
    const bool withinTable = tagName == QLatin1String("TD") || tagName == QLatin1String("TR");
    for (;;) {
        const auto tag = element.tagName();
        if (!tag)
            return std::nullopt;
        if (*tag == tagName)
            return element;
        if (*tag == QLatin1String("BODY") || *tag == QLatin1String("HTML"))
            return std::nullopt;
        if (withinTable && *tag == QLatin1String("TABLE"))
            return std::nullopt;
        const auto parent = element.parentElement();
        if (!parent)
            return std::nullopt;
        element = *parent;
    }
}

void ElementActions::act(ElementAction action, const HtmlElement &element)
{
    switch (action) {
    case ElementAction::Delete:
        if (m_delete)
            m_delete(element);
        else
            element.setOuterText(QString());
        return;
    case ElementAction::Unwrap:
        element.unwrap();
        return;
    case ElementAction::InsertRow:
        if (m_insertRow)
            m_insertRow(element);
        return;
    case ElementAction::InsertCell:
        if (m_insertCell)
            m_insertCell(element);
        return;
    case ElementAction::Split:
        if (m_split)
            m_split(element);
        return;
    case ElementAction::Select:
    case ElementAction::Properties:
        return;
    }
}

void ElementActions::keep(const HtmlElement &element)
{
    m_foundOuterHtml = element.outerHTML().value_or(QString());
    m_ctx.state.KeptElementHtml = CompactHtml(m_foundOuterHtml);
}

bool ElementActions::ApplyElementAction(ElementAction action, const QString &tagName)
{
    DesignerState &state = m_ctx.state;
    state.Selection.LastElementText.clear();
    m_foundOuterHtml.clear();
    const auto page = m_ctx.browser.Document();
    if (!page)
        return false;

    // In a frameset the selection cannot be used: the active element is taken instead.
    if (IsFramesetDocument(m_ctx.shell.editor()->text())) {
        const auto active = page->activeElement();
        const auto tag = active ? active->tagName() : std::nullopt;
        if (!tag || tag->isEmpty() || *tag == QLatin1String("BODY") || *tag == QLatin1String("HTML")) {
            m_ctx.prompter().warning(QStringLiteral("Nichts markiert!"));
            return false;
        }
        keep(*active);
        if (action == ElementAction::Properties && m_properties)
            m_properties(*active);
        return false;
    }

    const Selection selection = page->selection();
    const auto type = selection.type();
    if (!type)
        return false;

    if (*type == QLatin1String("Control")) {
        const auto controls = selection.createControlRange();
        const auto current = controls ? controls->commonParentElement() : std::nullopt;
        if (!current) {
            m_ctx.prompter().plain(m_ctx.line(Msg::InvalidSelection));
            return false;
        }
        if (action == ElementAction::Properties) {
            if (m_properties)
                m_properties(*current);
            return false;
        }
        const auto found = walkUp(*current, tagName);
        if (!found)
            return false;
        keep(*found);
        // A control selection stays as it is; only the element actions change the page.
        if (action != ElementAction::Select && action != ElementAction::Unwrap)
            act(action, *found);
        return true;
    }

    const auto range = selection.createTextRange();
    const auto current = range ? range->parentElement() : std::nullopt;
    if (!current)
        return false;
    if (action == ElementAction::Properties) {
        if (m_properties)
            m_properties(*current);
        return false;
    }
    const auto found = walkUp(*current, tagName);
    if (!found)
        return false;
    keep(*found);
    if (range->moveToElementText(*found))
        range->select();
    state.Selection.LastElementText = ElementText(found->innerText().value_or(QString()));
    act(action, *found);
    return true;
}

} // namespace korvel
