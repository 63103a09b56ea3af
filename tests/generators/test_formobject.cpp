#include "generators/formobject.h"
#include "teststrings.h"

#include "teststrings.h"
#include "dialogtest.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace korvel;
using test::child;
using test::ScriptedPrompter;

namespace {


class ObjectDialogTest : public ::testing::Test {
protected:
    void answer(std::function<void(TFormObject &)> act)
    {
        prompter.answerDialog([act](QDialog &d) {
            act(static_cast<TFormObject &>(d));
            return d.result();
        });
    }
    static void choose(TFormObject &d, const char *combo, const QString &text)
    {
        auto *box = child<QComboBox>(d, combo);
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static void click(TFormObject &d, const char *name) { child<QPushButton>(d, name)->click(); }
    static QString text(TFormObject &d, const char *name) { return child<QLineEdit>(d, name)->text(); }

    ScriptedPrompter prompter;
    TFormObject dialog;
};

} // namespace

TEST_F(ObjectDialogTest, okWithoutTypeWritesTheSizeAndPutsTheSelectionBehind)
{
    answer([](TFormObject &d) { click(d, "BitBtn1"); });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 0, S("<p>danach</p>")),
              S("\r\n<object width=\"300\" height=\"300\">\r\n</object>\r\n<p>danach</p>"));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{S("TFormObject")});
}

TEST_F(ObjectDialogTest, aChosenTypeFillsFieldsLabelsAndParameters)
{
    answer([](TFormObject &d) {
        child<QLineEdit>(d, "EditWidth")->setText(S("640"));
        choose(d, "ComboBox1", S("Flash"));
        EXPECT_EQ(text(d, "EditClass"), S("CLSID:D27CDB6E-AE6D-11cf-96B8-444553540000"));
        EXPECT_TRUE(text(d, "EditCode").startsWith(S("https://")));
        EXPECT_TRUE(child<QPlainTextEdit>(d, "Memo1")->toPlainText().contains(S("width=\"640\" height=\"300\"")));
        EXPECT_FALSE(child<QLineEdit>(d, "EditMap")->isEnabled());

        choose(d, "ComboBox1", S("Data"));
        EXPECT_EQ(child<QLabel>(d, "Label1")->text(), S("data"));
        EXPECT_EQ(child<QLabel>(d, "Label2")->text(), S("type"));
        EXPECT_TRUE(child<QLineEdit>(d, "EditMap")->isEnabled());
        choose(d, "ComboBox2", S("application/pdf"));
        child<QLineEdit>(d, "EditClass")->setText(S("Preise & Daten.pdf"));
        child<QLineEdit>(d, "EditMap")->setText(S("#karte"));
        click(d, "BitBtn1");
    });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 1, QString()),
              S("\r\n<object data=\"Preise &amp; Daten.pdf\" type=\"application/pdf\" width=\"640\" height=\"300\" "
                "usemap=\"#karte\">\r\n<param name=\"src\" value=\"MyFile.txt\">\r\n</object>\r\n"));
}

TEST_F(ObjectDialogTest, mimeTypesGoWhereTheTypeWantsThem)
{
    answer([](TFormObject &d) {
        choose(d, "ComboBox1", S("Java"));
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), S("codetype"));
        choose(d, "ComboBox2", S("application/java"));
        EXPECT_EQ(text(d, "EditName"), S("application/java"));
        EXPECT_TRUE(text(d, "EditCode").isEmpty());

        for (const char *type : {"Flash", "ActiveX"}) {
            choose(d, "ComboBox1", S(type));
            const ObjectFields before = d.fields();
            choose(d, "ComboBox2", S("text/html"));
            EXPECT_EQ(d.fields().name, before.name) << type;
            EXPECT_EQ(d.fields().code, before.code) << type;
            EXPECT_EQ(d.fields().classId, before.classId) << type;
        }
        d.reject();
    });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 0, S("x")), std::nullopt);
}

