#include "designer/designercontext.h"

#include "app/documentfile.h"
#include "app/editordocument.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "source/texthelpers.h"

#include <QFileInfo>
#include <QLineEdit>

namespace korvel {

bool SameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QString x = QFileInfo(a).canonicalFilePath(), y = QFileInfo(b).canonicalFilePath();
    return !x.isEmpty() && x == y;
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

bool DesignerContext::writeEditorTextTo(const QString &path)
{
    return saveDocumentFile(path, shell.editor()->lines(), shell.document().format);
}

} // namespace korvel
