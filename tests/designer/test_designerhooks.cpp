// The source commands that also work on the designer page, on the real main window with the
// real engine: find in the page, select all, the letter case of the designer selection and
// the extraction of the page's text into the simple text window.
#include "app/filecommands.h"
#include "app/launchcommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "designer/designercontroller.h"
#include "designer/designerfindbox.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "generators/formtext.h"
#include "designerwindowtest.h"
#include "scriptedprompter.h"
#include "source/sourcecommands.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

using namespace korvel;

namespace {

const QByteArray kPage = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                         "<html><head><title>Page</title></head>\r\n<body>\r\n"
                         "<p id=\"first\">First line</p>\r\n<p id=\"second\">Second Gr\xc3\xb6\xc3\x9f" "e</p>\r\n"
                         "<p id=\"third\">a &lt;b&gt; &amp; c</p>\r\n</body></html>\r\n";

// The page's text as the engine gives it, lines ending in CR LF.
const QString kPageText = QStringLiteral("First line\r\n\r\nSecond Gr\u00f6\u00dfe\r\n\r\na <b> & c");

QString withoutCr(QString text)
{
    return text.remove(QLatin1Char('\r'));
}

class DesignerHooksTest : public test::DesignerWindowTest {
protected:
    void attachCommands() override
    {
        new SourceCommands(*form);
        QGuiApplication::clipboard()->clear();
    }

    void TearDown() override
    {
        textWindow().hide();
        DesignerWindowTest::TearDown();
    }

    QString openInDesigner(const QString &name = QStringLiteral("page.html"))
    {
        return openPageInDesigner(kPage, name);
    }

    HtmlElement byId(const QString &id)
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(QStringLiteral("id")) == id)
                return *e;
        }
        ADD_FAILURE() << "no element " << id.toStdString();
        return HtmlElement();
    }

    QString selectedText()
    {
        const auto range = page().selection().createTextRange();
        return range ? range->text().value_or(QString()) : QString();
    }

    void selectTextOf(const QString &id)
    {
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range);
        ASSERT_TRUE(range->moveToElementText(byId(id)));
        ASSERT_TRUE(range->select());
    }

    TFormText &textWindow()
    {
        return form->findChild<LaunchCommands *>(QStringLiteral("LaunchCommands"))->textWindow();
    }

    void findInBox(const QString &text, bool matchCase)
    {
        DesignerFindBox &box = designer->findBox();
        box.findChild<QLineEdit *>(QStringLiteral("FindText"))->setText(text);
        box.findChild<QCheckBox *>(QStringLiteral("MatchCase"))->setChecked(matchCase);
        box.findChild<QPushButton *>(QStringLiteral("FindNext"))->click();
    }
};

} // namespace

TEST_F(DesignerHooksTest, findOnTheDesignerPage_opensTheFindBoxInsteadOfTheSourceDialog)
{
    openInDesigner();
    trigger("Find1");
    EXPECT_TRUE(designer->findBox().isVisible());
    QDialog *sourceFind = form->findChild<QDialog *>(QStringLiteral("FindDialog1"));
    ASSERT_NE(sourceFind, nullptr);
    EXPECT_FALSE(sourceFind->isVisible());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerHooksTest, theFindBox_searchesThePageAndLeavesTheMatchSelected)
{
    openInDesigner();
    trigger("Find1");
    findInBox(QStringLiteral("second"), false);
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.lastText().toStdString();
    designer->findBox().findChild<QPushButton *>(QStringLiteral("Cancel"))->click();
    EXPECT_FALSE(designer->findBox().isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return selectedText() == QStringLiteral("Second"); }, 5000))
        << selectedText().toStdString();
}

