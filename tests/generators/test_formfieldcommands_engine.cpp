// The Forms submenu and the field buttons on the designer page of the real engine: each field
// goes in at the caret with an id of its own, the form goes in whole, everything comes back into
// the source, and nothing is written while design mode is off.
#include "app/messages.h"
#include "editor/synmemo.h"
#include "formfieldtest.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>

using namespace korvel;

namespace {

const QByteArray kPage = "<html><head><title>Fields</title></head><body><p id=\"start\">Start</p></body></html>";

class FormFieldDesignerTest : public test::FormFieldTest {
protected:
    void SetUp() override
    {
        FormFieldTest::SetUp();
        openPageInDesigner(kPage, QStringLiteral("fields.html"));
    }

    void designModeOn()
    {
        trigger("BrowserEditmode1");
        ASSERT_EQ(page().designMode(), QStringLiteral("On"));
    }

    std::optional<HtmlElement> byId(const char *id)
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(QStringLiteral("id")) == QLatin1String(id))
                return e;
        }
        return std::nullopt;
    }

    void caretAtEndOf(const char *id)
    {
        const auto element = byId(id);
        ASSERT_TRUE(element.has_value()) << id;
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range.has_value());
        ASSERT_TRUE(range->moveToElementText(*element));
        ASSERT_TRUE(range->collapse(false));
        ASSERT_TRUE(range->select());
    }

    // A picture of the page for a person to look at, when a folder for it is named.
    void saveShot(const char *name)
    {
        const QString shots = qEnvironmentVariable("KORVEL_SHOTS_DIR");
        if (shots.isEmpty())
            return;
        QDir().mkpath(shots);
        QTest::qWait(200);
        EXPECT_TRUE(designer->browser().view()->grab().save(shots + u'/' + QLatin1String(name)));
    }

    QString bodyHtml() { return page().body().value_or(HtmlElement()).innerHTML().value_or(QString()); }
};

struct FieldRow {
    const char *trigger;
    const char *element;  // what the page holds where the caret was
};

} // namespace

TEST_F(FormFieldDesignerTest, eachFieldGoesInAtTheCaretWithAnIdNoOtherElementHas)
{
    designModeOn();
    caretAtEndOf("start");
    const FieldRow fields[] = {
        {"ToolButtonInput", "<input type=\"text\" id=\"Text1\">"},
        {"ToolButtonInput", "<input type=\"text\" id=\"Text2\">"},
        {"ToolButtonPassword", "<input type=\"password\" id=\"Password1\">"},
        {"ToolButtonUpload", "<input type=\"file\" id=\"File1\">"},
        {"ToolButtonHidden", "<input type=\"hidden\" id=\"Hidden\">"},
        {"ToolButtonHidden", "<input type=\"hidden\" id=\"Hidden2\">"},
        {"ToolButtonArea", "<textarea></textarea>"},
        {"Textarea1", "<textarea></textarea>"},
        {"ToolButtonList", "<select multiple=\"\"></select>"},
        {"ToolButtonDropdown", "<select></select>"},
        {"ToolButtonButton", "<input type=\"button\">"},
        {"ToolButtonRadio", "<input type=\"radio\">"},
        {"ToolButtonCheck", "<input type=\"checkbox\">"},
        {"CheckBox1", "<input type=\"checkbox\">"},
    };
    // A hidden field takes no room, so for the engine the caret in front of it and the caret
    // behind it are one place: the fields inserted later go in before the hidden ones.
    QString shown, hidden;
    const auto expected = [&] { return QStringLiteral("<p id=\"start\">Start") + shown + hidden + QStringLiteral("</p>"); };
    for (const FieldRow &row : fields) {
        SCOPED_TRACE(row.trigger);
        trigger(row.trigger);
        (QByteArray(row.element).contains("hidden") ? hidden : shown) += QLatin1String(row.element);
        EXPECT_EQ(bodyHtml(), expected());
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());

    saveShot("designer-fields.png");

    // Back in the source every field is there, ids and all.
    form->setActivePage(0);
    ASSERT_EQ(form->activePage(), 0);
    const QString source = form->editor()->text();
    EXPECT_TRUE(source.contains(QStringLiteral("<body>") + expected() + QStringLiteral("</body>"))) << source.toStdString();
}

