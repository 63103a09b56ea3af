// The designer's engine interface against the real Qt WebEngine. One browser is shared by all
// tests of this program (starting the engine is the slow part); each test loads its own page.
#include "designer/engine.h"
#include "designer/glyphtable.h"
#include "designer/pulledpage.h"
#include "designer/webenginebrowser.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>

using namespace korvel;

namespace {

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_prompter = new test::ScriptedPrompter;
        s_browser = new WebEngineBrowser(s_prompter);
        s_browser->view()->resize(800, 600);
        s_browser->view()->show();
    }

    static void TearDownTestSuite()
    {
        delete s_browser;
        s_browser = nullptr;
        delete s_prompter;
        s_prompter = nullptr;
        delete s_dir;
        s_dir = nullptr;
    }

    void SetUp() override
    {
        s_prompter->clear();
        s_browser->setSilent(false);
        s_browser->setCallTimeout(5000);
        s_browser->setZoomFactor(1.0);
    }

    void TearDown() override
    {
        if (s_browser->hasDocument())
            s_browser->setDesignMode(false);
    }

    static QString writeFile(const QString &name, const QByteArray &content)
    {
        const QString path = s_dir->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(content);
        return path;
    }

    // Writes the page to a file and shows it; the document it gives is the one on screen.
    static HtmlDocument load(const QByteArray &html, const QString &name = QStringLiteral("page.html"))
    {
        const QString path = writeFile(name, html);
        EXPECT_TRUE(s_browser->Navigate(path));
        EXPECT_TRUE(s_browser->waitUntilReady());
        const auto document = s_browser->Document();
        EXPECT_TRUE(document.has_value());
        return document.value_or(HtmlDocument());
    }

    static HtmlElement byIndex(const HtmlDocument &document, const QString &tag, int index = 0)
    {
        const ElementCollection all = document.all();
        int seen = 0;
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto element = all.item(i);
            if (element && element->tagName() == tag && seen++ == index)
                return *element;
        }
        ADD_FAILURE() << "no element " << tag.toStdString() << " #" << index;
        return HtmlElement();
    }

    // Clicks the middle of an element the way a person does.
    static void click(const HtmlDocument &document, const HtmlElement &element, QPoint offset = QPoint(4, 4))
    {
        const auto range = document.selection().createTextRange();
        ASSERT_TRUE(range.has_value());
        ASSERT_TRUE(range->moveToElementText(element));
        const auto left = range->offsetLeft();
        const auto top = range->offsetTop();
        ASSERT_TRUE(left && top);
        QWidget *target = s_browser->view()->focusProxy();
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(*left, *top) + offset);
        QTest::qWait(100);
    }

    static inline QTemporaryDir *s_dir = nullptr;
    static inline test::ScriptedPrompter *s_prompter = nullptr;
    static inline WebEngineBrowser *s_browser = nullptr;
};

const QByteArray kSimplePage =
    "<html><head><title>Simple</title></head><body>"
    "<p id=\"first\">Hello <b>world</b></p>"
    "<p id=\"second\">Second line</p>"
    "<img id=\"picture\" src=\"missing.png\" width=\"60\" height=\"40\" style=\"display:block\">"
    "<table id=\"grid\" border=\"0\"><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"
    "</body></html>";

} // namespace

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

