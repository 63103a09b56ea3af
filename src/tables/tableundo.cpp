#include "tables/tableundo.h"

namespace korvel {

std::optional<QString> TableUndoSteps::pageNow() const
{
    const auto page = m_engine.Document();
    return page ? page->serializedPage() : std::nullopt;
}

void TableUndoSteps::push(Step step)
{
    const auto page = pageNow();
    if (!page)
        return;
    // Steps of a document that is no longer shown can never be taken back.
    if (!m_steps.isEmpty() && m_steps.last().generation != m_engine.documentGeneration())
        m_steps.clear();
    step.pageAfter = *page;
    step.generation = m_engine.documentGeneration();
    m_steps.append(std::move(step));
    if (m_steps.size() > kMaxSteps)
        m_steps.removeFirst();
}

void TableUndoSteps::addContentStep(const HtmlElement &element, const QString &innerHtmlBefore)
{
    Step step;
    step.target = element;
    step.content = innerHtmlBefore;
    push(std::move(step));
}

bool TableUndoSteps::undo()
{
    if (m_steps.isEmpty())
        return false;
    if (m_steps.last().generation != m_engine.documentGeneration()) {
        m_steps.clear();
        return false;
    }
    const auto page = pageNow();
    if (!page || *page != m_steps.last().pageAfter)
        return false;
    const Step step = m_steps.takeLast();
    if (!step.target.setInnerHTML(step.content)) {
        // The page no longer holds what the steps name.
        m_steps.clear();
        return false;
    }
    return true;
}

} // namespace korvel
