// The printer and print-job operations of the control: which printer is
// current, its metrics and paper forms, the print settings, and PrintReport.

#include "control/TORVREP.h"
#include "viewer/Preview.h"

#include "printing/PrintJob.h"
#include "printing/PrintConfirmDialog.h"
#include "printing/PrintOptionsDialog.h"
#include "printing/PrintProgressWindow.h"
#include "printing/PrinterForms.h"

#include <algorithm>
#include <memory>

namespace orv {

void TORVREP::initPrinting()
{
    // The count of the printer list the current printer has just read.
    m_printers.Count = m_currentPrinter.count();
    if (m_currentPrinter.index() >= 0) {
        readPrinterMetrics(*m_report, m_currentPrinter.caps());
        m_report->PrinterSetup.PrinterIndex = static_cast<int16_t>(m_currentPrinter.index());
    }
}

void TORVREP::selectPrinter(int32_t index)
{
    m_currentPrinter.select(index);
    readPrinterMetrics(*m_report, m_currentPrinter.caps());
    if (m_report->ShowPrinterMargins)
        m_report->contentChanged();
    m_report->PrinterSetup.PrinterIndex = static_cast<int16_t>(m_currentPrinter.index());
    refreshPrinterList();
}

void TORVREP::SetPrinterTo(const Variant& PrinterID)
{
    runTrapped([&] {
        if (PrinterID.isString()) {
            const int32_t found = m_currentPrinter.find(PrinterID.toString());
            if (found >= 0)
                selectPrinter(found);
        } else if (PrinterID.type() == VarType::I4) {
            put_PrinterID(PrinterID.toInt32());
        }
    });
}

int32_t TORVREP::get_PrinterID() { return m_currentPrinter.index() + 1; }

void TORVREP::put_PrinterID(int32_t value)
{
    runTrapped([&] {
        if (value == -1)
            selectPrinter(-1);
        else if (value >= 1 && value <= m_currentPrinter.count())
            selectPrinter(value - 1);
    });
}

int32_t TORVREP::get_CurrentPrinter() { return get_PrinterID(); }
std::string TORVREP::get_PrinterName() { return m_currentPrinter.name(); }
Variant TORVREP::get_PrinterPort() { return Variant(); }
int32_t TORVREP::get_PrinterCount() { return m_printers.Count; }

// Paper size, bin and copies belong to the print settings and the pages;
// these printer properties are accepted and ignored.
int32_t TORVREP::get_PrinterPaperWidth() { return 0; }
void TORVREP::put_PrinterPaperWidth(int32_t) {}
int32_t TORVREP::get_PrinterPaperHeight() { return 0; }
void TORVREP::put_PrinterPaperHeight(int32_t) {}
int32_t TORVREP::get_PrinterBinID() { return 0; }
void TORVREP::put_PrinterBinID(int32_t) {}
Variant TORVREP::get_PrinterBinName() { return Variant(); }
void TORVREP::put_PrinterBinName(const Variant&) {}
int32_t TORVREP::get_PrinterCopies() { return 0; }
void TORVREP::put_PrinterCopies(int32_t) {}
void TORVREP::put_PrinterPrintQuality(int32_t) {}
void TORVREP::put_PrinterCollate(int32_t) {}
void TORVREP::put_PrinterColor(int32_t) {}

int32_t TORVREP::get_PrinterPaperCount()
{
    return runTrapped([&] { return m_currentPrinter.caps().value_or(TPrinterCaps{}).paperCount; });
}

int32_t TORVREP::get_PrinterBinCount()
{
    return runTrapped([&] { return m_currentPrinter.caps().value_or(TPrinterCaps{}).binCount; });
}

int32_t TORVREP::get_PrinterPhysicalOffsetX() { return m_report->PrinterOffsetXPixels; }
int32_t TORVREP::get_PrinterPhysicalOffsetY() { return m_report->PrinterOffsetYPixels; }

// The current printer's default settings: its resolution as print quality
// and vertical resolution, colour mode 2 for a colour printer and 1 for a
// monochrome one, and no collation, which a printer leaves to the job.
int32_t TORVREP::get_PrinterYResolution()
{
    return runTrapped([&] { return m_currentPrinter.caps().value_or(TPrinterCaps{}).dpiY; });
}

int32_t TORVREP::get_PrinterPrintQuality()
{
    return runTrapped([&] { return m_currentPrinter.caps().value_or(TPrinterCaps{}).dpiX; });
}

int32_t TORVREP::get_PrinterCollate() { return 0; }

int32_t TORVREP::get_PrinterColor()
{
    return runTrapped([&] {
        const std::optional<TPrinterCaps> caps = m_currentPrinter.caps();
        return caps ? (caps->colour ? 2 : 1) : 0;
    });
}

int32_t TORVREP::get_PrinterScale() { return m_report->PrinterScale; }

void TORVREP::put_PrinterScale(int32_t value)
{
    if (value >= 2 && value <= 399)
        m_report->PrinterScale = value;
}

Variant TORVREP::PrinterAddForm(const Variant& cFormName, Currency nFormWidth, Currency nFormHeight,
                                Currency nLeftMargin, Currency nTopMargin, Currency nRightMargin,
                                Currency nBottomMargin, const Variant& cPrinterName)
{
    return runTrapped([&] {
        m_lastError = 0;
        TPaperForm form;
        form.name = cFormName.toString();
        form.width = formLength(nFormWidth);
        form.height = formLength(nFormHeight);
        form.left = formLength(nLeftMargin);
        form.top = formLength(nTopMargin);
        form.right = formLength(Currency{nFormWidth.scaled - nRightMargin.scaled});
        form.bottom = formLength(Currency{nFormHeight.scaled - nBottomMargin.scaled});
        const std::string printer = cPrinterName.isString() ? cPrinterName.toString() : m_currentPrinter.name();
        m_lastError = addPrinterForm(printer, form);
        return Variant(m_lastError == 0);
    });
}

Variant TORVREP::PrinterDeleteForm(const Variant& cFormName, const Variant& cPrinterName)
{
    return runTrapped([&] {
        m_lastError = 0;
        const std::string printer = cPrinterName.isString() ? cPrinterName.toString() : m_currentPrinter.name();
        m_lastError = deletePrinterForm(printer, cFormName.toString());
        return Variant(m_lastError == 0);
    });
}

// Runs a job on the given printer and pages with the other print settings
// as they are; the page range, prompting and duplex settings are restored
// afterwards, while the printer, page type and output file stay for later
// jobs.
Variant TORVREP::PrintReport(const Variant& PrinterID, int32_t nStartPage, int32_t nEndPage, int32_t nPageType,
                             const Variant& cFileName, bool)
{
    return runTrapped([&] {
        TPrinterSetup& setup = m_report->PrinterSetup;
        const TPrinterSetup remembered = setup;
        const int32_t pageCount = m_report->pageCount();
        bool forceDialog = false;
        if (PrinterID.isString()) {
            const int32_t found = m_currentPrinter.find(PrinterID.toString());
            if (found >= 0)
                setup.PrinterIndex = static_cast<int16_t>(found);
        } else if (PrinterID.isNumeric()) {
            const int32_t number = PrinterID.toInt32();
            if (number == -1)
                selectPrinter(-1);
            else if (number < -1 || number == 0 || number > m_currentPrinter.count())
                forceDialog = true;
            else if (PrinterID.type() == VarType::I4)
                setup.PrinterIndex = static_cast<int16_t>(number - 1);
        }
        setup.StartPage = std::min(std::max(nStartPage, 1), pageCount);
        setup.EndPage = std::max(std::min(nEndPage == 0 ? pageCount : nEndPage, pageCount), 1);
        if (nPageType >= 0 && nPageType <= 2)
            setup.PageType = static_cast<uint8_t>(nPageType);
        setup.FileName = cFileName.isString() ? cFileName.toString() : std::string();

        struct TRestore {
            TPrinterSetup& setup;
            const TPrinterSetup& remembered;
            ~TRestore()
            {
                setup.PromptForPrint = remembered.PromptForPrint;
                setup.Duplex = remembered.Duplex;
                setup.StartPage = remembered.StartPage;
                setup.EndPage = remembered.EndPage;
            }
        } restore{setup, remembered};
        return Variant(printWithCurrentSettings(setup.PromptForPrint || forceDialog));
    });
}

// With the prompt, the real print dialog and progress window appear over
// the host's window; a host that answers dialogs itself confirms the job in
// a message box instead.
int32_t TORVREP::printWithCurrentSettings(bool prompt)
{
    std::unique_ptr<IPrintDialog> dialog;
    std::unique_ptr<IPrintJobProgress> progress;
    if (prompt && m_ownedUi) {
        dialog = std::make_unique<TPrintOptionsDialog>(*m_report, *m_ui, window());
        progress = std::make_unique<TPrintProgressWindow>(*m_ui, window());
    } else if (prompt) {
        dialog = std::make_unique<TPrintConfirmDialog>(*m_ui);
    }
    TPrintJobContext context{m_currentPrinter, *m_ui, dialog.get(), progress.get(),
                             std::max(m_report->viewPageNumber(), 1)};
    return runPrintJob(*m_report, context);
}

bool TORVREP::get_DisplayPrinterList() { return m_displayPrinterList; }
void TORVREP::put_DisplayPrinterList(bool value)
{
    m_displayPrinterList = value;
    m_preview->setControlShown("cboPrinters", value);
}

// --- print settings

std::string TORVREP::get_PrintJobTitle() { return m_report->PrintJobTitle; }
void TORVREP::put_PrintJobTitle(const std::string& value) { m_report->PrintJobTitle = value; }
bool TORVREP::get_PrintPromptForPrint() { return m_report->PrinterSetup.PromptForPrint; }
void TORVREP::put_PrintPromptForPrint(bool value) { m_report->PrinterSetup.PromptForPrint = value; }
int32_t TORVREP::get_PrintStartPage() { return m_report->PrinterSetup.StartPage; }

void TORVREP::put_PrintStartPage(int32_t value)
{
    if (value >= 0)
        m_report->PrinterSetup.StartPage = value;
}

int32_t TORVREP::get_PrintEndPage() { return m_report->PrinterSetup.EndPage; }

void TORVREP::put_PrintEndPage(int32_t value)
{
    if (value >= 0)
        m_report->PrinterSetup.EndPage = value;
}

int32_t TORVREP::get_PrintCopies() { return m_report->PrinterSetup.Copies; }

void TORVREP::put_PrintCopies(int32_t value)
{
    if (value >= 1)
        m_report->PrinterSetup.Copies = value;
}

bool TORVREP::get_PrintColor() { return m_report->PrinterSetup.ColorOutput; }
void TORVREP::put_PrintColor(bool value) { m_report->PrinterSetup.ColorOutput = value; }
bool TORVREP::get_PrintCollatePages() { return m_report->PrinterSetup.Collate; }
void TORVREP::put_PrintCollatePages(bool value) { m_report->PrinterSetup.Collate = value; }
bool TORVREP::get_PrintReversePages() { return m_report->PrinterSetup.Reverse; }
void TORVREP::put_PrintReversePages(bool value) { m_report->PrinterSetup.Reverse = value; }
bool TORVREP::get_PrintDuplex() { return m_report->PrinterSetup.Duplex; }
void TORVREP::put_PrintDuplex(bool value) { m_report->PrinterSetup.Duplex = value; }
bool TORVREP::get_PrintShrinkToFit() { return m_report->PrinterSetup.ShrinkToFit; }
void TORVREP::put_PrintShrinkToFit(bool value) { m_report->PrinterSetup.ShrinkToFit = value; }
float TORVREP::get_nXPrintOffset() { return singleOfCurrency(m_report->PrintOffsetX); }
void TORVREP::put_nXPrintOffset(float value)
{
    runTrapped([&] { m_report->PrintOffsetX = currencyOfSingle(value); });
}
float TORVREP::get_nYPrintOffset() { return singleOfCurrency(m_report->PrintOffsetY); }
void TORVREP::put_nYPrintOffset(float value)
{
    runTrapped([&] { m_report->PrintOffsetY = currencyOfSingle(value); });
}

// A percentage the host may keep with the report; printing scales by
// PrinterScale instead.
int32_t TORVREP::get_nPrintScale() { return m_storedPrintScale; }

void TORVREP::put_nPrintScale(int32_t value)
{
    if (value >= 1 && value <= 1000)
        m_storedPrintScale = value;
}

bool TORVREP::get_DisplayPrintButton() { return m_displayPrintButton; }
void TORVREP::put_DisplayPrintButton(bool value)
{
    m_displayPrintButton = value;
    m_preview->setControlShown("cmdPrintReport", value);
}

} // namespace orv
