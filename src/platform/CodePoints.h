#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace orv {

// Text is UTF-8 in the interface; lengths, line ends and find ranges count
// characters (code points). These convert between the two forms.
inline std::u32string toCodePoints(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toStdU32String();
}

inline std::string toUtf8(std::u32string_view codePoints)
{
    return QString::fromUcs4(codePoints.data(), static_cast<qsizetype>(codePoints.size())).toStdString();
}

} // namespace orv
