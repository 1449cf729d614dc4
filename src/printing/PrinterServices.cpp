#include "printing/PrinterServices.h"

#include <cups/cups.h>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {

// Raw queues and many driverless printers report no resolution; 300 pixels
// per inch is what most printers print at.
constexpr int kFallbackDpi = 300;

// A printer that reports no default paper (a raw queue) is given Letter
// without margins: the paper a new report is laid out on, all of it printable.
constexpr cups_size_t kFallbackPaper = {
    .media = "na_letter_8.5x11in", .width = 21590, .length = 27940, .bottom = 0, .left = 0, .right = 0, .top = 0};

bool succeeded(ipp_status_t status)
{
    return status < IPP_STATUS_REDIRECTION_OTHER_SITE;
}

// A printer as CUPS describes it: its destination and its capabilities,
// looked up once and freed with the object.
class TCupsPrinter {
public:
    explicit TCupsPrinter(const std::string& name)
    {
        // An empty name would make CUPS answer with its default printer.
        if (name.empty())
            return;
        m_dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.c_str(), nullptr);
        if (m_dest)
            m_info = cupsCopyDestInfo(CUPS_HTTP_DEFAULT, m_dest);
    }
    ~TCupsPrinter()
    {
        cupsFreeDestInfo(m_info);
        if (m_dest)
            cupsFreeDests(1, m_dest);
    }
    TCupsPrinter(const TCupsPrinter&) = delete;
    TCupsPrinter& operator=(const TCupsPrinter&) = delete;

    bool found() const { return m_info != nullptr; }
    cups_dest_t* dest() const { return m_dest; }
    cups_dinfo_t* info() const { return m_info; }

    bool supports(const char* option, const char* value) const
    {
        return cupsCheckDestSupported(CUPS_HTTP_DEFAULT, m_dest, m_info, option, value) != 0;
    }
    // The printer's "<option>-supported" attribute; null when it lists none.
    ipp_attribute_t* supported(const char* option) const
    {
        return cupsFindDestSupported(CUPS_HTTP_DEFAULT, m_dest, m_info, option);
    }

private:
    cups_dest_t* m_dest = nullptr;
    cups_dinfo_t* m_info = nullptr;
};

struct TResolution {
    int32_t x = kFallbackDpi;
    int32_t y = kFallbackDpi;
};

TResolution defaultResolution(const TCupsPrinter& printer)
{
    ipp_attribute_t* attribute =
        cupsFindDestDefault(CUPS_HTTP_DEFAULT, printer.dest(), printer.info(), "printer-resolution");
    if (!attribute || ippGetValueTag(attribute) != IPP_TAG_RESOLUTION)
        return {};
    int y = 0;
    ipp_res_t units = IPP_RES_PER_INCH;
    const int x = ippGetResolution(attribute, 0, &y, &units);
    if (x <= 0 || y <= 0)
        return {};
    if (units == IPP_RES_PER_CM)
        return {static_cast<int32_t>(std::lround(x * 2.54)), static_cast<int32_t>(std::lround(y * 2.54))};
    return {x, y};
}

// CUPS measures paper in hundredths of a millimetre.
int32_t pixelsOf(int hundredthsOfMm, int32_t dpi)
{
    return static_cast<int32_t>(std::lround(hundredthsOfMm * static_cast<double>(dpi) / 2540.0));
}

bool printsColour(const TCupsPrinter& printer)
{
    if (printer.supported(CUPS_PRINT_COLOR_MODE))
        return printer.supports(CUPS_PRINT_COLOR_MODE, CUPS_PRINT_COLOR_MODE_COLOR);
    if (ipp_attribute_t* colour = printer.supported("color"))
        return ippGetBoolean(colour, 0) != 0;
    // A printer that says nothing (a raw queue) gets the document as it is,
    // colours included.
    return true;
}

} // namespace

std::vector<TInstalledPrinter> installedPrinters()
{
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    std::vector<TInstalledPrinter> printers;
    printers.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i)
        printers.push_back({dests[i].name, dests[i].is_default != 0});
    cupsFreeDests(count, dests);
    return printers;
}

bool printerInstalled(const std::string& printer)
{
    if (printer.empty())
        return false;
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.c_str(), nullptr);
    cupsFreeDests(dest ? 1 : 0, dest);
    return dest != nullptr;
}

