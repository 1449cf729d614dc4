#include "pdf/PdfFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace orv {

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void appendHex(std::string& out, uint8_t byte)
{
    out += kHex[byte >> 4];
    out += kHex[byte & 15];
}

} // namespace

std::string formatPdfReal(double value)
{
    // Readers take reals only in plain decimal form; beyond 15 digits they
    // are held to the largest such number, and what is below a
    // quadrillionth is nothing to any reader.
    constexpr double kLargest = 999999999999999;
    constexpr double kSmallest = 1e-15;
    if (!std::isfinite(value) || std::fabs(value) < kSmallest)
        return "0";
    value = std::clamp(value, -kLargest, kLargest);
    // Fifteen significant digits, rounded once: d.dddddddddddddde[+-]x
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
    const std::string_view text(buffer, written.ptr - buffer);
    const size_t e = text.find('e');
    std::string digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
    const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());

    std::string result = value < 0 ? "-" : "";
    if (exponent < 0) {
        result += "0." + std::string(-exponent - 1, '0') + digits;
    } else {
        if (digits.size() <= static_cast<size_t>(exponent))
            digits.append(exponent + 1 - digits.size(), '0');
        result += digits.substr(0, exponent + 1);
        if (digits.size() > static_cast<size_t>(exponent) + 1)
            result += "." + digits.substr(exponent + 1);
    }
    return result;
}

std::string formatContentNumber(double value)
{
    const long double steps = std::trunc(static_cast<long double>(value) * 100 + 0.5L);
    if (!(std::fabs(steps) < 1e15L))
        return formatPdfReal(static_cast<double>(steps / 100));
    // Below 10^15 hundredths the general form shows every digit of the step
    // count, so it is written from the integer directly.
    const int64_t hundredths = static_cast<int64_t>(steps);
    const uint64_t magnitude = static_cast<uint64_t>(hundredths < 0 ? -hundredths : hundredths);
    std::string result = hundredths < 0 ? "-" : "";
    result += std::to_string(magnitude / 100);
    if (const uint64_t fraction = magnitude % 100; fraction != 0) {
        result += '.';
        result += static_cast<char>('0' + fraction / 10);
        if (fraction % 10 != 0)
            result += static_cast<char>('0' + fraction % 10);
    }
    return result;
}

std::string hexDigits(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        appendHex(out, static_cast<uint8_t>(c));
    return out;
}

std::string escapeLiteral(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() + 8);
    for (char c : bytes) {
        switch (c) {
        case '(':
        case ')':
        case '\\':
            out += '\\';
            out += c;
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\b':
            out += "\\b";
            break;
        case '\f':
            out += "\\f";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string escapeName(std::string_view name)
{
    static constexpr std::string_view kDelimiters = "#%()/<>[]{}";
    std::string out;
    out.reserve(name.size());
    for (char c : name) {
        const auto byte = static_cast<uint8_t>(c);
        if (byte < 33 || byte > 126 || kDelimiters.find(c) != std::string_view::npos) {
            out += '#';
            appendHex(out, byte);
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace orv
