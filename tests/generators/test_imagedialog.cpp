// The image dialog on real picture files, driven as a person would: open, tick, slide, click.
#include "generators/formimage.h"
#include "teststrings.h"

#include "dialogtesting.h"
#include "scriptedprompter.h"
#include "markupscanner.h"
#include "testfiles.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QImageWriter>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

using namespace korvel;
using test::child;
using test::ScriptedPrompter;

namespace {


class ImageDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid());
        document = work.filePath(QStringLiteral("index.html"));
    }
    void TearDown() override { dialog.close(); }

    // Writes a picture in Qt's own encoder for the format, or a hand-made GIF.
    QString picture(const QString &name, const char *format, int width, int height)
    {
        const QString path = work.filePath(name);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (qstrcmp(format, "GIF") == 0)
            test::writeAll(path, test::gifBytes(width, height));
        else
            EXPECT_TRUE(test::testPicture(width, height).save(path, format)) << format;
        return path;
    }

    void open(const QString &path)
    {
        prompter.answerOpenFile(path);
        child<QPushButton>(dialog, "BitBtn1")->click();
    }
    QLineEdit *field(const char *name) { return child<QLineEdit>(dialog, name); }
    QString text(const char *name) { return field(name)->text(); }
    QString label(const char *name) { return child<QLabel>(dialog, name)->text(); }
    QWidget *preview() { return child<QWidget>(dialog, "Image"); }
    QImage previewImage() { return child<QLabel>(dialog, "Image")->pixmap().toImage(); }
    void click(const char *name) { child<QAbstractButton>(dialog, name)->click(); }
    void clickPreview(int x, int y) { QTest::mouseClick(preview(), Qt::LeftButton, {}, QPoint(x, y)); }
    void slide(int value) { child<QSlider>(dialog, "TrackBar1")->setValue(value); }

    // Runs the dialog: the handler plays the person and the dialog's own buttons decide.
    std::optional<QString> run(std::function<void()> person, int language = 1)
    {
        prompter.answerDialog([this, person](QDialog &d) {
            d.show();
            person();
            return d.result();
        });
        return runImageDialog(dialog, prompter, language, document);
    }

    QTemporaryDir work;
    QString document;
    ScriptedPrompter prompter;
    TFormImage dialog{prompter};
};

} // namespace

TEST_F(ImageDialogTest, everyPictureFormatGivesItsSizeByContentWhateverItsExtension)
{
    const struct {
        const char *name, *format;
        int width, height;
    } cases[] = {
        {"a.png", "PNG", 200, 100},
        {"b.jpg", "JPEG", 120, 80},
        {"c.jpeg", "JPEG", 64, 48},
        {"d.bmp", "BMP", 30, 40},
        {"e.gif", "GIF", 6, 4},
        {"F.GIF", "GIF", 201, 99},
        {"png-named.gif", "PNG", 50, 60},
        {"jpeg-named.png", "JPEG", 33, 22},
        {"gif-named.bmp", "GIF", 9, 7},
        {"no-extension", "PNG", 11, 12},
    };
    for (const auto &c : cases) {
        open(picture(S(c.name), c.format, c.width, c.height));
        EXPECT_EQ(label("Label13"), QString::number(c.width)) << c.name;
        EXPECT_EQ(label("Label15"), QString::number(c.height)) << c.name;
        EXPECT_EQ(dialog.image().size(), QSize(c.width, c.height)) << c.name;
        EXPECT_EQ(previewImage().size(), QSize(c.width, c.height)) << c.name;
        EXPECT_EQ(text("EditFileonly"), S(c.name));
    }
    EXPECT_TRUE(prompter.messages().isEmpty()) << qPrintable(prompter.texts().join(u'\n'));
}

