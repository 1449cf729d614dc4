#pragma once

#include "control/OrvReportEngine.h"
#include "control/OrvReportEngineEvents.h"
#include "document/Report.h"
#include "printing/PrinterInventory.h"
#include "viewer/InterfaceTexts.h"
#include "viewer/ViewerActions.h"

#include <QWidget>

#include <map>
#include <memory>

namespace orv {

class TUiServices;
class TPreview;

// The report engine control: a widget that a Qt host places in one of its
// windows. It owns the report and the current settings and implements the
// programmable interface; every operation runs inside the failure trap.
// A control lives on one thread: the one that created it and runs its event
// loop (see IOrvReportEngine).
class TORVREP : public QWidget, public IOrvReportEngine, private IReportObserver, private TViewerActions {
    Q_OBJECT

public:
    struct Options {
        // Dialogs go here; when null the control shows real Qt dialogs.
        TUiServices* ui = nullptr;
        // Connected before OnCreate fires, so it hears it.
        IOrvReportEngineEvents* sink = nullptr;
        // The host is designing, not running, its form (InDesignMode).
        bool designMode = false;
    };

    explicit TORVREP(QWidget* parent = nullptr);
    TORVREP(QWidget* parent, const Options& options);
    ~TORVREP() override;

    TReport& report() { return *m_report; }
    const TReport& report() const { return *m_report; }
    // The words of the toolbar hints and of the viewer's dialogs.
    TInterfaceTexts& interfaceTexts() { return m_interfaceTexts; }
    const TInterfaceTexts& interfaceTexts() const { return m_interfaceTexts; }
    // The preview the control shows: toolbar, page area and menus.
    TPreview& preview() { return *m_preview; }

    // What the viewer's Save to PDF, Save As Image and Print buttons (and the
    // page menu's "Print Report") do: the dialog over the host's window, then
    // the export or the print job. A host that answers dialogs itself gets
    // non-blocking stand-ins. No host call waits for these, so a failure is
    // shown in a message box.
    void saveToPdfFromViewer();
    void saveAsImageFromViewer();
    void printFromViewer();
    // The E-mail button: the SMTP or local mail editor by the messaging
    // type, then the report sent; or the mail client opened.
    void emailFromViewer();

    // The overloads for temporaries of the operations that write a name back.
    using IOrvReportEngine::ChartSaveToMetafile;
    using IOrvReportEngine::SaveToPDF;
    using IOrvReportEngine::SaveToWord;

    // --- events
    uint32_t Advise(IOrvReportEngineEvents* sink) override;
    void Unadvise(uint32_t cookie) override;

    // --- pages
    Variant NewPage(float nPageWidth = 0, float nPageHeight = 0, int32_t nOrientation = 0, int32_t nBinNumber = 0,
                    int32_t nPageNumber = 0) override;
    void NewPageByPaperSize(int32_t nPaperSize, int32_t nOrientation = 0, int32_t nBinNumber = 0,
                            int32_t nPageNumber = 0) override;
    void SetPageByPaperSize(int32_t nPaperSize, int32_t nOrientation = 0, int32_t nBinNumber = 0) override;
    int32_t DeletePage(int32_t nStartPage = 0, int32_t nLastPage = 0) override;
    void Clear() override;
    void ClearAll() override;
    bool SetPageNumberToOne(int32_t nPageNumber) override;
    int32_t get_nTotalPages() override;
    void put_nTotalPages(int32_t value) override;
    int32_t get_nPageNumber() override;
    void put_nPageNumber(int32_t value) override;
    float get_PageWidth() override;
    void put_PageWidth(float value) override;
    float get_PageHeight() override;
    void put_PageHeight(float value) override;
    int32_t get_PaperBin() override;
    void put_PaperBin(int32_t value) override;
    int32_t get_MediaType() override;
    void put_MediaType(int32_t value) override;
    Variant get_PageForm() override;
    void put_PageForm(const Variant& value) override;
    int32_t get_PageSize() override;
    void put_PageSize(int32_t value) override;
    float get_nCurrentPageWidth() override;
    void put_nCurrentPageWidth(float value) override;
    float get_nCurrentPageHeight() override;
    void put_nCurrentPageHeight(float value) override;
    int32_t get_nCurrentPageOrientation() override;
    void put_nCurrentPageOrientation(int32_t value) override;
    int32_t get_nCurrentPageBinNumber() override;
    void put_nCurrentPageBinNumber(int32_t value) override;
    int32_t get_nPageOrientation() override;
    void put_nPageOrientation(int32_t value) override;

    // --- page navigation
    void FirstPage() override;
    void PriorPage() override;
    void NextPage() override;
    void LastPage() override;
    Variant GotoPage(int32_t nPageNumber) override;

