#include "control/TORVREP.h"

#include "control/Version.h"
#include "platform/AsciiText.h"
#include "platform/ProcessInfo.h"
#include "platform/QtUiServices.h"
#include "printing/PrinterServices.h"
#include "viewer/Preview.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <limits>

namespace orv {

namespace {

// Byte counts of today's machines exceed 32 bits; those come back as a
// Double so that no value is cut.
Variant countVariant(int64_t value)
{
    if (value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max())
        return static_cast<int32_t>(value);
    return static_cast<double>(value);
}

Colour colourOf(const QColor& c)
{
    return static_cast<Colour>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

QColor qColourOf(int32_t value)
{
    const auto v = static_cast<uint32_t>(value);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

// Cursor numbers as hosts know them (0 default, -2 arrow ...).
Qt::CursorShape cursorShapeOf(int16_t cursor)
{
    switch (cursor) {
    case -3:
        return Qt::CrossCursor;
    case -4:
        return Qt::IBeamCursor;
    case -6:
        return Qt::SizeBDiagCursor;
    case -7:
        return Qt::SizeVerCursor;
    case -8:
        return Qt::SizeFDiagCursor;
    case -9:
        return Qt::SizeHorCursor;
    case -10:
        return Qt::UpArrowCursor;
    case -11:
    case -19:
        return Qt::WaitCursor;
    case -12:
    case -13:
        return Qt::DragMoveCursor;
    case -18:
        return Qt::ForbiddenCursor;
    case -21:
        return Qt::PointingHandCursor;
    case -22:
        return Qt::SizeAllCursor;
    default:
        return Qt::ArrowCursor;
    }
}

// Swallows tooltip events while tips are switched off.
class TooltipSuppressor : public QObject {
protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ToolTip; }
};

} // namespace

TORVREP::TORVREP(QWidget* parent)
    : TORVREP(parent, Options{})
{
}

TORVREP::TORVREP(QWidget* parent, const Options& options)
    : QWidget(parent)
    , m_designMode(options.designMode)
{
    if (options.ui) {
        m_ui = options.ui;
    } else {
        m_ownedUi = std::make_unique<TQtUiServices>(this);
        m_ui = m_ownedUi.get();
    }
    m_report = std::make_unique<TReport>(static_cast<IReportObserver*>(this));
    m_report->VersionText = kVersionText;
    m_report->GdiPlusAvailable = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    initPrinting();
    initPreview();
    if (options.sink)
        Advise(options.sink);
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnCreate(); });
}

TORVREP::~TORVREP()
{
    m_tooltipFilter.reset();
    // The preview goes before the report it shows.
    delete m_preview;
    m_preview = nullptr;
    // Frees the pages and deletes the report's temporary files.
    m_report.reset();
    fireEvent([](IOrvReportEngineEvents& sink) { sink.OnDestroy(); });
}

uint32_t TORVREP::Advise(IOrvReportEngineEvents* sink)
{
    return runTrapped([&] {
        if (!sink)
            throw std::invalid_argument("Advise: no event sink given");
        const uint32_t cookie = m_nextCookie++;
        m_sinks[cookie] = sink;
        return cookie;
    });
}

void TORVREP::Unadvise(uint32_t cookie)
{
    runTrapped([&] {
        if (m_sinks.erase(cookie) == 0)
            throw std::invalid_argument("Unadvise: no connection has cookie " + std::to_string(cookie));
    });
}

// --- IReportObserver ---------------------------------------------------------

void TORVREP::reportLayoutChanged()
{
    if (m_preview)
        m_preview->relayout();
    emit layoutRequested();
}

void TORVREP::reportContentChanged()
{
    if (m_preview)
        m_preview->repaintPage();
    emit repaintRequested();
}

void TORVREP::reportNavigationChanged()
{
    if (m_preview)
        m_preview->followNavigation();
    emit navigationRequested();
}

void TORVREP::reportBackgroundChanged(bool on)
{
    if (m_preview)
        m_preview->setBackgroundProcessing(on);
    emit backgroundProcessingSwitched(on);
}

