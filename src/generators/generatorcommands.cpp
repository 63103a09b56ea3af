#include "generators/generatorcommands.h"

#include "app/commandcontext.h"
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/editordocument.h"
#include "app/filecommands.h"
#include "editor/synmemo.h"
#include "generators/cssbuilder.h"
#include "generators/formcss.h"
#include "generators/formframes.h"
#include "generators/formiframe.h"
#include "generators/formimage.h"
#include "generators/formobject.h"
#include "generators/formsettings.h"

namespace korvel {

GeneratorCommands::GeneratorCommands(CommandContext &context, DesignerController &designer)
    : QObject(context.window()), m_ctx(context), m_designer(designer)
{
    QWidget *parent = context.window();
    Prompter &prompter = context.prompter();
    m_formCss = new TFormCss(prompter, parent);
    m_formSettings = new TFormSettings(prompter, parent);
    m_formImage = new TFormImage(prompter, parent);
    m_formFrames = new TFormFrames(prompter, parent);
    m_formIFrame = new TFormIFrame(prompter, parent);
    m_formObject = new TFormObject(parent);

    const auto help = [this](int topic) { m_ctx.showHelpContext(topic); };
    m_formCss->setHelpHandler(help);
    m_formSettings->setHelpHandler(help);
    m_formImage->setHelpHandler(help);
    m_formFrames->setHelpHandler(help);
    m_formIFrame->setHelpHandler(help);
    m_formObject->setHelpHandler(help);

    connectActions();
}

GeneratorCommands::~GeneratorCommands() = default;

void GeneratorCommands::connectActions()
{
    CommandRegistry &commands = m_ctx.commands();
    const auto triggers = [](std::initializer_list<const char *> names) {
        QStringList list;
        for (const char *name : names)
            list << QLatin1String(name);
        return list;
    };
    commands.add(cmd::InsertLink, triggers({"Link1", "ToolButtonLink"}))
        .onSource([this] { Link1Click(); })
        .onDesigner([this] { designerLink(); })
        .shortcut(QStringLiteral("Ctrl+Alt+L"));
    commands.add(cmd::InsertImage, triggers({"Image1", "ToolButtonImage"}))
        .onSource([this] { Image1Click(); })
        .onDesigner([this] { designerImage(); })
        .shortcut(QStringLiteral("Ctrl+Alt+M"));
    commands.add(cmd::StyleBlock, triggers({"Font2", "ToolButtonStyle"}))
        .onSource([this] { Font2Click(); })
        .onDesigner([this] { designerStyle(); })
        .shortcut(QStringLiteral("Ctrl+Alt+Y"));
    commands.add(cmd::InsertIFrame, triggers({"iFrame1"}))
        .onSource([this] { iFrame1Click(); })
        .onDesigner([this] { designerIFrame(); });
    // A new frameset page replaces the document, which belongs to the source view.
    commands.add(cmd::Frameset, triggers({"Frameset1"}))
        .onSource([this] { Frameset1Click(); })
        .onDesigner([this] { m_ctx.commands().requireSourcePage(MessageKind::Warning); });
    commands.add(cmd::InsertObject, triggers({"Object1"}))
        .onSource([this] { Object1Click(); })
        .onDesigner([this] { designerObject(); });
}

int GeneratorCommands::language()
{
    return m_ctx.state().UiLanguage;
}

void GeneratorCommands::replaceSelection(const QString &text)
{
    m_ctx.editor()->replaceSelection(text);
    m_ctx.StatusUpdate();
}

void GeneratorCommands::Link1Click()
{
    const std::optional<QString> link =
        runLinkDialog(*m_formSettings, m_ctx.prompter(), language(), m_ctx.editor()->selText());
    if (link)
        replaceSelection(*link);
}

void GeneratorCommands::Image1Click()
{
    SynMemo &editor = *m_ctx.editor();
    const QString selected = editor.selText();
    const std::optional<QString> image =
        runImageDialog(*m_formImage, m_ctx.prompter(), language(), m_ctx.document().FileName);
    if (image)
        replaceSelection(selected + *image);
}

void GeneratorCommands::Font2Click()
{
    const std::optional<QString> block = runCssDialog(*m_formCss, m_ctx.prompter(), language());
    if (!block)
        return;
    SynMemo &editor = *m_ctx.editor();
    const StyleBlockPlace place = placeStyleBlock(editor.text(), editor.selStart(), editor.selLength(), *block);
    editor.selectRange(int(place.start), int(place.length));
    replaceSelection(place.text);
}

void GeneratorCommands::iFrame1Click()
{
    const QString selected = m_ctx.editor()->selText();
    const std::optional<QString> frame =
        runIFrameDialog(*m_formIFrame, m_ctx.prompter(), language(), m_ctx.document().FileName);
    if (frame)
        replaceSelection(*frame + selected);
}

void GeneratorCommands::Frameset1Click()
{
    const std::optional<QString> page =
        runFramesetDialog(*m_formFrames, m_ctx.prompter(), language(), m_ctx.document().FileName);
    // The new document asks about unsaved changes first, as File New does; Cancel there keeps
    // the document as it is.
    if (page)
        m_ctx.fileCommands().FileNew(*page, true);
}

void GeneratorCommands::Object1Click()
{
    const std::optional<QString> object =
        runObjectDialog(*m_formObject, m_ctx.prompter(), language(), m_ctx.editor()->selText());
    if (object)
        replaceSelection(*object);
}

} // namespace korvel