TEST_F(EngineTest, elements_membersAttributesAndOrder)
{
    const HtmlDocument document = load(
        "<html><head><meta name=\"GENERATOR\" content=\"x\"></head>"
        "<body leftmargin=\"7\"><p class=\"intro\" style=\"color: red;\">text</p>"
        "<a href=\"http://example.org/\" name=\"top\">link</a><form name=\"f\"><input name=\"field\" size=\"5\"></form>"
        "<select name=\"s\"><option>one</option><option>two</option></select></body></html>");
    const auto body = document.body();
    ASSERT_TRUE(body.has_value());
    EXPECT_EQ(body->tagName(), QStringLiteral("BODY"));
    EXPECT_EQ(body->property(QStringLiteral("leftMargin")), QVariant(QStringLiteral("7")));
    ASSERT_TRUE(body->setProperty(QStringLiteral("topMargin"), QStringLiteral("3")));
    EXPECT_EQ(body->getAttribute(QStringLiteral("topmargin")), QStringLiteral("3"));

    const HtmlElement paragraph = byIndex(document, QStringLiteral("P"));
    EXPECT_EQ(paragraph.getAttribute(QStringLiteral("classname")), QStringLiteral("intro"));
    EXPECT_TRUE(paragraph.getAttribute(QStringLiteral("id"))->isNull());
    EXPECT_EQ(paragraph.style(), QStringLiteral("color: red;"));
    ASSERT_TRUE(paragraph.setStyle(QStringLiteral("margin-left: 50px;")));
    EXPECT_EQ(paragraph.outerHTML(), QStringLiteral("<p class=\"intro\" style=\"margin-left: 50px;\">text</p>"));
    EXPECT_EQ(paragraph.parentElement(), body);
    EXPECT_EQ(paragraph.sourceIndex(), 4) << "html, head, meta, body, p";
    EXPECT_EQ(document.all().item(4), paragraph);

    const HtmlElement meta = byIndex(document, QStringLiteral("META"));
    EXPECT_EQ(meta.property(QStringLiteral("name")), QVariant(QStringLiteral("GENERATOR")));
    ASSERT_TRUE(meta.setProperty(QStringLiteral("content"), QStringLiteral("Korvel")));
    EXPECT_EQ(meta.getAttribute(QStringLiteral("content")), QStringLiteral("Korvel"));

    const HtmlElement input = byIndex(document, QStringLiteral("INPUT"));
    EXPECT_EQ(input.property(QStringLiteral("size")), QVariant(5));
    ASSERT_TRUE(input.setProperty(QStringLiteral("size"), 9));
    EXPECT_EQ(input.getAttribute(QStringLiteral("size")), QStringLiteral("9"));
    EXPECT_FALSE(input.property(QStringLiteral("form")).has_value()) << "objects are not values";
    EXPECT_FALSE(input.setProperty(QStringLiteral("__proto__"), 1));

    const HtmlElement select = byIndex(document, QStringLiteral("SELECT"));
    const ElementCollection options = select.collection(QStringLiteral("options"));
    EXPECT_EQ(options.length(), 2);
    ASSERT_TRUE(options.item(1)->setProperty(QStringLiteral("text"), QStringLiteral("zwei")));
    EXPECT_EQ(options.item(1)->innerText(), QStringLiteral("zwei"));
    EXPECT_FALSE(options.item(2).has_value());
    EXPECT_FALSE(select.collection(QStringLiteral("nonsense")).length().has_value());

    EXPECT_EQ(document.collection(QStringLiteral("links")).length(), 1);
    EXPECT_EQ(document.collection(QStringLiteral("forms")).length(), 1);
    EXPECT_EQ(document.collection(QStringLiteral("images")).length(), 0);
    EXPECT_EQ(document.collection(QStringLiteral("scripts")).length(), 0);
    EXPECT_EQ(document.collection(QStringLiteral("frames")).length(), 0);
    EXPECT_EQ(document.styleSheetCount(), 0);

    ASSERT_TRUE(document.setTitle(QStringLiteral("New title")));
    EXPECT_EQ(document.title(), QStringLiteral("New title"));
    ASSERT_TRUE(document.setProperty(QStringLiteral("bgColor"), QStringLiteral("#FF0000")));
    EXPECT_EQ(document.property(QStringLiteral("bgColor"))->toString().toUpper(), QStringLiteral("#FF0000"));
    EXPECT_EQ(body->getAttribute(QStringLiteral("bgcolor")), QStringLiteral("#FF0000"));
}