// --- the form container ------------------------------------------------------------

bool TORVREP::get_Visible() { return isVisible(); }
void TORVREP::put_Visible(bool value) { setVisible(value); }
bool TORVREP::get_AutoScroll() { return m_autoScroll; }
void TORVREP::put_AutoScroll(bool value) { m_autoScroll = value; }
bool TORVREP::get_AutoSize() { return m_autoSize; }
void TORVREP::put_AutoSize(bool value) { m_autoSize = value; }
std::string TORVREP::get_Caption() { return windowTitle().toStdString(); }
void TORVREP::put_Caption(const std::string& value) { setWindowTitle(QString::fromStdString(value)); }
int32_t TORVREP::get_Color() { return static_cast<int32_t>(colourOf(palette().color(QPalette::Window))); }

void TORVREP::put_Color(int32_t value)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, qColourOf(value));
    setPalette(colours);
    setAutoFillBackground(true);
}

bool TORVREP::get_KeyPreview() { return m_keyPreview; }
void TORVREP::put_KeyPreview(bool value) { m_keyPreview = value; }
int32_t TORVREP::get_PixelsPerInch() { return logicalDpiY(); }
void TORVREP::put_PixelsPerInch(int32_t) {}
bool TORVREP::get_Scaled() { return m_scaled; }
void TORVREP::put_Scaled(bool value) { m_scaled = value; }
bool TORVREP::get_Active() { return isActiveWindow(); }

void TORVREP::put_Active(bool value)
{
    if (value)
        activateWindow();
}

bool TORVREP::get_DropTarget() { return acceptDrops(); }
void TORVREP::put_DropTarget(bool value) { setAcceptDrops(value); }
std::string TORVREP::get_HelpFile() { return m_helpFile; }
void TORVREP::put_HelpFile(const std::string& value) { m_helpFile = value; }
bool TORVREP::get_DoubleBuffered() { return m_doubleBuffered; }
void TORVREP::put_DoubleBuffered(bool value) { m_doubleBuffered = value; }
bool TORVREP::get_AlignDisabled() { return m_alignDisabled; }
void TORVREP::put_AlignDisabled(bool value) { m_alignDisabled = value; }
int32_t TORVREP::get_VisibleDockClientCount() { return 0; }
void TORVREP::put_VisibleDockClientCount(int32_t) {}
bool TORVREP::get_Enabled() { return isEnabled(); }
void TORVREP::put_Enabled(bool value) { setEnabled(value); }
int16_t TORVREP::get_Cursor() { return m_cursor; }

void TORVREP::put_Cursor(int16_t value)
{
    m_cursor = value;
    setCursor(cursorShapeOf(value));
}

std::string TORVREP::get_HelpKeyword() { return m_helpKeyword; }
void TORVREP::put_HelpKeyword(const std::string& value) { m_helpKeyword = value; }

// --- report-wide information and settings --------------------------------------------

void TORVREP::AboutBox()
{
    runTrapped([&] {
        m_ui->showMessage("About Orv Report Engine", "Version: " + m_report->VersionText,
                          TUiServices::Icon::Information, TUiServices::Buttons::Ok);
    });
}

std::string TORVREP::get_Version()
{
    return m_report->VersionText;
}

