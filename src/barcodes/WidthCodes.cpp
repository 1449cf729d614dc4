#include "barcodes/WidthCodes.h"

namespace orv::barcodes {

std::string fromDigitWidths(std::string_view widths)
{
    std::string codes;
    for (size_t i = 0; i < widths.size(); ++i)
        codes += static_cast<char>((i % 2 == 0 ? '5' : '0') + (widths[i] - '1'));
    return codes;
}

std::string fromNarrowWide(std::string_view pattern, bool barFirst)
{
    std::string codes;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool bar = (i % 2 == 0) == barFirst;
        codes += static_cast<char>((bar ? '5' : '0') + (pattern[i] - '0'));
    }
    return codes;
}

int modulo10Check(std::string_view digits, size_t count)
{
    int sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += digitAt(digits, i) * ((count - i) % 2 == 1 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

} // namespace orv::barcodes
