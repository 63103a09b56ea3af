// The main window's tool bars at the width of a small desktop screen, and the faces of their
// buttons at single and double device pixel ratio.
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "app/toolbaricons.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"
#include "source/sourcecommands.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QScopeGuard>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using namespace Qt::StringLiterals;
using test::ScriptedPrompter;

namespace {

constexpr int kGerman = 0;
constexpr int kEnglish = 1;

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR"))); }

    void TearDown() override
    {
        if (form) {
            form->editor()->setModified(false);
            form->close();
        }
    }

    void start(int language, int width = 1280)
    {
        prompter.answerDialog([language](QDialog &d) {
            d.findChild<QComboBox *>(u"ComboBox1"_s)->setCurrentIndex(language);
            return int(QDialog::Accepted);
        });
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(u"102.0.5005.177"_s);
        commands = new SourceCommands(*form);
        form->resize(width, 1024);
        form->show();
        QCoreApplication::processEvents();
    }

    // The main window's own bars, not those of the dialogs it owns.
    QList<QToolBar *> toolBars() const
    {
        QList<QToolBar *> bars = form->findChildren<QToolBar *>(Qt::FindDirectChildrenOnly);
        EXPECT_EQ(bars.size(), 3);
        return bars;
    }

    ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    SourceCommands *commands = nullptr;
};

// The buttons of a bar that show an icon (the bars also hold fields and boxes).
QList<QAction *> buttonActions(QToolBar *bar)
{
    QList<QAction *> result;
    for (QAction *a : bar->actions()) {
        if (qobject_cast<QToolButton *>(bar->widgetForAction(a)) && !a->isSeparator())
            result.append(a);
    }
    return result;
}

