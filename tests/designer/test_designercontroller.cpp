// The designer page of the real main window, with the real engine: the page change in both
// directions, design mode, the design aids and browsing commands, the selection carry-over and
// the designer's side of the File commands.
#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "designer/designercontext.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "designerwindowtest.h"
#include "scriptedprompter.h"
#include "testfiles.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTabWidget>
#include <QDir>
#include <QTemporaryDir>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <QTest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using test::readAll;

namespace {

const QByteArray kPage = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                         "<html><head><title>Page</title></head>\r\n<body>\r\n"
                         "<p id=\"first\">First line</p>\r\n<p id=\"second\">Second line</p>\r\n"
                         "<table><tr><td>cell</td></tr></table>\r\n</body></html>\r\n";

class DesignerControllerTest : public test::DesignerWindowTest {
protected:
    QString openInDesigner(const QByteArray &content = kPage, const QString &name = QStringLiteral("page.html"))
    {
        return openPageInDesigner(content, name);
    }

    HtmlElement element(const QString &tag, int index = 0)
    {
        const ElementCollection all = page().all();
        int seen = 0;
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->tagName() == tag && seen++ == index)
                return *e;
        }
        ADD_FAILURE() << "no " << tag.toStdString();
        return HtmlElement();
    }
};

} // namespace

TEST_F(DesignerControllerTest, theEngineViewSitsOnTheDesignerPage)
{
    QWidget *sheet = form->findChild<QWidget *>(QStringLiteral("TabSheet2"));
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")), designer->browser().view());
}

TEST_F(DesignerControllerTest, enteringTheDesigner_writesTheSourceToItsFileAndShowsIt)
{
    const QString path = writeFile(QStringLiteral("page.html"), kPage);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    form->editor()->setText(QString::fromUtf8(kPage).replace(QStringLiteral("First line"), QStringLiteral("Edited")));
    form->setActivePage(1);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    EXPECT_TRUE(readAll(path).contains("Edited"));
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_EQ(designer->browser().LocationName(), QStringLiteral("page.html"));
    EXPECT_EQ(element(QStringLiteral("P")).innerText(), QStringLiteral("Edited"));
    EXPECT_TRUE(form->action(QStringLiteral("Browser1"))->isEnabled());
    QTest::qWait(20);
    EXPECT_TRUE(form->action(QStringLiteral("ToolButtonSource"))->isEnabled());
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerControllerTest, anUnnamedModifiedDocument_isAskedAbout_andCancelKeepsTheSourcePage)
{
    form->editor()->setText(QStringLiteral("<html><body>new</body></html>"));
    form->editor()->setModified(true);
    prompter.answer(Answer::Cancel);
    form->setActivePage(1);
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_EQ(form->document().activeView, 0);
    EXPECT_EQ(prompter.lastText(), form->line(21) + QStringLiteral("untitled.html"));
    EXPECT_FALSE(designer->browser().hasDocument());
}

TEST_F(DesignerControllerTest, designMode_roundTrip_bringsTheEditedPageBack)
{
    const QString path = openInDesigner();
    trigger("BrowserEditmode1");
    EXPECT_TRUE(designer->designModeChecked());
    EXPECT_TRUE(form->action(QStringLiteral("BrowserEditmode1"))->isChecked());
    EXPECT_TRUE(form->DesignModeWasOn);
    EXPECT_EQ(page().designMode(), QStringLiteral("On"));
    // Switched on with the design-time borders shown.
    EXPECT_EQ(element(QStringLiteral("TABLE")).currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));
    EXPECT_FALSE(form->action(QStringLiteral("ToolButtonBorders"))->isChecked());

    ASSERT_TRUE(element(QStringLiteral("P")).setInnerText(QStringLiteral("Changed in the designer")));
    form->setActivePage(0);
    ASSERT_EQ(form->activePage(), 0);

    const QString text = form->editor()->text();
    EXPECT_TRUE(text.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n<html>")))
        << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Changed in the designer")));
    EXPECT_EQ(text.count(QStringLiteral("name=GENERATOR")), 1);
    EXPECT_FALSE(text.contains(QStringLiteral("outline")));
    EXPECT_EQ(QString::fromUtf8(readAll(path)).remove(QLatin1Char('\r')).trimmed(), QString(text).remove(QLatin1Char('\r')).trimmed());
    EXPECT_TRUE(form->editor()->modified());
    EXPECT_FALSE(designer->designModeChecked());
    EXPECT_FALSE(form->action(QStringLiteral("BrowserEditmode1"))->isChecked());
    EXPECT_EQ(page().designMode(), QStringLiteral("Off"));
    EXPECT_FALSE(form->action(QStringLiteral("Browser1"))->isEnabled());
    EXPECT_EQ(form->document().FileName, path);

    // The page written back on the way is the editor's own write, no change by another program:
    // saving asks nothing.
    prompter.clear();
    form->action(QStringLiteral("FileSaveItem"))->trigger();
    EXPECT_TRUE(prompter.texts().isEmpty()) << prompter.texts().join(u'|').toStdString();
    EXPECT_FALSE(form->editor()->modified());
}

