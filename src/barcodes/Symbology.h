#pragma once

#include "document/BarcodeTypes.h"

#include <string>
#include <string_view>

namespace orv::barcodes {

// The wide-to-narrow ratios a symbology draws with; a requested ratio
// outside is held to the nearer end.
struct TRatioRange {
    double low;
    double high;

    double applied(double ratio) const;
};

// One row of the symbology table: the type, what of a data string the
// symbol carries (characters the symbology cannot show dropped, numbers
// filled with leading zeros), the ratios it draws with and its encoder.
struct TSymbology {
    TBarcodeType type;
    std::string (*data)(std::string_view text);
    TRatioRange ratio;
    std::string (*encode)(std::string_view data);
};

// The row of `type`; throws std::invalid_argument for a code outside the
// table.
const TSymbology& symbologyOf(TBarcodeType type);

} // namespace orv::barcodes
