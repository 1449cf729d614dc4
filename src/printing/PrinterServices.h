#pragma once

#include <string>
#include <vector>

namespace orv {

// The printers CUPS knows (destinations), in the order CUPS lists them.
std::vector<std::string> installedPrinterNames();

} // namespace orv
