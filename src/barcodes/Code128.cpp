// Code 128 in one code set per symbol, and EAN-128 (the same after FNC1).
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"
#include "platform/AsciiText.h"

#include <array>
#include <vector>

namespace orv::barcodes {

namespace {

// Values 0..105 and, last, the stop pattern.
constexpr std::array<std::string_view, 107> kPatterns = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212", "221213",
    "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221", "223211", "221132",
    "221231", "213212", "223112", "312131", "311222", "321122", "321221", "312212", "322112", "322211",
    "212123", "212321", "232121", "111323", "131123", "131321", "112313", "132113", "132311", "211313",
    "231113", "231311", "112133", "112331", "132131", "113123", "113321", "133121", "313121", "211331",
    "231131", "213113", "213311", "213131", "311123", "311321", "331121", "312113", "312311", "332111",
    "314111", "221411", "431111", "111224", "111422", "121124", "121421", "141122", "141221", "112214",
    "112412", "122114", "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111",
    "111242", "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311", "113141",
    "114131", "311141", "411131", "211412", "211214", "211232", "2331112"};

constexpr int kFnc1 = 102;
constexpr int kStartA = 103;
constexpr int kStartB = 104;
constexpr int kStartC = 105;
constexpr int kStop = 106;

enum class CodeSet { A, B };

// The value of a character in code set A (space.._ then the controls) or
// B (space..DEL); a character the set lacks counts as a space.
int valueOf(char c, CodeSet set)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte <= (set == CodeSet::A ? 95 : 127))
        return byte - 32;
    if (set == CodeSet::A && byte < 32)
        return byte + 64;
    return 0;
}

std::vector<int> textValues(std::string_view data, CodeSet set)
{
    std::vector<int> values;
    for (char c : data)
        values.push_back(valueOf(c, set));
    return values;
}

// Digit pairs; a pair that is not two digits is written as 00.
std::vector<int> pairValues(std::string_view data)
{
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::vector<int> values;
    for (size_t i = 0; i + 1 < data.size(); i += 2) {
        const bool digits = isDigit(data[i]) && isDigit(data[i + 1]);
        values.push_back(digits ? digitAt(data, i) * 10 + digitAt(data, i + 1) : 0);
    }
    return values;
}

// Start, [FNC1,] data, the check (start + each value times its position,
// modulo 103), stop.
std::string symbol(int start, bool fnc1, const std::vector<int>& data)
{
    std::vector<int> values;
    if (fnc1)
        values.push_back(kFnc1);
    values.insert(values.end(), data.begin(), data.end());
    int sum = start;
    for (size_t i = 0; i < values.size(); ++i)
        sum += values[i] * static_cast<int>(i + 1);
    values.push_back(sum % 103);
    std::string codes = fromDigitWidths(kPatterns[start]);
    for (int value : values)
        codes += fromDigitWidths(kPatterns[value]);
    return codes + fromDigitWidths(kPatterns[kStop]);
}

} // namespace

// Set C data: trimmed, and a leading "0" to make the length even.
std::string code128PairData(std::string_view text)
{
    std::string data(trimBlanks(text));
    if (data.size() % 2 == 1)
        data.insert(0, "0");
    return data;
}

std::string code128A(std::string_view data)
{
    return symbol(kStartA, false, textValues(data, CodeSet::A));
}

std::string code128B(std::string_view data)
{
    return symbol(kStartB, false, textValues(data, CodeSet::B));
}

std::string code128C(std::string_view data)
{
    return symbol(kStartC, false, pairValues(data));
}

std::string ean128A(std::string_view data)
{
    return symbol(kStartA, true, textValues(data, CodeSet::A));
}

std::string ean128B(std::string_view data)
{
    return symbol(kStartB, true, textValues(data, CodeSet::B));
}

std::string ean128C(std::string_view data)
{
    return symbol(kStartC, true, pairValues(data));
}

} // namespace orv::barcodes
