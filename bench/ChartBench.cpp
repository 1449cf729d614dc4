// Charts on pages: a report of 200 pages with a 3D bar chart on each,
// exported page by page to PNG, and as one PDF (each chart an image of twice
// its box). Measures pages per second and the memory a page costs while it
// is drawn; each page's image is freed before the next.
#include "BenchSupport.h"

#include <orvreport/TORVREP.h>
#include "export/PageImageExport.h"
#include "platform/ProcessInfo.h"
#include "platform/ScriptedUiServices.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace orv;

namespace {

constexpr int32_t kPages = 200;

void addChartPages(TORVREP& control)
{
    for (int32_t page = 1; page <= kPages; ++page) {
        if (page > 1)
            control.NewPage();
        control.AddChart("chart", 1, 1, 1, 6.5f, 4.5f);
        control.put_ChartTitle("Page " + std::to_string(page));
        control.ChartAddSeries(1, Variant("second"), 0x3060C0);
        for (int32_t series = 1; series <= 2; ++series) {
            control.ChartSelectSeries(series);
            for (int32_t point = 0; point < 12; ++point)
                control.ChartAddXYData((point * 37 + page * series) % 100, 0, Variant("m" + std::to_string(point)),
                                       0x20000000);
        }
    }
}

// The 200-page chart report and a folder for what it exports.
struct TChartReport {
    TScriptedUiServices ui;
    TORVREP control{nullptr, TORVREP::Options{&ui, nullptr, false}};
    QTemporaryDir dir;

    TChartReport() { addChartPages(control); }
};

// Pages a second, and the working set before and after the pages were
// drawn beside the peak: memory a page takes is given back.
void setPageCounters(benchmark::State& state, int64_t before, int64_t after)
{
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kPages), benchmark::Counter::kIsRate);
    state.counters["peak MB"] = bench::peakMegabytes();
    state.counters["before MB"] = static_cast<double>(before) / (1 << 20);
    state.counters["after MB"] = static_cast<double>(after) / (1 << 20);
}

} // namespace

static void BM_ChartPagesToPng(benchmark::State& state)
{
    TChartReport report;
    int64_t before = 0, after = 0;
    for (auto _ : state) {
        before = readProcessCounters()->workingSet;
        for (int32_t page = 1; page <= kPages; ++page) {
            TPageImageRequest request;
            request.fileName = report.dir.filePath("page").toStdString();
            request.pageNumber = page;
            benchmark::DoNotOptimize(
                savePageImage(report.control.report(), report.ui, PageImageFormat::Png, request));
        }
        after = readProcessCounters()->workingSet;
    }
    setPageCounters(state, before, after);
}
BENCHMARK(BM_ChartPagesToPng)->Unit(benchmark::kMillisecond)->Iterations(1);

static void BM_ChartPagesToPdf(benchmark::State& state)
{
    TChartReport report;
    int64_t before = 0, after = 0;
    for (auto _ : state) {
        before = readProcessCounters()->workingSet;
        Variant name(report.dir.filePath("charts").toStdString());
        benchmark::DoNotOptimize(report.control.SaveToPDF(name));
        after = readProcessCounters()->workingSet;
    }
    setPageCounters(state, before, after);
}
BENCHMARK(BM_ChartPagesToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);