// A face rendered for the device pixel ratio 2 and not a 1x face blown up: a pixmap left at
// its 1x size, or one smoothly scaled up from it, would blur on a screen at double scale. (A
// drawing whose lines all meet whole pixels may equal its 1x face doubled pixel for pixel; that
// one is sharp.)
void expectSharpAtDoubleScale(const QIcon &icon, const QSize &size, const QString &name)
{
    SCOPED_TRACE(name.toStdString());
    ASSERT_FALSE(icon.isNull());
    const QPixmap single = icon.pixmap(size, 1.0);
    const QPixmap twice = icon.pixmap(size, 2.0);
    ASSERT_FALSE(single.isNull());
    ASSERT_FALSE(twice.isNull());
    EXPECT_EQ(twice.devicePixelRatio(), 2.0);
    EXPECT_EQ(twice.size(), size * 2);
    const QImage drawn = twice.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage small = single.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_NE(drawn, small.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

} // namespace

TEST_F(ToolBarTest, everyToolButtonIsShownInsideAWindow1280PixelsWideInBothLanguages)
{
    for (const int language : {kGerman, kEnglish}) {
        SCOPED_TRACE(language == kGerman ? "German" : "English");
        start(language);
        ASSERT_EQ(form->width(), 1280);
        const QRect window = form->rect();
        int buttons = 0;
        for (QToolBar *bar : toolBars()) {
            SCOPED_TRACE(bar->objectName().toStdString());
            EXPECT_FALSE(bar->isHidden());
            EXPECT_LE(bar->sizeHint().width(), bar->width());
            if (auto *extension = bar->findChild<QToolButton *>(u"qt_toolbar_ext_button"_s)) {
                EXPECT_FALSE(extension->isVisible());
            }
            for (QAction *a : bar->actions()) {
                if (a->isSeparator())
                    continue;
                QWidget *widget = bar->widgetForAction(a);
                ASSERT_NE(widget, nullptr) << a->objectName().toStdString();
                EXPECT_TRUE(widget->isVisible()) << a->objectName().toStdString();
                const QRect shown(widget->mapTo(form.get(), QPoint(0, 0)), widget->size());
                EXPECT_TRUE(window.contains(shown)) << a->objectName().toStdString();
                ++buttons;
            }
        }
        EXPECT_GT(buttons, 70);
        form.reset();
    }
}

TEST_F(ToolBarTest, everyToolButtonHasAFaceDrawnForDoubleScaleBothFromTheThemeAndBundled)
{
    start(kEnglish);
    int checked = 0;
    for (QToolBar *bar : toolBars()) {
        for (QAction *a : buttonActions(bar)) {
            // A command may share one action between a menu item and the button; the button
            // itself carries the button's name.
            const QString name = bar->widgetForAction(a)->objectName();
            expectSharpAtDoubleScale(a->icon(), bar->iconSize(), name);
            // The bundled drawing is what a machine without an icon theme shows.
            expectSharpAtDoubleScale(bundledToolButtonIcon(name), bar->iconSize(), name + u" bundled"_s);
            ++checked;
        }
    }
    EXPECT_GT(checked, 70);
    EXPECT_TRUE(toolButtonIcon(u"NoSuchButton"_s).isNull());
}

TEST_F(ToolBarTest, buttonsWithAStandardMeaningAskTheThemeByItsFreedesktopName)
{
    EXPECT_EQ(toolButtonThemeName(u"ToolButton1"_s), u"document-new"_s);
    EXPECT_EQ(toolButtonThemeName(u"BoldButton"_s), u"format-text-bold"_s);
    EXPECT_EQ(toolButtonThemeName(u"ToolButtonInsTable"_s), QString());
    // A theme that lacks the name leaves the bundled drawing in place.
    const QString before = QIcon::themeName();
    QIcon::setThemeName(u"korvel-no-such-theme"_s);
    const QImage themed = toolButtonIcon(u"ToolButton1"_s).pixmap(QSize(24, 24), 2.0).toImage();
    const QImage bundled = bundledToolButtonIcon(u"ToolButton1"_s).pixmap(QSize(24, 24), 2.0).toImage();
    QIcon::setThemeName(before);
    ASSERT_FALSE(bundled.isNull());
    EXPECT_EQ(themed, bundled);
}

TEST_F(ToolBarTest, theWordWrapSwitchChangesItsFaceAndStaysSharp)
{
    start(kGerman);
    auto *wrap = form->findChild<QAction *>(u"ToolButton3"_s);
    ASSERT_NE(wrap, nullptr);
    const QSize size(24, 24);
    const QImage first = wrap->icon().pixmap(size, 2.0).toImage();
    wrap->trigger();
    const QImage second = wrap->icon().pixmap(size, 2.0).toImage();
    EXPECT_NE(first, second);
    expectSharpAtDoubleScale(wrap->icon(), size, u"ToolButton3"_s);
    wrap->trigger();
    EXPECT_EQ(wrap->icon().pixmap(size, 2.0).toImage(), first);
}

TEST_F(ToolBarTest, aDesktopThemeThatHoldsTheIconIsUsedAndAlsoDrawnForDoubleScale)
{
    // The offscreen platform searches no system folder for themes; a desktop session does.
    const QString before = QIcon::themeName();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    QIcon::setThemeSearchPaths(searchPaths + QStringList{u"/usr/share/icons"_s});
    QIcon::setThemeName(u"Adwaita"_s);
    const auto restore = qScopeGuard([&] {
        QIcon::setThemeName(before);
        QIcon::setThemeSearchPaths(searchPaths);
    });
    if (!QIcon::hasThemeIcon(u"document-new"_s))
        GTEST_SKIP() << "no desktop icon theme with document-new on this machine";
    const QIcon themed = toolButtonIcon(u"ToolButton1"_s);
    const QSize size(24, 24);
    EXPECT_NE(themed.pixmap(size, 2.0).toImage(), bundledToolButtonIcon(u"ToolButton1"_s).pixmap(size, 2.0).toImage());
    expectSharpAtDoubleScale(themed, size, u"ToolButton1 themed"_s);
    // A button no standard name fits keeps its own drawing under any theme.
    EXPECT_EQ(toolButtonIcon(u"ToolButtonInsTable"_s).pixmap(size, 2.0).toImage(),
              bundledToolButtonIcon(u"ToolButtonInsTable"_s).pixmap(size, 2.0).toImage());
}