    // --- preview layout, zoom and toolbar
    void ZoomIn() override;
    void ZoomOut() override;
    void AddToolbarButton(const Variant& cName, const Variant& cBitmapFileName = Variant::missing(),
                          const Variant& cHint = Variant::missing(), int32_t nPosition = 0) override;
    int32_t get_Scale() override;
    void put_Scale(int32_t value) override;
    int32_t get_nCurrentScale() override;
    void put_nCurrentScale(int32_t value) override;
    int32_t get_nZoomScale() override;
    void put_nZoomScale(int32_t value) override;
    float get_nXOffset() override;
    void put_nXOffset(float value) override;
    float get_nYOffset() override;
    void put_nYOffset(float value) override;
    int32_t get_nBackgroundColor() override;
    void put_nBackgroundColor(int32_t value) override;
    int32_t get_nPaperColor() override;
    void put_nPaperColor(int32_t value) override;
    bool get_DisplayGrid() override;
    void put_DisplayGrid(bool value) override;
    int32_t get_nGridColor() override;
    void put_nGridColor(int32_t value) override;
    int32_t get_DisplayPagesPerPage() override;
    void put_DisplayPagesPerPage(int32_t value) override;
    int32_t get_DisplayPageMode() override;
    void put_DisplayPageMode(int32_t value) override;
    bool get_DisplayPageBorder() override;
    void put_DisplayPageBorder(bool value) override;
    int32_t get_DisplayPageBorderSize() override;
    void put_DisplayPageBorderSize(int32_t value) override;
    int32_t get_DisplayPaperStyle() override;
    void put_DisplayPaperStyle(int32_t value) override;
    bool get_DisplayPrinterMargins() override;
    void put_DisplayPrinterMargins(bool value) override;
    int32_t get_DisplayUnitOfMeasure() override;
    void put_DisplayUnitOfMeasure(int32_t value) override;
    bool get_DisplayToolbar() override;
    void put_DisplayToolbar(bool value) override;
    int32_t get_DisplayToolbarStyle() override;
    void put_DisplayToolbarStyle(int32_t value) override;
    bool get_DisplayStatusBar() override;
    void put_DisplayStatusBar(bool value) override;
    int32_t get_DisplayPopupMenu() override;
    void put_DisplayPopupMenu(int32_t value) override;
    bool get_DisplayZoomButtons() override;
    void put_DisplayZoomButtons(bool value) override;
    bool get_DisplayPageScale() override;
    void put_DisplayPageScale(bool value) override;
    bool get_DisplayActualSizeButton() override;
    void put_DisplayActualSizeButton(bool value) override;
    bool get_DisplayFitToWidthButton() override;
    void put_DisplayFitToWidthButton(bool value) override;
    bool get_DisplayFitInWindowButton() override;
    void put_DisplayFitInWindowButton(bool value) override;
    bool get_DisplayGridButton() override;
    void put_DisplayGridButton(bool value) override;
    bool get_DisplayHelpButton() override;
    void put_DisplayHelpButton(bool value) override;
    bool get_DisplayPageSize() override;
    void put_DisplayPageSize(bool value) override;
    bool get_DisplayNewPageButton() override;
    void put_DisplayNewPageButton(bool value) override;
    bool get_DisplayDeletePageButton() override;
    void put_DisplayDeletePageButton(bool value) override;
    bool get_DisplayPageNavigation() override;
    void put_DisplayPageNavigation(bool value) override;
    bool get_DisplayPageScroller() override;
    void put_DisplayPageScroller(bool value) override;

    void Find(const Variant& cString, bool lCaseSensitive = false, bool lFindAll = false) override;
    void FindClear() override;
    bool get_DisplayFindButton() override;
    void put_DisplayFindButton(bool value) override;
    int32_t get_DisplayFindToolbar() override;
    void put_DisplayFindToolbar(int32_t value) override;
    void SetReportEngineText(int32_t nIndexID, const Variant& cNewString) override;
    int32_t get_LanguageIndexID() override;
    void put_LanguageIndexID(int32_t value) override;

    // --- the form container
    bool get_Visible() override;
    void put_Visible(bool value) override;
    bool get_AutoScroll() override;
    void put_AutoScroll(bool value) override;
    bool get_AutoSize() override;
    void put_AutoSize(bool value) override;
    std::string get_Caption() override;
    void put_Caption(const std::string& value) override;
    int32_t get_Color() override;
    void put_Color(int32_t value) override;
    bool get_KeyPreview() override;
    void put_KeyPreview(bool value) override;
    int32_t get_PixelsPerInch() override;
    void put_PixelsPerInch(int32_t value) override;
    bool get_Scaled() override;
    void put_Scaled(bool value) override;
    bool get_Active() override;
    void put_Active(bool value) override;
    bool get_DropTarget() override;
    void put_DropTarget(bool value) override;
    std::string get_HelpFile() override;
    void put_HelpFile(const std::string& value) override;
    bool get_DoubleBuffered() override;
    void put_DoubleBuffered(bool value) override;
    bool get_AlignDisabled() override;
    void put_AlignDisabled(bool value) override;
    int32_t get_VisibleDockClientCount() override;
    void put_VisibleDockClientCount(int32_t value) override;
    bool get_Enabled() override;
    void put_Enabled(bool value) override;
    int16_t get_Cursor() override;
    void put_Cursor(int16_t value) override;
    std::string get_HelpKeyword() override;
    void put_HelpKeyword(const std::string& value) override;

    // --- report-wide information and settings
    void AboutBox() override;
    std::string get_Version() override;
    Variant ReportInfo(int32_t nParameter) override;
    int32_t get_LastError() override;
    std::string get_LastErrorMessage() override;
    int32_t get_nLastError() override;
    void put_nLastError(int32_t value) override;
    bool get_ProcessInBackground() override;
    void put_ProcessInBackground(bool value) override;
    int32_t get_nRedraws() override;
    bool get_InDesignMode() override;
    int32_t get_ParentWindow() override;
    int32_t get_nHDC() override;
    void put_nHDC(int32_t value) override;
    int32_t get_GDIPlusEnabled() override;
    int32_t get_GDIPlusTextRenderingHint() override;
    void put_GDIPlusTextRenderingHint(int32_t value) override;
    int32_t get_HelpContextID() override;
    void put_HelpContextID(int32_t value) override;
    bool get_ShowTips() override;
    void put_ShowTips(bool value) override;
    int32_t get_PictureJPEGSpeed() override;
    void put_PictureJPEGSpeed(int32_t value) override;
    void SetAll(const Variant& cProperty, const Variant& Value, const Variant& cClass, int32_t nStartRange = 0,
                int32_t nEndRange = 0) override;
    void ReturnValue(int32_t nNumber) override;
    bool get_DoubleBuffer() override;
    void put_DoubleBuffer(bool value) override;
    int32_t get_PrintScale() override;
    void put_PrintScale(int32_t value) override;

