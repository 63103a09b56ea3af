// The designer on large pages: loading and serializing through the engine, and the text work of
// taking the page back into the source view.
#include "app/filecommands.h"
#include "app/mainform.h"
#include "designer/designercontroller.h"
#include "editor/synmemo.h"
#include "designer/engine.h"
#include "designer/pulledpage.h"
#include "designer/selectioncarry.h"
#include "designer/sourcesplice.h"
#include "designer/webenginebrowser.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QWebEngineView>

#include "quietprompter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include <unistd.h>

using namespace korvel;

namespace {

// A page of about `bytes` characters: paragraphs with inline markup, tables and pictures.
QString GeneratePage(qsizetype bytes)
{
    QString page = QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">\r\n"
                                  "<html><head><title>Large page</title>\r\n"
                                  "<meta name=\"generator\" content=\"Other\"></head>\r\n<body>\r\n");
    page.reserve(bytes + 1024);
    for (int i = 0; page.size() < bytes; ++i) {
        page += QStringLiteral("<p class=\"text\">Paragraph %1 with <b>bold</b>, <i>italic</i> and a "
                               "<a href=\"page%1.html\">link</a> in its text.</p>\r\n").arg(i);
        if (i % 10 == 0)
            page += QStringLiteral("<table border=\"1\"><tr><td>a%1</td><td>b</td></tr>"
                                   "<tr><td>c</td><td><img src=\"p%1.png\" width=\"10\" height=\"10\"></td></tr></table>\r\n")
                        .arg(i);
    }
    page += QStringLiteral("</body></html>\r\n");
    return page;
}

struct Fixture {
    QTemporaryDir dir;
    QString path;
    WebEngineBrowser browser;

