#include "designer/designercontext.h"

#include "app/documentfile.h"
#include "app/editordocument.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"

#include <QFileInfo>

#include <algorithm>
#include <QLineEdit>

namespace korvel {

bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString x = QFileInfo(a).canonicalFilePath(), y = QFileInfo(b).canonicalFilePath();
    return !x.isEmpty() && x == y;
}

int DesignerCallTimeout(qsizetype sourceLength)
{
    // 5 s, and 10 s more for each million characters, up to five minutes: on a busy machine
    // the engine takes several seconds to lay out a page of a million characters.
    const qint64 limit = 5000 + qint64(sourceLength) / 100;
    return int(std::min<qint64>(limit, 300000));
}

bool DesignerContext::documentLoaded() const
{
    return browser.hasDocument();
}

bool DesignerContext::onlineLocation() const
{
    return IsOnlineLocation(browser.LocationURL());
}

QLineEdit *DesignerContext::editUrl() const
{
    return shell.window()->findChild<QLineEdit *>(QStringLiteral("EditUrl"));
}

void DesignerContext::ExecEditingCommand(int command, const QVariant &value)
{
    if (!documentLoaded() || !shell.state().DesignModeAvailable)
        return;
    browser.waitUntilReady();
    if (const auto page = browser.Document())
        page->Exec(command, value);
}

void DesignerContext::PasteHtmlAtSelection(const QString &html)
{
    if (!documentLoaded())
        return;
    const auto page = browser.Document();
    if (!page)
        return;
    const Selection selection = page->selection();
    const auto type = selection.type();
    if (type && *type != QLatin1String("Text") && *type != QLatin1String("None"))
        return;
    // The range is collapsed by the engine itself: a point in pixels would land elsewhere on a
    // scrolled or zoomed page.
    const auto range = type ? selection.createTextRange() : std::nullopt;
    if (!range || !range->collapse(true) || !range->pasteHTML(html))
        prompter().error(line(Msg::PasteSelectionError));
}

bool DesignerContext::writeEditorTextTo(const QString &path)
{
    if (!saveDocumentFile(path, shell.editor()->lines(), shell.document().format))
        return false;
    // The editor's own write is no change by another program.
    if (SameFile(path, shell.document().FileName))
        shell.document().diskStamp = stampOf(shell.document().FileName);
    return true;
}

} // namespace korvel
