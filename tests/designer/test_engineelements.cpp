// The designer's engine interface against the real Qt WebEngine: elements and tables, editing
// commands, the clipboard, zoom, calls while the page is busy, browsing and printing.
#include "enginetest.h"

using namespace korvel;
using korvel::test::EngineTest;
using korvel::test::kSimplePage;

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