TEST_F(DesignerHooksTest, theFindBox_reportsATextThePageLacksWithTheNotFoundLine)
{
    openInDesigner();
    trigger("Find1");
    const struct {
        const char *text;
        bool matchCase;
        bool found;
    } cases[] = {
        {"xyzzy", false, false},
        {"second", true, false},  // the page has "Second"
        {"Second", true, true},
        {"SECOND", false, true},
        {"Gr\xc3\xb6\xc3\x9f" "e", true, true},
        {"<b>", false, true},     // the page's text, not its markup
        {"<p", false, false},
    };
    for (const auto &c : cases) {
        prompter.clear();
        findInBox(QString::fromUtf8(c.text), c.matchCase);
        if (c.found) {
            EXPECT_TRUE(prompter.messages().isEmpty()) << c.text;
            continue;
        }
        ASSERT_EQ(prompter.messages().size(), 1) << c.text;
        EXPECT_EQ(prompter.messages().first().kind, MessageKind::Plain) << c.text;
        EXPECT_EQ(prompter.lastText(), form->line(18)) << c.text;
    }
}

TEST_F(DesignerHooksTest, leavingTheDesignerPage_closesTheFindBox)
{
    openInDesigner();
    trigger("Find1");
    ASSERT_TRUE(designer->findBox().isVisible());
    form->setActivePage(0);
    EXPECT_FALSE(designer->findBox().isVisible());
}

TEST_F(DesignerHooksTest, selectAllOnTheDesignerPage_selectsAndCopiesTheWholePage)
{
    openInDesigner();
    trigger("Selectall1");
    EXPECT_TRUE(QTest::qWaitFor([&] { return selectedText().contains(QStringLiteral("a <b> & c")); }, 5000))
        << selectedText().toStdString();
    EXPECT_TRUE(selectedText().startsWith(QStringLiteral("First line")));
    EXPECT_TRUE(QTest::qWaitFor([] { return QGuiApplication::clipboard()->text().contains(QStringLiteral("Second")); }, 5000));
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith(QStringLiteral("First line")));
    EXPECT_TRUE(form->editor()->selText().isEmpty());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerHooksTest, letterCaseOnTheDesignerPage_foldsOnlyTheSelectedAsciiLetters)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    ASSERT_TRUE(designer->designModeChecked());

    selectTextOf(QStringLiteral("second"));
    trigger("LowertoUpper1");
    EXPECT_EQ(byId(QStringLiteral("second")).innerText(), QStringLiteral("SECOND GR\u00f6\u00dfE"));
    EXPECT_EQ(byId(QStringLiteral("first")).innerText(), QStringLiteral("First line"));

    selectTextOf(QStringLiteral("first"));
    trigger("UppertoLower1");
    EXPECT_EQ(byId(QStringLiteral("first")).innerText(), QStringLiteral("first line"));
    EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.lastText().toStdString();
    // The source is left alone until the page goes back to it.
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("First line")));
}

TEST_F(DesignerHooksTest, letterCaseOfTextThatLooksLikeMarkup_keepsItText)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    selectTextOf(QStringLiteral("third"));
    trigger("LowertoUpper1");
    const HtmlElement third = byId(QStringLiteral("third"));
    EXPECT_EQ(third.innerText(), QStringLiteral("A <B> & C"));
    EXPECT_EQ(third.innerHTML(), QStringLiteral("A &lt;B&gt; &amp; C"));
}

TEST_F(DesignerHooksTest, letterCaseWithACaret_changesNothing)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    const auto range = page().selection().createTextRange();
    ASSERT_TRUE(range);
    ASSERT_TRUE(range->moveToElementText(byId(QStringLiteral("first"))));
    ASSERT_TRUE(range->collapse(true));
    ASSERT_TRUE(range->select());
    ASSERT_EQ(page().selection().type(), QStringLiteral("None"));
    trigger("LowertoUpper1");
    EXPECT_EQ(byId(QStringLiteral("first")).innerText(), QStringLiteral("First line"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerHooksTest, getTextOfALocalPage_putsItsTextIntoTheTextWindowAndOnTheClipboard)
{
    openInDesigner();
    trigger("GetText1");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), kPageText);
    EXPECT_TRUE(textWindow().isVisible());
    EXPECT_EQ(textWindow().Memo->toPlainText(), withoutCr(kPageText));
    EXPECT_EQ(textWindow().UiLanguage, form->UiLanguage);
    EXPECT_FALSE(designer->state().ReopenTextWindow);
    EXPECT_FALSE(designer->timer1().isActive());
    EXPECT_TRUE(prompter.messages().isEmpty());
    // The page itself stays as it was.
    EXPECT_EQ(byId(QStringLiteral("first")).innerText(), QStringLiteral("First line"));
}