TEST_F(DesignerControllerTest, designModeOn_putsACaretIntoThePageSoThatTypingLandsThere)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    ASSERT_EQ(page().designMode(), QStringLiteral("On"));
    // Text typed before any click: it goes where the caret is, so there must be one.
    ASSERT_TRUE(page().execCommand(QStringLiteral("insertText"), false, QStringLiteral("Typed at once")));
    form->setActivePage(0);
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("Typed at once")));
}

TEST_F(DesignerControllerTest, leavingWithoutDesignMode_leavesTheSourceAlone)
{
    openInDesigner();
    const QString before = form->editor()->text();
    form->setActivePage(0);
    EXPECT_EQ(form->editor()->text(), before);
}

TEST_F(DesignerControllerTest, theDesignerSelection_isSelectedInTheSource)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    const auto range = page().selection().createTextRange();
    ASSERT_TRUE(range.has_value());
    ASSERT_TRUE(range->moveToElementText(element(QStringLiteral("P"), 1)));
    ASSERT_TRUE(range->select());
    form->setActivePage(0);
    EXPECT_EQ(designer->state().Selection.SelText, QStringLiteral("Second line"));
    const QString text = form->editor()->text();
    EXPECT_EQ(form->editor()->selStart(), text.indexOf(QStringLiteral("Second line")));
    EXPECT_TRUE(form->editor()->selText().startsWith(QStringLiteral("Second line")));
}

TEST_F(DesignerControllerTest, aFramesetPage_getsALineBreakAfterEveryTag)
{
    writeFile(QStringLiteral("left.html"), "<html><body>left</body></html>");
    openInDesigner("<html><head><title>f</title></head><frameset cols=\"50%,*\"><frame src=\"left.html\">"
                   "<frame src=\"left.html\"></frameset></html>",
                   QStringLiteral("frames.html"));
    trigger("BrowserEditmode1");
    ASSERT_TRUE(designer->designModeChecked());
    form->setActivePage(0);
    const QString text = form->editor()->text();
    EXPECT_TRUE(text.contains(QStringLiteral("<frameset cols=\"50%,*\">\r\n<frame src=\"left.html\">\r\n")))
        << text.toStdString();
}

TEST_F(DesignerControllerTest, designerCommands_refuseOnTheSourcePage)
{
    for (const char *name : {"BrowserEditmode1", "ToolButtonBorders", "ToolButtonShowHtml", "ButtonUrl", "ToolButtonSource"}) {
        prompter.clear();
        form->action(QLatin1String(name))->setEnabled(true);
        trigger(name);
        EXPECT_EQ(prompter.lastText(), form->line(36)) << name;
        EXPECT_EQ(prompter.messages().size(), 1) << name;
    }
    EXPECT_FALSE(form->action(QStringLiteral("BrowserEditmode1"))->isChecked());
    EXPECT_FALSE(form->action(QStringLiteral("ToolButtonShowHtml"))->isChecked());
    EXPECT_EQ(form->activePage(), 0);

    // The pop-up's page source has no page to fetch here and says nothing.
    prompter.clear();
    trigger("Showsourcecode1");
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_EQ(form->activePage(), 0);
}

TEST_F(DesignerControllerTest, glyphsNeedDesignMode)
{
    openInDesigner();
    trigger("ToolButtonShowHtml");
    EXPECT_EQ(prompter.lastText(), form->line(51));
    EXPECT_FALSE(form->action(QStringLiteral("ToolButtonShowHtml"))->isChecked());

    trigger("BrowserEditmode1");
    const HtmlElement first = element(QStringLiteral("P"));
    const auto range = page().selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(first));
    const int left = range->offsetLeft().value_or(-1);
    trigger("ToolButtonShowHtml");
    EXPECT_TRUE(form->action(QStringLiteral("ToolButtonShowHtml"))->isChecked());
    EXPECT_GT(range->offsetLeft().value_or(-1), left) << "the paragraph's start glyph";
    trigger("ToolButtonShowHtml");
    EXPECT_EQ(range->offsetLeft(), left);
}

