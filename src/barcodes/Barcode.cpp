#include "barcodes/Barcode.h"

#include "document/ReportObject.h"
#include "platform/AsciiText.h"

#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <stdexcept>

namespace orv {

namespace {

std::string onlyDigits(const std::string& text)
{
    std::string digits;
    for (char c : text)
        if (c >= '0' && c <= '9')
            digits += c;
    return digits;
}

std::string filledTo(std::string digits, size_t length)
{
    if (digits.size() < length)
        digits.insert(0, length - digits.size(), '0');
    return digits;
}

int digit(const std::string& text, size_t index)
{
    return text[index] - '0';
}

// A table of alternating bar and space widths 1..4 ("212222": bar 2, space
// 1, bar 2 ...) in the width codes.
std::string fromDigitWidths(std::string_view widths)
{
    std::string codes;
    for (size_t i = 0; i < widths.size(); ++i)
        codes += static_cast<char>((i % 2 == 0 ? '5' : '0') + (widths[i] - '1'));
    return codes;
}

// A narrow/wide pattern ('0' narrow, '1' wide), bars and spaces alternating
// from `barFirst`.
std::string fromNarrowWide(std::string_view pattern, bool barFirst = true)
{
    std::string codes;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const bool bar = (i % 2 == 0) == barFirst;
        codes += static_cast<char>((bar ? '5' : '0') + (pattern[i] - '0'));
    }
    return codes;
}

// --- 2 of 5 ------------------------------------------------------------------

constexpr std::array<std::string_view, 10> kTwoOfFive = {"00110", "10001", "01001", "11000", "00101",
                                                         "10100", "01100", "00011", "10010", "01010"};

std::string interleaved2of5(const std::string& digits)
{
    std::string codes = "5050";
    for (size_t i = 0; i + 1 < digits.size(); i += 2) {
        const std::string_view bars = kTwoOfFive[digit(digits, i)];
        const std::string_view spaces = kTwoOfFive[digit(digits, i + 1)];
        for (size_t k = 0; k < 5; ++k) {
            codes += static_cast<char>('5' + (bars[k] - '0'));
            codes += static_cast<char>('0' + (spaces[k] - '0'));
        }
    }
    return codes + "605";
}

std::string industrial2of5(const std::string& digits)
{
    std::string codes = "606050";
    for (char c : digits)
        for (char element : kTwoOfFive[c - '0'])
            codes += element == '1' ? "60" : "50";
    return codes + "605060";
}

std::string matrix2of5(const std::string& digits)
{
    std::string codes = "705050";
    for (char c : digits)
        codes += fromNarrowWide(kTwoOfFive[c - '0']) + "0";
    return codes + "70505";
}

// --- Code 39 -------------------------------------------------------------------

constexpr std::string_view kCode39Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr std::array<std::string_view, 44> kCode39 = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101",
    "100100100", "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000",
    "000001101", "100001100", "001001100", "000011100", "100000011", "001000011", "101000010", "000010011",
    "100010010", "001010010", "000000111", "100000110", "001000110", "000010110", "110000001", "011000001",
    "111000000", "010010001", "110010000", "011010000", "010000101", "110000100", "011000100", "010101000",
    "010100010", "010001010", "000101010", "010010100"};

// Full ASCII: how each character 0..127 is written with the Code 39 set.
constexpr std::array<std::string_view, 128> kCode39Ascii = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T"};

std::string code39Character(char c)
{
    return fromNarrowWide(kCode39[kCode39Characters.find(c)]) + "0";
}

std::string code39(const std::string& text)
{
    std::string codes = code39Character('*');
    for (char c : text)
        if (c != '*' && kCode39Characters.find(c) != std::string_view::npos)
            codes += code39Character(c);
    return codes + fromNarrowWide(kCode39[kCode39Characters.find('*')]);
}

// --- Code 93 ---------------------------------------------------------------------

