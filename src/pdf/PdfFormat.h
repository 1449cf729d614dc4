#pragma once

#include <string>
#include <string_view>

namespace orv {

// Number and string formats of PDF source text. None of them depends on the
// locale: the decimal separator is always a full stop.

// The shortest plain decimal form with at most 15 significant digits
// (0.000001, 612, -3.25); magnitudes beyond 15 integer digits are held to
// 999999999999999, those below 1E-15 and anything not finite give 0.
std::string formatPdfReal(double value);

// Page content numbers: the value cut to two decimals after adding one half
// (so -1.239 gives -1.23 and 0.005f, just below a half step, gives 0), then
// in the general form above.
std::string formatContentNumber(double value);

// Upper-case hexadecimal digits, two per byte.
std::string hexDigits(std::string_view bytes);

// The bytes of a literal string between its parentheses: ( ) \ and the
// control characters CR, LF, TAB, BS and FF escaped with a backslash, every
// other byte unchanged.
std::string escapeLiteral(std::string_view bytes);

// A name after its slash: bytes below 33 or above 126 and the delimiters
// # % ( ) / < > [ ] { } as "#" and two hexadecimal digits.
std::string escapeName(std::string_view name);

} // namespace orv
