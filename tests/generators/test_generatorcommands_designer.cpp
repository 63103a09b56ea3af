// The generator commands in the designer view, against the real engine: what the page gains in
// design mode, and the refusal without it.
#include "generatorcommandstest.h"
#include "teststrings.h"

#include "designer/designercontext.h"

#include <QComboBox>
#include <QDir>
#include <QImage>

using namespace korvel;
using test::child;

namespace {


const QByteArray kPage = "<html><head><title>t</title></head><body>"
                         "<p id=\"para\">Hello world</p><p id=\"frame\">MyFrame is taken</p>"
                         "<div id=\"MyFrame\">an element with the first frame id</div></body></html>";

class DesignerGeneratorTest : public test::GeneratorCommandsTest {
protected:
    void SetUp() override
    {
        GeneratorCommandsTest::SetUp();
        ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("site/pics")));
        pagePath = openPageInDesigner(kPage, QStringLiteral("site/page.html"));
        prompter.clear();
    }

    void designModeOn()
    {
        trigger("BrowserEditmode1");
        ASSERT_EQ(page().designMode(), QStringLiteral("On"));
        prompter.clear();
    }

    HtmlElement byId(const char *id)
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(QStringLiteral("id")) == QLatin1String(id))
                return *e;
        }
        ADD_FAILURE() << "no element " << id;
        return HtmlElement();
    }

    // A caret after the first word of the element's text.
    void caretIn(const char *id)
    {
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range.has_value());
        ASSERT_TRUE(range->moveToElementText(byId(id)));
        ASSERT_TRUE(range->collapse(true));
        ASSERT_TRUE(range->select());
    }

    QString serialized() { return page().serializedPage().value_or(QString()); }

    // The ids of the page's elements with the tag.
    QStringList idsOf(const QString &tag)
    {
        QStringList ids;
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->tagName() == tag)
                ids << e->getAttribute(QStringLiteral("id")).value_or(QString());
        }
        return ids;
    }

    QString pagePath;
};

TEST_F(DesignerGeneratorTest, theLinkCommandAsksForTheAddressAndLinksTheSelection)
{
    designModeOn();
    caretIn("para");
    prompter.answerInput(S("  http://example.org/a.html "));
    trigger("ToolButtonLink");
    ASSERT_EQ(prompter.inputPrompts().size(), 1);
    EXPECT_EQ(prompter.inputPrompts().first(), S("Address (URL) of the link:"));
    EXPECT_TRUE(serialized().contains(S("<a href=\"http://example.org/a.html\">"))) << serialized().toStdString();

    // Cancel, an empty answer and the untouched start change nothing.
    const QString before = serialized();
    for (const std::optional<QString> &answer : {std::optional<QString>(), std::optional<QString>(S(" ")),
                                                 std::optional<QString>(S("http://"))}) {
        prompter.answerInput(answer);
        trigger("Link1");
        EXPECT_EQ(serialized(), before);
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerGeneratorTest, theImageCommandInsertsThePictureRelativeToThePage)
{
    designModeOn();
    caretIn("para");
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::red);
    const QString picturePath = work.filePath(QStringLiteral("site/pics/my dot.png"));
    ASSERT_TRUE(picture.save(picturePath));
    prompter.answerOpenFile(picturePath);
    trigger("ToolButtonImage");
    ASSERT_EQ(prompter.fileRequests().size(), 1);
    EXPECT_EQ(QDir(prompter.fileRequests().first().folder), QDir(work.filePath(QStringLiteral("site"))));
    EXPECT_EQ(idsOf(S("IMG")).size(), 1);
    EXPECT_TRUE(serialized().contains(S("<img src=\"pics/my%20dot.png\">"))) << serialized().toStdString();

    // Cancel in the file dialog inserts nothing.
    prompter.answerOpenFile(QString());
    trigger("Image1");
    EXPECT_EQ(idsOf(S("IMG")).size(), 1);
}

