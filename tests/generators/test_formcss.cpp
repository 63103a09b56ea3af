#include "generators/formcss.h"
#include "teststrings.h"

#include "teststrings.h"
#include "dialogtest.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace korvel;
using test::child;
using test::ScriptedPrompter;

namespace {


const char *const kDefaultBlock =
    "<style type=\"text/css\">\r\n<!--\r\n.myClass{\r\nfont-family:Arial,Helvetica;\r\nfont-size:12pt;\r\n"
    "}\r\n-->\r\n</style>";

class CssDialogTest : public ::testing::Test {
protected:
    void answer(std::function<void(TFormCss &)> act)
    {
        prompter.answerDialog([act](QDialog &d) {
            act(static_cast<TFormCss &>(d));
            return d.result();
        });
    }
    static void ok(TFormCss &d) { child<QPushButton>(d, "BitBtn1")->click(); }

    ScriptedPrompter prompter;
    TFormCss dialog{prompter};
};

} // namespace

TEST_F(CssDialogTest, okWithTheDefaultsGivesTheDefaultBlock)
{
    answer([](TFormCss &d) { ok(d); });
    EXPECT_EQ(runCssDialog(dialog, prompter, 1), S(kDefaultBlock));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{S("TFormCss")});
}

TEST_F(CssDialogTest, typedAndChosenValuesAreWritten)
{
    answer([](TFormCss &d) {
        child<QLineEdit>(d, "EditClass")->setText(S(".hinweis"));
        child<QComboBox>(d, "ComboBoxWeight")->setCurrentText(S("light"));
        child<QComboBox>(d, "ComboBox2")->setCurrentIndex(2);
        child<QLineEdit>(d, "EditTop")->setText(S("10"));
        child<QLineEdit>(d, "EditFont")->setText(S("Verdana, \"Über\""));
        child<QLineEdit>(d, "EditFontSize")->clear();
        child<QLineEdit>(d, "EditBackUrl")->setText(S("bg 1.png"));
        ok(d);
    });
    EXPECT_EQ(runCssDialog(dialog, prompter, 0),
              S("<style type=\"text/css\">\r\n<!--\r\n.hinweis{\r\ntop:10px;\r\nfont-family:Verdana, \"Über\";\r\n"
                "font-weight:lighter;\r\ntext-align:center;\r\nbackground-image:url(\"bg 1.png\");\r\n}\r\n"
                "-->\r\n</style>"));
}

TEST_F(CssDialogTest, colourButtonsWriteTheChosenColourBesideThem)
{
    const struct {
        const char *button, *field;
        QColor colour;
        const char *text;
    } cases[] = {
        {"BitBtn5", "EditBColor", QColor(255, 0, 16), "#FF0010"},
        {"BitBtn4", "EditFColor", QColor(10, 171, 205), "#0AABCD"},
        {"BitBtn3", "EditBgColor", QColor(Qt::white), "#FFFFFF"},
    };
    for (const auto &c : cases) {
        prompter.answerColor(c.colour);
        child<QPushButton>(dialog, c.button)->click();
        EXPECT_EQ(child<QLineEdit>(dialog, c.field)->text(), S(c.text)) << c.button;
        prompter.answerColor(std::nullopt);
        child<QPushButton>(dialog, c.button)->click();
        EXPECT_EQ(child<QLineEdit>(dialog, c.field)->text(), S(c.text)) << c.button;
    }
    EXPECT_TRUE(prompter.allAnswersUsed());
    EXPECT_EQ(TFormCss::Color2HTML(QColor(1, 2, 3)), S("#010203"));
}

