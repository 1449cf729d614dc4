#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// The symbologies of the barcode painter. A barcode object keeps one of
// these codes in its BarCodeType field; the interface numbers them
// differently (see barcodeTypeOf).
enum class TBarcodeType : uint8_t {
    Interleaved2of5,
    Industrial2of5,
    Matrix2of5,
    Code39,
    Code39Extended,
    Code128A,
    Code128B,
    Code128C,
    Code93,
    Code93Extended,
    Msi,
    PostNet,
    Codabar,
    Ean8,
    Ean13,
    UpcA,
    UpcE0,
    UpcE1,
    UpcSupp2,
    UpcSupp5,
    Ean128A,
    Ean128B,
    Ean128C,
};

inline constexpr int kBarcodeTypeCount = 23;

// The symbology an interface barcode type number 0..22 selects; every other
// number selects PostNet.
TBarcodeType barcodeTypeOf(int32_t interfaceType);

// The painter's own name of a symbology ("Code39", "2_5_interleaved",
// "Codebar" ...); empty for a code outside the table.
std::string_view barcodeTypeName(TBarcodeType type);

} // namespace orv
