#include "app/diskwatch.h"
#include "app/catalogue.h"
#include "app/commandcontext.h"
#include "app/editordocument.h"
#include "app/filecommands.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"

#include <QEvent>
#include <QWidget>

namespace korvel {

namespace {

// The document's file, when it has one a program could change.
QString watchedFile(CommandContext &ctx)
{
    const EditorDocument &doc = ctx.document();
    if (!doc.diskStamp.known || doc.FileName.isEmpty() || doc.FileName == ctx.line(Msg::Untitled))
        return {};
    return doc.FileName;
}

} // namespace

bool mayOverwriteOnDisk(CommandContext &context)
{
    const QString path = watchedFile(context);
    if (path.isEmpty() || !changedSince(context.document().diskStamp, path))
        return true;
    return context.prompter().message(MessageKind::Confirmation, context.catalogue().changedOnDiskSaveQuestion(path),
                                      Buttons::YesNo)
        == Answer::Yes;
}

DiskWatch::DiskWatch(CommandContext &context, QObject *parent)
    : QObject(parent)
    , m_ctx(context)
{
    if (QWidget *window = m_ctx.window())
        window->installEventFilter(this);
}

bool DiskWatch::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && watched == m_ctx.window())
        checkForOutsideChange();
    return QObject::eventFilter(watched, event);
}

void DiskWatch::checkForOutsideChange()
{
    // The designer shows the page as it was saved; the source page is where a reload lands.
    const QString path = watchedFile(m_ctx);
    if (m_asking || path.isEmpty() || !m_ctx.onPage(Page::Source))
        return;
    if (!changedSince(m_ctx.document().diskStamp, path) || (m_declined.known && !changedSince(m_declined, path)))
        return;
    m_asking = true;
    const bool unsaved = m_ctx.editor() && m_ctx.editor()->modified();
    const Answer answer = m_ctx.prompter().message(
        MessageKind::Confirmation, m_ctx.catalogue().changedOnDiskReloadQuestion(path, unsaved), Buttons::YesNo);
    m_asking = false;
    if (answer == Answer::Yes) {
        m_declined = {};
        m_ctx.fileCommands().OpenDocumentFile(path);
    } else {
        // Not asked again for this change; a save still asks before it overwrites it.
        m_declined = stampOf(path);
    }
}

} // namespace korvel
