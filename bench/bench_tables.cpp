// The table commands on large tables and pages: a merge, a split and their Undo on a 200 x 20
// table in the designer (each a snapshot read, a grid operation and a write back), and the
// source-side table functions on a 1 MB page with 5,000 tables, the caret in the last one.
#include "app/commandids.h"
#include "app/commandregistry.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "designer/designercontroller.h"
#include "designer/engine.h"
#include "designer/webenginebrowser.h"
#include "editor/synmemo.h"
#include "tables/sourcemerge.h"
#include "tables/tablecommands.h"
#include "tables/tablesource.h"
#include "tables/tableundo.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "quietprompter.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

using namespace korvel;

namespace {

constexpr int kRows = 200;
constexpr int kColumns = 20;

// A table of 200 rows of 20 cells; the first cell of every tenth row spans two rows.
QString LargeTablePage()
{
    QString page = QStringLiteral("<html><head><title>Large table</title></head><body>\r\n<table border=\"1\">\r\n");
    for (int r = 0; r < kRows; ++r) {
        page += QStringLiteral("<tr>");
        for (int c = 0; c < kColumns; ++c) {
            if (c == 0 && r % 10 == 1)
                continue; // covered by the cell above
            const bool spans = c == 0 && r % 10 == 0;
            page += QStringLiteral("<td id=\"c%1_%2\"%3>cell %1.%2</td>")
                        .arg(r)
                        .arg(c)
                        .arg(spans ? QStringLiteral(" rowspan=\"2\"") : QString());
        }
        page += QStringLiteral("</tr>\r\n");
    }
    page += QStringLiteral("</table>\r\n</body></html>\r\n");
    return page;
}

// About 1 MB: 5,000 small tables between paragraphs.
QString ManyTablesPage()
{
    QString page = QStringLiteral("<html><head><title>Tables</title></head><body>\r\n");
    for (int i = 0; i < 5000; ++i)
        page += QStringLiteral("<p>Table %1 follows.</p>\r\n<table border=\"1\">\r\n<tr><td>a%1</td><td>b%1</td>"
                               "<td colspan=\"2\">c%1</td></tr>\r\n<tr><td>d</td><td>e</td><td>f</td><td>g</td></tr>\r\n"
                               "</table>\r\n")
                    .arg(i);
    page += QStringLiteral("</body></html>\r\n");
    return page;
}

struct Designer {
    QTemporaryDir dir;
    bench::QuietPrompter prompter;
    TMainForm form{prompter};
    DesignerController designer{form};
    TableCommands tables{form, designer};

    Designer()
    {
        form.show();
        designer.browser().setCallTimeout(60000);
        const QString path = dir.filePath(QStringLiteral("table.html"));
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(LargeTablePage().toUtf8());
        file.close();
        form.fileCommands().OpenDocumentFile(path);
        form.setActivePage(1);
        designer.browser().waitUntilReady(60000);
    }
    ~Designer()
    {
        form.editor()->setModified(false);
        form.closeAsked = true;
        form.close();
    }

    // The selection a person makes: from the start of one cell's text to the end of another's.
    bool select(const QString &from, const QString &to)
    {
        const QString code = QStringLiteral(
            "(function () { const a = document.getElementById('%1').firstChild, b = document.getElementById('%2').firstChild;"
            " const r = document.createRange(); r.setStart(a, 0); r.setEnd(b, b.length);"
            " const s = document.getSelection(); s.removeAllRanges(); s.addRange(r); return true; })()")
                                 .arg(from, to);
        QEventLoop loop;
        bool done = false;
        designer.browser().view()->page()->runJavaScript(code, QWebEngineScript::ApplicationWorld,
                                                         [&](const QVariant &) { done = true; loop.quit(); });
        QTimer::singleShot(5000, &loop, &QEventLoop::quit);
        if (!done)
            loop.exec();
        return done;
    }

