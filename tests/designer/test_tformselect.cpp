#include "designer/tformselect.h"
#include "teststrings.h"

#include "scriptedprompter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace korvel;
using korvel::test::ScriptedPrompter;

namespace {


class TFormSelectTest : public ::testing::Test {
protected:
    TFormSelectTest() { form.setItems({S("<B>"), S("<P>"), S("<BODY>")}); }

    // Answers the next showing by selecting `row` and pressing `button`.
    void pressWithRow(int row, const char *button)
    {
        prompter.answerDialog([row, button](QDialog &dialog) {
            auto &select = static_cast<TFormSelect &>(dialog);
            select.ListBox1->setCurrentRow(row);
            select.findChild<QPushButton *>(QLatin1String(button))->click();
            return dialog.result();
        });
    }

    ScriptedPrompter prompter;
    TFormSelect form;
};

} // namespace

TEST_F(TFormSelectTest, showsItsCaptionsInTheLanguageOfTheFlag)
{
    const struct {
        int language;
        const char *title;
        const char *label;
        const char *action;
        const char *cancel;
    } cases[] = {
        {0, "Element wählen", "Aktuelle HTML Elemente", "Eigenschaften", "Abbrechen"},
        {1, "Select an element", "Current elements", "Properties", "Cancel"},
        {2, "Select an element", "Current elements", "Properties", "Cancel"},
        {0, "Element wählen", "Aktuelle HTML Elemente", "Eigenschaften", "Abbrechen"},
    };
    for (const auto &c : cases) {
        form.UiLanguage = c.language;
        form.FormShow();
        EXPECT_EQ(form.windowTitle(), S(c.title)) << c.language;
        EXPECT_EQ(form.findChild<QLabel *>(QStringLiteral("Label1"))->text(), S(c.label)) << c.language;
        EXPECT_EQ(form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->text(), S(c.action)) << c.language;
        EXPECT_EQ(form.findChild<QPushButton *>(QStringLiteral("BitBtn3"))->text(), S(c.cancel)) << c.language;
    }
}

TEST_F(TFormSelectTest, startsEachShowingWithoutChoiceAndWithTheFirstEntrySelected)
{
    form.Choice = 2;
    form.ListBox1->setCurrentRow(2);
    int choiceWhenShown = 99;
    int rowWhenShown = 99;
    prompter.answerDialog([&](QDialog &dialog) {
        auto &select = static_cast<TFormSelect &>(dialog);
        choiceWhenShown = select.Choice;
        rowWhenShown = select.ListBox1->currentRow();
        select.BitBtn2->click();
        return dialog.result();
    });
    EXPECT_EQ(form.execute(prompter), 0);
    EXPECT_EQ(choiceWhenShown, -1);
    EXPECT_EQ(rowWhenShown, 0);
    EXPECT_EQ(prompter.dialogsShown(), QStringList{S("TFormSelect")});
}

TEST_F(TFormSelectTest, answersTheIndexOfTheEntrySelectedWhenTheActionButtonIsPressed)
{
    pressWithRow(2, "BitBtn2");
    EXPECT_EQ(form.execute(prompter), 2);
    EXPECT_EQ(form.Choice, 2);
    EXPECT_EQ(form.ListBox1->item(form.Choice)->text(), S("<BODY>"));
}

TEST_F(TFormSelectTest, answersNoChoiceWhenCancelledClosedOrEmpty)
{
    pressWithRow(1, "BitBtn3");
    EXPECT_EQ(form.execute(prompter), -1);

    // Closed by the window's own button after an entry was selected.
    prompter.answerDialog([](QDialog &dialog) {
        static_cast<TFormSelect &>(dialog).ListBox1->setCurrentRow(1);
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(form.execute(prompter), -1);
    EXPECT_EQ(form.Choice, -1);

    form.setItems({});
    prompter.answerDialog([](QDialog &dialog) {
        static_cast<TFormSelect &>(dialog).BitBtn2->click();
        return dialog.result();
    });
    EXPECT_EQ(form.execute(prompter), -1);
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(TFormSelectTest, keepsAnOtherActionCaptionUntilItIsGivenBackToTheLanguage)
{
    form.setItems({S("DIV"), S("SPAN"), S("P")});
    form.setActionCaption(S("Delete Tag"));
    QString captionShown;
    prompter.answerDialog([&](QDialog &dialog) {
        auto &select = static_cast<TFormSelect &>(dialog);
        captionShown = select.BitBtn2->text();
        select.ListBox1->setCurrentRow(1);
        select.BitBtn2->click();
        return dialog.result();
    });
    form.UiLanguage = 1;
    EXPECT_EQ(form.execute(prompter), 1);
    EXPECT_EQ(captionShown, S("Delete Tag"));

    form.setActionCaption(QString());
    EXPECT_EQ(form.BitBtn2->text(), S("Properties"));
    form.UiLanguage = 0;
    form.FormShow();
    EXPECT_EQ(form.BitBtn2->text(), S("Eigenschaften"));
}

TEST_F(TFormSelectTest, asksForHelpTopicEightyOnF1)
{
    int topic = 0;
    form.setHelpHandler([&](int context) { topic = context; });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&form, &f1);
    EXPECT_EQ(topic, 80);
}
