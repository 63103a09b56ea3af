// The frameset and iframe dialogs, filled in and answered as a person would.
#include "generators/formframes.h"
#include "teststrings.h"
#include "generators/formiframe.h"

#include "dialogtesting.h"
#include "scriptedprompter.h"
#include "markupscanner.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

using namespace korvel;
using test::child;
using test::ScriptedPrompter;

namespace {


// Runs a dialog with the person's part played by the given function; the dialog's own buttons
// decide how it closes.
void script(ScriptedPrompter &prompter, QDialog &expected, std::function<void()> person)
{
    prompter.answerDialog([&expected, person](QDialog &d) {
        EXPECT_EQ(&d, &expected);
        d.show();
        person();
        return d.result();
    });
}

class FramesDialogTest : public ::testing::Test {
protected:
    void TearDown() override { dialog.close(); }

    std::optional<QString> run(std::function<void()> person, int language = 1)
    {
        script(prompter, dialog, std::move(person));
        return runFramesetDialog(dialog, prompter, language, document);
    }
    QLineEdit *field(const char *name) { return child<QLineEdit>(dialog, name); }
    void click(const char *name) { child<QAbstractButton>(dialog, name)->click(); }
    void check(const char *name, bool on) { child<QAbstractButton>(dialog, name)->setChecked(on); }

    QTemporaryDir work;
    QString document = work.filePath(QStringLiteral("site/index.html"));
    ScriptedPrompter prompter;
    TFormFrames dialog{prompter};
};

} // namespace

TEST_F(FramesDialogTest, theDefaultsGiveATwoFramePageWithTheFramesetDocumentType)
{
    const std::optional<QString> page = run([&] { click("BitBtn1"); }, 0);
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->startsWith(
        S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" \"http://www.w3.org/TR/html4/frameset.dtd\">\r\n"
          "<html>\r\n<head>\r\n<title>Frame page</title>\r\n</head>\r\n"
          "<frameset cols=\"50%,50%\" frameborder=\"1\" framespacing=\"1\" border=\"1\">\r\n"
          "<frame src=\"Frame1.htm\" name=\"Left\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"1\" noresize>\r\n"
          "<frame src=\"Frame2.htm\" name=\"Right\" scrolling=\"auto\" marginwidth=\"5\" marginheight=\"5\" frameborder=\"1\" noresize>\r\n"
          "<noframes>\r\n<body>\r\n<p>Wird angezeigt, wenn der Browser keine Frames darstellen kann.</p>\r\n")))
        << qPrintable(*page);
    EXPECT_TRUE(page->endsWith(S("</body>\r\n</noframes>\r\n</frameset></html>")));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{QStringLiteral("TFormFrames")});
}

TEST_F(FramesDialogTest, filledFieldsReachThePageAndReadBackAsTyped)
{
    const std::optional<QString> page = run([&] {
        click("Frames4");
        check("Borders", false);
        check("Noresize1", false);
        field("Source1")->setText(S("top \"menu\" & más.htm"));
        field("EditWidth2")->setText(QString());
        field("EditHeight2")->setText(QStringLiteral("12"));
        child<QComboBox>(dialog, "Scrolling4")->setCurrentText(QStringLiteral("no"));
        prompter.answerOpenFile(work.filePath(S("site/parts/drei ü.htm")));
        click("BtnSource3");
        EXPECT_EQ(field("Source3")->text(), S("parts/drei%20%C3%BC.htm"));
        click("BitBtn1");
    });
    ASSERT_TRUE(page);
    const auto tags = test::scanTags(*page);
    const test::ScannedTag *outer = test::findTag(tags, QStringLiteral("frameset"));
    ASSERT_NE(outer, nullptr);
    EXPECT_EQ(outer->attributes.value(QStringLiteral("rows")), QStringLiteral("20%,60%,20%"));
    EXPECT_EQ(outer->attributes.value(QStringLiteral("border")), QStringLiteral("0"));
    const struct {
        const char *src, *name, *scrolling, *width, *height;
        bool noresize;
    } frames[] = {
        {"top \"menu\" & más.htm", "Top", "auto", "5", "5", false},
        {"Frame2.htm", "Left", "auto", "0", "12", true},
        {"parts/drei%20%C3%BC.htm", "Right", "auto", "5", "5", true},
        {"Frame4.htm", "Bottom", "no", "5", "5", true},
    };
    for (int n = 0; n < 4; ++n) {
        const test::ScannedTag *frame = test::findTag(tags, QStringLiteral("frame"), n);
        ASSERT_NE(frame, nullptr) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("src")), S(frames[n].src)) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("name")), S(frames[n].name)) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("scrolling")), S(frames[n].scrolling)) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("marginwidth")), S(frames[n].width)) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("marginheight")), S(frames[n].height)) << n;
        EXPECT_EQ(frame->attributes.value(QStringLiteral("frameborder")), QStringLiteral("0")) << n;
        EXPECT_EQ(frame->flags.contains(QStringLiteral("noresize")), frames[n].noresize) << n;
    }
    EXPECT_TRUE(page->contains(S("<p>Will be displayed if browser is unabled to handle frames.</p>")));
}

