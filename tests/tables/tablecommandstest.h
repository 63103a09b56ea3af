#pragma once

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designerwindowtest.h"
#include "markedtext.h"
#include "tables/tablecommands.h"

#include <QAbstractButton>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include <memory>

namespace korvel::test {

// The main window with its designer and the table commands, on the real engine.
class TableCommandsTest : public DesignerWindowTest {
protected:
    void attachCommands() override { tables = std::make_unique<TableCommands>(*form, *designer); }

    void TearDown() override
    {
        tables.reset();
        DesignerWindowTest::TearDown();
    }

    // A dialog answer: the named button pressed.
    static std::function<int(QDialog &)> pressing(const QString &button)
    {
        return [button](QDialog &dialog) {
            dialog.findChild<QAbstractButton *>(button)->click();
            return dialog.result();
        };
    }

    std::optional<HtmlElement> byId(const QString &id)
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(QStringLiteral("id")) == id)
                return e;
        }
        return std::nullopt;
    }

    QString outerHtmlOf(const QString &id)
    {
        const auto e = byId(id);
        return e ? e->outerHTML().value_or(QString()) : QString();
    }

    // What the person does with the mouse: a selection from the start of the first element's
    // text to the end of the last one's (a caret when they are the same and `caret` is set).
    void select(const QString &fromId, const QString &toId, bool caret = false)
    {
        const QString code = QStringLiteral(
            "(function () { const a = document.getElementById('%1'), b = document.getElementById('%2');"
            " const r = document.createRange(); r.setStart(a.firstChild || a, 0);"
            " const last = b.lastChild || b; r.setEnd(last, last.nodeType === 3 ? last.length : last.childNodes.length);"
            " if (%3) r.collapse(true);"
            " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return true; })()")
                                 .arg(fromId, toId, caret ? QStringLiteral("true") : QStringLiteral("false"));
        bool done = false;
        designer->browser().view()->page()->runJavaScript(code, QWebEngineScript::ApplicationWorld,
                                                          [&done](const QVariant &) { done = true; });
        ASSERT_TRUE(QTest::qWaitFor([&done] { return done; }, 5000));
    }
    void caretIn(const QString &id) { select(id, id, true); }

    void run(const char *id) { form->commands().run(id); }

    std::unique_ptr<TableCommands> tables;
};

} // namespace korvel::test
