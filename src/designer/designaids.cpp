#include "designer/designaids.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/engine.h"
#include "designer/glyphtable.h"
#include "designer/webenginebrowser.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

namespace korvel {

void DesignAids::ToolButtonBordersClick()
{
    CommandRegistry &commands = m_ctx.commands();
    if (!commands.requireDesignerPage())
        return;
    if (!m_ctx.documentLoaded())
        return;
    const auto page = m_ctx.browser.Document();
    const bool on = page && page->designMode() == QStringLiteral("On");
    // The button toggles itself when pressed; its state is the program's to set. It is marked
    // while the borders are hidden.
    const bool marked = !commands.isChecked(cmd::Borders);
    commands.setChecked(cmd::Borders, marked);
    if (!on)
        return;
    m_ctx.ExecEditingCommand(EditingCommand::ShowBorders, marked);
    commands.setChecked(cmd::Borders, !marked);
}

void DesignAids::ToolButtonShowHtmlClick()
{
    CommandRegistry &commands = m_ctx.commands();
    if (!m_ctx.onDesignerPage()) {
        commands.setChecked(cmd::TagGlyphs, false);
        commands.requireDesignerPage();
        return;
    }
    if (!m_ctx.documentLoaded())
        return;
    const auto page = m_ctx.browser.Document();
    if (!page || page->designMode() != QStringLiteral("On")) {
        m_ctx.prompter().warning(m_ctx.line(Msg::EnableDesignMode));
        commands.setChecked(cmd::TagGlyphs, false);
        return;
    }
    if (commands.isChecked(cmd::TagGlyphs))
        m_ctx.ExecEditingCommand(EditingCommand::ShowGlyphs, GlyphTableText());
    else
        m_ctx.ExecEditingCommand(EditingCommand::HideGlyphs, QString());
}

void DesignAids::ButtonZoomPlusClick()
{
    if (!m_ctx.onDesignerPage())
        return;
    // The engine has a largest factor; the zoom stops there.
    if (m_ctx.browser.setZoomFactor(m_ctx.state.ZoomFactor + 0.5))
        m_ctx.state.ZoomFactor += 0.5;
}

void DesignAids::ButtonZoomMinusClick()
{
    if (!m_ctx.onDesignerPage() || m_ctx.state.ZoomFactor <= 0.5)
        return;
    if (m_ctx.browser.setZoomFactor(m_ctx.state.ZoomFactor - 0.5))
        m_ctx.state.ZoomFactor -= 0.5;
}

void DesignAids::PopupMenu1Popup(const QPoint &globalPosition)
{
    auto *menu = m_ctx.shell.window()->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    if (!menu)
        return;
    const bool editing = m_ctx.state.designModeOn;
    for (const char *name : {"Kopieren1", "Einfuegen1"}) {
        if (QAction *a = m_ctx.commands().action(QLatin1String(name)))
            a->setEnabled(editing);
    }
    menu->popup(globalPosition);
}

} // namespace korvel
