// The designer's engine interface against the real Qt WebEngine: loading, design mode, scripts,
// serialization, style sheets, selections and text ranges.
#include "enginetest.h"

using namespace korvel;
using korvel::test::EngineTest;
using korvel::test::kSimplePage;

TEST_F(EngineTest, theViewIsNamedForTheMainWindow)
{
    EXPECT_EQ(s_browser->view()->objectName(), QStringLiteral("WebBrowser1"));
    EXPECT_EQ(s_browser->view()->contextMenuPolicy(), Qt::CustomContextMenu);
}

TEST_F(EngineTest, loadingAFile_givesADocumentAndItsLocation)
{
    QSignalSpy complete(s_browser, &WebEngineBrowser::documentComplete);
    const HtmlDocument document = load(kSimplePage, QStringLiteral("simple.html"));
    EXPECT_EQ(s_browser->ReadyState(), 4);
    EXPECT_EQ(s_browser->LocationName(), QStringLiteral("simple.html"));
    EXPECT_TRUE(s_browser->LocationURL().startsWith(QStringLiteral("file")));
    EXPECT_TRUE(s_browser->LocationURL().endsWith(QStringLiteral("/simple.html")));
    EXPECT_EQ(document.title(), QStringLiteral("Simple"));
    EXPECT_EQ(document.URL(), s_browser->LocationURL());
    EXPECT_EQ(document.designMode(), QStringLiteral("Off"));
    QTest::qWait(50);
    EXPECT_EQ(complete.count(), 1);
}

TEST_F(EngineTest, aMissingFile_leavesNoDocumentAndEveryCallFails)
{
    load(kSimplePage);
    const auto stale = byIndex(*s_browser->Document(), QStringLiteral("P"));
    QSignalSpy failed(s_browser, &WebEngineBrowser::navigationFailed);
    EXPECT_TRUE(s_browser->Navigate(s_dir->filePath(QStringLiteral("does-not-exist.html"))));
    EXPECT_FALSE(s_browser->waitUntilReady());
    EXPECT_FALSE(s_browser->hasDocument());
    EXPECT_FALSE(s_browser->Document().has_value());
    EXPECT_EQ(s_browser->ReadyState(), 0);
    EXPECT_FALSE(stale.tagName().has_value());
    EXPECT_FALSE(s_browser->setDesignMode(true));
    QTest::qWait(50);
    EXPECT_EQ(failed.count(), 1);
}

TEST_F(EngineTest, handlesOfAnEarlierDocumentFail)
{
    const HtmlDocument document = load(kSimplePage);
    const HtmlElement paragraph = byIndex(document, QStringLiteral("P"));
    EXPECT_EQ(paragraph.tagName(), QStringLiteral("P"));
    load(kSimplePage);
    EXPECT_FALSE(paragraph.tagName().has_value());
    EXPECT_FALSE(paragraph.setInnerText(QStringLiteral("x")));
    // The document handle always speaks to the page shown now.
    EXPECT_EQ(document.title(), QStringLiteral("Simple"));
}

TEST_F(EngineTest, designMode_switchesOnAndOff)
{
    const HtmlDocument document = load(kSimplePage);
    EXPECT_TRUE(s_browser->pageScriptsEnabled());
    ASSERT_TRUE(document.setDesignMode(true));
    EXPECT_EQ(document.designMode(), QStringLiteral("On"));
    EXPECT_FALSE(s_browser->pageScriptsEnabled());
    ASSERT_TRUE(document.setDesignMode(false));
    EXPECT_EQ(document.designMode(), QStringLiteral("Off"));
    EXPECT_TRUE(s_browser->pageScriptsEnabled());
}

