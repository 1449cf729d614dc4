// EAN-8, EAN-13, UPC-A, UPC-E and the two- and five-digit add-ons.
#include "barcodes/DataFilters.h"
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

#include <algorithm>
#include <array>

namespace orv::barcodes {

namespace {

// Module widths of set A (space, bar, space, bar); set C draws the same
// widths starting with a bar; set B (even parity) is set C reversed.
constexpr std::array<std::string_view, 10> kModules = {"3211", "2221", "2122", "1411", "1132",
                                                       "1231", "1114", "1312", "1213", "3112"};
// Sets of the six left digits of EAN-13, chosen by its first digit.
constexpr std::array<std::string_view, 10> kEan13Parity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
// Sets of the six UPC-E digits in number system 0, chosen by the check
// digit; number system 1 swaps A and B.
constexpr std::array<std::string_view, 10> kUpcEParity = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                                          "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
constexpr std::array<std::string_view, 10> kSupp5Parity = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                                           "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

std::string digitIn(int value, char set)
{
    std::string modules(kModules[value]);
    if (set == 'B')
        std::reverse(modules.begin(), modules.end());
    const bool barFirst = set == 'C';
    std::string codes;
    for (size_t i = 0; i < modules.size(); ++i) {
        const bool bar = (i % 2 == 0) == barFirst;
        // A space of n modules is code n - 1, a bar code n + 4.
        codes += static_cast<char>((bar ? '5' : '0') + (modules[i] - '1'));
    }
    return codes;
}

// Guard, the left digits in their sets from `first` on, centre, the right
// digits in set C, guard.
std::string symbol(std::string_view digits, size_t first, std::string_view leftSets, size_t rightCount)
{
    std::string codes = "505";
    for (size_t i = 0; i < leftSets.size(); ++i)
        codes += digitIn(digitAt(digits, first + i), leftSets[i]);
    codes += "05050";
    for (size_t i = 0; i < rightCount; ++i)
        codes += digitIn(digitAt(digits, first + leftSets.size() + i), 'C');
    return codes + "505";
}

// The six UPC-E digits filled with leading zeros, behind the number system.
std::string upcEData(std::string_view text, char numberSystem)
{
    std::string digits = digitsFilledTo(text, 6);
    if (digits.size() >= 7)
        digits = digits.substr(1, 6);
    return numberSystem + digits.substr(0, 6);
}

// The UPC-A number (without its check digit) that a UPC-E symbol stands
// for: the number system, then the six digits spread by the last one.
std::string upcAOfUpcE(std::string_view data)
{
    const std::string_view d = data.substr(1, 6);
    const std::string ns(data.substr(0, 1));
    switch (d[5]) {
    case '0':
    case '1':
    case '2':
        return ns + std::string(d.substr(0, 2)) + d[5] + "0000" + std::string(d.substr(2, 3));
    case '3':
        return ns + std::string(d.substr(0, 3)) + "00000" + std::string(d.substr(3, 2));
    case '4':
        return ns + std::string(d.substr(0, 4)) + "00000" + d[4];
    default:
        return ns + std::string(d.substr(0, 5)) + "0000" + d[5];
    }
}

std::string addOn(std::string_view digits, std::string_view sets)
{
    std::string codes = "506";
    for (size_t i = 0; i < sets.size(); ++i) {
        if (i > 0)
            codes += "05";
        codes += digitIn(digitAt(digits, i), sets[i]);
    }
    return codes;
}

} // namespace

std::string ean8(std::string_view digits)
{
    return symbol(digits, 0, "AAAA", 4);
}

std::string ean13(std::string_view digits)
{
    return symbol(digits, 1, kEan13Parity[digitAt(digits, 0)], 6);
}

std::string upcA(std::string_view digits)
{
    return symbol(digits, 0, "AAAAAA", 6);
}

std::string upcE0Data(std::string_view text)
{
    return upcEData(text, '0');
}

std::string upcE1Data(std::string_view text)
{
    return upcEData(text, '1');
}

// The check digit is that of the UPC-A number the symbol stands for; it is
// not drawn but chooses the sets of the six digits.
std::string upcE(std::string_view data)
{
    const std::string upcA = upcAOfUpcE(data);
    std::string sets(kUpcEParity[modulo10Check(upcA, upcA.size())]);
    if (data[0] == '1')
        for (char& set : sets)
            set = set == 'A' ? 'B' : 'A';
    std::string codes = "505";
    for (size_t i = 1; i <= 6; ++i)
        codes += digitIn(digitAt(data, i), sets[i - 1]);
    return codes + "050505";
}

// Sets from the value modulo 4.
std::string upcSupp2(std::string_view digits)
{
    static constexpr std::array<std::string_view, 4> kSets = {"AA", "AB", "BA", "BB"};
    return addOn(digits, kSets[(digitAt(digits, 0) * 10 + digitAt(digits, 1)) % 4]);
}

// Sets from the add-on check: weights 3 and 9 alternating, modulo 10.
std::string upcSupp5(std::string_view digits)
{
    const int check = (3 * (digitAt(digits, 0) + digitAt(digits, 2) + digitAt(digits, 4))
                       + 9 * (digitAt(digits, 1) + digitAt(digits, 3)))
        % 10;
    return addOn(digits, kSupp5Parity[check]);
}

} // namespace orv::barcodes
