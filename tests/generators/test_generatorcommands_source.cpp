// The generator commands in the source view, through the main window's menu items and tool
// buttons, with the person's part played on the real dialogs.
#include "generatorcommandstest.h"
#include "teststrings.h"

#include "app/commandids.h"
#include "app/commandregistry.h"
#include "generators/pageids.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>

using namespace korvel;
using test::child;

namespace {


class SourceGeneratorTest : public test::GeneratorCommandsTest {
protected:
    void SetUp() override
    {
        GeneratorCommandsTest::SetUp();
        ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("site")));
        documentPath = work.filePath(QStringLiteral("site/page.html"));
        writeFile(QStringLiteral("site/page.html"), "<html></html>");
        ASSERT_TRUE(form->fileCommands().OpenDocumentFile(documentPath));
        prompter.clear();
    }

    SynMemo &editor() { return *form->editor(); }

    // The editor holds the text, with the given part of it selected.
    void setText(const QString &text, const QString &selected)
    {
        editor().setText(text);
        const qsizetype at = selected.isEmpty() ? 0 : text.indexOf(selected);
        ASSERT_GE(at, 0);
        editor().selectRange(int(at), int(selected.size()));
        editor().setModified(false);
    }

    QString documentPath;
};

// One command of the table: the text and its selection, what the person does in the dialog,
// and the text afterwards.
struct InsertionCase {
    const char *trigger;
    QString text;
    QString selected;
    std::function<void(QDialog &)> person;
    QString expected;
};

TEST_F(SourceGeneratorTest, eachCommandPutsItsDialogsFragmentAtTheSelectionAsOneUndoableEdit)
{
    QImage picture(20, 10, QImage::Format_RGB32);
    picture.fill(Qt::darkGreen);
    const QString picturePath = work.filePath(QStringLiteral("site/photo.png"));
    ASSERT_TRUE(picture.save(picturePath));

    const QString styleBlock = S("<style type=\"text/css\">\r\n<!--\r\n.myClass{\r\nfont-family:Arial,Helvetica;\r\n"
                                 "font-size:12pt;\r\n}\r\n-->\r\n</style>");
    const QString frame = S("<iframe src=\"Seite.htm\" width=\"400\" height=\"400\" name=\"Inline Page\">\r\n"
                            "<p>Your browser is unable to display inline frames:\r\n"
                            "Use a simple link instead:<a href=\"Seite.htm\">Inline Page</a></p>\r\n</iframe>\r\n");
    const std::vector<InsertionCase> cases = {
        // The selection becomes the link's description and is replaced by the link.
        {"ToolButtonLink", S("see Home now"), S("Home"),
         [](QDialog &d) { type(d, "EditName", S("index.html")); click(d, "BitBtn1"); },
         S("see <a  href=\"http://index.html\" target=\"_blank\">Home</a> now")},
        {"Link1", S("mail me"), S("me"),
         [](QDialog &d) { type(d, "EditName", S("me@example.org")); child<QAbstractButton>(d, "RadioButton2")->click();
                          click(d, "BitBtn1"); },
         S("mail <a href=\"mailto:me@example.org\">me</a>")},
        // The picture follows the selected text; its path is the document's neighbour.
        {"ToolButtonImage", S("A B"), S("A"),
         [](QDialog &d) { click(d, "BitBtn1"); click(d, "ButtonOnly"); },
         S("A<img src=\"photo.png\"  border=\"0\" alt=\"Comment\" style=\"WIDTH:20px; HEIGHT:10px\" title=\"Title\"> B")},
        // The style block goes in front of the head's end tag, which keeps its capitals, and
        // the selection elsewhere stays as it was.
        {"ToolButtonStyle", S("<html><head><title>t</title></HEAD><body>x</body></html>"), S("x"),
         [](QDialog &d) { click(d, "BitBtn1"); },
         S("<html><head><title>t</title>\r\n") + styleBlock + S("\r\n</HEAD><body>x</body></html>")},
        // Without a head end tag it goes in front of the selection.
        {"Font2", S("<p>x</p>"), S("x"), [](QDialog &d) { click(d, "BitBtn1"); },
         S("<p>\r\n") + styleBlock + S("\r\nx</p>")},
        // The inline frame and the object come in front of the selected text.
        {"iFrame1", S("A B"), S("B"), [](QDialog &d) { click(d, "BitBtn1"); }, S("A ") + frame + S("B")},
        {"Object1", S("A B"), S("B"), [](QDialog &d) { click(d, "BitBtn1"); },
         S("A \r\n<object width=\"300\" height=\"300\">\r\n</object>\r\nB")},
    };
    for (const InsertionCase &c : cases) {
        SCOPED_TRACE(c.trigger);
        setText(c.text, c.selected);
        prompter.answerOpenFile(picturePath);
        answerDialog(c.person);
        trigger(c.trigger);
        EXPECT_EQ(editor().text(), c.expected);
        EXPECT_TRUE(editor().modified());
        editor().undo();
        EXPECT_EQ(editor().text(), c.text) << "one step of the undo history";
        EXPECT_TRUE(prompter.unexpected().isEmpty()) << prompter.unexpected().join(u' ').toStdString();
        prompter.clear();
    }
}

