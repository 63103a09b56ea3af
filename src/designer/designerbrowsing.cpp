#include "designer/designerbrowsing.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/designerpagechange.h"
#include "designer/webenginebrowser.h"

#include <QLineEdit>

namespace korvel {

void DesignerBrowsing::ShowBlankPage()
{
    if (QLineEdit *url = m_ctx.editUrl())
        url->setText(QStringLiteral("about:blank"));
    ButtonUrlClick();
}

void DesignerBrowsing::ButtonUrlClick()
{
    if (!m_ctx.commands().requireDesignerPage())
        return;
    QLineEdit *url = m_ctx.editUrl();
    const QString address = url ? url->text() : QString();
    if (address.isEmpty() || address.endsWith(QLatin1Char('.')) || address.endsWith(QLatin1Char('w'), Qt::CaseInsensitive)) {
        m_ctx.prompter().error(m_ctx.line(Msg::UrlNotFound));
        return;
    }
    if (m_ctx.state.designModeOn)
        m_pageChange.BrowserEditmode1Click();
    m_ctx.state.ReopenTextWindow = false;
    m_ctx.commands().setChecked(cmd::TagGlyphs, false);
    if (!m_ctx.browser.Navigate(address))
        m_ctx.prompter().warning(m_ctx.line(Msg::UrlNotFound));
}

void DesignerBrowsing::Back2Click()
{
    if (!m_ctx.onDesignerPage())
        return;
    m_ctx.browser.GoBack();
    if (QLineEdit *url = m_ctx.editUrl())
        url->setFocus();
}

void DesignerBrowsing::Back1Click()
{
    if (!m_ctx.onDesignerPage())
        return;
    m_ctx.browser.GoForward();
    if (QLineEdit *url = m_ctx.editUrl())
        url->setFocus();
}

void DesignerBrowsing::Refresh1Click()
{
    if (!m_ctx.onDesignerPage())
        return;
    m_ctx.browser.Refresh();
    m_ctx.commands().setChecked(cmd::TagGlyphs, false);
}

void DesignerBrowsing::MessagesClick()
{
    m_ctx.browser.setSilent(!m_ctx.browser.Silent());
    m_ctx.commands().setChecked(cmd::BrowserMessages, !m_ctx.browser.Silent());
}

} // namespace korvel
