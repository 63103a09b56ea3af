#include "designer/pagepropertiescommands.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/inspectorfields.h"
#include "designer/tfrmpageprop.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "prompt/prompter.h"
#include "source/texthelpers.h"

#include <QFileInfo>
#include <QUrl>
#include <QWidget>

namespace korvel {

namespace {

constexpr int kNotWithFramesets = 52;

FieldBinding bodyAttribute(const char *name, const char *field)
{
    return {QString::fromLatin1(name), QString::fromLatin1(field), FieldAccess::Attribute, {}, {}};
}

// The body attributes behind the fields; the old model's document colours are these too.
QList<FieldBinding> bodyBindings()
{
    return {bodyAttribute("bgcolor", "cmbBackColor"), bodyAttribute("alink", "cmbALinkColor"),
            bodyAttribute("vlink", "cmbVLinkColor"),  bodyAttribute("link", "cmbLinkColor"),
            bodyAttribute("background", "bgImage"),   bodyAttribute("leftmargin", "EditLeft"),
            bodyAttribute("topmargin", "EditTop"),    bodyAttribute("rightmargin", "EditRight"),
            bodyAttribute("bottommargin", "EditBottom")};
}

// The page's style sheets without the designer's own (whose elements are not the page's).
std::optional<int> pageSheetCount(const HtmlDocument &page)
{
    const auto count = page.styleSheetCount();
    if (!count)
        return std::nullopt;
    int own = 0;
    for (int i = 0; i < *count; ++i) {
        const auto sheet = page.styleSheet(i);
        const auto owner = sheet ? sheet->owningElement() : std::nullopt;
        if (owner && owner->sourceIndex().value_or(-1) >= 0)
            ++own;
    }
    return own;
}

} // namespace

PagePropertiesCommands::PagePropertiesCommands(CommandContext &context, DesignerController &designer)
    : m_ctx(context), m_designer(designer)
{
    m_dialog = new TfrmPageProp(context.prompter(), context.window());
    m_dialog->setHelpHandler([this](int topic) { m_ctx.showHelpContext(topic); });
    m_ctx.commands().add(cmd::PageProperties, {QStringLiteral("ToolButton20")}).handle([this] { ToolButton20Click(); });
}

void PagePropertiesCommands::ToolButton20Click()
{
    Prompter &prompter = m_ctx.prompter();
    if (m_ctx.onPage(Page::Designer) && !m_designer.context().documentLoaded())
        return;
    // Without design mode the next pull of the page would drop what OK writes.
    if (!m_ctx.onPage(Page::Designer) || !m_designer.designModeChecked()) {
        prompter.information(m_ctx.line(Msg::EnableDesignMode));
        return;
    }
    if (IsFramesetDocument(m_ctx.editor()->text())) {
        prompter.information(m_ctx.line(kNotWithFramesets));
        m_ctx.commands().run(cmd::ElementProperties);
        return;
    }
    const auto page = m_designer.browser().Document();
    const auto body = page ? page->body() : std::nullopt;
    const auto title = page ? page->title() : std::nullopt;
    if (!body || !title)
        return;

    TfrmPageProp &d = *m_dialog;
    d.clearFields();
    d.setFieldText(QStringLiteral("edTitle"), *title);
    const QList<FieldBinding> bindings = bodyBindings();
    for (const FieldBinding &b : bindings) {
        const auto value = body->getAttribute(b.name);
        if (!value)
            return;
        d.setFieldText(b.field, *value);
    }
    const QStringList counted = {QStringLiteral("links"), QStringLiteral("images"), QStringLiteral("scripts"),
                                 QStringLiteral("forms"), QStringLiteral("frames")};
    const QStringList countFields = TfrmPageProp::countFields();
    for (qsizetype i = 0; i < counted.size(); ++i) {
        const auto n = page->collection(counted.at(i)).length();
        if (!n)
            return;
        d.setFieldText(countFields.at(i), QString::number(*n));
    }
    const auto sheets = pageSheetCount(*page);
    if (!sheets)
        return;
    d.setFieldText(countFields.last(), QString::number(*sheets));

    QStringList fields;
    for (const FieldBinding &b : bindings)
        fields.append(b.field);
    const QHash<QString, QString> shown = d.fieldTexts(fields);
    const QString shownTitle = d.fieldText(QStringLiteral("edTitle"));
    const QString file = m_designer.browser().LocationURL();
    d.DocumentFolder = file.startsWith(QLatin1String("file:")) ? QFileInfo(QUrl(file).toLocalFile()).absolutePath() : QString();
    d.UiLanguage = m_ctx.state().UiLanguage;
    d.FormShow();
    if (prompter.execDialog(d) != QDialog::Accepted)
        return;

    const QString newTitle = d.fieldText(QStringLiteral("edTitle"));
    if (newTitle != shownTitle && !page->setTitle(newTitle))
        return;
    m_ctx.window()->setWindowTitle(QStringLiteral("Korvel [") + page->title().value_or(newTitle) + QLatin1Char(']'));
    const auto edits = planEdits(bindings, shown, d.fieldTexts(fields));
    for (const AttributeEdit &edit : edits.value_or(QList<AttributeEdit>())) {
        // An emptied background field leaves the page's background picture as it is.
        if (edit.name == QLatin1String("background") && !edit.value)
            continue;
        if (!(edit.value ? body->setAttribute(edit.name, *edit.value) : body->removeAttribute(edit.name)))
            return;
    }
}

} // namespace korvel