// Values 0..42 are the characters below; 43..46 the shifts ($) (%) (/) (+).
constexpr std::string_view kCode93Characters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%";
constexpr std::array<std::string_view, 47> kCode93 = {
    "131112", "111213", "111312", "111411", "121113", "121212", "121311", "111114", "131211", "141111",
    "211113", "211212", "211311", "221112", "221211", "231111", "112113", "112212", "112311", "122112",
    "132111", "111123", "111222", "111321", "121122", "131121", "212112", "212211", "211122", "211221",
    "221121", "222111", "112122", "112221", "122121", "123111", "121131", "311112", "311211", "321111",
    "112131", "113121", "211131", "121221", "312111", "311121", "122211"};

// Full ASCII: a shift (a = ($), b = (%), c = (/), d = (+)) and a letter, or
// the character itself.
constexpr std::array<std::string_view, 128> kCode93Ascii = {
    "bU", "aA", "aB", "aC", "aD", "aE", "aF", "aG", "aH", "aI", "aJ", "aK", "aL", "aM", "aN", "aO",
    "aP", "aQ", "aR", "aS", "aT", "aU", "aV", "aW", "aX", "aY", "aZ", "bA", "bB", "bC", "bD", "bE",
    " ",  "cA", "cB", "cC", "$",  "%",  "cF", "cG", "cH", "cI", "cJ", "+",  "cL", "-",  ".",  "/",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "cZ", "bF", "bG", "bH", "bI", "bJ",
    "bV", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "bK", "bL", "bM", "bN", "bO",
    "bW", "dA", "dB", "dC", "dD", "dE", "dF", "dG", "dH", "dI", "dJ", "dK", "dL", "dM", "dN", "dO",
    "dP", "dQ", "dR", "dS", "dT", "dU", "dV", "dW", "dX", "dY", "dZ", "bP", "bQ", "bR", "bS", "bT"};

int code93Check(const std::vector<int>& values, int maxWeight)
{
    int sum = 0;
    int weight = 1;
    for (auto it = values.rbegin(); it != values.rend(); ++it) {
        sum += *it * weight;
        weight = weight == maxWeight ? 1 : weight + 1;
    }
    return sum % 47;
}

std::string code93Values(std::vector<int> values)
{
    values.push_back(code93Check(values, 20));
    values.push_back(code93Check(values, 15));
    std::string codes = fromDigitWidths("111141");
    for (int value : values)
        codes += fromDigitWidths(kCode93[value]);
    return codes + fromDigitWidths("1111411");
}

std::string code93(const std::string& text)
{
    std::vector<int> values;
    for (char c : asciiUpper(text))
        if (size_t at = kCode93Characters.find(c); at != std::string_view::npos)
            values.push_back(static_cast<int>(at));
    return code93Values(values);
}

std::string code93FullAscii(const std::string& text)
{
    std::vector<int> values;
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte > 127)
            continue;
        for (char part : kCode93Ascii[byte])
            values.push_back(part >= 'a' && part <= 'd' ? 43 + (part - 'a')
                                                         : static_cast<int>(kCode93Characters.find(part)));
    }
    return code93Values(values);
}

// --- Code 128 ----------------------------------------------------------------------

constexpr std::array<std::string_view, 107> kCode128 = {
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

// The value of a character in code set A (space.._ then the controls) or
// B (space..DEL); a character the set lacks counts as a space.
int code128Value(char c, bool setA)
{
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 32 && byte <= (setA ? 95 : 127))
        return byte - 32;
    if (setA && byte < 32)
        return byte + 64;
    return 0;
}

std::string code128(const std::vector<int>& data, int start, bool ean)
{
    std::vector<int> values;
    if (ean)
        values.push_back(kFnc1);
    values.insert(values.end(), data.begin(), data.end());
    int sum = start;
    for (size_t i = 0; i < values.size(); ++i)
        sum += values[i] * static_cast<int>(i + 1);
    values.push_back(sum % 103);
    std::string codes = fromDigitWidths(kCode128[start]);
    for (int value : values)
        codes += fromDigitWidths(kCode128[value]);
    return codes + fromDigitWidths(kCode128[106]);
}

