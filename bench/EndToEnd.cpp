// orvreport-endtoend: one contender of the end-to-end benchmark a process,
// so that each one's peak memory is its own. The report: PAGES Letter pages
// of LINES text lines (10 pt Arial, about 70 characters) and 20 shapes (ten
// lines, five rectangles, five ellipses), written to PDF.
//
//   orvreport-endtoend api PAGES LINES OUT [--text-only]  built through the C++ API, SaveToPDF
//   orvreport-endtoend script PAGES LINES FILE            the same report as an orvreport script
//   orvreport-endtoend haru PAGES LINES OUT               drawn by libharu (no text layout)
//
// --text-only leaves the shapes out, so that the memory the build takes is
// what its text objects take.
// "api" prints the seconds of building and of saving (wall clock and
// processor time), the memory after
// building and at the save's peak, and the build's seconds a page of its
// first and last tenth; "haru" prints its seconds.
#include <orvreport/TORVREP.h>
#include "platform/ProcessInfo.h"
#include "platform/ScriptedUiServices.h"

#ifdef ORV_WITH_LIBHARU
#include "platform/CodePages.h"
#include "platform/FontServices.h"
#include <hpdf.h>
#endif

#include <QApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <time.h>

using namespace orv;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The processor time this process has used: unlike the wall clock, not
// stretched by other work on a busy machine.
double processorSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

std::string lineText(int page, int line)
{
    return "Page " + std::to_string(page) + ", line " + std::to_string(line) +
           ": quarterly figures 12,345.67 for the caf\xC3\xA9 and the r\xC3\xA9sum\xC3\xA9";
}

// Positions in inches, as the interface takes them.
constexpr float kLeft = 1;
float lineTop(int line) { return 0.4f + line * (1.0f / 6); }

double megabytes(int64_t bytes) { return static_cast<double>(bytes) / (1 << 20); }

int runApi(int pages, int lines, bool shapes, const std::string& out)
{
    TScriptedUiServices ui;
    TORVREP control(nullptr, TORVREP::Options{&ui, nullptr, false});
    const int64_t before = readProcessCounters()->workingSet;
    const Clock::time_point start = Clock::now();
    const double processorStart = processorSeconds();
    const int tenth = std::max(1, pages / 10);
    Clock::time_point tenthStart = start;
    double firstTenth = 0;
    double lastTenth = 0;
    size_t textBytes = 0;
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            control.NewPage();
        if (page == pages - tenth + 1)
            tenthStart = Clock::now();
        for (int line = 0; line < lines; ++line) {
            const std::string text = lineText(page, line);
            textBytes += text.size();
            control.AddText("t", text, kLeft, lineTop(line), 6.5f, 0.2f, "Arial", 10, 0x202020, 0xFFFFFF, "", 0, 0,
                            0, " ");
        }
        for (int i = 0; shapes && i < 10; ++i)
            control.AddLine("l", kLeft, 10.4f + i * 0.035f, 6.5f, 0, 0x808080, 1);
        for (int i = 0; shapes && i < 5; ++i) {
            control.AddShape("r", kLeft + i * 1.25f, 10.75f, 1.1f, 0.2f, 0x808080, 0xFFFFFF, 1);
            control.AddShape("e", kLeft + i * 1.25f, 10.75f, 1.1f, 0.2f, 0x808080, 0xFFFFFF, 1, 0, 8, 0, 99);
        }
        if (page == tenth)
            firstTenth = secondsSince(start) / tenth;
    }
    lastTenth = secondsSince(tenthStart) / tenth;
    const double built = secondsSince(start);
    const double builtProcessor = processorSeconds() - processorStart;
    const int64_t afterBuild = readProcessCounters()->workingSet;

    const Clock::time_point saveStart = Clock::now();
    const double saveProcessorStart = processorSeconds();
    Variant file(out);
    control.SaveToPDF(file);
    const double saved = secondsSince(saveStart);
    const double savedProcessor = processorSeconds() - saveProcessorStart;
    const auto counters = readProcessCounters();
    std::printf("build %.6f\nsave %.6f\nseconds %.6f\n", built, saved, built + saved);
    std::printf("build cpu %.6f\nsave cpu %.6f\n", builtProcessor, savedProcessor);
    std::printf("build MB %.1f\nafter build MB %.1f\npeak MB %.1f\n", megabytes(afterBuild - before),
                megabytes(afterBuild), megabytes(counters->peakWorkingSet));
    const double objects = static_cast<double>(pages) * (lines + (shapes ? 20 : 0));
    std::printf("bytes per object %.1f\ntext bytes per object %.1f\n",
                static_cast<double>(afterBuild - before) / objects, static_cast<double>(textBytes) / objects);
    std::printf("first tenth s/page %.9f\nlast tenth s/page %.9f\n", firstTenth, lastTenth);
    return 0;
}

