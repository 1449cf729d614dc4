// Writing PDF: a 1,000-page document of 60 text lines and 20 paths a page,
// written by our writer and, in the same run, by libharu; and zlib at level
// 9 alone over the same content streams, the share of the time that
// compression takes.
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "pdf/PdfObjects.h"
#include "platform/CodePages.h"
#include "platform/FontServices.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#ifdef ORV_WITH_LIBHARU
#include <hpdf.h>
#endif

#include <stdexcept>
#include <string>
#include <vector>

using namespace orv;

namespace {

constexpr int kPages = 1000;
constexpr int kLinesPerPage = 60;

std::string lineText(int page, int line)
{
    return "Page " + std::to_string(page) + ", line " + std::to_string(line) +
           ": quarterly figures 12,345.67 for the caf\xC3\xA9 and the r\xC3\xA9sum\xC3\xA9";
}

// The drawing of one page: text lines from the top, then ten lines, five
// rectangles and five ellipses.
void drawOurPage(TPdfDoc& doc, int page)
{
    TPdfCanvas& canvas = doc.canvas();
    for (int line = 0; line < kLinesPerPage; ++line)
        drawPdfText(canvas, 72, 756 - line * 12, 0, lineText(page, line), "Arial", 10, 0x202020, 255);
    canvas.setRGBStrokeColor(0x808080);
    for (int i = 0; i < 10; ++i)
        drawPdfLine(canvas, 72, 40 + i * 2.5f, 540, 40 + i * 2.5f, 0.5f);
    for (int i = 0; i < 5; ++i) {
        canvas.rectangle(72 + i * 90, 10, 80, 20);
        canvas.stroke();
        appendEllipse(canvas, 72 + i * 90, 10, 80, 20);
        canvas.stroke();
    }
}

std::string ourDocument(bool compressed)
{
    TPdfDoc doc;
    doc.Settings.Producer = "Orv Report Engine";
    doc.Settings.StreamCompression = compressed;
    doc.startDocument();
    for (int page = 1; page <= kPages; ++page) {
        doc.addPage();
        drawOurPage(doc, page);
    }
    return doc.save();
}

#ifdef ORV_WITH_LIBHARU
// libharu reports errors through a C callback, which must return.
void recordHaruError(HPDF_STATUS error, HPDF_STATUS, void* firstError)
{
    auto* recorded = static_cast<HPDF_STATUS*>(firstError);
    if (*recorded == 0)
        *recorded = error;
}

// libharu wants the line width set before a path starts.
std::string haruDocument()
{
    HPDF_STATUS error = 0;
    HPDF_Doc pdf = HPDF_New(recordHaruError, &error);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
    const std::string file = TFontServices::instance().metrics("Arial", false, false).file;
    const char* fontName = HPDF_LoadTTFontFromFile(pdf, file.c_str(), HPDF_FALSE);
    HPDF_Font font = HPDF_GetFont(pdf, fontName, "WinAnsiEncoding");
    for (int page = 1; page <= kPages; ++page) {
        HPDF_Page p = HPDF_AddPage(pdf);
        HPDF_Page_SetWidth(p, 612);
        HPDF_Page_SetHeight(p, 792);
        for (int line = 0; line < kLinesPerPage; ++line) {
            HPDF_Page_BeginText(p);
            HPDF_Page_MoveTextPos(p, 72, 756 - line * 12);
            HPDF_Page_SetRGBFill(p, 0.13f, 0.13f, 0.13f);
            HPDF_Page_SetFontAndSize(p, font, 10);
            HPDF_Page_ShowText(p, utf8ToCodePage(lineText(page, line), 1252).c_str());
            HPDF_Page_EndText(p);
        }
        HPDF_Page_SetRGBStroke(p, 0.5f, 0.5f, 0.5f);
        for (int i = 0; i < 10; ++i) {
            HPDF_Page_SetLineWidth(p, 0.5f);
            HPDF_Page_MoveTo(p, 72, 40 + i * 2.5f);
            HPDF_Page_LineTo(p, 540, 40 + i * 2.5f);
            HPDF_Page_Stroke(p);
        }
        for (int i = 0; i < 5; ++i) {
            HPDF_Page_Rectangle(p, 72 + i * 90, 10, 80, 20);
            HPDF_Page_Stroke(p);
            HPDF_Page_Ellipse(p, 72 + i * 90 + 40, 20, 40, 10);
            HPDF_Page_Stroke(p);
        }
    }
    HPDF_SaveToStream(pdf);
    std::string bytes(HPDF_GetStreamSize(pdf), '\0');
    HPDF_UINT32 size = static_cast<HPDF_UINT32>(bytes.size());
    HPDF_ReadFromStream(pdf, reinterpret_cast<HPDF_BYTE*>(bytes.data()), &size);
    bytes.resize(size);
    HPDF_Free(pdf);
    if (error != 0)
        throw std::runtime_error("libharu error " + std::to_string(error));
    return bytes;
}
#endif

void reportPages(benchmark::State& state, size_t bytes)
{
    state.counters["pages/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * kPages), benchmark::Counter::kIsRate);
    state.counters["bytes"] = static_cast<double>(bytes);
}

} // namespace

static void BM_PdfWriter(benchmark::State& state)
{
    const bool compressed = state.range(0) != 0;
    size_t bytes = 0;
    for (auto _ : state)
        bytes = ourDocument(compressed).size();
    reportPages(state, bytes);
}
BENCHMARK(BM_PdfWriter)->ArgName("compressed")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

#ifdef ORV_WITH_LIBHARU
static void BM_LibharuWriter(benchmark::State& state)
{
    size_t bytes = 0;
    try {
        for (auto _ : state)
            bytes = haruDocument().size();
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
    reportPages(state, bytes);
}
BENCHMARK(BM_LibharuWriter)->Unit(benchmark::kMillisecond);
#endif

// The 1,000 page content streams of BM_PdfWriter, compressed one by one.
static void BM_ZlibLevel9ContentStreams(benchmark::State& state)
{
    std::vector<std::string> streams;
    {
        TPdfDoc doc;
        doc.startDocument();
        for (int page = 1; page <= kPages; ++page) {
            doc.addPage();
            drawOurPage(doc, page);
            streams.push_back(doc.canvas().page().lookupAs<TPdfStream>("Contents")->data());
        }
    }
    size_t input = 0;
    size_t output = 0;
    for (auto _ : state) {
        input = output = 0;
        for (const std::string& stream : streams) {
            uLongf size = compressBound(stream.size());
            std::string compressed(size, '\0');
            compress2(reinterpret_cast<Bytef*>(compressed.data()), &size,
                      reinterpret_cast<const Bytef*>(stream.data()), stream.size(), 9);
            input += stream.size();
            output += size;
        }
    }
    reportPages(state, output);
    state.counters["input bytes"] = static_cast<double>(input);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * input));
}
BENCHMARK(BM_ZlibLevel9ContentStreams)->Unit(benchmark::kMillisecond);
