// Codabar with start character A and stop character B.
#include "barcodes/DataFilters.h"
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

#include <array>

namespace orv::barcodes {

namespace {

constexpr std::string_view kCharacters = "0123456789-$:/.+ABCD";
constexpr std::array<std::string_view, 20> kPatterns = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001", "0100100", "0110000", "1001000",
    "0001100", "0011000", "1000101", "1010001", "1010100", "0010101", "0011010", "0101001", "0001011", "0001110"};

std::string character(char c)
{
    return fromNarrowWide(kPatterns[kCharacters.find(c)]);
}

} // namespace

std::string codabarData(std::string_view text)
{
    return keptFrom(text, kCharacters);
}

// Each character but the stop is followed by a narrow gap.
std::string codabar(std::string_view data)
{
    std::string codes = character('A') + "0";
    for (char c : data)
        codes += character(c) + "0";
    return codes + character('B');
}

} // namespace orv::barcodes
