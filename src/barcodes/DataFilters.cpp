#include "barcodes/DataFilters.h"

namespace orv::barcodes {

std::string asGiven(std::string_view text)
{
    return std::string(text);
}

std::string asciiOnly(std::string_view text)
{
    std::string kept;
    for (char c : text)
        if (static_cast<unsigned char>(c) < 128)
            kept += c;
    return kept;
}

std::string keptFrom(std::string_view text, std::string_view alphabet)
{
    std::string kept;
    for (char c : text)
        if (alphabet.find(c) != std::string_view::npos)
            kept += c;
    return kept;
}

std::string digitsOnly(std::string_view text)
{
    return keptFrom(text, "0123456789");
}

std::string digitsFilledTo(std::string_view text, size_t length)
{
    std::string digits = digitsOnly(text);
    if (digits.size() < length)
        digits.insert(0, length - digits.size(), '0');
    return digits;
}

} // namespace orv::barcodes