TEST_F(EngineTest, pageScripts_doNotRunInDesignMode_andCannotSeeTheDesignerScript)
{
    const HtmlDocument document = load(
        "<html><head><title>Scripted</title></head><body><p id=\"p\">text</p>"
        "<button id=\"b\" onclick=\"document.body.setAttribute('data-clicked', '1')\">press</button>"
        "<script>document.body.setAttribute('data-ran', typeof window.__korvelDesigner);</script>"
        "</body></html>");
    // Browsing: the page's script ran, and it did not see the designer's script.
    const auto body = document.body();
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->getAttribute(QStringLiteral("data-ran")), QStringLiteral("undefined"));

    // Design mode shows the page as written: without what its scripts did, and they stay off.
    ASSERT_TRUE(document.setDesignMode(true));
    const auto editedBody = document.body();
    ASSERT_TRUE(editedBody.has_value());
    EXPECT_TRUE(editedBody->getAttribute(QStringLiteral("data-ran"))->isNull());
    EXPECT_FALSE(document.serializedPage()->contains(QStringLiteral("data-ran=")));
    click(document, byIndex(document, QStringLiteral("BUTTON")));
    EXPECT_TRUE(editedBody->getAttribute(QStringLiteral("data-clicked"))->isNull());
}

TEST_F(EngineTest, aPageCannotReadOtherLocalFiles)
{
    writeFile(QStringLiteral("secret.txt"), "secret");
    const HtmlDocument document = load(
        "<html><head><title>start</title></head><body><script>"
        "try { var r = new XMLHttpRequest(); r.open('GET', 'secret.txt', false); r.send();"
        " document.title = 'read:' + r.responseText; } catch (e) { document.title = 'blocked'; }"
        "</script></body></html>");
    EXPECT_EQ(document.title(), QStringLiteral("blocked"));
}

TEST_F(EngineTest, serialization_isTheOuterHtml_withAndWithoutDesignMode)
{
    const HtmlDocument document = load(kSimplePage);
    const auto page = document.serializedPage();
    ASSERT_TRUE(page.has_value());
    EXPECT_TRUE(page->startsWith(QStringLiteral("<html><head><title>Simple</title></head>")));
    EXPECT_TRUE(page->endsWith(QStringLiteral("</html>")));
    EXPECT_EQ(document.documentElement()->outerHTML(), page);
    ASSERT_TRUE(document.setDesignMode(true));
    EXPECT_EQ(document.serializedPage(), page);
}

TEST_F(EngineTest, designAids_neverReachTheSerializedPage)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    const QString before = document.serializedPage().value_or(QString());
    const int countBefore = document.all().length().value_or(-1);
    const HtmlElement table = byIndex(document, QStringLiteral("TABLE"));
    const int tableIndexBefore = table.sourceIndex().value_or(-1);

    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("none"));
    ASSERT_TRUE(document.Exec(2328, true));
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("dotted"));
    EXPECT_EQ(byIndex(document, QStringLiteral("IMG")).currentStyle(QStringLiteral("outline-style")),
              QStringLiteral("solid"));

    const HtmlElement bold = byIndex(document, QStringLiteral("B"));
    const int boldLeft = bold.property(QStringLiteral("offsetLeft"))->toInt();
    ASSERT_TRUE(document.Exec(2337, GlyphTableText()));
    EXPECT_GT(bold.property(QStringLiteral("offsetLeft"))->toInt(), boldLeft) << "the start glyph of <p>";

    const auto sheet = document.createStyleSheet(0);
    ASSERT_TRUE(sheet.has_value());
    ASSERT_TRUE(sheet->addRule(QStringLiteral("TD"), QStringLiteral("border-width: 1px; border-style:dotted;")));
    ASSERT_TRUE(sheet->setTitle(QStringLiteral("tmpie8style")));

    click(document, byIndex(document, QStringLiteral("IMG")));
    EXPECT_EQ(document.selection().type(), QStringLiteral("Control"));

    EXPECT_EQ(document.serializedPage(), before);
    EXPECT_EQ(document.documentElement()->outerHTML(), before);
    EXPECT_EQ(document.all().length(), countBefore);
    EXPECT_EQ(table.sourceIndex(), tableIndexBefore);

    ASSERT_TRUE(document.Exec(2336));
    EXPECT_EQ(bold.property(QStringLiteral("offsetLeft"))->toInt(), boldLeft);
    ASSERT_TRUE(document.Exec(2328, false));
    EXPECT_EQ(table.currentStyle(QStringLiteral("outline-style")), QStringLiteral("none"));
    EXPECT_FALSE(document.Exec(9999));
    EXPECT_FALSE(document.Exec(2337, QStringLiteral("not a glyph table")));
}

