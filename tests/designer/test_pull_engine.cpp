// Taking the designer's page back into the source on the real engine: pages written in the
// styles of different generators keep every byte the designer did not change.
#include "app/filecodec.h"
#include "designer/pulledpage.h"
#include "designerwindowtest.h"
#include "teststrings.h"

#include <QStringList>

#include <functional>

using namespace korvel;
using namespace korvel::test;

namespace {

struct SamplePage {
    const char *name;
    QString text;
    // Lines that hold the element with id "t": the first and the last of them contain these.
    const char *firstLine;
    const char *lastLine;
};

QString CrLf(const char *text)
{
    return S(text).replace(S("\n"), S("\r\n"));
}

QList<SamplePage> Pages()
{
    return {
        {"upper case, unquoted, CR LF, omitted end tags",
         CrLf("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n<HTML>\n<HEAD>\n"
              "<TITLE>Old page</TITLE>\n<META NAME=GENERATOR CONTENT=Korvel>\n</HEAD>\n"
              "<BODY BGCOLOR=#FFFFFF LINK=blue>\n<H1 ALIGN=CENTER>Welcome</H1>\n"
              "<P ID=t>Our shop &amp; caf&eacute;\nis open&nbsp;daily.\n<P>&copy; 2003 by us\n"
              "<TABLE BORDER=1 WIDTH=100%>\n<TR><TD>one<TD>two\n<TR><TD>three<TD>four\n</TABLE>\n"
              "</BODY>\n</HTML>\n"),
         // The paragraph ends where the next one starts.
         "<P ID=t>", "<P>&copy;"},
        {"XHTML with an XML declaration, LF line breaks",
         S("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 "
           "Transitional//EN\" \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">\n"
           "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\">\n<head>\n"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\" />\n"
           "<meta name=\"generator\" content=\"Korvel\" />\n<title>Strict page</title>\n"
           "<style type=\"text/css\">\n/*<![CDATA[*/\nbody { font: 12px sans-serif }\n/*]]>*/\n</style>\n"
           "</head>\n<body>\n<div id=\"menu\"><a href=\"a.html?x=1&amp;y=2\">A</a> | <a href=\"b.html\">B</a></div>\n"
           "<p id=\"t\">Written by hand, with a line<br />break.</p>\n<hr />\n<p>Last line</p>\n</body>\n</html>\n"),
         "<p id=\"t\">", "<p id=\"t\">"},
        {"no html, head or body tags, lists without end tags",
         S("<!doctype html>\n<meta charset=utf-8>\n<meta name=generator content=Korvel>\n<title>Short</title>\n"
           "<h2>Notes &ndash; today</h2>\n<ul id=t>\n<li>mail&#64;example.org\n<li>call at 10\n</ul>\n"
           "<p>Bye\n"),
         "<ul id=t>", "</ul>"},
        {"office export with single quotes and conditional comments",
         CrLf("<html xmlns:o='urn:schemas-microsoft-com:office:office'>\n<head>\n"
              "<meta name=Generator content=\"Korvel\">\n<!--[if gte mso 9]><xml>\n<o:DocumentProperties>\n"
              "</o:DocumentProperties>\n</xml><![endif]-->\n<style>\n<!--\np.MsoNormal {margin:0cm}\n-->\n"
              "</style>\n</head>\n<body lang=DE style='tab-interval:35.4pt'>\n<div class=Section1>\n"
              "<p class=MsoNormal id=t><span style='font-size:12.0pt'>Sehr geehrte Damen\nund Herren,</span>"
              "<o:p></o:p></p>\n<p class=MsoNormal><o:p>&nbsp;</o:p></p>\n</div>\n</body>\n</html>\n"),
         "<p class=MsoNormal id=t>", "und Herren"},
        {"site builder tables, scripts and entities in links",
         CrLf("<html>\n<head>\n<title>Tables</title>\n<meta name=\"GENERATOR\" content=\"Korvel\">\n"
              "<script language=\"JavaScript\">\n<!--\nfunction MM_swap() { if (a < b && c) return; }\n//-->\n"
              "</script>\n</head>\n<body bgcolor=\"#FFFFFF\" onLoad=\"MM_swap()\">\n"
              "<table width=\"600\" border=\"0\" cellpadding=\"0\" cellspacing=\"0\">\n<tr>\n"
              "<td><img src=\"spacer.gif\" width=\"1\" height=\"1\" /></td>\n"
              "<td id=\"t\"><font face=\"Verdana, Arial\" size=\"2\">Prices &amp; terms</font></td>\n"
              "</tr>\n</table>\n</body>\n</html>\n"),
         "<td id=\"t\">", "<td id=\"t\">"},
    };
}

// The lines of `after` that are not those of `before`, and their place in `before`: the span of
// lines between the common first and last lines.
struct LineChange {
    qsizetype first = 0;        // the first changed line of `before`
    qsizetype beforeLines = 0;  // changed lines of `before`
    qsizetype afterLines = 0;   // lines of `after` in their place
};

LineChange ChangedLines(const QString &before, const QString &after)
{
    const QStringList a = before.split(S("\n"));
    const QStringList b = after.split(S("\n"));
    qsizetype head = 0;
    while (head < a.size() && head < b.size() && a[head] == b[head])
        ++head;
    qsizetype tail = 0;
    while (tail < a.size() - head && tail < b.size() - head && a[a.size() - 1 - tail] == b[b.size() - 1 - tail])
        ++tail;
    return {head, a.size() - head - tail, b.size() - head - tail};
}

qsizetype LineOf(const QString &text, const char *part)
{
    const qsizetype at = text.indexOf(S(part));
    return at < 0 ? -1 : text.left(at).count(QLatin1Char('\n'));
}

class PullEngineTest : public DesignerWindowTest {
protected:
    HtmlElement target()
    {
        const ElementCollection all = page().all();
        for (int i = 0; i < all.length().value_or(0); ++i) {
            const auto e = all.item(i);
            if (e && e->getAttribute(S("id")) == S("t"))
                return *e;
        }
        ADD_FAILURE() << "no element with id t";
        return HtmlElement();
    }

