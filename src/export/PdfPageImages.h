#pragma once

#include <QImage>

#include <string>
#include <vector>

namespace orv {

// Every page of a PDF file as an image at `pixelsPerInch`, in page order,
// rendered by poppler's pdftoppm into the folder `workDir`. Throws when
// pdftoppm cannot be run or renders nothing.
std::vector<QImage> renderPdfPages(const std::string& pdfFile, int pixelsPerInch, const std::string& workDir);

} // namespace orv
