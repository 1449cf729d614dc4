#pragma once

// The marks of a chart: a small framed label beside every data point,
// joined to it by a short line, its text chosen by the marks style.

#include "charts/ChartStyle.h"

#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

namespace orv {

class TChartPlan;
struct TMarkSpot;

class TChartMarkPainter {
public:
    TChartMarkPainter(const TChartPlan& plan, QPainter& painter, double scale);

    bool visible() const { return m_visible; }

    // The text by marks style: 0 value, 1 percent, 2 label, 3 label and
    // percent, 4 label and value, 5 the legend's text, 6 percent of total,
    // 7 label and percent of total, 8 the point's position. Percentages are
    // of the series' total; a point without a label is labelled by its value.
    QString text(size_t series, size_t point) const;

    // The most room a mark of the series takes beyond its point (its line
    // and box), from its first points.
    QSizeF room(size_t series) const;

    void paint(const std::vector<TMarkSpot>& spots) const;

private:
    double arrowLength() const;
    QSizeF boxSize(const QString& text) const;

    const TChartPlan& m_plan;
    QPainter& m_painter;
    const double m_scale;
    TChartFont m_font;
    bool m_visible = false;
    std::vector<double> m_totals; // per series, the sum of the values' sizes
};

// A point's legend text: its label, or its value when it has none.
QString pointLegendText(const TChartPlan& plan, size_t series, size_t point);

} // namespace orv
