#include "viewer/PdfFileExport.h"

#include "document/Report.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/UiServices.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace orv {

namespace {

constexpr const char* kCannotCreate = "PDF File could not be created.";

std::string elapsedSecondsText(std::chrono::steady_clock::time_point start)
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", seconds);
    return text;
}

void tell(TUiServices& ui, const std::string& text, TUiServices::Icon icon)
{
    ui.showMessage("", text, icon, TUiServices::Buttons::Ok);
}

} // namespace

std::string exportPdfFile(const TReport& report, TUiServices& ui, const TPdfFileExport& request)
{
    std::string name = request.fileName;
    if (name.empty()) {
        const std::optional<std::string> chosen =
            ui.saveFileName("Save to PDF", "PDF Document (*.pdf)", "Orv Report Preview Control.pdf");
        if (!chosen || chosen->empty())
            return {};
        name = *chosen;
    }
    const auto started = std::chrono::steady_clock::now();
    const std::string path = outputFileName(name, ".PDF");
    const TPdfPageRange range = pdfPageRange(report.pageCount(), request.firstPage, request.lastPage);
    const TPDFSetup& setup = report.PdfSetup;

    switch (writeReportPdf(report, path, range, request.silent ? nullptr : request.progress)) {
    case TPdfFileResult::NotCreated:
        if (!request.silent)
            tell(ui, kCannotCreate, TUiServices::Icon::Warning);
        throw std::runtime_error(kCannotCreate);
    case TPdfFileResult::Cancelled:
        // Nothing replaces the old file. The toolbar's export says so only
        // when it confirms nothing.
        if (request.toolbarMode ? !setup.ConfirmAfterCreate : !request.silent)
            tell(ui, "PDF Document Canceled.", TUiServices::Icon::Information);
        return {};
    case TPdfFileResult::Written:
        break;
    }

    const std::string confirmation = "PDF Document Saved in " + elapsedSecondsText(started) + " Seconds.";
    if (request.toolbarMode) {
        if (setup.ConfirmAfterCreate)
            tell(ui, confirmation, TUiServices::Icon::Information);
        if (setup.OpenAfterCreate)
            ui.openDocument(path);
    } else if (!request.silent) {
        tell(ui, confirmation, TUiServices::Icon::Information);
        ui.openDocument(path);
    }
    return path;
}

} // namespace orv
