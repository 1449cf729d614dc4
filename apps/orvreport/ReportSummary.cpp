#include "ReportSummary.h"

#include <orvreport/Variant.h>
#include "document/PaperSizes.h"
#include "document/Report.h"

namespace orv {

void printReportSummary(const TReport& report, std::ostream& out)
{
    out << "report " << report.pageCount() << (report.pageCount() == 1 ? " page" : " pages") << '\n';
    for (int32_t n = 1; n <= report.pageCount(); ++n) {
        const TPageObject& page = report.page(n);
        out << "page " << n << ": " << formatSingle(static_cast<float>(page.Width)) << " x "
            << formatSingle(static_cast<float>(page.Height)) << " in, paper " << lookUpPaperSize(page.Width, page.Height) << ", "
            << (page.Orientation == 1 ? "portrait" : "landscape") << ", numbered "
            << report.pageNumberInSection(n) << " of " << report.pageTotalInSection(n) << ", "
            << page.objectCount() << (page.objectCount() == 1 ? " object" : " objects");
        if (!page.WaterMark.Text.empty())
            out << ", watermark \"" << page.WaterMark.Text << '"';
        out << '\n';
    }
}

} // namespace orv
