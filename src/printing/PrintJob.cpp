#include "printing/PrintJob.h"

#include "document/PaperSizes.h"
#include "document/Report.h"
#include "platform/CurrentDirectory.h"
#include "platform/Screen.h"
#include "printing/PrintCellPlacement.h"
#include "printing/PrintDocument.h"
#include "printing/PrintSheets.h"
#include "printing/PrinterForms.h"
#include "printing/PrinterInventory.h"

#include <QPainter>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <tuple>

namespace orv {

namespace {

constexpr const char* kNoPrinterAccess = "Could Not Access the Printer";
constexpr const char* kCustomFormName = "OrvCustomForm2";

// The job's own copy of what it prints, settled from the dialog or from the
// report's print settings.
struct TJobChoices {
    TPageRange range;
    int32_t pageType = PrintPageType::All;
    int32_t copies = 1;
    bool collate = false, reverse = false, duplex = false;
    int32_t pagesPerSheet = 1;
    bool colour = true;
    bool shrinkToFit = false;
    bool currentPageOnly = false;
};

// Closes the progress window however the job ends.
class TProgressWindow {
public:
    TProgressWindow(IPrintJobProgress* progress, const std::string& caption, int32_t maximum) : m_progress(progress)
    {
        if (m_progress)
            m_progress->open(caption, maximum);
    }
    ~TProgressWindow()
    {
        if (m_progress)
            m_progress->close();
    }
    void step()
    {
        if (m_progress)
            m_progress->step();
    }
    void processMessages()
    {
        if (m_progress)
            m_progress->processMessages();
    }
    bool cancelled() const { return m_progress && m_progress->aborted(); }
    IPrintProgress* renderProgress() const { return m_progress; }

private:
    IPrintJobProgress* m_progress;
};

class TPrintJob {
public:
    TPrintJob(TReport& report, TPrintJobContext& context) : m_report(report), m_context(context) {}

    int32_t run();

private:
    std::optional<TJobChoices> choices();
    TJobChoices choicesFromDialog(const TPrintChoices& dialog) const;
    TJobChoices choicesFromSettings() const;
    TPrintJobSettings documentSettings(const TJobChoices& job, const TPrinterCaps& caps, int32_t& copies) const;
    TSheetSettings sheetSettings(const TPageObject& page, int32_t pagesPerSheet);
    void printSheets(TPrintDocument& document, const TJobChoices& job, int32_t copies, const TPrinterCaps& caps,
                     TProgressWindow& progress);

