#pragma once

// Text of a chart: measured on the surface it lands on and drawn turned
// about its centre, as axis labels, titles and marks are.

#include <QFont>
#include <QPointF>
#include <QSizeF>
#include <QString>

class QPainter;

namespace orv {

// The size of `text` (lines broken at line feeds) in `font` on the
// painter's device.
QSizeF chartTextSize(const QPainter& painter, const QFont& font, const QString& text);

// The size of the upright box around a box of `size` turned by `degrees`.
QSizeF turnedSize(QSizeF size, double degrees);

// Draws `text` turned counter-clockwise by `degrees` about its centre, which
// lands on `centre`, in the painter's current font and pen.
void drawTurnedText(QPainter& painter, const QString& text, QPointF centre, double degrees);

} // namespace orv
