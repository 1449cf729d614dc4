#pragma once

#include <string>

namespace orv {

// The name with its extension replaced, e.g. ("page.txt", ".JPG") gives
// "page.JPG"; a name without one gets it appended. Dots in folder names do
// not count.
inline std::string withExtension(const std::string& name, const std::string& extension)
{
    const size_t slash = name.find_last_of('/');
    const size_t dot = name.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? name.substr(0, dot) : name) + extension;
}

} // namespace orv