    // --- current text settings
    Variant get_TextFontName() override;
    void put_TextFontName(const Variant& value) override;
    int32_t get_TextFontSize() override;
    void put_TextFontSize(int32_t value) override;
    Variant get_cFontStyle() override;
    void put_cFontStyle(const Variant& value) override;
    int32_t get_TextFontForeColor() override;
    void put_TextFontForeColor(int32_t value) override;
    int32_t get_TextFontBackColor() override;
    void put_TextFontBackColor(int32_t value) override;
    int32_t get_TextFontStyle() override;
    void put_TextFontStyle(int32_t value) override;

    // --- text objects
    void AddText(const Variant& cName, const Variant& cText, float nHPos, float nVPos, float nWidth, float nHeight,
                 const Variant& cFontName = Variant::missing(), int32_t nFontSize = 0, int32_t nForeColor = 0,
                 int32_t nBackColor = 0, const Variant& cFontStyle = Variant::missing(), int32_t nRotationAngle = 0,
                 int32_t nBackStyle = 0, int32_t nAlignment = 0, const Variant& cSubType = Variant::missing(),
                 int32_t nAlphaLevel = 255, int32_t nStringTrimmingStyle = 2,
                 int32_t nLineSpacing = 0) override;
    void AddReportField(const Variant& cName, const Variant& cExpression, float nHPos, float nVPos, float nWidth,
                        float nHeight, const Variant& cPicture = Variant::missing(),
                        const Variant& cDataType = Variant::missing(), const Variant& cFontName = Variant::missing(),
                        int32_t nFontSize = 0, int32_t nForeColor = 0, int32_t nBackColor = 0,
                        const Variant& cFontStyle = Variant::missing(), int32_t nRotationAngle = 0,
                        int32_t nBackStyle = 0, int32_t nAlignment = 0, const Variant& cSubType = Variant::missing(),
                        int32_t nAlphaLevel = 255) override;
    Variant GetTextHeight(int32_t nHPos, int32_t nVPos, int32_t nWidth, const Variant& cText,
                          int32_t nAlignment) override;
    int32_t get_LastTextHeight() override;
    void put_LastTextHeight(int32_t value) override;
    int32_t get_PDFFontCount() override;
    Variant PDFFontMetric(int32_t nFontIndex, int32_t nAttribute, int32_t nEmbedFont = 0) override;

    // --- graphic objects
    int32_t AddShape(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                     int32_t nPenColor = 0, int32_t nFillColor = 0, int32_t nFillStyle = 8, int32_t nBackStyle = 0,
                     int32_t nBorderStyle = 8, int32_t nBorderWidth = 0, int32_t nCurvature = 0,
                     int32_t nShapeStyle = 0, int32_t nAlphaLevel = 255) override;
    int32_t AddLine(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                    int32_t nPenColor = 0, int32_t nPenWidth = 1, int32_t nPenStyle = 8, int32_t nFillColor = 0,
                    int32_t nBackStyle = 0, int32_t nBorderStyle = 0, int32_t nAlphaLevel = 255) override;
    int32_t AddArc(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight, int32_t nStartAngle,
                   int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0, int32_t nFillStyle = 8,
                   int32_t nBackStyle = 0, int32_t nBorderStyle = 8, int32_t nBorderWidth = 0,
                   int32_t nAlphaLevel = 255) override;
    int32_t AddChord(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight, int32_t nStartAngle,
                     int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0, int32_t nFillStyle = 8,
                     int32_t nBackStyle = 0, int32_t nBorderStyle = 8, int32_t nBorderWidth = 0,
                     int32_t nAlphaLevel = 255) override;
    int32_t AddPie(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight, int32_t nStartAngle,
                   int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0, int32_t nFillStyle = 8,
                   int32_t nBackStyle = 0, int32_t nBorderStyle = 8, int32_t nBorderWidth = 0,
                   int32_t nAlphaLevel = 255) override;
    int32_t AddGrid(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth, Currency nHeight,
                    int32_t nColumns, int32_t nRows, int32_t nPenWidth = 1, int32_t nPenColor = 0,
                    int32_t nBorderWidth = 1, int32_t nFillColor = 0, int32_t nBorderStyle = 8,
                    int32_t nFillStyle = 1) override;
    void AddPicture(const Variant& cName, const Variant& cFileName, float nHPos, float nVPos, float nWidth,
                    float nHeight, int32_t nImageScaling = 1, int32_t nFlags = 0, int32_t nPageNumber = 0) override;
    Variant AddFromClipboard(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth, Currency nHeight,
                             int32_t nImageScaling = 1) override;
    void AddBarCode(const Variant& cName, const Variant& cData, int32_t nBarCodeType, float nHPos, float nVPos,
                    float nWidth, float nHeight, int32_t nBarColor, int32_t nRotationAngle) override;
    void AddAnnotation(const Variant& cName, const Variant& cAnnotationType, Currency nHPos, Currency nVPos,
                       Currency nWidth, Currency nHeight, const Variant& cContent, int32_t nBorderWidth = 0) override;
    void AddChart(const Variant& cName, int32_t nChartType, float nHPos, float nVPos, float nWidth,
                  float nHeight) override;
    bool ChartSelect(int32_t nChartIndex) override;
    void ClearLastItem() override;
    int32_t get_nReportObjects() override;
    void put_nReportObjects(int32_t value) override;
    int32_t get_ShapePenColor() override;
    void put_ShapePenColor(int32_t value) override;
    int32_t get_ShapeFillColor() override;
    void put_ShapeFillColor(int32_t value) override;
    int32_t get_ShapeFillStyle() override;
    void put_ShapeFillStyle(int32_t value) override;
    int32_t get_ShapeBackStyle() override;
    void put_ShapeBackStyle(int32_t value) override;
    int32_t get_ShapeBorderStyle() override;
    void put_ShapeBorderStyle(int32_t value) override;
    int32_t get_ShapeBorderWidth() override;
    void put_ShapeBorderWidth(int32_t value) override;
    int32_t get_ShapeCurvature() override;
    void put_ShapeCurvature(int32_t value) override;
    int32_t get_LinePenColor() override;
    void put_LinePenColor(int32_t value) override;
    int32_t get_LinePenWidth() override;
    void put_LinePenWidth(int32_t value) override;
    int32_t get_LinePenStyle() override;
    void put_LinePenStyle(int32_t value) override;

