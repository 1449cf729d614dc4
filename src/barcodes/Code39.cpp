// Code 39 and its full-ASCII form.
#include "barcodes/DataFilters.h"
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

#include <array>

namespace orv::barcodes {

namespace {

// The last character, '*', is start and stop only.
constexpr std::string_view kCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ-. $/+%*";
constexpr std::array<std::string_view, 44> kPatterns = {
    "000110100", "100100001", "001100001", "101100000", "000110001", "100110000", "001110000", "000100101",
    "100100100", "001100100", "100001001", "001001001", "101001000", "000011001", "100011000", "001011000",
    "000001101", "100001100", "001001100", "000011100", "100000011", "001000011", "101000010", "000010011",
    "100010010", "001010010", "000000111", "100000110", "001000110", "000010110", "110000001", "011000001",
    "111000000", "010010001", "110010000", "011010000", "010000101", "110000100", "011000100", "010101000",
    "010100010", "010001010", "000101010", "010010100"};

// Full ASCII: how each character 0..127 is written with the Code 39 set.
constexpr std::array<std::string_view, 128> kFullAscii = {
    "%U", "$A", "$B", "$C", "$D", "$E", "$F", "$G", "$H", "$I", "$J", "$K", "$L", "$M", "$N", "$O",
    "$P", "$Q", "$R", "$S", "$T", "$U", "$V", "$W", "$X", "$Y", "$Z", "%A", "%B", "%C", "%D", "%E",
    " ",  "/A", "/B", "/C", "/D", "/E", "/F", "/G", "/H", "/I", "/J", "/K", "/L", "-",  ".",  "/O",
    "0",  "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9",  "/Z", "%F", "%G", "%H", "%I", "%J",
    "%V", "A",  "B",  "C",  "D",  "E",  "F",  "G",  "H",  "I",  "J",  "K",  "L",  "M",  "N",  "O",
    "P",  "Q",  "R",  "S",  "T",  "U",  "V",  "W",  "X",  "Y",  "Z",  "%K", "%L", "%M", "%N", "%O",
    "%W", "+A", "+B", "+C", "+D", "+E", "+F", "+G", "+H", "+I", "+J", "+K", "+L", "+M", "+N", "+O",
    "+P", "+Q", "+R", "+S", "+T", "+U", "+V", "+W", "+X", "+Y", "+Z", "%P", "%Q", "%R", "%S", "%T"};

std::string character(char c)
{
    return fromNarrowWide(kPatterns[kCharacters.find(c)]);
}

} // namespace

std::string code39Data(std::string_view text)
{
    return keptFrom(text, kCharacters.substr(0, kCharacters.size() - 1));
}

// Start '*', each character followed by a narrow gap, stop '*'.
std::string code39(std::string_view data)
{
    std::string codes = character('*') + "0";
    for (char c : data)
        codes += character(c) + "0";
    return codes + character('*');
}

std::string code39FullAscii(std::string_view data)
{
    std::string expanded;
    for (char c : data)
        expanded += kFullAscii[static_cast<unsigned char>(c)];
    return code39(expanded);
}

} // namespace orv::barcodes