std::vector<int> code128TextValues(const std::string& text, bool setA)
{
    std::vector<int> values;
    for (char c : text)
        values.push_back(code128Value(c, setA));
    return values;
}

// Set C pairs; a pair that is not two digits is written as 00.
std::vector<int> code128PairValues(std::string& text)
{
    text = std::string(trimBlanks(text));
    if (text.size() % 2 == 1)
        text.insert(0, "0");
    std::vector<int> values;
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        const bool digits = std::isdigit(static_cast<unsigned char>(text[i]))
            && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        values.push_back(digits ? digit(text, i) * 10 + digit(text, i + 1) : 0);
    }
    return values;
}

// --- MSI, PostNet, Codabar ------------------------------------------------------------

std::string msiDigit(int value)
{
    std::string codes;
    for (int bit = 3; bit >= 0; --bit)
        codes += (value >> bit) & 1 ? "60" : "51";
    return codes;
}

// The modulo-10 check: the digits at odd positions from the right, read as
// one number and doubled, give their digit sum; the other digits add theirs.
// The doubling is done on the decimal digits, so no length overflows.
int msiCheck(const std::string& digits)
{
    std::string odd;
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        const size_t fromRight = digits.size() - i;
        if (fromRight % 2 == 1)
            odd += digits[i];
        else
            sum += digit(digits, i);
    }
    int carry = 0;
    for (auto it = odd.rbegin(); it != odd.rend(); ++it) {
        const int doubled = (*it - '0') * 2 + carry;
        sum += doubled % 10;
        carry = doubled / 10;
    }
    sum += carry;
    return sum % 10 == 0 ? 0 : 10 - sum % 10;
}

std::string msi(const std::string& digits)
{
    std::string codes = "60";
    for (char c : digits)
        codes += msiDigit(c - '0');
    return codes + msiDigit(msiCheck(digits)) + "515";
}

constexpr std::array<std::string_view, 10> kPostNet = {"11000", "00011", "00101", "00110", "01001",
                                                       "01010", "01100", "10001", "10010", "10100"};

std::string postNetDigit(int value)
{
    std::string codes;
    for (char bar : kPostNet[value]) {
        codes += bar == '1' ? '5' : 'A';
        codes += '1';
    }
    return codes;
}

std::string postNet(const std::string& digits)
{
    std::string codes = "51";
    int sum = 0;
    for (char c : digits) {
        codes += postNetDigit(c - '0');
        sum += c - '0';
    }
    return codes + postNetDigit(sum % 10 == 0 ? 0 : 10 - sum % 10) + "5";
}

constexpr std::string_view kCodabarCharacters = "0123456789-$:/.+ABCD";
constexpr std::array<std::string_view, 20> kCodabar = {
    "0000011", "0000110", "0001001", "1100000", "0010010", "1000010", "0100001", "0100100", "0110000", "1001000",
    "0001100", "0011000", "1000101", "1010001", "1010100", "0010101", "0011010", "0101001", "0001011", "0001110"};

std::string codabarCharacter(char c)
{
    return fromNarrowWide(kCodabar[kCodabarCharacters.find(c)]);
}

std::string codabar(const std::string& text)
{
    std::string codes = codabarCharacter('A') + "0";
    for (char c : text)
        codes += codabarCharacter(c) + "0";
    return codes + codabarCharacter('B');
}

// --- EAN and UPC ---------------------------------------------------------------------------

// Module widths of set A (space, bar, space, bar); set C draws the same
// widths starting with a bar; set B is set C reversed.
constexpr std::array<std::string_view, 10> kEanModules = {"3211", "2221", "2122", "1411", "1132",
                                                          "1231", "1114", "1312", "1213", "3112"};
constexpr std::array<std::string_view, 10> kEan13Parity = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                                                           "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
constexpr std::array<std::string_view, 10> kUpcEParity = {"BBBAAA", "BBABAA", "BBAABA", "BBAAAB", "BABBAA",
                                                          "BAABBA", "BAAABB", "BABABA", "BABAAB", "BAABAB"};
