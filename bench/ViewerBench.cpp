// The preview: laying out and painting a page, stepping through long
// reports, and what scrolling costs. Counters tell how often a page was
// rendered, so a page that did not change is seen never to render twice.
#include "BenchSupport.h"

#include "ScriptHost.h"
#include <orvreport/TORVREP.h>
#include "document/Report.h"
#include "platform/ProcessInfo.h"
#include "platform/ScriptedUiServices.h"
#include "viewer/Preview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>

using namespace orv;

namespace {

// The demo report in a control on the (offscreen) screen.
struct DemoInPreview {
    std::ostringstream out, err;
    TScriptHost host{out, err, {}};

    DemoInPreview()
    {
        const std::string path = ORV_SOURCE_DIR "/examples/demo.orv";
        std::ifstream in(path);
        std::stringstream source;
        source << in.rdbuf();
        host.run(path, source.str());
        host.control()->resize(1000, 800);
        host.control()->show();
        QApplication::processEvents();
    }
    TORVREP& control() { return *host.control(); }
};

// A report of `pages` pages with a few lines of text each, shown.
std::unique_ptr<TORVREP> longReport(TScriptedUiServices& ui, int pages)
{
    auto control = std::make_unique<TORVREP>(nullptr, TORVREP::Options{&ui, nullptr, false});
    const Variant font(std::string("Arial")), none{std::string()};
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            control->NewPage(8.5f, 11);
        for (int line = 0; line < 3; ++line)
            control->AddText(Variant(std::string("t")), Variant("Page " + std::to_string(page)), 1, 1 + line, 5,
                             0.5f, font, 12, 0, 0xFFFFFF, none, 0, 0, 0, none);
    }
    control->resize(1000, 800);
    control->show();
    control->FirstPage();
    QApplication::processEvents();
    return control;
}

double workingSetMegabytes()
{
    const auto counters = readProcessCounters();
    return counters ? static_cast<double>(counters->workingSet) / (1 << 20) : 0;
}

} // namespace

// Relayout plus paint of one demo page at a zoom: the page is rendered
// afresh each time, as after a zoom change.
static void BM_ViewerDemoPagePaint(benchmark::State& state)
{
    DemoInPreview demo;
    TORVREP& control = demo.control();
    control.GotoPage(static_cast<int32_t>(state.range(0)));
    TPreview& preview = control.preview();
    TPreviewArea& area = *preview.area();
    const int64_t rendersBefore = area.tiles().renderPasses();
    for (auto _ : state) {
        control.put_Scale(static_cast<int32_t>(state.range(1)));
        preview.relayout();
        area.pageChanged();
        area.viewport()->repaint();
    }
    state.counters["renders_per_paint"] =
        static_cast<double>(area.tiles().renderPasses() - rendersBefore) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_ViewerDemoPagePaint)
    ->ArgsProduct({{1, 2, 3, 4}, {100, 400}})
    ->ArgNames({"page", "zoom"})
    ->Unit(benchmark::kMillisecond);

// Page Down through a 1,000-page report, each page painted once.
static void BM_ViewerPageDownThousandPages(benchmark::State& state)
{
    TScriptedUiServices ui;
    std::unique_ptr<TORVREP> control = longReport(ui, 1000);
    TPreview& preview = control->preview();
    TPreviewArea& area = *preview.area();
    int64_t pages = 0;
    const int64_t rendersBefore = area.tiles().renderPasses();
    for (auto _ : state) {
        control->FirstPage();
        for (int page = 1; page < 1000; ++page) {
            QKeyEvent pageDown(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier);
            QApplication::sendEvent(&preview, &pageDown);
            area.viewport()->repaint();
            ++pages;
        }
    }
    state.SetItemsProcessed(pages);
    state.counters["renders_per_page"] =
        static_cast<double>(area.tiles().renderPasses() - rendersBefore) / static_cast<double>(pages);
}
BENCHMARK(BM_ViewerPageDownThousandPages)->Unit(benchmark::kMillisecond)->Iterations(1);

// Scrolling a demo page at 400 % down and back up: every tile is rendered
// once, so the way back renders nothing.
static void BM_ViewerScrollAt400(benchmark::State& state)
{
    DemoInPreview demo;
    TORVREP& control = demo.control();
    control.put_Scale(400);
    TPreviewArea& area = *control.preview().area();
    QScrollBar& down = *area.verticalScrollBar();
    int64_t backRenders = 0;
    for (auto _ : state) {
        area.pageChanged();
        for (int y = 0; y <= down.maximum(); y += 40) {
            down.setValue(y);
            area.viewport()->repaint();
        }
        const int64_t atBottom = area.tiles().tilesRendered();
        for (int y = down.maximum(); y >= 0; y -= 40) {
            down.setValue(y);
            area.viewport()->repaint();
        }
        backRenders += area.tiles().tilesRendered() - atBottom;
    }
    state.counters["tiles_rendered_scrolling_back"] = static_cast<double>(backRenders);
}
BENCHMARK(BM_ViewerScrollAt400)->Unit(benchmark::kMillisecond);

// A 10,000-page report viewed from the first to the last page: what the
// viewer adds to the working set beyond the report itself.
static void BM_ViewerTenThousandPagesMemory(benchmark::State& state)
{
    for (auto _ : state) {
        TScriptedUiServices ui;
        std::unique_ptr<TORVREP> control = longReport(ui, 10000);
        const double reportOnly = workingSetMegabytes();
        TPreviewArea& area = *control->preview().area();
        for (int page = 1; page <= 10000; ++page) {
            control->GotoPage(page);
            area.viewport()->repaint();
        }
        state.counters["viewer_MB"] = workingSetMegabytes() - reportOnly;
        state.counters["tile_MB"] = static_cast<double>(area.tiles().bytes()) / (1 << 20);
    }
}
BENCHMARK(BM_ViewerTenThousandPagesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);
