#include "designer/designerformatting.h"

#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/designerpagechange.h"
#include "designer/engine.h"
#include "designer/tformselect.h"
#include "designer/webenginebrowser.h"
#include "prompt/prompter.h"
#include "source/formatcommands.h"
#include "source/formatlists.h"
#include "source/formatrules.h"
#include "source/textmatch.h"
#include "tables/elementactions.h"

#include <utility>

namespace korvel {

namespace {

bool IsTextSelectionType(const QString &type)
{
    return type == QLatin1String("Text") || type == QLatin1String("None");
}

// The nearest list of either kind that encloses the element, up to the body.
std::optional<HtmlElement> EnclosingList(HtmlElement element)
{
    for (;;) {
        const auto tag = element.tagName();
        if (!tag || *tag == QLatin1String("BODY") || *tag == QLatin1String("HTML"))
            return std::nullopt;
        if (*tag == QLatin1String("UL") || *tag == QLatin1String("OL"))
            return element;
        const auto parent = element.parentElement();
        if (!parent)
            return std::nullopt;
        element = *parent;
    }
}

// The HTML that stands before and after the element in its parent, read from the parent's
// serialized content (the element's own serialization appears there as it stands).
std::pair<QString, QString> Neighbours(const HtmlElement &element)
{
    const auto parent = element.parentElement();
    const auto siblings = parent ? parent->innerHTML() : std::nullopt;
    const auto own = element.outerHTML();
    if (!siblings || !own)
        return {};
    const qsizetype at = siblings->indexOf(*own);
    if (at < 0)
        return {};
    return {siblings->left(at), siblings->mid(at + own->size())};
}

} // namespace

bool DesignerFormatting::designModeOn() const
{
    return m_ctx.state.designModeOn && m_ctx.documentLoaded();
}

bool DesignerFormatting::textSelection(HtmlDocument &page) const
{
    const auto document = m_ctx.browser.Document();
    if (!document)
        return false;
    page = *document;
    const auto type = page.selection().type();
    return type && IsTextSelectionType(*type);
}

void DesignerFormatting::run(const FormatCommand &command, const FontChoice &font)
{
    if (command.designer == DesignerStep::Refuse) {
        const MessageKind kind = command.refusalKind == RefusalKind::Warning ? MessageKind::Warning
                                 : command.refusalKind == RefusalKind::Information
                                     ? MessageKind::Information
                                     : MessageKind::Plain;
        m_ctx.commands().requireSourcePage(kind);
        return;
    }
    // The block removal does nothing without design mode; every other step would write to
    // the page, so the person learns why nothing happens.
    if (command.designer == DesignerStep::BlockRemovalRule) {
        ToolButtonNoDivClick();
        return;
    }
    if (!designModeOn()) {
        m_ctx.commands().requireDesignMode();
        return;
    }
    switch (command.designer) {
    case DesignerStep::Exec:
        execCommand(command);
        return;
    case DesignerStep::Paste:
        m_ctx.PasteHtmlAtSelection(QString::fromUtf8(command.value));
        return;
    case DesignerStep::ListRule:
        BulletsButtonClick(command.ordered);
        return;
    case DesignerStep::DivisionRule:
        Div1Click();
        return;
    case DesignerStep::SpanRule:
        Span1Click();
        return;
    case DesignerStep::FontRule:
        Font3Click(font);
        return;
    case DesignerStep::DialogThenPaste:
    case DesignerStep::BlockRemovalRule:
    case DesignerStep::Refuse:
        return;
    }
}

void DesignerFormatting::execCommand(const FormatCommand &command)
{
    const auto page = m_ctx.browser.Document();
    if (!page)
        return;
    const QVariant value = command.value ? QVariant(QString::fromUtf8(command.value)) : QVariant();
    page->execCommand(QString::fromUtf8(command.command), command.showUserInterface, value);
}

void DesignerFormatting::BulletsButtonClick(bool ordered)
{
    HtmlDocument page;
    if (!textSelection(page))
        return;
    const auto range = page.selection().createTextRange();
    const auto parent = range ? range->parentElement() : std::nullopt;
    if (!parent) {
        m_ctx.prompter().error(m_ctx.line(kLineListFailed));
        return;
    }
    // A list around the selection is taken apart where it stands: its items' content stays
    // as lines, and nothing outside the list changes.
    if (const auto list = EnclosingList(*parent)) {
        const auto inner = list->innerHTML();
        const auto [before, after] = Neighbours(*list);
        if (!inner || !list->setOuterHTML(ListLinesInPlace(ListItemsAsLines(*inner), before, after)))
            m_ctx.prompter().error(m_ctx.line(kLineListFailed));
        return;
    }
    const auto text = range->text();
    if (!text || !range->pasteHTML(DesignerListFragment(*text, ordered)))
        m_ctx.prompter().error(m_ctx.line(kLineListFailed));
}

void DesignerFormatting::Div1Click()
{
    HtmlDocument page;
    if (!textSelection(page))
        return;
    // A failure leaves the page as it was and passes silently.
    const auto range = page.selection().createTextRange();
    if (const auto html = range ? range->htmlText() : std::nullopt)
        range->pasteHTML(DesignerDivisionFragment(*html));
}

void DesignerFormatting::Span1Click()
{
    HtmlDocument page;
    if (!textSelection(page))
        return;
    const auto range = page.selection().createTextRange();
    if (const auto text = range ? range->text() : std::nullopt)
        range->pasteHTML(DesignerSpanFragment(*text));
}

void DesignerFormatting::Font3Click(const FontChoice &font)
{
    const auto page = m_ctx.browser.Document();
    if (!page)
        return;
    for (const EngineCall &call : DesignerFontCalls(font)) {
        const QVariant value = call.value ? QVariant(*call.value) : QVariant();
        if (!page->execCommand(call.command, call.showUserInterface, value))
            return;
    }
}

void DesignerFormatting::fontControlChanged(const FontChoice &font)
{
    if (!designModeOn())
        return;
    if (IsBlank(m_pageChange.CaptureDesignerSelection()))
        return;
    Font3Click(font);
}

void DesignerFormatting::ToolButtonNoDivClick()
{
    if (!designModeOn())
        return;
    const QStringList tags = BlockRemovalTags();
    TFormSelect chooser(m_ctx.shell.window());
    chooser.UiLanguage = m_ctx.shell.state().UiLanguage;
    chooser.setHelpHandler([this](int context) { m_ctx.shell.showHelpContext(context); });
    chooser.setItems(tags);
    chooser.setActionCaption(QString::fromUtf16(kDeleteTagCaption));
    const int choice = chooser.execute(m_ctx.prompter());
    if (choice < 0 || choice >= tags.size())
        return;
    const QString &tag = tags.at(choice);
    ElementActions actions(m_ctx);
    if (!actions.ApplyElementAction(ElementAction::Unwrap, tag))
        m_ctx.prompter().plain(tag + m_ctx.line(kLineTagNotFound));
}

} // namespace korvel