std::string printerWhere(const std::string& printer)
{
    if (printer.empty())
        return {};
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, printer.c_str(), nullptr);
    if (!dest)
        return {};
    const char* device = cupsGetOption("device-uri", dest->num_options, dest->options);
    const char* location = cupsGetOption("printer-location", dest->num_options, dest->options);
    std::string where = device && *device ? device : location ? location : "";
    cupsFreeDests(1, dest);
    return where;
}

std::optional<TPrinterCaps> printerCaps(const std::string& name)
{
    const TCupsPrinter printer(name);
    if (!printer.found())
        return std::nullopt;

    const TResolution dpi = defaultResolution(printer);
    cups_size_t paper;
    if (!cupsGetDestMediaDefault(CUPS_HTTP_DEFAULT, printer.dest(), printer.info(), CUPS_MEDIA_FLAGS_DEFAULT, &paper))
        paper = kFallbackPaper;

    TPrinterCaps caps;
    caps.dpiX = dpi.x;
    caps.dpiY = dpi.y;
    caps.physicalWidth = pixelsOf(paper.width, dpi.x);
    caps.physicalHeight = pixelsOf(paper.length, dpi.y);
    caps.offsetX = pixelsOf(paper.left, dpi.x);
    caps.offsetY = pixelsOf(paper.top, dpi.y);
    caps.printableWidth = caps.physicalWidth - caps.offsetX - pixelsOf(paper.right, dpi.x);
    caps.printableHeight = caps.physicalHeight - caps.offsetY - pixelsOf(paper.bottom, dpi.y);
    // Whatever the printer lists, it offers at least its default paper.
    caps.paperCount = std::max(
        1, cupsGetDestMediaCount(CUPS_HTTP_DEFAULT, printer.dest(), printer.info(), CUPS_MEDIA_FLAGS_DEFAULT));
    ipp_attribute_t* bins = printer.supported(CUPS_MEDIA_SOURCE);
    caps.binCount = bins ? ippGetCount(bins) : 0;
    caps.canCopy = printer.supports(CUPS_COPIES, "2");
    caps.canCollate = printer.supports("multiple-document-handling", "separate-documents-collated-copies");
    caps.duplex = printer.supports(CUPS_SIDES, CUPS_SIDES_TWO_SIDED_PORTRAIT) ||
                  printer.supports(CUPS_SIDES, CUPS_SIDES_TWO_SIDED_LANDSCAPE);
    caps.colour = printsColour(printer);
    return caps;
}

TSubmittedJob submitPdfJob(const std::string& name, const std::string& title,
                           const std::vector<TJobOption>& options, std::string_view pdf)
{
    const TCupsPrinter printer(name);
    if (!printer.found())
        return {0, "The printer \"" + name + "\" is not installed"};

    int optionCount = 0;
    cups_option_t* cupsOptions = nullptr;
    for (const TJobOption& option : options)
        if (printer.supports(option.name.c_str(), option.value.c_str()))
            optionCount = cupsAddOption(option.name.c_str(), option.value.c_str(), optionCount, &cupsOptions);

    int jobId = 0;
    const ipp_status_t created = cupsCreateDestJob(CUPS_HTTP_DEFAULT, printer.dest(), printer.info(), &jobId,
                                                   title.c_str(), optionCount, cupsOptions);
    cupsFreeOptions(optionCount, cupsOptions);
    if (!succeeded(created) || jobId <= 0)
        return {0, std::string("The printer refused the job: ") + cupsLastErrorString()};

    const bool started = cupsStartDestDocument(CUPS_HTTP_DEFAULT, printer.dest(), printer.info(), jobId,
                                               title.c_str(), CUPS_FORMAT_PDF, 0, nullptr, 1) == HTTP_STATUS_CONTINUE;
    const bool written =
        started && cupsWriteRequestData(CUPS_HTTP_DEFAULT, pdf.data(), pdf.size()) == HTTP_STATUS_CONTINUE;
    // Finishing reads the server's answer to the document, which must be
    // read after a failed write too before the connection can carry the cancel.
    const bool finished =
        started && succeeded(cupsFinishDestDocument(CUPS_HTTP_DEFAULT, printer.dest(), printer.info()));
    if (written && finished)
        return {jobId, {}};

    const std::string error = std::string("The document did not reach the printer: ") + cupsLastErrorString();
    cupsCancelDestJob(CUPS_HTTP_DEFAULT, printer.dest(), jobId);
    return {0, error};
}

} // namespace orv
