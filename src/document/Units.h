#pragma once

#include "platform/Rounding.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>

namespace orv {

// A currency value: a 64-bit count of ten-thousandths.
struct Currency {
    int64_t scaled = 0;

    static constexpr Currency fromInches(double inches) { return Currency{static_cast<int64_t>(inches * 10000)}; }
    double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
    friend bool operator==(Currency, Currency) = default;
};

// Numbers an operation cannot hold (not finite, or beyond what the setting
// stores) fail the operation before it changes anything.
inline void refuseOutOfRange(bool inRange)
{
    if (!inRange)
        throw std::out_of_range("Number out of range");
}

// A Single inch setting held as a currency value, rounded to the nearest
// ten-thousandth, and read back as a Single.
inline Currency currencyOfSingle(float inches)
{
    const double scaled = roundHalfEven(static_cast<double>(inches) * 10000);
    // 2^63 is exact as a double; anything from there on does not fit.
    constexpr double kBeyondCurrency = 9223372036854775808.0;
    refuseOutOfRange(scaled > -kBeyondCurrency && scaled < kBeyondCurrency);
    return Currency{static_cast<int64_t>(scaled)};
}

inline float singleOfCurrency(Currency value)
{
    return static_cast<float>(value.toDouble());
}

// The longest side a page may have, inches: the largest page of PDF.
inline constexpr double kLargestPageSide = 200;

// A page side as NewPage and PageWidth take it: 0 and below stand for the
// default, anything not finite or beyond kLargestPageSide is refused.
inline void refuseImpossiblePageSide(double inches)
{
    refuseOutOfRange(std::isfinite(inches) && inches <= kLargestPageSide);
}

// A Windows colour value 0x00BBGGRR.
using Colour = uint32_t;

// Report objects keep positions and sizes as whole ten-thousandths of an inch
// in a float: the single-precision argument is widened to extended precision,
// multiplied and cut toward zero, so 0.7f (0.69999999) stores 6999.
inline float storedUnits(float inches)
{
    const auto stored = static_cast<float>(std::trunc(static_cast<long double>(inches) * 10000.0L));
    refuseOutOfRange(std::isfinite(stored));
    return stored;
}

// A currency argument already counts ten-thousandths and is stored exactly.
inline float storedUnits(Currency value)
{
    return static_cast<float>(value.scaled);
}

} // namespace orv
