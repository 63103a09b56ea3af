// Opening, saving and taking the whole text of large pages in the source view, as the file
// commands and every whole-text command do.
#include "app/documentfile.h"
#include "app/filecommands.h"
#include "app/mainform.h"
#include "benchdocument.h"
#include "editor/synmemo.h"
#include "quietprompter.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace korvel;

namespace {


struct Fixture {
    QTemporaryDir dir;
    bench::QuietPrompter prompter;
    TMainForm form{prompter};

    QString page(qsizetype bytes)
    {
        const QString path = dir.filePath(QStringLiteral("page%1.html").arg(bytes));
        if (!QFile::exists(path)) {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write(bench::GenerateDocument(bench::DocumentKind::Page, bytes).toUtf8());
        }
        return path;
    }
};

Fixture *g_fixture = nullptr;

void BM_OpenDocument(benchmark::State &state)
{
    const QString path = g_fixture->page(state.range(0));
    for (auto _ : state)
        g_fixture->form.fileCommands().OpenDocumentFile(path);
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_OpenDocument)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

void BM_SaveDocument(benchmark::State &state)
{
    const QString path = g_fixture->page(state.range(0));
    g_fixture->form.fileCommands().OpenDocumentFile(path);
    for (auto _ : state) {
        g_fixture->form.editor()->setModified(true);
        g_fixture->form.fileCommands().FileSave();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SaveDocument)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

// Every whole-text command reads the text and puts a new one back.
void BM_ReplaceWholeText(benchmark::State &state)
{
    const QString path = g_fixture->page(state.range(0));
    g_fixture->form.fileCommands().OpenDocumentFile(path);
    for (auto _ : state) {
        const QString text = g_fixture->form.editor()->text();
        g_fixture->form.editor()->setText(text);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReplaceWholeText)->Arg(1 << 20)->Arg(8 << 20)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir dataDir;
    qputenv("KORVEL_DATA_DIR", dataDir.path().toLocal8Bit());
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fixture fixture;
    fixture.form.show();
    g_fixture = &fixture;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    fixture.form.editor()->setModified(false);
    fixture.form.closeAsked = true;
    fixture.form.close();
    g_fixture = nullptr;
    return 0;
}
