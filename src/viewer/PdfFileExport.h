#pragma once

#include "pdfexport/ReportPdfExport.h"

#include <cstdint>
#include <string>

namespace orv {

class TReport;
class TUiServices;

// How a file export talks to the user: the toolbar's export follows the
// report's confirm and open settings; other exports are silent or show the
// confirmation and open the file.
struct TPdfFileExport {
    std::string fileName; // empty: a save dialog asks for one
    bool toolbarMode = false;
    bool silent = true;
    int32_t firstPage = 0;
    int32_t lastPage = 0;
    IPdfExportProgress* progress = nullptr; // shown unless silent
};

// Asks for a file name when the request has none, writes the pages under it
// with the extension ".PDF" (writeReportPdf) and tells the user how it went.
// Returns the name used, empty when nothing was written (the dialog
// cancelled, the export cancelled). A file that cannot be created throws
// after the user was told (unless silent).
std::string exportPdfFile(const TReport& report, TUiServices& ui, const TPdfFileExport& request);

} // namespace orv
