// Find: a forward search through a long report whose only hit lies on its
// last page. Target: under 100 ms for 10,000 pages of 20 text objects.
#include <orvreport/TORVREP.h>
#include "document/Report.h"
#include "platform/ScriptedUiServices.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace orv;

static void BM_FindForwardToTheLastPage(benchmark::State& state)
{
    const auto pages = static_cast<int32_t>(state.range(0));
    constexpr int kObjectsPerPage = 20;
    TScriptedUiServices ui;
    auto control = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false});
    control->resize(1000, 800);
    control->show();
    // The pages are filled as AddText stores its records; the search reads
    // only their types and texts.
    TReport& report = control->report();
    for (int32_t page = 1; page <= pages; ++page) {
        if (page > 1)
            report.newPage(8.5f, 11, 0, 0, 0);
        for (int object = 0; object < kObjectsPerPage; ++object) {
            TReportObject& text = report.appendObject();
            text.ObjType = ObjType::Text;
            text.Text = "Invoice line " + std::to_string(object) + " of page " + std::to_string(page)
                        + ": goods delivered, amount due";
            text.HPos = 10000;
            text.VPos = 10000 + object * 4000;
            text.Width = 60000;
            text.LineHeight = 0.2f;
        }
    }
    report.page(pages).Objects[kObjectsPerPage / 2].Text = "The only needle in this report";
    control->FirstPage();
    QApplication::processEvents();

    for (auto _ : state) {
        report.FindPage = report.FindObject = -1;
        report.FindHit = 0;
        control->Find(Variant(std::string("NEEDLE")));
        if (report.FindPage != pages - 1)
            state.SkipWithError("the hit was not found on the last page");
    }
    state.SetItemsProcessed(state.iterations() * pages * kObjectsPerPage);
}
BENCHMARK(BM_FindForwardToTheLastPage)->Arg(10000)->ArgName("pages")->Unit(benchmark::kMillisecond);
