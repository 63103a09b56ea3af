#include "tables/tformseltd.h"
#include "tables/tforminstr.h"
#include "tables/tformtable.h"
#include "tables/tformtable2.h"

#include "markedtext.h"
#include "scriptedprompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::ScriptedPrompter;

namespace {

template <typename T = QWidget>
T *child(QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void setText(QWidget &dialog, const char *name, const QString &text)
{
    if (auto *combo = dialog.findChild<QComboBox *>(QLatin1String(name)))
        combo->setEditText(text);
    else
        child<QLineEdit>(dialog, name)->setText(text);
}

QString fieldText(QWidget &dialog, const char *name)
{
    if (auto *combo = dialog.findChild<QComboBox *>(QLatin1String(name)))
        return combo->currentText();
    return child<QLineEdit>(dialog, name)->text();
}

void click(QWidget &dialog, const char *name)
{
    child<QAbstractButton>(dialog, name)->click();
}

// A person working the shown dialog: `act` fills and clicks; the dialog's result is answered.
std::function<int(QDialog &)> person(std::function<void(QDialog &)> act)
{
    return [act](QDialog &dialog) {
        dialog.show();
        act(dialog);
        dialog.hide();
        return dialog.result();
    };
}

void pressKey(QWidget &widget, Qt::Key key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(&widget, &press);
}

struct HintCase {
    const char *name;
    const char16_t *german;
    const char16_t *english;
};

void expectHints(QWidget &dialog, std::initializer_list<HintCase> cases, bool english)
{
    for (const HintCase &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(child(dialog, c.name)->toolTip(), QString::fromUtf16(english ? c.english : c.german));
    }
}

const QString kCell = u"<td align=\"left\" valign=\"top\" >&nbsp;</td>\r\n"_s;

} // namespace

TEST(Color2HTML, writesRedGreenBlueAsUpperCaseHex)
{
    EXPECT_EQ(Color2HTML(QColor(255, 0, 0)), u"#FF0000"_s);
    EXPECT_EQ(Color2HTML(QColor(1, 2, 171)), u"#0102AB"_s);
    EXPECT_EQ(Color2HTML(QColor::fromHsv(120, 255, 255)), u"#00FF00"_s);
}

class TableDialogTest : public ::testing::Test {
protected:
    ScriptedPrompter prompter;
};

TEST_F(TableDialogTest, tableDialogStartsWithItsDefaultsAndSpeaksTheCallersLanguage)
{
    TFormTable dialog(prompter);
    const struct {
        const char *name;
        QString text;
    } defaults[] = {{"EditZeile", u"1"_s}, {"EditSpalte", u"1"_s}, {"EditBreite", QString()},
                    {"EditHoehe", QString()}, {"EditBorder", u"0"_s}, {"EditPadding", u"0"_s},
                    {"EditSpacing", u"0"_s}, {"ComboBox1", QString()}, {"EditFarbe", QString()},
                    {"EditWidth", QString()}, {"EditHeight", QString()}, {"ComboBox2", u"left"_s},
                    {"ComboBox3", u"top"_s}, {"EditColor", QString()}, {"EditColspan", QString()},
                    {"EditRowspan", QString()}};
    for (const auto &d : defaults)
        EXPECT_EQ(fieldText(dialog, d.name), d.text) << d.name;
    EXPECT_EQ(child<QComboBox>(dialog, "ComboBox1")->count(), 5);
    EXPECT_EQ(child<QComboBox>(dialog, "ComboBox3")->itemText(3), u"baseline"_s);
    EXPECT_FALSE(child(dialog, "EditColspan")->isEnabled());
    EXPECT_FALSE(child(dialog, "EditRowspan")->isEnabled());
    EXPECT_FALSE(child(dialog, "CheckBoxBehind")->isEnabled());
    EXPECT_TRUE(child<QCheckBox>(dialog, "CheckBoxBehind")->isChecked());
    EXPECT_EQ(child<QLabel>(dialog, "LabelEditPadding")->text(), u"Cellpadding"_s);

    const std::initializer_list<HintCase> hints = {
        {"LabelEditZeile", u"Tabellenzeilen (TR)", u"Table rows (TR)"},
        {"LabelEditSpalte", u"Tabellenzellen (TD)", u"Table data/cells (TD)"},
        {"LabelEditBreite", u"Tabellenbreite", u"Table width"},
        {"LabelEditHoehe", u"Tabellenhöhe", u"Table height"},
        {"LabelEditBorder", u"Rahmenstärke", u"Table border width"},
        {"LabelEditPadding", u"Zellenzwischenraum", u"Cellpadding"},
        {"LabelEditSpacing", u"Zellenabstand", u"Cellspacing"},
        {"LabelEditWidth", u"Breite", u"Width"},
        {"LabelEditHeight", u"Höhe", u"Height"},
        {"LabelComboBox2", u"Ausrichtung", u"Alignment"},
        {"LabelComboBox3", u"Vertikale Ausrichtung", u"Vertical Alignment"},
        {"LabelEditColspan", u"Spaltenbereich", u"Colspan"},
        {"LabelEditRowspan", u"Zeilenbereich", u"Rowspan"},
        {"Button1", u"Hintergrungfarbe wählen", u"Choose background color"},
    };
    for (const int language : {1, 0}) {
        SCOPED_TRACE(language);
        prompter.answerDialog(person([](QDialog &d) { click(d, "BitBtn2"); }));
        EXPECT_EQ(runTableDialog(dialog, prompter, language), std::nullopt);
        const bool english = language != 0;
        EXPECT_EQ(dialog.windowTitle(), english ? u"Table"_s : u"Tabelle"_s);
        EXPECT_EQ(child<QPushButton>(dialog, "BitBtn2")->text(), english ? u"Cancel"_s : u"Abbrechen"_s);
        EXPECT_EQ(child<QCheckBox>(dialog, "CheckBoxBehind")->text(),
                  english ? u"Insert behind selection"_s : u"Hinter Auswahl einfügen"_s);
        EXPECT_EQ(child<QLabel>(dialog, "LabelEditZeile")->text(), u"Rows"_s);
        expectHints(dialog, hints, english);
    }
}

TEST_F(TableDialogTest, okCorrectsTheFieldsAndGivesTheLoweredTableWhichTheFieldsKeep)
{
    TFormTable dialog(prompter);
    prompter.answerDialog(person([](QDialog &d) {
        setText(d, "EditZeile", u"2"_s);
        setText(d, "EditSpalte", u"abc"_s);
        setText(d, "EditBreite", u"50%"_s);
        setText(d, "EditBorder", u"1"_s);
        setText(d, "EditFarbe", u"RED"_s);
        setText(d, "ComboBox1", u"center"_s);
        setText(d, "ComboBox2", QString());
        click(d, "BitBtn1");
    }));
    EXPECT_EQ(runTableDialog(dialog, prompter, 0),
              std::optional<QString>(u"\r\n<table cellspacing=\"0\" cellpadding=\"0\" border=\"1\" align=\"center\" "
                                     "bgcolor=\"red\" >\r\n\r\n\r\n<tr>\r\n<td valign=\"top\" >&nbsp;</td>\r\n</tr>\r\n"
                                     "<tr>\r\n<td valign=\"top\" >&nbsp;</td>\r\n</tr>\r\n</table>\r\n"_s));
    EXPECT_TRUE(dialog.result().startsWith(u"\r\n<TABLE "));
    EXPECT_EQ(fieldText(dialog, "EditSpalte"), u"1"_s);
    EXPECT_EQ(fieldText(dialog, "EditBreite"), QString());

    // The next showing starts from the same fields, and Cancel empties the result.
    QString rowsSeen;
    prompter.answerDialog(person([&](QDialog &d) {
        rowsSeen = fieldText(d, "EditZeile");
        click(d, "BitBtn2");
    }));
    EXPECT_EQ(runTableDialog(dialog, prompter, 0), std::nullopt);
    EXPECT_EQ(rowsSeen, u"2"_s);
    EXPECT_EQ(dialog.result(), QString());
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(TableDialogTest, aTableBeyondTheLimitsIsRefusedWithAMessageAndTheDialogStaysOpen)
{
    TFormTable dialog(prompter);
    bool openAfterRefusal = false;
    prompter.answerDialog(person([&](QDialog &d) {
        setText(d, "EditZeile", u"200"_s);
        setText(d, "EditSpalte", u"100"_s);
        click(d, "BitBtn1");
        openAfterRefusal = d.isVisible();
        setText(d, "EditSpalte", u"2"_s);
        click(d, "BitBtn1");
    }));
    const std::optional<QString> html = runTableDialog(dialog, prompter, 1);
    EXPECT_TRUE(openAfterRefusal);
    ASSERT_TRUE(html.has_value());
    EXPECT_EQ(html->count(u"<tr>"), 200);
    EXPECT_EQ(html->count(kCell), 400);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages()[0].kind, MessageKind::Warning);
    EXPECT_EQ(prompter.messages()[0].text, u"The table is too large: at most 1000 rows and 10000 cells."_s);
}

TEST_F(TableDialogTest, colourButtonsWriteTheChosenColourAndACancelledChoiceKeepsTheField)
{
    TFormTable table(prompter);
    TFormTable2 attributes(prompter);
    const struct {
        QWidget *dialog;
        const char *button;
        const char *field;
    } cases[] = {{&table, "Button2", "EditFarbe"}, {&table, "Button1", "EditColor"},
                 {&attributes, "Button1", "EditBgColor"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.field);
        setText(*c.dialog, c.field, u"kept"_s);
        prompter.answerColor(std::nullopt);
        click(*c.dialog, c.button);
        EXPECT_EQ(fieldText(*c.dialog, c.field), u"kept"_s);
        prompter.answerColor(QColor(0x12, 0xAB, 0xEF));
        click(*c.dialog, c.button);
        EXPECT_EQ(fieldText(*c.dialog, c.field), u"#12ABEF"_s);
    }
}

TEST_F(TableDialogTest, attributesDialogGivesTheEditedFieldsOnlyAfterOk)
{
    TFormTable2 dialog(prompter);
    const Table2Fields current{u"100"_s, u"50"_s, u"2"_s, u"3"_s, u"center"_s, u"1"_s, u"#FFFFFF"_s};
    Table2Fields seen;
    prompter.answerDialog(person([&](QDialog &d) {
        seen = static_cast<TFormTable2 &>(d).fields();
        setText(d, "EditBreite", u"80%"_s);
        setText(d, "EditBorder", QString());
        setText(d, "ComboBoxAlign", u"right"_s);
        click(d, "BitBtn1");
    }));
    const std::optional<Table2Fields> edited = runTable2Dialog(dialog, prompter, 1, current);
    EXPECT_EQ(seen, current);
    Table2Fields expected = current;
    expected.width = u"80%"_s;
    expected.border = QString();
    expected.align = u"right"_s;
    EXPECT_EQ(edited, std::optional<Table2Fields>(expected));
    EXPECT_EQ(dialog.windowTitle(), u"Table attributes"_s);

    for (const auto &cancel : {std::function<void(QDialog &)>([](QDialog &d) { click(d, "BitBtn2"); }),
                               std::function<void(QDialog &)>([](QDialog &d) { d.close(); })}) {
        prompter.answerDialog(person(cancel));
        EXPECT_EQ(runTable2Dialog(dialog, prompter, 0, current), std::nullopt);
        EXPECT_FALSE(dialog.Accepted);
    }
    EXPECT_EQ(dialog.windowTitle(), u"Tabellen Parameter"_s);
    EXPECT_EQ(child<QPushButton>(dialog, "BitBtn2")->text(), u"Abbrechen"_s);
}

TEST_F(TableDialogTest, attributesDialogHintsFollowTheLanguage)
{
    TFormTable2 dialog(prompter);
    const std::initializer_list<HintCase> hints = {
        {"EditBreite", u"Breite", u"Width"},
        {"LabelEditHoehe", u"Höhe", u"Height"},
        {"LabelEditpadding", u"Zellenzwischenraum", u"Cellpadding"},
        {"Editspacing", u"Zellenabstand", u"Cellspacing"},
        {"LabelComboBoxAlign", u"Ausrichtung", u"Alignment"},
        {"LabelEditBorder", u"Rahmenstärke", u"Table border width"},
        {"LabelEditBgColor", u"Hintergrungfarbe", u"Background color"},
        {"Button1", u"Farbe auswählen", u"Choose color"},
    };
    expectHints(dialog, hints, false);
    dialog.UiLanguage = 1;
    dialog.FormShow();
    expectHints(dialog, hints, true);
    EXPECT_EQ(child<QLabel>(dialog, "LabelEditBgColor")->text(), u"Bgcolor"_s);
}

TEST(TableAttributeChanges, aBlankFieldRemovesItsAttribute)
{
    const Table2Fields fields{u"100"_s, u" "_s, QString(), u"0"_s, u"left"_s, QString(), u"#FF0000"_s};
    const QList<TableAttributeChange> expected = {
        {u"align"_s, u"left"_s},       {u"width"_s, u"100"_s},         {u"height"_s, std::nullopt},
        {u"border"_s, std::nullopt},   {u"cellpadding"_s, std::nullopt}, {u"cellspacing"_s, u"0"_s},
        {u"bgcolor"_s, u"#FF0000"_s}};
    EXPECT_EQ(TableAttributeChanges(fields), expected);
}

TEST_F(TableDialogTest, rowDialogTellsThePositionOrThatItWasCancelled)
{
    TFormInsTR dialog;
    const struct {
        const char *why;
        std::function<void(QDialog &)> act;
        std::optional<int> designer;
        std::optional<InsertPlace> source;
    } cases[] = {
        {"before", [](QDialog &d) { click(d, "BitBtn2"); }, 0, InsertPlace::Before},
        {"behind", [](QDialog &d) { click(d, "BitBtn1"); }, 1, InsertPlace::Behind},
        {"end of table", [](QDialog &d) { click(d, "BitBtn4"); }, -1, std::nullopt},
        {"cancel", [](QDialog &d) { click(d, "BitBtn3"); }, std::nullopt, std::nullopt},
        {"Esc", [](QDialog &d) { pressKey(d, Qt::Key_Escape); }, std::nullopt, std::nullopt},
        {"window closed", [](QDialog &d) { d.close(); }, -1, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        prompter.answerDialog(person(c.act));
        EXPECT_EQ(runInsertRowDialog(dialog, prompter, 0), c.designer);
        bool endOffered = true;
        prompter.answerDialog(person([&](QDialog &d) {
            endOffered = child(d, "BitBtn4")->isEnabled();
            c.act(d);
        }));
        EXPECT_EQ(runSourceRowDialog(dialog, prompter, 0), c.source);
        EXPECT_FALSE(endOffered);
        EXPECT_TRUE(child(dialog, "BitBtn4")->isEnabled());
    }
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(TableDialogTest, rowAndCellDialogsSpeakTheCallersLanguage)
{
    TFormInsTR row;
    TFormSelTd cell;
    const struct {
        QWidget *dialog;
        const char *name;
        const char16_t *german;
        const char16_t *english;
        bool hint;
    } cases[] = {
        {&row, "Label1", u"Tabellenzeile einfügen...", u"Insert table row ...", false},
        {&row, "BitBtn2", u"Vor akt. Position", u"Before current position", false},
        {&row, "BitBtn1", u"Nach akt. Position", u"Behind current position", false},
        {&row, "BitBtn4", u"Ende Tabelle", u"End of table", false},
        {&row, "BitBtn3", u"Abbrechen", u"Cancel", false},
        {&cell, "Label1", u"Zelle einfügen...", u"Insert TD...", false},
        {&cell, "BitBtn2", u"Vor aktueller Auswahl", u"Before current selection", true},
        {&cell, "BitBtn1", u"Nach aktueller Auswahl", u"Behind current selection", true},
        {&cell, "BitBtn3", u"Abbrechen", u"Cancel", false},
    };
    for (const int language : {1, 0}) {
        prompter.answerDialog(person([](QDialog &d) { d.close(); }));
        runInsertRowDialog(row, prompter, language);
        prompter.answerDialog(person([](QDialog &d) { d.close(); }));
        runSelTdDialog(cell, prompter, language);
        for (const auto &c : cases) {
            SCOPED_TRACE(std::string(c.name) + (language ? " en" : " de"));
            QWidget *widget = child(*c.dialog, c.name);
            const QString shown = c.hint ? widget->toolTip()
                                  : qobject_cast<QLabel *>(widget) ? static_cast<QLabel *>(widget)->text()
                                                                    : static_cast<QAbstractButton *>(widget)->text();
            EXPECT_EQ(shown, QString::fromUtf16(language ? c.english : c.german));
        }
    }
    EXPECT_EQ(row.windowTitle(), u"TR"_s);
    EXPECT_EQ(cell.windowTitle(), u"TD"_s);
}

TEST_F(TableDialogTest, cellDialogTellsTheSideOrNothing)
{
    TFormSelTd dialog;
    const struct {
        const char *why;
        std::function<void(QDialog &)> act;
        std::optional<int> offset;
    } cases[] = {
        {"before", [](QDialog &d) { click(d, "BitBtn2"); }, -1},
        {"behind", [](QDialog &d) { click(d, "BitBtn1"); }, 1},
        {"cancel", [](QDialog &d) { click(d, "BitBtn3"); }, std::nullopt},
        {"window closed", [](QDialog &d) { d.close(); }, std::nullopt},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        prompter.answerDialog(person(c.act));
        EXPECT_EQ(runSelTdDialog(dialog, prompter, 1), c.offset);
        EXPECT_EQ(dialog.Offset, c.offset.value_or(0));
    }
}

TEST_F(TableDialogTest, helpAsksForEachDialogsTopic)
{
    TFormTable table(prompter);
    TFormTable2 attributes(prompter);
    TFormInsTR row;
    TFormSelTd cell;
    QList<int> asked;
    for (TableDialog *dialog : std::initializer_list<TableDialog *>{&table, &attributes, &row, &cell}) {
        dialog->setHelpHandler([&](int topic) { asked << topic; });
        pressKey(*dialog, Qt::Key_F1);
    }
    click(table, "SpeedButton1");
    EXPECT_EQ(asked, (QList<int>{150, 80, 150, 150, 150}));
}

TEST_F(TableDialogTest, everyTextFitsItsControlInBothLanguages)
{
    TFormTable table(prompter);
    TFormTable2 attributes(prompter);
    TFormInsTR row;
    TFormSelTd cell;
    const QString shots = qEnvironmentVariable("KORVEL_SHOTS_DIR");
    for (const int language : {0, 1}) {
        for (TableDialog *dialog : std::initializer_list<TableDialog *>{&table, &attributes, &row, &cell}) {
            dialog->UiLanguage = language;
            dialog->FormShow();
            dialog->show();
            dialog->adjustSize();
            QApplication::processEvents();
            for (QLabel *label : dialog->findChildren<QLabel *>()) {
                SCOPED_TRACE(label->objectName().toStdString());
                EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
            }
            for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
                SCOPED_TRACE(button->objectName().toStdString());
                EXPECT_LT(button->fontMetrics().horizontalAdvance(button->text()), button->width());
            }
            if (!shots.isEmpty()) {
                QDir().mkpath(shots);
                dialog->grab().save(shots + u'/' + dialog->objectName() + (language ? u"-en.png"_s : u"-de.png"_s));
            }
            dialog->hide();
        }
    }
}
