// The designer side of the generator commands: each writes to the page shown, in design mode.
#include "generators/generatorcommands.h"

#include "app/commandcontext.h"
#include "app/commandregistry.h"
#include "app/editordocument.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "generators/formcss.h"
#include "generators/formobject.h"
#include "generators/htmlescape.h"
#include "generators/iframemarkup.h"
#include "generators/pageids.h"
#include "prompt/prompter.h"

#include <QFileInfo>
#include <QUrl>

namespace korvel {

namespace {

// The tool buttons' hints, which also name the designer's own small questions.
constexpr int kCreateLinkLine = 96;
constexpr int kInsertImageLine = 97;

// The pictures the image dialog offers, in the same order.
constexpr char kImageFilter[] =
    "all(*.gif,*.jpg,*.bmp,*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|JPG|*.jpg;*.jpeg|GIF|*.gif|PNG|*.png";

// What a link address starts with when nothing was typed yet.
const QString kAddressStart = QStringLiteral("http://");

QString addressPrompt(int language)
{
    return language == 0 ? QStringLiteral("Adresse (URL) des Links:") : QStringLiteral("Address (URL) of the link:");
}

} // namespace

bool GeneratorCommands::designModeOn()
{
    return m_ctx.commands().requireDesignMode();
}

void GeneratorCommands::designerLink()
{
    if (!designModeOn())
        return;
    const std::optional<QString> answer =
        m_ctx.prompter().input(m_ctx.line(kCreateLinkLine), addressPrompt(language()), kAddressStart);
    // An untouched start is no address either.
    const QString address = answer ? answer->trimmed() : QString();
    if (address.isEmpty() || address == kAddressStart)
        return;
    if (const auto page = m_designer.browser().Document())
        page->execCommand(QStringLiteral("CreateLink"), false, address);
}

void GeneratorCommands::designerImage()
{
    if (!designModeOn())
        return;
    // The picture's address is written relative to the page shown, against which the engine
    // resolves it; a page that is no local file falls back to the document's file.
    const QUrl shown(m_designer.browser().LocationURL());
    const QString pageFile = shown.isLocalFile() ? shown.toLocalFile() : m_ctx.document().FileName;
    FileRequest request;
    request.caption = m_ctx.line(kInsertImageLine);
    request.filter = QLatin1String(kImageFilter);
    if (QFileInfo(pageFile).isAbsolute())
        request.folder = QFileInfo(pageFile).absolutePath();
    const QString chosen = m_ctx.prompter().openFileName(request);
    if (chosen.isEmpty())
        return;
    if (const auto page = m_designer.browser().Document())
        page->execCommand(QStringLiteral("InsertImage"), false, documentRelativePath(pageFile, chosen));
}

void GeneratorCommands::designerStyle()
{
    if (!designModeOn())
        return;
    const std::optional<QString> block = runCssDialog(*m_formCss, m_ctx.prompter(), language());
    if (!block)
        return;
    // In the head, on lines of its own, as the source view puts it in front of "</head>".
    if (const auto page = m_designer.browser().Document())
        page->appendToHead(QStringLiteral("\r\n") + *block + QStringLiteral("\r\n"));
}

void GeneratorCommands::designerIFrame()
{
    if (!designModeOn())
        return;
    const auto page = m_designer.browser().Document();
    if (!page)
        return;
    // Each frame gets an id of its own: the first of MyFrame, MyFrame2, ... not on the page.
    const QStringList ids = idsInSerializedPage(page->serializedPage().value_or(QString()));
    page->execCommand(QStringLiteral("InsertIFrame"), false, nextFrameId(ids));
}

void GeneratorCommands::designerObject()
{
    if (!designModeOn())
        return;
    const std::optional<QString> object = runObjectDialog(*m_formObject, m_ctx.prompter(), language(), QString());
    if (object)
        m_designer.context().PasteHtmlAtSelection(*object);
}

} // namespace korvel
