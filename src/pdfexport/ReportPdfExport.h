#pragma once

#include <cstdint>
#include <string>

namespace orv {

class TReport;

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

// What writing a report to a PDF file came to.
enum class TPdfFileResult {
    Written,
    Cancelled,  // the user cancelled in the progress window; nothing written
    NotCreated, // the file could not be created; nothing written
};

// Writes pages first..last to `path` through a temporary file renamed into
// place: a failed or cancelled export leaves no file behind and never
// destroys an older one. The progress, when given, is started and finished
// here. Failures while building the document throw.
TPdfFileResult writeReportPdf(const TReport& report, const std::string& path, TPdfPageRange range,
                              IPdfExportProgress* progress);

} // namespace orv
