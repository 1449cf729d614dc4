// MSI (Modified Plessey) with one modulo-10 check digit.
#include "barcodes/Encoders.h"
#include "barcodes/WidthCodes.h"

namespace orv::barcodes {

namespace {

// Four bits, most significant first: 1 a wide bar and narrow space, 0 a
// narrow bar and wide space.
std::string msiDigit(int value)
{
    std::string codes;
    for (int bit = 3; bit >= 0; --bit)
        codes += (value >> bit) & 1 ? "60" : "51";
    return codes;
}

// The digits at odd positions from the right, read as one number and
// doubled, give their digit sum; the other digits add theirs. The doubling
// is done on the decimal digits, so data of any length is checked.
int msiCheck(std::string_view digits)
{
    std::string odd;
    int sum = 0;
    for (size_t i = 0; i < digits.size(); ++i) {
        const size_t fromRight = digits.size() - i;
        if (fromRight % 2 == 1)
            odd += digits[i];
        else
            sum += digitAt(digits, i);
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

} // namespace

std::string msi(std::string_view digits)
{
    std::string codes = "60";
    for (char c : digits)
        codes += msiDigit(c - '0');
    return codes + msiDigit(msiCheck(digits)) + "515";
}

} // namespace orv::barcodes
