#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "source/finddialogs.h"
#include "source/formspecial.h"
#include "source/snippets.h"
#include "source/sourcecommands.h"

#include "teststrings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QCheckBox>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::ScriptedPrompter;

namespace {


class SourceCommandsTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR"))); }

    void TearDown() override
    {
        if (form) {
            editor().setModified(false);
            editor().clearAll();
            form->close();
        }
    }

    // Starts the window in the given language (0 German, 1 English) with the source commands.
    void start(int language = 1)
    {
        prompter.answerDialog([language](QDialog &d) {
            d.findChild<QComboBox *>(QStringLiteral("ComboBox1"))->setCurrentIndex(language);
            return int(QDialog::Accepted);
        });
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(QStringLiteral("102.0.5005.177"));
        commands = new SourceCommands(*form);
        form->show();
        prompter.clear();
    }

    SynMemo &editor() { return *form->editor(); }

    void setText(const char *text)
    {
        editor().setText(S(text));
        editor().selectRange(0, 0);
    }

    void trigger(const char *name)
    {
        QAction *a = form->action(QString::fromLatin1(name));
        ASSERT_NE(a, nullptr) << name;
        ASSERT_TRUE(a->isEnabled()) << name;
        a->trigger();
    }

    FoundRange selection() { return {editor().selStart(), editor().selLength()}; }

    ScriptedPrompter::Shown lastMessage()
    {
        return prompter.messages().isEmpty() ? ScriptedPrompter::Shown{} : prompter.messages().last();
    }

    void click(QDialog &dialog, const char *button)
    {
        auto *b = dialog.findChild<QPushButton *>(QString::fromLatin1(button));
        ASSERT_NE(b, nullptr) << button;
        b->click();
    }

    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    SourceCommands *commands = nullptr;
};

} // namespace

TEST_F(SourceCommandsTest, findDialogThenFindNextWalksTheTextAndStartsOverAfterAMiss)
{
    start();
    setText("ab ab ab x");
    trigger("Find1");
    TFindDialog &dialog = commands->FindDialog1();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.windowTitle(), S("Find"));
    EXPECT_EQ(selection(), (FoundRange{1, 0}));

    dialog.findChild<QLineEdit *>(QStringLiteral("FindText"))->setText(S("ab"));
    click(dialog, "FindNext");
    EXPECT_EQ(selection(), (FoundRange{0, 2}));
    EXPECT_EQ(commands->Search.LastFindText, S("ab"));

    trigger("Findnext1");
    EXPECT_EQ(selection(), (FoundRange{3, 2}));
    trigger("Weitersuchen1");
    EXPECT_EQ(selection(), (FoundRange{6, 2}));
    EXPECT_TRUE(prompter.messages().isEmpty());

    trigger("Findnext1");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(lastMessage().text, S("Search string not found."));
    EXPECT_EQ(lastMessage().kind, MessageKind::Plain);

    trigger("Findnext1");
    EXPECT_EQ(selection(), (FoundRange{0, 2}));
    EXPECT_TRUE(prompter.unexpected().isEmpty());
}

TEST_F(SourceCommandsTest, findDialogReportsAMissAndEmptiesTheSelection)
{
    start(0);
    setText("concat cat");
    trigger("ToolButtonFind");
    TFindDialog &dialog = commands->FindDialog1();
    EXPECT_EQ(dialog.windowTitle(), S("Suchen"));
    dialog.findChild<QLineEdit *>(QStringLiteral("FindText"))->setText(S("cat"));
    dialog.findChild<QCheckBox *>(QStringLiteral("WholeWord"))->setChecked(true);
    click(dialog, "FindNext");
    EXPECT_EQ(selection(), (FoundRange{7, 3}));
    click(dialog, "FindNext"); // continues behind the match: nothing more
    EXPECT_EQ(lastMessage().text, S("Suchbegriff nicht gefunden."));
    EXPECT_EQ(lastMessage().kind, MessageKind::Plain);
    EXPECT_EQ(selection(), (FoundRange{1, 0}));
}

