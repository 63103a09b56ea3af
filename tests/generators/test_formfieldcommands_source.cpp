// The Forms submenu and the field buttons in the source view, through the main window: what
// each puts in front of the caret or the selection, as one edit that one undo takes back.
#include "editor/synmemo.h"
#include "formfieldtest.h"

#include <QComboBox>
#include <QLineEdit>

using namespace korvel;

namespace {

const QString kSampleForm = QStringLiteral(
    "\r\n<form name=\"MyForm\" action=\"mailto:info@example.com\" method=\"get\" "
    "enctype=\"application/x-www-form-urlencoded\" >\r\n<br>My New Form \r\n<br>\r\n"
    "<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\">\r\n"
    "<br><input type=\"submit\" value=\" Submit \">\r\n"
    "<input type=\"reset\" value=\" Reset \">\r\n</form>\r\n");

const QString kTextField = QStringLiteral(
    "<br>Enter text:<br><input name=\"input1\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Default text\">");

QString listOf(const char *name, int size)
{
    QString out = QStringLiteral("<select name=\"%1\" size=\"%2\"\r\n"
                                 "onchange=\"alert(this.options[this.selectedIndex].value)\">\r\n")
                      .arg(QLatin1String(name))
                      .arg(size);
    for (int n = 1; n <= 3; ++n)
        out += QStringLiteral("<option value=\"Option%1\">This is Caption%1</option>\r\n").arg(n);
    return out + QStringLiteral("</select>\r\n");
}

struct Row {
    const char *trigger;
    const char *okButton;  // nullptr: the command shows no dialog
    QString fragment;      // what the dialog gives when accepted as it opens
};

// In this order the dialog's type and button flag carry over from row to row as they would for
// a person clicking through the tool bar.
const std::vector<Row> &rows()
{
    static const std::vector<Row> table = {
        {"Form1", "BitBtn1", kSampleForm},
        {"ToolButtonForm", "BitBtn1", kSampleForm},
        {"ToolButtonInput", "BitBtn2", kTextField},
        {"ToolButtonPassword", "BitBtn2",
         QStringLiteral("<br>Enter password:<br><input name=\"password1\" type=\"password\" size=\"50\" maxlength=\"50\">")},
        {"ToolButtonUpload", "BitBtn2",
         QStringLiteral("<br>File:<br><input name=\"file1\" type=\"file\" size=\"50\" value=\"\">")},
        {"ToolButtonHidden", "BitBtn2",
         QStringLiteral("<br><input name=\"hidden1\" type=\"hidden\" value=\"Default text\">")},
        // Without a picture the button element shows its value in place of an empty img.
        {"Button1", "BitBtn2",
         QStringLiteral("<br><button name=\"button1\" type=\"button\" value=\"Default text\" "
                        "onclick=\"alert('Use JavaScript');\">\r\nDefault text<br>\r\n</button><br>")},
        {"ToolButtonButton", "BitBtn2",
         QStringLiteral("<br><button name=\"button1\" type=\"button\" value=\"Default text\" "
                        "onclick=\"alert('Use JavaScript');\">\r\nDefault text<br>\r\n</button><br>")},
        {"Radiobutton1", "BitBtn2",
         QStringLiteral("<br><input name=\"radiobutton1\" type=\"radio\" value=\"Default text\">Default text<br>")},
        {"ToolButtonRadio", "BitBtn2",
         QStringLiteral("<br><input name=\"radiobutton1\" type=\"radio\" value=\"Default text\">Default text<br>")},
        {"CheckBox1", "BitBtn2",
         QStringLiteral("<br><input name=\"checkbox1\" type=\"checkbox\" value=\"Default text\">Default text<br>")},
        {"ToolButtonCheck", "BitBtn2",
         QStringLiteral("<br><input name=\"checkbox1\" type=\"checkbox\" value=\"Default text\">Default text<br>")},
        {"Textarea1", "BitBtn2",
         QStringLiteral("<br><textarea name=\"textarea1\" cols=\"50\" rows=\"5\" wrap=\"hard\">Default text</textarea><br>")},
        {"ToolButtonArea", "BitBtn2",
         QStringLiteral("<br><textarea name=\"textarea1\" cols=\"50\" rows=\"5\" wrap=\"hard\">Default text</textarea><br>")},
        {"Selectbox1", nullptr, listOf("Selectbox1", 3)},
        {"ToolButtonList", nullptr, listOf("Selectbox1", 3)},
        {"Dropdownlist1", nullptr, listOf("Dropbox1", 1)},
        {"ToolButtonDropdown", nullptr, listOf("Dropbox1", 1)},
    };
    return table;
}

class FormFieldSourceTest : public test::FormFieldTest {
protected:
    SynMemo &editor() { return *form->editor(); }

