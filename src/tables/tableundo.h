#pragma once

#include "designer/engine.h"

#include <QList>
#include <QString>

namespace korvel {

// Undo for the table commands of the designer. They change the page's elements directly, which
// the engine's own undo does not see, so each change keeps the content of the element it
// changed (the table, or the element a table was taken from or pasted into) as it was, with
// the text between the rows and everything else in it. Undo puts the last one back
// while the page is still exactly as that change left it; after any other change to the page
// (typing, a formatting command) the engine's undo goes first, and once it has taken its own
// changes back the kept step matches again.
class TableUndoSteps final {
    Q_DISABLE_COPY_MOVE(TableUndoSteps)

public:
    explicit TableUndoSteps(Engine &engine) : m_engine(engine) {}

    // Right after a change: the element's inner HTML as it was before.
    void addContentStep(const HtmlElement &element, const QString &innerHtmlBefore);

    // Takes back the last kept change when nothing else changed the page since; false (and
    // nothing done) otherwise.
    bool undo();

    void clear() { m_steps.clear(); }
    qsizetype size() const { return m_steps.size(); }

    // The most steps kept; the oldest go first.
    static constexpr qsizetype kMaxSteps = 20;

private:
    struct Step {
        HtmlElement target;
        QString content;    // its inner HTML before the change
        QString pageAfter;  // the page as the change left it
        quint64 generation = 0;
    };

    void push(Step step);
    std::optional<QString> pageNow() const;

    Engine &m_engine;
    QList<Step> m_steps;
};

} // namespace korvel