TEST_F(ImageDialogTest, anUnreadableFileClearsPreviewAndSizeAndSaysSo)
{
    const QString good = picture(QStringLiteral("good.png"), "PNG", 200, 100);
    const QByteArray truncatedPng = test::readAll(good).left(40);
    const struct {
        const char *name;
        QByteArray bytes;
    } cases[] = {
        {"broken.png", truncatedPng},
        {"noise.jpg", QByteArray("\xff\xd8\xff this is not a JPEG", 24)},
        {"text.bmp", QByteArray("just some text")},
        {"empty.gif", QByteArray()},
    };
    const std::optional<QString> html = run([&] {
        for (const auto &c : cases) {
            open(good);
            ASSERT_EQ(label("Label13"), QStringLiteral("200"));
            prompter.clear();
            const QString path = work.filePath(S(c.name));
            test::writeAll(path, c.bytes);
            open(path);
            EXPECT_EQ(prompter.texts(), QStringList{QStringLiteral("Invalid image format!")}) << c.name;
            EXPECT_EQ(prompter.messages().value(0).kind, MessageKind::Error);
            EXPECT_EQ(label("Label13"), QStringLiteral("000")) << c.name;
            EXPECT_EQ(label("Label15"), QStringLiteral("000")) << c.name;
            EXPECT_TRUE(dialog.image().isNull()) << c.name;
            EXPECT_TRUE(previewImage().isNull()) << c.name;
            EXPECT_EQ(text("EditFileonly"), S(c.name));
            EXPECT_EQ(child<QSlider>(dialog, "TrackBar1")->maximum(), 0);
        }
        click("ButtonOnly");
    });
    // The element does not take the size of the picture read before.
    EXPECT_EQ(html, S("<img src=\"empty.gif\"  border=\"0\" alt=\"Comment\" title=\"Title\">"));
}

TEST_F(ImageDialogTest, theGermanDialogSaysItInGerman)
{
    const QString path = work.filePath(QStringLiteral("kaputt.png"));
    test::writeAll(path, "kaputt");
    run([&] {
        open(path);
        click("BitBtn3");
    }, 0);
    EXPECT_EQ(prompter.texts(), QStringList{S("Ungültiges Grafikformat!")});
}

TEST_F(ImageDialogTest, aPictureWithItsFileNameOnlyGivesThePlainElement)
{
    const QString path = picture(QStringLiteral("photo.gif"), "GIF", 200, 100);
    const std::optional<QString> html = run([&] {
        open(path);
        EXPECT_EQ(text("EditComplete"), QStringLiteral("photo.gif"));
        click("ButtonOnly");
    });
    EXPECT_EQ(html, S("<img src=\"photo.gif\"  border=\"0\" alt=\"Comment\" style=\"WIDTH:200px; HEIGHT:100px\" title=\"Title\">"));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{QStringLiteral("TFormImage")});
    EXPECT_EQ(prompter.fileRequests().value(0).filter,
              S("all(*.gif,*.jpg,*.bmp,*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.png|JPG|*.jpg;*.jpeg|GIF|*.gif|PNG|*.png"));
    EXPECT_EQ(prompter.fileRequests().value(0).folder, work.path());
    EXPECT_EQ(qtFileFilter(prompter.fileRequests().value(0).filter),
              S("all (*.gif *.jpg *.jpeg *.bmp *.png);;JPG (*.jpg *.jpeg);;GIF (*.gif);;PNG (*.png)"));
}

TEST_F(ImageDialogTest, thePreviewGrowsWithTheDialogAndStretchesOnlyWithoutAMap)
{
    const QString path = picture(QStringLiteral("small.png"), "PNG", 20, 10);
    run([&] {
        open(path);
        QWidget *panel = child<QWidget>(dialog, "Panel1");
        const QSize before = panel->size();
        dialog.resize(815, 560);
        dialog.layout()->activate();
        EXPECT_EQ(panel->size(), before + QSize(200, 100));

        EXPECT_EQ(preview()->size(), QSize(20, 10));
        click("CheckBox1");
        EXPECT_GT(preview()->width(), 100);
        EXPECT_GT(preview()->height(), 100);
        click("CheckMap");
        EXPECT_FALSE(child<QCheckBox>(dialog, "CheckBox1")->isChecked());
        EXPECT_FALSE(child<QCheckBox>(dialog, "CheckBox1")->isEnabled());
        EXPECT_EQ(preview()->size(), QSize(20, 10));
        click("CheckMap");
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckBox1")->isEnabled());
        click("BitBtn3");
    });
}

