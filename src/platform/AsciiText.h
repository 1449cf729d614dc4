#pragma once

#include <string>
#include <string_view>

namespace orv {

// Case folding of the letters a-z only: names, style letters and keywords
// are compared this way, whatever the locale and whatever other characters
// the text holds.
inline char asciiUpper(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string asciiUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = asciiUpper(c);
    return result;
}

inline std::string asciiLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = asciiLower(c);
    return result;
}

// The text without the blanks (spaces) around it.
inline std::string_view trimBlanks(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

inline bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

} // namespace orv
