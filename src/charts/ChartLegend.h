#pragma once

// The legend of a chart: a framed box of rows, each a colour swatch and a
// text, at one side of the chart.

#include "charts/ChartStyle.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <vector>

class QPainter;

namespace orv {

class TChartPlan;

class TChartLegendBox {
public:
    TChartLegendBox(const TChartPlan& plan, QPainter& painter, double scale);

    // Takes the legend's place at its side of `area` (1 left, 2 top,
    // 3 right, 4 bottom; any other the right, where it stands by default)
    // and returns what is left for the plot: all of `area` when the legend
    // does not resize the chart and is drawn over it.
    QRect place(const QRect& area);

    // The box placed, empty when there is no legend.
    QRect box() const { return m_box; }

    void paint() const;

private:
    struct TRow {
        QColor colour;
        QString text;
    };

    // The rows by legend style: 0 the values of a lone series, else one row
    // per series; 1 series; 2 the values of the first series; 3 the last
    // value of each series. At most `most` rows are made.
    void makeRows(size_t most);
    void layOutColumn(const QRect& area);
    void layOutLines(const QRect& area);
    int lineHeight() const;

    const TChartPlan& m_plan;
    QPainter& m_painter;
    const double m_scale;
    TChartFont m_font;
    int m_pad = 2;
    int m_swatch = 6;
    std::vector<TRow> m_rows;
    std::vector<QRect> m_rowBoxes; // where each row shown is drawn
    QRect m_box;
};

} // namespace orv
