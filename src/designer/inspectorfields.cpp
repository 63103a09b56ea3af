#include "designer/inspectorfields.h"

namespace korvel {

namespace {

FieldBinding attr(const char *name, const char *field)
{
    return {QString::fromLatin1(name), QString::fromLatin1(field), FieldAccess::Attribute, {}, {}};
}

FieldBinding number(const char *name, const char *field, int minimum = 0)
{
    FieldBinding b = attr(name, field);
    b.rule = {true, false, minimum, 0x7fffffff};
    return b;
}

FieldBinding shownOnly(const char *name, const char *field)
{
    FieldBinding b = attr(name, field);
    b.access = FieldAccess::Shown;
    return b;
}

// The span of a cell always holds a number; an absent one counts as 1, as the table does.
FieldBinding span(const char *name, const char *field, int minimum, int maximum)
{
    FieldBinding b = attr(name, field);
    b.rule = {true, true, minimum, maximum};
    b.absent = QStringLiteral("1");
    return b;
}

std::optional<QString> wholeNumber(const QString &text, const IntegerRule &rule)
{
    const QString t = text.trimmed();
    if (t.isEmpty() || t.size() > 10)
        return std::nullopt;
    for (const QChar c : t) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
    }
    const qlonglong n = t.toLongLong();
    if (n < rule.minimum || n > rule.maximum)
        return std::nullopt;
    return QString::number(n);
}

} // namespace

InspectKind inspectKindFor(const QString &tagName)
{
    static const QHash<QString, InspectKind> kinds = {
        {QStringLiteral("BODY"), InspectKind::Body},       {QStringLiteral("TABLE"), InspectKind::Table},
        {QStringLiteral("TD"), InspectKind::Cell},         {QStringLiteral("DIV"), InspectKind::Block},
        {QStringLiteral("P"), InspectKind::Block},         {QStringLiteral("SPAN"), InspectKind::Block},
        {QStringLiteral("IMG"), InspectKind::Image},       {QStringLiteral("INPUT"), InspectKind::Input},
        {QStringLiteral("BUTTON"), InspectKind::Button},   {QStringLiteral("TEXTAREA"), InspectKind::TextArea},
        {QStringLiteral("SELECT"), InspectKind::Select},   {QStringLiteral("FONT"), InspectKind::Font},
        {QStringLiteral("A"), InspectKind::Link},          {QStringLiteral("FORM"), InspectKind::Form},
        {QStringLiteral("FRAME"), InspectKind::Frame},     {QStringLiteral("IFRAME"), InspectKind::IFrame},
        {QStringLiteral("FRAMESET"), InspectKind::Frameset},
    };
    return kinds.value(tagName.toUpper(), InspectKind::Other);
}

QString stopTagOf(const QString &keptElementHtml)
{
    const qsizetype open = keptElementHtml.indexOf(QLatin1Char('<'));
    QString name;
    if (open >= 0) {
        for (qsizetype i = open + 1; i < keptElementHtml.size(); ++i) {
            const QChar c = keptElementHtml.at(i);
            if (c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('/'))
                break;
            name += c;
        }
    }
    name = name.trimmed().toUpper();
    return name.isEmpty() ? QStringLiteral("TABLE") : name;
}

QList<FieldBinding> fieldBindings(InspectKind kind)
{
    switch (kind) {
    case InspectKind::Cell:
        return {attr("class", "EditTDClass"), attr("align", "ComboBox2"), attr("valign", "ComboBox3"),
                attr("width", "Edit1"), attr("height", "Edit2"), span("colspan", "Edit3", 1, 1000),
                span("rowspan", "Edit4", 0, 65534), attr("bgcolor", "EditColor")};
    case InspectKind::Block:
        return {attr("class", "Edit1"), attr("id", "Edit2"), attr("align", "ComboBox1"), attr("style", "Edit3")};
    case InspectKind::Image:
        return {attr("style", "EditStyle"), attr("src", "Edit1"), attr("alt", "Edit2"), number("width", "Edit3"),
                number("height", "Edit4"), attr("align", "ComboBox1"), number("vspace", "Edit6"),
                number("hspace", "Edit7"), number("border", "Edit5")};
    case InspectKind::Input:
        return {attr("name", "Edit1"), shownOnly("type", "Edit6"), number("size", "Edit2", 1),
                number("maxlength", "Edit3"), number("width", "Edit4"), attr("value", "Edit5")};
    case InspectKind::Button:
        return {attr("name", "Edit1"), shownOnly("type", "Edit6"), attr("value", "Edit5"), attr("status", "Edit2")};
    case InspectKind::TextArea: {
        FieldBinding text = attr("defaultValue", "Edit5");
        text.access = FieldAccess::Member;
        return {attr("name", "Edit1"), shownOnly("type", "Edit6"), text, number("cols", "Edit2", 1),
                number("rows", "Edit3", 1), attr("wrap", "Edit4")};
    }
    case InspectKind::Select:
        // The chosen value and the option texts are the controller's: they live in the options.
        return {attr("name", "Edit1"), shownOnly("type", "Edit6"), number("size", "Edit2")};
    case InspectKind::Font:
        return {attr("face", "Edit1"), attr("size", "Edit2"), attr("color", "Edit3")};
    case InspectKind::Frame: {
        FieldBinding noResize = attr("noresize", "ComboBox1");
        noResize.access = FieldAccess::Flag;
        return {attr("name", "Edit6"), attr("border", "Edit1"), attr("frameborder", "Edit2"),
                attr("framespacing", "Edit3"), attr("marginheight", "Edit4"), attr("marginwidth", "Edit5"),
                attr("scrolling", "Edit8"), attr("src", "Edit9"), noResize};
    }
    case InspectKind::IFrame:
        return {attr("name", "Edit6"), attr("src", "Edit9"), attr("height", "Edit4"), attr("width", "Edit5")};
    case InspectKind::Frameset:
        return {attr("name", "Edit6"), attr("border", "Edit1"), attr("frameborder", "Edit2"),
                attr("framespacing", "Edit3"), attr("cols", "Edit4"), attr("rows", "Edit5"),
                attr("bordercolor", "Edit8")};
    case InspectKind::Body:
    case InspectKind::Table:
    case InspectKind::Link:
    case InspectKind::Form:
    case InspectKind::Other:
        break;
    }
    return {};
}

std::optional<QList<AttributeEdit>> planEdits(const QList<FieldBinding> &bindings,
                                              const QHash<QString, QString> &shown,
                                              const QHash<QString, QString> &edited)
{
    QList<AttributeEdit> edits;
    for (const FieldBinding &b : bindings) {
        if (b.access == FieldAccess::Shown)
            continue;
        const QString now = edited.value(b.field);
        if (now == shown.value(b.field))
            continue;
        AttributeEdit edit{b.name, b.access, now};
        if (b.access == FieldAccess::Flag) {
            edit.value = now.trimmed().compare(QLatin1String("True"), Qt::CaseInsensitive) == 0
                ? std::optional<QString>(QString()) : std::nullopt;
        } else if (b.access == FieldAccess::Attribute && now.trimmed().isEmpty()) {
            if (b.rule.required)
                return std::nullopt;
            edit.value = std::nullopt;
        } else if (b.rule.integer) {
            edit.value = wholeNumber(now, b.rule);
            if (!edit.value)
                return std::nullopt;
        }
        edits.append(edit);
    }
    return edits;
}

int linkKindOfAddress(const QString &href)
{
    const QString h = href.trimmed();
    if (h.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return 1;
    if (h.startsWith(QLatin1Char('#')))
        return 2;
    return 0;
}

} // namespace korvel
