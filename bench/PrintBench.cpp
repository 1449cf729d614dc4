// A long report printed: to a file (the job's drawing and the PDF it
// writes) and to a queue of a private CUPS scheduler (the same plus handing
// the document over).
#include "BenchSupport.h"

#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include "../tests/printing/CupsTestServer.h"

#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orv;

namespace {

constexpr int kPages = 1000;

// Text, a page-number field and a shape on every page.
void fillReport(TORVREP& control)
{
    for (int i = 1; i <= kPages; ++i) {
        if (i > 1)
            control.NewPage();
        control.AddText("t", "Quarterly figures by region and product line", 1, 1, 0, 0, "Arial", 12, 0, 0xFFFFFF,
                        "", 0, 0, 0, " ");
        control.AddReportField("f", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", 1, 10, 0, 0,
                               Variant::missing(), Variant::missing(), "Arial", 10, 0, 0xFFFFFF, "", 0, 0, 0, " ");
        control.AddShape("s", 1, 2, 6.5f, 3, 0, 0x00C0FF, 0, 0, 8, 1, 12);
    }
}

void printReport(benchmark::State& state, bool toFile)
{
    printtest::TCupsTestServer server({"Bench"}, "Bench");
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    control.put_PrintPromptForPrint(false);
    fillReport(control);
    QTemporaryDir dir;
    const QString file = dir.filePath("printed.pdf");
    const Variant output = toFile ? Variant(file.toStdString()) : Variant::missing();
    for (auto _ : state) {
        benchmark::DoNotOptimize(control.PrintReport(Variant::missing(), 0, 0, 0, output));
        if (!toFile) {
            state.PauseTiming();
            server.waitUntilIdle("Bench");
            state.ResumeTiming();
        }
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kPages, benchmark::Counter::kIsRate);
    state.counters["peak MB"] = bench::peakMegabytes();
    if (toFile)
        state.counters["file MB"] = QFileInfo(file).size() / 1048576.0;
}

} // namespace

static void BM_PrintThousandPagesToFile(benchmark::State& state)
{
    printReport(state, true);
}
BENCHMARK(BM_PrintThousandPagesToFile)->Unit(benchmark::kMillisecond)->Iterations(3);

static void BM_PrintThousandPagesToQueue(benchmark::State& state)
{
    printReport(state, false);
}
BENCHMARK(BM_PrintThousandPagesToQueue)->Unit(benchmark::kMillisecond)->Iterations(3);
