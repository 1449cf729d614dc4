#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

// A printer CUPS knows (a destination).
struct TInstalledPrinter {
    std::string name;
    bool isDefault = false;
};

// The printers CUPS knows, in the order CUPS lists them; the one CUPS uses
// when a job names no printer is flagged as the default.
std::vector<TInstalledPrinter> installedPrinters();

// Where the printer is: the device CUPS sends its jobs to, or the location
// its administrator gave when CUPS does not name the device (a shared
// printer of another server); empty for a printer CUPS does not know.
std::string printerWhere(const std::string& printer);

// Whether CUPS knows a printer of this name.
bool printerInstalled(const std::string& printer);

// What a printer reports about its default paper, in device pixels: the
// figures a printer device context would give.
struct TPrinterCaps {
    int32_t dpiX = 0, dpiY = 0;
    int32_t physicalWidth = 0, physicalHeight = 0;   // the default paper
    int32_t offsetX = 0, offsetY = 0;                // unprintable left and top edges
    int32_t printableWidth = 0, printableHeight = 0; // paper minus the four unprintable edges
    int32_t paperCount = 0, binCount = 0;            // paper sizes and paper sources offered
    bool canCopy = false, canCollate = false, duplex = false, colour = true;
};

// What CUPS reports about `printer`; nothing when CUPS does not know it.
std::optional<TPrinterCaps> printerCaps(const std::string& printer);

// A job option in CUPS's terms, such as {"sides", "two-sided-long-edge"}.
struct TJobOption {
    std::string name;
    std::string value;
};

// The outcome of handing a document to CUPS: the job's id, or 0 and why not.
struct TSubmittedJob {
    int32_t id = 0;
    std::string error;
};

// Hands a PDF document to `printer` as one job named `title`. Options whose
// value the printer does not list as supported are left out, so that a
// setting the printer cannot honour never costs the whole job.
TSubmittedJob submitPdfJob(const std::string& printer, const std::string& title,
                           const std::vector<TJobOption>& options, std::string_view pdf);

} // namespace orv