    // Opens the page in design mode, edits it, and leaves the designer. `pulled` gets the
    // engine's serialization at the pull; the source text after it is returned.
    template <typename Edit>
    QString pullAfter(const QString &text, Edit edit, QString *pulled = nullptr)
    {
        m_path = openPageInDesigner(text.toUtf8(), S("page.html"));
        // The source as the editor holds it (with its line breaks as CR LF).
        m_before = form->editor()->text();
        trigger("BrowserEditmode1");
        EXPECT_EQ(page().designMode(), S("On"));
        edit();
        const QString serialized = page().serializedPage().value_or(QString());
        if (pulled)
            *pulled = serialized;
        form->setActivePage(0);
        EXPECT_EQ(form->activePage(), 0);
        return form->editor()->text();
    }

    // The engine's serialization of the text, loaded as a page of its own.
    QString serializationOf(const QString &text)
    {
        const QString path = writeFile(S("check.html"), text.toUtf8());
        EXPECT_TRUE(designer->browser().Navigate(path));
        EXPECT_TRUE(designer->browser().waitUntilReady());
        return page().serializedPage().value_or(QString());
    }

    QString m_path;
    QString m_before;
};

} // namespace

TEST_F(PullEngineTest, aPageLeftWithoutAnEditComesBackByteForByte)
{
    for (const SamplePage &p : Pages()) {
        SCOPED_TRACE(p.name);
        const QString text = pullAfter(p.text, [] {});
        EXPECT_EQ(text, m_before);
        EXPECT_EQ(QString(text).remove(QLatin1Char('\r')), QString(p.text).remove(QLatin1Char('\r')));
    }
}