    Fixture()
    {
        path = dir.filePath(QStringLiteral("large.html"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(GeneratePage(1 << 20).toUtf8());
        browser.setCallTimeout(30000);
        browser.view()->resize(1024, 768);
        browser.view()->show();
    }
};

Fixture *g_fixture = nullptr;

void BM_EngineLoad1MB(benchmark::State &state)
{
    for (auto _ : state) {
        g_fixture->browser.Navigate(g_fixture->path);
        if (!g_fixture->browser.waitUntilReady(60000))
            state.SkipWithError("the page did not load");
    }
}
BENCHMARK(BM_EngineLoad1MB)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_EngineSerialize1MB(benchmark::State &state)
{
    g_fixture->browser.Navigate(g_fixture->path);
    g_fixture->browser.waitUntilReady(60000);
    const auto document = g_fixture->browser.Document();
    qsizetype size = 0;
    for (auto _ : state) {
        const auto page = document ? document->serializedPage() : std::nullopt;
        if (!page) {
            state.SkipWithError("no serialization");
            break;
        }
        size = page->size();
    }
    state.counters["chars"] = double(size);
}
BENCHMARK(BM_EngineSerialize1MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EngineSerializeDesignMode1MB(benchmark::State &state)
{
    g_fixture->browser.Navigate(g_fixture->path);
    g_fixture->browser.waitUntilReady(60000);
    const auto document = g_fixture->browser.Document();
    if (!document || !document->setDesignMode(true) || !document->Exec(2328, true)) {
        state.SkipWithError("no design mode");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(document->serializedPage());
    document->setDesignMode(false);
}
BENCHMARK(BM_EngineSerializeDesignMode1MB)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_PulledPageText(benchmark::State &state)
{
    const QString source = GeneratePage(state.range(0));
    QString html = source.mid(source.indexOf(QStringLiteral("<html>")));
    for (auto _ : state)
        benchmark::DoNotOptimize(PulledPageText(source, html));
    state.SetBytesProcessed(state.iterations() * html.size());
}
BENCHMARK(BM_PulledPageText)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

// A 1 MB page taken back after one typed word: the engine's serialization of the page as
// loaded, and that serialization with the word in a paragraph in the middle of the page.
struct PullTexts {
    QString source;
    QString baseline;
    QString pulled;
};

const PullTexts &OneWordTyped()
{
    static const PullTexts texts = [] {
        PullTexts t;
        t.source = GeneratePage(1 << 20);
        g_fixture->browser.Navigate(g_fixture->path);
        g_fixture->browser.waitUntilReady(60000);
        const auto document = g_fixture->browser.Document();
        t.baseline = document ? document->serializedPage().value_or(QString()) : QString();
        t.pulled = t.baseline;
        const qsizetype at = t.pulled.indexOf(QStringLiteral("Paragraph 3000 with"));
        if (at >= 0)
            t.pulled.insert(at + 10, QStringLiteral("typed "));
        return t;
    }();
    return texts;
}

// The pull as it was: the whole serialization becomes the source.
void BM_PullWholePage1MB(benchmark::State &state)
{
    const PullTexts &texts = OneWordTyped();
    for (auto _ : state)
        benchmark::DoNotOptimize(PulledPageText(texts.source, texts.pulled));
    state.SetBytesProcessed(state.iterations() * texts.source.size());
}
BENCHMARK(BM_PullWholePage1MB)->Unit(benchmark::kMillisecond);

// The pull now: the typed word spliced into the source (scan, alignment, splice and its check).
void BM_PullSplice1MB(benchmark::State &state)
{
    const PullTexts &texts = OneWordTyped();
    if (!SplicePulledPage(texts.source, texts.baseline, texts.pulled, CharacterRepertoire::Unicode)) {
        state.SkipWithError("the page could not be spliced");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(SplicePulledPage(texts.source, texts.baseline, texts.pulled, CharacterRepertoire::Unicode));
    state.SetBytesProcessed(state.iterations() * texts.source.size());
}
BENCHMARK(BM_PullSplice1MB)->Unit(benchmark::kMillisecond);

void BM_FramesetSourceText(benchmark::State &state)
{
    const QString source = GeneratePage(state.range(0));
    for (auto _ : state)
        benchmark::DoNotOptimize(FramesetSourceText(source));
    state.SetBytesProcessed(state.iterations() * source.size());
}
BENCHMARK(BM_FramesetSourceText)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_PlaceSelectionInSource(benchmark::State &state)
{
    const QString source = GeneratePage(state.range(0));
    DesignerSelectionSnapshot snapshot;
    // Near the end of the page, and not there at all: the searches run over the whole text.
    snapshot.SelText = QStringLiteral("nowhere in the page");
    snapshot.SelHtml = QStringLiteral("nowhere <b>in</b> the page");
    snapshot.SelParentHtml = QStringLiteral("<p>nowhere <b>in</b> the page</p>");
    snapshot.SelSourceIndex = 90;
    snapshot.ElementCount = 100;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlaceSelectionInSource(source, snapshot));
    state.SetBytesProcessed(state.iterations() * source.size());
}
BENCHMARK(BM_PlaceSelectionInSource)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);


// The whole round trip as the user makes it: the source page goes to the designer (the file is
// written and loaded), design mode is switched on, and the page comes back into the source
// (serialized, doctype and generator meta set, file written, design mode off).
void BM_RoundTrip1MB(benchmark::State &state)
{
    bench::QuietPrompter prompter;
    TMainForm form(prompter);
    DesignerController designer(form);
    form.show();
    designer.browser().setCallTimeout(60000);
    const QString path = g_fixture->dir.filePath(QStringLiteral("roundtrip.html"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(GeneratePage(1 << 20).toUtf8());
    file.close();
    form.fileCommands().OpenDocumentFile(path);
    QElapsedTimer trips;
    trips.start();
    for (auto _ : state) {
        form.setActivePage(1);
        if (!designer.browser().waitUntilReady(60000))
            state.SkipWithError("the page did not load");
        form.action(QStringLiteral("BrowserEditmode1"))->trigger();
        form.setActivePage(0);
    }
    const double roundTripMs = double(trips.elapsed()) / double(std::max<benchmark::IterationCount>(state.iterations(), 1));
    if (form.editor()->text().size() < (1 << 20) / 2)
        state.SkipWithError("the page did not come back");
    // The reference from the same run: the engine's own load and serialization of the page,
    // without any of the designer's steps (the median of three); the round trip as a multiple
    // of it.
    std::vector<double> engineRuns;
    bool serialized = true;
    for (int run = 0; run < 3 && serialized; ++run) {
        QElapsedTimer engine;
        engine.start();
        g_fixture->browser.Navigate(path);
        const bool loaded = g_fixture->browser.waitUntilReady(60000);
        const auto document = g_fixture->browser.Document();
        serialized = loaded && document && document->serializedPage().has_value();
        engineRuns.push_back(double(engine.elapsed()));
    }
    std::sort(engineRuns.begin(), engineRuns.end());
    const double engineMs = engineRuns[engineRuns.size() / 2];
    if (serialized) {
        state.counters["engine_ms"] = engineMs;
        state.counters["x_engine"] = roundTripMs / engineMs;
    }
    form.editor()->setModified(false);
    form.closeAsked = true;
    form.close();
}
BENCHMARK(BM_RoundTrip1MB)->Unit(benchmark::kMillisecond)->Iterations(3);

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
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_fixture = nullptr;
    return 0;
}
