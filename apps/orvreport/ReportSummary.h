#pragma once

#include <ostream>

namespace orv {

class TReport;

// Lists what a report holds, one line for the report and one for each page:
// size, the paper code that size matches, orientation, page numbering, objects and watermark.
void printReportSummary(const TReport& report, std::ostream& out);

} // namespace orv