    // --- watermark of the view page
    Variant get_WatermarkText() override;
    void put_WatermarkText(const Variant& value) override;
    Variant get_WatermarkFontName() override;
    void put_WatermarkFontName(const Variant& value) override;
    int32_t get_WatermarkFontSize() override;
    void put_WatermarkFontSize(int32_t value) override;
    int32_t get_WaterMarkForeColor() override;
    void put_WaterMarkForeColor(int32_t value) override;
    int32_t get_WaterMarkBackColor() override;
    void put_WaterMarkBackColor(int32_t value) override;
    int32_t get_WatermarkRotationAngle() override;
    void put_WatermarkRotationAngle(int32_t value) override;
    Variant get_WatermarkFontStyle() override;
    void put_WatermarkFontStyle(const Variant& value) override;

    // --- calendar
    float get_CalendarWidth() override;
    void put_CalendarWidth(float value) override;
    float get_CalendarHeight() override;
    void put_CalendarHeight(float value) override;
    float get_CalendarLeft() override;
    void put_CalendarLeft(float value) override;
    float get_CalendarTop() override;
    void put_CalendarTop(float value) override;
    bool get_CalendarShow() override;
    void put_CalendarShow(bool value) override;
    bool get_CalendarShowGridLines() override;
    void put_CalendarShowGridLines(bool value) override;
    int32_t get_CalendarMonth() override;
    void put_CalendarMonth(int32_t value) override;
    int32_t get_CalendarYear() override;
    void put_CalendarYear(int32_t value) override;
    int32_t get_CalendarDateFontSize() override;
    void put_CalendarDateFontSize(int32_t value) override;
    int32_t get_CalendarMonthFontSize() override;
    void put_CalendarMonthFontSize(int32_t value) override;
    int32_t get_CalendarMonthFontColor() override;
    void put_CalendarMonthFontColor(int32_t value) override;
    int32_t get_CalendarDateFontColor() override;
    void put_CalendarDateFontColor(int32_t value) override;
    std::string get_CalendarMonthFontName() override;
    void put_CalendarMonthFontName(const std::string& value) override;
    std::string get_CalendarDateFontName() override;
    void put_CalendarDateFontName(const std::string& value) override;
    std::string get_CalendarMonthFontStyle() override;
    void put_CalendarMonthFontStyle(const std::string& value) override;
    std::string get_CalendarDateFontStyle() override;
    void put_CalendarDateFontStyle(const std::string& value) override;
    Variant get_CalendarGridLineColor() override;
    void put_CalendarGridLineColor(const Variant& value) override;
    Variant get_CalendarGridLineWidth() override;
    void put_CalendarGridLineWidth(const Variant& value) override;

    // --- page images
    Variant SaveToJPEG(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                       int32_t nThumbnailSize = 0, bool lGrayScale = false, int32_t nCompressionQuality = 90,
                       bool lProgressiveEncoding = false) override;
    Variant SaveToBitmap(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                         int32_t nThumbnailSize = 0, int32_t nBitsPerPixel = 24, bool lGrayScale = false) override;
    Variant SaveToPNG(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                      int32_t nThumbnailSize = 0, int32_t nBitsPerPixel = 24, bool lGrayScale = false) override;
    Variant SaveToTIFF(const Variant& cFileName, int32_t nPageNumberStart = 0, int32_t nPageNumberEnd = 0,
                       bool lOpenFile = false, int32_t nThumbnailSize = 0, int32_t nCompressionType = 0,
                       int32_t nBitsPerPixel = 24, bool lGrayScale = false) override;
    Variant SaveToMetafile(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false) override;
    Variant CopyPageToClipboard(int32_t nPageNumber) override;
    bool get_DisplaySaveAsImageButton() override;
    void put_DisplaySaveAsImageButton(bool value) override;

