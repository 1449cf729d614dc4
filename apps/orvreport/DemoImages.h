#pragma once

#include <filesystem>
#include <ostream>

namespace orv {

class IOrvReportEngine;

// Saves every page of the engine's report as a PNG file in `folder`
// (page-1.PNG, page-2.PNG ...), creating the folder, and names each file on
// `out`, then the whole report as demo.PDF. A page or a PDF that cannot be
// saved is reported on `err`; false then.
bool writePageImages(IOrvReportEngine& engine, const std::filesystem::path& folder, std::ostream& out,
                     std::ostream& err);

} // namespace orv
