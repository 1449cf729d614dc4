#pragma once

#include <QRectF>
#include <QSize>

#include <functional>
#include <string>

class QPainter;

namespace orv {

class TPdfCanvas;

// Where a QPainter drawing lands on the current PDF page: a device of
// `pixels` at `dotsPerInch` (what fonts and pens are sized by) stretched
// over `pageBox` (x and y of its lower-left corner, width and height, in
// points from the page's bottom-left corner). Images the
// drawing needs are registered under the names `nextImageName` gives.
struct TPdfPaintArea {
    QRectF pageBox;
    QSize pixels;
    double dotsPerInch = 96;
    std::function<std::string()> nextImageName;
};

// Runs `paint` with a QPainter whose drawing goes into the canvas's page
// as vectors: paths with their pens and brushes, text in the document's
// fonts (so it stays sharp and can be searched and copied), and images for
// what only pixels can show (gradients, hatches, translucent fills, which
// Qt hands over as images). Nothing is drawn for an empty area.
void paintOnPdfCanvas(TPdfCanvas& canvas, const TPdfPaintArea& area, const std::function<void(QPainter&)>& paint);

} // namespace orv