    // --- PDF export
    Variant SaveToPDF(Variant& cFileName, bool lOpenFile = false, int32_t nStartPage = 0, int32_t nEndPage = 0) override;
    Variant PDFStream(int32_t nStartPage = 0, int32_t nEndPage = 0) override;
    void PDFSetPermissions(int32_t nAllowPrintingLevel, bool lAllowCopying, bool lAllowChanges, bool lAllowCommenting,
                           bool lAllowFillingFormFields, bool lAllowCopyingAccessibility, bool lAllowDocumentAssembly) override;
    int32_t get_PDFEncrypt() override;
    void put_PDFEncrypt(int32_t value) override;
    std::string get_PDFPassword() override;
    void put_PDFPassword(const std::string& value) override;
    std::string get_PDFOwnerPassword() override;
    void put_PDFOwnerPassword(const std::string& value) override;
    std::string get_PDFUserPassword() override;
    void put_PDFUserPassword(const std::string& value) override;
    bool get_PDFDisplaySecurityOptions() override;
    void put_PDFDisplaySecurityOptions(bool value) override;
    std::string get_PDFFileName() override;
    void put_PDFFileName(const std::string& value) override;
    std::string get_PDFAuthor() override;
    void put_PDFAuthor(const std::string& value) override;
    std::string get_PDFCreator() override;
    void put_PDFCreator(const std::string& value) override;
    std::string get_PDFTitle() override;
    void put_PDFTitle(const std::string& value) override;
    std::string get_PDFSubject() override;
    void put_PDFSubject(const std::string& value) override;
    std::string get_PDFKeywords() override;
    void put_PDFKeywords(const std::string& value) override;
    bool get_PDFCompress() override;
    void put_PDFCompress(bool value) override;
    bool get_PDFCompressBitmaps() override;
    void put_PDFCompressBitmaps(bool value) override;
    int32_t get_PDFJPEGQuality() override;
    void put_PDFJPEGQuality(int32_t value) override;
    int32_t get_PDFBitmapQuality() override;
    void put_PDFBitmapQuality(int32_t value) override;
    bool get_PDFEmbedFonts() override;
    void put_PDFEmbedFonts(bool value) override;
    int32_t get_PDFCodePage() override;
    void put_PDFCodePage(int32_t value) override;
    int32_t get_PDFChartMode() override;
    void put_PDFChartMode(int32_t value) override;
    int32_t get_PDFUnicodeText() override;
    void put_PDFUnicodeText(int32_t value) override;
    float get_PDFMargin() override;
    void put_PDFMargin(float value) override;
    float get_PDFXOffset() override;
    void put_PDFXOffset(float value) override;
    float get_PDFYOffset() override;
    void put_PDFYOffset(float value) override;
    bool get_PDFPromptForSaveToPDF() override;
    void put_PDFPromptForSaveToPDF(bool value) override;
    bool get_PDFOpenAfterCreate() override;
    void put_PDFOpenAfterCreate(bool value) override;
    bool get_PDFDisplayConfirmationAfterCreate() override;
    void put_PDFDisplayConfirmationAfterCreate(bool value) override;
    bool get_DisplayPDFButton() override;
    void put_DisplayPDFButton(bool value) override;
    int32_t get_PrintPagesPerPage() override;
    void put_PrintPagesPerPage(int32_t value) override;

    // --- word-processor documents
    Variant SaveToWord(Variant& cFileName, bool lOpenFile = false) override;
    Variant AddWordDocument(const Variant& cName, const Variant& cFileName, int32_t nPageNumber = 0,
                            int32_t nStartPage = 0, int32_t nEndPage = 0) override;
    bool get_DisplayAddDocumentButton() override;
    void put_DisplayAddDocumentButton(bool value) override;

    // --- e-mail
    Variant SendMail(const Variant& cSMTPHost = Variant::missing(),
                             const Variant& cFromAddress = Variant::missing(),
                             const Variant& cRecipients = Variant::missing(),
                             const Variant& cSubject = Variant::missing(),
                             const Variant& cBodyText = Variant::missing(),
                             const Variant& cAttachmentFileName = Variant::missing()) override;
    std::string get_EmailFromAddress() override;
    void put_EmailFromAddress(const std::string& value) override;
    std::string get_EmailSMTPHost() override;
    void put_EmailSMTPHost(const std::string& value) override;
    std::string get_EmailRecipients() override;
    void put_EmailRecipients(const std::string& value) override;
    std::string get_EmailSubject() override;
    void put_EmailSubject(const std::string& value) override;
    std::string get_EmailBody() override;
    void put_EmailBody(const std::string& value) override;
    std::string get_EMAILBodyHTML() override;
    void put_EMAILBodyHTML(const std::string& value) override;
    std::string get_EmailCCAddresses() override;
    void put_EmailCCAddresses(const std::string& value) override;
    std::string get_EmailBCCAddresses() override;
    void put_EmailBCCAddresses(const std::string& value) override;
    std::string get_EmailSMTPUserID() override;
    void put_EmailSMTPUserID(const std::string& value) override;
    std::string get_EmailSMTPPassword() override;
    void put_EmailSMTPPassword(const std::string& value) override;
    std::string get_EmailAttachmentFileName() override;
    void put_EmailAttachmentFileName(const std::string& value) override;
    std::string get_EMailContentType() override;
    void put_EMailContentType(const Variant& value) override;
    std::string get_EmailMAPIProfileName() override;
    void put_EmailMAPIProfileName(const std::string& value) override;
    std::string get_EmailMAPIPassword() override;
    void put_EmailMAPIPassword(const std::string& value) override;
    int32_t get_EmailSMTPPort() override;
    void put_EmailSMTPPort(int32_t value) override;
    uint8_t get_EmailSMTPAuthorizationType() override;
    void put_EmailSMTPAuthorizationType(uint8_t value) override;
    bool get_EmailReturnReceipt() override;
    void put_EmailReturnReceipt(bool value) override;
    uint8_t get_EmailMessagingType() override;
    void put_EmailMessagingType(uint8_t value) override;
    bool get_EmailDisplayConfirmationAfterSend() override;
    void put_EmailDisplayConfirmationAfterSend(bool value) override;
    uint8_t get_EMAILFromDisplayStyle() override;
    void put_EMAILFromDisplayStyle(uint8_t value) override;
    uint8_t get_EMAILSMTPHostDisplayStyle() override;
    void put_EMAILSMTPHostDisplayStyle(uint8_t value) override;
    void EMAILAddAttachment(const Variant& cFileName) override;
    int32_t get_EMAILAttachmentCount() override;
    void put_EMAILAttachmentCount(int32_t value) override;
    int32_t get_EmailPriorityLevel() override;
    void put_EmailPriorityLevel(int32_t value) override;
    bool get_DisplayEmailButton() override;
    void put_DisplayEmailButton(bool value) override;
    uint8_t get_EmailSMTPSecurity() override;
    void put_EmailSMTPSecurity(uint8_t value) override;
    std::string get_EmailSMTPCAFile() override;
    void put_EmailSMTPCAFile(const std::string& value) override;
    int32_t get_EmailSMTPTimeout() override;
    void put_EmailSMTPTimeout(int32_t value) override;
    std::string get_EmailSendmailCommand() override;
    void put_EmailSendmailCommand(const std::string& value) override;

