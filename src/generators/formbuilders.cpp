#include "generators/formbuilders.h"

#include "generators/htmlescape.h"

namespace korvel {

namespace {

const QLatin1String kCrLf("\r\n");

QString attr(const char *name, const QString &value)
{
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + escapeAttribute(value)
        + QLatin1Char('"');
}

// Type names are plain ASCII words, so only A-Z folds.
bool sameAsciiWord(const QString &typed, const QString &name)
{
    if (typed.size() != name.size())
        return false;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        char16_t a = typed.at(i).unicode();
        if (a >= u'A' && a <= u'Z')
            a = char16_t(a - u'A' + u'a');
        if (a != name.at(i).unicode())
            return false;
    }
    return true;
}

QString selectFragment(const QString &name, int size)
{
    // The change handler reads the list it sits on, so it works outside a form and with
    // more than one list in a form.
    QString out = QLatin1String("<select") + attr("name", name) + attr("size", QString::number(size))
        + kCrLf + QLatin1String("onchange=\"alert(this.options[this.selectedIndex].value)\">") + kCrLf;
    for (int n = 1; n <= 3; ++n) {
        const QString number = QString::number(n);
        out += QLatin1String("<option value=\"Option") + number + QLatin1String("\">This is Caption")
            + number + QLatin1String("</option>") + kCrLf;
    }
    out += QLatin1String("</select>") + kCrLf;
    return out;
}

} // namespace

QString buildFormFragment(const FormFields &f)
{
    QString out = kCrLf + QLatin1String("<form") + attr("name", f.name) + attr("action", f.action)
        + attr("method", f.method) + attr("enctype", f.encType) + QLatin1Char(' ');
    if (!f.onSubmit.trimmed().isEmpty())
        out += QLatin1Char(' ') + attr("onsubmit", f.onSubmit);
    out += QLatin1Char('>') + kCrLf + QLatin1String("<br>My New Form ") + kCrLf + QLatin1String("<br>") + kCrLf;
    if (f.inputField)
        out += QLatin1String("<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\">") + kCrLf;
    if (f.fileUpload)
        out += QLatin1String("<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\">") + kCrLf;
    if (f.submitButton)
        out += QLatin1String("<br><input type=\"submit\" value=\" Submit \">") + kCrLf;
    if (f.resetButton)
        out += QLatin1String("<input type=\"reset\" value=\" Reset \">") + kCrLf;
    out += QLatin1String("</form>") + kCrLf;
    return out;
}

const QStringList &inputTypeNames()
{
    static const QStringList names = {
        QStringLiteral("text"), QStringLiteral("hidden"), QStringLiteral("password"),
        QStringLiteral("button"), QStringLiteral("radio"), QStringLiteral("checkbox"),
        QStringLiteral("file"), QStringLiteral("submit"), QStringLiteral("reset"),
        QStringLiteral("textarea"), QStringLiteral("image"),
    };
    return names;
}

int inputTypeIndex(const QString &typeText)
{
    const QStringList &names = inputTypeNames();
    for (int i = 0; i < names.size(); ++i) {
        if (sameAsciiWord(typeText, names.at(i)))
            return i;
    }
    return kNoInputType;
}

QString inputNameForType(int index)
{
    switch (index) {
    case TypeText: return QStringLiteral("input1");
    case TypeHidden: return QStringLiteral("hidden1");
    case TypePassword: return QStringLiteral("password1");
    case TypeButton: return QStringLiteral("button1");
    case TypeRadio: return QStringLiteral("radiobutton1");
    case TypeCheckbox: return QStringLiteral("checkbox1");
    case TypeFile: return QStringLiteral("file1");
    case TypeSubmit: return QStringLiteral("submit1");
    case TypeReset: return QStringLiteral("reset1");
    default: return QStringLiteral("textarea1");
    }
}

bool inputTypeTakesRows(int index)
{
    return index < TypeText || index > TypeReset;
}

QString buildInputFragment(const InputFields &f)
{
    const QString br = QStringLiteral("<br>");
    const QString nameType = attr("name", f.name) + attr("type", f.type);
    switch (inputTypeIndex(f.type)) {
    case TypeText:
        return br + QLatin1String("Enter text:") + br + QLatin1String("<input") + nameType
            + attr("size", f.size) + attr("maxlength", f.maxLength) + attr("value", f.value) + QLatin1Char('>');
    case TypeHidden:
        return br + QLatin1String("<input") + nameType + attr("value", f.value) + QLatin1Char('>');
    case TypePassword:
        return br + QLatin1String("Enter password:") + br + QLatin1String("<input") + nameType
            + attr("size", f.size) + attr("maxlength", f.maxLength) + QLatin1Char('>');
    case TypeFile:
        return br + QLatin1String("File:") + br + QLatin1String("<input") + nameType + attr("size", f.size)
            + QLatin1String(" value=\"\">");
    case TypeSubmit:
        return br + QLatin1String("<input") + nameType + QLatin1String(" value=\"Submit\">");
    case TypeReset:
        return br + QLatin1String("<input") + nameType + QLatin1String(" value=\"Reset\">");
    case TypeRadio:
    case TypeCheckbox:
        return br + QLatin1String("<input") + nameType + attr("value", f.value) + QLatin1Char('>')
            + escapeText(f.value) + br;
    case TypeButton: {
        const QString common = nameType + attr("value", f.value) + attr("onclick", f.onClick);
        if (!f.buttonElement)
            return br + QLatin1String("<input") + common + QLatin1Char('>');
        // Without a picture the button shows its value, the text the picture's alt would
        // have shown; an empty src would only draw a broken picture.
        const QString face = f.image.isEmpty()
            ? escapeText(f.value)
            : QLatin1String("<img") + attr("src", f.image) + QLatin1Char(' ') + attr("alt", f.value) + QLatin1Char('>');
        return br + QLatin1String("<button") + common + QLatin1Char('>') + kCrLf + face + br + kCrLf
            + QLatin1String("</button>") + br;
    }
    case TypeTextarea:
        return br + QLatin1String("<textarea") + attr("name", f.name) + attr("cols", f.size)
            + attr("rows", f.maxLength) + QLatin1String(" wrap=\"hard\">") + escapeText(f.value)
            + QLatin1String("</textarea>") + br;
    case TypeImage: {
        const QString src = f.image.isEmpty() ? QString() : attr("src", f.image);
        return br + QLatin1String("<input") + attr("type", f.type) + src + QLatin1String(" alt=\"Submit\">");
    }
    default:
        return {};
    }
}

QString listBoxFragment()
{
    return selectFragment(QStringLiteral("Selectbox1"), 3);
}

QString dropDownFragment()
{
    return selectFragment(QStringLiteral("Dropbox1"), 1);
}

} // namespace korvel
