// The page properties on the real engine, and the inspector's texts in both languages.
#include "inspectortest.h"

#include "designer/inspectordialogs.h"
#include "designer/tfrmpageprop.h"

#include <QLabel>

using namespace korvel;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kFull =
    "<html><head><title>Full</title><style>p { color: red }</style><style>b { color: blue }</style>"
    "<script>var a = 1;</script></head>"
    "<body id=\"body\" link=\"#0000FF\" leftmargin=\"4\">"
    "<p id=\"p\"><a href=\"a.html\">a</a> <a href=\"b.html\">b</a> <a name=\"anchor\">c</a></p>"
    "<img src=\"a.png\"><img src=\"b.png\"><img src=\"c.png\">"
    "<form><input name=\"x\"></form><form></form><iframe name=\"i\"></iframe>"
    "<script>var b = 2;</script></body></html>";

class PagePropertiesTest : public test::InspectorTest {
protected:
    QString bodyTag()
    {
        const auto body = page().body();
        const QString outer = body ? body->outerHTML().value_or(QString()) : QString();
        return outer.left(outer.indexOf(QLatin1Char('>')) + 1);
    }
};

} // namespace

TEST_F(PagePropertiesTest, theCountsAndFieldsShowThePageAndOkWritesOnlyTheChangedField)
{
    openPageInDesigner(kFull, u"full.html"_s);
    designMode();
    // A style sheet the designer adds for itself is not the page's and is not counted.
    ASSERT_TRUE(page().createStyleSheet().has_value());
    ASSERT_EQ(page().styleSheetCount(), 3);
    QHash<QString, QString> shown;
    edit({{u"cmbBackColor"_s, u"#FFFFCC"_s}}, u"BitBtn1"_s, &shown, u"TfrmPageProp-en"_s);
    run(cmd::PageProperties);
    const QHash<QString, QString> counts = {{u"EditLinks"_s, u"2"_s}, {u"EditImages"_s, u"3"_s}, {u"EditScript"_s, u"2"_s},
                                            {u"EditForms"_s, u"2"_s}, {u"EditFrames"_s, u"1"_s}, {u"EditStyles"_s, u"2"_s}};
    for (auto it = counts.begin(); it != counts.end(); ++it)
        EXPECT_EQ(shown.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_EQ(shown.value(u"edTitle"_s), u"Full"_s);
    EXPECT_EQ(shown.value(u"cmbLinkColor"_s), u"#0000FF"_s);
    EXPECT_EQ(shown.value(u"EditLeft"_s), u"4"_s);
    EXPECT_EQ(shown.value(u"cmbBackColor"_s), QString());
    EXPECT_TRUE(prompter.messages().isEmpty());

    EXPECT_EQ(bodyTag(), u"<body id=\"body\" link=\"#0000FF\" leftmargin=\"4\" bgcolor=\"#FFFFCC\">"_s);
    EXPECT_EQ(form->windowTitle(), u"Korvel [Full]"_s);

    // Cancel leaves the page; a changed title goes into the page and the caption.
    edit({{u"EditTop"_s, u"9"_s}}, u"BitBtn2"_s);
    run(cmd::PageProperties);
    EXPECT_EQ(bodyTag(), u"<body id=\"body\" link=\"#0000FF\" leftmargin=\"4\" bgcolor=\"#FFFFCC\">"_s);
    edit({{u"edTitle"_s, u"New title"_s}, {u"cmbLinkColor"_s, QString()}});
    run(cmd::PageProperties);
    EXPECT_EQ(page().title(), u"New title"_s);
    EXPECT_EQ(form->windowTitle(), u"Korvel [New title]"_s);
    EXPECT_EQ(bodyTag(), u"<body id=\"body\" leftmargin=\"4\" bgcolor=\"#FFFFCC\">"_s);

    form->setActivePage(0);
    const QString source = form->editor()->text();
    EXPECT_TRUE(source.contains(u"<title>New title</title>"_s));
    EXPECT_TRUE(source.contains(u"<body id=\"body\" leftmargin=\"4\" bgcolor=\"#FFFFCC\">"_s));
}

TEST_F(PagePropertiesTest, anEmptyPageCountsNothingAndAClearedBackgroundStays)
{
    openPageInDesigner("<html><head><title>e</title></head><body background=\"bg.png\">x</body></html>", u"empty.html"_s);
    designMode();
    QHash<QString, QString> shown;
    edit({{u"bgImage"_s, QString()}}, u"BitBtn1"_s, &shown);
    run(cmd::PageProperties);
    for (const QString &count : TfrmPageProp::countFields())
        EXPECT_EQ(shown.value(count), u"0"_s) << count.toStdString();
    EXPECT_EQ(shown.value(u"bgImage"_s), u"bg.png"_s);
    EXPECT_EQ(bodyTag(), u"<body background=\"bg.png\">"_s);

    // A picture chosen for the background is named from the page's folder.
    prompter.answerOpenFile(work.filePath(u"pics/new.png"_s));
    prompter.answerDialog([](QDialog &dialog) {
        static_cast<TfrmPageProp &>(dialog).BitBtn7->click();
        static_cast<TfrmPageProp &>(dialog).BitBtn1->click();
        return dialog.result();
    });
    run(cmd::PageProperties);
    EXPECT_EQ(bodyTag(), u"<body background=\"pics/new.png\">"_s);
}

TEST_F(PagePropertiesTest, aFramesetPageSaysSoAndOffersTheElementChooser)
{
    openPageInDesigner("<html><frameset cols=\"50%,*\"><frame src=\"about:blank\"><frame src=\"about:blank\"></frameset></html>",
                       u"frames.html"_s);
    designer->state().designModeOn = true;
    prompter.answerDialog([](QDialog &) { return int(QDialog::Rejected); });
    run(cmd::PageProperties);
    EXPECT_EQ(prompter.texts().value(0), form->line(52));
    EXPECT_EQ(prompter.messages().value(0).kind, MessageKind::Information);
    EXPECT_EQ(prompter.dialogsShown(), QStringList{u"TFormSelect"_s});
}

TEST_F(PagePropertiesTest, theDialogsSpeakTheLanguageTheyAreShownIn)
{
    openPageInDesigner("<html><head><title>Sprache</title></head><body><table id=\"t\"><tr><td id=\"c\">x</td></tr></table>"
                       "<input id=\"in\"><font id=\"fo\">f</font><div id=\"d\">d</div><img id=\"i\" src=\"a.png\">"
                       "<em id=\"em\">e</em><iframe id=\"if\" name=\"n\"></iframe><a id=\"a\" href=\"x.html\">a</a>"
                       "<form id=\"f\" action=\"s.php\"></form></body></html>",
                       u"lang.html"_s);
    designMode();
    const struct {
        int language;
        const char *suffix;
        const char16_t *cancel;
        const char16_t *cellWidthHint;
        const char16_t *inputLengthHint;
        const char16_t *pageCaption;
    } languages[] = {
        {0, "de", u"Abbrechen", u"Breite", u"Maximale Anzahl Zeichen", u"Seiteneigenschaften"},
        {1, "en", u"Cancel", u"Width", u"Max length(number of characters)", u"Page properties"},
    };
    for (const auto &l : languages) {
        SCOPED_TRACE(l.suffix);
        form->state().UiLanguage = l.language;
        const QString suffix = QLatin1String(l.suffix);
        QString cancel, hint;
        const auto look = [&](const char *labelName) {
            prompter.answerDialog([&, labelName](QDialog &dialog) {
                cancel = dialog.findChild<QAbstractButton *>(u"BitBtn2"_s)->text();
                hint = dialog.findChild<QLabel *>(QLatin1String(labelName))->toolTip();
                shoot(dialog, dialog.objectName() + u"-"_s + suffix);
                return int(QDialog::Rejected);
            });
        };
        choose(0);
        look("LabelWidth");
        inspector->InspectElement(byId(u"c"_s).value());
        EXPECT_EQ(cancel, QString::fromUtf16(l.cancel));
        EXPECT_EQ(hint, QString::fromUtf16(l.cellWidthHint));
        choose(0);
        look("Label5");
        inspector->InspectElement(byId(u"in"_s).value());
        EXPECT_EQ(hint, QString::fromUtf16(l.inputLengthHint));
        // The other dialogs are only pictured.
        for (const char *id : {"fo", "d", "i", "t", "em", "if", "a", "f"}) {
            choose(0);
            prompter.answerDialog([&](QDialog &dialog) {
                shoot(dialog, dialog.objectName() + u"-"_s + suffix);
                return int(QDialog::Rejected);
            });
            inspector->InspectElement(byId(QLatin1String(id)).value());
        }
        prompter.answerDialog([&](QDialog &dialog) {
            EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(l.pageCaption));
            shoot(dialog, u"TfrmPageProp-"_s + suffix);
            return int(QDialog::Rejected);
        });
        run(cmd::PageProperties);
        prompter.clear();
    }
}