    // --- charts
    int32_t ChartGetCount(int32_t nPageNumber = 0) override;
    void ChartAddSeries(int32_t nSeriesType, const Variant& cSeriesTitle = Variant::missing(),
                        int32_t nSeriesColor = 0) override;
    void ChartSelectSeries(int32_t nSeries) override;
    void ChartAddXYData(int32_t nX, int32_t nY, const Variant& cLegend, int32_t nColor) override;
    void ChartAddData(int32_t nChartIndex, int32_t nValue, const Variant& cLabel, int32_t nColor) override;
    void ChartSaveToMetafile(Variant& cFileName, int32_t nWidth, int32_t nHeight) override;
    std::string get_ChartXAxisTitle() override;
    void put_ChartXAxisTitle(const std::string& value) override;
    int16_t get_ChartXAxisTitleAngle() override;
    void put_ChartXAxisTitleAngle(int16_t value) override;
    int16_t get_ChartXAxisLabelAngle() override;
    void put_ChartXAxisLabelAngle(int16_t value) override;
    int16_t get_ChartXAxisFontSize() override;
    void put_ChartXAxisFontSize(int16_t value) override;
    std::string get_ChartXAxisFontname() override;
    void put_ChartXAxisFontname(const std::string& value) override;
    std::string get_ChartXAxisFontStyle() override;
    void put_ChartXAxisFontStyle(const std::string& value) override;
    bool get_ChartXAxisAutomatic() override;
    void put_ChartXAxisAutomatic(bool value) override;
    double get_ChartXAxisMin() override;
    void put_ChartXAxisMin(double value) override;
    double get_ChartXAxisMax() override;
    void put_ChartXAxisMax(double value) override;
    bool get_ChartXAxisHideLabels() override;
    void put_ChartXAxisHideLabels(bool value) override;
    std::string get_ChartYAxisTitle() override;
    void put_ChartYAxisTitle(const std::string& value) override;
    int16_t get_ChartYAxisTitleAngle() override;
    void put_ChartYAxisTitleAngle(int16_t value) override;
    int16_t get_ChartYAxisLabelAngle() override;
    void put_ChartYAxisLabelAngle(int16_t value) override;
    int16_t get_ChartYAxisFontSize() override;
    void put_ChartYAxisFontSize(int16_t value) override;
    std::string get_ChartYAxisFontName() override;
    void put_ChartYAxisFontName(const std::string& value) override;
    std::string get_ChartYAxisFontStyle() override;
    void put_ChartYAxisFontStyle(const std::string& value) override;
    bool get_ChartYAxisAutomatic() override;
    void put_ChartYAxisAutomatic(bool value) override;
    double get_ChartYAxisMin() override;
    void put_ChartYAxisMin(double value) override;
    double get_ChartYAxisMax() override;
    void put_ChartYAxisMax(double value) override;
    bool get_ChartYAxisHideLabels() override;
    void put_ChartYAxisHideLabels(bool value) override;
    bool get_Chart3DView() override;
    void put_Chart3DView(bool value) override;
    uint8_t get_Chart3DPercent() override;
    void put_Chart3DPercent(uint8_t value) override;
    bool get_Chart3DWalls() override;
    void put_Chart3DWalls(bool value) override;
    bool get_ChartAxisVisible() override;
    void put_ChartAxisVisible(bool value) override;
    bool get_ChartLeftWallTransparent() override;
    void put_ChartLeftWallTransparent(bool value) override;
    int32_t get_ChartLeftWallColor() override;
    void put_ChartLeftWallColor(int32_t value) override;
    uint8_t get_ChartLeftWallSize() override;
    void put_ChartLeftWallSize(uint8_t value) override;
    bool get_ChartBottomWallTransparent() override;
    void put_ChartBottomWallTransparent(bool value) override;
    int32_t get_ChartBottomWallColor() override;
    void put_ChartBottomWallColor(int32_t value) override;
    uint8_t get_ChartBottomWallSize() override;
    void put_ChartBottomWallSize(uint8_t value) override;
    bool get_ChartBackWallTransparent() override;
    void put_ChartBackWallTransparent(bool value) override;
    int32_t get_ChartBackWallColor() override;
    void put_ChartBackWallColor(int32_t value) override;
    uint8_t get_ChartBackWallSize() override;
    void put_ChartBackWallSize(uint8_t value) override;
    uint8_t get_ChartGradientDirection() override;
    void put_ChartGradientDirection(uint8_t value) override;
    int32_t get_ChartGradientEndColor() override;
    void put_ChartGradientEndColor(int32_t value) override;
    int32_t get_ChartGradientStartColor() override;
    void put_ChartGradientStartColor(int32_t value) override;
    bool get_ChartGradientVisible() override;
    void put_ChartGradientVisible(bool value) override;
    uint8_t get_ChartLegendBorderStyle() override;
    void put_ChartLegendBorderStyle(uint8_t value) override;
    std::string get_ChartLegendFontName() override;
    void put_ChartLegendFontName(const std::string& value) override;
    int32_t get_ChartLegendFontColor() override;
    void put_ChartLegendFontColor(int32_t value) override;
    int16_t get_ChartLegendFontSize() override;
    void put_ChartLegendFontSize(int16_t value) override;
    uint8_t get_ChartLegendMarginSize() override;
    void put_ChartLegendMarginSize(uint8_t value) override;
    uint8_t get_ChartLegendPosition() override;
    void put_ChartLegendPosition(uint8_t value) override;
    uint8_t get_ChartLegendStyle() override;
    void put_ChartLegendStyle(uint8_t value) override;
    uint8_t get_ChartLegendBorderWidth() override;
    void put_ChartLegendBorderWidth(uint8_t value) override;
    bool get_ChartLegendVisible() override;
    void put_ChartLegendVisible(bool value) override;
    int16_t get_ChartDataPointLegendFontSize() override;
    void put_ChartDataPointLegendFontSize(int16_t value) override;
    int16_t get_ChartYAxisLabelFontSize() override;
    void put_ChartYAxisLabelFontSize(int16_t value) override;
    int32_t get_ChartLegendBorderColor() override;
    void put_ChartLegendBorderColor(int32_t value) override;
    bool get_ChartLegendResizeChart() override;
    void put_ChartLegendResizeChart(bool value) override;
    int32_t get_ChartLegendShadowColor() override;
    void put_ChartLegendShadowColor(int32_t value) override;
    int32_t get_ChartLegendShadowSize() override;
    void put_ChartLegendShadowSize(int32_t value) override;
    std::string get_ChartTitle() override;
    void put_ChartTitle(const std::string& value) override;
    uint8_t get_ChartTitleAlignment() override;
    void put_ChartTitleAlignment(uint8_t value) override;
    int32_t get_ChartTitleBackColor() override;
    void put_ChartTitleBackColor(int32_t value) override;
    uint8_t get_ChartTitleBackStyle() override;
    void put_ChartTitleBackStyle(uint8_t value) override;
    uint8_t get_ChartTitleBorderStyle() override;
    void put_ChartTitleBorderStyle(uint8_t value) override;
    uint8_t get_ChartTitleBorderWidth() override;
    void put_ChartTitleBorderWidth(uint8_t value) override;
    int32_t get_ChartTitleBorderColor() override;
    void put_ChartTitleBorderColor(int32_t value) override;
    int32_t get_ChartTitleFontColor() override;
    void put_ChartTitleFontColor(int32_t value) override;
    std::string get_ChartTitleFontName() override;
    void put_ChartTitleFontName(const std::string& value) override;
    int16_t get_ChartTitleFontSize() override;
    void put_ChartTitleFontSize(int16_t value) override;
    uint8_t get_ChartType() override;
    void put_ChartType(uint8_t value) override;
    int32_t get_ChartSeriesMarksBackColor() override;
    void put_ChartSeriesMarksBackColor(int32_t value) override;
    uint8_t get_ChartSeriesBarStyle() override;
    void put_ChartSeriesBarStyle(uint8_t value) override;
    uint8_t get_ChartSeriesMultibarStyle() override;
    void put_ChartSeriesMultibarStyle(uint8_t value) override;
    uint8_t get_ChartSeriesMarksStyle() override;
    void put_ChartSeriesMarksStyle(uint8_t value) override;
    bool get_ChartSeriesMarksTransparent() override;
    void put_ChartSeriesMarksTransparent(bool value) override;
    bool get_ChartSeriesMarksVisible() override;
    void put_ChartSeriesMarksVisible(bool value) override;
    std::string get_ChartSeriesTitle() override;
    void put_ChartSeriesTitle(const std::string& value) override;
    int32_t get_ChartSeriesColor() override;
    void put_ChartSeriesColor(int32_t value) override;

