// The whole-text commands of the source view on generated documents of 1 MB and 8 MB. Each
// must take about eight times as long on the larger document.
//
//   bench_source [benchmark options]
//   bench_source --write-document=FILE[:MEGABYTES]   writes the page document (UTF-8) and
//                                                    ends, for timing other tools on the same text
#include "benchdocument.h"

#include "source/checkhtml.h"
#include "source/hyphenation.h"
#include "source/search.h"
#include "source/texthelpers.h"
#include "source/transformations.h"

#include <QFile>
#include <QHash>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <cstring>

using namespace korvel;

namespace {

QString EnglishLine(int line)
{
    static const QHash<int, QString> lines = {
        {12, QStringLiteral(" closing Tag missing.")}, {13, QStringLiteral("For")},
        {14, QStringLiteral("missing")}, {16, QStringLiteral(" redundant")},
        {17, QStringLiteral(" deleted.")}, {32, QStringLiteral("Code check finished.")},
    };
    return lines.value(line);
}

// Arguments: the size in megabytes, then the kind of document (0 a page, 1 dense markup).
const QString &Document(const benchmark::State &state)
{
    return bench::DocumentOfMegabytes(state.range(1) == 0 ? bench::DocumentKind::Page : bench::DocumentKind::Dense,
                                      int(state.range(0)));
}

void Sizes(benchmark::internal::Benchmark *b)
{
    b->ArgNames({"MB", "dense"});
    for (int kind : {0, 1}) {
        for (int megabytes : {1, 8})
            b->Args({megabytes, kind});
    }
    b->Unit(benchmark::kMillisecond);
}

void Finish(benchmark::State &state)
{
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Document(state).size()));
}

void RemoveLineFeedsBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state) {
        QString saved;
        benchmark::DoNotOptimize(RemoveLineFeeds(text, saved));
    }
    Finish(state);
}

void InsertLineFeedsBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state) {
        QString saved;
        benchmark::DoNotOptimize(InsertLineFeeds(text, saved));
    }
    Finish(state);
}

void RemoveHyphenationBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(RemoveHyphenation(text));
    Finish(state);
}

void ReplaceUmlautsBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplaceUmlauts(text));
    Finish(state);
}

void MakeStringVariableBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(MakeStringVariable(text));
    Finish(state);
}

void CheckHtmlBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHtml(text, EnglishLine));
    Finish(state);
}

// As a file is checked: the UTF-8 bytes decoded, checked, and encoded again.
void CheckHtmlUtf8Bench(benchmark::State &state)
{
    const QByteArray bytes = Document(state).toUtf8();
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckHtml(QString::fromUtf8(bytes), EnglishLine).text.toUtf8());
    Finish(state);
}

void ReplaceAllBench(benchmark::State &state)
{
    const QString &text = Document(state);
    const bool matchCase = state.range(2) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReplaceAll(text, QStringLiteral("<td"), QStringLiteral("<th"), matchCase));
    Finish(state);
}

void CompactHtmlBench(benchmark::State &state)
{
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(CompactHtml(text));
    Finish(state);
}

void FindTextWholeWordBench(benchmark::State &state)
{
    // "able" occurs in every "table", but never as a whole word: the search walks the whole text.
    const QString &text = Document(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(FindText(text, QStringLiteral("able"), 0, text.size(), true, false));
    Finish(state);
}

int WriteDocument(const char *argument)
{
    QString target = QString::fromLocal8Bit(argument);
    int megabytes = 8;
    const qsizetype colon = target.lastIndexOf(QLatin1Char(':'));
    if (colon > 0) {
        bool ok = false;
        const int n = target.mid(colon + 1).toInt(&ok);
        if (ok && n > 0) {
            megabytes = n;
            target.truncate(colon);
        }
    }
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bench::DocumentOfMegabytes(bench::DocumentKind::Page, megabytes).toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", argument);
        return 1;
    }
    return 0;
}

} // namespace

BENCHMARK(RemoveLineFeedsBench)->Name("RemoveLineFeeds")->Apply(Sizes);
BENCHMARK(InsertLineFeedsBench)->Name("InsertLineFeeds")->Apply(Sizes);
BENCHMARK(RemoveHyphenationBench)->Name("RemoveHyphenation")->Apply(Sizes);
BENCHMARK(ReplaceUmlautsBench)->Name("ReplaceUmlauts")->Apply(Sizes);
BENCHMARK(MakeStringVariableBench)->Name("MakeStringVariable")->Apply(Sizes);
BENCHMARK(CheckHtmlBench)->Name("CheckHtml")->Apply(Sizes);
BENCHMARK(CheckHtmlUtf8Bench)->Name("CheckHtmlUtf8")->Apply(Sizes);
// The page the batch program is measured on: tens of megabytes, where every megabyte of fresh
// memory a step takes shows in its time.
BENCHMARK(CheckHtmlBench)->Name("CheckHtmlLarge")->ArgNames({"MB", "dense"})->Args({47, 0})->Iterations(3)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ReplaceAllBench)->Name("ReplaceAll")->ArgNames({"MB", "dense", "matchCase"})
    ->ArgsProduct({{1, 8}, {0}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(CompactHtmlBench)->Name("CompactHtml")->Apply(Sizes);
BENCHMARK(FindTextWholeWordBench)->Name("FindTextWholeWord")->Apply(Sizes);

int main(int argc, char **argv)
{
    const char *const option = "--write-document=";
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], option, std::strlen(option)) == 0)
            return WriteDocument(argv[i] + std::strlen(option));
    }
    // A command runs once on a text it has not allocated before. Every buffer above 1 MB gets
    // fresh pages, for both document sizes alike; otherwise the C library would keep reusing the
    // freed buffers of the smaller document and the larger one alone would pay for its pages.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
