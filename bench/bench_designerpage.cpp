// The designer on pages of 1, 8 and 20 MB, step by step: writing the file the designer shows,
// loading it into the engine, serializing it, switching design mode on, taking the page back
// into the source (the splice, unchanged and after one typed word) and setting the text into
// the editor; then the whole round trip as the user makes it, beside the engine's own load and
// serialize of the same page in the same iteration (the counter `vs_engine` is their ratio).
#include "app/filecommands.h"
#include "app/mainform.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/sourcesplice.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>

#include "benchdocument.h"
#include "quietprompter.h"

#include <benchmark/benchmark.h>

#include <map>

#include <unistd.h>

using namespace korvel;

namespace {

QTemporaryDir *g_dir = nullptr;

constexpr int kLongWait = 300000;

// The generated page of this size as a file; its path.
QString PageFile(int megabytes)
{
    const QString path = g_dir->filePath(QStringLiteral("page%1.html").arg(megabytes));
    if (!QFile::exists(path)) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bench::DocumentOfMegabytes(bench::DocumentKind::Page, megabytes).toUtf8());
    }
    return path;
}

// A browser of its own, as the designer sets it up for a page of this size.
struct PlainBrowser {
    WebEngineBrowser browser;

    PlainBrowser()
    {
        browser.setCallTimeout(kLongWait);
        browser.view()->resize(1024, 768);
        browser.view()->show();
    }

    bool load(const QString &path)
    {
        browser.Navigate(path);
        return browser.waitUntilReady(kLongWait);
    }
};

// The engine's serialization of the page of this size as loaded, made once per run.
const QString &BaselineOf(int megabytes)
{
    static std::map<int, QString> baselines;
    auto it = baselines.find(megabytes);
    if (it == baselines.end()) {
        PlainBrowser plain;
        plain.load(PageFile(megabytes));
        const auto document = plain.browser.Document();
        it = baselines.emplace(megabytes, document ? document->serializedPage().value_or(QString()) : QString()).first;
    }
    return it->second;
}

// The baseline with a word typed in a paragraph near the middle of the page.
QString OneWordTyped(const QString &baseline)
{
    QString pulled = baseline;
    const qsizetype at = pulled.indexOf(QStringLiteral("Die Silben"), pulled.size() / 2);
    if (at >= 0)
        pulled.insert(at + 4, QStringLiteral("typed "));
    return pulled;
}

// A page written as the engine serializes it (lower-case tags, quoted attributes, line feeds,
// every element closed), so that it traces back to itself: its own baseline.
const QString &CleanPage(int megabytes)
{
    static std::map<int, QString> pages;
    auto it = pages.find(megabytes);
    if (it == pages.end()) {
        QString page = QStringLiteral("<html><head><title>Large page</title>\n"
                                      "<meta name=\"description\" content=\"long\"></head><body>\n");
        const qsizetype bytes = qsizetype(megabytes) << 20;
        page.reserve(bytes + 1024);
        for (int i = 0; page.size() < bytes; ++i) {
            page += QStringLiteral("<p class=\"text\">Paragraph %1 with <b>bold</b>, <i>italic</i> and a "
                                   "<a href=\"page%1.html\">link</a> in its text.</p>\n").arg(i);
            if (i % 10 == 0)
                page += QStringLiteral("<table border=\"1\"><tbody><tr><td>a%1</td><td>b</td></tr><tr><td>c</td>"
                                       "<td><img src=\"p%1.png\" width=\"10\" height=\"10\"></td></tr></tbody></table>\n")
                            .arg(i);
        }
        page += QStringLiteral("</body></html>");
        it = pages.emplace(megabytes, page).first;
    }
    return it->second;
}

void BM_WriteFile(benchmark::State &state, int megabytes)
{
    bench::QuietPrompter prompter;
    TMainForm form(prompter);
    const QString path = g_dir->filePath(QStringLiteral("write%1.html").arg(megabytes));
    QFile::copy(PageFile(megabytes), path);
    form.fileCommands().OpenDocumentFile(path);
    for (auto _ : state) {
        form.editor()->setModified(true);
        form.fileCommands().FileSave();
    }
    form.editor()->setModified(false);
    form.closeAsked = true;
}

void BM_EngineLoad(benchmark::State &state, int megabytes)
{
    PlainBrowser plain;
    const QString path = PageFile(megabytes);
    for (auto _ : state) {
        if (!plain.load(path))
            state.SkipWithError("the page did not load");
    }
}

void BM_EngineSerialize(benchmark::State &state, int megabytes)
{
    PlainBrowser plain;
    plain.load(PageFile(megabytes));
    const auto document = plain.browser.Document();
    for (auto _ : state) {
        if (!document || !document->serializedPage())
            state.SkipWithError("no serialization");
    }
}

// Design mode switched on a page just loaded, as the designer finds it.
void BM_DesignModeOn(benchmark::State &state, int megabytes)
{
    PlainBrowser plain;
    const QString path = PageFile(megabytes);
    for (auto _ : state) {
        state.PauseTiming();
        plain.load(path);
        const auto document = plain.browser.Document();
        state.ResumeTiming();
        if (!document || !document->setDesignMode(true)) {
            state.SkipWithError("no design mode");
            break;
        }
        state.PauseTiming();
        document->setDesignMode(false);
        state.ResumeTiming();
    }
}

// The same on a page whose source runs no script, as the designer marks it: the switch alone,
// then the design-time borders, and the switch off again.
void BM_DesignModeSwitch(benchmark::State &state, int megabytes)
{
    PlainBrowser plain;
    plain.load(PageFile(megabytes));
    plain.browser.documentRanNoScripts();
    const auto document = plain.browser.Document();
    for (auto _ : state) {
        if (!document || !document->setDesignMode(true) || !document->setDesignMode(false)) {
            state.SkipWithError("no design mode");
            break;
        }
    }
}

