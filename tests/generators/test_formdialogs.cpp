#include "generators/formcommands.h"
#include "generators/tformformular.h"
#include "generators/tforminput.h"

#include "scriptedprompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace korvel;
using test::ScriptedPrompter;

namespace {

template <typename T>
T *child(QObject &parent, const char *name)
{
    T *found = parent.findChild<T *>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control " << name;
    return found;
}

QString text(QObject &dialog, const char *name)
{
    return child<QLineEdit>(dialog, name)->text();
}

void type(QObject &dialog, const char *name, const QString &value)
{
    child<QLineEdit>(dialog, name)->setText(value);
}

// Clicks a dialog button the way a person would and answers with the code it closed with.
int press(QDialog &dialog, const char *button)
{
    child<QPushButton>(dialog, button)->click();
    return dialog.result();
}

const QString kSampleForm = QStringLiteral(
    "\r\n<form name=\"MyForm\" action=\"mailto:info@example.com\" method=\"get\" "
    "enctype=\"application/x-www-form-urlencoded\" >\r\n<br>My New Form \r\n<br>\r\n"
    "<input name=\"MyInput\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Enter text\">\r\n"
    "<br><input type=\"submit\" value=\" Submit \">\r\n"
    "<input type=\"reset\" value=\" Reset \">\r\n</form>\r\n");

class FormDialogsTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(prompter.unexpected().isEmpty()); }

    ScriptedPrompter prompter;
    TFormFormular form;
    TFormInput input{prompter};
};

} // namespace

TEST_F(FormDialogsTest, theFormDialogAcceptedAsItOpensGivesTheSampleFormBeforeTheSelection)
{
    prompter.answerDialog([](QDialog &d) { return press(d, "BitBtn1"); });
    EXPECT_EQ(runFormDialog(form, prompter, 0, QStringLiteral("Hello")), kSampleForm + QStringLiteral("Hello"));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{QStringLiteral("TFormFormular")});
}

TEST_F(FormDialogsTest, theFormDialogBuildsWhatWasFilledIn)
{
    prompter.answerDialog([](QDialog &d) {
        type(d, "EditName", QStringLiteral("Anfrage \"Müller\""));
        type(d, "EditAction", QStringLiteral("mailto:a@b.de?subject=Hallo&cc=c@d.de"));
        type(d, "EditSubmit", QStringLiteral("check()"));
        child<QCheckBox>(d, "CheckReset")->setChecked(false);
        child<QCheckBox>(d, "CheckInput")->setChecked(false);
        child<QCheckBox>(d, "CheckUpload")->click();
        return press(d, "BitBtn1");
    });
    EXPECT_EQ(runFormDialog(form, prompter, 1, QString()),
              QStringLiteral("\r\n<form name=\"Anfrage &quot;Müller&quot;\" action=\"mailto:a@b.de?subject=Hallo&amp;cc=c@d.de\" "
                             "method=\"post\" enctype=\"multipart/form-data\"   onsubmit=\"check()\">\r\n"
                             "<br>My New Form \r\n<br>\r\n"
                             "<input name=\"Upload\" type=\"file\" size=\"50\" maxlength=\"100000\" accept=\"text/*\">\r\n"
                             "<br><input type=\"submit\" value=\" Submit \">\r\n</form>\r\n"));

    // The dialog keeps what was typed for its next showing.
    prompter.answerDialog([](QDialog &d) {
        EXPECT_EQ(text(d, "EditName"), QStringLiteral("Anfrage \"Müller\""));
        EXPECT_EQ(text(d, "EditSubmit"), QStringLiteral("check()"));
        EXPECT_TRUE(child<QCheckBox>(d, "CheckUpload")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(d, "CheckReset")->isChecked());
        return press(d, "BitBtn2");
    });
    EXPECT_EQ(runFormDialog(form, prompter, 1, QString()), std::nullopt);
}

TEST_F(FormDialogsTest, theUploadBoxSwitchesMethodAndEncoding)
{
    auto *method = child<QComboBox>(form, "Method");
    auto *encType = child<QComboBox>(form, "EncType");
    auto *upload = child<QCheckBox>(form, "CheckUpload");
    EXPECT_EQ(method->currentText(), QStringLiteral("get"));
    EXPECT_EQ(encType->currentText(), QStringLiteral("application/x-www-form-urlencoded"));
    EXPECT_EQ(method->count(), 3);
    EXPECT_EQ(method->itemText(2), QString());
    EXPECT_TRUE(method->isEditable() && encType->isEditable());

    upload->click();
    EXPECT_EQ(method->currentText(), QStringLiteral("post"));
    EXPECT_EQ(encType->currentText(), QStringLiteral("multipart/form-data"));
    upload->click();
    EXPECT_EQ(method->currentText(), QStringLiteral("post"));
    EXPECT_EQ(encType->currentText(), QStringLiteral("application/x-www-form-urlencoded"));
}

