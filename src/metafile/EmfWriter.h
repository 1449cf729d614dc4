#pragma once

#include <QByteArray>
#include <QPainter>
#include <QSize>

#include <functional>

namespace orv {

// Records what `paint` draws on a canvas of `pixels` at `dotsPerInch` as an
// enhanced metafile: shapes, paths and text stay vectors and text; images,
// translucent fills and gradients become bitmaps. Empty for a canvas with no
// area or one larger than 2^20 pixels a side.
QByteArray recordEmf(QSize pixels, double dotsPerInch, const std::function<void(QPainter&)>& paint);

} // namespace orv
