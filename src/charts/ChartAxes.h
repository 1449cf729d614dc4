#pragma once

// The frame of a chart with axes: where the plot lies, the 3D walls around
// it, and the axes with their ticks, labels and titles.

#include "charts/ChartScale.h"
#include "charts/ChartStyle.h"

#include <QPointF>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace orv {

class TChartPlan;

// The plot's rectangle on the front plane and the depth behind it; a point
// `z` pixels deep lies up and to the right of its place on the front.
struct TPlotFrame {
    QRect front;
    int depth = 0;

    QRect back() const { return front.translated(depth, -depth); }
    // The pixel of axis fractions (0 at the left or bottom, 1 at the right
    // or top) at depth z.
    QPointF at(long double xFraction, long double yFraction, double z) const;
    // Everything the plot covers, front and back.
    QRect bounds() const { return front.united(back()); }
    bool usable() const { return front.width() > 1 && front.height() > 1; }
};

class TChartAxes {
public:
    TChartAxes(const TChartPlan& plan, QPainter& painter, double scale);

    // Places the plot inside `area`, leaving room for the labels and titles
    // of visible axes and for the depth of a 3D chart.
    TPlotFrame place(const QRect& area) const;

    const TChartAxisScale& scale(TChartAxisKind kind) const { return kind == TChartAxisKind::X ? m_x : m_y; }

    // The back, left and bottom walls with their colours and sizes.
    void paintWalls(const TPlotFrame& frame) const;
    // Grid lines on the back wall at every tick.
    void paintGrid(const TPlotFrame& frame) const;
    // Axis lines, ticks, labels and titles.
    void paintAxes(const TPlotFrame& frame) const;

private:
    // What one axis shows and in which fonts.
    struct TAxisLook {
        const TChartAxis* axis = nullptr;
        TChartFont labelFont;
        TChartFont titleFont;
        bool labelsShown = false;
        bool titleShown = false;
        QSizeF labelBox; // the widest label, turned
        QSizeF titleBox; // the title, turned
    };

    TAxisLook look(TChartAxisKind kind) const;
    std::vector<double> ticks(TChartAxisKind kind, double length) const;
    QString labelText(TChartAxisKind kind, double tick) const;
    QSizeF widestLabel(TChartAxisKind kind) const;

    const TChartPlan& m_plan;
    QPainter& m_painter;
    const double m_scale;
    TChartAxisScale m_x, m_y;
    TAxisLook m_xLook, m_yLook;
};

} // namespace orv
