#pragma once

#include <string>
#include <string_view>

namespace orv::barcodes {

// Helpers the symbology encoders share: how their tables become width codes
// ("0".."3" spaces, "5".."8" bars, "A".."D" short bars of widths w0..w3).

// A table of alternating bar and space widths 1..4, bar first ("212222":
// bar 2, space 1, bar 2 ...).
std::string fromDigitWidths(std::string_view widths);

// A narrow/wide pattern ('0' narrow, '1' wide), bars and spaces
// alternating, bar first unless `barFirst` is false.
std::string fromNarrowWide(std::string_view pattern, bool barFirst = true);

// The value of the decimal digit at `index`.
inline int digitAt(std::string_view digits, size_t index)
{
    return digits[index] - '0';
}

// The standard modulo-10 check of the first `count` digits: weight 3 on the
// last digit and every second one before it, weight 1 on the others.
int modulo10Check(std::string_view digits, size_t count);

} // namespace orv::barcodes
