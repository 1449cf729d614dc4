#pragma once

#include "platform/EventPacer.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

class IPdfExportProgress;
class TPdfDoc;
class TReport;
struct TReportObject;

// An image an export has already embedded: pictures used on several pages
// (or twice on one) are embedded once.
struct TPdfImageFile {
    std::string FileName;
    std::string XObjectName;
    int32_t FrameNumber = 0;
    int32_t Width = 0, Height = 0; // the picture's pixels, which size it on the page
};

// One report being written into one PDF document: the images embedded so
// far, the counter that names the next one ("im0", "im1" ...), the
// progress window that may cancel the export and the pace at which its
// events are processed.
struct TPdfExport {
    TPdfDoc& doc;
    const TReport& report;
    int32_t imageCounter = 0;
    std::vector<TPdfImageFile> imageCache;
    IPdfExportProgress* progress = nullptr;
    TEventPacer events{};

    std::string nextImageName() { return "im" + std::to_string(imageCounter++); }
};

// Where one report page lies on the current PDF page and how its stored
// units become points: scale, the page's place on the sheet, the export's
// offsets, and the two heights that flip y upwards.
struct TPdfPagePlacement {
    double scale = 1;
    double ox = 0, oy = 0;
    double xOffset = 0, yOffset = 0; // inches
    float mediaHeight = 792;         // of the current PDF page
    float sheetHeight = 792;         // Round(72 x the sheet height) of this report page
    double sheetWidthInches = 8.5, sheetHeightInches = 11;

    // An object's box in points, y downwards from the sheet's top.
    struct Box {
        float x, top, width, height;
    };
    Box boxOf(const TReportObject& object) const;
};

// Draws report page `pageNumber` into place `position` of the current page
// of the export's document: the watermark, every object in stored order and
// the calendar. After each object the export may be cancelled: the page then
// stops and the result is false. Errors of the PDF writer, fonts or images
// propagate.
bool renderPdfPage(TPdfExport& pdfExport, int32_t pageNumber, int32_t position);

} // namespace orv
