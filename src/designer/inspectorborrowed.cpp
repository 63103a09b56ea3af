// The inspector's kinds that use the dialogs of other commands (the table attributes, the link
// and the form dialog) and the selection list, whose options are elements of their own.
#include "designer/inspectorcommands.h"

#include "app/commandcontext.h"
#include "designer/engine.h"
#include "designer/inspectordialogs.h"
#include "designer/inspectorfields.h"
#include "generators/formsettings.h"
#include "generators/tformformular.h"
#include "prompt/prompter.h"
#include "tables/tformtable2.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace korvel {

namespace {

QString attributeText(const HtmlElement &element, const char *name, bool &ok)
{
    const auto value = element.getAttribute(QString::fromLatin1(name));
    ok = ok && value.has_value();
    return value.value_or(QString());
}

// The changes between what was shown and what OK left, as attribute writes; an emptied
// field removes its attribute.
QList<AttributeEdit> changedAttributes(const QList<std::pair<QString, QString>> &shown,
                                       const QList<QString> &edited)
{
    QList<AttributeEdit> edits;
    for (qsizetype i = 0; i < shown.size(); ++i) {
        if (edited.at(i) == shown.at(i).second)
            continue;
        const QString &v = edited.at(i);
        edits.append({shown.at(i).first, FieldAccess::Attribute,
                      v.trimmed().isEmpty() ? std::nullopt : std::optional<QString>(v)});
    }
    return edits;
}

} // namespace

void InspectorCommands::makeBorrowedDialogs(QWidget *parent)
{
    if (!m_form)
        m_form = new TFormFormular(parent);
    if (!m_link)
        m_link = new TFormSettings(m_ctx.prompter(), parent);
}

void InspectorCommands::inspectTable(const HtmlElement &element)
{
    bool ok = true;
    Table2Fields current;
    current.align = attributeText(element, "align", ok);
    current.width = attributeText(element, "width", ok);
    current.height = attributeText(element, "height", ok);
    current.border = attributeText(element, "border", ok);
    current.padding = attributeText(element, "cellpadding", ok);
    current.spacing = attributeText(element, "cellspacing", ok);
    current.bgColor = attributeText(element, "bgcolor", ok);
    if (!ok) {
        fail();
        return;
    }
    const auto edited = runTable2Dialog(*m_table, m_ctx.prompter(), language(), current);
    if (!edited)
        return;
    const QList<TableAttributeChange> before = TableAttributeChanges(current);
    const QList<TableAttributeChange> after = TableAttributeChanges(*edited);
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (i < before.size() && before.at(i) == after.at(i))
            continue;
        if (!writeAttribute(element, after.at(i).attribute, after.at(i).value)) {
            fail();
            return;
        }
    }
}