TEST_F(EngineTest, aCreatedStyleSheet_isFoundAgainByIndexTitleAndOwner)
{
    const HtmlDocument document = load(kSimplePage);
    const auto sheet = document.createStyleSheet(0);
    ASSERT_TRUE(sheet.has_value());
    ASSERT_TRUE(sheet->setTitle(QStringLiteral("tmpie8style")));
    ASSERT_TRUE(sheet->addRule(QStringLiteral("TABLE"), QStringLiteral("border-style:dotted;")));
    EXPECT_EQ(document.styleSheetCount(), 1);
    const auto first = document.styleSheet(0);
    ASSERT_TRUE(first.has_value());
    EXPECT_EQ(first->title(), QStringLiteral("tmpie8style"));
    EXPECT_EQ(first->disabled(), false);
    ASSERT_TRUE(first->setDisabled(true));
    EXPECT_EQ(first->disabled(), true);
    const auto owner = first->owningElement();
    ASSERT_TRUE(owner.has_value());
    EXPECT_EQ(owner->tagName(), QStringLiteral("STYLE"));
    ASSERT_TRUE(owner->setOuterText(QString()));
    EXPECT_EQ(document.styleSheetCount(), 0);
    EXPECT_FALSE(document.styleSheet(0).has_value());
}

TEST_F(EngineTest, selectionTypes_followRealSelections)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    const Selection selection = document.selection();

    // A click into text leaves a caret.
    click(document, byIndex(document, QStringLiteral("P"), 1));
    EXPECT_EQ(selection.type(), QStringLiteral("None"));
    EXPECT_FALSE(selection.createControlRange().has_value());

    // A range over the first paragraph's text.
    auto range = selection.createTextRange();
    ASSERT_TRUE(range.has_value());
    const HtmlElement first = byIndex(document, QStringLiteral("P"));
    ASSERT_TRUE(range->moveToElementText(first));
    ASSERT_TRUE(range->select());
    EXPECT_EQ(selection.type(), QStringLiteral("Text"));
    const auto selected = selection.createTextRange();
    ASSERT_TRUE(selected.has_value());
    EXPECT_EQ(selected->text(), QStringLiteral("Hello world"));
    EXPECT_EQ(selected->htmlText(), QStringLiteral("Hello <b>world</b>"));
    EXPECT_EQ(selected->parentElement(), first);
    EXPECT_EQ(selected->parentElement()->getAttribute(QStringLiteral("id")), QStringLiteral("first"));

    // A click on the picture selects it as an object.
    const HtmlElement picture = byIndex(document, QStringLiteral("IMG"));
    click(document, picture);
    EXPECT_EQ(selection.type(), QStringLiteral("Control"));
    const auto control = selection.createControlRange();
    ASSERT_TRUE(control.has_value());
    EXPECT_EQ(control->length(), 1);
    EXPECT_EQ(control->item(0), picture);
    EXPECT_EQ(control->commonParentElement(), picture);
    EXPECT_FALSE(control->item(1).has_value());

    // Emptied, the selection reads "None" again.
    ASSERT_TRUE(selection.empty());
    EXPECT_EQ(selection.type(), QStringLiteral("None"));
}