    // --- printers and print jobs
    void SetPrinterTo(const Variant& PrinterID) override;
    int32_t get_PrinterID() override;
    void put_PrinterID(int32_t value) override;
    int32_t get_CurrentPrinter() override;
    std::string get_PrinterName() override;
    Variant get_PrinterPort() override;
    int32_t get_PrinterCount() override;
    int32_t get_PrinterPaperWidth() override;
    void put_PrinterPaperWidth(int32_t value) override;
    int32_t get_PrinterPaperHeight() override;
    void put_PrinterPaperHeight(int32_t value) override;
    int32_t get_PrinterPaperCount() override;
    int32_t get_PrinterPhysicalOffsetX() override;
    int32_t get_PrinterPhysicalOffsetY() override;
    int32_t get_PrinterYResolution() override;
    int32_t get_PrinterPrintQuality() override;
    void put_PrinterPrintQuality(int32_t value) override;
    int32_t get_PrinterCollate() override;
    void put_PrinterCollate(int32_t value) override;
    int32_t get_PrinterScale() override;
    void put_PrinterScale(int32_t value) override;
    int32_t get_PrinterBinCount() override;
    int32_t get_PrinterBinID() override;
    void put_PrinterBinID(int32_t value) override;
    Variant get_PrinterBinName() override;
    void put_PrinterBinName(const Variant& value) override;
    int32_t get_PrinterColor() override;
    void put_PrinterColor(int32_t value) override;
    int32_t get_PrinterCopies() override;
    void put_PrinterCopies(int32_t value) override;
    Variant PrinterAddForm(const Variant& cFormName, Currency nFormWidth, Currency nFormHeight,
                           Currency nLeftMargin = {}, Currency nTopMargin = {}, Currency nRightMargin = {},
                           Currency nBottomMargin = {}, const Variant& cPrinterName = Variant::missing()) override;
    Variant PrinterDeleteForm(const Variant& cFormName, const Variant& cPrinterName) override;
    bool get_DisplayPrinterList() override;
    void put_DisplayPrinterList(bool value) override;
    Variant PrintReport(const Variant& PrinterID = Variant::missing(), int32_t nStartPage = 0, int32_t nEndPage = 0,
                        int32_t nPageType = 0, const Variant& cFileName = Variant::missing(),
                        bool lDuplex = false) override;
    std::string get_PrintJobTitle() override;
    void put_PrintJobTitle(const std::string& value) override;
    bool get_PrintPromptForPrint() override;
    void put_PrintPromptForPrint(bool value) override;
    int32_t get_PrintStartPage() override;
    void put_PrintStartPage(int32_t value) override;
    int32_t get_PrintEndPage() override;
    void put_PrintEndPage(int32_t value) override;
    int32_t get_PrintCopies() override;
    void put_PrintCopies(int32_t value) override;
    bool get_PrintColor() override;
    void put_PrintColor(bool value) override;
    bool get_PrintCollatePages() override;
    void put_PrintCollatePages(bool value) override;
    bool get_PrintReversePages() override;
    void put_PrintReversePages(bool value) override;
    bool get_PrintDuplex() override;
    void put_PrintDuplex(bool value) override;
    bool get_PrintShrinkToFit() override;
    void put_PrintShrinkToFit(bool value) override;
    float get_nXPrintOffset() override;
    void put_nXPrintOffset(float value) override;
    float get_nYPrintOffset() override;
    void put_nYPrintOffset(float value) override;
    int32_t get_nPrintScale() override;
    void put_nPrintScale(int32_t value) override;
    bool get_DisplayPrintButton() override;
    void put_DisplayPrintButton(bool value) override;

