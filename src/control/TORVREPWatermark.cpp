// The watermark of the view page and the report's month calendar: stored
// settings that the page drawers read.

#include "control/TORVREP.h"

#include "platform/AsciiText.h"

#include <utility>

namespace orv {

namespace {

// Stores a setting that changes what the viewer shows, and has it repaint.
template <class Field, class Value>
void setAndRepaint(TReport& report, Field& field, Value&& value)
{
    field = std::forward<Value>(value);
    report.contentChanged();
}

} // namespace

// --- watermark of the view page -----------------------------------------------------

Variant TORVREP::get_WatermarkText()
{
    return runTrapped([&] { return Variant(m_report->viewPage().WaterMark.Text); });
}

void TORVREP::put_WatermarkText(const Variant& value)
{
    runTrapped([&] { setAndRepaint(*m_report, m_report->viewPage().WaterMark.Text, value.toString()); });
}

Variant TORVREP::get_WatermarkFontName()
{
    return runTrapped([&] { return Variant(m_report->viewPage().WaterMark.FontName); });
}

void TORVREP::put_WatermarkFontName(const Variant& value)
{
    runTrapped([&] { setAndRepaint(*m_report, m_report->viewPage().WaterMark.FontName, value.toString()); });
}

int32_t TORVREP::get_WatermarkFontSize()
{
    return runTrapped([&] { return m_report->viewPage().WaterMark.FontSize; });
}

// Sizes below 3 points are ignored.
void TORVREP::put_WatermarkFontSize(int32_t value)
{
    runTrapped([&] {
        if (value < 3)
            return;
        setAndRepaint(*m_report, m_report->viewPage().WaterMark.FontSize, value);
    });
}

int32_t TORVREP::get_WaterMarkForeColor()
{
    return runTrapped([&] { return static_cast<int32_t>(m_report->viewPage().WaterMark.ForeColor); });
}

void TORVREP::put_WaterMarkForeColor(int32_t value)
{
    runTrapped(
        [&] { setAndRepaint(*m_report, m_report->viewPage().WaterMark.ForeColor, static_cast<Colour>(value)); });
}

int32_t TORVREP::get_WaterMarkBackColor()
{
    return runTrapped([&] { return static_cast<int32_t>(m_report->viewPage().WaterMark.BackColor); });
}

void TORVREP::put_WaterMarkBackColor(int32_t value)
{
    runTrapped(
        [&] { setAndRepaint(*m_report, m_report->viewPage().WaterMark.BackColor, static_cast<Colour>(value)); });
}

int32_t TORVREP::get_WatermarkRotationAngle()
{
    return runTrapped([&] { return m_report->viewPage().WaterMark.RotationAngle; });
}

void TORVREP::put_WatermarkRotationAngle(int32_t value)
{
    runTrapped([&] { setAndRepaint(*m_report, m_report->viewPage().WaterMark.RotationAngle, value); });
}

Variant TORVREP::get_WatermarkFontStyle()
{
    return runTrapped([&] { return Variant(m_report->viewPage().WaterMark.FontStyle); });
}

// The style letters are kept upper-case; the viewer picks them up at its
// next repaint.
void TORVREP::put_WatermarkFontStyle(const Variant& value)
{
    runTrapped([&] { m_report->viewPage().WaterMark.FontStyle = asciiUpper(value.toString()); });
}

// --- calendar ----------------------------------------------------------------------
// Report-wide: every page shows the calendar when it is switched on. Sizes,
// positions, colours and names are stored as given.

float TORVREP::get_CalendarWidth() { return m_report->Calendar.CalendarWidth; }

void TORVREP::put_CalendarWidth(float value) { setAndRepaint(*m_report, m_report->Calendar.CalendarWidth, value); }

float TORVREP::get_CalendarHeight() { return m_report->Calendar.CalendarHeight; }

void TORVREP::put_CalendarHeight(float value) { setAndRepaint(*m_report, m_report->Calendar.CalendarHeight, value); }

float TORVREP::get_CalendarLeft() { return m_report->Calendar.CalendarLeft; }

void TORVREP::put_CalendarLeft(float value) { setAndRepaint(*m_report, m_report->Calendar.CalendarLeft, value); }

float TORVREP::get_CalendarTop() { return m_report->Calendar.CalendarTop; }

void TORVREP::put_CalendarTop(float value) { setAndRepaint(*m_report, m_report->Calendar.CalendarTop, value); }

bool TORVREP::get_CalendarShow() { return m_report->Calendar.CalendarShow; }

void TORVREP::put_CalendarShow(bool value) { setAndRepaint(*m_report, m_report->Calendar.CalendarShow, value); }

bool TORVREP::get_CalendarShowGridLines() { return m_report->Calendar.CalendarShowGridLines; }

void TORVREP::put_CalendarShowGridLines(bool value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarShowGridLines, value);
}

