// The whole editor on a private X server, driven by key presses as a person would: the
// designer page must keep the main window (and with it the keyboard focus), and the keys of
// design mode, saving, going back and leaving must work right after Ctrl+PgDown. Skipped when
// Xvfb or xdotool is missing.
#include "xvfbsession.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>

namespace korvel::test {
namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DesktopKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!XvfbSession::toolsFound())
            GTEST_SKIP() << "Xvfb or xdotool is not installed";
        ASSERT_TRUE(x.start()) << qPrintable(x.error());
        page = x.workFolder() + QStringLiteral("/home/page.html");
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<html><body><p>Hello</p></body></html>");
        file.close();
        editor.setProcessEnvironment(x.programEnvironment());
        editor.setProcessChannelMode(QProcess::ForwardedChannels);
        editor.start(QStringLiteral(KORVEL_PROGRAM), {page});
        ASSERT_TRUE(editor.waitForStarted(10000));
        window = x.waitForWindow(editor.processId(), QStringLiteral("page.html"), 60000);
        ASSERT_FALSE(window.isEmpty()) << qPrintable(x.error());
        ASSERT_TRUE(x.focusWindow(window)) << qPrintable(x.error());
        // The pointer away from the window, so no tool tip opens a window of its own.
        x.xdotool({QStringLiteral("mousemove"), QStringLiteral("0"), QStringLiteral("0")});
    }

    void TearDown() override
    {
        if (editor.state() != QProcess::NotRunning) {
            editor.kill();
            editor.waitForFinished(5000);
        }
    }

    void key(const char *keys) { x.xdotool({QStringLiteral("key"), QString::fromLatin1(keys)}); }

    QStringList windowsOfEditor()
    {
        return x.xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                          QString::number(editor.processId())}).split(u'\n', Qt::SkipEmptyParts);
    }

    // The first show of the web view must leave the main window as it was: a new native window
    // would come without the keyboard focus, and every key after it would be lost.
    void expectWindowKeptForAWhile(int ms)
    {
        const QDeadlineTimer deadline(ms);
        while (!deadline.hasExpired()) {
            ASSERT_EQ(windowsOfEditor(), QStringList{window}) << "the main window was made again";
            ASSERT_EQ(x.xdotool({QStringLiteral("getwindowfocus")}).trimmed(), window)
                << "the main window lost the keyboard focus";
            QThread::msleep(100);
        }
    }

    void expectExitWithin(int ms)
    {
        ASSERT_TRUE(editor.waitForFinished(ms)) << "the editor still runs " << ms << " ms after Alt+X";
        EXPECT_EQ(editor.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(editor.exitCode(), 0);
    }

    XvfbSession x;
    QProcess editor;
    QString page;
    QString window;
};

TEST_F(DesktopKeys, CtrlEAfterCtrlPgDownSwitchesDesignModeOnSoThatTypedTextIsSavedWithCtrlS)
{
    key("ctrl+Next");
    expectWindowKeptForAWhile(3000);
    if (HasFatalFailure())
        return;

    // Ctrl+E does nothing until the designer has loaded the page, and typing changes a page only
    // in design mode; so each try presses Ctrl+E once and then types and saves a few times.
    bool saved = false;
    const QDeadlineTimer deadline(90000);
    while (!saved && !deadline.hasExpired()) {
        key("ctrl+e");
        for (int round = 0; round < 6 && !saved; ++round) {
            key("ctrl+a");
            key("End");
            x.xdotool({QStringLiteral("type"), QStringLiteral(" typed")});
            key("ctrl+s");
            const QDeadlineTimer written(1000);
            while (!saved && !written.hasExpired()) {
                saved = readAll(page).contains("Hello typed");
                QThread::msleep(50);
            }
        }
    }
    ASSERT_TRUE(saved) << "no text typed in design mode reached the file: " << readAll(page).constData();

    // Back to the source, saved there, and closed with Alt+X without a question.
    key("ctrl+Prior");
    QThread::msleep(500);
    key("ctrl+s");
    QThread::msleep(500);
    key("alt+x");
    expectExitWithin(15000);
    EXPECT_TRUE(readAll(page).contains("Hello typed")) << readAll(page).constData();
}

TEST_F(DesktopKeys, CtrlPgUpAndAltXWorkAfterCtrlPgDownWithDesignModeOff)
{
    key("ctrl+Next");
    expectWindowKeptForAWhile(3000);
    if (HasFatalFailure())
        return;
    key("ctrl+Prior");
    key("alt+x");
    expectExitWithin(15000);
    EXPECT_EQ(readAll(page), QByteArray("<html><body><p>Hello</p></body></html>"));
}

} // namespace
} // namespace korvel::test
