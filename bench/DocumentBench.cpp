// Page handling and late-bound calls: the costs every report pays per page
// and per interface call.
#include <orvreport/Dispatch.h>
#include <orvreport/TORVREP.h>
#include "platform/ScriptedUiServices.h"

#include <benchmark/benchmark.h>

using namespace orv;

static void BM_NewPageAppend(benchmark::State& state)
{
    for (auto _ : state) {
        TReport report;
        for (int64_t i = 0; i < state.range(0); ++i)
            report.newPage(8.5f, 11, 0, 0, 0);
        benchmark::DoNotOptimize(report.pageCount());
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_NewPageAppend)->Arg(10000);

static void BM_LateBoundPropertyRead(benchmark::State& state)
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    const TDispatchTable& table = TDispatchTable::instance();
    std::vector<Variant> args;
    for (auto _ : state) {
        args.clear();
        benchmark::DoNotOptimize(table.invoke(control, "PageWidth", InvokePropertyGet, args));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LateBoundPropertyRead);
