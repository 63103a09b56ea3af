// Start-up and exit of the whole editor process on a private X server, beside a bare
// QApplication with one QWebEngineView (bareview.cpp) from the same run: the time from starting
// the process to its shown window's first idle moment (both print a ready line then), and the
// time from Alt+X on a saved document to the end of the process. Medians of five runs each.
// Needs Xvfb and xdotool; says so and ends when either is missing.
#include "xvfbsession.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using korvel::test::XvfbSession;

constexpr int kRuns = 5;

struct Run {
    double startMs = 0;
    double exitMs = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

std::optional<Run> runOnce(XvfbSession &x, const QString &program, const QStringList &arguments,
                           const QString &title)
{
    QProcess child;
    QProcessEnvironment env = x.programEnvironment();
    env.insert(QStringLiteral("KORVEL_REPORT_READY"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    child.setReadChannel(QProcess::StandardError);
    child.start(program, arguments);
    QByteArray said;
    const QDeadlineTimer deadline(60000);
    while (!said.contains("korvel: ready") && !deadline.hasExpired() && child.state() != QProcess::NotRunning) {
        child.waitForReadyRead(100);
        said += child.readAllStandardError();
    }
    Run run;
    run.startMs = double(clock.nsecsElapsed()) / 1e6;
    const auto fail = [&](const QString &why) -> std::optional<Run> {
        std::fprintf(stderr, "bench_startup: %s: %s\n", qPrintable(program), qPrintable(why));
        child.kill();
        child.waitForFinished(3000);
        return std::nullopt;
    };
    if (!said.contains("korvel: ready"))
        return fail(QStringLiteral("no ready line within 60 s"));

    // Whatever the start left to do (the engine starting up) is over before the exit is timed.
    QThread::msleep(1500);
    // The bare view's window is made again when its web view first draws, so the window is
    // looked up anew when it does not take the focus.
    bool focused = false;
    for (int attempt = 0; attempt < 5 && !focused; ++attempt) {
        const QString window = x.waitForWindow(child.processId(), title, 20000);
        focused = !window.isEmpty() && x.focusWindow(window, 2000);
    }
    if (!focused)
        return fail(x.error());
    clock.restart();
    x.xdotool({QStringLiteral("key"), QStringLiteral("alt+x")});
    if (!child.waitForFinished(20000))
        return fail(QStringLiteral("still running 20 s after Alt+X"));
    run.exitMs = double(clock.nsecsElapsed()) / 1e6;
    return run;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (!XvfbSession::toolsFound()) {
        std::printf("bench_startup: skipped, Xvfb or xdotool is not installed\n");
        return 0;
    }
    XvfbSession x;
    if (!x.start()) {
        std::fprintf(stderr, "bench_startup: %s\n", qPrintable(x.error()));
        return 1;
    }
    const QString document = x.workFolder() + QStringLiteral("/home/saved.html");
    QFile file(document);
    if (!file.open(QIODevice::WriteOnly)
        || file.write("<!DOCTYPE html>\r\n<html><head><title>Saved</title></head><body><p>A saved page.</p></body></html>\r\n") < 0)
        return 1;
    file.close();

    std::vector<double> editorStart, editorExit, bareStart, bareExit;
    for (int i = 0; i < kRuns; ++i) {
        // Alternated, so that a slow moment of the machine falls on both.
        const std::optional<Run> bare = runOnce(x, QStringLiteral(KORVEL_BAREVIEW), {}, QStringLiteral("Bare view"));
        const std::optional<Run> editor = runOnce(x, QStringLiteral(KORVEL_PROGRAM), {document}, QStringLiteral("Korvel"));
        if (!bare || !editor)
            return 1;
        bareStart.push_back(bare->startMs);
        bareExit.push_back(bare->exitMs);
        editorStart.push_back(editor->startMs);
        editorExit.push_back(editor->exitMs);
    }
    const double start = median(editorStart), reference = median(bareStart);
    std::printf("start-up to the shown, idle window (median of %d): korvel %.0f ms, bare QWebEngineView %.0f ms, "
                "ratio %.2f (goal 1.5 or less)\n",
                kRuns, start, reference, start / reference);
    std::printf("exit after Alt+X on a saved document (median of %d): korvel %.0f ms (goal 500 ms), bare "
                "QWebEngineView %.0f ms\n",
                kRuns, median(editorExit), median(bareExit));
    return 0;
}
