#include "help/helpviewer.h"

#include <QFile>
#include <QRegularExpression>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace korvel;

namespace {

QString pageText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

struct Page {
    int context;
    const char16_t *german;
    const char16_t *english;
};

// Each window's context number and the title of its page in either language.
const Page kPages[] = {
    {0, u"Korvel-Hilfe: Inhalt", u"Korvel help: contents"},
    {50, u"Info über Korvel", u"About Korvel"},
    {60, u"Die Quellcode-Ansicht", u"The source view"},
    {70, u"Die Browser/Designer-Ansicht", u"The browser/designer view"},
    {80, u"Eigenschaften von Elementen und Seiten", u"Element and page properties"},
    {90, u"Einstellungen", u"Settings"},
    {140, u"Zeichencodes, Div-Bereiche und Objekte", u"Character codes, div sections and objects"},
    {150, u"Tabellen und Formulare", u"Tables and forms"},
    {200, u"Bilder und Image-Maps", u"Images and image maps"},
    {210, u"Frames und Inline-Frames", u"Frames and inline frames"},
};

} // namespace

TEST(HelpViewer, everyContextShowsItsPageInTheActiveLanguage)
{
    HelpViewer viewer;
    for (const Page &p : kPages) {
        for (int language : {0, 1, -1}) {
            const QString title = QString::fromUtf16(language == 0 ? p.german : p.english);
            ASSERT_TRUE(viewer.showContext(p.context, language)) << p.context << " " << language;
            EXPECT_EQ(viewer.browser()->source().toString(),
                      QStringLiteral("qrc") + HelpViewer::pagePath(p.context, language));
            EXPECT_EQ(viewer.browser()->documentTitle(), title) << p.context << " " << language;
            EXPECT_EQ(viewer.windowTitle(), title);
            EXPECT_TRUE(viewer.isVisible());
        }
    }
}

TEST(HelpViewer, aContextWithoutAPageIsIgnored)
{
    HelpViewer viewer;
    for (int context : {1, 55, 100, -70}) {
        EXPECT_FALSE(viewer.showContext(context, 1)) << context;
        EXPECT_FALSE(viewer.isVisible());
        EXPECT_TRUE(viewer.browser()->source().isEmpty());
    }
    ASSERT_TRUE(viewer.showContext(60, 1));
    EXPECT_FALSE(viewer.showContext(61, 1));
    EXPECT_EQ(viewer.browser()->source().toString(), QStringLiteral("qrc:/help/en/60.html"));
}

TEST(HelpViewer, everyLinkLeadsToAPageOfTheSameLanguage)
{
    static const QRegularExpression href(QStringLiteral("href=\"([^\"]+)\""));
    for (const char *language : {"de", "en"}) {
        for (const Page &p : kPages) {
            const QString path = HelpViewer::pagePath(p.context, QLatin1String(language) == QLatin1String("de") ? 0 : 1);
            const QString text = pageText(path);
            ASSERT_FALSE(text.isEmpty()) << qPrintable(path);
            EXPECT_TRUE(text.contains(QStringLiteral("lang=\"%1\"").arg(QLatin1String(language)))) << qPrintable(path);
            for (auto it = href.globalMatch(text); it.hasNext();) {
                const QString target = it.next().captured(1);
                EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/%1/%2").arg(QLatin1String(language), target)))
                    << qPrintable(path) << " links to " << qPrintable(target);
            }
        }
    }
}

TEST(HelpViewer, followingALinkFromTheContentsOpensThatPage)
{
    HelpViewer viewer;
    ASSERT_TRUE(viewer.showContext(0, 0));
    // A link names its target relative to the page it is on.
    viewer.browser()->setSource(QUrl(QStringLiteral("90.html")));
    EXPECT_EQ(viewer.browser()->documentTitle(), QStringLiteral("Einstellungen"));
    EXPECT_TRUE(viewer.browser()->toPlainText().contains(QStringLiteral("Htmledit.ini")));
}
