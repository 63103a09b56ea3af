// The formatting commands in the designer, on the real engine: what each one leaves of the page,
// and that the page's own undo takes the engine's commands back.
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/tformselect.h"
#include "formattingtest.h"
#include "teststrings.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

using namespace korvel;

namespace {

const QByteArray kPage = "<html><head><title>t</title></head><body></body></html>";

class FormattingDesignerTest : public test::FormattingTest {
protected:
    void SetUp() override
    {
        FormattingTest::SetUp();
        openPageInDesigner(kPage, QStringLiteral("page.html"));
        trigger("BrowserEditmode1");
        ASSERT_TRUE(designer->designModeChecked());
    }

    HtmlElement body() { return page().body().value_or(HtmlElement()); }
    QString bodyHtml() { return body().innerHTML().value_or(QString()); }

    void setBody(const QString &html)
    {
        ASSERT_TRUE(body().setInnerHTML(html));
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

    // The element's content selected, or a caret at its start.
    void select(const char *id, bool caret = false)
    {
        const auto range = page().selection().createTextRange();
        ASSERT_TRUE(range.has_value());
        ASSERT_TRUE(range->moveToElementText(byId(id)));
        if (caret) {
            ASSERT_TRUE(range->collapse(true));
        }
        ASSERT_TRUE(range->select());
    }

    void undo()
    {
        trigger("EditUndoItem");
        QTest::qWait(50);
    }

    // The block removal's chooser: checks its caption and picks the entry (-1 cancels).
    void answerChooser(int entry)
    {
        prompter.answerDialog([entry](QDialog &dialog) {
            auto &chooser = static_cast<TFormSelect &>(dialog);
            EXPECT_EQ(chooser.BitBtn2->text(), QStringLiteral("Delete Tag"));
            EXPECT_EQ(chooser.ListBox1->count(), 3);
            if (entry < 0)
                return int(QDialog::Rejected);
            chooser.ListBox1->setCurrentRow(entry);
            chooser.BitBtn2Click();
            return int(QDialog::Accepted);
        });
    }
};

struct EngineCase {
    const char *trigger;
    const char *before;
    const char *after;
};

} // namespace

TEST_F(FormattingDesignerTest, theEngineCommandsChangeThePageAndItsUndoTakesThemBack)
{
    const char *para = "<p id=\"p\">Hello world</p>";
    const EngineCase cases[] = {
        {"BoldButton", para, "<p id=\"p\"><b>Hello world</b></p>"},
        {"italic1", para, "<p id=\"p\"><i>Hello world</i></p>"},
        {"UnderlineButton", para, "<p id=\"p\"><u>Hello world</u></p>"},
        {"ToolButton7", para, "<p id=\"p\"><strike>Hello world</strike></p>"},
        {"ToolButtonSup", para, "<p id=\"p\"><sup>Hello world</sup></p>"},
        {"Sub1", para, "<p id=\"p\"><sub>Hello world</sub></p>"},
        {"LeftAlign", "<p id=\"p\" style=\"text-align: right;\">Hello world</p>",
         "<p id=\"p\" style=\"text-align: left;\">Hello world</p>"},
        {"RightAlign", para, "<p id=\"p\" style=\"text-align: right;\">Hello world</p>"},
        {"ButtonJustify", para, "<p id=\"p\" style=\"text-align: justify;\">Hello world</p>"},
        {"CenterAlign", para, "<p id=\"p\" style=\"text-align: center;\">Hello world</p>"},
        {"ToolButtonIndent", para,
         "<blockquote style=\"margin: 0 0 0 40px; border: none; padding: 0px;\"><p id=\"p\">Hello world</p></blockquote>"},
        {"ToolButton14",
         "<blockquote style=\"margin: 0 0 0 40px; border: none; padding: 0px;\"><p id=\"p\">Hello world</p></blockquote>",
         para},
        {"ToolButtonRemoveF", "<p id=\"p\"><b>Hello</b> <i>world</i></p>", para},
    };
    for (const EngineCase &c : cases) {
        setBody(QString::fromUtf8(c.before));
        select("p");
        trigger(c.trigger);
        EXPECT_EQ(bodyHtml(), QString::fromUtf8(c.after)) << c.trigger;
        undo();
        EXPECT_EQ(bodyHtml(), QString::fromUtf8(c.before)) << c.trigger << " undone";
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormattingDesignerTest, theRuleAndTheLineBreakGoInAtTheSelection)
{
    setBody(QStringLiteral("<p id=\"p\">Hello</p>"));
    select("p", true);
    trigger("ToolButtonMulti");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\"><br>Hello</p>"));

    setBody(QStringLiteral("<p id=\"p\">Hello</p>"));
    select("p");
    trigger("Horizontalline1");
    const QString ruled = bodyHtml();
    EXPECT_TRUE(ruled.contains(QStringLiteral("<hr>"))) << ruled.toStdString();
    EXPECT_FALSE(ruled.contains(QStringLiteral("id=\"0\""))) << "the rule has no id";
    undo();
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\">Hello</p>"));
}

