#include "generators/formbuilders.h"
#include "generators/formdesigner.h"
#include "generators/htmlescape.h"

#include "markupscanner.h"

#include <QMap>
#include <QSet>
#include <gtest/gtest.h>

using namespace korvel;
using test::ScannedTag;
using test::scanTags;
using test::tagsNamed;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

const QString kDefaultFormStart = QStringLiteral(
    "\r\n<form name=\"MyForm\" action=\"mailto:info@example.com\" method=\"get\" "
    "enctype=\"application/x-www-form-urlencoded\" ");
const QString kFormHeading = QStringLiteral(">\r\n<br>My New Form \r\n<br>\r\n");
const QString kInputLine = QStringLiteral(
    "<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\">\r\n");
const QString kUploadLine = QStringLiteral(
    "<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\">\r\n");
const QString kSubmitLine = QStringLiteral("<br><input type=\"submit\" value=\" Submit \">\r\n");
const QString kResetLine = QStringLiteral("<input type=\"reset\" value=\" Reset \">\r\n");
const QString kFormEnd = QStringLiteral("</form>\r\n");

FormFields defaultForm()
{
    FormFields f;
    f.name = QStringLiteral("MyForm");
    f.action = QStringLiteral("mailto:info@example.com");
    f.method = QStringLiteral("get");
    f.encType = QStringLiteral("application/x-www-form-urlencoded");
    return f;
}

InputFields defaultInput(const char *type, const char *name)
{
    InputFields f;
    f.type = QString::fromUtf8(type);
    f.name = QString::fromUtf8(name);
    f.size = QStringLiteral("50");
    f.maxLength = QStringLiteral("50");
    f.value = QStringLiteral("Default text");
    f.onClick = QStringLiteral("alert('Use JavaScript');");
    return f;
}

} // namespace

TEST(HtmlEscape, attributesLoseQuotesAndBracketsTextKeepsQuotes)
{
    EXPECT_EQ(escapeAttribute(QStringLiteral("a&b \"c\" <d> 'e' Grösse")),
              QStringLiteral("a&amp;b &quot;c&quot; &lt;d&gt; 'e' Grösse"));
    EXPECT_EQ(escapeText(QStringLiteral("a&b \"c\" <d> 'e' Grösse")),
              QStringLiteral("a&amp;b \"c\" &lt;d&gt; 'e' Grösse"));
    EXPECT_EQ(escapeAttribute(QString()), QString());
    // A reference typed by hand is text like any other: it comes back as typed.
    EXPECT_EQ(escapeText(QStringLiteral("&amp;")), QStringLiteral("&amp;amp;"));
}

TEST(FormFragment, eachSetOfSampleFieldsGivesTheExactForm)
{
    struct Case {
        const char *what;
        FormFields fields;
        QString expected;
    };
    FormFields none = defaultForm();
    none.submitButton = none.resetButton = none.inputField = none.fileUpload = false;
    FormFields all = defaultForm();
    all.fileUpload = true;
    FormFields withSubmit = none;
    withSubmit.onSubmit = QStringLiteral("check()");
    FormFields blankSubmit = none;
    blankSubmit.onSubmit = QStringLiteral("  \t ");
    FormFields untrimmed = none;
    untrimmed.onSubmit = QStringLiteral(" check() ");
    FormFields empty;
    empty.submitButton = empty.resetButton = empty.inputField = false;
    empty.fileUpload = true;

    const Case cases[] = {
        {"defaults", defaultForm(), kDefaultFormStart + kFormHeading + kInputLine + kSubmitLine + kResetLine + kFormEnd},
        {"no sample fields", none, kDefaultFormStart + kFormHeading + kFormEnd},
        {"all four in their order", all,
         kDefaultFormStart + kFormHeading + kInputLine + kUploadLine + kSubmitLine + kResetLine + kFormEnd},
        {"onsubmit after three blanks", withSubmit,
         kDefaultFormStart + QStringLiteral("  onsubmit=\"check()\"") + kFormHeading + kFormEnd},
        {"blank onsubmit left out", blankSubmit, kDefaultFormStart + kFormHeading + kFormEnd},
        {"onsubmit as typed", untrimmed,
         kDefaultFormStart + QStringLiteral("  onsubmit=\" check() \"") + kFormHeading + kFormEnd},
        {"empty texts written empty", empty,
         QStringLiteral("\r\n<form name=\"\" action=\"\" method=\"\" enctype=\"\" ") + kFormHeading
             + kUploadLine + kFormEnd},
    };
    for (const Case &c : cases)
        EXPECT_EQ(buildFormFragment(c.fields), c.expected) << c.what;
}

