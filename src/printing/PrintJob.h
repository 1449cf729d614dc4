#pragma once

#include "render/PageRenderer.h"

#include <cstdint>
#include <optional>
#include <string>

namespace orv {

class TCurrentPrinter;
class TReport;
class TUiServices;

// What the print dialog opens with.
struct TPrintDialogPreset {
    int32_t pageCount = 0;
    int32_t startPage = 1, endPage = 1;
    int32_t copies = 1;
    bool collate = false, reverse = false, duplex = false;
    int32_t pagesPerSheet = 1;
    bool shrinkToFit = false;
};

// What the user confirmed in the print dialog.
struct TPrintChoices {
    enum class Range { All, CurrentPage, Pages };

    int32_t printerIndex = -1; // in the installed printer list
    Range range = Range::All;
    int32_t startPage = 1, endPage = 1; // for Range::Pages
    int32_t copies = 1;
    int32_t pageType = 0; // 0 even and odd, 1 odd only, 2 even only
    bool collate = false, duplex = false, reverse = false;
    int32_t pagesPerSheet = 1;
    bool colour = true;
    bool fitToPage = false;
};

// The modal print dialog: the user's choices, or nothing when cancelled.
// It may change the current printer while it is open.
class IPrintDialog {
public:
    virtual ~IPrintDialog() = default;
    virtual std::optional<TPrintChoices> ask(const TPrintDialogPreset& preset, TCurrentPrinter& printer) = 0;
};

// The progress window of a job started with the dialog: a bar stepped once
// per page drawn, and a way for the user to ask to cancel (aborted()).
class IPrintJobProgress : public IPrintProgress {
public:
    virtual void open(const std::string& caption, int32_t maximum) = 0;
    virtual void step() = 0;
    virtual void close() = 0;
};

// What a job needs besides the report: the printer to print on, the dialog
// (null: print with the settings as they are), the progress window shown
// with the dialog, the message boxes, and the page the viewer displays.
struct TPrintJobContext {
    TCurrentPrinter& printer;
    TUiServices& ui;
    IPrintDialog* dialog = nullptr;
    IPrintJobProgress* progress = nullptr;
    int32_t displayedPage = 1;
};

// Prints the report with its print settings (TReport::PrinterSetup):
// 0 when the job ran or the user cancelled it while printing, -1 when the
// print dialog was cancelled. A printer that cannot be reached or a job the
// print system refuses raises std::runtime_error.
int32_t runPrintJob(TReport& report, TPrintJobContext& context);

} // namespace orv
