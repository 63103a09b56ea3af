#include "designer/designerfileedit.h"

#include "app/documentfile.h"
#include "app/editordocument.h"
#include "app/filecommands.h"
#include "designer/borderstyle.h"
#include "designer/designercontext.h"
#include "designer/designerpagechange.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"

#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace korvel {

void DesignerFileEdit::FileSave()
{
    CommandContext &shell = m_ctx.shell;
    EditorDocument &document = shell.document();
    SynMemo *editor = shell.editor();
    document.SaveCancelled = false;
    if (editor->text().isEmpty())
        return;
    if (document.FileName.isEmpty() || document.FileName == m_ctx.line(Msg::Untitled)) {
        FileSaveAs();
        return;
    }
    if (!m_ctx.documentLoaded())
        return;
    if (m_ctx.browser.scriptsRanInDocument()) {
        // The page shows what its scripts made of the file; saving that would write their
        // output into the file, and they would add it again on the next load.
        shell.fileCommands().SaveSourceText();
        return;
    }
    m_ctx.browser.waitUntilReady();
    const auto html = m_pageChange.ShownPageSerialization();
    if (!html) {
        m_ctx.prompter().warning(m_ctx.line(Msg::GettingSourceFailed));
        return;
    }
    if (html->trimmed().isEmpty())
        return;
    // The page goes into the source changing only what was edited; when that cannot be traced,
    // the whole page is taken as it is shown.
    if (!m_pageChange.SpliceShownPage(*html)) {
        const QString doctype = DoctypeOf(editor->text());
        editor->setText(StripBorderStyleText(doctype.isEmpty() ? *html : doctype + QStringLiteral("\r\n") + *html));
    }
    shell.fileCommands().SaveSourceText();
}

void DesignerFileEdit::FileSaveAs()
{
    CommandContext &shell = m_ctx.shell;
    SynMemo *editor = shell.editor();
    if (m_ctx.onlineLocation() && m_ctx.documentLoaded()) {
        const auto page = m_ctx.browser.Document();
        const auto html = page ? page->serializedPage() : std::nullopt;
        editor->clearAll();
        if (html)
            editor->setText(*html);
    }
    shell.setActivePage(int(Page::Source));
    if (m_ctx.onDesignerPage())
        return;  // the page change was refused
    shell.fileCommands().FileSaveAs();
}

void DesignerFileEdit::FileOpen()
{
    m_ctx.state.ReopenTextWindow = false;
    EditorDocument &document = m_ctx.shell.document();
    if (m_ctx.state.designModeOn) {
        // Edits made in design mode live only in the engine until they are pulled: another
        // page must not replace them without a question.
        if (!m_ctx.shell.fileCommands().AskSaveChanges()) {
            document.SaveCancelled = false;
            return;
        }
        m_pageChange.ToggleDesignMode();
    }
    FileRequest request;
    request.filter = QStringLiteral("All (*.*)|*.*|HTML|*.HTML;*.HTM;*.html;*.htm|TXT|*.TXT;*.txt|RTF|*.RTF;*.rtf");
    request.folder = folderPart(document.FileName);
    request.name = fileNamePart(document.FileName);
    const QString path = m_ctx.prompter().openFileName(request);
    if (!path.isEmpty()) {
        m_ctx.browser.Navigate(path);
        m_ctx.shell.fileCommands().OpenDocumentFile(path);
    }
    document.SaveCancelled = false;
}

void DesignerFileEdit::Print()
{
    if (const auto page = m_ctx.browser.Document())
        page->execCommand(QStringLiteral("Print"), true);
}

void DesignerFileEdit::PrintPreview()
{
    if (!m_ctx.documentLoaded())
        return;
    QPrintPreviewDialog dialog(m_ctx.shell.window());
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [this](QPrinter *printer) {
        if (printer)
            m_ctx.browser.print(*printer);
    });
    m_ctx.prompter().execDialog(dialog);
}

void DesignerFileEdit::Undo()
{
    // The engine's undo does not know the changes the table commands make to the elements;
    // while the last change on the page is one of those, it is taken back first.
    if (m_ctx.state.UndoOwnEdit && m_ctx.state.UndoOwnEdit())
        return;
    if (m_ctx.state.designModeOn) {
        if (const auto page = m_ctx.browser.Document())
            page->execCommand(QStringLiteral("Undo"));
    } else if (QLineEdit *url = m_ctx.editUrl()) {
        url->undo();
    }
}

void DesignerFileEdit::Cut()
{
    QLineEdit *url = m_ctx.editUrl();
    if (url && url->hasFocus()) {
        url->cut();
        return;
    }
    if (const auto page = m_ctx.browser.Document())
        page->execCommand(QStringLiteral("Cut"));
}

void DesignerFileEdit::Copy()
{
    if (m_ctx.state.designModeOn) {
        if (const auto page = m_ctx.browser.Document())
            page->execCommand(QStringLiteral("Copy"));
    } else if (QLineEdit *url = m_ctx.editUrl()) {
        url->copy();
    }
}

void DesignerFileEdit::Paste()
{
    if (m_ctx.state.designModeOn) {
        if (const auto page = m_ctx.browser.Document())
            page->execCommand(QStringLiteral("Paste"));
    } else if (QLineEdit *url = m_ctx.editUrl()) {
        url->paste();
    }
}

} // namespace korvel