constexpr std::array<std::string_view, 10> kSupp5Parity = {"BBAAA", "BABAA", "BAABA", "BAAAB", "ABBAA",
                                                           "AABBA", "AAABB", "ABABA", "ABAAB", "AABAB"};

std::string eanDigit(int value, char set)
{
    std::string modules(kEanModules[value]);
    if (set == 'B')
        std::reverse(modules.begin(), modules.end());
    const bool barFirst = set == 'C';
    std::string codes;
    for (size_t i = 0; i < modules.size(); ++i) {
        const bool bar = (i % 2 == 0) == barFirst;
        // A space of n modules is code n - 1, a bar code n + 4.
        codes += static_cast<char>(bar ? '5' + (modules[i] - '1') : '0' + (modules[i] - '1'));
    }
    return codes;
}

std::string eanSymbol(const std::string& digits, size_t first, std::string_view parity, size_t rightCount)
{
    std::string codes = "505";
    for (size_t i = 0; i < parity.size(); ++i)
        codes += eanDigit(digit(digits, first + i), parity[i]);
    codes += "05050";
    for (size_t i = 0; i < rightCount; ++i)
        codes += eanDigit(digit(digits, first + parity.size() + i), 'C');
    return codes + "505";
}

int modulo10Check(const std::string& digits, size_t count)
{
    int sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += digit(digits, i) * ((count - i) % 2 == 1 ? 3 : 1);
    return (10 - sum % 10) % 10;
}

std::string upcE(const std::string& digits, bool numberSystemOne)
{
    std::string parity(kUpcEParity[modulo10Check(digits, 6)]);
    if (numberSystemOne)
        for (char& p : parity)
            p = p == 'A' ? 'B' : 'A';
    std::string codes = "505";
    for (size_t i = 0; i < 6; ++i)
        codes += eanDigit(digit(digits, i), parity[i]);
    return codes + "050505";
}

std::string addOn(const std::string& digits, std::string_view parity)
{
    std::string codes = "506";
    for (size_t i = 0; i < parity.size(); ++i) {
        if (i > 0)
            codes += "05";
        codes += eanDigit(digit(digits, i), parity[i]);
    }
    return codes;
}

std::string addOn2(const std::string& digits)
{
    static constexpr std::array<std::string_view, 4> kParity = {"AA", "AB", "BA", "BB"};
    return addOn(digits, kParity[(digit(digits, 0) * 10 + digit(digits, 1)) % 4]);
}

std::string addOn5(const std::string& digits)
{
    const int check = (3 * (digit(digits, 0) + digit(digits, 2) + digit(digits, 4))
                       + 9 * (digit(digits, 1) + digit(digits, 3)))
        % 10;
    return addOn(digits, kSupp5Parity[check]);
}

bool isNumeric(TBarcodeType type)
{
    switch (type) {
    case TBarcodeType::Interleaved2of5:
    case TBarcodeType::Industrial2of5:
    case TBarcodeType::Matrix2of5:
    case TBarcodeType::Code128C:
    case TBarcodeType::Ean128C:
    case TBarcodeType::Msi:
    case TBarcodeType::PostNet:
    case TBarcodeType::Ean8:
    case TBarcodeType::Ean13:
    case TBarcodeType::UpcA:
    case TBarcodeType::UpcE0:
    case TBarcodeType::UpcE1:
    case TBarcodeType::UpcSupp2:
    case TBarcodeType::UpcSupp5:
        return true;
    default:
        return false;
    }
}

} // namespace

void TAsBarcode::setModul(int32_t modul)
{
    if (modul >= 1 && modul <= 49)
        m_modul = modul;
}

void TAsBarcode::setWidth(double requested)
{
    m_requestedWidth = roundToFourDecimals(requested);
    const double natural = width();
    if (natural > 0) {
        const auto modul = static_cast<int32_t>(std::trunc(m_modul * m_requestedWidth / natural));
        setModul(modul);
    }
}

double TAsBarcode::width()
{
    return naturalWidth(encode());
}

double TAsBarcode::widthRatio()
{
    const double natural = width();
    return natural == 0 ? 1 : m_requestedWidth / natural;
}