// A string literal of the script language: quotes doubled.
std::string quoted(const std::string& text)
{
    std::string literal = "\"";
    for (char c : text)
        literal += c == '"' ? std::string("\"\"") : std::string(1, c);
    return literal + '"';
}

int writeScript(int pages, int lines, const std::string& path)
{
    std::ofstream script(path);
    script << "' " << pages << " pages of " << lines << " text lines and 20 shapes\n";
    for (int page = 1; page <= pages; ++page) {
        if (page > 1)
            script << "NewPage\n";
        for (int line = 0; line < lines; ++line)
            script << "AddText \"t\", " << quoted(lineText(page, line)) << ", " << kLeft << ", " << lineTop(line)
                   << ", 6.5, 0.2, \"Arial\", 10, 2105376, 16777215, \"\", 0, 0, 0, \" \"\n";
        for (int i = 0; i < 10; ++i)
            script << "AddLine \"l\", 1, " << 10.4f + i * 0.035f << ", 6.5, 0, 8421504, 1\n";
        for (int i = 0; i < 5; ++i) {
            script << "AddShape \"r\", " << kLeft + i * 1.25f << ", 10.75, 1.1, 0.2, 8421504, 16777215, 1\n";
            script << "AddShape \"e\", " << kLeft + i * 1.25f << ", 10.75, 1.1, 0.2, 8421504, 16777215, 1, 0, 8, 0, 99\n";
        }
    }
    script << "f = \"" << path << "\"\nSaveToPDF f\n";
    return script ? 0 : 1;
}

#ifdef ORV_WITH_LIBHARU
void ignoreHaruError(HPDF_STATUS, HPDF_STATUS, void*) {}

int runHaru(int pages, int lines, const std::string& out)
{
    const Clock::time_point start = Clock::now();
    HPDF_Doc pdf = HPDF_New(ignoreHaruError, nullptr);
    HPDF_SetCompressionMode(pdf, HPDF_COMP_ALL);
    const std::string file = TFontServices::instance().metrics("Arial", false, false).file;
    HPDF_Font font = HPDF_GetFont(pdf, HPDF_LoadTTFontFromFile(pdf, file.c_str(), HPDF_FALSE), "WinAnsiEncoding");
    for (int page = 1; page <= pages; ++page) {
        HPDF_Page p = HPDF_AddPage(pdf);
        HPDF_Page_SetWidth(p, 612);
        HPDF_Page_SetHeight(p, 792);
        HPDF_Page_SetRGBFill(p, 0.125f, 0.125f, 0.125f);
        for (int line = 0; line < lines; ++line) {
            HPDF_Page_BeginText(p);
            HPDF_Page_SetFontAndSize(p, font, 10);
            HPDF_Page_MoveTextPos(p, 72, 756 - line * 12);
            HPDF_Page_ShowText(p, utf8ToCodePage(lineText(page, line), 1252).c_str());
            HPDF_Page_EndText(p);
        }
        HPDF_Page_SetRGBStroke(p, 0.5f, 0.5f, 0.5f);
        HPDF_Page_SetLineWidth(p, 0.5f);
        for (int i = 0; i < 10; ++i) {
            HPDF_Page_MoveTo(p, 72, 40 + i * 2.5f);
            HPDF_Page_LineTo(p, 540, 40 + i * 2.5f);
            HPDF_Page_Stroke(p);
        }
        for (int i = 0; i < 5; ++i) {
            HPDF_Page_Rectangle(p, 72 + i * 90, 10, 80, 20);
            HPDF_Page_Stroke(p);
            HPDF_Page_Ellipse(p, 112 + i * 90, 20, 40, 10);
            HPDF_Page_Stroke(p);
        }
    }
    const HPDF_STATUS status = HPDF_SaveToFile(pdf, out.c_str());
    HPDF_Free(pdf);
    std::printf("seconds %.6f\n", secondsSince(start));
    return status == HPDF_OK ? 0 : 1;
}
#endif

} // namespace

int main(int argc, char** argv)
{
    const bool textOnly = argc == 6 && std::string(argv[5]) == "--text-only";
    if (argc != 5 && !textOnly) {
        std::cerr << "usage: orvreport-endtoend api|script|haru PAGES LINES FILE [--text-only]\n";
        return 2;
    }
    const std::string mode = argv[1];
    const int pages = std::atoi(argv[2]);
    const int lines = std::atoi(argv[3]);
    const std::string file = argv[4];
    if (mode == "script")
        return writeScript(pages, lines, file);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    if (mode == "api")
        return runApi(pages, lines, !textOnly, file);
#ifdef ORV_WITH_LIBHARU
    if (mode == "haru")
        return runHaru(pages, lines, file);
#endif
    std::cerr << "orvreport-endtoend: unknown mode " << mode << '\n';
    return 2;
}
