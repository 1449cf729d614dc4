#pragma once

#include <stdexcept>

namespace orv {

// A value the PDF writer cannot accept (a font size out of range, an unknown
// image name ...).
class EPdfInvalidValue : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An operation called in a state that does not allow it (no document, no
// current page ...).
class EPdfInvalidOperation : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A bitmap whose pixel format or palette cannot be written as an image.
class EPdfInvalidImageFormat : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace orv