TEST_F(FramesDialogTest, cancelGivesNothingAndTheFieldsAreKeptForTheNextShowing)
{
    EXPECT_EQ(run([&] {
                  click("Frames3");
                  field("Source2")->setText(QStringLiteral("kept.htm"));
                  prompter.answerOpenFile(QString());  // the file dialog is cancelled
                  click("BtnSource1");
                  click("BitBtn2");
              }),
              std::nullopt);
    EXPECT_TRUE(dialog.Result.isEmpty());
    const std::optional<QString> page = run([&] {
        EXPECT_TRUE(child<QRadioButton>(dialog, "Frames3")->isChecked());
        EXPECT_EQ(field("Source1")->text(), QStringLiteral("Frame1.htm"));
        click("BitBtn1");
    });
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->contains(S("<frame src=\"kept.htm\" name=\"Left\" "))) << qPrintable(*page);
    EXPECT_TRUE(page->contains(S("<frameset rows=\"20%,80%\" ")));
}

TEST_F(FramesDialogTest, aFileChosenForAnUnnamedDocumentIsAFileUrl)
{
    document = QStringLiteral("Untitled");
    const QString chosen = work.filePath(QStringLiteral("a b.htm"));
    run([&] {
        prompter.answerOpenFile(chosen);
        click("BtnSource2");
        click("BitBtn2");
    });
    EXPECT_EQ(field("Source2")->text(), QUrl::fromLocalFile(chosen).toString(QUrl::FullyEncoded));
    EXPECT_TRUE(field("Source2")->text().endsWith(QStringLiteral("/a%20b.htm")));
    EXPECT_EQ(prompter.fileRequests().value(0).filter, QStringLiteral("HTML|*.htm;*.html|All files|*"));
}