void TAsBarcode::setWidthRatio(double ratio)
{
    m_widthRatio = roundToFourDecimals(ratio);
}

std::string TAsBarcode::encode()
{
    switch (Typ) {
    case TBarcodeType::Matrix2of5:
        Ratio = std::clamp(Ratio, 2.25, 3.0);
        break;
    case TBarcodeType::Code128A:
    case TBarcodeType::Code128B:
    case TBarcodeType::Code128C:
    case TBarcodeType::Ean128A:
    case TBarcodeType::Ean128B:
    case TBarcodeType::Ean128C:
    case TBarcodeType::Code93:
    case TBarcodeType::Code93Extended:
    case TBarcodeType::Msi:
    case TBarcodeType::PostNet:
        break;
    default:
        Ratio = std::clamp(Ratio, 2.0, 3.0);
        break;
    }
    if (static_cast<int>(Typ) >= kBarcodeTypeCount)
        throw std::invalid_argument("TAsBarcode: wrong BarcodeType");
    if (isNumeric(Typ))
        Text = std::string(trimBlanks(Text));

    switch (Typ) {
    case TBarcodeType::Interleaved2of5:
        Text = onlyDigits(Text);
        return interleaved2of5(Text);
    case TBarcodeType::Industrial2of5:
        Text = onlyDigits(Text);
        return industrial2of5(Text);
    case TBarcodeType::Matrix2of5:
        Text = onlyDigits(Text);
        return matrix2of5(Text);
    case TBarcodeType::Code39:
        return code39(Text);
    case TBarcodeType::Code39Extended: {
        std::string expanded;
        for (char c : Text)
            if (static_cast<unsigned char>(c) < 128)
                expanded += kCode39Ascii[static_cast<unsigned char>(c)];
        return code39(expanded);
    }
    case TBarcodeType::Code93:
        Text = asciiUpper(Text);
        return code93(Text);
    case TBarcodeType::Code93Extended:
        return code93FullAscii(Text);
    case TBarcodeType::Code128A:
        return code128(code128TextValues(Text, true), kStartA, false);
    case TBarcodeType::Code128B:
        return code128(code128TextValues(Text, false), kStartB, false);
    case TBarcodeType::Code128C:
        return code128(code128PairValues(Text), kStartC, false);
    case TBarcodeType::Ean128A:
        return code128(code128TextValues(Text, true), kStartA, true);
    case TBarcodeType::Ean128B:
        return code128(code128TextValues(Text, false), kStartB, true);
    case TBarcodeType::Ean128C:
        return code128(code128PairValues(Text), kStartC, true);
    case TBarcodeType::Msi:
        Text = onlyDigits(Text);
        return msi(Text);
    case TBarcodeType::PostNet:
        Text = onlyDigits(Text);
        return postNet(Text);
    case TBarcodeType::Codabar: {
        std::string kept;
        for (char c : Text)
            if (kCodabarCharacters.find(c) != std::string_view::npos)
                kept += c;
        Text = kept;
        return codabar(Text);
    }
    case TBarcodeType::Ean8:
        Text = filledTo(onlyDigits(Text), 8);
        return eanSymbol(Text, 0, "AAAA", 4);
    case TBarcodeType::Ean13:
        Text = filledTo(onlyDigits(Text), 13);
        return eanSymbol(Text, 1, kEan13Parity[digit(Text, 0)], 6);
    case TBarcodeType::UpcA:
        Text = filledTo(onlyDigits(Text), 12);
        return eanSymbol(Text, 0, "AAAAAA", 6);
    case TBarcodeType::UpcE0:
    case TBarcodeType::UpcE1:
        Text = filledTo(onlyDigits(Text), 7);
        return upcE(Text, Typ == TBarcodeType::UpcE1);
    case TBarcodeType::UpcSupp2:
        Text = filledTo(onlyDigits(Text), 2);
        return addOn2(Text);
    case TBarcodeType::UpcSupp5:
        Text = filledTo(onlyDigits(Text), 5);
        return addOn5(Text);
    }
    throw std::invalid_argument("TAsBarcode: wrong BarcodeType");
}

