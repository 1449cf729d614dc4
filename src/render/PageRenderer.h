#pragma once

#include "surface/PageTransform.h"

#include <QSize>

#include <cstdint>

class QPainter;

namespace orv {

class TReport;

// The current printer's unprintable margins, inches.
struct TPrinterMargins {
    double left = 0, top = 0, right = 0, bottom = 0;
};

// One preview page control: its zoom, the screen's resolution and its size.
struct TScreenView {
    int32_t zoomPercent = 100;
    double screenPpi = 96;
    QSize controlSize;
    TPrinterMargins printerMargins; // outlined when the report shows printer margins
    int32_t pictureJpegSpeed = 0;   // JPEG pictures decoded at 1/2, 1/4, 1/8 for 1, 2, 3
};

// Paints page `pageNumber` (1-based) as a preview page control shows it: the
// paper in the report's paper colour with its border and paper style, the
// watermark, the objects, the calendar, the design grid and the printer
// margins, all as the report's display settings ask. Objects follow the
// zoom, the pages shown per view and the preview offsets.
void paintScreenPage(QPainter& painter, const TReport& report, int32_t pageNumber, const TScreenView& view);

// A page ready to be drawn onto pictures of any size, on white paper
// whatever the report's paper colour: watermark, objects and calendar at
// 96 pixels per inch times the scale (at scale 1 a Letter page is 816 x 1056
// pixels). Each play draws the page straight onto the painter, so no
// intermediate recording limits what a page may hold.
class TPageDrawing {
public:
    // Page `pageNumber` (1-based) at `scale` (four decimals); empty when the
    // page does not exist.
    TPageDrawing(const TReport& report, int32_t pageNumber, double scale);

    QSize size() const { return m_size; }
    // Draws the page with its top left at the painter's origin, through the
    // painter's transform.
    void play(QPainter& painter) const;

private:
    const TReport& m_report;
    int32_t m_pageNumber;
    PageTransform m_transform;
    QSize m_size;
};

// Lets a running print job keep its window responsive and stop a page.
class IPrintProgress {
public:
    virtual ~IPrintProgress() = default;
    virtual void processMessages() = 0;
    virtual bool aborted() const = 0;
};

// Where a print job puts a page: the transform (device resolution, print
// scale, print offsets, the n-up cell's origin), how many pages share the
// sheet (2 and 8 turn the page), and the job's progress (null when no job
// runs).
struct TPrintPlacement {
    PageTransform transform;
    int32_t pagesPerSheet = 1;
    double screenPpi = 96;
    IPrintProgress* progress = nullptr;
};

// Draws page `pageNumber` onto a printer page. Between objects the job may
// process messages; once it is aborted the page ends at the next check.
void renderPageForPrint(QPainter& painter, const TReport& report, int32_t pageNumber,
                        const TPrintPlacement& placement);

} // namespace orv
