#pragma once

#include "document/Chart.h"

#include <QRect>

class QPainter;

namespace orv {

// Draws `chart` filling `box` (device pixels). Font sizes and border widths
// are multiplied by `scale` and truncated.
void drawChart(QPainter& painter, const TChartObject& chart, const QRect& box, double scale);

} // namespace orv
