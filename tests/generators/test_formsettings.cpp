#include "generators/formsettings.h"
#include "teststrings.h"

#include "teststrings.h"
#include "dialogtest.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

using namespace korvel;
using test::child;
using test::ScriptedPrompter;

namespace {


class LinkDialogTest : public ::testing::Test {
protected:
    // The person fills the dialog and presses OK as often as the test says.
    void answer(std::function<void(TFormSettings &)> act)
    {
        prompter.answerDialog([act](QDialog &d) {
            act(static_cast<TFormSettings &>(d));
            return d.result();
        });
    }
    static void type(TFormSettings &d, const char *name, const QString &text)
    {
        child<QLineEdit>(d, name)->setText(text);
    }
    static void ok(TFormSettings &d) { child<QPushButton>(d, "BitBtn1")->click(); }

    ScriptedPrompter prompter;
    TFormSettings dialog{prompter};
};

} // namespace

TEST_F(LinkDialogTest, aSelectedWordBecomesTheDescriptionOfAWebLink)
{
    QString shownName;
    answer([&](TFormSettings &d) {
        shownName = child<QLineEdit>(d, "EditName")->text();
        EXPECT_EQ(child<QLineEdit>(d, "EditColor")->text(), S("Home"));
        EXPECT_TRUE(child<QRadioButton>(d, "RadioButton1")->isChecked());
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentText(), S("_blank"));
        type(d, "EditName", S("index.html"));
        ok(d);
    });
    dialog.EditName->setText(S("kept from before"));
    EXPECT_EQ(runLinkDialog(dialog, prompter, 1, S("Home")),
              S("<a  href=\"http://index.html\" target=\"_blank\">Home</a>"));
    EXPECT_EQ(shownName, S("kept from before"));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{S("TFormSettings")});
    // OK empties address and description, but the accepted values stay readable.
    EXPECT_TRUE(dialog.EditName->text().isEmpty());
    EXPECT_TRUE(dialog.EditColor->text().isEmpty());
    EXPECT_EQ(dialog.acceptedFields().address, S("index.html"));
    EXPECT_EQ(dialog.acceptedFields().description, S("Home"));
    EXPECT_EQ(dialog.acceptedFields().target, S("_blank"));
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(LinkDialogTest, selectedAddressesPresetTheirKind)
{
    const struct {
        const char *selection;
        const char *checked;
        const char *label;
        bool targetEnabled;
    } cases[] = {
        {"#intro", "RadioButton3", "#Chapter", false},
        {"a@b.de", "RadioButton2", "Mail", false},
        {"http://x.de/a.html#top", "RadioButton1", "Url", true},
    };
    for (const auto &c : cases) {
        answer([&](TFormSettings &d) {
            EXPECT_TRUE(child<QRadioButton>(d, c.checked)->isChecked()) << c.selection;
            EXPECT_EQ(child<QLabel>(d, "Label1")->text(), S(c.label)) << c.selection;
            EXPECT_EQ(d.EditName->text(), S(c.selection));
            EXPECT_EQ(d.EditColor->text(), S(c.selection));
            EXPECT_EQ(d.ComboBox1->isEnabled(), c.targetEnabled) << c.selection;
            return d.reject();
        });
        EXPECT_EQ(runLinkDialog(dialog, prompter, 1, S(c.selection)), std::nullopt);
    }
}

TEST_F(LinkDialogTest, cancelGivesNothingAndEmptiesAddressAndDescription)
{
    answer([](TFormSettings &d) {
        type(d, "EditName", S("x.de"));
        child<QPushButton>(d, "BitBtn2")->click();
    });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 0, S("Text")), std::nullopt);
    EXPECT_TRUE(dialog.EditName->text().isEmpty());
    EXPECT_TRUE(dialog.EditColor->text().isEmpty());
    EXPECT_TRUE(dialog.Result.isEmpty());

    // Esc is Cancel; closing the window otherwise keeps the fields.
    answer([](TFormSettings &d) {
        type(d, "EditName", S("x.de"));
        QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&d, &esc);
    });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 0, S("Text")), std::nullopt);
    EXPECT_TRUE(dialog.EditName->text().isEmpty());

    answer([](TFormSettings &d) { type(d, "EditName", S("x.de")); });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 0, S("Text")), std::nullopt);
    EXPECT_EQ(dialog.EditName->text(), S("x.de"));
    EXPECT_EQ(dialog.EditColor->text(), S("Text"));
}

TEST_F(LinkDialogTest, failedChecksKeepTheDialogOpenUntilTheFieldsAreRight)
{
    answer([&](TFormSettings &d) {
        d.EditColor->clear();
        type(d, "EditName", S("x.de"));
        ok(d);
        EXPECT_EQ(prompter.lastText(), S("Bitte eine Beschreibung eingeben."));
        EXPECT_EQ(prompter.messages().last().kind, MessageKind::Plain);
        EXPECT_TRUE(d.Result.isEmpty());
        EXPECT_EQ(d.EditName->text(), S("x.de"));

        child<QRadioButton>(d, "RadioButton2")->click();
        type(d, "EditName", S("MAILTO:info@x.de"));
        ok(d);
        EXPECT_EQ(prompter.lastText(), S("Bitte geben Sie eine gültige Emailadresse ein."));
        EXPECT_EQ(d.EditName->text(), S("info@x.de"));

        type(d, "EditColor", S("Schreiben Sie uns"));
        ok(d);
    });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 0, QString()),
              S("<a href=\"mailto:info@x.de\">Schreiben Sie uns</a>"));
    EXPECT_EQ(prompter.messages().size(), 2);
}

