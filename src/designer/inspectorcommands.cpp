#include "designer/inspectorcommands.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/inspectordialogs.h"
#include "designer/inspectorfields.h"
#include "designer/tformselect.h"
#include "designer/webenginebrowser.h"
#include "prompt/prompter.h"
#include "source/formatrules.h"
#include "tables/elementactions.h"
#include "tables/tformtable2.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

namespace korvel {

namespace {

constexpr int kMostCandidates = 5;

QStringList fieldsOf(const QList<FieldBinding> &bindings)
{
    QStringList fields;
    for (const FieldBinding &b : bindings)
        fields.append(b.field);
    return fields;
}

// The middle fields of TFormPropInp in use for a tag; the others are locked.
void lockUnused(TFormPropInp &dialog, const QStringList &used)
{
    for (const char *name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5"}) {
        const QString field = QString::fromLatin1(name);
        if (auto *edit = dialog.findChild<QLineEdit *>(field))
            edit->setEnabled(used.contains(field));
    }
    dialog.ListBox1->setEnabled(false);
}

} // namespace

InspectorCommands::InspectorCommands(CommandContext &context, DesignerController &designer,
                                     ElementActions &actions, TFormSettings *linkDialog,
                                     TFormFormular *formDialog)
    : m_ctx(context), m_designer(designer), m_actions(actions), m_form(formDialog), m_link(linkDialog)
{
    QWidget *parent = context.window();
    Prompter &prompter = context.prompter();
    m_select = new TFormSelect(parent);
    m_property = new TFormProperty(prompter, parent);
    m_td = new TFormTD(prompter, parent);
    m_div = new TFormDIV(prompter, parent);
    m_img = new TFormImgInfo(prompter, parent);
    m_inp = new TFormPropInp(prompter, parent);
    m_font = new TFormPropFont(prompter, parent);
    m_frame = new TFormFInfo(prompter, parent);
    m_table = new TFormTable2(prompter, parent);
    makeBorrowedDialogs(parent);
    const auto help = [this](int topic) { m_ctx.showHelpContext(topic); };
    m_select->setHelpHandler(help);
    for (InspectorDialog *d : std::initializer_list<InspectorDialog *>{m_property, m_td, m_div, m_img, m_inp, m_font, m_frame})
        d->setHelpHandler(help);
    m_table->setHelpHandler(help);

    m_actions.setHandler(ElementAction::Properties, [this](const HtmlElement &e) {
        DescribeElement(e);
        InspectElement(e);
    });
    m_ctx.commands()
        .add(cmd::ElementProperties, {QStringLiteral("ToolButtonProperty"), QStringLiteral("Showproperties1")})
        .handle([this] { ToolButtonPropertyClick(); });
}

InspectorCommands::~InspectorCommands()
{
    m_actions.setHandler(ElementAction::Properties, nullptr);
}

int InspectorCommands::language() const
{
    return m_ctx.state().UiLanguage;
}

void InspectorCommands::fail()
{
    m_ctx.prompter().warning(m_ctx.line(Msg::ElementPropertiesError));
}

void InspectorCommands::ToolButtonPropertyClick()
{
    CommandRegistry &commands = m_ctx.commands();
    if (!commands.requireDesignerPage())
        return;
    if (!m_designer.context().documentLoaded())
        return;
    // Without design mode the next pull of the page would drop what OK writes.
    if (!commands.requireDesignMode())
        return;
    m_actions.ApplyElementAction(ElementAction::Properties, QStringLiteral("TABLE"));
}

void InspectorCommands::DescribeElement(const HtmlElement &element)
{
    ElementTagText = FirstTag(element.outerHTML().value_or(QString()));
    const auto parent = element.parentElement();
    const auto parentHtml = parent ? parent->outerHTML() : std::nullopt;
    ParentTagText = parentHtml ? FirstTag(*parentHtml) : QStringLiteral("Not available");
}

QList<HtmlElement> InspectorCommands::candidates(const HtmlElement &element, QStringList &items)
{
    const QString stop = stopTagOf(m_designer.state().KeptElementHtml);
    QList<HtmlElement> found;
    HtmlElement current = element;
    for (;;) {
        const QString tag = current.tagName().value_or(QString());
        found.append(current);
        items.append(QLatin1Char('<') + tag + QLatin1Char('>'));
        if (tag == stop || found.size() == kMostCandidates)
            break;
        const auto parent = current.parentElement();
        if (!parent || parent->tagName().value_or(QStringLiteral("HTML")) == QLatin1String("HTML"))
            break;
        current = *parent;
    }
    return found;
}

void InspectorCommands::InspectElement(const HtmlElement &element)
{
    const auto tag = element.tagName();
    if (!tag) {
        fail();
        return;
    }
    if (*tag == QLatin1String("BODY")) {
        m_ctx.commands().run(cmd::PageProperties);
        return;
    }
    QStringList items;
    const QList<HtmlElement> found = candidates(element, items);
    m_select->setItems(items);
    m_select->UiLanguage = language();
    const int choice = m_select->execute(m_ctx.prompter());
    if (choice < 0 || choice >= found.size())
        return;
    const HtmlElement chosen = found.at(choice);
    const InspectKind kind = inspectKindFor(chosen.tagName().value_or(QString()));
    switch (kind) {
    case InspectKind::Table: inspectTable(chosen); return;
    case InspectKind::Link: inspectLink(chosen); return;
    case InspectKind::Form: inspectForm(chosen); return;
    case InspectKind::Select: inspectSelect(chosen); return;
    case InspectKind::Cell: m_td->clearFields(); inspectWith(*m_td, chosen, fieldBindings(kind)); return;
    case InspectKind::Block:
        m_div->clearFields();
        m_div->TagName->setText(QLatin1Char('<') + chosen.tagName().value_or(QString()) + QLatin1Char('>'));
        inspectWith(*m_div, chosen, fieldBindings(kind));
        return;
    case InspectKind::Image: m_img->clearFields(); inspectWith(*m_img, chosen, fieldBindings(kind)); return;
    case InspectKind::Font: m_font->clearFields(); inspectWith(*m_font, chosen, fieldBindings(kind)); return;
    case InspectKind::Input:
    case InspectKind::Button:
    case InspectKind::TextArea: {
        const QList<FieldBinding> bindings = fieldBindings(kind);
        if (kind == InspectKind::Input)
            m_inp->prepare(QStringLiteral("<INPUT>"), QStringLiteral("Size"), QStringLiteral("MaxLength"), QStringLiteral("Width"));
        else if (kind == InspectKind::Button)
            m_inp->prepare(QStringLiteral("<BUTTON>"), QStringLiteral("Status"), QStringLiteral("MaxLength"), QStringLiteral("Width"));
        else
            m_inp->prepare(QStringLiteral("<TEXTAREA>"), QStringLiteral("Cols"), QStringLiteral("Rows"), QStringLiteral("Wrap"));
        lockUnused(*m_inp, fieldsOf(bindings));
        inspectWith(*m_inp, chosen, bindings);
        return;
    }
    case InspectKind::Frame:
    case InspectKind::IFrame:
    case InspectKind::Frameset:
        m_frame->prepare(kind == InspectKind::Frame ? TFormFInfo::Mode::Frame
                         : kind == InspectKind::IFrame ? TFormFInfo::Mode::IFrame : TFormFInfo::Mode::Frameset);
        inspectWith(*m_frame, chosen, fieldBindings(kind));
        return;
    case InspectKind::Body:
    case InspectKind::Other:
        inspectOther(chosen);
        return;
    }
}

bool InspectorCommands::writeAttribute(const HtmlElement &element, const QString &name,
                                       const std::optional<QString> &value)
{
    return value ? element.setAttribute(name, *value) : element.removeAttribute(name);
}

void InspectorCommands::inspectWith(InspectorDialog &dialog, const HtmlElement &element,
                                    const QList<FieldBinding> &bindings)
{
    for (const FieldBinding &b : bindings) {
        std::optional<QString> value;
        if (b.access == FieldAccess::Member) {
            const auto member = element.property(b.name);
            value = member ? std::optional<QString>(member->toString()) : std::nullopt;
        } else {
            value = element.getAttribute(b.name);
        }
        if (!value) {
            fail();
            return;
        }
        if (b.access == FieldAccess::Flag)
            dialog.setFieldText(b.field, value->isNull() ? QStringLiteral("False") : QStringLiteral("True"));
        else if (value->isNull() && b.access == FieldAccess::Shown)
            dialog.setFieldText(b.field, element.property(b.name).value_or(QVariant()).toString());
        else
            dialog.setFieldText(b.field, value->isNull() ? b.absent : *value);
    }
    const QStringList fields = fieldsOf(bindings);
    const QHash<QString, QString> shown = dialog.fieldTexts(fields);
    dialog.UiLanguage = language();
    dialog.FormShow();
    if (m_ctx.prompter().execDialog(dialog) != QDialog::Accepted)
        return;
    const auto edits = planEdits(bindings, shown, dialog.fieldTexts(fields));
    if (!edits) {
        fail();
        return;
    }
    for (const AttributeEdit &edit : *edits) {
        const bool written = edit.access == FieldAccess::Member ? element.setProperty(edit.name, edit.value.value_or(QString()))
                                                                : writeAttribute(element, edit.name, edit.value);
        if (!written) {
            fail();
            return;
        }
    }
}

void InspectorCommands::inspectOther(const HtmlElement &element)
{
    DescribeElement(element);
    m_property->clearFields();
    m_property->Edit1->setText(ElementTagText);
    m_property->Edit2->setText(ParentTagText);
    m_property->UiLanguage = language();
    m_property->FormShow();
    m_ctx.prompter().execDialog(*m_property);
}

} // namespace korvel