void InspectorCommands::inspectLink(const HtmlElement &element)
{
    bool ok = true;
    const QString href = attributeText(element, "href", ok);
    const QString name = attributeText(element, "name", ok);
    const QString target = attributeText(element, "target", ok);
    const QString title = attributeText(element, "title", ok);
    if (!ok) {
        fail();
        return;
    }
    TFormSettings &d = *m_link;
    auto *label2 = d.findChild<QLabel *>(QStringLiteral("Label2"));
    d.PresetKind = LinkKind(linkKindOfAddress(href));
    d.UiLanguage = language();
    d.EditName->clear();
    d.FormShow();
    // The dialog's own start presets a target; the link's own values are shown instead.
    d.EditName->setText(href);
    d.EditColor->setText(name);
    d.EditMyTitle->setText(title);
    const int at = d.ComboBox1->findText(target);
    d.ComboBox1->setCurrentIndex(at);
    if (at < 0)
        d.ComboBox1->setEditText(target);
    const QList<std::pair<QString, QString>> shown = {
        {QStringLiteral("href"), href}, {QStringLiteral("name"), name}, {QStringLiteral("target"), d.ComboBox1->currentText()},
        {QStringLiteral("title"), title}};
    if (label2)
        label2->setText(QStringLiteral("Name"));
    d.EditsExistingLink = true;
    const int result = m_ctx.prompter().execDialog(d);
    d.EditsExistingLink = false;
    if (label2)
        label2->setText(QStringLiteral("Description"));
    if (result != QDialog::Accepted)
        return;
    const LinkFields f = d.acceptedFields();
    QString address = f.address;
    if (f.kind == LinkKind::Mail && !address.trimmed().isEmpty()
        && !address.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        address.prepend(QStringLiteral("mailto:"));
    if (f.kind == LinkKind::Anchor && !address.trimmed().isEmpty() && !address.startsWith(QLatin1Char('#')))
        address.prepend(QLatin1Char('#'));
    for (const AttributeEdit &edit : changedAttributes(shown, {address, f.description, f.target, f.title})) {
        if (!writeAttribute(element, edit.name, edit.value)) {
            fail();
            return;
        }
    }
}

void InspectorCommands::inspectForm(const HtmlElement &element)
{
    // The form's attributes, not its members: a field named "action" would hide the member.
    bool ok = true;
    FormFields current = m_form->fields();
    current.name = attributeText(element, "name", ok);
    current.action = attributeText(element, "action", ok);
    current.method = attributeText(element, "method", ok);
    current.encType = attributeText(element, "enctype", ok);
    if (!ok) {
        fail();
        return;
    }
    m_form->UiLanguage = language();
    m_form->FormShow();
    m_form->setFields(current);
    const FormFields before = m_form->fields();
    m_form->setInsertionControlsShown(false);
    const int result = m_ctx.prompter().execDialog(*m_form);
    m_form->setInsertionControlsShown(true);
    if (result != QDialog::Accepted)
        return;
    const FormFields after = m_form->fields();
    const QList<std::pair<QString, QString>> shown = {{QStringLiteral("name"), before.name},
                                                      {QStringLiteral("action"), before.action},
                                                      {QStringLiteral("method"), before.method},
                                                      {QStringLiteral("enctype"), before.encType}};
    for (const AttributeEdit &edit : changedAttributes(shown, {after.name, after.action, after.method, after.encType})) {
        if (!writeAttribute(element, edit.name, edit.value)) {
            fail();
            return;
        }
    }
}

void InspectorCommands::inspectSelect(const HtmlElement &element)
{
    const QList<FieldBinding> bindings = fieldBindings(InspectKind::Select);
    m_inp->prepare(QStringLiteral("<SELECT>"), QStringLiteral("Size"), QStringLiteral("MaxLength"), QStringLiteral("Width"));
    bool ok = true;
    for (const FieldBinding &b : bindings) {
        const QString value = attributeText(element, b.name.toLatin1().constData(), ok);
        m_inp->setFieldText(b.field, b.access == FieldAccess::Shown && value.isNull()
                                         ? element.property(b.name).value_or(QVariant()).toString() : value);
    }
    const ElementCollection options = element.collection(QStringLiteral("options"));
    const int count = options.length().value_or(-1);
    QList<HtmlElement> items;
    QStringList texts;
    QStringList values;
    for (int i = 0; i < count; ++i) {
        const auto option = options.item(i);
        const auto text = option ? option->property(QStringLiteral("text")) : std::nullopt;
        const auto value = option ? option->property(QStringLiteral("value")) : std::nullopt;
        if (!text || !value) {
            ok = false;
            break;
        }
        items.append(*option);
        texts.append(text->toString());
        values.append(value->toString());
    }
    const auto chosen = element.property(QStringLiteral("value"));
    if (!ok || count < 0 || !chosen) {
        fail();
        return;
    }
    m_inp->setFieldText(QStringLiteral("Edit5"), chosen->toString());
    m_inp->setOptions(texts);
    m_inp->ListBox1->setEnabled(true);
    for (const char *name : {"Edit3", "Edit4"})
        m_inp->findChild<QLineEdit *>(QString::fromLatin1(name))->setEnabled(false);

    QStringList fields;
    for (const FieldBinding &b : bindings)
        fields.append(b.field);
    const QHash<QString, QString> shown = m_inp->fieldTexts(fields);
    const QString shownValue = m_inp->fieldText(QStringLiteral("Edit5"));
    m_inp->UiLanguage = language();
    m_inp->FormShow();
    if (m_ctx.prompter().execDialog(*m_inp) != QDialog::Accepted)
        return;

    // Everything is checked before the first write: the numbers, the list against the options
    // and the chosen value against the options' values.
    const auto edits = planEdits(bindings, shown, m_inp->fieldTexts(fields));
    const QStringList edited = m_inp->options();
    const QString value = m_inp->fieldText(QStringLiteral("Edit5"));
    const bool valueChanged = value != shownValue;
    if (!edits || edited.size() != texts.size() || (valueChanged && !values.contains(value))) {
        fail();
        return;
    }
    for (const AttributeEdit &edit : *edits) {
        if (!writeAttribute(element, edit.name, edit.value)) {
            fail();
            return;
        }
    }
    for (qsizetype i = 0; i < items.size(); ++i) {
        bool written = true;
        if (edited.at(i) != texts.at(i))
            written = items.at(i).setProperty(QStringLiteral("text"), edited.at(i));
        // The chosen option is the one the page starts with: its selected attribute.
        if (written && valueChanged)
            written = writeAttribute(items.at(i), QStringLiteral("selected"),
                                     values.at(i) == value && values.indexOf(value) == i ? std::optional<QString>(QString()) : std::nullopt);
        if (!written) {
            fail();
            return;
        }
    }
}

} // namespace korvel