int32_t TORVREP::get_CalendarMonth() { return m_report->Calendar.CalendarMonth; }

// Months outside 1..12 are ignored.
void TORVREP::put_CalendarMonth(int32_t value)
{
    if (value < 1 || value > 12)
        return;
    setAndRepaint(*m_report, m_report->Calendar.CalendarMonth, value);
}

int32_t TORVREP::get_CalendarYear() { return m_report->Calendar.CalendarYear; }

// Years outside 1..9999 are ignored.
void TORVREP::put_CalendarYear(int32_t value)
{
    if (value < 1 || value > 9999)
        return;
    setAndRepaint(*m_report, m_report->Calendar.CalendarYear, value);
}

int32_t TORVREP::get_CalendarDateFontSize() { return m_report->Calendar.CalendarDateFontSize; }

void TORVREP::put_CalendarDateFontSize(int32_t value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarDateFontSize, value);
}

int32_t TORVREP::get_CalendarMonthFontSize() { return m_report->Calendar.CalendarMonthFontSize; }

void TORVREP::put_CalendarMonthFontSize(int32_t value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarMonthFontSize, value);
}

int32_t TORVREP::get_CalendarMonthFontColor()
{
    return static_cast<int32_t>(m_report->Calendar.CalendarMonthFontColor);
}

void TORVREP::put_CalendarMonthFontColor(int32_t value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarMonthFontColor, static_cast<Colour>(value));
}

int32_t TORVREP::get_CalendarDateFontColor()
{
    return static_cast<int32_t>(m_report->Calendar.CalendarDateFontColor);
}

void TORVREP::put_CalendarDateFontColor(int32_t value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarDateFontColor, static_cast<Colour>(value));
}

std::string TORVREP::get_CalendarMonthFontName() { return m_report->Calendar.CalendarMonthFontName; }

void TORVREP::put_CalendarMonthFontName(const std::string& value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarMonthFontName, value);
}

std::string TORVREP::get_CalendarDateFontName() { return m_report->Calendar.CalendarDateFontName; }

void TORVREP::put_CalendarDateFontName(const std::string& value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarDateFontName, value);
}

std::string TORVREP::get_CalendarMonthFontStyle() { return m_report->Calendar.CalendarMonthFontStyle; }

void TORVREP::put_CalendarMonthFontStyle(const std::string& value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarMonthFontStyle, asciiUpper(value));
}

std::string TORVREP::get_CalendarDateFontStyle() { return m_report->Calendar.CalendarDateFontStyle; }

void TORVREP::put_CalendarDateFontStyle(const std::string& value)
{
    setAndRepaint(*m_report, m_report->Calendar.CalendarDateFontStyle, asciiUpper(value));
}

// Reserved: no effect, no value.
Variant TORVREP::get_CalendarGridLineColor() { return Variant(); }
void TORVREP::put_CalendarGridLineColor(const Variant&) {}
Variant TORVREP::get_CalendarGridLineWidth() { return Variant(); }
void TORVREP::put_CalendarGridLineWidth(const Variant&) {}

} // namespace orv
