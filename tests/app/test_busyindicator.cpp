// The busy feedback of long operations: the busy pointer while a long command or a page change
// runs, the busy bar in the status bar after two seconds (or at once on a large page), and the
// normal pointer over a dialog the operation opens.
#include "app/busyindicator.h"
#include "app/commandregistry.h"
#include "app/mainform.h"
#include "app/settingsfile.h"
#include "editor/synmemo.h"
#include "scriptedprompter.h"

#include <QApplication>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QProgressBar>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

using namespace korvel;
using namespace Qt::StringLiterals;

namespace {

constexpr char kLongCommand[] = "test.long";
constexpr char kQuickCommand[] = "test.quick";

bool busyPointer()
{
    return QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
}

// Runs the event loop for a while, as an engine call waiting for its answer does.
void waitInEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

class BusyIndicatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile::remove(settingsFilePath(qEnvironmentVariable("KORVEL_DATA_DIR")));
        prompter.answerDialog([](QDialog &d) {
            d.findChild<QComboBox *>(u"ComboBox1"_s)->setCurrentIndex(1);
            return int(QDialog::Accepted);
        });
        form = std::make_unique<TMainForm>(prompter);
        form->setEngineVersionText(u"102.0.5005.177"_s);
        form->show();
        form->commands().markLong(kLongCommand);
        form->commands().add(kLongCommand).handle([this] { work(); });
        form->commands().add(kQuickCommand).handle([this] { work(); });
    }

    void TearDown() override
    {
        form->editor()->setModified(false);
        form->editor()->clearAll();
        form->close();
        form.reset();
        ASSERT_FALSE(busyPointer()) << "a busy pointer outlived its operation";
    }

    bool barShown() const
    {
        const auto *bar = form->statusBar()->findChild<QProgressBar *>(u"BusyProgress"_s);
        return bar && bar->isVisible();
    }

    test::ScriptedPrompter prompter;
    std::unique_ptr<TMainForm> form;
    std::function<void()> work = [] {};
};

TEST_F(BusyIndicatorTest, OnlyALongCommandShowsTheBusyPointerAndOnlyWhileItRuns)
{
    struct Case {
        const char *command;
        bool busy;
    };
    for (const Case c : {Case{kLongCommand, true}, Case{kQuickCommand, false}}) {
        bool busyInside = !c.busy;
        work = [&] { busyInside = busyPointer(); };
        form->commands().run(c.command);
        EXPECT_EQ(busyInside, c.busy) << c.command;
        EXPECT_FALSE(busyPointer()) << c.command;
    }
}

TEST_F(BusyIndicatorTest, ALongCommandWaitingInAnEventLoopShowsTheBusyBarAfterTwoSecondsUntilItEnds)
{
    bool shownEarly = true, shownLate = false;
    work = [&] {
        waitInEventLoop(BusyIndicator::ProgressDelayMs / 2);
        shownEarly = barShown();
        waitInEventLoop(BusyIndicator::ProgressDelayMs / 2 + 400);
        shownLate = barShown();
    };
    form->commands().run(kLongCommand);
    EXPECT_FALSE(shownEarly);
    EXPECT_TRUE(shownLate);
    EXPECT_FALSE(barShown());
}

TEST_F(BusyIndicatorTest, ALongCommandOnALargePageShowsTheBusyBarAtOnce)
{
    form->editor()->setText(QString(TMainForm::kLargePageLength, u'x'));
    bool shown = false;
    work = [&] { shown = barShown(); };
    form->commands().run(kLongCommand);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(barShown());
}

TEST_F(BusyIndicatorTest, ADialogOfALongCommandShowsTheNormalPointerAndTheBusyOneComesBackAfterIt)
{
    bool busyOverDialog = true, busyAfter = false;
    work = [&] {
        QDialog dialog(form.get());
        QTimer::singleShot(50, &dialog, [&] {
            busyOverDialog = busyPointer();
            dialog.accept();
        });
        dialog.exec();
        busyAfter = busyPointer();
    };
    form->commands().run(kLongCommand);
    EXPECT_FALSE(busyOverDialog);
    EXPECT_TRUE(busyAfter);
}

TEST_F(BusyIndicatorTest, APageChangeShowsTheBusyPointerWhileItRuns)
{
    bool busyInChange = false;
    QObject::connect(form->pageControl(), &QTabWidget::currentChanged, form.get(), [&] {
        waitInEventLoop(50);
        busyInChange = busyPointer();
    });
    form->setActivePage(1);
    EXPECT_TRUE(busyInChange);
    EXPECT_FALSE(busyPointer());
}

TEST_F(BusyIndicatorTest, AClickOnATabKeepsTheBusyPointerThroughEngineEventLoopsUntilTheWindowIsIdle)
{
    emit form->pageControl()->tabBar()->tabBarClicked(1);
    EXPECT_TRUE(busyPointer());
    bool busyInLoop = false;
    QTimer::singleShot(100, qApp, [&] { busyInLoop = busyPointer(); });
    waitInEventLoop(200);
    EXPECT_TRUE(busyInLoop) << "an event loop inside the change ended the busy pointer";
    const QDeadlineTimer deadline(2000);
    while (busyPointer() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(busyPointer());
}

} // namespace