    TReport& m_report;
    TPrintJobContext& m_context;
    std::set<std::tuple<std::string, int32_t, int32_t>> m_registeredForms;
};

TJobChoices TPrintJob::choicesFromSettings() const
{
    const TPrinterSetup& setup = m_report.PrinterSetup;
    TJobChoices job;
    job.range = {setup.StartPage, setup.EndPage};
    job.pageType = setup.PageType;
    job.copies = setup.Copies;
    job.collate = setup.Collate;
    job.reverse = setup.Reverse;
    job.duplex = setup.Duplex;
    job.pagesPerSheet = setup.PagesPerSheet;
    job.colour = setup.ColorOutput;
    job.shrinkToFit = setup.ShrinkToFit;
    return job;
}

TJobChoices TPrintJob::choicesFromDialog(const TPrintChoices& dialog) const
{
    TJobChoices job;
    switch (dialog.range) {
    case TPrintChoices::Range::All:
        job.range = {1, m_report.pageCount()};
        break;
    case TPrintChoices::Range::CurrentPage:
        job.range = {m_context.displayedPage, m_context.displayedPage};
        job.currentPageOnly = true;
        break;
    case TPrintChoices::Range::Pages:
        job.range = {dialog.startPage, dialog.endPage};
        break;
    }
    job.copies = dialog.copies;
    job.pageType = dialog.pageType;
    job.collate = dialog.collate;
    job.reverse = dialog.reverse;
    job.duplex = dialog.duplex;
    job.pagesPerSheet = dialog.pagesPerSheet;
    job.colour = dialog.colour;
    job.shrinkToFit = dialog.fitToPage;
    return job;
}

// The dialog's choices (also written back as the next job's pages per
// sheet, fit to page and duplex), or the report's settings without it.
std::optional<TJobChoices> TPrintJob::choices()
{
    TPrinterSetup& setup = m_report.PrinterSetup;
    if (!m_context.dialog) {
        m_context.printer.select(setup.PrinterIndex);
        return choicesFromSettings();
    }
    const int32_t rememberedPrinter = m_context.printer.index();
    TPrintDialogPreset preset;
    preset.pageCount = m_report.pageCount();
    preset.startPage = setup.StartPage;
    preset.endPage = setup.EndPage;
    preset.copies = setup.Copies;
    preset.collate = setup.Collate;
    preset.reverse = setup.Reverse;
    preset.duplex = setup.Duplex;
    preset.pagesPerSheet = setup.PagesPerSheet;
    preset.shrinkToFit = setup.ShrinkToFit;
    const std::optional<TPrintChoices> dialog = m_context.dialog->ask(preset, m_context.printer);
    if (!dialog) {
        m_context.printer.select(rememberedPrinter);
        return std::nullopt;
    }
    m_context.printer.select(dialog->printerIndex);
    setup.PagesPerSheet = static_cast<uint8_t>(dialog->pagesPerSheet);
    setup.ShrinkToFit = dialog->fitToPage;
    setup.Duplex = dialog->duplex;
    return choicesFromDialog(*dialog);
}

// The job-wide device settings come from the first page: its bin, and the
// colour, copies and duplex of the job. A printer that makes copies itself
// is asked for them, and the job then prints each sheet once.
TPrintJobSettings TPrintJob::documentSettings(const TJobChoices& job, const TPrinterCaps& caps,
                                              int32_t& copies) const
{
    const TPageObject& first = m_report.page(job.range.first);
    TPrintJobSettings settings;
    settings.printer = m_context.printer.name();
    settings.title = m_report.PrintJobTitle;
    settings.outputFile = m_report.PrinterSetup.FileName;
    settings.devicePpi = caps.dpiY;
    settings.colour = job.colour;
    settings.collate = job.collate;
    settings.paperBin = first.PaperBin;
    if (job.duplex && caps.duplex)
        settings.duplex = first.Width > first.Height ? 3 : 2;
    // A file receives the document itself, so its copies are printed here.
    if (caps.canCopy && settings.outputFile.empty() && copies > 1) {
        settings.copies = copies;
        copies = 1;
    }
    return settings;
}

// A page of user size prints on a user form registered on the printer,
// named after the page's form or a name of our own.
TSheetSettings TPrintJob::sheetSettings(const TPageObject& page, int32_t pagesPerSheet)
{
    const TSheetSize sheet = TSheetLayout{pagesPerSheet}.sheetSize(page.Width, page.Height);
    if (lookUpPaperSize(page.Width, page.Height) == kPaperUserDefined) {
        TPaperForm form;
        form.name = page.FormName.empty() ? kCustomFormName : page.FormName;
        form.width = form.right = formLength(Currency::fromInches(page.Width));
        form.height = form.bottom = formLength(Currency::fromInches(page.Height));
        // Registered once a job for each name and size, not on every sheet.
        if (m_registeredForms.insert({form.name, form.width, form.height}).second) {
            // An existing form of that name is set to this size instead.
            if (addPrinterForm(m_context.printer.name(), form) != 0)
                setPrinterForm(m_context.printer.name(), form);
        }
    }
    return TSheetSettings{sheet.width, sheet.height};
}

void TPrintJob::printSheets(TPrintDocument& document, const TJobChoices& job, int32_t copies,
                            const TPrinterCaps& caps, TProgressWindow& progress)
{
    TSheetRequest request;
    request.pages = job.range;
    request.pageType = job.currentPageOnly ? PrintPageType::All : job.pageType;
    request.copies = copies;
    request.collate = job.collate;
    request.reverse = job.reverse;
    request.pagesPerSheet = job.pagesPerSheet;
    request.tilesPerSide = tilesPerSide(m_report.PrinterScale);

    const double printableWidth = caps.dpiX > 0 ? static_cast<double>(caps.printableWidth) / caps.dpiX : 0;
    const double printableHeight = caps.dpiY > 0 ? static_cast<double>(caps.printableHeight) / caps.dpiY : 0;
    for (const TPlannedSheet& sheet : planSheets(request)) {
        if (sheet.startsGroup) {
            progress.processMessages();
            if (progress.cancelled())
                return;
        }
        const TPageObject& firstPage = m_report.page(sheet.cellPages.front());
        QPainter& painter = document.startSheet(sheetSettings(firstPage, job.pagesPerSheet));
        for (size_t cell = 0; cell < sheet.cellPages.size(); ++cell) {
            progress.step();
            TCellRequest place;
            place.pageNumber = sheet.cellPages[cell];
            place.cell = static_cast<int32_t>(cell) + 1;
            place.tileColumn = sheet.tileColumn;
            place.tileRow = sheet.tileRow;
            place.pagesPerSheet = job.pagesPerSheet;
            place.printerScalePercent = m_report.PrinterScale;
            place.devicePpi = caps.dpiY;
            place.shrinkToFit = job.shrinkToFit;
            place.printableWidth = printableWidth;
            place.printableHeight = printableHeight;
            TPrintPlacement placement = placePrintCell(m_report, place);
            placement.screenPpi = screenPixelsPerInch();
            placement.progress = progress.renderProgress();
            renderPageForPrint(painter, m_report, place.pageNumber, placement);
        }
        progress.processMessages();
        document.endSheet();
    }
}

int32_t TPrintJob::run()
{
    // A print system may change the current directory.
    TCurrentDirectoryGuard currentDirectory;
    std::optional<TJobChoices> job = choices();
    if (!job)
        return -1;
    const int32_t pageCount = m_report.pageCount();
    if (pageCount == 0 || job->copies < 1)
        return 0;
    if (!job->currentPageOnly)
        job->range = adjustForPageType(job->range, job->pageType);
    // Pages the report does not have are never asked for.
    job->range.first = std::clamp(job->range.first, 1, pageCount);
    job->range.last = std::clamp(job->range.last, job->range.first, pageCount);

    const std::optional<TPrinterCaps> caps = m_context.printer.caps();
    if (!caps || caps->dpiY <= 0)
        throw std::runtime_error(kNoPrinterAccess);
    m_report.PrinterOffsetXPixels = caps->offsetX;
    m_report.PrinterOffsetYPixels = caps->offsetY;

    int32_t copies = job->copies;
    TPrintDocument document(documentSettings(*job, *caps, copies));
    const int32_t progressMaximum = (job->range.last - job->range.first + 1) * job->copies;
    TProgressWindow progress(m_context.dialog ? m_context.progress : nullptr, "Printing " + m_report.PrintJobTitle,
                             progressMaximum);
    if (!document.start())
        throw std::runtime_error(document.errorText());
    printSheets(document, *job, copies, *caps, progress);
    if (progress.cancelled()) {
        document.abort();
        return 0;
    }
    if (!document.finish())
        throw std::runtime_error(document.errorText());
    return 0;
}

} // namespace

int32_t runPrintJob(TReport& report, TPrintJobContext& context)
{
    return TPrintJob(report, context).run();
}

} // namespace orv
