#pragma once

#include <string>
#include <string_view>

namespace orv::barcodes {

// Data rules several symbologies share: what of a data string is encoded.

// The text as it is.
std::string asGiven(std::string_view text);

// The characters of codes 0..127; others are dropped.
std::string asciiOnly(std::string_view text);

// The characters that occur in `alphabet`; others are dropped.
std::string keptFrom(std::string_view text, std::string_view alphabet);

// The decimal digits of the text; everything else is dropped.
std::string digitsOnly(std::string_view text);

// The digits, with leading "0"s added up to `length`; longer data is kept
// whole and the encoder reads only the positions it needs.
std::string digitsFilledTo(std::string_view text, size_t length);

template <size_t Length>
std::string digitsFilled(std::string_view text)
{
    return digitsFilledTo(text, Length);
}

} // namespace orv::barcodes
