#include "generators/formdesigner.h"

#include "generators/htmlescape.h"

#include <QSet>

namespace korvel {

namespace {

QString asciiLower(const QString &text)
{
    QString out = text;
    for (QChar &c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() - u'A' + u'a');
    }
    return out;
}

struct FieldElement {
    const char *identifier;  // lower case
    const char *start;       // start tag up to where the id goes
    const char *end;         // rest of the element
};

// The elements the old engine's insertion commands made; the id goes in after the type.
const FieldElement kElements[] = {
    {"insertinputtext", "<input type=\"text\"", ">"},
    {"insertinputpassword", "<input type=\"password\"", ">"},
    {"insertinputfileupload", "<input type=\"file\"", ">"},
    {"insertinputhidden", "<input type=\"hidden\"", ">"},
    {"insertinputradio", "<input type=\"radio\"", ">"},
    {"insertinputcheckbox", "<input type=\"checkbox\"", ">"},
    {"insertinputbutton", "<input type=\"button\"", ">"},
    {"inserttextarea", "<textarea", "></textarea>"},
    {"insertselectlistbox", "<select multiple", "></select>"},
    {"insertselectdropdown", "<select", "></select>"},
    {"insertbutton", "<button", "></button>"},
    {"insertfieldset", "<fieldset", "></fieldset>"},
};

} // namespace

std::optional<DesignerFieldCommand> designerCommandFor(FieldButton button)
{
    auto command = [](const char *identifier, const char *id) {
        return DesignerFieldCommand{QLatin1String(identifier), QLatin1String(id)};
    };
    switch (button) {
    case FieldButton::Input: return command("InsertInputText", "Text1");
    case FieldButton::Password: return command("InsertInputPassword", "Password1");
    case FieldButton::Upload: return command("InsertInputFileUpload", "File1");
    case FieldButton::Hidden: return command("InsertInputHidden", "Hidden");
    case FieldButton::InputboxMenu: return std::nullopt;
    case FieldButton::Button: return command("InsertInputButton", "");
    case FieldButton::Radio: return command("InsertInputRadio", "");
    case FieldButton::Check: return command("InsertInputCheckbox", "");
    case FieldButton::Area: return command("InsertTextArea", "");
    case FieldButton::List: return command("InsertSelectListbox", "");
    case FieldButton::Dropdown: return command("InsertSelectDropdown", "");
    }
    return std::nullopt;
}

QString nextFreeId(const QStringList &idsOnPage, const QString &fixedId)
{
    if (fixedId.isEmpty())
        return {};
    QSet<QString> taken;
    taken.reserve(idsOnPage.size());
    for (const QString &id : idsOnPage)
        taken.insert(asciiLower(id));
    if (!taken.contains(asciiLower(fixedId)))
        return fixedId;

    // A fixed id that ends in a number counts on from it; any other gets a number from 2.
    qsizetype digits = fixedId.size();
    while (digits > 0 && fixedId.at(digits - 1).isDigit() && fixedId.at(digits - 1).unicode() < 128)
        --digits;
    QString stem = fixedId;
    qint64 number = 1;
    bool ok = false;
    if (digits < fixedId.size()) {
        number = QStringView(fixedId).mid(digits).toLongLong(&ok);
        if (ok && number < (qint64(1) << 52))
            stem = fixedId.left(digits);
        else
            number = 1;
    }
    // At most one candidate per id on the page is taken, so this ends.
    for (;;) {
        const QString candidate = stem + QString::number(++number);
        if (!taken.contains(asciiLower(candidate)))
            return candidate;
    }
}

std::optional<QString> designerFieldHtml(const QString &identifier, const QString &id)
{
    const QString key = asciiLower(identifier);
    for (const FieldElement &e : kElements) {
        if (key == QLatin1String(e.identifier)) {
            QString html = QLatin1String(e.start);
            if (!id.isEmpty())
                html += QLatin1String(" id=\"") + escapeAttribute(id) + QLatin1Char('"');
            return html + QLatin1String(e.end);
        }
    }
    return std::nullopt;
}

std::optional<DesignerInsertion> designerInsertionFor(FieldButton button, const QStringList &idsOnPage)
{
    const std::optional<DesignerFieldCommand> command = designerCommandFor(button);
    if (!command)
        return std::nullopt;
    DesignerInsertion insertion;
    insertion.identifier = command->identifier;
    insertion.id = nextFreeId(idsOnPage, command->fixedId);
    insertion.html = designerFieldHtml(command->identifier, insertion.id).value_or(QString());
    return insertion;
}

} // namespace korvel
