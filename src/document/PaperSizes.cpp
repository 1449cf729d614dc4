#include "document/PaperSizes.h"

#include <algorithm>
#include <array>

namespace orv {

namespace {

struct PaperRow {
    double width;
    double height;
    bool metric;
};

// Windows paper-size codes 1..41, in inches or millimetres.
constexpr std::array<PaperRow, 41> kPaperRows = {{
    {8.5, 11, false},      // 1 Letter
    {8.5, 11, false},      // 2 Letter small
    {11, 17, false},       // 3 Tabloid
    {17, 11, false},       // 4 Ledger
    {8.5, 14, false},      // 5 Legal
    {5.5, 8.5, false},     // 6 Statement
    {7.25, 10.5, false},   // 7 Executive
    {297, 420, true},      // 8 A3
    {210, 297, true},      // 9 A4
    {210, 297, true},      // 10 A4 small
    {148, 210, true},      // 11 A5
    {250, 354, true},      // 12 B4
    {182, 257, true},      // 13 B5
    {8.5, 13, false},      // 14 Folio
    {215, 275, true},      // 15 Quarto
    {10, 14, false},       // 16 10 x 14
    {11, 17, false},       // 17 11 x 17
    {8.5, 11, false},      // 18 Note
    {3.875, 8.875, false}, // 19 Envelope #9
    {4.125, 9.5, false},   // 20 Envelope #10
    {4.5, 10.375, false},  // 21 Envelope #11
    {4, 11, false},        // 22 Envelope #12
    {5, 11.5, false},      // 23 Envelope #14
    {17, 22, false},       // 24 C size sheet
    {22, 34, false},       // 25 D size sheet
    {34, 44, false},       // 26 E size sheet
    {110, 220, true},      // 27 Envelope DL
    {162, 229, true},      // 28 Envelope C5
    {324, 458, true},      // 29 Envelope C3
    {229, 324, true},      // 30 Envelope C4
    {114, 162, true},      // 31 Envelope C6
    {114, 229, true},      // 32 Envelope C65
    {250, 353, true},      // 33 Envelope B4
    {176, 250, true},      // 34 Envelope B5
    {176, 125, true},      // 35 Envelope B6
    {110, 230, true},      // 36 Envelope Italy
    {3.875, 7.5, false},   // 37 Monarch envelope
    {3.625, 6.5, false},   // 38 6 3/4 envelope
    {14.875, 11, false},   // 39 US standard fanfold
    {8.5, 12, false},      // 40 German standard fanfold
    {8.5, 13, false},      // 41 German legal fanfold
}};

float toInches(double value, bool metric)
{
    return static_cast<float>(metric ? value / 25.4 : value);
}

// The rows the size lookup compares, in order; the last match wins.
constexpr std::array<int32_t, 35> kLookupRows = {1,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16,
                                                 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30,
                                                 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};

} // namespace

std::optional<PaperSize> paperSizeOf(int32_t code)
{
    if (code < 1 || code > static_cast<int32_t>(kPaperRows.size()))
        return std::nullopt;
    const PaperRow& row = kPaperRows[code - 1];
    return PaperSize{toInches(row.width, row.metric), toInches(row.height, row.metric)};
}

int32_t lookUpPaperSize(double width, double height)
{
    int32_t result = 256;
    if (width == 11 && height == 17)
        result = 3;
    if (width == 17 && height == 11)
        result = 4;

    const float shorter = static_cast<float>(std::min(width, height));
    const float longer = static_cast<float>(std::max(width, height));
    for (int32_t code : kLookupRows) {
        PaperSize size = *paperSizeOf(code);
        if (shorter == std::min(size.width, size.height) && longer == std::max(size.width, size.height))
            result = code;
    }
    return result;
}

} // namespace orv