TEST(FormFragment, typedValuesAreEscapedAndReadBackAsTyped)
{
    FormFields f = defaultForm();
    f.name = QStringLiteral("Bestellung \"Müller & Söhne\"");
    f.action = QStringLiteral("mailto:a@b.c?subject=<Anfrage>&body=x");
    f.method = QStringLiteral("post");
    f.encType = QStringLiteral("multipart/form-data");
    f.onSubmit = QStringLiteral("return check(\"a\") && b < c;");
    const QString html = buildFormFragment(f);
    EXPECT_TRUE(html.startsWith(QStringLiteral(
        "\r\n<form name=\"Bestellung &quot;Müller &amp; Söhne&quot;\" "
        "action=\"mailto:a@b.c?subject=&lt;Anfrage&gt;&amp;body=x\" method=\"post\" "
        "enctype=\"multipart/form-data\"   onsubmit=\"return check(&quot;a&quot;) &amp;&amp; b &lt; c;\">\r\n")))
        << qPrintable(html);

    const QList<ScannedTag> tags = scanTags(html);
    const QList<ScannedTag> forms = tagsNamed(tags, QStringLiteral("form"));
    ASSERT_EQ(forms.size(), 1);
    EXPECT_EQ(forms[0].attributes.value(QStringLiteral("name")), f.name);
    EXPECT_EQ(forms[0].attributes.value(QStringLiteral("action")), f.action);
    EXPECT_EQ(forms[0].attributes.value(QStringLiteral("method")), f.method);
    EXPECT_EQ(forms[0].attributes.value(QStringLiteral("enctype")), f.encType);
    EXPECT_EQ(forms[0].attributes.value(QStringLiteral("onsubmit")), f.onSubmit);
    EXPECT_EQ(forms[0].attributes.size(), 5);
    EXPECT_EQ(tagsNamed(tags, QStringLiteral("input")).size(), 3);
    EXPECT_EQ(tagsNamed(tags, QStringLiteral("/form")).size(), 1);
}

