// Code 93 and its full-ASCII form, both with the check characters C and K.
#include "barcodes/DataFilters.h"
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"
#include "platform/AsciiText.h"

#include <array>
#include <vector>

namespace orv::barcodes {

namespace {

// Values 0..42 are the characters below; 43..46 the shifts ($) (%) (/) (+).
constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::array<std::string_view, 47> kPatterns = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};

// Full ASCII: a shift (a = ($), b = (%), c = (/), d = (+)) and a letter, or
// the character itself.
constexpr std::array<std::string_view, 128> kFullAscii = {
    "bU", "aA", "aB", "aC", "aD", "aE", "aF", "aG", "aH", "aI", "aJ", "aK", "aL", "aM", "aN", "aO",
    "aP", "aQ", "aR", "aS", "aT", "aU", "aV", "aW", "aX", "aY", "aZ", "bA", "bB", "bC", "bD", "bE",
    " ",  "cA", "cB", "cC", "$",  "%",  "cF", "cG", "cH", "cI", "cJ", "+",  "cL", "-",  ".",  "/",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "cZ", "bF", "bG", "bH", "bI", "bJ",
    "bV", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "bK", "bL", "bM", "bN", "bO",
    "bW", "dA", "dB", "dC", "dD", "dE", "dF", "dG", "dH", "dI", "dJ", "dK", "dL", "dM", "dN", "dO",
    "dP", "dQ", "dR", "dS", "dT", "dU", "dV", "dW", "dX", "dY", "dZ", "bP", "bQ", "bR", "bS", "bT"};

// Weights 1..maxWeight repeating from the right, modulo 47.
int check(const std::vector<int>& values, int maxWeight)
{
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum += *it * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum % 47;
}

std::string symbol(std::vector<int> values)
{
    values.push_back(check(values, 20));
    values.push_back(check(values, 15));
    std::string codes = fromDigitWidths("111141");
    for (int value : values)
        codes += fromDigitWidths(kPatterns[value]);
    return codes + fromDigitWidths("1111411");
}

int valueOf(char c)
{
    if (c >= 'a' && c <= 'd')
        return 43 + (c - 'a');
    return static_cast<int>(kCharacters.find(c));
}

} // namespace

std::string code93Data(std::string_view text)
{
    return keptFrom(asciiUpper(text), kCharacters);
}

std::string code93(std::string_view data)
{
    std::vector<int> values;
    for (char c : data)
        values.push_back(valueOf(c));
    return symbol(values);
}

std::string code93FullAscii(std::string_view data)
{
    std::vector<int> values;
    for (char c : data)
        for (char part : kFullAscii[static_cast<unsigned char>(c)])
            values.push_back(valueOf(part));
    return symbol(values);
}

} // namespace orv::barcodes
