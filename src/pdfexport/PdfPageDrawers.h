#pragma once

#include "pdfexport/PdfPageRenderer.h"

namespace orv {

struct TCalendarSetup;
struct TChartObject;
struct TWaterMarkObject;

// The drawers of the PDF page renderer, one per kind of content. Each
// writes into the current page of the export's document.

// Text objects and report fields, line by line as they were laid out.
void drawPdfTextObject(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TReportObject& object,
                       int32_t pageNumber);
// The page's watermark, centred on its place and half transparent.
void drawPdfWatermark(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TWaterMarkObject& watermark);
// The month calendar of page `pageNumber`.
void drawPdfCalendar(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TCalendarSetup& calendar,
                     int32_t pageNumber);
// A picture object's file as an image, embedded once per file and frame.
void drawPdfPicture(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TReportObject& object);
// A chart, as an image or as vectors (the report's PDF chart mode).
void drawPdfChart(TPdfExport& pdfExport, const TPdfPagePlacement& place, const TChartObject& chart,
                  const TPdfPagePlacement::Box& box);

} // namespace orv
