#include "designer/designersourcetools.h"

#include "app/launchcommands.h"
#include "designer/designercontext.h"
#include "designer/designerfindbox.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "generators/formtext.h"
#include "prompt/prompter.h"
#include "source/textmatch.h"
#include "source/texthelpers.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QTimer>

namespace korvel {

DesignerSourceTools::DesignerSourceTools(DesignerContext &context, QObject *parent)
    : QObject(parent), m_ctx(context)
{
    QWidget *window = context.shell.window();
    m_findBox = new DesignerFindBox(window);
    connect(m_findBox, &DesignerFindBox::find, this, &DesignerSourceTools::FindBoxFind);
    connect(m_findBox, &DesignerFindBox::closed, this, [this] { m_ctx.browser.stopFinding(); });

    m_timer1 = new QTimer(window);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(2000);
    connect(m_timer1, &QTimer::timeout, this, &DesignerSourceTools::Timer1Timer);
}

DesignerSourceTools::~DesignerSourceTools()
{
    delete m_findBox;
    delete m_timer1;
}

void DesignerSourceTools::sourcePageEntered()
{
    // The find box searches the designer's page, which is not shown any more.
    m_findBox->hide();
    if (m_ctx.state.ReopenTextWindow)
        ShowTextWindow();
}

void DesignerSourceTools::FindInPage()
{
    m_findBox->setLanguage(m_ctx.shell.state().UiLanguage);
    m_findBox->show();
    m_findBox->raise();
    m_findBox->activateWindow();
}

void DesignerSourceTools::FindBoxFind()
{
    const QString text = m_findBox->findText();
    if (text.isEmpty())
        return;
    // A page that does not answer is not reported as searched.
    const std::optional<int> matches = m_ctx.browser.findText(text, m_findBox->matchCase());
    if (matches && *matches == 0)
        m_ctx.prompter().plain(m_ctx.line(Msg::SearchNotFound));
}

void DesignerSourceTools::SelectAllOfPage()
{
    if (!IsEditableFileType(m_ctx.browser.LocationName())) {
        CopyPageByKeys();
        return;
    }
    m_ctx.browser.ExecWB(17, 0);
    m_ctx.browser.ExecWB(12, 0);
}

void DesignerSourceTools::CopyPageByKeys()
{
    // The page selects and copies only once it is complete.
    m_ctx.browser.waitUntilReady();
    m_ctx.browser.ExecWB(17, 0);
    m_ctx.browser.ExecWB(12, 0);
}

void DesignerSourceTools::LetterCaseOfSelection(bool upper)
{
    const auto page = m_ctx.browser.Document();
    if (!page)
        return;
    const Selection selection = page->selection();
    const auto type = selection.type();
    if (type && *type != QLatin1String("Text") && *type != QLatin1String("None"))
        return;
    const auto range = type ? selection.createTextRange() : std::nullopt;
    const auto text = range ? range->text() : std::nullopt;
    if (!text) {
        m_ctx.prompter().error(m_ctx.line(Msg::InvalidSelection));
        return;
    }
    // The folded text goes back as text: a "<" or "&" that the page shows must not turn into
    // markup of the page.
    const QString folded = upper ? AsciiUpperCase(*text) : AsciiLowerCase(*text);
    if (!range->pasteHTML(folded.toHtmlEscaped()))
        m_ctx.prompter().error(m_ctx.line(Msg::InvalidSelection));
}

void DesignerSourceTools::GetPageText()
{
    if (!m_ctx.documentLoaded())
        return;
    m_ctx.state.ReopenTextWindow = false;
    if (IsEditableFileType(m_ctx.browser.LocationName())) {
        const auto page = m_ctx.browser.Document();
        const auto root = page ? page->documentElement() : std::nullopt;
        const auto text = root ? root->innerText() : std::nullopt;
        if (!text)
            return;
        QGuiApplication::clipboard()->setText(*text);
        ShowTextWindow();
        return;
    }
    // The engine copies in the background; the text window follows when the timer ticks.
    CopyPageByKeys();
    m_ctx.state.ReopenTextWindow = true;
    m_timer1->start();
}

void DesignerSourceTools::Timer1Timer()
{
    m_timer1->stop();
    ShowTextWindow();
}

void DesignerSourceTools::ShowTextWindow()
{
    auto *launch = m_ctx.shell.window()->findChild<LaunchCommands *>(QStringLiteral("LaunchCommands"));
    if (!launch)
        return;
    TFormText &window = launch->textWindow();
    window.UiLanguage = m_ctx.shell.state().UiLanguage;
    if (window.isVisible())
        window.FormShow();
    else
        window.show();
    window.raise();
}

} // namespace korvel
