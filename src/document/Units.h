#pragma once

#include "platform/Rounding.h"

#include <cmath>
#include <cstdint>

namespace orv {

// A currency value: a 64-bit count of ten-thousandths.
struct Currency {
    int64_t scaled = 0;

    static constexpr Currency fromInches(double inches) { return Currency{static_cast<int64_t>(inches * 10000)}; }
    double toDouble() const { return static_cast<double>(scaled) / 10000.0; }
    friend bool operator==(Currency, Currency) = default;
};

// A Single inch setting held as a currency value, rounded to the nearest
// ten-thousandth, and read back as a Single.
inline Currency currencyOfSingle(float inches)
{
    return Currency{static_cast<int64_t>(roundHalfEven(static_cast<double>(inches) * 10000))};
}

inline float singleOfCurrency(Currency value)
{
    return static_cast<float>(value.toDouble());
}

// A Windows colour value 0x00BBGGRR.
using Colour = uint32_t;

// Report objects keep positions and sizes as whole ten-thousandths of an inch
// in a float: the single-precision argument is widened to extended precision,
// multiplied and cut toward zero, so 0.7f (0.69999999) stores 6999.
inline float storedUnits(float inches)
{
    return static_cast<float>(std::trunc(static_cast<long double>(inches) * 10000.0L));
}

// A currency argument already counts ten-thousandths and is stored exactly.
inline float storedUnits(Currency value)
{
    return static_cast<float>(value.scaled);
}

} // namespace orv