TEST_F(SourceCommandsTest, findNextWithoutASearchDoesNothing)
{
    start();
    setText("abc");
    trigger("Findnext1");
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(selection(), (FoundRange{0, 0}));
}

TEST_F(SourceCommandsTest, replaceDialogFindsReplacesAndReplacesAll)
{
    start();
    setText("Viel ärger, mehr Ärger");
    editor().setModified(false);
    form->action(QStringLiteral("Browser1"))->setEnabled(true);
    trigger("Replace1");
    TReplaceDialog &dialog = commands->ReplaceDialog1();
    ASSERT_TRUE(dialog.isVisible());
    EXPECT_FALSE(form->action(QStringLiteral("Browser1"))->isEnabled());
    EXPECT_TRUE(editor().modified());
    EXPECT_TRUE(dialog.findText().isEmpty());

    auto *findText = dialog.findChild<QLineEdit *>(QStringLiteral("FindText"));
    auto *replaceText = dialog.findChild<QLineEdit *>(QStringLiteral("ReplaceText"));
    findText->setText(S("Ärger"));
    replaceText->setText(S("Freude"));
    dialog.findChild<QCheckBox *>(QStringLiteral("MatchCase"))->setChecked(true);
    click(dialog, "FindNext");
    EXPECT_EQ(selection(), (FoundRange{17, 5}));
    click(dialog, "Replace");
    EXPECT_EQ(editor().text(), S("Viel ärger, mehr Freude"));

    // A miss: information box, selection emptied.
    click(dialog, "FindNext");
    EXPECT_EQ(lastMessage().text, S("Search string not found."));
    EXPECT_EQ(lastMessage().kind, MessageKind::Information);
    EXPECT_EQ(selection(), (FoundRange{1, 0}));
    // Replace with an empty selection changes nothing.
    click(dialog, "Replace");
    EXPECT_EQ(editor().text(), S("Viel ärger, mehr Freude"));

    // Without match case Replace All folds umlauts too, and does not touch the search state.
    findText->setText(S("ÄRGER"));
    dialog.findChild<QCheckBox *>(QStringLiteral("MatchCase"))->setChecked(false);
    click(dialog, "ReplaceAll");
    EXPECT_EQ(editor().text(), S("Viel Freude, mehr Freude"));
    EXPECT_TRUE(commands->Search.LastFindText.isEmpty());
}

TEST_F(SourceCommandsTest, commandsThatNeedTheSourceRefuseOnTheDesignerPage)
{
    start();
    setText("<p>a</p>\r\n<p>b</p>");
    editor().selectRange(0, 3);
    form->setActivePage(1);
    struct Refusal {
        const char *action;
        MessageKind kind;
    };
    const Refusal refusals[] = {
        {"Replace1", MessageKind::Information}, {"GoToLine1", MessageKind::Warning},
        {"Doctype1", MessageKind::Warning},     {"Script1", MessageKind::Information},
        {"NoLineFeed1", MessageKind::Warning},  {"InsertLineFeeds1", MessageKind::Warning},
        {"RemoveHyphenation1", MessageKind::Warning}, {"Replace3", MessageKind::Warning},
        {"MakeEntitie1", MessageKind::Warning}, {"MakeStringVariable1", MessageKind::Warning},
    };
    for (const Refusal &r : refusals) {
        prompter.clear();
        trigger(r.action);
        ASSERT_EQ(prompter.messages().size(), 1) << r.action;
        EXPECT_EQ(lastMessage().text, S("Switch to source editor please.")) << r.action;
        EXPECT_EQ(lastMessage().kind, r.kind) << r.action;
    }
    EXPECT_EQ(editor().text(), S("<p>a</p>\r\n<p>b</p>"));
    EXPECT_FALSE(commands->ReplaceDialog1().isVisible());
    EXPECT_FALSE(form->action(QStringLiteral("Kommentar1"))->isEnabled());

    // Commands that do nothing there without a designer behind them.
    prompter.clear();
    for (const char *name : {"Find1", "Findnext1", "Selectall1", "UppertoLower1", "LowertoUpper1", "ToolButton3"})
        trigger(name);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(editor().text(), S("<p>a</p>\r\n<p>b</p>"));
    EXPECT_FALSE(commands->FindDialog1().isVisible());

    // The designer's side of those commands is called when it is there.
    QStringList called;
    CommandRegistry &registry = form->commands();
    registry.add(cmd::Find).onDesigner([&] { called << S("find"); });
    registry.add(cmd::SelectAll).onDesigner([&] { called << S("select all"); });
    registry.add(cmd::LowerCase).onDesigner([&] { called << S("lower"); });
    registry.add(cmd::UpperCase).onDesigner([&] { called << S("upper"); });
    registry.add(cmd::GetText).onDesigner([&] { called << S("text"); });
    for (const char *name : {"Find1", "Selectall1", "UppertoLower1", "LowertoUpper1", "GetText1"})
        trigger(name);
    EXPECT_EQ(called, (QStringList{S("find"), S("select all"), S("lower"), S("upper"), S("text")}));
}