TEST_F(DesignerControllerTest, bordersButton_hidesAndShowsTheBorders)
{
    openInDesigner();
    trigger("ToolButtonBorders");
    EXPECT_TRUE(form->action(QStringLiteral("ToolButtonBorders"))->isChecked()) << "nothing happens without design mode";
    trigger("BrowserEditmode1");
    const HtmlElement table = element(QStringLiteral("TABLE"));
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));
    trigger("ToolButtonBorders");
    EXPECT_TRUE(form->action(QStringLiteral("ToolButtonBorders"))->isChecked());
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("none"));
    trigger("ToolButtonBorders");
    EXPECT_FALSE(form->action(QStringLiteral("ToolButtonBorders"))->isChecked());
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));
}

TEST_F(DesignerControllerTest, switchingDesignModeOff_hidesTheBordersAndTheGlyphs)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    const HtmlElement table = element(QStringLiteral("TABLE"));
    const auto range = page().selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(element(QStringLiteral("P"))));
    const int left = range->offsetLeft().value_or(-1);
    trigger("ToolButtonShowHtml");
    ASSERT_GT(range->offsetLeft().value_or(-1), left);
    ASSERT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));

    trigger("BrowserEditmode1");
    ASSERT_FALSE(designer->designModeChecked());
    // The buttons say hidden and released; the page that stays shown agrees with them.
    EXPECT_TRUE(form->action(QStringLiteral("ToolButtonBorders"))->isChecked());
    EXPECT_FALSE(form->action(QStringLiteral("ToolButtonShowHtml"))->isChecked());
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("none"));
    EXPECT_EQ(range->offsetLeft(), left);

    // Switched on again, the borders come back with design mode.
    trigger("BrowserEditmode1");
    EXPECT_EQ(element(QStringLiteral("TABLE")).currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));
}

TEST_F(DesignerControllerTest, aPageTheEngineDoesNotGiveBack_keepsTheSourceAndItsName)
{
    const QString path = openInDesigner();
    trigger("BrowserEditmode1");
    ASSERT_TRUE(designer->designModeChecked());
    const QString before = form->editor()->text();
    form->editor()->setModified(true);
    prompter.clear();
    // The page is kept busy for a while, so it answers nothing in time.
    designer->browser().view()->page()->runJavaScript(
        QStringLiteral("var t = Date.now(); while (Date.now() - t < 1500) {}"), QWebEngineScript::ApplicationWorld);
    const int timeout = designer->browser().callTimeout();
    designer->browser().setCallTimeout(300);
    designer->PullDesignerDocument();
    designer->browser().setCallTimeout(timeout);
    QTest::qWait(1500);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Plain);
    EXPECT_EQ(prompter.lastText(), form->line(20));
    EXPECT_EQ(form->editor()->text(), before);
    EXPECT_TRUE(form->editor()->modified());
    EXPECT_EQ(form->document().FileName, path) << "an address not read is no other page";
}

TEST_F(DesignerControllerTest, whatThePagesScriptsBuilt_neverReachesTheSourceOrTheFile)
{
    const QByteArray page = "<html><head><title>Scripted</title></head><body><p>mine</p><script>"
                            "var d = document.createElement('div'); d.id = 'made'; d.textContent = 'made by script';"
                            "document.body.appendChild(d);</script></body></html>";
    const QString path = openInDesigner(page);
    ASSERT_TRUE(designer->browser().scriptsRanInDocument());
    const QString source = form->editor()->text();

    form->editor()->setModified(true);
    trigger("FileSaveItem");
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_FALSE(saved.readAll().contains("<div id=\"made\">"));
    EXPECT_EQ(form->editor()->text(), source);

    designer->PullDesignerDocument();
    EXPECT_EQ(form->editor()->text(), source);

    // Design mode shows the page as written; its edits do come back.
    trigger("BrowserEditmode1");
    ASSERT_TRUE(designer->designModeChecked());
    EXPECT_FALSE(designer->browser().scriptsRanInDocument());
    form->setActivePage(0);
    EXPECT_FALSE(form->editor()->text().contains(QStringLiteral("<div id=\"made\">")));
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("<p>mine</p>")));
}