TEST_F(EngineTest, tableMembers_insertAndDeleteRowsAndCells)
{
    const HtmlDocument document = load(kSimplePage);
    const HtmlElement table = byIndex(document, QStringLiteral("TABLE"));
    EXPECT_EQ(table.rows().length(), 2);
    const auto secondRow = table.rows().item(1);
    ASSERT_TRUE(secondRow.has_value());
    EXPECT_EQ(secondRow->rowIndex(), 1);
    EXPECT_EQ(secondRow->cells().length(), 2);
    const auto cellD = secondRow->cells().item(1);
    ASSERT_TRUE(cellD.has_value());
    EXPECT_EQ(cellD->cellIndex(), 1);
    EXPECT_EQ(cellD->colSpan(), 1);
    EXPECT_EQ(cellD->rowSpan(), 1);

    const auto newRow = table.insertRow(1);
    ASSERT_TRUE(newRow.has_value());
    EXPECT_EQ(newRow->tagName(), QStringLiteral("TR"));
    const auto newCell = newRow->insertCell(-1);
    ASSERT_TRUE(newCell.has_value());
    ASSERT_TRUE(newCell->setInnerText(QStringLiteral("This is a new inserted row")));
    ASSERT_TRUE(newCell->setColSpan(2));
    EXPECT_EQ(newCell->colSpan(), 2);
    EXPECT_EQ(secondRow->rowIndex(), 2);
    EXPECT_EQ(table.rows().length(), 3);

    ASSERT_TRUE(secondRow->deleteCell(0));
    ASSERT_TRUE(cellD->setRowSpan(2));
    EXPECT_EQ(table.outerHTML(),
              QStringLiteral("<table id=\"grid\" border=\"0\"><tbody><tr><td>a</td><td>b</td></tr>"
                             "<tr><td colspan=\"2\">This is a new inserted row</td></tr>"
                             "<tr><td rowspan=\"2\">d</td></tr></tbody></table>"));
    EXPECT_FALSE(secondRow->deleteCell(5));
    EXPECT_FALSE(table.insertRow(10).has_value());
    EXPECT_FALSE(byIndex(document, QStringLiteral("P")).insertCell(0).has_value()) << "not a row";
}

TEST_F(EngineTest, editingCommands_actOnTheSelection)
{
    const HtmlDocument document = load(kSimplePage);
    EXPECT_FALSE(document.execCommand(QStringLiteral("Bold"))) << "only in design mode";
    ASSERT_TRUE(document.setDesignMode(true));
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(second));
    ASSERT_TRUE(range->select());
    ASSERT_TRUE(document.execCommand(QStringLiteral("Bold")));
    EXPECT_EQ(second.innerHTML(), QStringLiteral("<b>Second line</b>"));
    ASSERT_TRUE(document.execCommand(QStringLiteral("ForeColor"), false, 0x0000FF));
    EXPECT_TRUE(second.innerHTML()->contains(QStringLiteral("#ff0000"), Qt::CaseInsensitive)
                || second.innerHTML()->contains(QStringLiteral("rgb(255, 0, 0)")))
        << second.innerHTML()->toStdString();
    EXPECT_TRUE(document.execCommand(QStringLiteral("2D-Position"), false, true));
    EXPECT_FALSE(document.execCommand(QStringLiteral("NoSuchCommand")));

    ASSERT_TRUE(document.execCommand(QStringLiteral("Undo")));
    ASSERT_TRUE(document.execCommand(QStringLiteral("Undo")));
    QTest::qWait(100);
    EXPECT_EQ(second.innerHTML(), QStringLiteral("Second line"));
}

TEST_F(EngineTest, legacyInsertCommands_insertTheElementWithTheGivenId)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    struct Case {
        const char *command;
        QVariant value;
        const char *expected;
    };
    const Case cases[] = {
        {"InsertInputText", QStringLiteral("Text1"), "<input type=\"text\" id=\"Text1\">"},
        {"InsertInputPassword", QStringLiteral("Password1"), "<input type=\"password\" id=\"Password1\">"},
        {"InsertInputFileUpload", QStringLiteral("File1"), "<input type=\"file\" id=\"File1\">"},
        {"InsertInputHidden", QStringLiteral("Hidden"), "<input type=\"hidden\" id=\"Hidden\">"},
        {"InsertInputRadio", 0, "<input type=\"radio\">"},
        {"InsertInputCheckbox", 0, "<input type=\"checkbox\">"},
        {"InsertInputButton", 0, "<input type=\"button\">"},
        {"InsertTextArea", 0, "<textarea></textarea>"},
        {"InsertSelectListbox", 0, "<select multiple=\"\"></select>"},
        {"InsertSelectDropdown", 0, "<select></select>"},
        {"InsertIFrame", QStringLiteral("MyFrame"), "<iframe id=\"MyFrame\"></iframe>"},
    };
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    for (const Case &c : cases) {
        const auto range = document.selection().createTextRange();
        ASSERT_TRUE(range->moveToElementText(second));
        ASSERT_TRUE(range->collapse(true));
        ASSERT_TRUE(range->select());
        EXPECT_TRUE(document.execCommand(QLatin1String(c.command), false, c.value)) << c.command;
        EXPECT_TRUE(second.innerHTML()->contains(QLatin1String(c.expected)))
            << c.command << ": " << second.innerHTML()->toStdString();
    }
}