TEST_F(ObjectDialogTest, reopeningResetsAllButTheSizeAndWritesATypedNameAsName)
{
    answer([](TFormObject &d) {
        choose(d, "ComboBox1", S("Java"));
        child<QLineEdit>(d, "EditHeight")->setText(S("120"));
        child<QLineEdit>(d, "EditBorder")->setText(S("2"));
        click(d, "BitBtn1");
    });
    ASSERT_TRUE(runObjectDialog(dialog, prompter, 0, QString()));

    answer([](TFormObject &d) {
        EXPECT_EQ(child<QComboBox>(d, "ComboBox1")->currentIndex(), -1);
        EXPECT_EQ(child<QComboBox>(d, "ComboBox2")->currentIndex(), -1);
        EXPECT_EQ(child<QLabel>(d, "Label1")->text(), S("classid"));
        EXPECT_EQ(child<QLabel>(d, "Label11")->text(), S("name"));
        EXPECT_TRUE(text(d, "EditBorder").isEmpty());
        EXPECT_EQ(text(d, "EditMap"), S("#"));
        EXPECT_TRUE(child<QPlainTextEdit>(d, "Memo1")->toPlainText().isEmpty());
        child<QLineEdit>(d, "EditName")->setText(S("film"));
        click(d, "BitBtn1");
    });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 0, QString()),
              S("\r\n<object name=\"film\" width=\"300\" height=\"120\">\r\n</object>\r\n"));
}

TEST_F(ObjectDialogTest, addAppendsEscapedParameterLinesAndDeleteEmptiesThem)
{
    answer([](TFormObject &d) {
        choose(d, "ComboBox1", S("ActiveX"));
        child<QLineEdit>(d, "EditPName")->setText(S("autostart"));
        child<QLineEdit>(d, "EditPValue")->setText(S("\"true\" & more"));
        click(d, "ButtonAdd");
        child<QLineEdit>(d, "EditPName")->clear();
        child<QLineEdit>(d, "EditPValue")->clear();
        click(d, "ButtonAdd");
        click(d, "BitBtn1");
    });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 1, QString()),
              S("\r\n<object name=\"Mediaplayer\" classid=\"CLSID:05589FA1-C356-11CE-BF01-00AA0055595A\" "
                "width=\"300\" height=\"300\">\r\n<param name=\"filename\" value=\"MyVideo.mpg\">\r\n"
                "<param name=\"autostart\" value=\"&quot;true&quot; &amp; more\">\r\n"
                "<param name=\"\" value=\"\">\r\n</object>\r\n"));

    answer([](TFormObject &d) {
        choose(d, "ComboBox1", S("Flash"));
        click(d, "Button1");
        EXPECT_TRUE(child<QPlainTextEdit>(d, "Memo1")->toPlainText().isEmpty());
        click(d, "BitBtn2");
    });
    EXPECT_EQ(runObjectDialog(dialog, prompter, 1, QString()), std::nullopt);
    EXPECT_TRUE(dialog.Result.isEmpty());
}

TEST_F(ObjectDialogTest, textsFollowTheLanguageAndTabFollowsTheFields)
{
    for (int language : {0, 1}) {
        QStringList texts;
        answer([&](TFormObject &d) {
            texts << d.windowTitle() << child<QLabel>(d, "Label7")->text() << child<QPushButton>(d, "ButtonAdd")->text()
                  << child<QPushButton>(d, "Button1")->text() << child<QPushButton>(d, "BitBtn2")->text()
                  << child<QLabel>(d, "Label1")->toolTip() << child<QLineEdit>(d, "EditHeight")->toolTip()
                  << child<QPlainTextEdit>(d, "Memo1")->toolTip();
            d.reject();
        });
        runObjectDialog(dialog, prompter, language, QString());
        if (language == 0)
            EXPECT_EQ(texts, (QStringList{S("Object"), S("Objecttyp auswählen"), S("Hinzufügen"), S("Löschen"),
                                          S("Abbrechen"), S("Eindeutige ID der Objektklasse"), S("Höhe"),
                                          S("Liste Parameter")}));
        else
            EXPECT_EQ(texts, (QStringList{S("Object"), S("Select object type"), S("Add"), S("Delete"), S("Cancel"),
                                          S("Unique ID of the object class"), S("Height"), S("List of parameters")}));
    }
    EXPECT_EQ(test::tabOrder(dialog, "ComboBox1", 16),
              (QStringList{S("ComboBox1"), S("EditClass"), S("EditCode"), S("EditName"), S("EditWidth"),
                           S("EditHeight"), S("EditBorder"), S("EditMap"), S("ComboBox2"), S("EditPName"),
                           S("EditPValue"), S("ButtonAdd"), S("Memo1"), S("Button1"), S("BitBtn1"), S("BitBtn2")}));
    QList<int> help;
    dialog.setHelpHandler([&](int context) { help << context; });
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &f1);
    EXPECT_EQ(help, QList<int>{140});
}
