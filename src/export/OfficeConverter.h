#pragma once

#include <QTemporaryDir>

#include <stdexcept>
#include <string>

namespace orv {

// LibreOffice could not be started: soffice is missing or fails to start.
class TOfficeUnavailable : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Converts documents with LibreOffice running headless. Each converter has a
// user profile of its own, so that a LibreOffice the user has open (or a
// conversion running elsewhere) neither receives our work nor blocks it.
class TOfficeConverter {
public:
    TOfficeConverter();

    // Converts `source` into the folder `outputDir` with a soffice filter
    // such as "pdf" or "doc:MS Word 97" and returns the converted file's
    // path: the source's base name with the filter's extension. Throws
    // TOfficeUnavailable when soffice cannot be started and
    // std::runtime_error when it produced no file.
    std::string convert(const std::string& source, const std::string& filter, const std::string& outputDir);

private:
    QTemporaryDir m_profile;
};

} // namespace orv