TEST_F(EngineTest, textAcrossCellsAndRows_showsInHtmlText)
{
    const HtmlDocument document = load(kSimplePage);
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range.has_value());
    // From the first cell to the second of the same row.
    const HtmlElement a = byIndex(document, QStringLiteral("TD"), 0);
    const HtmlElement b = byIndex(document, QStringLiteral("TD"), 1);
    const HtmlElement d = byIndex(document, QStringLiteral("TD"), 3);
    ASSERT_TRUE(range->moveToElementText(a));
    ASSERT_TRUE(range->select());
    // Extend the selection to the other cell with the keyboard-free way: a second range and
    // the text of both through the parent.
    const auto row = a.parentElement();
    ASSERT_TRUE(row.has_value());
    ASSERT_TRUE(range->moveToElementText(*row));
    EXPECT_EQ(range->htmlText()->count(QStringLiteral("</td>")), 2);
    EXPECT_EQ(range->parentElement(), row);
    const auto table = row->parentElement()->parentElement();
    ASSERT_TRUE(range->moveToElementText(*table));
    EXPECT_EQ(range->htmlText()->count(QStringLiteral("</tr>")), 2);
    EXPECT_EQ(b.parentElement(), row);
    EXPECT_NE(d.parentElement(), row);
}

TEST_F(EngineTest, pasteHtml_atTheStartOfTheSelection_keepsTheSelectedContent)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range.has_value());
    ASSERT_TRUE(range->moveToElementText(second));
    ASSERT_TRUE(range->select());

    // As the designer paste does it: a range from the selection, moved to its top-left point.
    const auto pasteRange = document.selection().createTextRange();
    ASSERT_TRUE(pasteRange.has_value());
    const auto left = pasteRange->offsetLeft();
    const auto top = pasteRange->offsetTop();
    ASSERT_TRUE(left && top);
    ASSERT_TRUE(pasteRange->moveToPoint(*left, *top));
    ASSERT_TRUE(pasteRange->pasteHTML(QStringLiteral("<i>new</i> ")));
    EXPECT_EQ(second.innerHTML(), QStringLiteral("<i>new</i> Second line"));

    // A fragment's scripts are parsed but never run.
    const HtmlElement first = byIndex(document, QStringLiteral("P"));
    ASSERT_TRUE(pasteRange->moveToElementText(first));
    ASSERT_TRUE(pasteRange->collapse(false));
    ASSERT_TRUE(pasteRange->pasteHTML(
        QStringLiteral("<script>document.body.setAttribute('data-pasted', '1')</script>")));
    EXPECT_TRUE(document.body()->getAttribute(QStringLiteral("data-pasted"))->isNull());
    EXPECT_TRUE(first.innerHTML()->endsWith(QStringLiteral("</script>")));
}

TEST_F(EngineTest, textRange_textCanBeReplaced)
{
    const HtmlDocument document = load(kSimplePage);
    const HtmlElement first = byIndex(document, QStringLiteral("P"));
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range.has_value());
    ASSERT_TRUE(range->moveToElementText(first));
    const QString text = range->text().value_or(QString());
    ASSERT_TRUE(range->setText(text));
    EXPECT_EQ(first.innerHTML(), QStringLiteral("Hello world"));
    ASSERT_TRUE(range->setText(QStringLiteral("one\r\ntwo")));
    EXPECT_EQ(first.innerHTML(), QStringLiteral("one<br>two"));
    EXPECT_EQ(first.innerText(), QStringLiteral("one\r\ntwo"));
}

TEST_F(EngineTest, elements_outerTextEmptyRemovesTheElement)
{
    const HtmlDocument document = load(kSimplePage);
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    const int count = document.all().length().value_or(0);
    ASSERT_TRUE(second.setOuterText(QString()));
    EXPECT_FALSE(document.serializedPage()->contains(QStringLiteral("Second line")));
    EXPECT_EQ(document.all().length(), count - 1);

    const HtmlElement first = byIndex(document, QStringLiteral("P"));
    ASSERT_TRUE(first.setOuterHTML(QString()));
    EXPECT_FALSE(document.serializedPage()->contains(QStringLiteral("Hello")));
    EXPECT_FALSE(document.documentElement()->setOuterText(QString())) << "the root stays";
}
