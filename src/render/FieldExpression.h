#pragma once

#include <cstdint>
#include <string>

namespace orv {

class TReport;

// The text a report field shows on page `pageNumber` (1-based). An
// expression joins quoted literals (either quote character) with '+' and
// the functions TRANSFORM(x), STR(x[,width[,decimals]]) and ALLTRIM(...),
// where x is _PAGENO or _PAGETOTAL (numbering restarts applied); blanks
// outside quotes are dropped. ALLTRIM trims everything produced before its
// closing parenthesis. Anything else yields nothing, so an expression of
// only a data-field name gives an empty string. The result is at most
// 64 KiB (whole characters), however often the expression pads.
std::string evaluateFieldExpression(const TReport& report, const std::string& expression, int32_t pageNumber);

} // namespace orv
