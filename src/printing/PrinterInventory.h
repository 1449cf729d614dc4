#pragma once

#include "printing/PrinterServices.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orv {

class TReport;

// A printer's device settings as last confirmed in its driver's settings
// dialog. A fresh entry holds zeros.
struct TOrvPrinter {
    int32_t PrintQuality = 0;
    int32_t YResolution = 0;
    int32_t Copies = 0;
    int32_t ColorMode = 0; // 1 monochrome, 2 colour
    int32_t Duplex = 0;
    int32_t Collate = 0;
    int32_t LogPixels = 0;
    int32_t DefaultSource = 0;
    int32_t ScaleFactor = 0;
    int32_t PaperWidth = 0;
    int32_t PaperLength = 0;
    int32_t PaperSize = 0;
    int32_t Orientation = 0;
    int32_t DeviceMediaType = 0;
};

// The installed printers as one owner sees them: the control counts them
// at start-up; a print dialog scans them, keeping an entry per printer and
// the copies and collation chosen in it.
class TOrvPrinters {
public:
    int32_t Count = 0;
    std::vector<TOrvPrinter> Printers;
    int32_t Copies = 1;
    bool Collate = false;
    bool Scanned = false;

    void countPrinters();
    void scanPrinters();
};

// The print system's current printer: the one jobs, metrics and forms
// address. The printer list is read once and kept, so the numbers the host
// sees stay stable while it works.
class TCurrentPrinter {
public:
    TCurrentPrinter();

    const std::vector<TInstalledPrinter>& printers() const { return m_printers; }
    int32_t count() const { return static_cast<int32_t>(m_printers.size()); }
    // Zero-based; -1 when no printer is installed.
    int32_t index() const { return m_index; }
    std::string name() const;

    // Makes printer `index` current; -1 picks the default printer. Other
    // values outside the list change nothing.
    void select(int32_t index);
    // The first printer whose name equals `name`, both trimmed of blanks
    // and compared in upper case; -1 when none does.
    int32_t find(const std::string& name) const;
    // What the current printer reports; nothing without a reachable printer.
    std::optional<TPrinterCaps> caps() const;

private:
    int32_t defaultIndex() const;

    std::vector<TInstalledPrinter> m_printers;
    int32_t m_index = -1;
};

// Stores the printer's resolution, unprintable edges and printable area in
// the report; a printer that cannot be reached leaves zeros.
void readPrinterMetrics(TReport& report, const std::optional<TPrinterCaps>& caps);

} // namespace orv
