#pragma once

// Painting the series of a chart: bars, lines, areas and points on the
// axes, and pies on their own.

#include "charts/ChartAxes.h"

#include <QColor>
#include <QPointF>
#include <QPolygonF>
#include <QRect>

#include <functional>
#include <vector>

class QPainter;

namespace orv {

class TChartPlan;
struct TSeriesPlacement;

// Where the mark of one point goes: the spot it labels and the direction
// (a unit vector) it stands off in.
struct TMarkSpot {
    QPointF anchor;
    QPointF direction;
    size_t series = 0;
    size_t point = 0;
};

// A solid of `face` reaching `depth` pixels back: its hidden sides, the
// sides facing the viewer (shaded darker) and the face on top. The face's
// outline is drawn only with `outline`.
void paintSolid(QPainter& painter, const QPolygonF& face, double depth, const QBrush& brush, const QColor& colour,
                bool outline);

class TChartSeriesPainter {
public:
    TChartSeriesPainter(const TChartPlan& plan, const TChartAxes& axes, const TPlotFrame& frame, QPainter& painter,
                        double scale);

    // Paints every series on the axes, back slots first, and returns the
    // places of their marks (none for a series too crowded to label).
    std::vector<TMarkSpot> paint() const;

private:
    void paintBars(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const;
    // Places (and marks) each finite point of a series in order and hands
    // every pair of finite neighbours to `segment` with the later point's
    // colour and the series' depth position.
    using SegmentPainter = std::function<void(const QPointF& before, const QPointF& here, const QColor& colour, double z)>;
    void walkSegments(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks,
                      const SegmentPainter& segment) const;
    void paintLine(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const;
    void paintArea(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const;
    void paintPoints(const TSeriesPlacement& placement, std::vector<TMarkSpot>& marks) const;

    // The pixel of (position, value) of a series standing upright, at depth z.
    QPointF upright(long double position, long double value, double z) const;
    double slotDepth() const;
    // How deep the front of the series' slot lies.
    double frontOf(const TSeriesPlacement& placement) const;
    // Marks are drawn when the points lie at least this far apart.
    bool roomForMarks(bool horizontal) const;

    const TChartPlan& m_plan;
    const TChartAxes& m_axes;
    const TPlotFrame m_frame;
    QPainter& m_painter;
    const double m_scale;
};

// Pies side by side in `area`, one per pie series, tilted and given depth in
// a 3D chart; returns the places of their marks.
std::vector<TMarkSpot> paintPies(const TChartPlan& plan, QPainter& painter, const QRect& area, double scale);

} // namespace orv
