#include "barcodes/Symbology.h"

#include "barcodes/DataFilters.h"
#include "barcodes/Encoders.h"

#include <algorithm>
#include <array>
#include <limits>
#include <stdexcept>

namespace orv::barcodes {

namespace {

constexpr double kUnbounded = std::numeric_limits<double>::infinity();
// Narrow/wide symbologies keep wide elements 2 to 3 times the narrow.
constexpr TRatioRange kNarrowWide = {2.0, 3.0};
constexpr TRatioRange kMatrix = {2.25, 3.0};
// Module-count tables take the ratio as given.
constexpr TRatioRange kAnyRatio = {-kUnbounded, kUnbounded};

using T = TBarcodeType;

// In the order of TBarcodeType.
constexpr std::array<TSymbology, kBarcodeTypeCount> kSymbologies = {{
    {T::Interleaved2of5, digitsOnly, kNarrowWide, interleaved2of5},
    {T::Industrial2of5, digitsOnly, kNarrowWide, industrial2of5},
    {T::Matrix2of5, digitsOnly, kMatrix, matrix2of5},
    {T::Code39, code39Data, kNarrowWide, code39},
    {T::Code39Extended, asciiOnly, kNarrowWide, code39FullAscii},
    {T::Code128A, asGiven, kAnyRatio, code128A},
    {T::Code128B, asGiven, kAnyRatio, code128B},
    {T::Code128C, code128PairData, kAnyRatio, code128C},
    {T::Code93, code93Data, kAnyRatio, code93},
    {T::Code93Extended, asciiOnly, kAnyRatio, code93FullAscii},
    {T::Msi, digitsOnly, kAnyRatio, msi},
    {T::PostNet, digitsOnly, kAnyRatio, postNet},
    {T::Codabar, codabarData, kNarrowWide, codabar},
    {T::Ean8, digitsFilled<8>, kNarrowWide, ean8},
    {T::Ean13, digitsFilled<13>, kNarrowWide, ean13},
    {T::UpcA, digitsFilled<12>, kNarrowWide, upcA},
    {T::UpcE0, upcE0Data, kNarrowWide, upcE},
    {T::UpcE1, upcE1Data, kNarrowWide, upcE},
    {T::UpcSupp2, digitsFilled<2>, kNarrowWide, upcSupp2},
    {T::UpcSupp5, digitsFilled<5>, kNarrowWide, upcSupp5},
    {T::Ean128A, asGiven, kAnyRatio, ean128A},
    {T::Ean128B, asGiven, kAnyRatio, ean128B},
    {T::Ean128C, code128PairData, kAnyRatio, ean128C},
}};

constexpr bool inTypeOrder()
{
    for (size_t i = 0; i < kSymbologies.size(); ++i)
        if (static_cast<size_t>(kSymbologies[i].type) != i)
            return false;
    return true;
}
static_assert(inTypeOrder(), "the symbology table follows TBarcodeType");

} // namespace

double TRatioRange::applied(double ratio) const
{
    return std::clamp(ratio, low, high);
}

const TSymbology& symbologyOf(TBarcodeType type)
{
    const auto index = static_cast<size_t>(type);
    if (index >= kSymbologies.size())
        throw std::invalid_argument("TAsBarcode: wrong BarcodeType");
    return kSymbologies[index];
}

} // namespace orv::barcodes