TEST_F(DesignerControllerTest, zoomSteps_useTheViewsFactor)
{
    openInDesigner();
    for (int i = 0; i < 3; ++i)
        trigger("ButtonZoomPlus");
    EXPECT_DOUBLE_EQ(designer->state().ZoomFactor, 2.5);
    EXPECT_DOUBLE_EQ(designer->browser().zoomFactor(), 2.5);
    for (int i = 0; i < 6; ++i)
        trigger("ButtonZoomMinus");
    EXPECT_DOUBLE_EQ(designer->state().ZoomFactor, 0.5);
    EXPECT_DOUBLE_EQ(designer->browser().zoomFactor(), 0.5);
    for (int i = 0; i < 12; ++i)
        trigger("ButtonZoomPlus");
    EXPECT_DOUBLE_EQ(designer->state().ZoomFactor, 5.0) << "the engine's largest factor";
    EXPECT_TRUE(page().body()->style()->isEmpty());
}

TEST_F(DesignerControllerTest, theAddressBox_refusesTheBarePrefix_andGoesToAnAddress)
{
    openInDesigner();
    QLineEdit *url = form->findChild<QLineEdit *>(QStringLiteral("EditUrl"));
    ASSERT_NE(url, nullptr);
    EXPECT_TRUE(url->isEnabled());
    for (const char *refused : {"https://www.", "http://www", "page."}) {
        prompter.clear();
        url->setText(QLatin1String(refused));
        trigger("ButtonUrl");
        EXPECT_EQ(prompter.lastText(), form->line(33)) << refused;
    }
    const QString other = writeFile(QStringLiteral("other.html"), "<html><body><p>other page</p></body></html>");
    prompter.clear();
    url->setText(other);
    QTest::keyClick(url, Qt::Key_Return);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    QTest::qWait(50);
    // The page shown becomes the document.
    EXPECT_EQ(form->document().FileName, other);
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("other page")));
    trigger("Back2");
    ASSERT_TRUE(designer->browser().waitUntilReady());
    EXPECT_EQ(designer->browser().LocationName(), QStringLiteral("page.html"));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(DesignerControllerTest, pageSource_replacesTheEditorTextAndReturnsToTheSource)
{
    openInDesigner();
    const QString serialized = page().serializedPage().value_or(QString());
    trigger("ToolButtonSource");
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_EQ(form->editor()->text(), QString(serialized).replace(QStringLiteral("\n"), QStringLiteral("\r\n")));
}

