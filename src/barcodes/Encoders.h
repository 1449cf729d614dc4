#pragma once

#include <string>
#include <string_view>

namespace orv::barcodes {

// The encoders of each symbology family. A data filter takes the text as
// given and returns the data the symbol carries; an encoder takes that data
// and returns the symbol's width codes (see WidthCodes.h). The symbology
// table (Symbology.h) pairs them per type.

// 2 of 5 family (TwoOfFive.cpp); digits only.
std::string interleaved2of5(std::string_view digits);
std::string industrial2of5(std::string_view digits);
std::string matrix2of5(std::string_view digits);

// Code 39 (Code39.cpp). The plain set drops what Code 39 cannot show; the
// full-ASCII form writes each character 0..127 as its Code 39 sequence.
std::string code39Data(std::string_view text);
std::string code39(std::string_view data);
std::string code39FullAscii(std::string_view data);

// Code 93 (Code93.cpp): the plain set upper-cases and drops the rest; both
// forms add the two check characters.
std::string code93Data(std::string_view text);
std::string code93(std::string_view data);
std::string code93FullAscii(std::string_view data);

// Code 128 and EAN-128 (Code128.cpp). Sets A and B take any text (a
// character the set lacks is a space); set C takes digit pairs.
std::string code128PairData(std::string_view text);
std::string code128A(std::string_view data);
std::string code128B(std::string_view data);
std::string code128C(std::string_view data);
std::string ean128A(std::string_view data);
std::string ean128B(std::string_view data);
std::string ean128C(std::string_view data);

// EAN and UPC (UpcEan.cpp), on data filled with leading zeros.
std::string ean8(std::string_view digits);
std::string ean13(std::string_view digits);
std::string upcA(std::string_view digits);
// UPC-E data is the number system and six digits: six-digit input takes
// the type's number system, seven-digit input carries one in front that
// the type's replaces.
std::string upcE0Data(std::string_view text);
std::string upcE1Data(std::string_view text);
std::string upcE(std::string_view data);
std::string upcSupp2(std::string_view digits);
std::string upcSupp5(std::string_view digits);

// Codabar (Codabar.cpp): start A, stop B.
std::string codabarData(std::string_view text);
std::string codabar(std::string_view data);

// MSI (Msi.cpp) with its modulo-10 check digit.
std::string msi(std::string_view digits);

// PostNet (PostNet.cpp) with its check digit; short bars are 'A'.
std::string postNet(std::string_view digits);

} // namespace orv::barcodes
