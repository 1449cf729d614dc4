#include "pdfexport/ReportPdfExport.h"

#include "document/Report.h"
#include "pdf/PdfCanvas.h"
#include "pdf/PdfDoc.h"
#include "pdfexport/PdfPageRenderer.h"
#include "platform/AtomicFile.h"
#include "platform/Rounding.h"
#include "render/SheetLayout.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

namespace orv {

namespace {

TPdfDocSettings documentSettings(const TReport& report)
{
    const TPDFSetup& setup = report.PdfSetup;
    TPdfDocSettings settings;
    settings.CodePage = setup.CodePage;
    settings.Encrypted = setup.EncryptDocument;
    settings.Encryption = setup.EncryptMode == 3 ? TPdfEncryption::Aes256Bits : TPdfEncryption::Rc4Bits40;
    settings.UnicodeText = setup.UnicodeText == 1 ? TPdfUnicodeText::Always : TPdfUnicodeText::Automatic;
    settings.EmbedFonts = setup.EmbedFonts;
    for (const TPDFReportFont& font : report.PdfFonts)
        settings.ReportFonts.push_back({font.Name, font.Embed});
    settings.Producer = "Orv Report Engine  [Version: " + report.VersionText + "]";
    settings.Permissions.PrintingLevel = setup.PrintingLevel;
    settings.Permissions.AllowChanges = setup.AllowChanges;
    settings.Permissions.AllowDocumentAssembly = setup.AllowDocumentAssembly;
    settings.Permissions.AllowCopying = setup.AllowCopying;
    settings.Permissions.AllowCopyingAccessibility = setup.AllowCopyingAccessibility;
    settings.Permissions.AllowCommenting = setup.AllowCommenting;
    settings.Permissions.AllowFillingFormFields = setup.AllowFillingFormFields;
    settings.OwnerPassword = setup.OwnerPassword;
    settings.UserPassword = setup.UserPassword;
    settings.StreamCompression = setup.Compress;
    return settings;
}

// Sizes the current PDF page for the sheet that report page `pageNumber`
// opens.
void sizeSheet(TPdfCanvas& canvas, const TPageObject& page, const TSheetLayout& layout)
{
    const TSheetSize sheet = layout.sheetSize(page.Width, page.Height);
    canvas.setPageWidth(static_cast<int32_t>(roundHalfEven(72 * sheet.width)));
    canvas.setPageHeight(static_cast<int32_t>(roundHalfEven(72 * sheet.height)));
}

} // namespace

TPdfPageRange pdfPageRange(int32_t pageCount, int32_t first, int32_t last)
{
    TPdfPageRange range;
    range.first = std::min(std::max(first, 1), pageCount);
    range.last = last > 0 ? std::min(last, pageCount) : pageCount;
    if (range.last < range.first)
        std::swap(range.first, range.last);
    return range;
}

namespace {

// Draws pages first..last into a started document; false when the user
// cancelled on the way.
bool drawReportPages(TPdfDoc& doc, const TReport& report, TPdfPageRange range, bool forFile,
                     IPdfExportProgress* progress)
{
    doc.setCreator("Orv Report Engine Control");
    if (forFile)
        doc.setCreator(report.PdfSetup.Creator);
    doc.setAuthor(report.PdfSetup.Author);
    doc.setTitle(report.PdfSetup.Title);
    doc.setSubject(report.PdfSetup.Subject);
    doc.setKeywords(report.PdfSetup.Keywords);
    doc.addPage();

    // One pages-per-sheet value drives both the sheets and where each page
    // lies on them.
    const TSheetLayout layout{report.PdfPagesPerSheet};
    const int32_t perSheet = layout.cells();
    TPdfExport pdfExport{doc, report, 0, {}, progress};
    for (int32_t sheetStart = range.first; sheetStart <= range.last; sheetStart += perSheet) {
        if (sheetStart > range.first)
            doc.addPage();
        sizeSheet(doc.canvas(), report.page(sheetStart), layout);
        const int32_t sheetEnd = std::min(sheetStart + perSheet - 1, range.last);
        for (int32_t page = sheetStart; page <= sheetEnd; ++page) {
            pdfExport.events.pace();
            if (!renderPdfPage(pdfExport, page, page - sheetStart + 1))
                return false;
        }
        if (progress && sheetEnd < range.last) {
            progress->advance(perSheet);
            pdfExport.events.pace();
            if (progress->cancelled())
                return false;
        }
    }
    return true;
}

} // namespace

std::string buildReportPdf(const TReport& report, TPdfPageRange range, bool forFile, IPdfExportProgress* progress)
{
    TPdfDoc doc;
    doc.Settings = documentSettings(report);
    doc.startDocument();
    return drawReportPages(doc, report, range, forFile, progress) ? doc.save() : std::string();
}

TPdfFileResult writeReportPdf(const TReport& report, const std::string& path, TPdfPageRange range,
                              IPdfExportProgress* progress)
{
    std::optional<TAtomicFile> target;
    try {
        target.emplace(path);
    } catch (const std::exception&) {
        return TPdfFileResult::NotCreated;
    }

    if (progress)
        progress->start(range.last - range.first + 1);
    // Finished pages wait beside the target rather than in memory.
    TPdfDoc doc;
    doc.Settings = documentSettings(report);
    doc.Settings.SpoolFolder = target->folder();
    bool complete = false;
    try {
        doc.startDocument();
        complete = drawReportPages(doc, report, range, true, progress);
    } catch (...) {
        if (progress)
            progress->finish();
        throw;
    }
    const bool cancelled = (progress && progress->cancelled()) || !complete;
    if (progress)
        progress->finish();
    // A cancelled export's temporary file goes with `target`.
    if (cancelled)
        return TPdfFileResult::Cancelled;
    doc.saveTo(*target);
    target->commit();
    return TPdfFileResult::Written;
}

} // namespace orv
