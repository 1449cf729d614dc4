// Text in every script and AES-256 in PDF: a one-page report of 200 CJK
// characters (the file must stay under 60 KB), 1,000 pages of Cyrillic
// against the same pages in Latin (composite fonts may cost at most 1.5x
// the size and time), drawn straight into the PDF writer and built as a
// report through the engine, and 1,000 pages encrypted with AES-256
// against plain ones (at most 1.3x the time).
#include <orvreport/TORVREP.h>
#include "pdf/PdfDoc.h"
#include "pdf/PdfDrawing.h"
#include "platform/ScriptedUiServices.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace orv;

namespace {

constexpr int kPages = 1000;
constexpr int kLinesPerPage = 60;

// Lines of the same length in characters in the two alphabets.
const std::string kLatinLine = "Quarterly report of the northern region: sales grew steadily";
const std::string kCyrillicLine = "Квартальный отчёт северного региона: продажи росли стабильно";

enum class Script : int64_t { Latin, Cyrillic };

std::string document(Script script, TPdfEncryption encryption, bool encrypted)
{
    TPdfDoc doc;
    doc.Settings.Producer = "Orv Report Engine";
    doc.Settings.StreamCompression = true;
    doc.Settings.Encrypted = encrypted;
    doc.Settings.Encryption = encryption;
    doc.Settings.UserPassword = "user";
    doc.startDocument();
    const std::string& text = script == Script::Latin ? kLatinLine : kCyrillicLine;
    for (int page = 1; page <= kPages; ++page) {
        doc.addPage();
        for (int line = 0; line < kLinesPerPage; ++line)
            drawPdfText(doc.canvas(), 72, 756 - line * 12, 0, text + " " + std::to_string(page * 100 + line),
                        "Arial", 10, 0x202020, 255);
    }
    return doc.save();
}

void BM_ThousandPagesByScript(benchmark::State& state)
{
    const auto script = static_cast<Script>(state.range(0));
    size_t bytes = 0;
    for (auto _ : state)
        bytes = document(script, TPdfEncryption::Rc4Bits40, false).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ThousandPagesByScript)->ArgName("cyrillic")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ThousandPagesEncrypted(benchmark::State& state)
{
    const bool encrypted = state.range(0) != 0;
    size_t bytes = 0;
    for (auto _ : state)
        bytes = document(Script::Latin, TPdfEncryption::Aes256Bits, encrypted).size();
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ThousandPagesEncrypted)->ArgName("aes256")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The same through the engine, as a host builds a report: 1,000 pages of
// 60 text objects added (each laid out into lines) and exported to PDF.
void BM_ThousandPageReportByScript(benchmark::State& state)
{
    const auto script = static_cast<Script>(state.range(0));
    const std::string& line = script == Script::Latin ? kLatinLine : kCyrillicLine;
    size_t bytes = 0;
    for (auto _ : state) {
        TScriptedUiServices ui;
        TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
        for (int page = 1; page <= kPages; ++page) {
            if (page > 1)
                control.NewPage();
            for (int row = 0; row < kLinesPerPage; ++row)
                control.AddText("t", line + " " + std::to_string(page * 100 + row), 1, 0.4f + row * (1.0f / 6), 6.5f,
                                0.2f, "Arial", 10, 0x202020, 0xFFFFFF, "", 0, 0, 0, " ");
        }
        bytes = control.PDFStream(0, 0).bytes().size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_ThousandPageReportByScript)->ArgName("cyrillic")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// 200 different characters of the CJK block on one page, 20 a line.
void BM_OnePageOf200CjkCharacters(benchmark::State& state)
{
    size_t bytes = 0;
    for (auto _ : state) {
        TPdfDoc doc;
        doc.Settings.Producer = "Orv Report Engine";
        doc.Settings.StreamCompression = true;
        doc.startDocument();
        doc.addPage();
        for (int line = 0; line < 10; ++line) {
            std::u32string text;
            for (int i = 0; i < 20; ++i)
                text += static_cast<char32_t>(0x4E00 + 37 * (line * 20 + i));
            drawPdfText(doc.canvas(), 72, 700 - line * 20, 0,
                        QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size())).toStdString(), "Arial",
                        14, 0, 255);
        }
        bytes = doc.save().size();
    }
    state.counters["bytes"] = static_cast<double>(bytes);
    if (bytes >= 60 * 1024)
        state.SkipWithError("the page is 60 KB or more");
}
BENCHMARK(BM_OnePageOf200CjkCharacters)->Unit(benchmark::kMillisecond);

} // namespace
