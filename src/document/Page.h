#pragma once

#include "document/Chart.h"
#include "document/ReportObject.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orv {

// One page of the report: its size, paper settings, watermark, its report
// objects in insertion (= drawing) order and the charts they place.
struct TPageObject {
    std::vector<TReportObject> Objects;
    std::vector<TChartObject> Charts; // chart n (1-based) is item n - 1
    TWaterMarkObject WaterMark;
    double Width = 8.5;  // inches
    double Height = 11;  // inches
    int32_t PaperBin = 0;
    int32_t Orientation = 1; // 1 portrait, 2 landscape (width >= height)
    int32_t MediaType = 0;
    int16_t PaperSize = 1;
    std::string FormName;

    int32_t objectCount() const { return static_cast<int32_t>(Objects.size()); }

    // A square page counts as landscape.
    static int32_t orientationFor(double width, double height) { return width < height ? 1 : 2; }
};

} // namespace orv
