#include "render/ScreenPaper.h"

#include "document/Report.h"
#include "surface/DrawingSurface.h"
#include "render/PageRenderer.h"

#include <algorithm>

namespace orv {

namespace {

constexpr Colour kRed = 0x0000FF;
constexpr Colour kBlue = 0xFF0000;
constexpr Colour kBandColour = 0x808040; // RGB(64, 128, 128)
constexpr double kRuledMargin = 1.25;
constexpr double kRuledLineSpacing = 0.3438;
constexpr double kFirstBand = 0.75;
constexpr double kBandHeight = 0.75;
constexpr double kBandSpacing = 1.5;
const std::vector<double> kDots = {3, 3};

// Inches to preview pixels at the zoom, without the pages-per-view factor.
int32_t px(const TScreenView& view, double inches)
{
    return static_cast<int32_t>(roundHalfEven(view.zoomPercent / 100.0 * inches * view.screenPpi));
}

struct TGridSpacing {
    double inches;
    int32_t major; // every major-th line is solid
};

TGridSpacing gridSpacing(int32_t zoom)
{
    if (zoom <= 33)
        return {1, 1};
    if (zoom <= 50)
        return {0.5, 2};
    if (zoom <= 199)
        return {0.25, 4};
    if (zoom <= 799)
        return {0.125, 8};
    if (zoom <= 1999)
        return {0.0625, 16};
    return {0.0312, 32};
}

} // namespace

void paintPaper(TDrawingSurface& surface, const TReport& report, const TPageObject& page, const TScreenView& view)
{
    TDrawingSurface::TStateGuard guard(surface);
    const int32_t width = view.controlSize.width(), height = view.controlSize.height();
    surface.selectSolidBrush(report.PaperColor);
    if (report.ShowPageBorder)
        surface.selectSolidPen(0, 1, Qt::SquareCap);
    else
        surface.selectNullPen();
    surface.rectangle(QRect(0, 0, width, height));

    if (report.PaperStyle == 1) {
        surface.selectSolidPen(kRed, 1, Qt::FlatCap);
        surface.line({px(view, kRuledMargin), 1}, {px(view, kRuledMargin), height});
        surface.selectSolidPen(kBlue, 1, Qt::FlatCap);
        for (int32_t k = 0; kRuledMargin + k * kRuledLineSpacing < page.Height; ++k) {
            const int32_t y = px(view, kRuledMargin + k * kRuledLineSpacing);
            surface.line({1, y}, {width, y});
        }
    } else if (report.PaperStyle == 2) {
        for (int32_t k = 0; kFirstBand + k * kBandSpacing < page.Height; ++k) {
            const int32_t top = px(view, kFirstBand + k * kBandSpacing);
            const int32_t bottom = px(view, kFirstBand + kBandHeight + k * kBandSpacing);
            surface.fillArea(QRectF(0, top, width, bottom - top), qColorOf(kBandColour));
        }
    }
}

void paintDesignGrid(TDrawingSurface& surface, const TReport& report, const TPageObject& page,
                     const TScreenView& view)
{
    if (!report.ShowGrid)
        return;
    TDrawingSurface::TStateGuard guard(surface);
    const TGridSpacing spacing = gridSpacing(view.zoomPercent);
    auto selectPen = [&](int32_t k) {
        if (k % spacing.major == 0)
            surface.selectSolidPen(report.GridColor, 1, Qt::FlatCap);
        else
            surface.selectDashPen(report.GridColor, 1, kDots);
    };
    for (int32_t k = 1; k * spacing.inches < page.Width; ++k) {
        selectPen(k);
        const int32_t x = px(view, k * spacing.inches);
        surface.line({x, 1}, {x, view.controlSize.height()});
    }
    for (int32_t k = 1; k * spacing.inches < page.Height; ++k) {
        selectPen(k);
        const int32_t y = px(view, k * spacing.inches);
        surface.line({1, y}, {view.controlSize.width(), y});
    }
}

void paintPrinterMargins(TDrawingSurface& surface, const TReport& report, const TPageObject& page,
                         const TScreenView& view)
{
    if (!report.ShowPrinterMargins)
        return;
    TDrawingSurface::TStateGuard guard(surface);
    const TPrinterMargins& margins = view.printerMargins;
    const int32_t left = px(view, margins.left), top = px(view, margins.top);
    const int32_t right = std::min(px(view, page.Width - margins.right), view.controlSize.width() - 1);
    const int32_t bottom = std::min(px(view, page.Height - margins.bottom), view.controlSize.height() - 1);
    surface.selectDashPen(kBlue, 1, kDots);
    surface.line({left, top}, {right, top});
    surface.line({right, top}, {right, bottom});
    surface.line({right, bottom}, {left, bottom});
    surface.line({left, bottom}, {left, top});
}

} // namespace orv
