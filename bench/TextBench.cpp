// Adding text: every AddText lays its paragraph out into lines at once, so
// this is the cost a report pays per paragraph, and the memory it keeps.
#include "document/Report.h"
#include "document/TextObjects.h"
#include "platform/ProcessInfo.h"

#include <benchmark/benchmark.h>

using namespace orv;

namespace {

std::string paragraph(int seed)
{
    static const char* const kWords[] = {"report", "engine", "page", "layout", "text", "line", "paragraph",
                                         "measure", "font", "width", "height", "object", "draw", "inch"};
    std::string text;
    for (int i = 0; text.size() < 400; ++i) {
        text += kWords[(seed + i * 7) % 14];
        text += ' ';
    }
    text.resize(400);
    return text;
}

} // namespace

// 10,000 paragraphs of 400 characters, 6.5 in wide, 12 pt Arial, 50 a page.
static void BM_AddTextParagraphs(benchmark::State& state)
{
    const int64_t count = state.range(0);
    std::vector<std::string> texts;
    for (int i = 0; i < 64; ++i)
        texts.push_back(paragraph(i));
    int64_t bytesPerObject = 0;
    for (auto _ : state) {
        const int64_t before = readProcessCounters()->workingSet;
        TReport report;
        TTextArguments args;
        args.hPos = 1;
        args.width = 6.5f;
        args.height = 2;
        args.fontName = "Arial";
        args.fontSize = 12;
        for (int64_t i = 0; i < count; ++i) {
            if (i > 0 && i % 50 == 0)
                report.newPage(8.5f, 11, 0, 0, 0);
            args.vPos = 1 + (i % 50) * 0.18f;
            args.text = texts[i % texts.size()];
            addText(report, args, 96);
        }
        bytesPerObject = (readProcessCounters()->workingSet - before) / count;
        benchmark::DoNotOptimize(report.totalObjectCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["paragraphs/s"] = benchmark::Counter(static_cast<double>(state.iterations() * count),
                                                         benchmark::Counter::kIsRate);
    state.counters["bytes/object"] = static_cast<double>(bytesPerObject);
}
BENCHMARK(BM_AddTextParagraphs)->Arg(10000)->Unit(benchmark::kMillisecond)->Iterations(1);