TEST_F(FormFieldDesignerTest, anIdTakenOnThePageInAnyCaseIsNotGivenAgain)
{
    designModeOn();
    ASSERT_TRUE(byId("start")->setOuterHTML(QStringLiteral("<p id=\"start\">Start</p><p id=\"TEXT1\">x</p>"
                                                          "<div id=\"hidden\"><b id=\"Hidden2\">y</b></div>")));
    caretAtEndOf("start");
    trigger("ToolButtonInput");
    trigger("ToolButtonHidden");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"start\">Start<input type=\"text\" id=\"Text2\">"
                                         "<input type=\"hidden\" id=\"Hidden3\"></p><p id=\"TEXT1\">x</p>"
                                         "<div id=\"hidden\"><b id=\"Hidden2\">y</b></div>"));
}

TEST_F(FormFieldDesignerTest, aFieldGoesInFrontOfTheSelectionWhichStaysAndUndoTakesItBack)
{
    designModeOn();
    ASSERT_TRUE(byId("start")->setOuterHTML(QStringLiteral("<p id=\"start\">Start</p><p id=\"pic\"><img id=\"img\"></p>")));
    const auto selectContentOf = [this](const char *id) {
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range && range->moveToElementText(*byId(id)) && range->select());
    };
    selectContentOf("start");
    trigger("ToolButtonInput");
    selectContentOf("start");
    trigger("ToolButtonHidden");
    // A selected picture keeps its place behind the new field.
    selectContentOf("pic");
    ASSERT_EQ(page().selection().type(), QStringLiteral("Control"));
    trigger("ToolButtonCheck");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"start\"><input type=\"hidden\" id=\"Hidden\"><input type=\"text\" id=\"Text1\">"
                                         "Start</p><p id=\"pic\"><input type=\"checkbox\"><img id=\"img\"></p>"));

    trigger("UndoButton");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"start\"><input type=\"hidden\" id=\"Hidden\"><input type=\"text\" id=\"Text1\">"
                                         "Start</p><p id=\"pic\"><img id=\"img\"></p>"));
}

TEST_F(FormFieldDesignerTest, theFormGoesInWholeWithItsHandlerAndComesBackIntoTheSource)
{
    designModeOn();
    caretAtEndOf("start");
    prompter.answerDialog([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("EditSubmit"))->setText(QStringLiteral("return check()"));
        d.findChild<QCheckBox *>(QStringLiteral("CheckUpload"))->click();
        d.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        return d.result();
    });
    trigger("ToolButtonForm");
    const QString form1 = QStringLiteral(
        "<form name=\"MyForm\" action=\"mailto:info@example.com\" method=\"post\" "
        "enctype=\"multipart/form-data\" onsubmit=\"return check()\">\n<br>My New Form \n<br>\n"
        "<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\">\n"
        "<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\">\n"
        "<br><input type=\"submit\" value=\" Submit \">\n"
        "<input type=\"reset\" value=\" Reset \">\n</form>");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"start\">Start\n") + form1 + QStringLiteral("\n</p>"));

    saveShot("designer-form.png");

    // Cancel puts nothing in.
    answerWith("BitBtn2");
    trigger("Form1");
    EXPECT_EQ(bodyHtml().count(QStringLiteral("<form")), 1);

    form->setActivePage(0);
    ASSERT_EQ(form->activePage(), 0);
    EXPECT_TRUE(QString(form->editor()->text()).remove(u'\r').contains(form1));
}

TEST_F(FormFieldDesignerTest, withoutDesignModeNothingIsWrittenAndNoDialogOpens)
{
    const QString before = bodyHtml();
    caretAtEndOf("start");
    for (const char *name : {"Form1", "ToolButtonForm", "ToolButtonInput", "ToolButtonPassword", "ToolButtonUpload",
                             "ToolButtonHidden", "ToolButtonArea", "ToolButtonList", "ToolButtonDropdown",
                             "ToolButtonButton", "ToolButtonRadio", "ToolButtonCheck", "Button1", "Selectbox1"}) {
        SCOPED_TRACE(name);
        prompter.clear();
        trigger(name);
        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.messages().first().kind, MessageKind::Warning);
        EXPECT_EQ(prompter.lastText(), form->line(Msg::EnableDesignMode));
    }
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
    EXPECT_EQ(bodyHtml(), before);

    // The input menu item has no field of its own on this page, with design mode or without.
    prompter.clear();
    trigger("Inputbox1");
    designModeOn();
    caretAtEndOf("start");
    trigger("Inputbox1");
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(bodyHtml(), before);
}