TEST_F(DesignerHooksTest, getTextWithTheTextWindowOpen_replacesItsText)
{
    openInDesigner();
    textWindow().show();
    textWindow().Memo->setPlainText(QStringLiteral("scratch"));
    trigger("GetText1");
    EXPECT_EQ(textWindow().Memo->toPlainText(), withoutCr(kPageText));
}

TEST_F(DesignerHooksTest, getTextOnTheSourcePage_onlyAsksForTheBrowser)
{
    openInDesigner();
    form->setActivePage(0);
    prompter.clear();
    trigger("GetText1");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Information);
    EXPECT_EQ(prompter.lastText(), form->line(36));
    EXPECT_FALSE(textWindow().isVisible());
    EXPECT_FALSE(designer->timer1().isActive());
}

TEST_F(DesignerHooksTest, getTextOfAnotherFileType_copiesThePageAndShowsTheWindowWhenTheTimerTicks)
{
    openInDesigner(QStringLiteral("page.shtml"));
    ASSERT_EQ(designer->browser().LocationName(), QStringLiteral("page.shtml"));
    trigger("GetText1");
    EXPECT_TRUE(designer->state().ReopenTextWindow);
    EXPECT_TRUE(designer->timer1().isActive());
    EXPECT_EQ(designer->timer1().interval(), 2000);
    EXPECT_FALSE(textWindow().isVisible());

    EXPECT_TRUE(QTest::qWaitFor([&] { return textWindow().isVisible(); }, 5000));
    EXPECT_FALSE(designer->timer1().isActive());
    const QString text = textWindow().Memo->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("First line"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("a <b> & c"))) << text.toStdString();
    EXPECT_TRUE(prompter.messages().isEmpty());

    // Back on the source page the window comes again, with the clipboard's text.
    textWindow().hide();
    form->setActivePage(0);
    ASSERT_EQ(form->activePage(), 0);
    EXPECT_TRUE(textWindow().isVisible());
    EXPECT_TRUE(textWindow().Memo->toPlainText().startsWith(QStringLiteral("First line")));

    // Entering the designer again forgets the copied page.
    textWindow().hide();
    form->setActivePage(1);
    EXPECT_FALSE(designer->state().ReopenTextWindow);
    form->setActivePage(0);
    EXPECT_FALSE(textWindow().isVisible());
}

TEST_F(DesignerHooksTest, letterCaseWhenTheEngineDoesNotAnswer_reportsAnInvalidSelection)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    selectTextOf(QStringLiteral("first"));
    const int timeout = designer->browser().callTimeout();
    designer->browser().setCallTimeout(0);
    trigger("LowertoUpper1");
    designer->browser().setCallTimeout(timeout);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Error);
    EXPECT_EQ(prompter.lastText(), form->line(4));
    EXPECT_EQ(byId(QStringLiteral("first")).innerText(), QStringLiteral("First line"));
}

TEST_F(DesignerHooksTest, openingAFileFromTheDesigner_forgetsTheCopiedPage)
{
    openInDesigner(QStringLiteral("page.shtml"));
    trigger("GetText1");
    ASSERT_TRUE(designer->state().ReopenTextWindow);
    prompter.answerOpenFile(QString());
    trigger("FileOpenItem");
    EXPECT_FALSE(designer->state().ReopenTextWindow);
}

TEST_F(DesignerHooksTest, aNewDocumentFromTheDesigner_forgetsTheCopiedPage)
{
    openInDesigner(QStringLiteral("page.shtml"));
    trigger("GetText1");
    ASSERT_TRUE(designer->state().ReopenTextWindow);
    prompter.answer(Answer::No);   // save the changes? (design mode was never on)
    prompter.answer(Answer::No);   // start from the template?
    trigger("FileNewItem");
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_FALSE(designer->state().ReopenTextWindow);
    EXPECT_FALSE(textWindow().isVisible());
}