void BM_DesignBorders(benchmark::State &state, int megabytes)
{
    PlainBrowser plain;
    plain.load(PageFile(megabytes));
    plain.browser.documentRanNoScripts();
    const auto document = plain.browser.Document();
    if (!document || !document->setDesignMode(true)) {
        state.SkipWithError("no design mode");
        return;
    }
    for (auto _ : state) {
        if (!document->Exec(2328, true) || !document->Exec(2328, false)) {
            state.SkipWithError("no borders");
            break;
        }
    }
}

void BM_SpliceUnchanged(benchmark::State &state, int megabytes)
{
    const QString &source = bench::DocumentOfMegabytes(bench::DocumentKind::Page, megabytes);
    const QString &baseline = BaselineOf(megabytes);
    for (auto _ : state) {
        const auto spliced = SplicePulledPage(source, baseline, baseline, CharacterRepertoire::Unicode);
        if (!spliced || *spliced != source)
            state.SkipWithError("the unchanged page did not give the source back");
    }
}

// A word typed in the middle of a page that traces back to its source (the generated page
// above does not everywhere: the engine moves some of its stray text).
void BM_SpliceOneWord(benchmark::State &state, int megabytes)
{
    const QString &source = CleanPage(megabytes);
    const QString &baseline = source;
    QString pulled = baseline;
    pulled.insert(pulled.indexOf(QStringLiteral(" with "), pulled.size() / 2), QStringLiteral(" typed"));
    for (auto _ : state) {
        if (!SplicePulledPage(source, baseline, pulled, CharacterRepertoire::Unicode))
            state.SkipWithError("the page could not be spliced");
    }
}

void BM_EditorSetText(benchmark::State &state, int megabytes)
{
    bench::QuietPrompter prompter;
    TMainForm form(prompter);
    const QString &source = bench::DocumentOfMegabytes(bench::DocumentKind::Page, megabytes);
    const QString other = OneWordTyped(source);
    bool flip = false;
    for (auto _ : state) {
        form.editor()->setText((flip = !flip) ? other : source);
    }
    form.editor()->setModified(false);
    form.closeAsked = true;
}

// The round trip as the user makes it: the source page goes to the designer (the file is
// written and loaded), design mode is switched on (and the page saved), and the page comes
// back into the source. Each iteration also loads and serializes the page in a browser of its
// own, the reference the round trip is measured against.
void BM_RoundTrip(benchmark::State &state, int megabytes)
{
    bench::QuietPrompter prompter;
    TMainForm form(prompter);
    DesignerController designer(form);
    form.show();
    const QString path = g_dir->filePath(QStringLiteral("roundtrip%1.html").arg(megabytes));
    QFile::copy(PageFile(megabytes), path);
    form.fileCommands().OpenDocumentFile(path);
    const QString before = form.editor()->text();
    PlainBrowser reference;
    double tripMs = 0, engineMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        form.setActivePage(1);
        if (!designer.browser().waitUntilReady(kLongWait)) {
            state.SkipWithError("the page did not load");
            break;
        }
        QCoreApplication::processEvents();
        form.action(QStringLiteral("BrowserEditmode1"))->trigger();
        form.setActivePage(0);
        tripMs += double(clock.nsecsElapsed()) / 1e6;

        state.PauseTiming();
        clock.restart();
        reference.load(path);
        const auto document = reference.browser.Document();
        if (!document || !document->serializedPage()) {
            state.SkipWithError("no reference serialization");
            break;
        }
        engineMs += double(clock.nsecsElapsed()) / 1e6;
        state.ResumeTiming();
    }
    if (form.editor()->text().size() < before.size() && !state.error_occurred())
        state.SkipWithError("the page did not come back");
    state.counters["vs_engine"] = engineMs > 0 ? tripMs / engineMs : 0;
    state.counters["engine_ms"] = engineMs / double(state.iterations());
    form.editor()->setModified(false);
    form.closeAsked = true;
    form.close();
}

void Register()
{
    struct Size {
        int megabytes;
        int iterations;
    };
    for (const Size size : {Size{1, 3}, Size{8, 1}, Size{20, 1}}) {
        const int mb = size.megabytes;
        const auto add = [&](const char *name, void (*fn)(benchmark::State &, int)) {
            benchmark::RegisterBenchmark(QStringLiteral("%1/%2MB").arg(QLatin1String(name)).arg(mb).toUtf8().constData(),
                                         [fn, mb](benchmark::State &state) { fn(state, mb); })
                ->Unit(benchmark::kMillisecond)
                ->Iterations(size.iterations)
                ->UseRealTime();
        };
        add("BM_WriteFile", BM_WriteFile);
        add("BM_EngineLoad", BM_EngineLoad);
        add("BM_EngineSerialize", BM_EngineSerialize);
        add("BM_DesignModeOn", BM_DesignModeOn);
        add("BM_DesignModeSwitch", BM_DesignModeSwitch);
        add("BM_DesignBorders", BM_DesignBorders);
        add("BM_SpliceUnchanged", BM_SpliceUnchanged);
        add("BM_SpliceOneWord", BM_SpliceOneWord);
        add("BM_EditorSetText", BM_EditorSetText);
        add("BM_RoundTrip", BM_RoundTrip);
    }
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The engine refuses its sandbox when run as root.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-background-networking --disable-component-update");
    QTemporaryDir dataDir;
    qputenv("KORVEL_DATA_DIR", dataDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    QTemporaryDir dir;
    g_dir = &dir;
    Register();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_dir = nullptr;
    return 0;
}
