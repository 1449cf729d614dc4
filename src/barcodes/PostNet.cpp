// POSTNET: five bars a digit, two of them tall, and a check digit.
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

#include <array>

namespace orv::barcodes {

namespace {

constexpr std::array<std::string_view, 10> kPatterns = {"11000", "00011", "00101", "00110", "01001",
                                                        "01010", "01100", "10001", "10010", "10100"};

std::string postNetDigit(int value)
{
    std::string codes;
    for (char bar : kPatterns[value]) {
        codes += bar == '1' ? '5' : 'A';
        codes += '1';
    }
    return codes;
}

} // namespace

// Frame bar, digits, check digit (bringing the digit sum to a multiple of
// ten), frame bar.
std::string postNet(std::string_view digits)
{
    std::string codes = "51";
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        codes += postNetDigit(digitAt(digits, i));
        sum += digitAt(digits, i);
    }
    return codes + postNetDigit(sum % 10 == 0 ? 0 : 10 - sum % 10) + "5";
}

} // namespace orv::barcodes