TEST_F(PullEngineTest, anEditChangesOnlyTheLinesOfTheEditedElement)
{
    const struct {
        const char *name;
        std::function<void()> edit;
        const char *mark;  // what the new source holds afterwards
    } edits[] = {
        {"a typed word",
         [this] {
             auto range = page().selection().createTextRange();
             ASSERT_TRUE(range && range->moveToElementText(target()) && range->collapse(true) && range->select());
             ASSERT_TRUE(range->pasteHTML(S("Brandnew ")));
         },
         "Brandnew "},
        {"a bold element",
         [this] {
             auto range = page().selection().createTextRange();
             ASSERT_TRUE(range && range->moveToElementText(target()) && range->select());
             ASSERT_TRUE(page().execCommand(S("Bold")));
         },
         "<b>"},
        {"a deleted element", [this] { ASSERT_TRUE(target().setOuterHTML(QString())); }, nullptr},
    };
    for (const auto &e : edits) {
        for (const SamplePage &p : Pages()) {
            SCOPED_TRACE(std::string(e.name) + ", " + p.name);
            QString pulled;
            const QString text = pullAfter(p.text, e.edit, &pulled);
            if (e.mark) {
                EXPECT_TRUE(text.contains(S(e.mark))) << text.toStdString();
            }
            const LineChange change = ChangedLines(m_before, text);
            EXPECT_GE(change.first, LineOf(m_before, p.firstLine));
            EXPECT_LE(change.first + change.beforeLines - 1, LineOf(m_before, p.lastLine));
            EXPECT_GT(change.beforeLines, 0);
            // Loaded again, the new source is the page the designer held.
            EXPECT_EQ(serializationOf(text), pulled);
            const LineChange whole = ChangedLines(m_before, *PulledPageText(m_before, pulled));
            RecordProperty(std::string(e.name) + ", " + p.name,
                           QStringLiteral("lines changed %1 (whole page: %2)")
                               .arg(qMax(change.beforeLines, change.afterLines))
                               .arg(qMax(whole.beforeLines, whole.afterLines))
                               .toStdString());
        }
    }
}

TEST_F(PullEngineTest, aPageThatCannotBeTracedComesBackAsTheWholeSerialization)
{
    // The parser moves the text out of the table, so the source cannot be matched.
    const QString text = CrLf("<html><head><meta name=generator content=Korvel></head><body>\n"
                              "<table><tr><td id=t>cell</td></tr>stray text</table>\n</body></html>\n");
    QString pulled;
    const QString result = pullAfter(text, [this] { ASSERT_TRUE(target().setInnerText(S("changed"))); }, &pulled);
    // The editor holds its lines with CR LF.
    EXPECT_EQ(QString(result).remove(QLatin1Char('\r')), PulledPageText(m_before, pulled)->remove(QLatin1Char('\r')));
}

TEST_F(PullEngineTest, aTypedCharacterTheFileCannotHoldIsWrittenAsThePageWritesIt)
{
    // Windows-1252 bytes ("caf\xE9"), a page that writes its arrows as references.
    const QByteArray bytes = "<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">\r\n"
                             "<meta name=generator content=Korvel></head><body>\r\n<p id=t>caf\xE9 &rarr; bar</p>\r\n</body></html>\r\n";
    const QString path = writeFile(S("ansi.html"), bytes);
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    ASSERT_EQ(form->document().format.encoding, TextEncoding::Ansi);
    form->setActivePage(1);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    const QString before = form->editor()->text();
    trigger("BrowserEditmode1");
    auto range = page().selection().createTextRange();
    ASSERT_TRUE(range && range->moveToElementText(target()) && range->collapse(false) && range->select());
    // An arrow the code page lacks, one it has, and a check mark no reference of the page names.
    ASSERT_TRUE(range->pasteHTML(S(" \xE2\x86\x92 \xE2\x82\xAC \xE2\x9C\x93")));
    form->setActivePage(0);
    EXPECT_EQ(form->editor()->text(),
              QString(before).replace(S("caf\xC3\xA9 &rarr; bar"), S("caf\xC3\xA9 &rarr; bar &rarr; \xE2\x82\xAC &#10003;")));
}

TEST_F(PullEngineTest, aPageThatCannotBeTracedComesBackByteForByteWhenLeftUnedited)
{
    const QString text = CrLf("<html><head><meta name=generator content=Korvel></head><body>\n"
                              "<table><tr><td id=t>cell</td></tr>stray text</table>\n</body></html>\n");
    EXPECT_EQ(pullAfter(text, [] {}), m_before);
}