double TAsBarcode::elementWidth(char code) const
{
    const double w1 = roundToFourDecimals(m_modul * Ratio);
    switch (code) {
    case '0':
    case '5':
    case 'A':
        return m_modul;
    case '1':
    case '6':
    case 'B':
        return w1;
    case '2':
    case '7':
    case 'C':
        return roundToFourDecimals(1.5 * w1);
    case '3':
    case '8':
    case 'D':
        return roundToFourDecimals(2 * w1);
    default:
        throw std::logic_error("TAsBarcode: internal Error");
    }
}

double TAsBarcode::naturalWidth(const std::string& codes) const
{
    double total = 0;
    for (char code : codes)
        total += elementWidth(code);
    return total;
}

std::vector<TAsBarcode::Element> TAsBarcode::elements()
{
    const std::string codes = encode();
    const double natural = naturalWidth(codes);
    double stretch = 1;
    if (m_requestedWidth > 0 && natural > 0)
        stretch = m_requestedWidth / natural;
    else if (m_widthRatio != 0)
        stretch = m_widthRatio;

    const double radians = Angle * M_PI / 180;
    const double s = std::sin(radians);
    const double c = std::cos(radians);
    const double w = natural;
    const double h = Height;
    // Keeps the rotated bounding box's top-left corner at (Left, Top).
    QPointF origin(Left, Top);
    if (s >= 0 && c >= 0)
        origin += QPointF(0, s * w);
    else if (s >= 0)
        origin += QPointF(-c * w, s * w - c * h);
    else if (c >= 0)
        origin += QPointF(-s * h, 0);
    else
        origin += QPointF(-c * w - s * h, -c * h);

    auto rotated = [&](double u, double v) { return origin + QPointF(c * u + s * v, -s * u + c * v); };
    std::vector<Element> result;
    result.reserve(codes.size());
    double x = 0;
    const double shortHeight = std::round(0.4 * Height);
    for (char code : codes) {
        const double e = elementWidth(code) * stretch;
        double y0 = 0;
        double y1 = Height;
        if (code >= 'A' && code <= 'D') {
            y1 = shortHeight;
            if (Typ == TBarcodeType::PostNet) {
                y0 = Height - shortHeight;
                y1 = Height;
            }
        }
        Element element;
        element.bar = code >= '5';
        element.corners = {rotated(x, y0), rotated(x, y1), rotated(x + e, y1), rotated(x + e, y0)};
        result.push_back(element);
        x += e;
    }
    return result;
}

void TAsBarcode::draw(QPainter& painter)
{
    const QColor bars(ColorBar & 0xFF, (ColorBar >> 8) & 0xFF, (ColorBar >> 16) & 0xFF);
    painter.save();
    painter.setPen(Qt::NoPen);
    for (const Element& element : elements()) {
        painter.setBrush(element.bar ? bars : QColor(Qt::white));
        // The polygon of the rotated corners: exact at every angle.
        painter.drawPolygon(QPolygonF({element.corners[0], element.corners[1], element.corners[2], element.corners[3]}));
    }
    painter.restore();
}

TAsBarcode barcodeOfObject(const TReportObject& object, const QRectF& box, double widthRatio)
{
    TAsBarcode code;
    code.Angle = object.RotationAngle;
    code.Typ = object.BarCodeType < kBarcodeTypeCount ? static_cast<TBarcodeType>(object.BarCodeType)
                                                       : TBarcodeType::PostNet;
    code.ColorBar = object.ForeColor;
    code.Text = object.Text;
    code.Left = box.x();
    code.Top = box.y();
    if (box.width() != 0)
        code.setWidth(box.width());
    else
        code.setWidthRatio(widthRatio);
    code.Height = box.height();
    return code;
}

void drawBarcodeObject(QPainter& painter, const TReportObject& object, const QRect& box, double penScale)
{
    barcodeOfObject(object, QRectF(box), penScale).draw(painter);
}

} // namespace orv
