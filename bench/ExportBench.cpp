// Exports of whole pages: a dense page to PNG (beside the PNG encoding of the
// same pixels alone, the floor any page export pays), and a long report to
// PDF with SaveToPDF.
#include "BenchSupport.h"

#include <orvreport/TORVREP.h>
#include "export/PageImageExport.h"
#include "export/RasterExport.h"
#include "platform/ScriptedUiServices.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

using namespace orv;

namespace {

// 100 text objects and 50 shapes on one Letter page.
void fillDensePage(TORVREP& control)
{
    for (int i = 0; i < 100; ++i)
        control.AddText("t", "Quarterly figures by region and product line", 0.5f + (i % 2) * 4, 0.5f + (i / 2) * 0.2f,
                        0, 0, "Arial", 10, 0, 0xFFFFFF, "", 0, 0, 0, " ");
    for (int i = 0; i < 50; ++i)
        control.AddShape("s", 0.5f + (i % 10) * 0.75f, 6 + (i / 10) * 0.8f, 0.6f, 0.6f, 0, 0x00C0FF, i % 8, 0, 8, 1,
                         i % 3 == 0 ? 12 : 0);
}

} // namespace

static void BM_DensePageToPng(benchmark::State& state)
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    fillDensePage(control);
    QTemporaryDir dir;
    const std::string name = dir.filePath("dense").toStdString();
    for (auto _ : state)
        benchmark::DoNotOptimize(control.SaveToPNG(Variant(name), 1));
    state.counters["pages/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["peak MB"] = bench::peakMegabytes();
}
BENCHMARK(BM_DensePageToPng)->Unit(benchmark::kMillisecond);

namespace {

QImage densePagePixels()
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    fillDensePage(control);
    return pageImage(control.report(), 1, 0).convertToFormat(QImage::Format_RGB888);
}

size_t encodedPngSize(const QImage& pixels, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(quality);
    writer.write(pixels);
    return static_cast<size_t>(bytes.size());
}

} // namespace

// The same page's pixels encoded as PNG at the export's quality, without
// drawing them: the floor of BM_DensePageToPng (target: the export within
// 1.2x of this).
static void BM_PngEncodingAlone(benchmark::State& state)
{
    const QImage pixels = densePagePixels();
    for (auto _ : state)
        benchmark::DoNotOptimize(encodedPngSize(pixels, kPngQuality));
    state.counters["images/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_PngEncodingAlone)->Unit(benchmark::kMillisecond);

// The dense page at QImageWriter qualities from Qt's default (-1: zlib's
// default level) to 100 (no compression): time and size, from which the
// export's quality is chosen.
static void BM_PngQuality(benchmark::State& state)
{
    const QImage pixels = densePagePixels();
    const int quality = static_cast<int>(state.range(0));
    size_t bytes = 0;
    for (auto _ : state)
        bytes = encodedPngSize(pixels, quality);
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PngQuality)->ArgName("quality")->Arg(-1)->Arg(0)->Arg(50)->Arg(70)->Arg(80)->Arg(90)
    ->Unit(benchmark::kMillisecond);

// Ten pages to one TIFF with each compression that keeps colour, and the
// pages' drawing alone: how much of a multi-page export the encoding takes.
// Dense pages carry hatched shapes, whose bytes are new to an LZW table at
// every turn; report pages carry 60 lines of text on white paper.
namespace {

void tenPagesToTiff(benchmark::State& state, void (*fill)(TORVREP&))
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    for (int page = 1; page <= 10; ++page) {
        if (page > 1)
            control.NewPage();
        fill(control);
    }
    QTemporaryDir dir;
    const std::string name = dir.filePath("pages").toStdString();
    const int32_t compression = static_cast<int32_t>(state.range(0)); // 0 LZW, 4 none, -1 drawing only
    for (auto _ : state) {
        if (compression < 0) {
            for (int page = 1; page <= 10; ++page)
                benchmark::DoNotOptimize(pageImage(control.report(), page, 0).width());
        } else {
            benchmark::DoNotOptimize(control.SaveToTIFF(Variant(name), 1, 10, false, 0, compression));
        }
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * 10), benchmark::Counter::kIsRate);
    if (compression >= 0)
        state.counters["file MB"] = std::filesystem::file_size(name + ".TIF") / 1048576.0;
}

void fillReportPage(TORVREP& control)
{
    for (int line = 0; line < 60; ++line)
        control.AddText("t", "Page line " + std::to_string(line) + ": quarterly figures 12,345.67 for the region",
                        1, 0.4f + line * (1.0f / 6), 6.5f, 0.2f, "Arial", 10, 0x202020, 0xFFFFFF, "", 0, 0, 0, " ");
}

} // namespace

