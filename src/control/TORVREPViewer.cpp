// The preview's operations of the control: zoom, display settings, toolbar
// switches and host buttons, and the work and events behind the preview's
// own buttons, menus, mouse and keys.

#include "control/TORVREP.h"

#include "control/EngineError.h"
#include "document/GraphicObjects.h"
#include "platform/ClipboardPicture.h"
#include "platform/UiServices.h"
#include "viewer/Preview.h"

#include <QVBoxLayout>

#include <algorithm>

namespace orv {

namespace {

Colour colourValue(int32_t value) { return static_cast<Colour>(value); }

QColor qColourOf(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

int32_t colourOf(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }

// Optional text arguments: missing or empty reads as empty.
QString optionalText(const Variant& value)
{
    return value.isMissing() || value.isEmpty() ? QString() : QString::fromStdString(value.toString());
}

} // namespace

void TORVREP::initPreview()
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    m_preview = new TPreview(*m_report, m_interfaceTexts, *this, this);
    column->addWidget(m_preview);
    refreshPrinterList();
    m_preview->setControlShown("cboPrinters", m_displayPrinterList);
    m_preview->setControlShown("cmdSaveToPDF", m_displayPdfButton);
    m_preview->setControlShown("cmdSaveAsImage", m_displaySaveAsImageButton);
    m_preview->setControlShown("cmdPrintReport", m_displayPrintButton);
}

void TORVREP::refreshPrinterList()
{
    if (!m_preview)
        return;
    std::vector<std::string> names;
    for (const TInstalledPrinter& printer : m_currentPrinter.printers())
        names.push_back(printer.name);
    m_preview->setPrinters(names, m_currentPrinter.index());
}

template <class Body>
void TORVREP::runFromViewer(Body&& body)
{
    try {
        runTrapped(body);
    } catch (const EngineError& failure) {
        m_ui->showMessage("Orv Report Engine", failure.what(), TUiServices::Icon::Error, TUiServices::Buttons::Ok);
    }
}

// --- zoom ---------------------------------------------------------------------------------

int32_t TORVREP::get_Scale() { return m_preview->zoomPercent(); }
void TORVREP::put_Scale(int32_t value) { m_preview->setScale(value); }
int32_t TORVREP::get_nCurrentScale() { return m_preview->zoomPercent(); }
void TORVREP::put_nCurrentScale(int32_t) {}
int32_t TORVREP::get_nZoomScale() { return m_preview->zoomStep(); }
void TORVREP::put_nZoomScale(int32_t value) { m_preview->setZoomStep(value); }
void TORVREP::ZoomIn() { m_preview->zoomBy(m_preview->zoomStep()); }
void TORVREP::ZoomOut() { m_preview->zoomBy(-m_preview->zoomStep()); }

// --- what the page area shows ---------------------------------------------------------------

float TORVREP::get_nXOffset() { return m_xOffset; }

void TORVREP::put_nXOffset(float value)
{
    m_xOffset = value;
    m_report->PreviewOffsetX = Currency::fromInches(value);
    m_report->contentChanged();
}

float TORVREP::get_nYOffset() { return m_yOffset; }

void TORVREP::put_nYOffset(float value)
{
    m_yOffset = value;
    m_report->PreviewOffsetY = Currency::fromInches(value);
    m_report->contentChanged();
}

int32_t TORVREP::get_nBackgroundColor() { return colourOf(m_preview->backgroundColor()); }
void TORVREP::put_nBackgroundColor(int32_t value) { m_preview->setBackgroundColor(qColourOf(value)); }
int32_t TORVREP::get_nPaperColor() { return static_cast<int32_t>(m_report->PaperColor); }

void TORVREP::put_nPaperColor(int32_t value)
{
    m_report->PaperColor = colourValue(value);
    m_report->contentChanged();
}

bool TORVREP::get_DisplayGrid() { return m_report->ShowGrid; }

void TORVREP::put_DisplayGrid(bool value)
{
    m_report->ShowGrid = value;
    m_preview->setGridButtonPressed(value);
    m_report->contentChanged();
}

int32_t TORVREP::get_nGridColor() { return static_cast<int32_t>(m_report->GridColor); }

void TORVREP::put_nGridColor(int32_t value)
{
    m_report->GridColor = colourValue(value);
    m_report->contentChanged();
}

int32_t TORVREP::get_DisplayPagesPerPage() { return m_report->ViewPagesPerSheet; }

// Stored only: the page shows the new scale at its next paint.
void TORVREP::put_DisplayPagesPerPage(int32_t value)
{
    if (value == 1 || value == 2 || value == 4 || value == 8)
        m_report->ViewPagesPerSheet = static_cast<uint8_t>(value);
}

int32_t TORVREP::get_DisplayPageMode() { return 0; }
void TORVREP::put_DisplayPageMode(int32_t) {}
bool TORVREP::get_DisplayPageBorder() { return m_report->ShowPageBorder; }

void TORVREP::put_DisplayPageBorder(bool value)
{
    m_report->ShowPageBorder = value;
    m_report->contentChanged();
}

int32_t TORVREP::get_DisplayPageBorderSize() { return m_report->PageBorderSize; }

void TORVREP::put_DisplayPageBorderSize(int32_t value)
{
    m_report->PageBorderSize = static_cast<uint8_t>(std::clamp(value, 0, 255));
    m_preview->relayout();
}

int32_t TORVREP::get_DisplayPaperStyle() { return m_report->PaperStyle; }

void TORVREP::put_DisplayPaperStyle(int32_t value)
{
    if (value < 0)
        return;
    m_report->PaperStyle = value;
    m_report->contentChanged();
}

bool TORVREP::get_DisplayPrinterMargins() { return m_report->ShowPrinterMargins; }

void TORVREP::put_DisplayPrinterMargins(bool value)
{
    runTrapped([&] {
        readPrinterMetrics(*m_report, m_currentPrinter.caps());
        m_report->ShowPrinterMargins = value;
        m_preview->relayout();
        m_report->contentChanged();
    });
}

int32_t TORVREP::get_DisplayUnitOfMeasure() { return static_cast<int32_t>(m_preview->unitOfMeasure()); }
void TORVREP::put_DisplayUnitOfMeasure(int32_t value) { m_preview->setUnitOfMeasure(value); }

// --- toolbar and menus --------------------------------------------------------------------

bool TORVREP::get_DisplayToolbar() { return m_preview->toolbarShown(); }
void TORVREP::put_DisplayToolbar(bool value) { m_preview->setToolbarShown(value); }
int32_t TORVREP::get_DisplayToolbarStyle() { return m_preview->toolbarStyle(); }
void TORVREP::put_DisplayToolbarStyle(int32_t value) { m_preview->setToolbarStyle(value); }
bool TORVREP::get_DisplayStatusBar() { return m_preview->statusBarShown(); }
void TORVREP::put_DisplayStatusBar(bool) {}
int32_t TORVREP::get_DisplayPopupMenu() { return m_report->PopupMenuMode; }
void TORVREP::put_DisplayPopupMenu(int32_t value) { m_report->PopupMenuMode = value; }

bool TORVREP::get_DisplayZoomButtons() { return m_preview->controlShown("cmdZoomIn"); }

void TORVREP::put_DisplayZoomButtons(bool value)
{
    m_preview->setControlShown("cmdZoomIn", value);
    m_preview->setControlShown("cmdZoomOut", value);
}

bool TORVREP::get_DisplayPageScale() { return m_preview->controlShown("txtScale"); }

void TORVREP::put_DisplayPageScale(bool value)
{
    m_preview->setControlShown("txtScale", value);
    m_preview->setControlShown("cmdZoomPreview", value);
}

#define ORV_TOOLBAR_SWITCH(Name, Control)                                          \
    bool TORVREP::get_##Name() { return m_preview->controlShown(Control); }       \
    void TORVREP::put_##Name(bool value) { m_preview->setControlShown(Control, value); }

ORV_TOOLBAR_SWITCH(DisplayActualSizeButton, "cmdActualSize")
ORV_TOOLBAR_SWITCH(DisplayFitToWidthButton, "cmdFitToWidth")
ORV_TOOLBAR_SWITCH(DisplayFitInWindowButton, "cmdFitInWindow")
ORV_TOOLBAR_SWITCH(DisplayGridButton, "cmdGrid")
ORV_TOOLBAR_SWITCH(DisplayHelpButton, "cmdHelp")
ORV_TOOLBAR_SWITCH(DisplayPageSize, "txtPageSize")
ORV_TOOLBAR_SWITCH(DisplayNewPageButton, "cmdNewPage")
ORV_TOOLBAR_SWITCH(DisplayDeletePageButton, "cmdDeletePage")
ORV_TOOLBAR_SWITCH(DisplayPageScroller, "PagePosScrollbar")

#undef ORV_TOOLBAR_SWITCH

bool TORVREP::get_DisplayPageNavigation() { return m_preview->controlShown("cmdFirstPage"); }
void TORVREP::put_DisplayPageNavigation(bool value) { m_preview->setNavigationShown(value); }

void TORVREP::AddToolbarButton(const Variant& cName, const Variant& cBitmapFileName, const Variant& cHint,
                               int32_t nPosition)
{
    runTrapped([&] {
        m_preview->addToolbarButton(QString::fromStdString(cName.toString()), optionalText(cBitmapFileName),
                                    optionalText(cHint), std::max(nPosition, 1));
    });
}

// --- the preview's buttons and menus ------------------------------------------------------

void TORVREP::saveToPdf() { saveToPdfFromViewer(); }
void TORVREP::saveAsImage() { saveAsImageFromViewer(); }
void TORVREP::printReport() { printFromViewer(); }

void TORVREP::emailReport() { emailFromViewer(); }

void TORVREP::addDocument()
{
    runFromViewer([&] {
        const std::optional<std::string> chosen =
            m_ui->openFileName("Add Document", "Documents (*.doc *.docx *.odt *.rtf);;All files (*)", "");
        if (chosen)
            AddWordDocument(Variant(std::string("Document")), Variant(*chosen));
    });
}

void TORVREP::newPage()
{
    runFromViewer([&] { NewPage(8.5f, 11.0f); });
}

void TORVREP::deletePage()
{
    runFromViewer([&] { DeletePage(); });
}

void TORVREP::showHelp()
{
    runFromViewer([&] {
        if (!m_helpFile.empty())
            m_ui->openDocument(m_helpFile);
    });
}

void TORVREP::copyViewPage()
{
    runFromViewer([&] { CopyPageToClipboard(m_report->viewPageNumber()); });
}

void TORVREP::showAbout() { AboutBox(); }

void TORVREP::choosePrinter(int32_t index)
{
    runFromViewer([&] { selectPrinter(index); });
}

void TORVREP::placeClipboardPicture(const QRectF& inches, int32_t imageScaling)
{
    runFromViewer([&] {
        if (std::optional<TClipboardPicture> picture = TClipboardPicture::take()) {
            addClipboardPicture(m_report->TempFiles, m_report->viewPage(), *picture, std::string(),
                                TObjectPlace::fromInches(static_cast<float>(inches.left()),
                                                         static_cast<float>(inches.top()),
                                                         static_cast<float>(inches.width()),
                                                         static_cast<float>(inches.height())),
                                imageScaling);
            m_report->contentChanged();
        }
    });
}

// --- events -------------------------------------------------------------------------------

void TORVREP::pageClicked(int32_t pageNumber, float x, float y)
{
    fireEvent([&](IOrvReportEngineEvents& sink) { sink.OnPageClick(pageNumber, x, y); });
}

void TORVREP::beforePagePrint(int32_t pageNumber)
{
    fireEvent([&](IOrvReportEngineEvents& sink) { sink.BeforePagePrint(pageNumber); });
}

void TORVREP::clicked()
{
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnClick(); });
}

void TORVREP::doubleClicked()
{
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnDblClick(); });
}

void TORVREP::keyPressed(int16_t& key)
{
    fireEvent([&](IOrvReportEngineEvents& sink) { sink.OnKeyPress(key); });
}

void TORVREP::painted()
{
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnPaint(); });
}

void TORVREP::activated()
{
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnActivate(); });
}

void TORVREP::deactivated()
{
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnDeactivate(); });
}

void TORVREP::toolbarButtonClicked(const std::string& name)
{
    fireEvent([&](IOrvReportEngineEvents& sink) { sink.OnToolbarButtonClick(name); });
}

} // namespace orv