TEST_F(EngineTest, commandsWithTheEnginesOwnDialog_askThroughThePrompter)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(second));
    ASSERT_TRUE(range->select());

    s_prompter->answerInput(std::nullopt);
    EXPECT_FALSE(document.execCommand(QStringLiteral("CreateLink"), true, 0));
    s_prompter->answerInput(QStringLiteral("http://example.org/"));
    EXPECT_TRUE(document.execCommand(QStringLiteral("CreateLink"), true, 0));
    EXPECT_EQ(second.innerHTML(), QStringLiteral("<a href=\"http://example.org/\">Second line</a>"));
    EXPECT_EQ(s_prompter->inputPrompts().size(), 2);
}

TEST_F(EngineTest, copyAndPaste_goThroughThePagesOwnActions)
{
    const HtmlDocument document = load(kSimplePage);
    ASSERT_TRUE(document.setDesignMode(true));
    const HtmlElement second = byIndex(document, QStringLiteral("P"), 1);
    const auto range = document.selection().createTextRange();
    ASSERT_TRUE(range->moveToElementText(second));
    ASSERT_TRUE(range->select());
    ASSERT_TRUE(document.execCommand(QStringLiteral("Copy")));
    QTest::qWait(100);
    ASSERT_TRUE(range->collapse(false));
    ASSERT_TRUE(range->select());
    ASSERT_TRUE(document.execCommand(QStringLiteral("Paste")));
    QTest::qWait(200);
    EXPECT_EQ(second.innerText(), QStringLiteral("Second lineSecond line"));
}

TEST_F(EngineTest, zoom_usesTheViewsFactorAndLeavesThePageAlone)
{
    const HtmlDocument document = load(kSimplePage);
    const QString page = document.serializedPage().value_or(QString());
    const auto root = document.documentElement();
    ASSERT_TRUE(root.has_value());
    const int width = root->property(QStringLiteral("clientWidth"))->toInt();

    double factor = 1.0;
    for (int step = 0; step < 3; ++step) {
        factor += 0.5;
        ASSERT_TRUE(s_browser->setZoomFactor(factor));
    }
    EXPECT_DOUBLE_EQ(s_browser->zoomFactor(), 2.5);
    QTest::qWait(100);
    EXPECT_NEAR(root->property(QStringLiteral("clientWidth"))->toInt(), width / 2.5, 2.0);
    EXPECT_EQ(document.body()->style(), QString());
    EXPECT_EQ(document.serializedPage(), page);

    // A page loaded afterwards keeps the factor.
    load(kSimplePage);
    EXPECT_DOUBLE_EQ(s_browser->zoomFactor(), 2.5);
    EXPECT_FALSE(s_browser->setZoomFactor(0.1));
    EXPECT_FALSE(s_browser->setZoomFactor(6.0));
    EXPECT_DOUBLE_EQ(s_browser->zoomFactor(), 2.5);
}

TEST_F(EngineTest, aCallMadeWhileAnotherWaits_failsAtOnce)
{
    const HtmlDocument document = load(kSimplePage);
    std::optional<QString> nested = QStringLiteral("not run");
    bool nestedRan = false;
    QTimer::singleShot(0, [&] {
        nestedRan = true;
        nested = document.title();
    });
    EXPECT_EQ(document.title(), QStringLiteral("Simple"));
    EXPECT_TRUE(nestedRan);
    EXPECT_FALSE(nested.has_value());
    EXPECT_EQ(document.title(), QStringLiteral("Simple"));
}

