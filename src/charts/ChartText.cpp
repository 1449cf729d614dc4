#include "charts/ChartText.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <numbers>

namespace orv {

QSizeF chartTextSize(const QPainter& painter, const QFont& font, const QString& text)
{
    return QFontMetricsF(font, painter.device()).size(0, text);
}

QSizeF turnedSize(QSizeF size, double degrees)
{
    const double radians = degrees * std::numbers::pi / 180;
    const double c = std::abs(std::cos(radians)), s = std::abs(std::sin(radians));
    return QSizeF(size.width() * c + size.height() * s, size.width() * s + size.height() * c);
}

void drawTurnedText(QPainter& painter, const QString& text, QPointF centre, double degrees)
{
    const QSizeF size = chartTextSize(painter, painter.font(), text);
    painter.save();
    painter.translate(centre);
    painter.rotate(-degrees);
    painter.drawText(QRectF(QPointF(-size.width() / 2, -size.height() / 2), size), Qt::AlignCenter, text);
    painter.restore();
}

} // namespace orv