    void start(const char *text, int selStart, int selLength)
    {
        editor().setText(QString::fromLatin1(text));
        editor().setModified(false);
        editor().selectRange(selStart, selLength);
    }

    void run(const Row &row)
    {
        if (row.okButton)
            answerWith(row.okButton);
        trigger(row.trigger);
    }
};

} // namespace

TEST_F(FormFieldSourceTest, eachCommandPutsItsFragmentAtTheCaretAndInFrontOfTheSelectionAsOneEdit)
{
    ASSERT_EQ(form->activePage(), 0);
    for (const Row &row : rows()) {
        SCOPED_TRACE(row.trigger);
        start("ab cd", 2, 0);
        run(row);
        EXPECT_EQ(editor().text(), QStringLiteral("ab") + row.fragment + QStringLiteral(" cd"));
        EXPECT_TRUE(editor().modified());

        // With "cd" selected the fragment lands before it and the selected text stays.
        start("ab cd", 3, 2);
        run(row);
        EXPECT_EQ(editor().text(), QStringLiteral("ab ") + row.fragment + QStringLiteral("cd"));
        editor().undo();
        EXPECT_EQ(editor().text(), QStringLiteral("ab cd"));
        EXPECT_EQ(prompter.dialogsShown().size(), row.okButton ? 2 : 0);
        prompter.clear();
    }
}

TEST_F(FormFieldSourceTest, cancellingOrClosingADialogInsertsNothing)
{
    for (const Row &row : rows()) {
        if (!row.okButton)
            continue;
        SCOPED_TRACE(row.trigger);
        const char *cancel = QByteArray(row.okButton) == "BitBtn1" ? "BitBtn2" : "BitBtn3";
        start("Hello", 0, 5);
        answerWith(cancel);
        trigger(row.trigger);
        // Closing the window counts as Cancel.
        prompter.answerDialog([](QDialog &d) {
            d.reject();
            return int(QDialog::Rejected);
        });
        trigger(row.trigger);
        EXPECT_EQ(editor().text(), QStringLiteral("Hello"));
        EXPECT_FALSE(editor().modified());
    }
}

TEST_F(FormFieldSourceTest, theInputMenuItemKeepsTheTypeOfLastTimeAndMakesAnInputOfAButton)
{
    start("", 0, 0);
    answerWith("BitBtn2");
    trigger("ToolButtonPassword");
    answerWith("BitBtn2");
    trigger("Button1");

    // The menu item opens with the type used last (button) but clears the button flag, so the
    // same type now gives an input; the text button always opens with "text".
    editor().setText(QString());
    prompter.answerDialog([](QDialog &d) {
        EXPECT_EQ(d.findChild<QComboBox *>(QStringLiteral("ComboBoxType"))->currentText(), QStringLiteral("button"));
        d.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        return d.result();
    });
    trigger("Inputbox1");
    EXPECT_EQ(editor().text(), QStringLiteral("<br><input name=\"button1\" type=\"button\" value=\"Default text\" "
                                              "onclick=\"alert('Use JavaScript');\">"));

    editor().setText(QString());
    answerWith("BitBtn2");
    trigger("ToolButtonInput");
    EXPECT_EQ(editor().text(), kTextField);
}

TEST_F(FormFieldSourceTest, typedValuesAreEscapedInTheField)
{
    start("", 0, 0);
    prompter.answerDialog([](QDialog &d) {
        d.findChild<QLineEdit *>(QStringLiteral("EditValue"))->setText(QStringLiteral("</textarea><b>\"x\"&"));
        d.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        return d.result();
    });
    trigger("ToolButtonArea");
    EXPECT_EQ(editor().text(), QStringLiteral("<br><textarea name=\"textarea1\" cols=\"50\" rows=\"5\" wrap=\"hard\">"
                                              "&lt;/textarea&gt;&lt;b&gt;\"x\"&amp;</textarea><br>"));
}