TEST_F(EngineTest, documentComplete_isHeldBackUntilTheWaitingCallEnds)
{
    load(kSimplePage);
    const QString path = writeFile(QStringLiteral("other.html"), kSimplePage);
    bool callReturned = false;
    bool signalledDuringCall = false;
    const QMetaObject::Connection connection =
        QObject::connect(s_browser, &WebEngineBrowser::documentComplete, [&] { signalledDuringCall = !callReturned; });
    ASSERT_TRUE(s_browser->Navigate(path));
    // The call waits for the load, during which the load finishes.
    EXPECT_EQ(s_browser->Document()->title(), QStringLiteral("Simple"));
    callReturned = true;
    QTest::qWait(100);
    QObject::disconnect(connection);
    EXPECT_FALSE(signalledDuringCall);
}

TEST_F(EngineTest, aBusyPage_makesCallsFailInsteadOfHanging)
{
    const HtmlDocument document = load(
        "<html><head><title>Busy</title></head><body><script>"
        "setTimeout(function () { var t = Date.now(); while (Date.now() - t < 2500) {} }, 50);"
        "</script></body></html>");
    QTest::qWait(200);
    s_browser->setCallTimeout(300);
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(document.title().has_value());
    EXPECT_LT(timer.elapsed(), 2000);
    s_browser->setCallTimeout(5000);
    QTest::qWait(2500);
    EXPECT_EQ(document.title(), QStringLiteral("Busy"));
}

TEST_F(EngineTest, pageMessages_goToThePrompterUnlessSilent)
{
    load("<html><body><script>alert('hello from the page');</script></body></html>");
    EXPECT_EQ(s_prompter->lastText(), QStringLiteral("hello from the page"));
    s_prompter->clear();
    s_browser->setSilent(true);
    load("<html><body><script>alert('quiet');</script></body></html>");
    EXPECT_TRUE(s_prompter->messages().isEmpty());
}

TEST_F(EngineTest, browserCommands_backForwardReloadSelectAll)
{
    load(kSimplePage, QStringLiteral("one.html"));
    load(kSimplePage, QStringLiteral("two.html"));
    ASSERT_TRUE(s_browser->GoBack());
    ASSERT_TRUE(s_browser->waitUntilReady());
    EXPECT_EQ(s_browser->LocationName(), QStringLiteral("one.html"));
    ASSERT_TRUE(s_browser->GoForward());
    ASSERT_TRUE(s_browser->waitUntilReady());
    EXPECT_EQ(s_browser->LocationName(), QStringLiteral("two.html"));
    ASSERT_TRUE(s_browser->Refresh());
    ASSERT_TRUE(s_browser->waitUntilReady());
    EXPECT_TRUE(s_browser->ExecWB(17));
    QTest::qWait(100);
    EXPECT_EQ(s_browser->Document()->selection().type(), QStringLiteral("Text"));
    EXPECT_FALSE(s_browser->ExecWB(3));
    EXPECT_FALSE(s_browser->Navigate(QString()));
}

TEST_F(EngineTest, print_writesThePageToThePrinter)
{
    load(kSimplePage);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString output = s_dir->filePath(QStringLiteral("page.pdf"));
    printer.setOutputFileName(output);
    ASSERT_TRUE(s_browser->print(printer));
    EXPECT_GT(QFileInfo(output).size(), 0);
}

TEST_F(EngineTest, thePulledPage_keepsOneGeneratorMetaOverRoundTrips)
{
    QString source = QStringLiteral("<!DOCTYPE html>\r\n<html><head><title>t</title></head><body><p>x</p></body></html>");
    for (int trip = 0; trip < 3; ++trip) {
        const HtmlDocument document = load(source.toUtf8());
        const auto pulled = PulledPageText(source, document.serializedPage().value_or(QString()));
        ASSERT_TRUE(pulled.has_value());
        source = *pulled;
    }
    EXPECT_TRUE(source.startsWith(QStringLiteral("<!DOCTYPE html>\r\n<html>")));
    EXPECT_EQ(source.count(QStringLiteral("generator"), Qt::CaseInsensitive), 1) << source.toStdString();
    EXPECT_EQ(source.count(QStringLiteral("content=\"Korvel\"")), 1) << source.toStdString();
}
