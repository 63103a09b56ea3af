// The element property inspector and the page properties on the real engine: what each kind
// of element shows, what OK writes back, and what Cancel and bad numbers leave.
#include "inspectortest.h"

#include "designer/inspectordialogs.h"
#include "designer/tfrmpageprop.h"
#include "source/formatrules.h"

#include <QLabel>

using namespace korvel;
using namespace Qt::StringLiterals;

namespace {

const QByteArray kKinds =
    "<html><head><title>Kinds</title></head><body>"
    "<table id=\"t\" border=\"1\"><tr><td id=\"c\" width=\"10\">cell</td></tr></table>"
    "<div id=\"d\" class=\"x\">div</div><p id=\"p\">para</p><span id=\"s\">span</span>"
    "<img id=\"i\" src=\"a.png\" alt=\"A\">"
    "<form id=\"f\" action=\"s.php\"><input id=\"in\" name=\"q\" value=\"v\">"
    "<button id=\"b\" name=\"bn\" value=\"1\">B</button>"
    "<textarea id=\"ta\" name=\"t\" cols=\"20\">text</textarea>"
    "<select id=\"sel\" name=\"sl\"><option value=\"1\">One</option><option value=\"2\">Two</option></select></form>"
    "<font id=\"fo\" face=\"Arial\">font</font><a id=\"a\" href=\"x.html\" name=\"n\">link</a>"
    "<iframe id=\"if\" name=\"fr\"></iframe><em id=\"em\">other</em>"
    "</body></html>";

struct KindCase {
    const char *id;
    const char *dialog;
    test::Edits edits;
    const char *expected; // the element's outer HTML after OK (its first tag for the form)
};

class InspectorEngineTest : public test::InspectorTest {
protected:
    void openKinds()
    {
        openPageInDesigner(kKinds, u"kinds.html"_s);
        designMode();
    }
    HtmlElement element(const char *id) { return byId(QLatin1String(id)).value_or(HtmlElement()); }
    QString html(const char *id, bool firstTagOnly = false)
    {
        const QString outer = outerHtmlOf(QLatin1String(id));
        return firstTagOnly ? FirstTag(outer) : outer;
    }
    void setLanguage(int language) { form->state().UiLanguage = language; }
};

} // namespace

TEST_F(InspectorEngineTest, eachKindShowsItsDialogAndOkWritesTheChangedFieldsWhileCancelChangesNothing)
{
    openKinds();
    const QList<KindCase> cases = {
        {"t", "TFormTable2", {{u"EditBorder"_s, u"2"_s}, {u"EditBgColor"_s, u"#00FF00"_s}},
         "<table id=\"t\" border=\"2\" bgcolor=\"#00FF00\"><tbody><tr><td id=\"c\" width=\"10\">cell</td></tr></tbody></table>"},
        {"c", "TFormTD", {{u"Edit1"_s, u"20"_s}, {u"Edit3"_s, u"2"_s}, {u"EditColor"_s, u"#FF0000"_s}},
         "<td id=\"c\" width=\"20\" colspan=\"2\" bgcolor=\"#FF0000\">cell</td>"},
        {"d", "TFormDIV", {{u"Edit1"_s, u"y"_s}, {u"ComboBox1"_s, u"center"_s}, {u"Edit3"_s, u"color: red"_s}},
         "<div id=\"d\" class=\"y\" align=\"center\" style=\"color: red\">div</div>"},
        {"p", "TFormDIV", {{u"Edit1"_s, u"q"_s}}, "<p id=\"p\" class=\"q\">para</p>"},
        {"s", "TFormDIV", {{u"ComboBox1"_s, u"right"_s}}, "<span id=\"s\" align=\"right\">span</span>"},
        {"i", "TFormImgInfo", {{u"Edit2"_s, u"B"_s}, {u"Edit5"_s, u"3"_s}}, "<img id=\"i\" src=\"a.png\" alt=\"B\" border=\"3\">"},
        {"in", "TFormPropInp", {{u"Edit5"_s, u"w"_s}, {u"Edit2"_s, u"5"_s}}, "<input id=\"in\" name=\"q\" value=\"w\" size=\"5\">"},
        {"b", "TFormPropInp", {{u"Edit1"_s, u"bx"_s}}, "<button id=\"b\" name=\"bx\" value=\"1\">B</button>"},
        {"ta", "TFormPropInp", {{u"Edit5"_s, u"new"_s}, {u"Edit3"_s, u"4"_s}},
         "<textarea id=\"ta\" name=\"t\" cols=\"20\" rows=\"4\">new</textarea>"},
        {"sel", "TFormPropInp", {{u"Edit5"_s, u"2"_s}},
         "<select id=\"sel\" name=\"sl\"><option value=\"1\">One</option><option value=\"2\" selected=\"\">Two</option></select>"},
        {"fo", "TFormPropFont", {{u"Edit3"_s, u"#0000FF"_s}}, "<font id=\"fo\" face=\"Arial\" color=\"#0000FF\">font</font>"},
        {"a", "TFormSettings", {{u"EditName"_s, u"y.html"_s}, {u"EditColor"_s, QString()}}, "<a id=\"a\" href=\"y.html\">link</a>"},
        {"f", "TFormFormular", {{u"EditName"_s, u"myform"_s}}, "<form id=\"f\" action=\"s.php\" name=\"myform\">"},
        {"if", "TFormFInfo", {{u"Edit5"_s, u"300"_s}}, "<iframe id=\"if\" name=\"fr\" width=\"300\"></iframe>"},
    };
    for (const KindCase &k : cases) {
        SCOPED_TRACE(k.id);
        const bool formOnly = qstrcmp(k.id, "f") == 0;
        const QString before = html(k.id, formOnly);
        for (const bool accept : {false, true}) {
            prompter.clear();
            choose(0);
            edit(k.edits, accept ? u"BitBtn1"_s : u"BitBtn2"_s, nullptr,
                 accept ? QStringLiteral("%1-%2-en").arg(QLatin1String(k.dialog), QLatin1String(k.id)) : QString());
            inspector->InspectElement(element(k.id));
            EXPECT_EQ(prompter.dialogsShown(), (QStringList{u"TFormSelect"_s, QLatin1String(k.dialog)}));
            EXPECT_TRUE(prompter.messages().isEmpty()) << prompter.lastText().toStdString();
            EXPECT_EQ(html(k.id, formOnly), accept ? QLatin1String(k.expected) : before);
        }
    }
}

