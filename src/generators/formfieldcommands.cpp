#include "generators/formfieldcommands.h"

#include "app/commandcontext.h"
#include "app/commandids.h"
#include "generators/pageids.h"
#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "generators/formcommands.h"
#include "generators/tformformular.h"
#include "generators/tforminput.h"

namespace korvel {

namespace {

struct FieldCommand {
    const char *id;
    std::initializer_list<const char *> triggers;
    FieldButton button;
};

// The menu item and the tool button of a field share one command; the input menu item and the
// four input buttons each have their own, since each presets another type.
const FieldCommand kFieldCommands[] = {
    {cmd::FormInputBox, {"Inputbox1"}, FieldButton::InputboxMenu},
    {cmd::FormInputText, {"ToolButtonInput"}, FieldButton::Input},
    {cmd::FormPassword, {"ToolButtonPassword"}, FieldButton::Password},
    {cmd::FormUpload, {"ToolButtonUpload"}, FieldButton::Upload},
    {cmd::FormHidden, {"ToolButtonHidden"}, FieldButton::Hidden},
    {cmd::FormButton, {"Button1", "ToolButtonButton"}, FieldButton::Button},
    {cmd::FormRadio, {"Radiobutton1", "ToolButtonRadio"}, FieldButton::Radio},
    {cmd::FormCheckBox, {"CheckBox1", "ToolButtonCheck"}, FieldButton::Check},
    {cmd::FormTextarea, {"Textarea1", "ToolButtonArea"}, FieldButton::Area},
    {cmd::FormSelectBox, {"Selectbox1", "ToolButtonList"}, FieldButton::List},
    {cmd::FormDropDown, {"Dropdownlist1", "ToolButtonDropdown"}, FieldButton::Dropdown},
};

QStringList triggerNames(std::initializer_list<const char *> names)
{
    QStringList out;
    for (const char *name : names)
        out << QLatin1String(name);
    return out;
}

// Every id the page's elements carry, from one serialization of the page: asking each element
// would take two engine calls per element.
QStringList IdsOnPage(const HtmlDocument &page)
{
    const std::optional<QString> html = page.serializedPage();
    return html ? idsInSerializedPage(*html) : QStringList();
}

} // namespace

FormFieldCommands::FormFieldCommands(CommandContext &context, DesignerController &designer, QObject *parent)
    : QObject(parent)
    , m_ctx(context)
    , m_designer(designer)
{
    setObjectName(QStringLiteral("FormFieldCommands"));
    // Children of the window, so that they open centred on it.
    m_formular = new TFormFormular(context.window());
    m_input = new TFormInput(context.prompter(), context.window());
    const auto help = [this](int helpContext) { m_ctx.showHelpContext(helpContext); };
    m_formular->setHelpHandler(help);
    m_input->setHelpHandler(help);
    connectActions();
}

FormFieldCommands::~FormFieldCommands()
{
    // The window may outlive this controller; its dialogs go with it.
    delete m_formular.data();
    delete m_input.data();
}

TFormFormular &FormFieldCommands::formDialog()
{
    return *m_formular;
}

TFormInput &FormFieldCommands::fieldDialog()
{
    return *m_input;
}

void FormFieldCommands::connectActions()
{
    CommandRegistry &commands = m_ctx.commands();
    commands.add(cmd::FormInsert, triggerNames({"Form1", "ToolButtonForm"}))
        .onSource([this] { formOnSource(); })
        .onDesigner([this] { formOnDesigner(); });
    for (const FieldCommand &command : kFieldCommands) {
        const FieldButton button = command.button;
        commands.add(command.id, triggerNames(command.triggers))
            .onSource([this, button] { fieldOnSource(button); })
            .onDesigner([this, button] { fieldOnDesigner(button); });
    }
}

void FormFieldCommands::formOnSource()
{
    SynMemo &editor = *m_ctx.editor();
    const std::optional<QString> text =
        runFormDialog(*m_formular, m_ctx.prompter(), m_ctx.state().UiLanguage, editor.selText());
    if (text)
        editor.replaceSelection(*text);
}

void FormFieldCommands::formOnDesigner()
{
    // Asked before the dialog, so that nothing typed into it is lost.
    if (!m_ctx.commands().requireDesignMode())
        return;
    const std::optional<QString> html =
        runFormDialog(*m_formular, m_ctx.prompter(), m_ctx.state().UiLanguage, QString());
    if (html)
        m_designer.context().PasteHtmlAtSelection(*html);
}

void FormFieldCommands::fieldOnSource(FieldButton button)
{
    SynMemo &editor = *m_ctx.editor();
    const std::optional<QString> text =
        runFieldCommand(*m_input, m_ctx.prompter(), m_ctx.state().UiLanguage, button, editor.selText());
    if (text)
        editor.replaceSelection(*text);
}

void FormFieldCommands::fieldOnDesigner(FieldButton button)
{
    noteDesignerFieldCommand(*m_input, button);
    const std::optional<DesignerFieldCommand> command = designerCommandFor(button);
    if (!command)
        return;  // the input menu item has no field of its own here
    if (!m_ctx.commands().requireDesignMode())
        return;
    const std::optional<HtmlDocument> page = m_designer.browser().Document();
    if (!page)
        return;
    // Reading every element's id costs a call per element; only the fields with an id need it.
    const QStringList ids = command->fixedId.isEmpty() ? QStringList() : IdsOnPage(*page);
    const std::optional<DesignerInsertion> insertion = designerInsertionFor(button, ids);
    if (!insertion || insertion->html.isEmpty())
        return;
    // The field goes in front of what is selected, as in the source view: the engine's insertion
    // would replace the selection, and the hidden field's could not give it back on Undo. A
    // selected object (a picture, a table) gets the field in front of it.
    if (const std::optional<TextRange> range = page->selection().createTextRange(); range && range->collapse(true))
        range->select();
    // The fields go in as the engine inserts typed HTML, which it can undo. That insertion drops
    // fields that are not shown, so the hidden field goes in by its own command, which puts it
    // into the page directly and leaves the caret behind it for the next field.
    if (button == FieldButton::Hidden)
        page->execCommand(insertion->identifier, false, insertion->id);
    else
        page->execCommand(QStringLiteral("insertHTML"), false, insertion->html);
}

} // namespace korvel