Variant TORVREP::ReportInfo(int32_t nParameter)
{
    return runTrapped([&]() -> Variant {
        switch (nParameter) {
        case 0:
            return m_report->pageCount();
        case 1:
            return m_report->totalObjectCount();
        case 2:
            return static_cast<int32_t>(m_report->Fonts.size());
        case 100:
            return static_cast<int32_t>(installedPrinters().size());
        case 200:
            return 0;
        case 1100:
            showProcessReport();
            return -1;
        case 1101:
            return countVariant(currentProcessId());
        case 1102:
            return countVariant(currentThreadId());
        default:
            break;
        }
        if (nParameter >= 1000 && nParameter <= 1006) {
            const MemoryStatus status = readMemoryStatus();
            const int64_t values[] = {status.recordSize,    status.memoryLoadPercent, status.totalPhysical,
                                      status.totalPageFile, status.availablePageFile, status.totalVirtual,
                                      status.availableVirtual};
            return countVariant(values[nParameter - 1000]);
        }
        if (nParameter >= 1103 && nParameter <= 1111) {
            const std::optional<ProcessCounters> counters = readProcessCounters();
            if (!counters)
                return -1;
            const int64_t values[] = {counters->workingSet,    counters->peakWorkingSet, counters->nonPagedPool,
                                      counters->peakNonPagedPool, counters->pagedPool,   counters->peakPagedPool,
                                      counters->pageFaults,    counters->pageFileUsage,  counters->peakPageFileUsage};
            return countVariant(values[nParameter - 1103]);
        }
        return -1;
    });
}

void TORVREP::showProcessReport()
{
    const std::optional<ProcessCounters> counters = readProcessCounters();
    if (!counters)
        return;
    auto kb = [](int64_t bytes) { return std::to_string(bytes / 1024) + " KB"; };
    const std::string text = operatingSystemLine() + "\r\r"
        + "Process ID: " + std::to_string(currentProcessId()) + "\r"
        + "Thread ID: " + std::to_string(currentThreadId()) + "\r\r"
        + "Working Set Size: " + kb(counters->workingSet) + "\r"
        + "Working Set Size Peak: " + kb(counters->peakWorkingSet) + "\r\r"
        + "Quota Non Paged Pool Usage: " + kb(counters->nonPagedPool) + "\r"
        + "Quota Peak Non Paged Pool Usage: " + kb(counters->peakNonPagedPool) + "\r"
        + "Quota Paged Pool Usage: " + kb(counters->pagedPool) + "\r"
        + "Quota Peak Paged Pool Usage: " + kb(counters->peakPagedPool) + "\r\r"
        + "Page Fault Count: " + std::to_string(counters->pageFaults) + "\r"
        + "Page File Usage: " + kb(counters->pageFileUsage) + "\r"
        + "Peak Page File Usage: " + kb(counters->peakPageFileUsage) + "\r\r"
        + "Font Count: " + std::to_string(m_report->Fonts.size()) + "\r"
        + "Object Count: " + std::to_string(m_report->totalObjectCount());
    m_ui->showMessage("Orv Report Engine", text, TUiServices::Icon::Information, TUiServices::Buttons::Ok);
}

int32_t TORVREP::get_LastError() { return m_lastError; }
std::string TORVREP::get_LastErrorMessage() { return m_lastErrorMessage; }
int32_t TORVREP::get_nLastError() { return 0; }
void TORVREP::put_nLastError(int32_t) {}
bool TORVREP::get_ProcessInBackground() { return m_report->processInBackground(); }

void TORVREP::put_ProcessInBackground(bool value)
{
    runTrapped([&] { m_report->setProcessInBackground(value); });
}

int32_t TORVREP::get_nRedraws() { return m_report->RedrawCount; }
bool TORVREP::get_InDesignMode() { return m_designMode; }

int32_t TORVREP::get_ParentWindow()
{
    return parentWidget() ? static_cast<int32_t>(parentWidget()->effectiveWinId()) : 0;
}

int32_t TORVREP::get_nHDC() { return static_cast<int32_t>(effectiveWinId()); }
void TORVREP::put_nHDC(int32_t) {}
int32_t TORVREP::get_GDIPlusEnabled() { return m_report->GdiPlusAvailable ? 1 : 0; }
int32_t TORVREP::get_GDIPlusTextRenderingHint() { return m_report->TextRenderingHint; }

void TORVREP::put_GDIPlusTextRenderingHint(int32_t value)
{
    if (value >= 0 && value <= 5)
        m_report->TextRenderingHint = value;
}

int32_t TORVREP::get_HelpContextID() { return m_helpContextId; }
void TORVREP::put_HelpContextID(int32_t value) { m_helpContextId = value; }
bool TORVREP::get_ShowTips() { return m_showTips; }