TEST_F(FormDialogsTest, cancellingOrClosingEitherDialogInsertsNothing)
{
    prompter.answerDialog([](QDialog &d) { return press(d, "BitBtn2"); });
    prompter.answerDialog([](QDialog &d) {
        d.close();
        return d.result();
    });
    prompter.answerDialog([](QDialog &d) { return press(d, "BitBtn3"); });
    prompter.answerDialog([](QDialog &d) {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &escape);
        return d.result();
    });
    EXPECT_EQ(runFormDialog(form, prompter, 0, QStringLiteral("sel")), std::nullopt);
    EXPECT_EQ(runFormDialog(form, prompter, 0, QStringLiteral("sel")), std::nullopt);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Input, QStringLiteral("sel")), std::nullopt);
    EXPECT_TRUE(input.result().isEmpty());
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Area, QStringLiteral("sel")), std::nullopt);
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(FormDialogsTest, theFormDialogSpeaksTheCallersLanguage)
{
    struct Case {
        int language;
        const char *submit, *reset, *input, *upload, *cancel;
    };
    const Case cases[] = {
        {0, "Submit Button einfügen", "Reset Button einfügen", "Eingabefeld einfügen", "Datei Upload einfügen", "Abbrechen"},
        {1, "Insert submit button", "Insert reset button", "Insert input", "Insert file upload", "Cancel"},
        {7, "Insert submit button", "Insert reset button", "Insert input", "Insert file upload", "Cancel"},
        {0, "Submit Button einfügen", "Reset Button einfügen", "Eingabefeld einfügen", "Datei Upload einfügen", "Abbrechen"},
    };
    for (const Case &c : cases) {
        prompter.answerDialog([&](QDialog &d) {
            EXPECT_EQ(child<QCheckBox>(d, "CheckSubmit")->text(), QString::fromUtf8(c.submit));
            EXPECT_EQ(child<QCheckBox>(d, "CheckReset")->text(), QString::fromUtf8(c.reset));
            EXPECT_EQ(child<QCheckBox>(d, "CheckInput")->text(), QString::fromUtf8(c.input));
            EXPECT_EQ(child<QCheckBox>(d, "CheckUpload")->text(), QString::fromUtf8(c.upload));
            EXPECT_EQ(child<QPushButton>(d, "BitBtn2")->text(), QString::fromUtf8(c.cancel));
            EXPECT_EQ(child<QPushButton>(d, "BitBtn1")->text(), QStringLiteral("OK"));
            EXPECT_EQ(child<QLabel>(d, "LabelAction")->text(), QStringLiteral("Action (Mail/URL)"));
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Forms"));
            return press(d, "BitBtn2");
        });
        runFormDialog(form, prompter, c.language, QString());
    }
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(FormDialogsTest, theInspectorCanHideTheInsertionControlsAndShowThemAgain)
{
    form.setInsertionControlsShown(false);
    EXPECT_TRUE(child<QLineEdit>(form, "EditSubmit")->isHidden());
    EXPECT_TRUE(child<QLabel>(form, "LabelSubmit")->isHidden());
    for (const char *box : {"CheckSubmit", "CheckReset", "CheckInput", "CheckUpload"})
        EXPECT_FALSE(child<QCheckBox>(form, box)->isEnabled()) << box;
    form.setInsertionControlsShown(true);
    EXPECT_FALSE(child<QLineEdit>(form, "EditSubmit")->isHidden());
    EXPECT_FALSE(child<QLabel>(form, "LabelSubmit")->isHidden());
    for (const char *box : {"CheckSubmit", "CheckReset", "CheckInput", "CheckUpload"})
        EXPECT_TRUE(child<QCheckBox>(form, box)->isEnabled()) << box;

    FormFields attributes = form.fields();
    attributes.name = QStringLiteral("Kontakt");
    attributes.method = QStringLiteral("POST");
    attributes.encType = QStringLiteral("text/plain");
    form.setFields(attributes);
    EXPECT_EQ(form.fields().name, QStringLiteral("Kontakt"));
    EXPECT_EQ(form.fields().method, QStringLiteral("POST"));
    EXPECT_EQ(form.fields().encType, QStringLiteral("text/plain"));
}

TEST_F(FormDialogsTest, eachFieldCommandOpensTheDialogWithItsTypeAndGivesItsField)
{
    struct Case {
        FieldButton button;
        const char *type, *name, *sizeLabel, *lengthLabel, *length;
        QString expected;
    };
    const Case cases[] = {
        {FieldButton::Input, "text", "input1", "Size", "MaxLength", "50",
         QStringLiteral("<br>Enter text:<br><input name=\"input1\" type=\"text\" size=\"50\" maxlength=\"50\" value=\"Default text\">")},
        {FieldButton::Password, "password", "password1", "Size", "MaxLength", "50",
         QStringLiteral("<br>Enter password:<br><input name=\"password1\" type=\"password\" size=\"50\" maxlength=\"50\">")},
        {FieldButton::Upload, "file", "file1", "Size", "MaxLength", "50",
         QStringLiteral("<br>File:<br><input name=\"file1\" type=\"file\" size=\"50\" value=\"\">")},
        {FieldButton::Hidden, "hidden", "hidden1", "Size", "MaxLength", "50",
         QStringLiteral("<br><input name=\"hidden1\" type=\"hidden\" value=\"Default text\">")},
        {FieldButton::Button, "button", "button1", "Size", "MaxLength", "50",
         QStringLiteral("<br><button name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">\r\n"
                        "Default text<br>\r\n</button><br>")},
        {FieldButton::Radio, "radio", "radiobutton1", "Size", "MaxLength", "50",
         QStringLiteral("<br><input name=\"radiobutton1\" type=\"radio\" value=\"Default text\">Default text<br>")},
        {FieldButton::Check, "checkbox", "checkbox1", "Size", "MaxLength", "50",
         QStringLiteral("<br><input name=\"checkbox1\" type=\"checkbox\" value=\"Default text\">Default text<br>")},
        {FieldButton::Area, "textarea", "textarea1", "Cols", "Rows", "5",
         QStringLiteral("<br><textarea name=\"textarea1\" cols=\"50\" rows=\"5\" wrap=\"hard\">Default text</textarea><br>")},
    };
    for (const Case &c : cases) {
        prompter.answerDialog([&](QDialog &d) {
            EXPECT_EQ(child<QComboBox>(d, "ComboBoxType")->currentText(), QLatin1String(c.type));
            EXPECT_EQ(text(d, "EditName"), QLatin1String(c.name));
            EXPECT_EQ(child<QLabel>(d, "LabelSize")->text(), QLatin1String(c.sizeLabel));
            EXPECT_EQ(child<QLabel>(d, "LabelLength")->text(), QLatin1String(c.lengthLabel));
            EXPECT_EQ(text(d, "EditLength"), QLatin1String(c.length));
            return press(d, "BitBtn2");
        });
        EXPECT_EQ(runFieldCommand(input, prompter, 1, c.button, QStringLiteral("Hello")), c.expected + QStringLiteral("Hello"))
            << c.type;
    }
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(FormDialogsTest, theListCommandsGiveTheirFixedListsWithoutADialog)
{
    const std::optional<QString> list = runFieldCommand(input, prompter, 0, FieldButton::List, QStringLiteral("Hello"));
    ASSERT_TRUE(list);
    EXPECT_TRUE(list->startsWith(QStringLiteral("<select name=\"Selectbox1\" size=\"3\"\r\n")));
    EXPECT_TRUE(list->endsWith(QStringLiteral("</select>\r\nHello")));
    const std::optional<QString> dropDown = runFieldCommand(input, prompter, 0, FieldButton::Dropdown, QString());
    ASSERT_TRUE(dropDown);
    EXPECT_TRUE(dropDown->startsWith(QStringLiteral("<select name=\"Dropbox1\" size=\"1\"\r\n")));
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
}

TEST_F(FormDialogsTest, theInputMenuItemOpensWithTheTypeUsedBeforeAndTheTextButtonAlwaysWithText)
{
    auto typeShown = [this](FieldButton button) {
        QString shown;
        prompter.answerDialog([&](QDialog &d) {
            shown = child<QComboBox>(d, "ComboBoxType")->currentText();
            // Switching the type in the dialog does not change what the menu opens with next.
            child<QComboBox>(d, "ComboBoxType")->setCurrentIndex(TypeImage);
            return press(d, "BitBtn3");
        });
        runFieldCommand(input, prompter, 0, button, QString());
        return shown;
    };
    EXPECT_EQ(typeShown(FieldButton::InputboxMenu), QStringLiteral("text"));
    EXPECT_EQ(typeShown(FieldButton::Password), QStringLiteral("password"));
    EXPECT_EQ(typeShown(FieldButton::InputboxMenu), QStringLiteral("password"));
    EXPECT_EQ(typeShown(FieldButton::Area), QStringLiteral("textarea"));
    EXPECT_EQ(typeShown(FieldButton::InputboxMenu), QStringLiteral("textarea"));
    EXPECT_EQ(typeShown(FieldButton::Input), QStringLiteral("text"));
}

TEST_F(FormDialogsTest, theButtonFlagStaysSetUntilAnInputCommandClearsIt)
{
    auto asButton = [](QDialog &d) {
        child<QComboBox>(d, "ComboBoxType")->setCurrentIndex(TypeButton);
        type(d, "EditImage", QStringLiteral("knopf.gif"));
        return press(d, "BitBtn2");
    };
    const QString element = QStringLiteral(
        "<br><button name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">\r\n"
        "<img src=\"knopf.gif\"  alt=\"Default text\"><br>\r\n</button><br>");
    const QString plain = QStringLiteral(
        "<br><input name=\"button1\" type=\"button\" value=\"Default text\" onclick=\"alert('Use JavaScript');\">");

    prompter.answerDialog(asButton);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Button, QString()), element);
    prompter.answerDialog(asButton);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Radio, QString()), element);
    prompter.answerDialog(asButton);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Check, QString()), element);
    prompter.answerDialog(asButton);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::InputboxMenu, QString()), plain);
    prompter.answerDialog(asButton);
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Radio, QString()), plain);

    // In the designer the input commands clear the flag as well; the others leave it.
    input.ButtonElement = true;
    noteDesignerFieldCommand(input, FieldButton::Radio);
    noteDesignerFieldCommand(input, FieldButton::Area);
    EXPECT_TRUE(input.ButtonElement);
    noteDesignerFieldCommand(input, FieldButton::Hidden);
    EXPECT_FALSE(input.ButtonElement);
    input.ButtonElement = true;
    noteDesignerFieldCommand(input, FieldButton::InputboxMenu);
    EXPECT_FALSE(input.ButtonElement);
}

