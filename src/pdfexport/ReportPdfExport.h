#pragma once

#include <cstdint>
#include <string>

namespace orv {

class TReport;
class TUiServices;

// The report pages an export covers: `first` limited to 1..page count,
// `last` to the page count (0 or less: the last page), swapped when
// reversed.
struct TPdfPageRange {
    int32_t first = 1;
    int32_t last = 1;
};
TPdfPageRange pdfPageRange(int32_t pageCount, int32_t first, int32_t last);

// The window a long file export shows: it advances by the report pages of
// each sheet written and lets the user cancel.
class IPdfExportProgress {
public:
    virtual ~IPdfExportProgress() = default;
    virtual void start(int32_t pageCount) = 0;
    virtual void advance(int32_t pages) = 0;
    virtual bool cancelled() = 0;
    virtual void finish() = 0;
};

// Pages first..last of the report as one PDF document, built from the
// report's PDF settings; pages per sheet as the report asks. `forFile`
// gives the document the report's own Creator entry.
std::string buildReportPdf(const TReport& report, TPdfPageRange range, bool forFile,
                           IPdfExportProgress* progress = nullptr);

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

// Writes the document under the file name with the extension ".PDF",
// through a temporary file renamed into place: a failed or cancelled export
// leaves no file behind and never destroys an older one. Returns the name
// used, empty when nothing was written (the dialog cancelled, the export
// cancelled). Failures to write throw after the user was told (unless
// silent).
std::string exportPdfFile(const TReport& report, TUiServices& ui, const TPdfFileExport& request);

} // namespace orv