TEST_F(LinkDialogTest, anAnchorThatLooksLikeAWebAddressIsOnlyWrittenAfterYes)
{
    answer([&](TFormSettings &d) {
        child<QRadioButton>(d, "RadioButton3")->click();
        type(d, "EditName", S("#www.x.de"));
        type(d, "EditColor", S("Oben"));
        prompter.answer(Answer::No);
        ok(d);
        EXPECT_EQ(prompter.lastText(),
                  S("It seems you have entered an external Url for an internal anchor. Continue anyway?"));
        EXPECT_EQ(prompter.messages().last().kind, MessageKind::Confirmation);
        EXPECT_EQ(prompter.messages().last().buttons, Buttons::YesNo);
        EXPECT_EQ(d.EditName->text(), S("#www.x.de"));
        prompter.answer(Answer::Yes);
        ok(d);
    });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 1, QString()),
              S("<a href=\"#www.x.de\">This is an internal link:Oben</a>\r\n"
                "<a name=\"www.x.de\">Oben, place this anchor anywhere on the page</a>\r\n"));
    EXPECT_TRUE(prompter.allAnswersUsed());
}

TEST_F(LinkDialogTest, theKindButtonsSetTheLabelAndTheTargetBox)
{
    answer([](TFormSettings &d) {
        auto *target = child<QComboBox>(d, "ComboBox1");
        target->setEditText(S("myframe"));
        // Plain empties the target, text included, and keeps it enabled after the web kind...
        child<QRadioButton>(d, "RadioButton4")->click();
        EXPECT_EQ(target->currentText(), QString());
        EXPECT_EQ(target->currentIndex(), -1);
        EXPECT_TRUE(target->isEnabled());
        EXPECT_EQ(d.Label1->text(), S("Url"));
        // ... and disabled after the mail kind.
        target->setEditText(S("other"));
        child<QRadioButton>(d, "RadioButton2")->click();
        EXPECT_FALSE(target->isEnabled());
        EXPECT_EQ(target->currentText(), QString());
        child<QRadioButton>(d, "RadioButton4")->click();
        EXPECT_FALSE(target->isEnabled());
        EXPECT_EQ(d.Label1->text(), S("Url"));
        child<QRadioButton>(d, "RadioButton3")->click();
        EXPECT_EQ(d.Label1->text(), S("#Überschrift"));
        child<QRadioButton>(d, "RadioButton1")->click();
        EXPECT_TRUE(target->isEnabled());
        EXPECT_EQ(target->currentText(), S("_blank"));

        child<QRadioButton>(d, "RadioButton4")->click();
        type(d, "EditName", S("index.html"));
        type(d, "EditColor", S("Start"));
        type(d, "EditMyTitle", S("Zur Startseite"));
        ok(d);
    });
    EXPECT_EQ(runLinkDialog(dialog, prompter, 0, QString()),
              S("<a title=\"Zur Startseite\" href=\"index.html\">Start</a>"));
}

TEST_F(LinkDialogTest, showingEmptiesTheTitleAndSetsTheLanguage)
{
    dialog.EditMyTitle->setText(S("old"));
    for (int language : {0, 1}) {
        QStringList texts;
        answer([&](TFormSettings &d) {
            EXPECT_TRUE(child<QLineEdit>(d, "EditMyTitle")->text().isEmpty());
            texts << d.windowTitle() << child<QGroupBox>(d, "GroupBox1")->title()
                  << child<QRadioButton>(d, "RadioButton4")->text()
                  << child<QRadioButton>(d, "RadioButton3")->toolTip()
                  << child<QPushButton>(d, "BitBtn2")->text();
            d.reject();
        });
        runLinkDialog(dialog, prompter, language, QString());
        if (language == 0)
            EXPECT_EQ(texts, (QStringList{S("HTML Link erstellen"), S("Protokoll"), S("ohne"),
                                          S("Kapitel/Abschnitt der aktuellen Seite verlinken"), S("Abbrechen")}));
        else
            EXPECT_EQ(texts, (QStringList{S("Create link"), S("Protocol"), S("none"),
                                          S("Link to chapter of the current document"), S("Cancel")}));
    }
}

TEST_F(LinkDialogTest, namesTabOrderFocusAndHelp)
{
    QList<int> help;
    dialog.setHelpHandler([&](int context) { help << context; });
    answer([](TFormSettings &d) {
        d.show();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), child<QLineEdit>(d, "EditName"));
        EXPECT_EQ(test::tabOrder(d, "RadioButton1", 10),
                  (QStringList{S("RadioButton1"), S("RadioButton2"), S("RadioButton3"), S("RadioButton4"),
                               S("EditName"), S("EditColor"), S("EditMyTitle"), S("ComboBox1"),
                               S("BitBtn1"), S("BitBtn2")}));
        EXPECT_TRUE(child<QPushButton>(d, "BitBtn1")->isDefault());
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QApplication::sendEvent(d.EditColor, &f1);
        d.reject();
    });
    runLinkDialog(dialog, prompter, 1, QString());
    EXPECT_EQ(help, QList<int>{140});
}