    // Pictures
    Variant GetImageInfo(const Variant& attribute, const Variant& fileName) override;

signals:
    // The report asks the preview to lay its pages out again, to repaint, or
    // to refresh its navigation controls; background building was switched.
    void layoutRequested();
    void repaintRequested();
    void navigationRequested();
    void backgroundProcessingSwitched(bool on);

private:
    // IReportObserver
    void reportLayoutChanged() override;
    void reportContentChanged() override;
    void reportNavigationChanged() override;
    void reportBackgroundChanged(bool on) override;

    // TViewerActions: the preview's buttons, menus and events.
    void saveToPdf() override;
    void saveAsImage() override;
    void printReport() override;
    void emailReport() override;
    void addDocument() override;
    void newPage() override;
    void deletePage() override;
    void showHelp() override;
    void copyViewPage() override;
    void showAbout() override;
    void choosePrinter(int32_t index) override;
    void placeClipboardPicture(const QRectF& inches, int32_t imageScaling) override;
    void tellFailure(const std::string& message) override;
    void pageClicked(int32_t pageNumber, float x, float y) override;
    void beforePagePrint(int32_t pageNumber) override;
    void clicked() override;
    void doubleClicked() override;
    void keyPressed(int16_t& key) override;
    void painted() override;
    void activated() override;
    void deactivated() override;
    void toolbarButtonClicked(const std::string& name) override;

    void initPreview();
    // Find with an empty string: the find dialog, or its stand-in when the
    // host answers dialogs itself.
    void findWithDialog();
    // The preview's printer list shows the installed printers and the
    // current one.
    void refreshPrinterList();
    // Runs a toolbar or menu action: a failure is shown, not thrown into
    // the event loop.
    template <class Body>
    void runFromViewer(Body&& body);

    template <class Event>
    void fireEvent(Event&& event)
    {
        // A sink may disconnect itself while it hears the event.
        auto sinks = m_sinks;
        for (auto& [cookie, sink] : sinks)
            event(*sink);
    }
    void showProcessReport();
    void initPrinting();
    void selectPrinter(int32_t index);
    int32_t printWithCurrentSettings(bool prompt);

    std::unique_ptr<TUiServices> m_ownedUi;
    TUiServices* m_ui = nullptr;
    std::unique_ptr<TReport> m_report;
    TInterfaceTexts m_interfaceTexts;
    std::map<uint32_t, IOrvReportEngineEvents*> m_sinks;
    uint32_t m_nextCookie = 1;
    bool m_designMode = false;

    // Current settings the control holds for later calls.
    int32_t m_helpContextId = 0;
    bool m_showTips = true;
    int32_t m_pictureJpegSpeed = 0;
    int32_t m_lastError = 0;
    int32_t m_lastTextHeight = 0;
    std::string m_lastErrorMessage;

    // Form properties Qt keeps no place for.
    bool m_autoScroll = false;
    bool m_autoSize = false;
    bool m_keyPreview = false;
    bool m_scaled = true;
    std::string m_helpFile;
    std::string m_helpKeyword;
    bool m_alignDisabled = false;

    bool m_doubleBuffered = false;

    // Shown by the viewer's toolbar when it refreshes.
    bool m_displayPdfButton = true;
    bool m_displaySaveAsImageButton = true;
    // The last pages-per-sheet value the host chose for printing and PDF.
    int32_t m_printPagesPerPage = 1;
    // Printers: the count taken at start-up and the current printer.
    TOrvPrinters m_printers;
    TCurrentPrinter m_currentPrinter;
    bool m_displayPrinterList = false;
    bool m_displayPrintButton = true;
    int32_t m_storedPrintScale = 100;
    int16_t m_cursor = 0;
    // The viewer shows its "Add Word Document" button until told otherwise,
    // yet the property reads false until a value is put.
    bool m_displayAddDocumentButton = false;
    // The E-mail button: hidden at start, and the property reads the last
    // value put.
    bool m_displayEmailButton = false;

    std::unique_ptr<QObject> m_tooltipFilter;

    // The preview, a child widget filling the control.
    TPreview* m_preview = nullptr;
    // The preview offsets as last put, besides the report's currency copy.
    float m_xOffset = 0;
    float m_yOffset = 0;

    // The chart the chart operations address: its number on the draw page,
    // 0 for none.
    int32_t m_currentChart = 0;
    // Shape and line settings that are only stored and read back: the adding
    // operations take their own declared defaults instead.
    int32_t m_shapePenColor = 0, m_shapeFillColor = 0, m_shapeFillStyle = 0, m_shapeBackStyle = 0;
    int32_t m_shapeBorderStyle = 0, m_shapeBorderWidth = 0, m_shapeCurvature = 0;
    int32_t m_linePenColor = 0, m_linePenWidth = 0, m_linePenStyle = 0;
};

} // namespace orv