TEST_F(InspectorEngineTest, theDialogsShowTheElementsValuesFilledAfreshForEachElement)
{
    const QByteArray page = "<html><body><img id=\"one\" src=\"a.png\" border=\"2\" width=\"50%\">"
                            "<img id=\"two\" src=\"b.png\"><a id=\"mail\" href=\"mailto:x@y.de\" target=\"_top\" title=\"T\">m</a>"
                            "<button id=\"st\" status=\"on\">s</button></body></html>";
    openPageInDesigner(page, u"fresh.html"_s);
    designMode();
    QHash<QString, QString> shown;
    choose(0);
    edit({}, u"BitBtn1"_s, &shown);
    inspector->InspectElement(element("one"));
    EXPECT_EQ(shown.value(u"Edit5"_s), u"2"_s);
    EXPECT_EQ(shown.value(u"Edit3"_s), u"50%"_s);
    // An untouched field that would not pass as a number is left as the element has it.
    EXPECT_EQ(html("one"), u"<img id=\"one\" src=\"a.png\" border=\"2\" width=\"50%\">"_s);
    // The header names the tag as text, not as a picture.
    const auto *header = form->findChild<QDialog *>(u"TFormImgInfo"_s)->findChild<QLabel *>(u"Label10"_s);
    EXPECT_EQ(header->text(), u"<IMG>"_s);
    EXPECT_EQ(header->textFormat(), Qt::PlainText);

    // The next image has no border: the field shows none, and OK writes none.
    choose(0);
    edit({}, u"BitBtn1"_s, &shown);
    inspector->InspectElement(element("two"));
    EXPECT_EQ(shown.value(u"Edit5"_s), QString());
    EXPECT_EQ(html("two"), u"<img id=\"two\" src=\"b.png\">"_s);

    // The link dialog opens with the link's own protocol and target, and its label reads
    // "Name" only while the inspector uses it.
    QString label2;
    choose(0);
    prompter.answerDialog([&](QDialog &dialog) {
        shown = fieldsOf(dialog);
        label2 = dialog.findChild<QLabel *>(u"Label2"_s)->text();
        EXPECT_TRUE(dialog.findChild<QAbstractButton *>(u"RadioButton2"_s)->isChecked());
        dialog.findChild<QAbstractButton *>(u"BitBtn1"_s)->click();
        return dialog.result();
    });
    inspector->InspectElement(element("mail"));
    EXPECT_EQ(label2, u"Name"_s);
    EXPECT_EQ(shown.value(u"EditName"_s), u"mailto:x@y.de"_s);
    EXPECT_EQ(shown.value(u"ComboBox1"_s), u"_top"_s);
    EXPECT_EQ(html("mail"), u"<a id=\"mail\" href=\"mailto:x@y.de\" target=\"_top\" title=\"T\">m</a>"_s);
    EXPECT_EQ(form->findChild<QDialog *>(u"TFormSettings"_s)->findChild<QLabel *>(u"Label2"_s)->text(), u"Description"_s);

    // A button shows its status only where it has one.
    choose(0);
    edit({{u"Edit2"_s, QString()}}, u"BitBtn1"_s, &shown);
    inspector->InspectElement(element("st"));
    EXPECT_EQ(shown.value(u"Edit2"_s), u"on"_s);
    EXPECT_EQ(html("st"), u"<button id=\"st\">s</button>"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(InspectorEngineTest, aBadNumberShowsLine49AndLeavesTheElementAsItWas)
{
    openKinds();
    const QString line49 = form->line(Msg::ElementPropertiesError);
    const struct {
        const char *id;
        test::Edits edits;
    } cases[] = {
        {"c", {{u"Edit1"_s, u"99"_s}, {u"Edit3"_s, u"x"_s}}},   // not a number, after a good field
        {"c", {{u"EditColor"_s, u"#000000"_s}, {u"Edit4"_s, QString()}}}, // a span is always a number
        {"c", {{u"Edit3"_s, u"0"_s}}},                          // no cell spans no column
        {"i", {{u"Edit2"_s, u"changed"_s}, {u"Edit7"_s, u"-1"_s}}},
        {"ta", {{u"Edit1"_s, u"other"_s}, {u"Edit2"_s, u"2.5"_s}}},
    };
    for (const auto &k : cases) {
        SCOPED_TRACE(k.id);
        const QString before = html(k.id);
        prompter.clear();
        choose(0);
        edit(k.edits);
        inspector->InspectElement(element(k.id));
        EXPECT_EQ(prompter.texts(), QStringList{line49});
        EXPECT_EQ(prompter.messages().value(0).kind, MessageKind::Warning);
        EXPECT_EQ(html(k.id), before);
    }

    // A list of option texts shorter than the options fails the same way.
    prompter.clear();
    choose(0);
    prompter.answerDialog([](QDialog &dialog) {
        auto &inp = static_cast<TFormPropInp &>(dialog);
        EXPECT_EQ(inp.options(), (QStringList{u"One"_s, u"Two"_s}));
        delete inp.ListBox1->takeItem(1);
        inp.ButtonOK->click();
        return dialog.result();
    });
    const QString select = html("sel");
    inspector->InspectElement(element("sel"));
    EXPECT_EQ(prompter.texts(), QStringList{line49});
    EXPECT_EQ(html("sel"), select);
}

TEST_F(InspectorEngineTest, theCandidatesRunFromTheSelectionUpToTheKeptTableOrFiveElements)
{
    const QByteArray page = "<html><body><div id=\"wrap\"><table id=\"t2\"><tr><td id=\"c2\">x</td></tr></table></div>"
                            "<div><div><div><div><p id=\"deep\">deep <b>text</b></p></div></div></div></div>"
                            "<p id=\"flat\">flat</p></body></html>";
    openPageInDesigner(page, u"candidates.html"_s);
    designMode();
    const auto offeredFor = [this](const std::function<void()> &select) {
        QStringList offered;
        select();
        choose(0, &offered);
        prompter.answerDialog([](QDialog &) { return int(QDialog::Rejected); });
        run(cmd::ElementProperties);
        return offered;
    };
    // With the table found earlier the list ends at it; with nothing kept it ends there too.
    caretIn(u"c2"_s);
    run(cmd::SelectTable);
    EXPECT_EQ(offeredFor([&] { caretIn(u"c2"_s); }), (QStringList{u"<TD>"_s, u"<TR>"_s, u"<TBODY>"_s, u"<TABLE>"_s}));
    // A text selection in a paragraph starts at the paragraph; five at most.
    EXPECT_EQ(offeredFor([&] { select(u"deep"_s, u"deep"_s); }),
              (QStringList{u"<P>"_s, u"<DIV>"_s, u"<DIV>"_s, u"<DIV>"_s, u"<DIV>"_s}));
    // Up to the body, never the html element.
    EXPECT_EQ(offeredFor([&] { select(u"flat"_s, u"flat"_s); }), (QStringList{u"<P>"_s, u"<BODY>"_s}));
    EXPECT_TRUE(prompter.messages().isEmpty());
}

TEST_F(InspectorEngineTest, otherElementsShowTheirTagsAndTheBodyOpensThePageProperties)
{
    openKinds();
    QHash<QString, QString> shown;
    choose(0);
    edit({}, u"BitBtn1"_s, &shown, u"TFormProperty-en"_s);
    inspector->InspectElement(element("em"));
    EXPECT_EQ(shown.value(u"Edit1"_s), u"<em id=\"em\">"_s);
    EXPECT_EQ(shown.value(u"Edit2"_s), u"<body>"_s);
    EXPECT_EQ(inspector->ElementTagText, u"<em id=\"em\">"_s);

    prompter.clear();
    prompter.answerDialog([](QDialog &) { return int(QDialog::Rejected); });
    inspector->InspectElement(page().body().value_or(HtmlElement()));
    EXPECT_EQ(prompter.dialogsShown(), QStringList{u"TfrmPageProp"_s});
}

TEST_F(InspectorEngineTest, theCommandRefusesOnTheSourcePageAndWithoutDesignMode)
{
    openPageInDesigner(kKinds, u"kinds.html"_s);
    caretIn(u"p"_s);
    run(cmd::ElementProperties);
    EXPECT_EQ(prompter.texts(), QStringList{form->line(Msg::EnableDesignMode)});
    run(cmd::PageProperties);
    EXPECT_EQ(prompter.texts().value(1), form->line(Msg::EnableDesignMode));
    form->setActivePage(0);
    prompter.clear();
    run(cmd::ElementProperties);
    EXPECT_EQ(prompter.texts(), QStringList{form->line(Msg::SwitchToBrowser)});
    EXPECT_EQ(prompter.messages().value(0).kind, MessageKind::Information);
    EXPECT_TRUE(prompter.dialogsShown().isEmpty());
    EXPECT_TRUE(form->commands().action(u"Showproperties1"_s)->isEnabled());
}

TEST_F(InspectorEngineTest, anAcceptedChangeReachesTheSourceAtThePull)
{
    openKinds();
    caretIn(u"c"_s);
    choose(0);
    edit({{u"Edit2"_s, u"33"_s}});
    run(cmd::ElementProperties);
    form->setActivePage(0);
    EXPECT_TRUE(form->editor()->text().contains(u"<td id=\"c\" width=\"10\" height=\"33\">cell</td>"_s));
}

TEST_F(InspectorEngineTest, framesAndFramesetsAreEditedInTheFrameDialog)
{
    const QByteArray page = "<html><frameset id=\"fs\" cols=\"50%,*\"><frame id=\"fr1\" name=\"left\" src=\"about:blank\">"
                            "<frame src=\"about:blank\"></frameset></html>";
    openPageInDesigner(page, u"frames.html"_s);
    QHash<QString, QString> shown;
    choose(0);
    edit({{u"ComboBox1"_s, u"True"_s}, {u"Edit8"_s, u"no"_s}}, u"BitBtn1"_s, &shown, u"TFormFInfo-fr1-en"_s);
    inspector->InspectElement(element("fr1"));
    EXPECT_EQ(shown.value(u"ComboBox1"_s), u"False"_s);
    EXPECT_EQ(html("fr1"), u"<frame id=\"fr1\" name=\"left\" src=\"about:blank\" scrolling=\"no\" noresize=\"\">"_s);

    QStringList offered;
    choose(1, &offered);
    edit({{u"Edit8"_s, u"#FF0000"_s}, {u"Edit4"_s, u"30%,*"_s}}, u"BitBtn1"_s, &shown, u"TFormFInfo-fs-en"_s);
    inspector->InspectElement(element("fr1"));
    EXPECT_EQ(offered, (QStringList{u"<FRAME>"_s, u"<FRAMESET>"_s}));
    EXPECT_EQ(shown.value(u"Edit4"_s), u"50%,*"_s);
    EXPECT_EQ(html("fs", true), u"<frameset id=\"fs\" cols=\"30%,*\" bordercolor=\"#FF0000\">"_s);
    EXPECT_TRUE(prompter.messages().isEmpty());
}
