#include "DemoImages.h"

#include <orvreport/EngineError.h>
#include <orvreport/OrvReportEngine.h>

#include <system_error>

namespace orv {

bool writePageImages(IOrvReportEngine& engine, const std::filesystem::path& folder, std::ostream& out,
                     std::ostream& err)
{
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        err << "orvreport: cannot create " << folder.string() << ": " << error.message() << '\n';
        return false;
    }
    bool saved = true;
    const int32_t pages = engine.get_nTotalPages();
    for (int32_t page = 1; page <= pages; ++page) {
        const std::string name = (folder / ("page-" + std::to_string(page))).string();
        try {
            engine.SaveToPNG(Variant(name), page);
            out << "wrote " << name << ".PNG\n";
        } catch (const EngineError& e) {
            err << "orvreport: page " << page << ": " << e.what() << '\n';
            saved = false;
        }
    }
    const std::string pdfName = (folder / "demo").string();
    try {
        Variant used(pdfName);
        engine.SaveToPDF(used);
        out << "wrote " << used.toString() << '\n';
    } catch (const EngineError& e) {
        err << "orvreport: PDF: " << e.what() << '\n';
        saved = false;
    }
    return saved;
}

} // namespace orv
