// The PDF operations of the control: the export to a file or to bytes and
// the PDF settings of the report.

#include "control/TORVREP.h"
#include "viewer/Preview.h"

#include "viewer/PdfFileExport.h"
#include "platform/AtomicFile.h"
#include "platform/FileNames.h"
#include "platform/UiServices.h"

#include <algorithm>

namespace orv {

Variant TORVREP::SaveToPDF(Variant& cFileName, bool lOpenFile, int32_t nStartPage, int32_t nEndPage)
{
    return runTrapped([&] {
        TPdfFileExport request;
        if (cFileName.isString()) {
            request.fileName = cFileName.toString();
        } else {
            if (m_report->PdfSetup.FileName.empty())
                return Variant(int32_t{-2});
            request.fileName = m_report->PdfSetup.FileName;
        }
        if (!request.fileName.empty())
            request.fileName = outputFileName(request.fileName, ".PDF");
        request.firstPage = nStartPage;
        request.lastPage = nEndPage;
        const std::string used = exportPdfFile(*m_report, *m_ui, request);
        cFileName = Variant(used);
        if (lOpenFile) {
            if (used.empty())
                return Variant(int32_t{-1});
            m_ui->openDocument(used);
        }
        return Variant(int32_t{0});
    });
}

Variant TORVREP::PDFStream(int32_t nStartPage, int32_t nEndPage)
{
    return runTrapped([&] {
        const std::string bytes =
            buildReportPdf(*m_report, pdfPageRange(m_report->pageCount(), nStartPage, nEndPage), false);
        return Variant(Variant::Bytes(bytes.begin(), bytes.end()));
    });
}

void TORVREP::PDFSetPermissions(int32_t nAllowPrintingLevel, bool lAllowCopying, bool lAllowChanges,
                                bool lAllowCommenting, bool lAllowFillingFormFields, bool lAllowCopyingAccessibility,
                                bool lAllowDocumentAssembly)
{
    TPDFSetup& setup = m_report->PdfSetup;
    setup.PrintingLevel = std::clamp(nAllowPrintingLevel, 0, 2);
    setup.AllowCopying = lAllowCopying;
    setup.AllowChanges = lAllowChanges;
    setup.AllowCommenting = lAllowCommenting;
    setup.AllowFillingFormFields = lAllowFillingFormFields;
    setup.AllowCopyingAccessibility = lAllowCopyingAccessibility;
    setup.AllowDocumentAssembly = lAllowDocumentAssembly;
}

// The encryption level: 1 RC4 with a 40-bit key (2 is kept as 1), 3 AES
// with a 256-bit key; any level above 0 makes the exports encrypt.
int32_t TORVREP::get_PDFEncrypt() { return static_cast<int32_t>(m_report->PdfSetup.EncryptMode); }
void TORVREP::put_PDFEncrypt(int32_t value)
{
    if (value < 0 || value > 3)
        return;
    m_report->PdfSetup.EncryptMode = value == 2 ? 1 : value;
    m_report->PdfSetup.EncryptDocument = value >= 1;
}

// 0: composite fonts only for text the code page cannot carry; 1: for all
// text. Other values are ignored.
int32_t TORVREP::get_PDFUnicodeText() { return m_report->PdfSetup.UnicodeText; }
void TORVREP::put_PDFUnicodeText(int32_t value)
{
    if (value == 0 || value == 1)
        m_report->PdfSetup.UnicodeText = value;
}

std::string TORVREP::get_PDFPassword() { return m_report->PdfSetup.Password; }
void TORVREP::put_PDFPassword(const std::string& value) { m_report->PdfSetup.Password = value; }
std::string TORVREP::get_PDFOwnerPassword() { return m_report->PdfSetup.OwnerPassword; }
void TORVREP::put_PDFOwnerPassword(const std::string& value) { m_report->PdfSetup.OwnerPassword = value; }
std::string TORVREP::get_PDFUserPassword() { return m_report->PdfSetup.UserPassword; }
void TORVREP::put_PDFUserPassword(const std::string& value) { m_report->PdfSetup.UserPassword = value; }
bool TORVREP::get_PDFDisplaySecurityOptions() { return m_report->PdfSetup.DisplaySecurityOptions; }
void TORVREP::put_PDFDisplaySecurityOptions(bool value) { m_report->PdfSetup.DisplaySecurityOptions = value; }

std::string TORVREP::get_PDFFileName() { return m_report->PdfSetup.FileName; }
void TORVREP::put_PDFFileName(const std::string& value) { m_report->PdfSetup.FileName = value; }
std::string TORVREP::get_PDFAuthor() { return m_report->PdfSetup.Author; }
void TORVREP::put_PDFAuthor(const std::string& value) { m_report->PdfSetup.Author = value; }
std::string TORVREP::get_PDFCreator() { return m_report->PdfSetup.Creator; }
void TORVREP::put_PDFCreator(const std::string& value) { m_report->PdfSetup.Creator = value; }
std::string TORVREP::get_PDFTitle() { return m_report->PdfSetup.Title; }
void TORVREP::put_PDFTitle(const std::string& value) { m_report->PdfSetup.Title = value; }
std::string TORVREP::get_PDFSubject() { return m_report->PdfSetup.Subject; }
void TORVREP::put_PDFSubject(const std::string& value) { m_report->PdfSetup.Subject = value; }
std::string TORVREP::get_PDFKeywords() { return m_report->PdfSetup.Keywords; }
void TORVREP::put_PDFKeywords(const std::string& value) { m_report->PdfSetup.Keywords = value; }
bool TORVREP::get_PDFCompress() { return m_report->PdfSetup.Compress; }
void TORVREP::put_PDFCompress(bool value) { m_report->PdfSetup.Compress = value; }
bool TORVREP::get_PDFCompressBitmaps() { return m_report->PdfSetup.CompressBitmaps; }
void TORVREP::put_PDFCompressBitmaps(bool value) { m_report->PdfSetup.CompressBitmaps = value; }

// Qualities outside 1..100 are ignored.
int32_t TORVREP::get_PDFJPEGQuality() { return m_report->PdfSetup.JpegQuality; }
void TORVREP::put_PDFJPEGQuality(int32_t value)
{
    if (value >= 1 && value <= 100)
        m_report->PdfSetup.JpegQuality = value;
}
int32_t TORVREP::get_PDFBitmapQuality() { return m_report->PdfSetup.BitmapQuality; }
void TORVREP::put_PDFBitmapQuality(int32_t value)
{
    if (value >= 1 && value <= 100)
        m_report->PdfSetup.BitmapQuality = value;
}

int32_t TORVREP::get_PDFChartMode() { return m_report->PdfSetup.ChartMode; }
void TORVREP::put_PDFChartMode(int32_t value)
{
    if (value == 0 || value == 1)
        m_report->PdfSetup.ChartMode = value;
}

bool TORVREP::get_PDFEmbedFonts() { return m_report->PdfSetup.EmbedFonts; }
void TORVREP::put_PDFEmbedFonts(bool value) { m_report->PdfSetup.EmbedFonts = value; }
int32_t TORVREP::get_PDFCodePage() { return m_report->PdfSetup.CodePage; }
void TORVREP::put_PDFCodePage(int32_t value) { m_report->PdfSetup.CodePage = value; }

// The margin sets both offsets too; the offsets move every object.
float TORVREP::get_PDFMargin() { return singleOfCurrency(m_report->PdfSetup.Margin); }
void TORVREP::put_PDFMargin(float value)
{
    runTrapped([&] {
        TPDFSetup& setup = m_report->PdfSetup;
        setup.Margin = setup.XOffset = setup.YOffset = currencyOfSingle(value);
    });
}
float TORVREP::get_PDFXOffset() { return singleOfCurrency(m_report->PdfSetup.XOffset); }
void TORVREP::put_PDFXOffset(float value)
{
    runTrapped([&] { m_report->PdfSetup.XOffset = currencyOfSingle(value); });
}
float TORVREP::get_PDFYOffset() { return singleOfCurrency(m_report->PdfSetup.YOffset); }
void TORVREP::put_PDFYOffset(float value)
{
    runTrapped([&] { m_report->PdfSetup.YOffset = currencyOfSingle(value); });
}

bool TORVREP::get_PDFPromptForSaveToPDF() { return m_report->PdfSetup.PromptForSave; }
void TORVREP::put_PDFPromptForSaveToPDF(bool value) { m_report->PdfSetup.PromptForSave = value; }
bool TORVREP::get_PDFOpenAfterCreate() { return m_report->PdfSetup.OpenAfterCreate; }
void TORVREP::put_PDFOpenAfterCreate(bool value) { m_report->PdfSetup.OpenAfterCreate = value; }
bool TORVREP::get_PDFDisplayConfirmationAfterCreate() { return m_report->PdfSetup.ConfirmAfterCreate; }
void TORVREP::put_PDFDisplayConfirmationAfterCreate(bool value) { m_report->PdfSetup.ConfirmAfterCreate = value; }

bool TORVREP::get_DisplayPDFButton() { return m_displayPdfButton; }
void TORVREP::put_DisplayPDFButton(bool value)
{
    m_displayPdfButton = value;
    m_preview->setControlShown("cmdSaveToPDF", value);
}

// 1, 2, 4 or 8 pages a sheet, for printing and PDF alike.
int32_t TORVREP::get_PrintPagesPerPage() { return m_printPagesPerPage; }
void TORVREP::put_PrintPagesPerPage(int32_t value)
{
    if (value != 1 && value != 2 && value != 4 && value != 8)
        return;
    m_printPagesPerPage = value;
    m_report->PrinterSetup.PagesPerSheet = static_cast<uint8_t>(value);
    m_report->PdfPagesPerSheet = static_cast<uint8_t>(value);
}

} // namespace orv
