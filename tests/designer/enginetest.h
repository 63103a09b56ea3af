// The designer's engine interface against the real Qt WebEngine: the fixture of its tests.
// One browser serves all tests of the program (starting the engine is the slow part); each
// test loads its own page.
#pragma once

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

namespace korvel::test {

class EngineTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        s_prompter = new ScriptedPrompter;
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
    static inline ScriptedPrompter *s_prompter = nullptr;
    static inline WebEngineBrowser *s_browser = nullptr;
};

inline const QByteArray kSimplePage =
    "<html><head><title>Simple</title></head><body>"
    "<p id=\"first\">Hello <b>world</b></p>"
    "<p id=\"second\">Second line</p>"
    "<img id=\"picture\" src=\"missing.png\" width=\"60\" height=\"40\" style=\"display:block\">"
    "<table id=\"grid\" border=\"0\"><tr><td>a</td><td>b</td></tr><tr><td>c</td><td>d</td></tr></table>"
    "</body></html>";

} // namespace korvel::test