TEST_F(SourceCommandsTest, goToLineClampsTheNumberAndRefusesOtherInput)
{
    start();
    setText("1\r\n2\r\n3\r\n4\r\n5");
    form->action(QStringLiteral("Browser1"))->setEnabled(true);
    const std::pair<const char *, int> answers[] = {{"3", 3}, {"0", 1}, {"-5", 1}, {"999", 5}};
    for (const auto &[answer, caretLine] : answers) {
        prompter.answerInput(S(answer));
        trigger("GoToLine1");
        EXPECT_EQ(editor().caretLine(), caretLine) << answer;
        EXPECT_EQ(editor().caretColumn(), 1) << answer;
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(prompter.inputPrompts().first(), S("Enter line number:"));
    EXPECT_FALSE(form->action(QStringLiteral("Browser1"))->isEnabled());

    editor().setCaretLineColumn(2, 1);
    prompter.answerInput(S("abc"));
    trigger("GoToLine1");
    prompter.answerInput(std::nullopt); // cancelled
    trigger("GoToLine1");
    EXPECT_EQ(prompter.texts(), (QStringList{S("Invalid input!"), S("Invalid input!")}));
    EXPECT_EQ(lastMessage().kind, MessageKind::Plain);
    EXPECT_EQ(editor().caretLine(), 2);
}

TEST_F(SourceCommandsTest, wordWrapSwitchesAndShowsItsState)
{
    start();
    const bool before = editor().wordWrapOn();
    trigger("ToolButton3");
    EXPECT_EQ(editor().wordWrapOn(), !before);
    EXPECT_EQ(form->statusPanel(2)->text(), before ? S("WW=off") : S("WW=on"));
    trigger("ToolButton3");
    EXPECT_EQ(editor().wordWrapOn(), before);
    EXPECT_EQ(form->statusPanel(2)->text(), before ? S("WW=on") : S("WW=off"));
}

TEST_F(SourceCommandsTest, theJavaScriptStringTurnsWordWrapOffAndThePanelFollows)
{
    start();
    setText("a");
    editor().setWordWrapOn(true);
    trigger("MakeStringVariable1");
    EXPECT_FALSE(editor().wordWrapOn());
    EXPECT_TRUE(form->statusPanel(2)->text().isEmpty()); // the switch was never used

    trigger("ToolButton3");
    EXPECT_EQ(form->statusPanel(2)->text(), S("WW=on"));
    trigger("MakeStringVariable1");
    EXPECT_FALSE(editor().wordWrapOn());
    EXPECT_EQ(form->statusPanel(2)->text(), S("WW=off"));
}

TEST_F(SourceCommandsTest, snippetsGoInPlaceOfTheSelection)
{
    start();
    setText("<html>x</html>");
    trigger("Kommentar1");
    EXPECT_EQ(editor().text(), S("<!--  --><html>x</html>"));

    editor().selectRange(15, 1);
    trigger("Kommentar1");
    EXPECT_EQ(editor().text(), S("<!--  --><html><!-- x --></html>"));

    setText("<html>");
    trigger("Doctype1");
    EXPECT_EQ(editor().text(), DoctypeDeclaration() + S("<html>"));

    setText("ab");
    editor().selectRange(1, 0);
    trigger("Script1");
    EXPECT_EQ(editor().text(), S("a<script type=\"text/javascript\">\r\n\r\n</script>b"));

    trigger("Selectall1");
    EXPECT_EQ(selection(), (FoundRange{0, editor().text().size()}));
}

TEST_F(SourceCommandsTest, lineFeedCommandsKeepTheHeadSection)
{
    start();
    setText("<html>\r\n<head>\r\n<title>x</title>\r\n</head>\r\n<body>\r\nfoo\r\nbar</body>");
    trigger("NoLineFeed1");
    EXPECT_EQ(editor().text(), S("<html><head>\r\n<title>x</title>\r\n</head><body>foobar</body>"));
    trigger("InsertLineFeeds1");
    EXPECT_EQ(editor().text(), S("<html>\r\n<head>\r\n<title>x</title>\r\n</head>\r\n<body>\r\nfoobar</body>\r\n"));
    EXPECT_TRUE(commands->SavedHead.isEmpty());
}

TEST_F(SourceCommandsTest, hyphenationReportsItsCount)
{
    start();
    setText("<body>Sil-ben tren-nung, E-Mail</body>");
    trigger("RemoveHyphenation1");
    EXPECT_EQ(editor().text(), S("<body>Silben trennung, E-Mail</body>"));
    EXPECT_EQ(lastMessage().text, S("2 x hyphenation deleted."));
    EXPECT_EQ(lastMessage().kind, MessageKind::Plain);

    trigger("RemoveHyphenation1");
    EXPECT_EQ(lastMessage().text, S("0 x hyphenation deleted."));
}

TEST_F(SourceCommandsTest, letterCaseChangesOnlyTheSelectedAsciiLetters)
{
    start();
    setText("x<a href=x>Größe</a>");
    editor().selectRange(1, 19);
    trigger("LowertoUpper1");
    EXPECT_EQ(editor().text(), S("x<A HREF=X>GRößE</A>"));
    editor().selectRange(0, 0);
    trigger("UppertoLower1");
    EXPECT_EQ(editor().text(), S("x<A HREF=X>GRößE</A>"));
    editor().selectRange(1, 19);
    trigger("UppertoLower1");
    EXPECT_EQ(editor().text(), S("x<a href=x>größe</a>"));
}

TEST_F(SourceCommandsTest, characterCodeNeedsASelection)
{
    start();
    setText("Café");
    trigger("MakeEntitie1");
    EXPECT_EQ(lastMessage().text, S("To get the HTML code of a character select it first!"));
    EXPECT_EQ(lastMessage().kind, MessageKind::Confirmation);
    EXPECT_EQ(editor().text(), S("Café"));

    editor().selectRange(3, 1);
    trigger("MakeEntitie1");
    EXPECT_EQ(editor().text(), S("Caf&#233;"));
}

TEST_F(SourceCommandsTest, umlautsAndTheJavaScriptString)
{
    start();
    setText("<p>Öl & Maß</p>");
    trigger("Replace3");
    EXPECT_EQ(editor().text(), S("<p>&Ouml;l & Ma&szlig;</p>"));

    editor().setWordWrapOn(true);
    setText("a\r\n\r\n  \r\nb");
    trigger("MakeStringVariable1");
    EXPECT_FALSE(editor().wordWrapOn());
    EXPECT_EQ(editor().text(), S("'a'+\r\n'b';"));

    setText(" \r\n ");
    trigger("MakeStringVariable1");
    EXPECT_EQ(editor().text(), S(" \r\n "));
}

TEST_F(SourceCommandsTest, checkHtmlRewritesTheTextAndShowsTheReport)
{
    start();
    setText("<body><div a><div b></div></body>");
    editor().setModified(false);
    trigger("Paragraph1");
    EXPECT_EQ(editor().text(), S("<html>\r\n<head>\r\n</head>\r\n<body><div a></!CheckThis><div b></div></body></html>"));
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(lastMessage().text, S("Code check finished.\r\n\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
    EXPECT_EQ(lastMessage().kind, MessageKind::Information);
    EXPECT_EQ(commands->CheckReport, S("\r\nFor<div 1 closing Tag missing.\r\n1</div> missing"));
    EXPECT_TRUE(editor().modified());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(SourceCommandsTest, checkHtmlFromTheDesignerGoesBackToTheSourceFirst)
{
    start(0);
    setText("<body></div><div>x</div></div></body>");
    form->setActivePage(1);
    trigger("Paragraph1");
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_EQ(editor().text(), S("<html>\r\n<head>\r\n</head>\r\n<body><div>x</div></body></html>"));
    EXPECT_EQ(lastMessage().text, S("Codeprüfung abgeschlossen.\r\n\r\n2 überzählige </div> gelöscht."));
}

TEST_F(SourceCommandsTest, getTextOnTheSourcePageAsksForTheBrowser)
{
    start();
    for (const char *name : {"GetText1", "ToolButtonText", "Gettext2"}) {
        prompter.clear();
        trigger(name);
        EXPECT_EQ(lastMessage().text, S("Switch to browser please.")) << name;
        EXPECT_EQ(lastMessage().kind, MessageKind::Information) << name;
    }
}

TEST_F(SourceCommandsTest, specialCharacterWindowCopiesTheCodeOfTheSelectedCharacter)
{
    start();
    QApplication::clipboard()->clear();
    QString shownCode;
    QString caption;
    prompter.answerDialog([&](QDialog &d) {
        caption = d.windowTitle();
        auto *sample = d.findChild<SynMemo *>(QStringLiteral("SynMemo1"));
        auto *code = d.findChild<QLineEdit *>(QStringLiteral("Edit1"));
        auto *create = d.findChild<QPushButton *>(QStringLiteral("BitBtn3"));
        if (!sample || !code || !create)
            return int(QDialog::Rejected);
        create->click(); // no selection: nothing happens
        shownCode = code->text();
        sample->selectRange(2, 1); // the euro sign
        create->click();
        shownCode += S("|") + code->text();
        return int(QDialog::Rejected);
    });
    trigger("Sonderzeichen1");
    EXPECT_EQ(prompter.dialogsShown(), QStringList{S("TFormSpecial")});
    EXPECT_EQ(caption, S("Special character"));
    EXPECT_EQ(shownCode, S("|&#128;"));
    EXPECT_EQ(QApplication::clipboard()->text(), S("&#128;"));
}

TEST_F(SourceCommandsTest, wholeTextCommandsAreOneUndoStepAndKeepTheEditsBefore)
{
    start();
    struct Case {
        const char *action;
        const char *text;
    };
    const Case cases[] = {
        {"Doctype1", "<p>a</p>"},
        {"NoLineFeed1", "<p>a</p>\r\n<p>b</p>"},
        {"InsertLineFeeds1", "<p>a</p>"},
        {"RemoveHyphenation1", "<body>Sil-ben</body>"},
        {"Replace3", "<p>Öl</p>"},
        {"MakeStringVariable1", "a\r\nb"},
        {"Paragraph1", "<body><div></body>"},
    };
    for (const Case &c : cases) {
        setText(c.text);
        editor().replaceSelection(S("x")); // the user's own edit before the command
        const QString before = editor().text();
        trigger(c.action);
        EXPECT_NE(editor().text(), before) << c.action;
        editor().undo();
        EXPECT_EQ(editor().text(), before) << c.action;
        editor().undo();
        EXPECT_EQ(editor().text(), S(c.text)) << c.action;
    }

    setText("a b a");
    editor().replaceSelection(S("x"));
    trigger("Replace1");
    TReplaceDialog &dialog = commands->ReplaceDialog1();
    dialog.setFindText(S("a"));
    dialog.setReplaceText(S("c"));
    click(dialog, "ReplaceAll");
    EXPECT_EQ(editor().text(), S("xc b c"));
    editor().undo();
    EXPECT_EQ(editor().text(), S("xa b a"));
    editor().undo();
    EXPECT_EQ(editor().text(), S("a b a"));
}

TEST_F(SourceCommandsTest, replaceDialogLeftOpenOverTheDesignerPageRefuses)
{
    start();
    setText("a b a");
    trigger("Replace1");
    TReplaceDialog &dialog = commands->ReplaceDialog1();
    dialog.setFindText(S("a"));
    dialog.setReplaceText(S("c"));
    form->setActivePage(1);
    editor().selectRange(0, 1);
    for (const char *button : {"FindNext", "Replace", "ReplaceAll"}) {
        prompter.clear();
        click(dialog, button);
        ASSERT_EQ(prompter.messages().size(), 1) << button;
        EXPECT_EQ(lastMessage().text, S("Switch to source editor please.")) << button;
        EXPECT_EQ(lastMessage().kind, MessageKind::Information) << button;
    }
    EXPECT_EQ(editor().text(), S("a b a"));
    EXPECT_EQ(selection(), (FoundRange{0, 1}));
}

TEST_F(SourceCommandsTest, specialCharacterWindowKeepsItsFieldsBetweenShowings)
{
    start();
    prompter.answerDialog([](QDialog &d) {
        auto *sample = d.findChild<SynMemo *>(QStringLiteral("SynMemo1"));
        sample->setText(S("é") + sample->text());
        sample->selectRange(0, 1);
        d.findChild<QPushButton *>(QStringLiteral("BitBtn3"))->click();
        return int(QDialog::Rejected);
    });
    trigger("Sonderzeichen1");

    form->UiLanguage = 0;
    QString caption, code, firstSample;
    prompter.answerDialog([&](QDialog &d) {
        caption = d.windowTitle();
        code = d.findChild<QLineEdit *>(QStringLiteral("Edit1"))->text();
        firstSample = d.findChild<SynMemo *>(QStringLiteral("SynMemo1"))->text().left(1);
        return int(QDialog::Rejected);
    });
    trigger("Sonderzeichen1");
    EXPECT_EQ(caption, S("Sonderzeichen"));
    EXPECT_EQ(code, S("&#233;"));
    EXPECT_EQ(firstSample, S("é"));
}

TEST_F(SourceCommandsTest, findAndReplaceLabelsLeadToTheirFields)
{
    start();
    const std::tuple<QDialog *, const char *, const char *> labels[] = {
        {&commands->FindDialog1(), "FindLabel", "FindText"},
        {&commands->ReplaceDialog1(), "FindLabel", "FindText"},
        {&commands->ReplaceDialog1(), "ReplaceLabel", "ReplaceText"},
    };
    for (const auto &[dialog, label, field] : labels) {
        auto *l = dialog->findChild<QLabel *>(QString::fromLatin1(label));
        ASSERT_NE(l, nullptr) << label;
        EXPECT_TRUE(l->text().contains(QLatin1Char('&'))) << label;
        EXPECT_EQ(l->buddy(), dialog->findChild<QLineEdit *>(QString::fromLatin1(field))) << label;
    }
}

TEST_F(SourceCommandsTest, f1InTheSpecialCharacterWindowAsksForItsHelpWhereverTheFocusIs)
{
    start();
    QList<int> contexts;
    form->helpHandler = [&](int context) { contexts << context; };
    prompter.answerDialog([](QDialog &d) {
        d.show();
        for (const char *name : {"SynMemo1", "Edit1"}) {
            auto *field = d.findChild<QWidget *>(QString::fromLatin1(name));
            field->setFocus();
            QKeyEvent press(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
            QApplication::sendEvent(field, &press);
        }
        return int(QDialog::Rejected);
    });
    trigger("Sonderzeichen1");
    EXPECT_EQ(contexts, (QList<int>{140, 140}));
}