TEST_F(PullEngineTest, editsAtTheVeryStartAndEndOfTheBodyComeBackAndUndoInOneStep)
{
    const QString text = CrLf("<html><head><meta name=generator content=Korvel></head><body><p id=t>first</p>\n"
                              "<p>middle</p>\n<p id=last>caf\xC3\xA9 last</p></body></html>");
    QString pulled;
    const QString result = pullAfter(text, [this] {
        ASSERT_TRUE(target().setInnerText(S("opened")));
        const auto body = page().body();
        auto range = page().selection().createTextRange();
        ASSERT_TRUE(body && range && range->moveToElementText(*body) && range->collapse(false));
        ASSERT_TRUE(range->pasteHTML(S("<p>added</p>")));
    }, &pulled);
    EXPECT_TRUE(result.startsWith(S("<html><head><meta name=generator content=Korvel></head><body><p id=t>opened</p>\r\n"
                                    "<p>middle</p>\r\n")))
        << result.toStdString();
    EXPECT_TRUE(result.contains(S("<p>added</p>"))) << result.toStdString();
    // The pull is one step of the editor's undo history.
    form->editor()->undo();
    EXPECT_EQ(form->editor()->text(), m_before);
    form->editor()->redo();
    EXPECT_EQ(form->editor()->text(), result);
    EXPECT_EQ(serializationOf(result), pulled);
}

TEST_F(PullEngineTest, editsBeforeAndAfterADesignerSaveBothComeBack)
{
    const QString text = CrLf("<html><head><meta name=generator content=Korvel></head><body>\n"
                              "<p id=t>one</p>\n<p id=u>two</p>\n</body></html>\n");
    m_path = openPageInDesigner(text.toUtf8(), S("page.html"));
    trigger("BrowserEditmode1");
    ASSERT_EQ(page().designMode(), S("On"));
    ASSERT_TRUE(target().setInnerText(S("saved edit")));
    trigger("FileSaveItem");
    const QString saved = form->editor()->text();
    EXPECT_TRUE(saved.contains(S("<p id=t>saved edit</p>"))) << saved.toStdString();
    // Nothing changed since the save: leaving and coming back keep that text.
    form->setActivePage(0);
    EXPECT_EQ(form->editor()->text(), saved);
    form->setActivePage(1);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    trigger("BrowserEditmode1");
    ASSERT_EQ(page().designMode(), S("On"));
    const auto all = page().all();
    for (int i = 0; i < all.length().value_or(0); ++i) {
        const auto e = all.item(i);
        if (e && e->getAttribute(S("id")) == S("u")) {
            ASSERT_TRUE(e->setInnerText(S("later edit")));
        }
    }
    form->setActivePage(0);
    const QString result = form->editor()->text();
    EXPECT_TRUE(result.contains(S("<p id=t>saved edit</p>"))) << result.toStdString();
    EXPECT_TRUE(result.contains(S("<p id=u>later edit</p>"))) << result.toStdString();
}

TEST_F(PullEngineTest, designModeLoadsAPageAgainOnlyWhenItsSourceCouldHaveRunAScript)
{
    const struct {
        const char *name;
        const char *source;
        bool loadedAgain;
    } cases[] = {
        {"no script", "<html><body><p id=t>plain</p></body></html>", false},
        {"a handler attribute", "<html><body onload=\"document.title='x'\"><p id=t>plain</p></body></html>", true},
        {"a script element", "<html><body><p id=t>plain</p><script>var a = 1;</script></body></html>", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = S(c.source);
        m_path = openPageInDesigner(text.toUtf8(), S("page.html"));
        const quint64 loaded = designer->browser().documentGeneration();
        EXPECT_EQ(designer->browser().scriptsRanInDocument(), c.loadedAgain);
        trigger("BrowserEditmode1");
        ASSERT_EQ(page().designMode(), S("On"));
        EXPECT_EQ(designer->browser().documentGeneration() != loaded, c.loadedAgain);
        EXPECT_FALSE(designer->browser().scriptsRanInDocument());
        ASSERT_TRUE(target().setInnerText(S("edited")));
        form->setActivePage(0);
        EXPECT_TRUE(form->editor()->text().contains(S("<p id=t>edited</p>"))) << form->editor()->text().toStdString();
    }
    // Design mode asked for in the same pass of the event loop as the load ended (the load's
    // completion not handed on yet): a page without scripts is still not loaded again.
    const QString path = writeFile(S("quick.html"), "<html><body><p id=t>quick</p></body></html>");
    ASSERT_TRUE(form->fileCommands().OpenDocumentFile(path));
    form->setActivePage(1);
    ASSERT_TRUE(designer->browser().waitUntilReady());
    const quint64 loaded = designer->browser().documentGeneration();
    trigger("BrowserEditmode1");
    ASSERT_EQ(page().designMode(), S("On"));
    EXPECT_EQ(designer->browser().documentGeneration(), loaded);
}
