#include "printing/PrinterServices.h"

#include <cups/cups.h>

namespace orv {

std::vector<std::string> installedPrinterNames()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<std::string> names;
    names.reserve(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i)
        names.emplace_back(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}

} // namespace orv