TEST_F(FormattingDesignerTest, theFontRuleSetsFaceSizeClampedToSevenAndColour)
{
    // A face other than the page's own: the engine adds nothing for the face already in use.
    const int mono = comboFont()->findText(QStringLiteral("Mono"), Qt::MatchContains);
    ASSERT_GE(mono, 0);
    comboFont()->setCurrentIndex(mono);
    const QString face = comboFont()->currentText();
    editSize()->setText(QStringLiteral("8"));
    comboColor()->setCurrentIndex(comboColor()->findText(QStringLiteral("#FF0000")));
    setBody(QStringLiteral("<p id=\"p\">Hello</p>"));
    select("p");
    trigger("ToolButtonFont");
    const QString html = bodyHtml();
    EXPECT_TRUE(html.contains(QStringLiteral("face=\"%1\"").arg(face))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("size=\"7\""))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("color=\"#ff0000\""))) << html.toStdString();
    undo();
    undo();
    undo();
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\">Hello</p>"));

    // A font control sets its own attribute on the selected text, and nothing on a caret.
    const int blue = comboColor()->findText(QStringLiteral("#0000FF"));
    select("p", true);
    chooseColor(blue);
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\">Hello</p>"));
    select("p");
    chooseColor(blue);
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\"><font color=\"#0000ff\">Hello</font></p>"));
}

TEST_F(FormattingDesignerTest, theListCommandsMakeAListOfTheSelectionInACellAndTakeItApartInPlace)
{
    const QString table = QStringLiteral("<h1>Title</h1><table><tbody><tr><td id=\"c\">%1</td><td>beta</td></tr>"
                                         "</tbody></table><p>End <b>bold</b></p>");
    for (const auto &[trigger, start] : {std::pair{"BulletsButton", "<ul type=\"disc\">"},
                                         std::pair{"OrderedList1", "<ol type=\"1\">"}}) {
        const QString end = QLatin1String(start).startsWith(QLatin1String("<ul")) ? QStringLiteral("</ul>")
                                                                                  : QStringLiteral("</ol>");
        // The selected text becomes the list's item, escaped so that it stays text.
        setBody(table.arg(QStringLiteral("a &lt;b&gt; &amp; c")));
        select("c");
        this->trigger(trigger);
        EXPECT_EQ(bodyHtml(), table.arg(QLatin1String(start) + QStringLiteral("<li>a &lt;b&gt; &amp; c </li>") + end))
            << trigger;

        // A list around the caret goes; its items stay as lines, its siblings and the rest of
        // the page as they were.
        setBody(table.arg(QLatin1String("before") + QLatin1String(start)
                          + QStringLiteral("<li id=\"i\">one</li><li>two <b>2</b></li>") + end + QStringLiteral("after")));
        select("i", true);
        this->trigger(trigger);
        EXPECT_EQ(bodyHtml(), table.arg(QStringLiteral("before<br>one<br>two <b>2</b><br>after"))) << trigger;
    }
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormattingDesignerTest, divisionAndSpanWrapTheSelection)
{
    setBody(QStringLiteral("<p id=\"p\">Hello <b>big</b>\nworld</p>"));
    select("p");
    trigger("Div1");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\"><div class=\"undefined\">\nHello <b>big</b> world\n</div></p>"));

    // The span keeps only the text, and the text stays text.
    setBody(QStringLiteral("<p id=\"p\">a &lt;b <b>c</b></p>"));
    select("p");
    trigger("Span1");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<p id=\"p\"><span class=\"undefined\">a &lt;b c</span></p>"));
}

TEST_F(FormattingDesignerTest, theBlockRemovalUnwrapsTheChosenTagAroundTheSelection)
{
    struct Removal {
        int entry;
        const char *before;
        const char *after;
    };
    const Removal removals[] = {
        {0, "<div><p id=\"x\">a <b>b</b></p></div>", "<p id=\"x\">a <b>b</b></p>"},
        {1, "<p>a <span><i id=\"x\">b</i></span> c</p>", "<p>a <i id=\"x\">b</i> c</p>"},
        {2, "<div><p><b id=\"x\">a</b> b</p></div>", "<div><b id=\"x\">a</b> b</div>"},
    };
    for (const Removal &r : removals) {
        setBody(QString::fromUtf8(r.before));
        select("x", true);
        answerChooser(r.entry);
        trigger("ToolButtonNoDiv");
        EXPECT_EQ(bodyHtml(), QString::fromUtf8(r.after)) << r.entry;
        EXPECT_TRUE(prompter.messages().isEmpty());
    }

    setBody(QStringLiteral("<p id=\"x\">a</p>"));
    select("x", true);
    answerChooser(0);
    trigger("ToolButtonNoDiv");
    ASSERT_EQ(prompter.messages().size(), 1);
    EXPECT_EQ(prompter.messages().last().text, QStringLiteral("DIV not found!"));
    EXPECT_EQ(prompter.messages().last().kind, MessageKind::Plain);

    setBody(QStringLiteral("<div><p id=\"x\">a</p></div>"));
    select("x", true);
    answerChooser(-1);
    trigger("ToolButtonNoDiv");
    EXPECT_EQ(bodyHtml(), QStringLiteral("<div><p id=\"x\">a</p></div>")) << "Cancel keeps the page";
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(FormattingDesignerTest, withoutDesignModeAnEditSaysSoAndTheBlockRemovalDoesNothing)
{
    setBody(QStringLiteral("<div><p id=\"p\">Hello</p></div>"));
    trigger("BrowserEditmode1");
    ASSERT_FALSE(designer->designModeChecked());
    select("p");
    for (const char *trigger : {"BoldButton", "ToolButtonMulti", "BulletsButton", "Span1", "Div1", "ToolButtonFont"}) {
        prompter.clear();
        this->trigger(trigger);
        ASSERT_EQ(prompter.messages().size(), 1) << trigger;
        EXPECT_EQ(prompter.messages().last().text, form->line(51)) << trigger;
    }
    prompter.clear();
    trigger("ToolButtonNoDiv");
    chooseColor(0);
    EXPECT_TRUE(prompter.messages().isEmpty());
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
    EXPECT_EQ(bodyHtml(), QStringLiteral("<div><p id=\"p\">Hello</p></div>"));
}