TEST_F(CssDialogTest, cancelGivesNothingAndTheFieldsStayForTheNextShowing)
{
    answer([](TFormCss &d) {
        child<QLineEdit>(d, "EditClass")->setText(S("#nav"));
        child<QComboBox>(d, "ComboRepeat")->setCurrentText(S("repeat-y"));
        child<QPushButton>(d, "BitBtn2")->click();
    });
    EXPECT_EQ(runCssDialog(dialog, prompter, 0), std::nullopt);
    QString selector, repeat;
    answer([&](TFormCss &d) {
        selector = child<QLineEdit>(d, "EditClass")->text();
        repeat = child<QComboBox>(d, "ComboRepeat")->currentText();
        d.reject();
    });
    EXPECT_EQ(runCssDialog(dialog, prompter, 0), std::nullopt);
    EXPECT_EQ(selector, S("#nav"));
    EXPECT_EQ(repeat, S("repeat-y"));

    // An empty selector leaves nothing to insert.
    answer([](TFormCss &d) {
        child<QLineEdit>(d, "EditClass")->clear();
        ok(d);
    });
    EXPECT_EQ(runCssDialog(dialog, prompter, 0), std::nullopt);
}

TEST_F(CssDialogTest, aFieldThatWouldEndTheStyleBlockKeepsTheDialogOpen)
{
    answer([&](TFormCss &d) {
        d.show();
        auto *font = child<QLineEdit>(d, "EditFont");
        font->setText(S("Arial</style><script>alert(1)</script>"));
        child<QLineEdit>(d, "EditClass")->setFocus();
        ok(d);
        EXPECT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.lastText(),
                  S("The field \"font-family\" contains \"</style\", which cannot stand in a style definition."));
        EXPECT_EQ(prompter.messages().last().kind, MessageKind::Warning);
        EXPECT_TRUE(d.Result.isEmpty());
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), font);
        font->setText(S("Arial,Helvetica"));
        ok(d);
    });
    EXPECT_EQ(runCssDialog(dialog, prompter, 1), S(kDefaultBlock));
}

TEST_F(CssDialogTest, headingsAndCancelFollowTheLanguage)
{
    for (int language : {0, 1}) {
        QStringList texts;
        answer([&](TFormCss &d) {
            for (const char *name : {"Label8", "Label25", "Label10", "Label16"})
                texts << child<QLabel>(d, name)->text();
            texts << child<QPushButton>(d, "BitBtn2")->text() << d.windowTitle();
            d.reject();
        });
        runCssDialog(dialog, prompter, language);
        if (language == 0)
            EXPECT_EQ(texts, (QStringList{S("Verschiedenes/Position"), S("Rahmen"), S("Schrift"),
                                          S("Hintergrund"), S("Abbrechen"), S("CSS ")}));
        else
            EXPECT_EQ(texts, (QStringList{S("Misc/Position"), S("Border"), S("Font"), S("Background"),
                                          S("Cancel"), S("CSS ")}));
    }
}

TEST_F(CssDialogTest, fieldsTabInTheOrderTheyAreWrittenAndCombosStartEmpty)
{
    EXPECT_EQ(test::tabOrder(dialog, "EditClass", 27),
              (QStringList{S("EditClass"), S("ComboBoxPosition"), S("EditTop"), S("EditLeft"), S("EditWidth"),
                           S("EditMargin"), S("EditBorder"), S("EditBColor"), S("BitBtn5"), S("ComboBStyle"),
                           S("EditPadding"), S("EditFont"), S("EditFontSize"), S("ComboBoxWeight"),
                           S("ComboBoxStyle"), S("EditFColor"), S("BitBtn4"), S("ComboBox1"), S("ComboBox2"),
                           S("EditBackUrl"), S("ComboRepeat"), S("ComboPosition"), S("ComboAttach"),
                           S("EditBgColor"), S("BitBtn3"), S("BitBtn1"), S("BitBtn2")}));
    for (QComboBox *combo : dialog.findChildren<QComboBox *>()) {
        EXPECT_TRUE(combo->isEditable()) << combo->objectName().toStdString();
        EXPECT_TRUE(combo->currentText().isEmpty()) << combo->objectName().toStdString();
    }
    auto *style = child<QComboBox>(dialog, "ComboBStyle");
    ASSERT_EQ(style->count(), 11);
    EXPECT_EQ(style->itemText(0), S("solid"));
    EXPECT_EQ(style->itemText(10), QString());
    EXPECT_EQ(child<QComboBox>(dialog, "ComboBoxWeight")->itemText(0), S("light"));

    QList<int> help;
    dialog.setHelpHandler([&](int context) { help << context; });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &f1);
    EXPECT_EQ(help, QList<int>{140});
}