TEST_F(FramesDialogTest, captionsFollowTheLanguageAndControlsKeepTheirNamesAndTabOrder)
{
    for (int language : {0, 1}) {
        const bool german = language == 0;
        run([&] {
            EXPECT_EQ(child<QAbstractButton>(dialog, "Borders")->text(), german ? S("Rahmen") : S("Border"));
            EXPECT_EQ(child<QWidget>(dialog, "Borders")->toolTip(), german ? S("Rahmen anzeigen") : S("Show borders"));
            EXPECT_EQ(child<QAbstractButton>(dialog, "BtnSource4")->text(), german ? S("Quelle") : S("Source"));
            EXPECT_EQ(child<QWidget>(dialog, "Noresize2")->toolTip(),
                      german ? S("Grösse kann nicht verändert werden") : S("Not resizeable"));
            EXPECT_EQ(child<QWidget>(dialog, "EditHeight3")->toolTip(), german ? S("Randhöhe") : S("Margin height"));
            EXPECT_EQ(child<QAbstractButton>(dialog, "BitBtn2")->text(), german ? S("Abbrechen") : S("Cancel"));
            click("BitBtn2");
        }, language);
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Frameset"));
    EXPECT_EQ(child<QComboBox>(dialog, "Scrolling1")->count(), 3);
    for (const char *name : {"RadioGroup1", "Image1", "Image2", "Image3"})
        EXPECT_NE(dialog.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
    QString frames;
    for (int n = 1; n <= 4; ++n)
        frames += QStringLiteral(" Source%1 BtnSource%1 EditHeight%1 EditWidth%1 Scrolling%1 Noresize%1").arg(n);
    EXPECT_EQ(test::tabChain(dialog, "Frames2"),
              QStringLiteral("Frames2 Frames3 Frames4 Borders") + frames + QStringLiteral(" BitBtn1 BitBtn2 SpeedButton1"));
}

// Inline frame

namespace {

class IFrameDialogTest : public ::testing::Test {
protected:
    void TearDown() override { dialog.close(); }

    std::optional<QString> run(std::function<void()> person, int language = 1)
    {
        script(prompter, dialog, std::move(person));
        return runIFrameDialog(dialog, prompter, language, document);
    }
    QLineEdit *field(const char *name) { return child<QLineEdit>(dialog, name); }
    void click(const char *name) { child<QAbstractButton>(dialog, name)->click(); }

    QTemporaryDir work;
    QString document = work.filePath(QStringLiteral("index.html"));
    ScriptedPrompter prompter;
    TFormIFrame dialog{prompter};
};

} // namespace

TEST_F(IFrameDialogTest, theDefaultsGiveAFourHundredSquareFrameNamedInlinePage)
{
    EXPECT_EQ(run([&] { click("BitBtn1"); }),
              S("<iframe src=\"Seite.htm\" width=\"400\" height=\"400\" name=\"Inline Page\">\r\n"
                "<p>Your browser is unable to display inline frames:\r\n"
                "Use a simple link instead:<a href=\"Seite.htm\">Inline Page</a></p>\r\n"
                "</iframe>\r\n"));
}

TEST_F(IFrameDialogTest, typedAndChosenValuesReadBackAndCancelGivesNothing)
{
    std::optional<QString> html = run([&] {
        field("EditName")->setText(S("Karte \"Nord\" & <Süd>"));
        field("EditBreite")->setText(QStringLiteral("100%"));
        field("EditHohe")->setText(QString());
        prompter.answerOpenFile(work.filePath(QStringLiteral("pages/map #2.html")));
        click("BitBtn3");
        click("BitBtn1");
    }, 0);
    ASSERT_TRUE(html);
    const auto tags = test::scanTags(*html);
    const test::ScannedTag *frame = test::findTag(tags, QStringLiteral("iframe"));
    const test::ScannedTag *link = test::findTag(tags, QStringLiteral("a"));
    ASSERT_TRUE(frame && link);
    EXPECT_EQ(frame->attributes.value(QStringLiteral("src")), QStringLiteral("pages/map%20%232.html"));
    EXPECT_EQ(frame->attributes.value(QStringLiteral("width")), QStringLiteral("100%"));
    EXPECT_EQ(frame->attributes.value(QStringLiteral("height")), QString());
    EXPECT_EQ(frame->attributes.value(QStringLiteral("name")), S("Karte \"Nord\" & <Süd>"));
    EXPECT_EQ(link->attributes.value(QStringLiteral("href")), QStringLiteral("pages/map%20%232.html"));
    EXPECT_EQ(link->textAfter, S("Karte \"Nord\" & <Süd>"));
    // The fallback text stays English in the German dialog.
    EXPECT_TRUE(html->contains(QStringLiteral("Use a simple link instead:")));

    html = run([&] {
        EXPECT_EQ(field("EditBreite")->text(), QStringLiteral("100%"));
        click("BitBtn2");
    });
    EXPECT_EQ(html, std::nullopt);
    EXPECT_TRUE(dialog.Result.isEmpty());
}

TEST_F(IFrameDialogTest, captionsFollowTheLanguageAndControlsKeepTheirNamesAndTabOrder)
{
    for (int language : {0, 1}) {
        const bool german = language == 0;
        run([&] {
            EXPECT_EQ(child<QWidget>(dialog, "EditName")->toolTip(), german ? S("Name des iFrames") : S("Name of the iframe"));
            EXPECT_EQ(child<QWidget>(dialog, "EditHohe")->toolTip(), german ? S("Höhe angeben") : S("Height"));
            EXPECT_EQ(child<QAbstractButton>(dialog, "BitBtn2")->text(), german ? S("Abbrechen") : S("Cancel"));
            click("BitBtn2");
        }, language);
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("iFrame"));
    EXPECT_EQ(test::tabChain(dialog, "EditName"),
              QStringLiteral("EditName EditBreite EditHohe EditSource BitBtn3 BitBtn1 BitBtn2 SpeedButton1"));
}

TEST(FrameDialogs, helpButtonAndF1AskForTheFramesTopic)
{
    ScriptedPrompter prompter;
    TFormFrames frames(prompter);
    TFormIFrame iframe(prompter);
    QList<int> asked;
    for (QDialog *d : std::initializer_list<QDialog *>{&frames, &iframe}) {
        d->findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"))->click();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(d, &f1);
    }
    frames.setHelpHandler([&](int context) { asked << context; });
    iframe.setHelpHandler([&](int context) { asked << context; });
    for (QDialog *d : std::initializer_list<QDialog *>{&frames, &iframe}) {
        d->findChild<QAbstractButton *>(QStringLiteral("SpeedButton1"))->click();
        QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
        QCoreApplication::sendEvent(d, &f1);
    }
    EXPECT_EQ(asked, QList<int>({210, 210, 210, 210}));
}