TEST_F(PagePropertiesTest, colourButtonsWriteTheChosenColourAndF1ShowsTheDialogsHelpTopic)
{
    openPageInDesigner("<html><body><table><tr><td id=\"c\">x</td></tr></table><div id=\"d\">d</div></body></html>",
                       u"colours.html"_s);
    designMode();
    QList<int> topics;
    form->helpHandler = [&topics](int topic) { topics.append(topic); };
    const auto pressColourAndHelp = [this](const char *button, const char *field, QString *written) {
        prompter.answerColor(QColor(0x12, 0xAB, 0x0F));
        prompter.answerDialog([=](QDialog &dialog) {
            dialog.findChild<QAbstractButton *>(QLatin1String(button))->click();
            *written = fieldsOf(dialog).value(QLatin1String(field));
            QTest::keyClick(&dialog, Qt::Key_F1);
            return int(QDialog::Rejected);
        });
    };
    QString cell, page;
    choose(0);
    pressColourAndHelp("Button1", "EditColor", &cell);
    inspector->InspectElement(byId(u"c"_s).value());
    pressColourAndHelp("BitBtn4", "cmbALinkColor", &page);
    run(cmd::PageProperties);
    choose(0);
    prompter.answerDialog([](QDialog &dialog) {
        QTest::keyClick(&dialog, Qt::Key_F1);
        return int(QDialog::Rejected);
    });
    inspector->InspectElement(byId(u"d"_s).value());
    EXPECT_EQ(cell, u"#12AB0F"_s);
    EXPECT_EQ(page, u"#12AB0F"_s);
    EXPECT_EQ(topics, (QList<int>{80, 80, 140}));
}
