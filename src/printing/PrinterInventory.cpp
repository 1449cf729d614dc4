#include "printing/PrinterInventory.h"

#include "document/Report.h"
#include "platform/AsciiText.h"
#include "platform/Rounding.h"

#include <QCursor>
#include <QGuiApplication>

#include <cfenv>

namespace orv {

namespace {

// Shows the hourglass while a slow print-system query runs.
class TBusyCursor {
public:
    TBusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }
    ~TBusyCursor()
    {
        if (qGuiApp)
            QGuiApplication::restoreOverrideCursor();
    }
};

// Printer drivers may leave the floating-point environment changed.
class TFloatingPointGuard {
public:
    TFloatingPointGuard() { std::fegetenv(&m_saved); }
    ~TFloatingPointGuard() { std::fesetenv(&m_saved); }

private:
    std::fenv_t m_saved;
};

// Inches in ten-thousandths, rounded to the nearest count.
Currency inchesOf(int32_t pixels, int32_t pixelsPerInch)
{
    if (pixelsPerInch <= 0)
        return {};
    return Currency{static_cast<int64_t>(roundHalfEven(static_cast<double>(pixels) / pixelsPerInch * 10000))};
}

} // namespace

void TOrvPrinters::countPrinters()
{
    Count = static_cast<int32_t>(installedPrinters().size());
}

void TOrvPrinters::scanPrinters()
{
    TBusyCursor busy;
    TFloatingPointGuard floatingPoint;
    Copies = 1;
    countPrinters();
    Printers.assign(static_cast<size_t>(Count), TOrvPrinter{});
    Scanned = true;
}

TCurrentPrinter::TCurrentPrinter() : m_printers(installedPrinters()), m_index(defaultIndex()) {}

int32_t TCurrentPrinter::defaultIndex() const
{
    for (size_t i = 0; i < m_printers.size(); ++i)
        if (m_printers[i].isDefault)
            return static_cast<int32_t>(i);
    return m_printers.empty() ? -1 : 0;
}

std::string TCurrentPrinter::name() const
{
    return m_index >= 0 ? m_printers[static_cast<size_t>(m_index)].name : std::string();
}

void TCurrentPrinter::select(int32_t index)
{
    if (index == -1)
        m_index = defaultIndex();
    else if (index >= 0 && index < count())
        m_index = index;
}

int32_t TCurrentPrinter::find(const std::string& name) const
{
    const std::string wanted = asciiUpper(trimBlanks(name));
    for (size_t i = 0; i < m_printers.size(); ++i)
        if (asciiUpper(trimBlanks(m_printers[i].name)) == wanted)
            return static_cast<int32_t>(i);
    return -1;
}

std::optional<TPrinterCaps> TCurrentPrinter::caps() const
{
    if (m_index < 0)
        return std::nullopt;
    return printerCaps(name());
}

void readPrinterMetrics(TReport& report, const std::optional<TPrinterCaps>& caps)
{
    const TPrinterCaps device = caps.value_or(TPrinterCaps{});
    report.PrinterDpiX = device.dpiX;
    report.PrinterDpiY = device.dpiY;
    report.PrinterOffsetLeft = inchesOf(device.offsetX, device.dpiX);
    report.PrinterOffsetTop = inchesOf(device.offsetY, device.dpiY);
    report.PrinterMarginRight =
        inchesOf(device.physicalWidth - device.printableWidth - device.offsetX, device.dpiX);
    report.PrinterMarginBottom =
        inchesOf(device.physicalHeight - device.printableHeight - device.offsetY, device.dpiY);
    report.PrintableWidth = inchesOf(device.printableWidth, device.dpiX);
    report.PrintableHeight = inchesOf(device.printableHeight, device.dpiY);
    report.PrinterOffsetXPixels = device.offsetX;
    report.PrinterOffsetYPixels = device.offsetY;
}

} // namespace orv