    qsizetype pageSize()
    {
        const auto page = designer.browser().Document();
        const auto html = page ? page->serializedPage() : std::nullopt;
        return html ? html->size() : 0;
    }
};

Designer *g_designer = nullptr;

// One change timed, the Undo that restores the table not.
void TimeChange(benchmark::State &state, const QString &from, const QString &to, const char *command)
{
    Designer &d = *g_designer;
    const qsizetype before = d.pageSize();
    for (auto _ : state) {
        state.PauseTiming();
        d.select(from, to);
        state.ResumeTiming();
        d.form.commands().run(command);
        state.PauseTiming();
        if (d.tables.undoSteps().size() != 1)
            state.SkipWithError("the change was not made");
        d.form.commands().run(cmd::Undo);
        state.ResumeTiming();
    }
    if (d.pageSize() != before)
        state.SkipWithError("Undo did not restore the page");
    state.counters["page chars"] = double(before);
}

void BM_DesignerMerge200x20(benchmark::State &state)
{
    TimeChange(state, QStringLiteral("c100_4"), QStringLiteral("c100_6"), cmd::MergeCells);
}
BENCHMARK(BM_DesignerMerge200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DesignerSplit200x20(benchmark::State &state)
{
    // A cell of one column: the split widens a cell in each of the other 199 rows.
    TimeChange(state, QStringLiteral("c100_4"), QStringLiteral("c100_4"), cmd::SplitCell);
}
BENCHMARK(BM_DesignerSplit200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_DesignerUndoOfMerge200x20(benchmark::State &state)
{
    Designer &d = *g_designer;
    for (auto _ : state) {
        state.PauseTiming();
        d.select(QStringLiteral("c100_4"), QStringLiteral("c100_6"));
        d.form.commands().run(cmd::MergeCells);
        state.ResumeTiming();
        d.form.commands().run(cmd::Undo);
    }
    if (d.tables.undoSteps().size() != 0)
        state.SkipWithError("Undo did not take the merge back");
}
BENCHMARK(BM_DesignerUndoOfMerge200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

// Where the time of a change goes: the engine calls it is made of, on the same table.
std::optional<HtmlElement> FirstTable()
{
    const auto page = g_designer->designer.browser().Document();
    const auto body = page ? page->body() : std::nullopt;
    return body ? body->collection(QStringLiteral("children")).item(0) : std::nullopt;
}

void BM_EngineTableSnapshotRead200x20(benchmark::State &state)
{
    const auto table = FirstTable();
    for (auto _ : state) {
        if (!table || !table->tableSnapshot()) {
            state.SkipWithError("no snapshot");
            break;
        }
    }
}
BENCHMARK(BM_EngineTableSnapshotRead200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EngineTableSnapshotWrite200x20(benchmark::State &state)
{
    const auto table = FirstTable();
    const auto snapshot = table ? table->tableSnapshot() : std::nullopt;
    for (auto _ : state) {
        if (!snapshot || !table->applyTableSnapshot(*snapshot)) {
            state.SkipWithError("not written");
            break;
        }
    }
}
BENCHMARK(BM_EngineTableSnapshotWrite200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_EngineSerializePage200x20(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(g_designer->pageSize());
}
BENCHMARK(BM_EngineSerializePage200x20)->Unit(benchmark::kMillisecond)->Iterations(10);

// ---- the source side ---------------------------------------------------------------------------

struct SourcePage {
    QString text = ManyTablesPage();
    // In the text of the last table's first cell, and the last table's first two cells.
    qsizetype caret = text.lastIndexOf(QStringLiteral("<td>a4999")) + 5;
    TextSelection cells{text.lastIndexOf(QStringLiteral("<td>a4999")),
                        qsizetype(QStringLiteral("<td>a4999</td><td>b4999</td>").size())};
};

const SourcePage &Source()
{
    static const SourcePage page;
    return page;
}

template <typename F>
void TimeSource(benchmark::State &state, F function)
{
    const SourcePage &page = Source();
    for (auto _ : state)
        benchmark::DoNotOptimize(function(page));
    state.SetBytesProcessed(state.iterations() * page.text.size());
}

void BM_SourceSelectEnclosingTable(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) { return SelectEnclosingTag(p.text, {p.caret, 0}, u"table").range; });
}
BENCHMARK(BM_SourceSelectEnclosingTable)->Unit(benchmark::kMillisecond);

void BM_SourceDeleteEnclosingCell(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) { return DeleteEnclosingElement(p.text, {p.caret, 0}, u"td"); });
}
BENCHMARK(BM_SourceDeleteEnclosingCell)->Unit(benchmark::kMillisecond);

void BM_SourceInsertRow(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) { return InsertRowInSource(p.text, {p.caret, 0}, InsertPlace::Behind); });
}
BENCHMARK(BM_SourceInsertRow)->Unit(benchmark::kMillisecond);

void BM_SourceInsertCell(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) { return InsertCellInSource(p.text, {p.caret, 0}); });
}
BENCHMARK(BM_SourceInsertCell)->Unit(benchmark::kMillisecond);

void BM_SourceMergeCells(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) { return MergeCellsInSource(p.text, p.cells).edit; });
}
BENCHMARK(BM_SourceMergeCells)->Unit(benchmark::kMillisecond);

void BM_SourceSplitCell(benchmark::State &state)
{
    TimeSource(state, [](const SourcePage &p) {
        return SplitCellInSource(p.text, {p.cells.start, qsizetype(QStringLiteral("<td>a4999</td>").size())}).edit;
    });
}
BENCHMARK(BM_SourceSplitCell)->Unit(benchmark::kMillisecond);

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
    Designer designer;
    g_designer = &designer;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_designer = nullptr;
    return 0;
}