TEST_F(FormDialogsTest, aTypedTypeDecidesNameLabelsAndField)
{
    auto *combo = child<QComboBox>(input, "ComboBoxType");
    struct Case {
        int picked;
        const char *typed, *name, *lengthLabel, *length;
    };
    const Case cases[] = {
        {TypeTextarea, "text", "input1", "MaxLength", "50"},
        {TypeText, "textarea", "textarea1", "Rows", "5"},
        {TypeText, "Text", "input1", "MaxLength", "50"},
        {TypeText, "email", "textarea1", "Rows", "5"},
        {TypeImage, "image", "textarea1", "Rows", "5"},
    };
    for (const Case &c : cases) {
        combo->setCurrentIndex(c.picked);
        combo->setEditText(QLatin1String(c.typed));
        EXPECT_EQ(text(input, "EditName"), QLatin1String(c.name)) << c.typed;
        EXPECT_EQ(child<QLabel>(input, "LabelLength")->text(), QLatin1String(c.lengthLabel)) << c.typed;
        EXPECT_EQ(text(input, "EditLength"), QLatin1String(c.length)) << c.typed;
    }

    prompter.answerDialog([](QDialog &d) {
        child<QComboBox>(d, "ComboBoxType")->setEditText(QStringLiteral("Text"));
        type(d, "EditValue", QStringLiteral("Grüße & \"mehr\""));
        return press(d, "BitBtn2");
    });
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Input, QString()),
              QStringLiteral("<br>Enter text:<br><input name=\"input1\" type=\"Text\" size=\"50\" maxlength=\"50\" "
                             "value=\"Grüße &amp; &quot;mehr&quot;\">"));

    // A type that names no field is accepted but inserts nothing and says nothing.
    prompter.answerDialog([](QDialog &d) {
        child<QComboBox>(d, "ComboBoxType")->setEditText(QStringLiteral("email"));
        return press(d, "BitBtn2");
    });
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Input, QStringLiteral("Hello")), std::nullopt);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormDialogsTest, theFieldDialogKeepsTypedValuesButStartsTheNameAfresh)
{
    prompter.answerDialog([](QDialog &d) {
        type(d, "EditName", QStringLiteral("vorname"));
        type(d, "EditSize", QStringLiteral("20"));
        type(d, "EditValue", QStringLiteral("Max"));
        type(d, "EditClick", QStringLiteral("go()"));
        return press(d, "BitBtn2");
    });
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Input, QString()),
              QStringLiteral("<br>Enter text:<br><input name=\"vorname\" type=\"text\" size=\"20\" maxlength=\"50\" value=\"Max\">"));
    prompter.answerDialog([](QDialog &d) {
        EXPECT_EQ(text(d, "EditName"), QStringLiteral("input1"));
        EXPECT_EQ(text(d, "EditSize"), QStringLiteral("20"));
        EXPECT_EQ(text(d, "EditValue"), QStringLiteral("Max"));
        EXPECT_EQ(text(d, "EditClick"), QStringLiteral("go()"));
        return press(d, "BitBtn3");
    });
    runFieldCommand(input, prompter, 0, FieldButton::Input, QString());
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(FormDialogsTest, theFieldDialogSpeaksTheCallersLanguage)
{
    struct Case {
        int language;
        const char *name, *size, *length, *type, *value, *image, *cancel;
    };
    const Case cases[] = {
        {0, "Name des Feldes", "Grösse", "Maximale Anzahl Zeichen", "Typ des Feldes", "Wert", "Grafik Schaltfläche", "Abbrechen"},
        {1, "Name attribute", "Size", "Max length(number of characters)", "Type attribute", "Value", "Button graphics", "Cancel"},
        {0, "Name des Feldes", "Grösse", "Maximale Anzahl Zeichen", "Typ des Feldes", "Wert", "Grafik Schaltfläche", "Abbrechen"},
    };
    for (const Case &c : cases) {
        prompter.answerDialog([&](QDialog &d) {
            EXPECT_EQ(child<QLabel>(d, "LabelName")->toolTip(), QString::fromUtf8(c.name));
            EXPECT_EQ(child<QLabel>(d, "LabelSize")->toolTip(), QString::fromUtf8(c.size));
            EXPECT_EQ(child<QLabel>(d, "LabelLength")->toolTip(), QString::fromUtf8(c.length));
            EXPECT_EQ(child<QLabel>(d, "LabelType")->toolTip(), QString::fromUtf8(c.type));
            EXPECT_EQ(child<QLabel>(d, "LabelValue")->toolTip(), QString::fromUtf8(c.value));
            EXPECT_EQ(child<QLabel>(d, "LabelImage")->text(), QString::fromUtf8(c.image));
            EXPECT_EQ(child<QPushButton>(d, "BitBtn3")->text(), QString::fromUtf8(c.cancel));
            EXPECT_EQ(child<QLabel>(d, "LabelValue")->text(), QStringLiteral("Value/Alt"));
            EXPECT_EQ(d.windowTitle(), QStringLiteral("Input"));
            return press(d, "BitBtn3");
        });
        runFieldCommand(input, prompter, c.language, FieldButton::Check, QString());
    }
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(FormDialogsTest, browsingKeepsOnlyThePicturesFileName)
{
    prompter.answerOpenFile(QStringLiteral("/home/anna/Bilder/Knöpfe/senden.gif"));
    child<QPushButton>(input, "BitBtn1")->click();
    EXPECT_EQ(text(input, "EditImage"), QStringLiteral("senden.gif"));
    ASSERT_EQ(prompter.fileRequests().size(), 1);
    const QString filter = qtFileFilter(prompter.fileRequests().first().filter);
    EXPECT_TRUE(filter.contains(QStringLiteral("*.jpg *.jpeg *.png"))) << qPrintable(filter);
    EXPECT_TRUE(filter.endsWith(QStringLiteral(";;All (*)"))) << qPrintable(filter);

    // A cancelled file dialog leaves the picture as it was.
    prompter.answerOpenFile(QString());
    child<QPushButton>(input, "BitBtn1")->click();
    EXPECT_EQ(text(input, "EditImage"), QStringLiteral("senden.gif"));
}

TEST_F(FormDialogsTest, f1InEitherDialogAsksForTheFormsHelp)
{
    QList<int> asked;
    form.setHelpHandler([&](int context) { asked << context; });
    input.setHelpHandler([&](int context) { asked << context; });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&form, &f1);
    QApplication::sendEvent(&input, &f1);
    EXPECT_EQ(asked, (QList<int>{150, 150}));
}

TEST_F(FormDialogsTest, returnInAFieldAcceptsWithTheBuiltFragment)
{
    auto pressReturnIn = [](const char *field) {
        return [field](QDialog &d) {
            d.show();
            QLineEdit *edit = child<QLineEdit>(d, field);
            edit->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(edit, &press);
            return d.result();
        };
    };
    prompter.answerDialog(pressReturnIn("EditName"));
    EXPECT_EQ(runFormDialog(form, prompter, 0, QString()), kSampleForm);
    prompter.answerDialog(pressReturnIn("EditValue"));
    EXPECT_EQ(runFieldCommand(input, prompter, 0, FieldButton::Hidden, QString()),
              QStringLiteral("<br><input name=\"hidden1\" type=\"hidden\" value=\"Default text\">"));
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(input.isVisible());
}