TEST(InputFragment, eachTypeGivesItsExactField)
{
    struct Case {
        const char *what;
        InputFields fields;
        QString expected;
    };
    InputFields buttonElement = defaultInput("button", "button1");
    buttonElement.buttonElement = true;
    buttonElement.image = QStringLiteral("knopf.gif");
    InputFields bareButtonElement = buttonElement;
    bareButtonElement.image.clear();
    InputFields area = defaultInput("textarea", "textarea1");
    area.maxLength = QStringLiteral("5");
    InputFields image = defaultInput("image", "textarea1");
    image.image = QStringLiteral("ok.png");
    InputFields noPicture = defaultInput("image", "textarea1");
    InputFields capital = defaultInput("Text", "input1");
    InputFields shouting = defaultInput("CHECKBOX", "checkbox1");
    InputFields emptyTexts;
    emptyTexts.type = QStringLiteral("text");

    const Case cases[] = {
        {"text", defaultInput("text", "input1"),
         QStringLiteral("<br>Enter text:<br><input name=\"input1\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Default text\">")},
        {"hidden", defaultInput("hidden", "hidden1"),
         QStringLiteral("<br><input name=\"hidden1\" type=\"hidden\" value=\"Default text\">")},
        {"password", defaultInput("password", "password1"),
         QStringLiteral("<br>Enter password:<br><input name=\"password1\" type=\"password\" size=\"50\" maxlength=\"50\">")},
        {"file", defaultInput("file", "file1"),
         QStringLiteral("<br>File:<br><input name=\"file1\" type=\"file\" size=\"50\" value=\"\">")},
        {"submit", defaultInput("submit", "submit1"),
         QStringLiteral("<br><input name=\"submit1\" type=\"submit\" value=\"Submit\">")},
        {"reset", defaultInput("reset", "reset1"),
         QStringLiteral("<br><input name=\"reset1\" type=\"reset\" value=\"Reset\">")},
        {"radio", defaultInput("radio", "radiobutton1"),
         QStringLiteral("<br><input name=\"radiobutton1\" type=\"radio\" value=\"Default text\">Default text<br>")},
        {"checkbox", defaultInput("checkbox", "checkbox1"),
         QStringLiteral("<br><input name=\"checkbox1\" type=\"checkbox\" value=\"Default text\">Default text<br>")},
        {"button input", defaultInput("button", "button1"),
         QStringLiteral("<br><input name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">")},
        {"button element with picture", buttonElement,
         QStringLiteral("<br><button name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">\r\n"
                        "<img src=\"knopf.gif\"  alt=\"Default text\"><br>\r\n</button><br>")},
        {"button element without picture", bareButtonElement,
         QStringLiteral("<br><button name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">\r\n"
                        "Default text<br>\r\n</button><br>")},
        {"textarea", area,
         QStringLiteral("<br><textarea name=\"textarea1\" cols=\"50\" rows=\"5\" wrap=\"hard\">Default text</textarea><br>")},
        {"image", image, QStringLiteral("<br><input type=\"image\" src=\"ok.png\" alt=\"Submit\">")},
        {"image without picture", noPicture, QStringLiteral("<br><input type=\"image\" alt=\"Submit\">")},
        {"type in capitals kept as typed", capital,
         QStringLiteral("<br>Enter text:<br><input name=\"input1\" type=\"Text\" size=\"50\" maxlength=\"50\" value=\"Default text\">")},
        {"upper-case type", shouting,
         QStringLiteral("<br><input name=\"checkbox1\" type=\"CHECKBOX\" value=\"Default text\">Default text<br>")},
        {"empty texts written empty", emptyTexts,
         QStringLiteral("<br>Enter text:<br><input name=\"\" type=\"text\" size=\"\" maxlength=\"\" value=\"\">")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(buildInputFragment(c.fields), c.expected) << c.what;
}

TEST(InputFragment, aTypeThatNamesNoFieldBuildsNothing)
{
    for (const char *type : {"email", "", " text", "text ", "texta", "tёxt"})
        EXPECT_EQ(buildInputFragment(defaultInput(type, "textarea1")), QString()) << type;
}

TEST(InputFragment, valuesWithQuotesAndBracketsStayInsideTheirField)
{
    const QString hostile = QStringLiteral("\"Ja\" & </textarea><b>fett</b> Grüße");
    struct Case {
        const char *type;
        const char *tag;
        bool valueAsText;
    };
    const Case cases[] = {
        {"text", "input", false}, {"hidden", "input", false}, {"radio", "input", true},
        {"checkbox", "input", true}, {"button", "input", false}, {"textarea", "textarea", true},
    };
    for (const Case &c : cases) {
        InputFields f = defaultInput(c.type, "a \"b\" & <c>");
        f.value = hostile;
        f.onClick = QStringLiteral("alert(\"Hi\") && x<y");
        const QList<ScannedTag> tags = scanTags(buildInputFragment(f));
        const QList<ScannedTag> fields = tagsNamed(tags, QLatin1String(c.tag));
        ASSERT_EQ(fields.size(), 1) << c.type;
        EXPECT_EQ(fields[0].attributes.value(QStringLiteral("name")), f.name) << c.type;
        EXPECT_TRUE(tagsNamed(tags, QStringLiteral("b")).isEmpty()) << c.type;
        if (c.valueAsText) {
            EXPECT_TRUE(fields[0].textAfter.startsWith(hostile)) << c.type;
        }
        if (QLatin1String(c.tag) == QLatin1String("input")) {
            EXPECT_EQ(fields[0].attributes.value(QStringLiteral("value")), hostile) << c.type;
        }
        if (QLatin1String(c.type) == QLatin1String("button")) {
            EXPECT_EQ(fields[0].attributes.value(QStringLiteral("onclick")), f.onClick);
        }
    }

    InputFields element = defaultInput("button", "b");
    element.buttonElement = true;
    element.value = hostile;
    element.image = QStringLiteral("Bild \"1\".gif");
    const QList<ScannedTag> tags = scanTags(buildInputFragment(element));
    const QList<ScannedTag> images = tagsNamed(tags, QStringLiteral("img"));
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images[0].attributes.value(QStringLiteral("src")), element.image);
    EXPECT_EQ(images[0].attributes.value(QStringLiteral("alt")), hostile);
    EXPECT_EQ(tagsNamed(tags, QStringLiteral("button"))[0].attributes.value(QStringLiteral("value")), hostile);
}

TEST(InputTypes, namesAndLayoutFollowTheTypeText)
{
    struct Case {
        const char *typed;
        int index;
        const char *name;
        bool rows;
    };
    const Case cases[] = {
        {"text", TypeText, "input1", false},         {"hidden", TypeHidden, "hidden1", false},
        {"password", TypePassword, "password1", false}, {"button", TypeButton, "button1", false},
        {"radio", TypeRadio, "radiobutton1", false}, {"checkbox", TypeCheckbox, "checkbox1", false},
        {"file", TypeFile, "file1", false},          {"submit", TypeSubmit, "submit1", false},
        {"reset", TypeReset, "reset1", false},       {"textarea", TypeTextarea, "textarea1", true},
        {"image", TypeImage, "textarea1", true},     {"Password", TypePassword, "password1", false},
        {"email", kNoInputType, "textarea1", true},  {"", kNoInputType, "textarea1", true},
    };
    for (const Case &c : cases) {
        const int index = inputTypeIndex(QLatin1String(c.typed));
        EXPECT_EQ(index, c.index) << c.typed;
        EXPECT_EQ(inputNameForType(index), QLatin1String(c.name)) << c.typed;
        EXPECT_EQ(inputTypeTakesRows(index), c.rows) << c.typed;
    }
    EXPECT_EQ(inputTypeNames().size(), 11);
}

TEST(SelectFragments, listBoxAndDropDownAreFixedListsWithAWorkingHandler)
{
    const QString options = QStringLiteral(
        "<option value=\"Option1\">This is Caption1</option>\r\n"
        "<option value=\"Option2\">This is Caption2</option>\r\n"
        "<option value=\"Option3\">This is Caption3</option>\r\n"
        "</select>\r\n");
    const QString handler = QStringLiteral("onchange=\"alert(this.options[this.selectedIndex].value)\">\r\n");
    EXPECT_EQ(listBoxFragment(), QStringLiteral("<select name=\"Selectbox1\" size=\"3\"\r\n") + handler + options);
    EXPECT_EQ(dropDownFragment(), QStringLiteral("<select name=\"Dropbox1\" size=\"1\"\r\n") + handler + options);
}

TEST(DesignerFields, theNextFreeIdCountsOnFromTheFixedOne)
{
    struct Case {
        QStringList onPage;
        const char *fixed;
        const char *expected;
    };
    const Case cases[] = {
        {{}, "Text1", "Text1"},
        {{QStringLiteral("Text1")}, "Text1", "Text2"},
        {{QStringLiteral("text1"), QStringLiteral("TEXT2"), QStringLiteral("Text4")}, "Text1", "Text3"},
        {{QStringLiteral("Text2")}, "Text1", "Text1"},
        {{QStringLiteral("Hidden")}, "Hidden", "Hidden2"},
        {{QStringLiteral("Hidden"), QStringLiteral("Hidden2")}, "Hidden", "Hidden3"},
        {{QStringLiteral("File1"), QStringLiteral("File2"), QString()}, "File1", "File3"},
        {{QStringLiteral("x")}, "", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(nextFreeId(c.onPage, QLatin1String(c.fixed)), QLatin1String(c.expected)) << c.fixed;

    // Many fields on one page: every new id is taken by no element yet.
    QStringList page;
    for (int i = 0; i < 50; ++i)
        page << nextFreeId(page, QStringLiteral("Password1"));
    EXPECT_EQ(page.first(), QStringLiteral("Password1"));
    EXPECT_EQ(page.last(), QStringLiteral("Password50"));
    EXPECT_EQ(QSet<QString>(page.begin(), page.end()).size(), 50);
}

TEST(DesignerFields, eachFieldCommandInsertsItsElement)
{
    struct Case {
        const char *identifier;
        const char *id;
        const char *html;
    };
    const Case cases[] = {
        {"InsertInputText", "Text1", "<input type=\"text\" id=\"Text1\">"},
        {"InsertInputPassword", "Password1", "<input type=\"password\" id=\"Password1\">"},
        {"InsertInputFileUpload", "File1", "<input type=\"file\" id=\"File1\">"},
        {"InsertInputHidden", "Hidden", "<input type=\"hidden\" id=\"Hidden\">"},
        {"InsertInputRadio", "", "<input type=\"radio\">"},
        {"InsertInputCheckbox", "", "<input type=\"checkbox\">"},
        {"InsertInputButton", "", "<input type=\"button\">"},
        {"InsertTextArea", "", "<textarea></textarea>"},
        {"InsertSelectListbox", "", "<select multiple></select>"},
        {"InsertSelectDropdown", "", "<select></select>"},
        {"InsertButton", "b\"1<", "<button id=\"b&quot;1&lt;\"></button>"},
        {"INSERTFIELDSET", "", "<fieldset></fieldset>"},
        {"inserttextarea", "Area", "<textarea id=\"Area\"></textarea>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(designerFieldHtml(QLatin1String(c.identifier), QLatin1String(c.id)), QLatin1String(c.html))
            << c.identifier;
    EXPECT_EQ(designerFieldHtml(QStringLiteral("Bold"), QString()), std::nullopt);
    EXPECT_EQ(designerFieldHtml(QStringLiteral("InsertIFrame"), QString()), std::nullopt);
}

TEST(DesignerFields, eachButtonSendsItsCommandWithAFreeId)
{
    struct Case {
        FieldButton button;
        const char *identifier;
        const char *id;
        const char *html;
    };
    const QStringList page = {QStringLiteral("Text1"), QStringLiteral("Hidden"), QStringLiteral("other")};
    const Case cases[] = {
        {FieldButton::Input, "InsertInputText", "Text2", "<input type=\"text\" id=\"Text2\">"},
        {FieldButton::Password, "InsertInputPassword", "Password1", "<input type=\"password\" id=\"Password1\">"},
        {FieldButton::Upload, "InsertInputFileUpload", "File1", "<input type=\"file\" id=\"File1\">"},
        {FieldButton::Hidden, "InsertInputHidden", "Hidden2", "<input type=\"hidden\" id=\"Hidden2\">"},
        {FieldButton::Button, "InsertInputButton", "", "<input type=\"button\">"},
        {FieldButton::Radio, "InsertInputRadio", "", "<input type=\"radio\">"},
        {FieldButton::Check, "InsertInputCheckbox", "", "<input type=\"checkbox\">"},
        {FieldButton::Area, "InsertTextArea", "", "<textarea></textarea>"},
        {FieldButton::List, "InsertSelectListbox", "", "<select multiple></select>"},
        {FieldButton::Dropdown, "InsertSelectDropdown", "", "<select></select>"},
    };
    for (const Case &c : cases) {
        const std::optional<DesignerInsertion> insertion = designerInsertionFor(c.button, page);
        ASSERT_TRUE(insertion) << c.identifier;
        EXPECT_EQ(insertion->identifier, QLatin1String(c.identifier));
        EXPECT_EQ(insertion->id, QLatin1String(c.id)) << c.identifier;
        EXPECT_EQ(insertion->html, QLatin1String(c.html)) << c.identifier;
    }
    EXPECT_FALSE(designerInsertionFor(FieldButton::InputboxMenu, page));
}