void TORVREP::put_ShowTips(bool value)
{
    m_showTips = value;
    if (value) {
        m_tooltipFilter.reset();
    } else if (!m_tooltipFilter && QCoreApplication::instance()) {
        m_tooltipFilter = std::make_unique<TooltipSuppressor>();
        QCoreApplication::instance()->installEventFilter(m_tooltipFilter.get());
    }
}

int32_t TORVREP::get_PictureJPEGSpeed() { return m_pictureJpegSpeed; }
void TORVREP::put_PictureJPEGSpeed(int32_t value) { m_pictureJpegSpeed = value; }

void TORVREP::SetAll(const Variant& cProperty, const Variant& Value, const Variant&, int32_t nStartRange,
                     int32_t nEndRange)
{
    runTrapped([&] {
        const int32_t count = m_report->pageCount();
        int32_t first = nStartRange == 0 ? 0 : nStartRange - 1;
        int32_t last = nEndRange == 0 ? count - 1 : nEndRange - 1;
        if (last < first)
            std::swap(first, last);
        first = std::max(first, 0);
        last = std::min(last, count - 1);

        const std::string name = asciiUpper(cProperty.toString());
        for (int32_t index = first; index <= last; ++index) {
            TPageObject& target = m_report->page(index + 1);
            TWaterMarkObject& mark = target.WaterMark;
            if (name == "PAPERBIN")
                target.PaperBin = Value.toInt32();
            else if (name == "MEDIATYPE")
                target.MediaType = Value.toInt32();
            else if (name == "WATERMARKTEXT")
                mark.Text = Value.toString();
            else if (name == "WATERMARKROTATIONANGLE")
                mark.RotationAngle = Value.toInt32();
            else if (name == "WATERMARKFONTSIZE")
                mark.FontSize = Value.toInt32();
            else if (name == "WATERMARKFORECOLOR")
                mark.ForeColor = static_cast<Colour>(Value.toInt32());
            else if (name == "WATERMARKFONTNAME")
                mark.FontName = asciiUpper(Value.toString());
            else if (name == "WATERMARKFONTSTYLE")
                mark.FontStyle = asciiUpper(Value.toString());
        }
        m_report->contentChanged();
    });
}

// Reserved operations: accepted, no effect.
void TORVREP::ReturnValue(int32_t) {}
bool TORVREP::get_DoubleBuffer() { return false; }
void TORVREP::put_DoubleBuffer(bool) {}
int32_t TORVREP::get_PrintScale() { return 0; }
void TORVREP::put_PrintScale(int32_t) {}

// --- current text settings ----------------------------------------------------------

Variant TORVREP::get_TextFontName() { return Variant(m_report->DefaultFontName); }

void TORVREP::put_TextFontName(const Variant& value)
{
    runTrapped([&] { m_report->DefaultFontName = value.toString(); });
}

int32_t TORVREP::get_TextFontSize() { return m_report->DefaultFontSize; }
void TORVREP::put_TextFontSize(int32_t value) { m_report->DefaultFontSize = static_cast<int16_t>(value); }

// Reading the style gives nothing back: the value only steers later calls.
Variant TORVREP::get_cFontStyle() { return Variant(); }

void TORVREP::put_cFontStyle(const Variant& value)
{
    runTrapped([&] { m_report->DefaultFontStyle = value.toString(); });
}

int32_t TORVREP::get_TextFontForeColor() { return static_cast<int32_t>(m_report->DefaultForeColor); }
void TORVREP::put_TextFontForeColor(int32_t value) { m_report->DefaultForeColor = static_cast<Colour>(value); }
int32_t TORVREP::get_TextFontBackColor() { return static_cast<int32_t>(m_report->DefaultBackColor); }
void TORVREP::put_TextFontBackColor(int32_t value) { m_report->DefaultBackColor = static_cast<Colour>(value); }
int32_t TORVREP::get_TextFontStyle() { return 0; }
void TORVREP::put_TextFontStyle(int32_t) {}

} // namespace orv