TEST_F(ImageDialogTest, theIncludedPathIsRelativeToTheDocumentOrAFileUrlAndTypedValuesAreEscaped)
{
    const QString path = picture(S("my pics/Straße 1.png"), "PNG", 20, 10);
    std::optional<QString> html = run([&] {
        open(path);
        click("CheckComplete");
        EXPECT_FALSE(child<QCheckBox>(dialog, "CheckFileOnly")->isChecked());
        field("Alt")->setText(S("Say \"hi\" & <b>"));
        field("Title")->setText(QString());
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_EQ(*html, S("<img src=\"my%20pics/Stra%C3%9Fe%201.png\"  border=\"0\" alt=\"Say &quot;hi&quot; &amp; &lt;b&gt;\" "
                       "style=\"WIDTH:20px; HEIGHT:10px\" title=\"\">"));
    const auto tags = test::scanTags(*html);
    ASSERT_EQ(tags.size(), 1);
    EXPECT_EQ(tags[0].attributes.value(QStringLiteral("alt")), S("Say \"hi\" & <b>"));

    document = QStringLiteral("Untitled");
    html = run([&] {
        open(path);
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckComplete")->isChecked());
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->startsWith(S("<img src=\"file://") + QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded).mid(7)
                                 + u'"'))
        << qPrintable(*html);
    EXPECT_FALSE(html->contains(u' ' + path));

    // Unticking one way of writing the name ticks the other.
    html = run([&] {
        open(path);
        click("CheckComplete");
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckFileOnly")->isChecked());
        click("CheckFileOnly");
        EXPECT_TRUE(child<QCheckBox>(dialog, "CheckComplete")->isChecked());
        click("CheckComplete");
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->startsWith(S("<img src=\"Stra%C3%9Fe%201.png\""))) << qPrintable(*html);
}

TEST_F(ImageDialogTest, okWithNothingToInsertKeepsTheDialogOpenAndSaysWhy)
{
    const std::optional<QString> html = run([&] {
        click("ButtonOnly");
        EXPECT_EQ(prompter.lastText(), QStringLiteral("Please choose an image file."));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), 0);

        field("EditFileonly")->setText(QStringLiteral("typed.png"));
        click("CheckMap");
        field("Left")->setText(QStringLiteral("10"));
        field("Top")->setText(QStringLiteral("10"));
        field("Right")->setText(QStringLiteral("190"));
        click("ButtonOnly");
        EXPECT_EQ(prompter.lastText(), QStringLiteral("Please enter valid coordinates for the area."));
        EXPECT_TRUE(dialog.isVisible());

        field("Bottom")->setText(QStringLiteral("90"));
        click("ButtonOnly");
        EXPECT_FALSE(dialog.isVisible());
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->contains(S("coords=\"10,10,190,90\""))) << qPrintable(*html);
    EXPECT_EQ(prompter.messages().size(), 2);
}

TEST_F(ImageDialogTest, cancelGivesNothing)
{
    const QString path = picture(QStringLiteral("a.png"), "PNG", 20, 10);
    EXPECT_EQ(run([&] {
                  open(path);
                  click("BitBtn3");
              }),
              std::nullopt);
    EXPECT_TRUE(dialog.Result.isEmpty());
    // Without a script the dialog is closed unanswered, which counts as Cancel.
    EXPECT_EQ(runImageDialog(dialog, prompter, 1, document), std::nullopt);
}

TEST_F(ImageDialogTest, theSliderSetsTheAreaEvenlyForRectangleAndCircle)
{
    const QString path = picture(QStringLiteral("photo.png"), "PNG", 200, 100);
    std::optional<QString> html = run([&] {
        open(path);
        click("CheckMap");
        EXPECT_FALSE(child<QCheckBox>(dialog, "CheckBox1")->isEnabled());
        EXPECT_EQ(child<QSlider>(dialog, "TrackBar1")->maximum(), 100);
        slide(10);
        EXPECT_EQ(QStringList({text("Left"), text("Top"), text("Right"), text("Bottom")}),
                  QStringList({QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("190"), QStringLiteral("90")}));
        // The outline is drawn on the preview, the kept picture stays clean.
        EXPECT_EQ(previewImage().pixelColor(10, 50), QColor(Qt::red));
        EXPECT_EQ(previewImage().pixelColor(100, 50), QColor(40, 160, 40));
        EXPECT_EQ(dialog.image().pixelColor(10, 50), QColor(40, 160, 40));
        click("ButtonOnly");
    });
    EXPECT_EQ(html, S("<img src=\"photo.png\"  border=\"0\" alt=\"My Image\" usemap=\"#MapName\">\r\n"
                      "<map name=\"MapName\">\r\n"
                      " <area shape=\"rect\" coords=\"10,10,190,90\" href=\"https://www.example.com/\" alt=\"Comment\" "
                      "title=\"Title\"/></map>\r\n"));

    html = run([&] {
        open(path);
        click("CheckMap");
        child<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(1);
        EXPECT_EQ(label("LabelRadius"), QStringLiteral("Radius"));
        EXPECT_FALSE(field("Bottom")->isVisible());
        EXPECT_FALSE(child<QLabel>(dialog, "Label9")->isVisible());
        EXPECT_EQ(child<QSlider>(dialog, "TrackBar1")->maximum(), 50);
        slide(20);
        EXPECT_EQ(QStringList({text("Left"), text("Top"), text("Right")}),
                  QStringList({QStringLiteral("100"), QStringLiteral("50"), QStringLiteral("30")}));
        slide(0);
        EXPECT_EQ(text("Right"), QStringLiteral("50"));
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->contains(S(" <area shape=\"circle\" coords=\"100,50,50\" "))) << qPrintable(*html);

    // Back to the rectangle: the labels return and the slider reaches the smaller side again.
    run([&] {
        open(path);
        click("CheckMap");
        child<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(0);
        EXPECT_EQ(label("LabelRadius"), QStringLiteral("Right"));
        EXPECT_TRUE(field("Bottom")->isVisible());
        EXPECT_EQ(child<QSlider>(dialog, "TrackBar1")->maximum(), 100);
        click("BitBtn3");
    });
}

TEST_F(ImageDialogTest, clicksIntoThePreviewSetTheCornersOrCentreAndRadius)
{
    const QString path = picture(QStringLiteral("photo.png"), "PNG", 200, 100);
    std::optional<QString> html = run([&] {
        open(path);
        clickPreview(20, 30);  // without a map a click means nothing
        EXPECT_EQ(text("Left"), QString());
        click("CheckMap");
        click("RadioButton1");
        clickPreview(20, 30);
        EXPECT_EQ(text("Left"), QStringLiteral("20"));
        EXPECT_EQ(text("Top"), QStringLiteral("30"));
        EXPECT_EQ(text("Right"), QString());
        clickPreview(150, 80);
        EXPECT_EQ(text("Right"), QStringLiteral("150"));
        EXPECT_EQ(text("Bottom"), QStringLiteral("80"));
        EXPECT_EQ(previewImage().pixelColor(20, 50), QColor(Qt::red));
        EXPECT_EQ(previewImage().pixelColor(10, 50), QColor(40, 160, 40));
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->contains(S("coords=\"20,30,150,80\""))) << qPrintable(*html);

    html = run([&] {
        open(path);
        click("CheckMap");
        click("RadioButton1");
        child<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(1);
        clickPreview(100, 50);
        clickPreview(130, 90);  // 30 across and 40 down: 50 from the centre
        EXPECT_EQ(text("Right"), QStringLiteral("50"));
        click("BitBtn2");
        EXPECT_EQ(QStringList({text("Left"), text("Top"), text("Right")}), QStringList({{}, {}, {}}));
        EXPECT_EQ(previewImage(), dialog.image().convertToFormat(previewImage().format()));
        clickPreview(60, 40);
        clickPreview(60, 70);
        click("ButtonOnly");
    });
    ASSERT_TRUE(html);
    EXPECT_TRUE(html->contains(S("coords=\"60,40,30\""))) << qPrintable(*html);
}

TEST_F(ImageDialogTest, everyShowingStartsWithoutPictureAndMapButKeepsTheOtherFields)
{
    const QString path = picture(QStringLiteral("photo.png"), "PNG", 200, 100);
    run([&] {
        open(path);
        click("CheckMap");
        field("MapName")->setText(QStringLiteral("Karte"));
        field("Href")->setText(QStringLiteral("ziel.html"));
        child<QComboBox>(dialog, "ComboBox1")->setCurrentIndex(1);
        slide(5);
        click("ButtonOnly");
    });
    const std::optional<QString> html = run([&] {
        EXPECT_FALSE(child<QCheckBox>(dialog, "CheckMap")->isChecked());
        EXPECT_FALSE(field("MapName")->isEnabled());
        EXPECT_EQ(text("EditFileonly"), QString());
        EXPECT_EQ(text("EditComplete"), QString());
        EXPECT_EQ(text("Left"), QString());
        EXPECT_EQ(label("Label13"), QStringLiteral("000"));
        EXPECT_TRUE(dialog.image().isNull());
        EXPECT_TRUE(previewImage().isNull());
        EXPECT_EQ(dialog.size(), QSize(615, 460));
        EXPECT_EQ(text("MapName"), QStringLiteral("Karte"));
        EXPECT_EQ(text("Href"), QStringLiteral("ziel.html"));
        EXPECT_EQ(child<QComboBox>(dialog, "ComboBox1")->currentText(), QStringLiteral("circle"));
        EXPECT_TRUE(child<QRadioButton>(dialog, "CheckBoxShow")->isChecked());
        field("EditFileonly")->setText(QStringLiteral("typed.png"));
        click("ButtonOnly");
    });
    EXPECT_EQ(html, S("<img src=\"typed.png\"  border=\"0\" alt=\"Comment\" title=\"Title\">"));
}

TEST_F(ImageDialogTest, captionsFollowTheLanguageAndControlsKeepTheirNamesAndTabOrder)
{
    const struct {
        const char *name;
        const char *german, *english;
    } captions[] = {
        {"BitBtn1", "Öffnen", "Open"},
        {"BitBtn3", "Abbrechen", "Cancel"},
        {"CheckBox1", "Grafik strecken", "Stretch graphics"},
        {"CheckBoxShow", "Optisch", "Optical"},
        {"RadioButton1", "Manuell", "Manual"},
        {"CheckMap", "Image Map erstellen", "Create image map"},
        {"Label1", "Pfad einschliessen", "Include path"},
        {"Label2", "Nur Dateiname", "Filename only"},
        {"Label5", "Koord.", "Coords"},
        {"LabelRadius", "Rechts", "Right"},
        {"Label9", "Unten", "Bottom"},
    };
    for (int language : {0, 1}) {
        run([&] {
            for (const auto &c : captions) {
                QWidget *w = child<QWidget>(dialog, c.name);
                const QString shown = w->property("text").toString();
                EXPECT_EQ(shown, S(language == 0 ? c.german : c.english)) << c.name;
            }
            EXPECT_EQ(child<QWidget>(dialog, "GroupBox2")->property("title").toString(),
                      S(language == 0 ? "Vorschau Image Map" : "Preview image map"));
            click("BitBtn3");
        }, language);
    }
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Image"));
    EXPECT_EQ(test::tabChain(dialog, "BitBtn1"),
              QStringLiteral("BitBtn1 EditComplete CheckComplete EditFileonly CheckFileOnly CheckBox1 TrackBar1 "
                             "CheckBoxShow RadioButton1 CheckMap MapName ComboBox1 Left Top Right Bottom BitBtn2 Alt "
                             "Title Href ButtonOnly BitBtn3 SpeedButton1"));
    for (const char *name : {"Panel1", "Image", "GroupBox1", "GroupBox2", "Label13", "Label15"})
        EXPECT_NE(dialog.findChild<QWidget *>(QLatin1String(name)), nullptr) << name;
}

TEST_F(ImageDialogTest, helpButtonAndF1AskForTheImageTopic)
{
    QList<int> asked;
    dialog.setHelpHandler([&](int context) { asked << context; });
    click("SpeedButton1");
    QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
    QCoreApplication::sendEvent(&dialog, &f1);
    EXPECT_EQ(asked, QList<int>({200, 200}));
}