static void BM_DensePagesToTiff(benchmark::State& state)
{
    tenPagesToTiff(state, fillDensePage);
}
BENCHMARK(BM_DensePagesToTiff)->ArgName("compression")->Arg(0)->Arg(4)->Arg(-1)->Unit(benchmark::kMillisecond);

static void BM_ReportPagesToTiff(benchmark::State& state)
{
    tenPagesToTiff(state, fillReportPage);
}
BENCHMARK(BM_ReportPagesToTiff)->ArgName("compression")->Arg(0)->Arg(4)->Arg(-1)->Unit(benchmark::kMillisecond);

// 1,000 pages of text, a report field, shapes and one picture each, saved
// with SaveToPDF: pages a second, the file's size and the peak memory.
static void BM_ReportToPdf(benchmark::State& state)
{
    QTemporaryDir dir;
    QImage logo(120, 60, QImage::Format_RGB32);
    logo.fill(QColor(30, 90, 160));
    const std::string picture = dir.filePath("logo.png").toStdString();
    logo.save(QString::fromStdString(picture));

    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    const int32_t pages = static_cast<int32_t>(state.range(0));
    for (int32_t page = 1; page <= pages; ++page) {
        if (page > 1)
            control.NewPage();
        for (int line = 0; line < 30; ++line)
            control.AddText("t", "An order line with its quantity, price and total", 1, 2 + line * 0.2f, 0, 0, "Arial",
                            10, 0, 0xFFFFFF, "", 0, 0, 0, " ");
        control.AddReportField("f", "'Page ' + TRANSFORM(_PAGENO) + ' of ' + TRANSFORM(_PAGETOTAL)", 7, 10.5f, 0, 0,
                               Variant::missing(), Variant::missing(), "Arial", 9, 0, 0xFFFFFF, "", 0, 0, 1, " ");
        for (int shape = 0; shape < 10; ++shape)
            control.AddShape("s", 1 + shape * 0.6f, 9, 0.5f, 0.5f, 0, 0xE0E0E0, 8, 0, 8, 1);
        control.AddPicture("logo", picture.c_str(), 1, 0.5f, 1.5f, 0.75f, 1);
    }
    const std::string name = dir.filePath("report").toStdString();
    for (auto _ : state) {
        Variant file(name);
        benchmark::DoNotOptimize(control.SaveToPDF(file));
    }
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * pages), benchmark::Counter::kIsRate);
    state.counters["file MB"] = std::filesystem::file_size(name + ".PDF") / 1048576.0;
    state.counters["peak MB"] = bench::peakMegabytes();
}
BENCHMARK(BM_ReportToPdf)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);

// A page holding one crafted picture of under 2 MB that unpacks to 16384 x
// 16384 pixels, exported to PNG and to PDF: each must stay well under ten
// seconds (the pictures are sampled down as they are decoded).
static void BM_BigPictureExports(benchmark::State& state)
{
    static const char* const kFiles[] = {"huge.gif", "huge.tif", "huge.png", "huge.jpg", "huge.emf"};
    static QTemporaryDir pictures;
    static const bool made = std::system(("python3 " ORV_SOURCE_DIR "/tests/fuzz/make_crafted.py --big " +
                                          pictures.path().toStdString()).c_str()) == 0;
    if (!made) {
        state.SkipWithError("the crafted pictures could not be made");
        return;
    }
    const char* file = kFiles[state.range(0)];
    state.SetLabel(file);
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    control.AddPicture("p", pictures.filePath(file).toStdString(), 1, 1, 6.5f, 9, 2);
    QTemporaryDir dir;
    const std::string name = dir.filePath("big").toStdString();
    for (auto _ : state) {
        benchmark::DoNotOptimize(control.SaveToPNG(Variant(name), 1));
        Variant pdf(name);
        benchmark::DoNotOptimize(control.SaveToPDF(pdf));
    }
    state.counters["peak MB"] = bench::peakMegabytes();
}
BENCHMARK(BM_BigPictureExports)->DenseRange(0, 4)->Unit(benchmark::kMillisecond)->Iterations(1);