TEST_F(SourceGeneratorTest, cancellingAnyDialogLeavesTheTextAndTheModifiedFlagAlone)
{
    const std::vector<std::pair<const char *, const char *>> cancels = {
        {"ToolButtonLink", "BitBtn2"}, {"ToolButtonImage", "BitBtn3"}, {"ToolButtonStyle", "BitBtn2"},
        {"iFrame1", "BitBtn2"},        {"Object1", "BitBtn2"},         {"Frameset1", "BitBtn2"},
    };
    for (const auto &[name, cancel] : cancels) {
        SCOPED_TRACE(name);
        setText(S("<html><head></head><body>Home</body></html>"), S("Home"));
        answerDialog([cancel = cancel](QDialog &d) {
            // Fields filled in first count for nothing.
            for (QLineEdit *field : d.findChildren<QLineEdit *>())
                field->setText(S("x"));
            click(d, cancel);
        });
        trigger(name);
        EXPECT_EQ(editor().text(), S("<html><head></head><body>Home</body></html>"));
        EXPECT_FALSE(editor().modified());
        EXPECT_EQ(form->document().FileName, documentPath);
        EXPECT_EQ(prompter.dialogsShown().size(), 1);
        EXPECT_TRUE(prompter.messages().isEmpty());
        prompter.clear();
    }
}

TEST_F(SourceGeneratorTest, theFramesetPageBecomesANewUnnamedDocument)
{
    setText(S("<p>old</p>"), QString());
    answerDialog([](QDialog &d) { click(d, "BitBtn1"); });
    trigger("Frameset1");
    const QString text = editor().text();
    EXPECT_TRUE(text.startsWith(S("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Frameset//EN\" "
                                  "\"http://www.w3.org/TR/html4/frameset.dtd\">\r\n<html>\r\n")))
        << text.toStdString();
    EXPECT_TRUE(text.endsWith(S("</frameset></html>")));
    EXPECT_TRUE(text.contains(S("<frame src=\"Frame1.htm\" name=\"Left\" scrolling=\"auto\" marginwidth=\"5\" "
                                "marginheight=\"5\" frameborder=\"1\" noresize>\r\n")));
    EXPECT_FALSE(text.contains(S("old")));
    EXPECT_TRUE(editor().modified());
    EXPECT_EQ(form->document().FileName, form->line(Msg::Untitled));
    // The unchanged document was not asked about.
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(SourceGeneratorTest, theFramesetPageAsksAboutUnsavedChangesAndCancelKeepsTheDocument)
{
    setText(S("<p>unsaved work</p>"), QString());
    editor().setModified(true);
    answerDialog([](QDialog &d) { click(d, "BitBtn1"); });
    prompter.answer(Answer::Cancel);
    trigger("Frameset1");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Confirmation);
    EXPECT_EQ(prompter.lastText(), form->line(Msg::SaveChangesTo) + S("page.html"));
    EXPECT_EQ(editor().text(), S("<p>unsaved work</p>"));
    EXPECT_TRUE(editor().modified());
    EXPECT_EQ(form->document().FileName, documentPath);

    // No: the work is dropped and the frameset page takes its place.
    answerDialog([](QDialog &d) { click(d, "BitBtn1"); });
    prompter.answer(Answer::No);
    trigger("Frameset1");
    EXPECT_TRUE(editor().text().endsWith(S("</frameset></html>")));
}