TEST_F(DesignerControllerTest, designerSave_writesTheEnginesPageWithTheDoctype)
{
    const QString path = openInDesigner();
    trigger("BrowserEditmode1");
    ASSERT_TRUE(element(QStringLiteral("P"), 1).setInnerText(QStringLiteral("Saved from the designer")));
    trigger("FileSaveItem");
    const QString written = QString::fromUtf8(readAll(path));
    EXPECT_TRUE(written.startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    EXPECT_TRUE(written.contains(QStringLiteral("Saved from the designer")));
    EXPECT_FALSE(form->editor()->modified());
    EXPECT_EQ(form->activePage(), 1);
}

TEST_F(DesignerControllerTest, keys_changeThePageAndToggleDesignMode)
{
    const QString path = writeFile(QStringLiteral("page.html"), kPage);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->editor()->setFocus();
    QTest::keyClick(form->editor(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(form->activePage(), 1);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    QTest::keyClick(form.get(), Qt::Key_E, Qt::ControlModifier);
    EXPECT_TRUE(designer->designModeChecked());
    QTest::keyClick(form.get(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_FALSE(designer->designModeChecked());
}

TEST_F(DesignerControllerTest, designerEditCommands_workOnThePageInDesignMode_elseOnTheAddressBox)
{
    openInDesigner();
    QLineEdit *url = form->findChild<QLineEdit *>(QStringLiteral("EditUrl"));
    url->setText(QStringLiteral("abc"));
    url->selectAll();
    trigger("EditCopyItem");
    url->setText(QString());
    trigger("EditPasteItem");
    EXPECT_EQ(url->text(), QStringLiteral("abc"));

    trigger("BrowserEditmode1");
    const HtmlElement second = element(QStringLiteral("P"), 1);
    const auto range = page().selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(second));
    ASSERT_TRUE(range->select());
    ASSERT_TRUE(page().execCommand(QStringLiteral("Bold")));
    trigger("EditUndoItem");
    QTest::qWait(100);
    EXPECT_EQ(second.innerHTML(), QStringLiteral("Second line"));
}

TEST_F(DesignerControllerTest, openOnTheDesignerPage_showsAndLoadsTheChosenFile)
{
    openInDesigner();
    trigger("BrowserEditmode1");
    const QString other = writeFile(QStringLiteral("opened.html"), "<html><body><p>opened</p></body></html>");

    // Design-mode edits are not dropped without a question; Cancel keeps them.
    prompter.answer(Answer::Cancel);
    trigger("FileOpenItem");
    EXPECT_EQ(prompter.lastText(), form->line(21) + QStringLiteral("page.html"));
    EXPECT_TRUE(designer->designModeChecked());
    EXPECT_EQ(form->document().FileName, work.filePath(QStringLiteral("page.html")));
    EXPECT_TRUE(prompter.fileRequests().isEmpty());

    prompter.answer(Answer::No);
    prompter.answerOpenFile(other);
    trigger("FileOpenItem");
    EXPECT_FALSE(designer->designModeChecked()) << "design mode goes off first";
    ASSERT_TRUE(designer->browser().waitUntilReady());
    EXPECT_EQ(designer->browser().LocationName(), QStringLiteral("opened.html"));
    EXPECT_EQ(form->document().FileName, other);
    EXPECT_TRUE(form->editor()->text().contains(QStringLiteral("<p>opened</p>")));
    EXPECT_EQ(prompter.fileRequests().size(), 1);
    EXPECT_EQ(prompter.fileRequests().first().name, QStringLiteral("page.html"));
}

TEST_F(DesignerControllerTest, theRightButtonMenu_offersCopyAndPasteOnlyInDesignMode)
{
    openInDesigner();
    QMenu *menu = form->findChild<QMenu *>(QStringLiteral("PopupMenu1"));
    ASSERT_NE(menu, nullptr);
    QWebEngineView *view = designer->browser().view();
    Q_EMIT view->customContextMenuRequested(QPoint(10, 10));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_FALSE(form->action(QStringLiteral("Kopieren1"))->isEnabled());
    EXPECT_FALSE(form->action(QStringLiteral("Einfuegen1"))->isEnabled());
    menu->hide();
    trigger("BrowserEditmode1");
    Q_EMIT view->customContextMenuRequested(QPoint(10, 10));
    EXPECT_TRUE(form->action(QStringLiteral("Kopieren1"))->isEnabled());
    EXPECT_TRUE(form->action(QStringLiteral("Einfuegen1"))->isEnabled());
    menu->hide();
}

TEST_F(DesignerControllerTest, aSourceTextThatCannotBeSavedKeepsTheSourcePage)
{
    QDir(work.path()).mkpath(QStringLiteral("sub"));
    const QString path = writeFile(QStringLiteral("sub/page.html"), kPage);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    form->editor()->setSelStart(0);
    form->editor()->replaceSelection(QStringLiteral("<!-- mine -->"));
    QDir(work.filePath(QStringLiteral("sub"))).removeRecursively();

    form->setActivePage(1);
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_EQ(prompter.lastText(), form->line(24) + path);
    EXPECT_TRUE(form->editor()->modified());
    EXPECT_TRUE(form->editor()->text().startsWith(QStringLiteral("<!-- mine -->")));
}

TEST_F(DesignerControllerTest, fileNewOnTheDesignerPage_showsABlankPageAndReturnsToTheSource)
{
    const QString path = openInDesigner();
    prompter.answer(Answer::Yes);  // start from the template
    trigger("FileNewItem");
    EXPECT_EQ(form->activePage(), 0);
    EXPECT_EQ(designer->browser().LocationURL(), QStringLiteral("about:blank"));
    EXPECT_EQ(form->document().FileName, form->line(0));
    EXPECT_TRUE(form->editor()->text().startsWith(QStringLiteral("<!DOCTYPE HTML PUBLIC")));
    EXPECT_TRUE(prompter.unexpected().isEmpty()) << prompter.unexpected().join(u'\n').toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kPage) << "the old page's file is left as it was";
}

TEST_F(DesignerControllerTest, designModeThatTheEngineDoesNotSwitchInTime_isSaidAndChangesNothing)
{
    openInDesigner();
    const QString before = form->editor()->text();
    const int timeout = designer->browser().callTimeout();
    designer->browser().setCallTimeout(0);
    trigger("BrowserEditmode1");
    designer->browser().setCallTimeout(timeout);
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().first().kind, MessageKind::Warning);
    EXPECT_EQ(prompter.lastText(), form->catalogue().designerTimeoutReport());
    EXPECT_FALSE(designer->designModeChecked());
    EXPECT_FALSE(form->action(QStringLiteral("BrowserEditmode1"))->isChecked());
    EXPECT_EQ(form->editor()->text(), before);
}

TEST(DesignerCallTimeout, growsWithThePageUpToALimit)
{
    EXPECT_EQ(DesignerCallTimeout(0), 5000);
    EXPECT_EQ(DesignerCallTimeout(1000000), 15000);
    EXPECT_EQ(DesignerCallTimeout(20000000), 205000);
    EXPECT_EQ(DesignerCallTimeout(qsizetype(1) << 40), 300000);
}