TEST_F(DesignerGeneratorTest, eachInlineFrameGetsAnIdNoOtherElementOfThePageHas)
{
    designModeOn();
    caretIn("para");
    trigger("iFrame1");
    caretIn("para");
    trigger("iFrame1");
    // "MyFrame" belongs to the div already.
    EXPECT_EQ(idsOf(S("IFRAME")), (QStringList{S("MyFrame3"), S("MyFrame2")})) << serialized().toStdString();
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerGeneratorTest, theObjectCommandPastesTheDialogsElementAtTheSelection)
{
    designModeOn();
    caretIn("para");
    answerDialog([](QDialog &d) {
        auto *type = child<QComboBox>(d, "ComboBox1");
        const int data = type->findText(S("Data"));
        type->setCurrentIndex(data);
        emit type->activated(data);
        click(d, "BitBtn1");
    });
    trigger("Object1");
    const QString html = serialized();
    EXPECT_TRUE(html.contains(S("<p id=\"para\">\n<object data=\"MyFile.txt\" type=\"text/plain\" width=\"300\" height=\"300\">")))
        << html.toStdString();
    EXPECT_TRUE(html.contains(S("<param name=\"src\" value=\"MyFile.txt\">")));

    // Cancel pastes nothing.
    answerDialog([](QDialog &d) { click(d, "BitBtn2"); });
    trigger("Object1");
    EXPECT_EQ(serialized(), html);
}

TEST_F(DesignerGeneratorTest, theStyleBlockGoesIntoThePagesHeadAndBackToTheSource)
{
    designModeOn();
    caretIn("para");
    answerDialog([](QDialog &d) {
        type(d, "EditClass", S("p"));
        click(d, "BitBtn1");
    });
    trigger("ToolButtonStyle");
    // The engine's parser keeps line feeds only.
    const QString html = serialized();
    const qsizetype style = html.indexOf(S("<style type=\"text/css\">\n<!--\np{\nfont-family:Arial,Helvetica;"));
    ASSERT_GE(style, 0) << html.toStdString();
    EXPECT_GT(style, html.indexOf(S("<title>t</title>")));
    EXPECT_LT(style, html.indexOf(S("</head>")));
    // The rule applies to the page at once.
    EXPECT_EQ(byId("para").currentStyle(S("font-size")), S("16px"));

    // Cancel adds nothing.
    answerDialog([](QDialog &d) { click(d, "BitBtn2"); });
    trigger("Font2");
    EXPECT_EQ(serialized(), html);

    form->setActivePage(0);
    ASSERT_EQ(form->activePage(), 0);
    const QString source = form->editor()->text();
    EXPECT_LT(source.indexOf(S("p{\r\nfont-family:Arial,Helvetica;")), source.indexOf(S("</head>"), 0, Qt::CaseInsensitive))
        << source.toStdString();
    EXPECT_GE(source.indexOf(S("p{\r\nfont-family:Arial,Helvetica;")), 0) << source.toStdString();
}

TEST_F(DesignerGeneratorTest, withoutDesignModeTheCommandsThatWriteToThePageRefuseBeforeAnyDialog)
{
    const QString before = serialized();
    for (const char *name : {"ToolButtonLink", "ToolButtonImage", "ToolButtonStyle", "iFrame1", "Object1"}) {
        SCOPED_TRACE(name);
        trigger(name);
        ASSERT_EQ(prompter.messages().size(), 1);
        EXPECT_EQ(prompter.messages().first().kind, MessageKind::Warning);
        EXPECT_EQ(prompter.lastText(), form->line(Msg::EnableDesignMode));
        EXPECT_TRUE(prompter.dialogsShown().isEmpty());
        EXPECT_TRUE(prompter.inputPrompts().isEmpty());
        EXPECT_TRUE(prompter.fileRequests().isEmpty());
        EXPECT_EQ(serialized(), before);
        prompter.clear();
    }
}

TEST_F(DesignerGeneratorTest, theFramesetPageIsMadeInTheSourceViewOnly)
{
    designModeOn();
    trigger("Frameset1");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Warning);
    EXPECT_EQ(prompter.lastText(), form->line(Msg::SwitchToSource));
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
    EXPECT_EQ(form->activePage(), 1);
    EXPECT_EQ(form->document().FileName, pagePath);
}

} // namespace