TEST_F(SourceGeneratorTest, everyDialogSpeaksTheWindowsLanguageAndAsksForItsHelpTopic)
{
    std::vector<int> topics;
    form->helpHandler = [&topics](int topic) { topics.push_back(topic); };
    struct Row {
        const char *trigger;
        const char *cancel;
        int helpTopic;
    };
    const std::vector<Row> rows = {{"Link1", "BitBtn2", 140},  {"Image1", "BitBtn3", 200},  {"Font2", "BitBtn2", 140},
                                   {"iFrame1", "BitBtn2", 210}, {"Frameset1", "BitBtn2", 210}, {"Object1", "BitBtn2", 140}};
    for (const int language : {0, 1}) {
        form->state().UiLanguage = language;
        for (const Row &row : rows) {
            SCOPED_TRACE(std::string(row.trigger) + (language == 0 ? " German" : " English"));
            setText(S("x"), QString());
            topics.clear();
            answerDialog([&row, language](QDialog &d) {
                EXPECT_EQ(child<QAbstractButton>(d, row.cancel)->text(), language == 0 ? S("Abbrechen") : S("Cancel"));
                QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
                QCoreApplication::sendEvent(&d, &f1);
                click(d, row.cancel);
            });
            trigger(row.trigger);
            EXPECT_EQ(topics, std::vector<int>{row.helpTopic});
            prompter.clear();
        }
    }
}

TEST_F(SourceGeneratorTest, eachCommandIsRegisteredOnceWithItsMenuItemsToolButtonsAndShortcut)
{
    struct Row {
        const char *id;
        QStringList triggers;
        const char *shortcut;
    };
    const std::vector<Row> rows = {
        {cmd::InsertLink, {S("Link1"), S("ToolButtonLink")}, "Ctrl+Alt+L"},
        {cmd::InsertImage, {S("Image1"), S("ToolButtonImage")}, "Ctrl+Alt+M"},
        {cmd::StyleBlock, {S("Font2"), S("ToolButtonStyle")}, "Ctrl+Alt+Y"},
        {cmd::InsertIFrame, {S("iFrame1")}, ""},
        {cmd::Frameset, {S("Frameset1")}, ""},
        {cmd::InsertObject, {S("Object1")}, ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.id);
        const CommandRegistry::Command *command = form->commands().find(row.id);
        ASSERT_NE(command, nullptr);
        EXPECT_EQ(command->triggers(), row.triggers);
        // A menu item and its tool button are one action.
        for (const QString &name : row.triggers)
            EXPECT_EQ(form->action(name), command->action());
        EXPECT_TRUE(command->action()->isEnabled());
        EXPECT_EQ(command->action()->shortcut(), QKeySequence(QLatin1String(row.shortcut)));
    }
}

TEST(PageIds, theIdAttributesOfASerializedPageAreFoundAndNothingElse)
{
    const std::vector<std::pair<QString, QStringList>> cases = {
        {S("<p id=\"a\"><iframe id=\"MyFrame\"></iframe></p>"), {S("a"), S("MyFrame")}},
        // Other attributes that end in "id", and an id whose value holds a quote.
        {S("<div data-id=\"x\" grid=\"y\" ID=\"b\" title=\" id=&quot;c&quot;\"></div>"), {S("b")}},
        {S("<a id=\"R&amp;D\">"), {S("R&D")}},
        {S("<p id=\"\">"), {QString()}},
        {S("<p id=\"unclosed"), {}},
        {QString(), {}},
    };
    for (const auto &[html, ids] : cases)
        EXPECT_EQ(idsInSerializedPage(html), ids) << html.toStdString();
}

} // namespace
