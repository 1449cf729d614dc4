#include "document/BarcodeTypes.h"

#include <array>

namespace orv {

namespace {

// Indexed by the interface's barcode type number.
constexpr std::array<TBarcodeType, kBarcodeTypeCount> kByInterfaceNumber = {
    TBarcodeType::Code39,     TBarcodeType::Code39Extended, TBarcodeType::PostNet,
    TBarcodeType::Codabar,    TBarcodeType::Interleaved2of5, TBarcodeType::Industrial2of5,
    TBarcodeType::Matrix2of5, TBarcodeType::Code93,         TBarcodeType::Code93Extended,
    TBarcodeType::Code128A,   TBarcodeType::Code128B,       TBarcodeType::Code128C,
    TBarcodeType::Ean8,       TBarcodeType::Ean13,          TBarcodeType::Ean128A,
    TBarcodeType::Ean128B,    TBarcodeType::Ean128C,        TBarcodeType::Msi,
    TBarcodeType::UpcA,       TBarcodeType::UpcE0,          TBarcodeType::UpcE1,
    TBarcodeType::UpcSupp2,   TBarcodeType::UpcSupp5,
};

// Indexed by TBarcodeType.
constexpr std::array<std::string_view, kBarcodeTypeCount> kNames = {
    "2_5_interleaved", "2_5_industrial", "2_5_matrix", "Code39",   "Code39 Extended", "Code128A",
    "Code128B",        "Code128C",       "Code93",     "Code93 Extended", "MSI",      "PostNet",
    "Codebar",         "EAN8",           "EAN13",      "UPC_A",    "UPC_E0",          "UPC_E1",
    "UPC Supp2",       "UPC Supp5",      "EAN128A",    "EAN128B",  "EAN128C",
};

} // namespace

TBarcodeType barcodeTypeOf(int32_t interfaceType)
{
    if (interfaceType < 0 || interfaceType >= kBarcodeTypeCount)
        return TBarcodeType::PostNet;
    return kByInterfaceNumber[static_cast<size_t>(interfaceType)];
}

std::string_view barcodeTypeName(TBarcodeType type)
{
    const auto index = static_cast<size_t>(type);
    return index < kNames.size() ? kNames[index] : std::string_view();
}

} // namespace orv
