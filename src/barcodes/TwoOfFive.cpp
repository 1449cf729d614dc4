// Interleaved, Industrial and Matrix 2 of 5: each digit is five elements,
// two of them wide.
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

#include <array>

namespace orv::barcodes {

namespace {

constexpr std::array<std::string_view, 10> kTwoOfFive = {"00110", "10001", "01001", "11000", "00101",
                                                         "10100", "01100", "00011", "10010", "01010"};

} // namespace

// Digit pairs: the first digit's pattern in the bars, the second's in the
// spaces between them; an odd last digit is dropped.
std::string interleaved2of5(std::string_view digits)
{
    std::string codes = "5050";
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        const std::string_view bars = kTwoOfFive[digitAt(digits, i)];
        const std::string_view spaces = kTwoOfFive[digitAt(digits, i + 1)];
        for (size_t k = 0; k < 5; ++k) {
            codes += static_cast<char>('5' + (bars[k] - '0'));
            codes += static_cast<char>('0' + (spaces[k] - '0'));
        }
    }
    return codes + "605";
}

// Only the bars carry the pattern; every space is narrow.
std::string industrial2of5(std::string_view digits)
{
    std::string codes = "606050";
    for (char c : digits)
        for (char element : kTwoOfFive[c - '0'])
            codes += element == '1' ? "60" : "50";
    return codes + "605060";
}

std::string matrix2of5(std::string_view digits)
{
    std::string codes = "705050";
    for (char c : digits)
        codes += fromNarrowWide(kTwoOfFive[c - '0']) + "0";
    return codes + "70505";
}

} // namespace orv::barcodes
