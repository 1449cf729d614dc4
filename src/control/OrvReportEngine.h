#pragma once

#include "control/Variant.h"

#include <cstdint>
#include <string>

namespace orv {

class IOrvReportEngineEvents;

// The control's programmable interface, typed form. Methods carry their own
// names, properties are get_Name()/put_Name(value), optional arguments have
// C++ defaults, and every failure is thrown as EngineError. The same
// operations are reachable by name through TDispatchTable.
//
// Threads: one control per thread. A control is created, used and destroyed
// on the thread that runs its Qt event loop (its dialogs, progress windows
// and printing run that loop); it is never called from another thread.
// Controls on different threads are independent; the font cache they share
// is safe to use from all of them.
class IOrvReportEngine {
public:
    virtual ~IOrvReportEngine() = default;

    // --- events ---------------------------------------------------------------
    // Connects an event sink; the cookie disconnects it again.
    virtual uint32_t Advise(IOrvReportEngineEvents* sink) = 0;
    virtual void Unadvise(uint32_t cookie) = 0;

    // --- pages ----------------------------------------------------------------
    virtual Variant NewPage(float nPageWidth = 0, float nPageHeight = 0, int32_t nOrientation = 0,
                            int32_t nBinNumber = 0, int32_t nPageNumber = 0) = 0;
    virtual void NewPageByPaperSize(int32_t nPaperSize, int32_t nOrientation = 0, int32_t nBinNumber = 0,
                                    int32_t nPageNumber = 0) = 0;
    virtual void SetPageByPaperSize(int32_t nPaperSize, int32_t nOrientation = 0, int32_t nBinNumber = 0) = 0;
    virtual int32_t DeletePage(int32_t nStartPage = 0, int32_t nLastPage = 0) = 0;
    virtual void Clear() = 0;
    virtual void ClearAll() = 0;
    virtual bool SetPageNumberToOne(int32_t nPageNumber) = 0;
    virtual int32_t get_nTotalPages() = 0;
    virtual void put_nTotalPages(int32_t value) = 0;
    virtual int32_t get_nPageNumber() = 0;
    virtual void put_nPageNumber(int32_t value) = 0;
    virtual float get_PageWidth() = 0;
    virtual void put_PageWidth(float value) = 0;
    virtual float get_PageHeight() = 0;
    virtual void put_PageHeight(float value) = 0;
    virtual int32_t get_PaperBin() = 0;
    virtual void put_PaperBin(int32_t value) = 0;
    virtual int32_t get_MediaType() = 0;
    virtual void put_MediaType(int32_t value) = 0;
    virtual Variant get_PageForm() = 0;
    virtual void put_PageForm(const Variant& value) = 0;
    virtual int32_t get_PageSize() = 0;
    virtual void put_PageSize(int32_t value) = 0;
    virtual float get_nCurrentPageWidth() = 0;
    virtual void put_nCurrentPageWidth(float value) = 0;
    virtual float get_nCurrentPageHeight() = 0;
    virtual void put_nCurrentPageHeight(float value) = 0;
    virtual int32_t get_nCurrentPageOrientation() = 0;
    virtual void put_nCurrentPageOrientation(int32_t value) = 0;
    virtual int32_t get_nCurrentPageBinNumber() = 0;
    virtual void put_nCurrentPageBinNumber(int32_t value) = 0;
    virtual int32_t get_nPageOrientation() = 0;
    virtual void put_nPageOrientation(int32_t value) = 0;

    // --- page navigation --------------------------------------------------------
    virtual void FirstPage() = 0;
    virtual void PriorPage() = 0;
    virtual void NextPage() = 0;
    virtual void LastPage() = 0;
    virtual Variant GotoPage(int32_t nPageNumber) = 0;

    // --- preview layout, zoom and toolbar ----------------------------------------
    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    virtual void AddToolbarButton(const Variant& cName, const Variant& cBitmapFileName = Variant::missing(),
                                  const Variant& cHint = Variant::missing(), int32_t nPosition = 0) = 0;
    virtual int32_t get_Scale() = 0;
    virtual void put_Scale(int32_t value) = 0;
    virtual int32_t get_nCurrentScale() = 0;
    virtual void put_nCurrentScale(int32_t value) = 0;
    virtual int32_t get_nZoomScale() = 0;
    virtual void put_nZoomScale(int32_t value) = 0;
    virtual float get_nXOffset() = 0;
    virtual void put_nXOffset(float value) = 0;
    virtual float get_nYOffset() = 0;
    virtual void put_nYOffset(float value) = 0;
    virtual int32_t get_nBackgroundColor() = 0;
    virtual void put_nBackgroundColor(int32_t value) = 0;
    virtual int32_t get_nPaperColor() = 0;
    virtual void put_nPaperColor(int32_t value) = 0;
    virtual bool get_DisplayGrid() = 0;
    virtual void put_DisplayGrid(bool value) = 0;
    virtual int32_t get_nGridColor() = 0;
    virtual void put_nGridColor(int32_t value) = 0;
    virtual int32_t get_DisplayPagesPerPage() = 0;
    virtual void put_DisplayPagesPerPage(int32_t value) = 0;
    virtual int32_t get_DisplayPageMode() = 0;
    virtual void put_DisplayPageMode(int32_t value) = 0;
    virtual bool get_DisplayPageBorder() = 0;
    virtual void put_DisplayPageBorder(bool value) = 0;
    virtual int32_t get_DisplayPageBorderSize() = 0;
    virtual void put_DisplayPageBorderSize(int32_t value) = 0;
    virtual int32_t get_DisplayPaperStyle() = 0;
    virtual void put_DisplayPaperStyle(int32_t value) = 0;
    virtual bool get_DisplayPrinterMargins() = 0;
    virtual void put_DisplayPrinterMargins(bool value) = 0;
    virtual int32_t get_DisplayUnitOfMeasure() = 0;
    virtual void put_DisplayUnitOfMeasure(int32_t value) = 0;
    virtual bool get_DisplayToolbar() = 0;
    virtual void put_DisplayToolbar(bool value) = 0;
    virtual int32_t get_DisplayToolbarStyle() = 0;
    virtual void put_DisplayToolbarStyle(int32_t value) = 0;
    virtual bool get_DisplayStatusBar() = 0;
    virtual void put_DisplayStatusBar(bool value) = 0;
    virtual int32_t get_DisplayPopupMenu() = 0;
    virtual void put_DisplayPopupMenu(int32_t value) = 0;
    virtual bool get_DisplayZoomButtons() = 0;
    virtual void put_DisplayZoomButtons(bool value) = 0;
    virtual bool get_DisplayPageScale() = 0;
    virtual void put_DisplayPageScale(bool value) = 0;
    virtual bool get_DisplayActualSizeButton() = 0;
    virtual void put_DisplayActualSizeButton(bool value) = 0;
    virtual bool get_DisplayFitToWidthButton() = 0;
    virtual void put_DisplayFitToWidthButton(bool value) = 0;
    virtual bool get_DisplayFitInWindowButton() = 0;
    virtual void put_DisplayFitInWindowButton(bool value) = 0;
    virtual bool get_DisplayGridButton() = 0;
    virtual void put_DisplayGridButton(bool value) = 0;
    virtual bool get_DisplayHelpButton() = 0;
    virtual void put_DisplayHelpButton(bool value) = 0;
    virtual bool get_DisplayPageSize() = 0;
    virtual void put_DisplayPageSize(bool value) = 0;
    virtual bool get_DisplayNewPageButton() = 0;
    virtual void put_DisplayNewPageButton(bool value) = 0;
    virtual bool get_DisplayDeletePageButton() = 0;
    virtual void put_DisplayDeletePageButton(bool value) = 0;
    virtual bool get_DisplayPageNavigation() = 0;
    virtual void put_DisplayPageNavigation(bool value) = 0;
    virtual bool get_DisplayPageScroller() = 0;
    virtual void put_DisplayPageScroller(bool value) = 0;

    // --- find ---------------------------------------------------------------------
    virtual void Find(const Variant& cString, bool lCaseSensitive = false, bool lFindAll = false) = 0;
    virtual void FindClear() = 0;
    virtual bool get_DisplayFindButton() = 0;
    virtual void put_DisplayFindButton(bool value) = 0;
    virtual int32_t get_DisplayFindToolbar() = 0;
    virtual void put_DisplayFindToolbar(int32_t value) = 0;

    // --- interface texts and languages -------------------------------------------
    virtual void SetReportEngineText(int32_t nIndexID, const Variant& cNewString) = 0;
    virtual int32_t get_LanguageIndexID() = 0;
    virtual void put_LanguageIndexID(int32_t value) = 0;

    // --- the form container -----------------------------------------------------
    virtual bool get_Visible() = 0;
    virtual void put_Visible(bool value) = 0;
    virtual bool get_AutoScroll() = 0;
    virtual void put_AutoScroll(bool value) = 0;
    virtual bool get_AutoSize() = 0;
    virtual void put_AutoSize(bool value) = 0;
    virtual std::string get_Caption() = 0;
    virtual void put_Caption(const std::string& value) = 0;
    virtual int32_t get_Color() = 0;
    virtual void put_Color(int32_t value) = 0;
    virtual bool get_KeyPreview() = 0;
    virtual void put_KeyPreview(bool value) = 0;
    virtual int32_t get_PixelsPerInch() = 0;
    virtual void put_PixelsPerInch(int32_t value) = 0;
    virtual bool get_Scaled() = 0;
    virtual void put_Scaled(bool value) = 0;
    virtual bool get_Active() = 0;
    virtual void put_Active(bool value) = 0;
    virtual bool get_DropTarget() = 0;
    virtual void put_DropTarget(bool value) = 0;
    virtual std::string get_HelpFile() = 0;
    virtual void put_HelpFile(const std::string& value) = 0;
    virtual bool get_DoubleBuffered() = 0;
    virtual void put_DoubleBuffered(bool value) = 0;
    virtual bool get_AlignDisabled() = 0;
    virtual void put_AlignDisabled(bool value) = 0;
    virtual int32_t get_VisibleDockClientCount() = 0;
    virtual void put_VisibleDockClientCount(int32_t value) = 0;
    virtual bool get_Enabled() = 0;
    virtual void put_Enabled(bool value) = 0;
    virtual int16_t get_Cursor() = 0;
    virtual void put_Cursor(int16_t value) = 0;
    virtual std::string get_HelpKeyword() = 0;
    virtual void put_HelpKeyword(const std::string& value) = 0;

    // --- report-wide information and settings -------------------------------------
    virtual void AboutBox() = 0;
    virtual std::string get_Version() = 0;
    virtual Variant ReportInfo(int32_t nParameter) = 0;
    virtual int32_t get_LastError() = 0;
    virtual std::string get_LastErrorMessage() = 0;
    virtual int32_t get_nLastError() = 0;
    virtual void put_nLastError(int32_t value) = 0;
    virtual bool get_ProcessInBackground() = 0;
    virtual void put_ProcessInBackground(bool value) = 0;
    virtual int32_t get_nRedraws() = 0;
    virtual bool get_InDesignMode() = 0;
    virtual int32_t get_ParentWindow() = 0;
    virtual int32_t get_nHDC() = 0;
    virtual void put_nHDC(int32_t value) = 0;
    virtual int32_t get_GDIPlusEnabled() = 0;
    virtual int32_t get_GDIPlusTextRenderingHint() = 0;
    virtual void put_GDIPlusTextRenderingHint(int32_t value) = 0;
    virtual int32_t get_HelpContextID() = 0;
    virtual void put_HelpContextID(int32_t value) = 0;
    virtual bool get_ShowTips() = 0;
    virtual void put_ShowTips(bool value) = 0;
    virtual int32_t get_PictureJPEGSpeed() = 0;
    virtual void put_PictureJPEGSpeed(int32_t value) = 0;
    virtual void SetAll(const Variant& cProperty, const Variant& Value, const Variant& cClass,
                        int32_t nStartRange = 0, int32_t nEndRange = 0) = 0;
    virtual void ReturnValue(int32_t nNumber) = 0;
    virtual bool get_DoubleBuffer() = 0;
    virtual void put_DoubleBuffer(bool value) = 0;
    virtual int32_t get_PrintScale() = 0;
    virtual void put_PrintScale(int32_t value) = 0;

    // --- current text settings ---------------------------------------------------
    virtual Variant get_TextFontName() = 0;
    virtual void put_TextFontName(const Variant& value) = 0;
    virtual int32_t get_TextFontSize() = 0;
    virtual void put_TextFontSize(int32_t value) = 0;
    virtual Variant get_cFontStyle() = 0;
    virtual void put_cFontStyle(const Variant& value) = 0;
    virtual int32_t get_TextFontForeColor() = 0;
    virtual void put_TextFontForeColor(int32_t value) = 0;
    virtual int32_t get_TextFontBackColor() = 0;
    virtual void put_TextFontBackColor(int32_t value) = 0;
    virtual int32_t get_TextFontStyle() = 0;
    virtual void put_TextFontStyle(int32_t value) = 0;

    // --- text objects ------------------------------------------------------------
    virtual void AddText(const Variant& cName, const Variant& cText, float nHPos, float nVPos, float nWidth,
                         float nHeight, const Variant& cFontName = Variant::missing(), int32_t nFontSize = 0,
                         int32_t nForeColor = 0, int32_t nBackColor = 0, const Variant& cFontStyle = Variant::missing(),
                         int32_t nRotationAngle = 0, int32_t nBackStyle = 0, int32_t nAlignment = 0,
                         const Variant& cSubType = Variant::missing(), int32_t nAlphaLevel = 255,
                         int32_t nStringTrimmingStyle = 2, int32_t nLineSpacing = 0) = 0;
    virtual void AddReportField(const Variant& cName, const Variant& cExpression, float nHPos, float nVPos,
                                float nWidth, float nHeight, const Variant& cPicture = Variant::missing(),
                                const Variant& cDataType = Variant::missing(),
                                const Variant& cFontName = Variant::missing(), int32_t nFontSize = 0,
                                int32_t nForeColor = 0, int32_t nBackColor = 0,
                                const Variant& cFontStyle = Variant::missing(), int32_t nRotationAngle = 0,
                                int32_t nBackStyle = 0, int32_t nAlignment = 0,
                                const Variant& cSubType = Variant::missing(), int32_t nAlphaLevel = 255) = 0;
    virtual Variant GetTextHeight(int32_t nHPos, int32_t nVPos, int32_t nWidth, const Variant& cText,
                                  int32_t nAlignment) = 0;
    virtual int32_t get_LastTextHeight() = 0;
    virtual void put_LastTextHeight(int32_t value) = 0;
    virtual int32_t get_PDFFontCount() = 0;
    virtual Variant PDFFontMetric(int32_t nFontIndex, int32_t nAttribute, int32_t nEmbedFont = 0) = 0;

    // --- graphic objects -----------------------------------------------------------
    virtual int32_t AddShape(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                             int32_t nPenColor = 0, int32_t nFillColor = 0, int32_t nFillStyle = 8,
                             int32_t nBackStyle = 0, int32_t nBorderStyle = 8, int32_t nBorderWidth = 0,
                             int32_t nCurvature = 0, int32_t nShapeStyle = 0, int32_t nAlphaLevel = 255) = 0;
    virtual int32_t AddLine(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                            int32_t nPenColor = 0, int32_t nPenWidth = 1, int32_t nPenStyle = 8,
                            int32_t nFillColor = 0, int32_t nBackStyle = 0, int32_t nBorderStyle = 0,
                            int32_t nAlphaLevel = 255) = 0;
    virtual int32_t AddArc(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                           int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0,
                           int32_t nFillStyle = 8, int32_t nBackStyle = 0, int32_t nBorderStyle = 8,
                           int32_t nBorderWidth = 0, int32_t nAlphaLevel = 255) = 0;
    virtual int32_t AddChord(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                             int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0,
                             int32_t nFillStyle = 8, int32_t nBackStyle = 0, int32_t nBorderStyle = 8,
                             int32_t nBorderWidth = 0, int32_t nAlphaLevel = 255) = 0;
    virtual int32_t AddPie(const Variant& cName, float nHPos, float nVPos, float nWidth, float nHeight,
                           int32_t nStartAngle, int32_t nSweepAngle, int32_t nPenColor = 0, int32_t nFillColor = 0,
                           int32_t nFillStyle = 8, int32_t nBackStyle = 0, int32_t nBorderStyle = 8,
                           int32_t nBorderWidth = 0, int32_t nAlphaLevel = 255) = 0;
    virtual int32_t AddGrid(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth, Currency nHeight,
                            int32_t nColumns, int32_t nRows, int32_t nPenWidth = 1, int32_t nPenColor = 0,
                            int32_t nBorderWidth = 1, int32_t nFillColor = 0, int32_t nBorderStyle = 8,
                            int32_t nFillStyle = 1) = 0;
    virtual void AddPicture(const Variant& cName, const Variant& cFileName, float nHPos, float nVPos, float nWidth,
                            float nHeight, int32_t nImageScaling = 1, int32_t nFlags = 0,
                            int32_t nPageNumber = 0) = 0;
    virtual Variant AddFromClipboard(const Variant& cName, Currency nHPos, Currency nVPos, Currency nWidth,
                                     Currency nHeight, int32_t nImageScaling = 1) = 0;
    virtual void AddBarCode(const Variant& cName, const Variant& cData, int32_t nBarCodeType, float nHPos,
                            float nVPos, float nWidth, float nHeight, int32_t nBarColor, int32_t nRotationAngle) = 0;
    virtual void AddAnnotation(const Variant& cName, const Variant& cAnnotationType, Currency nHPos, Currency nVPos,
                               Currency nWidth, Currency nHeight, const Variant& cContent,
                               int32_t nBorderWidth = 0) = 0;
    virtual void AddChart(const Variant& cName, int32_t nChartType, float nHPos, float nVPos, float nWidth,
                          float nHeight) = 0;
    virtual bool ChartSelect(int32_t nChartIndex) = 0;
    virtual void ClearLastItem() = 0;
    virtual int32_t get_nReportObjects() = 0;
    virtual void put_nReportObjects(int32_t value) = 0;
    virtual int32_t get_ShapePenColor() = 0;
    virtual void put_ShapePenColor(int32_t value) = 0;
    virtual int32_t get_ShapeFillColor() = 0;
    virtual void put_ShapeFillColor(int32_t value) = 0;
    virtual int32_t get_ShapeFillStyle() = 0;
    virtual void put_ShapeFillStyle(int32_t value) = 0;
    virtual int32_t get_ShapeBackStyle() = 0;
    virtual void put_ShapeBackStyle(int32_t value) = 0;
    virtual int32_t get_ShapeBorderStyle() = 0;
    virtual void put_ShapeBorderStyle(int32_t value) = 0;
    virtual int32_t get_ShapeBorderWidth() = 0;
    virtual void put_ShapeBorderWidth(int32_t value) = 0;
    virtual int32_t get_ShapeCurvature() = 0;
    virtual void put_ShapeCurvature(int32_t value) = 0;
    virtual int32_t get_LinePenColor() = 0;
    virtual void put_LinePenColor(int32_t value) = 0;
    virtual int32_t get_LinePenWidth() = 0;
    virtual void put_LinePenWidth(int32_t value) = 0;
    virtual int32_t get_LinePenStyle() = 0;
    virtual void put_LinePenStyle(int32_t value) = 0;

    // --- watermark of the view page --------------------------------------------------
    virtual Variant get_WatermarkText() = 0;
    virtual void put_WatermarkText(const Variant& value) = 0;
    virtual Variant get_WatermarkFontName() = 0;
    virtual void put_WatermarkFontName(const Variant& value) = 0;
    virtual int32_t get_WatermarkFontSize() = 0;
    virtual void put_WatermarkFontSize(int32_t value) = 0;
    virtual int32_t get_WaterMarkForeColor() = 0;
    virtual void put_WaterMarkForeColor(int32_t value) = 0;
    virtual int32_t get_WaterMarkBackColor() = 0;
    virtual void put_WaterMarkBackColor(int32_t value) = 0;
    virtual int32_t get_WatermarkRotationAngle() = 0;
    virtual void put_WatermarkRotationAngle(int32_t value) = 0;
    virtual Variant get_WatermarkFontStyle() = 0;
    virtual void put_WatermarkFontStyle(const Variant& value) = 0;

    // --- calendar ------------------------------------------------------------------
    virtual float get_CalendarWidth() = 0;
    virtual void put_CalendarWidth(float value) = 0;
    virtual float get_CalendarHeight() = 0;
    virtual void put_CalendarHeight(float value) = 0;
    virtual float get_CalendarLeft() = 0;
    virtual void put_CalendarLeft(float value) = 0;
    virtual float get_CalendarTop() = 0;
    virtual void put_CalendarTop(float value) = 0;
    virtual bool get_CalendarShow() = 0;
    virtual void put_CalendarShow(bool value) = 0;
    virtual bool get_CalendarShowGridLines() = 0;
    virtual void put_CalendarShowGridLines(bool value) = 0;
    virtual int32_t get_CalendarMonth() = 0;
    virtual void put_CalendarMonth(int32_t value) = 0;
    virtual int32_t get_CalendarYear() = 0;
    virtual void put_CalendarYear(int32_t value) = 0;
    virtual int32_t get_CalendarDateFontSize() = 0;
    virtual void put_CalendarDateFontSize(int32_t value) = 0;
    virtual int32_t get_CalendarMonthFontSize() = 0;
    virtual void put_CalendarMonthFontSize(int32_t value) = 0;
    virtual int32_t get_CalendarMonthFontColor() = 0;
    virtual void put_CalendarMonthFontColor(int32_t value) = 0;
    virtual int32_t get_CalendarDateFontColor() = 0;
    virtual void put_CalendarDateFontColor(int32_t value) = 0;
    virtual std::string get_CalendarMonthFontName() = 0;
    virtual void put_CalendarMonthFontName(const std::string& value) = 0;
    virtual std::string get_CalendarDateFontName() = 0;
    virtual void put_CalendarDateFontName(const std::string& value) = 0;
    virtual std::string get_CalendarMonthFontStyle() = 0;
    virtual void put_CalendarMonthFontStyle(const std::string& value) = 0;
    virtual std::string get_CalendarDateFontStyle() = 0;
    virtual void put_CalendarDateFontStyle(const std::string& value) = 0;
    virtual Variant get_CalendarGridLineColor() = 0;
    virtual void put_CalendarGridLineColor(const Variant& value) = 0;
    virtual Variant get_CalendarGridLineWidth() = 0;
    virtual void put_CalendarGridLineWidth(const Variant& value) = 0;

    // --- page images -------------------------------------------------------------------
    // Each writes nothing and returns an empty result unless cFileName is
    // non-empty text; otherwise 0, or -1 when lOpenFile is set and the file
    // is missing afterwards.
    virtual Variant SaveToJPEG(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                               int32_t nThumbnailSize = 0, bool lGrayScale = false, int32_t nCompressionQuality = 90,
                               bool lProgressiveEncoding = false) = 0;
    virtual Variant SaveToBitmap(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                                 int32_t nThumbnailSize = 0, int32_t nBitsPerPixel = 24, bool lGrayScale = false) = 0;
    virtual Variant SaveToPNG(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false,
                              int32_t nThumbnailSize = 0, int32_t nBitsPerPixel = 24, bool lGrayScale = false) = 0;
    virtual Variant SaveToTIFF(const Variant& cFileName, int32_t nPageNumberStart = 0, int32_t nPageNumberEnd = 0,
                               bool lOpenFile = false, int32_t nThumbnailSize = 0, int32_t nCompressionType = 0,
                               int32_t nBitsPerPixel = 24, bool lGrayScale = false) = 0;
    // The page as an enhanced metafile (".EMF"); results as above.
    virtual Variant SaveToMetafile(const Variant& cFileName, int32_t nPageNumber = 0, bool lOpenFile = false) = 0;
    // The page (0 or less: page 1) on the clipboard as a metafile and a PNG
    // image; the result stays empty.
    virtual Variant CopyPageToClipboard(int32_t nPageNumber) = 0;
    // The viewer's "Save As Image" button; true at start.
    virtual bool get_DisplaySaveAsImageButton() = 0;
    virtual void put_DisplaySaveAsImageButton(bool value) = 0;

    // --- PDF export -----------------------------------------------------------------
    // SaveToPDF: 0, -2 without a name (none given, PDFFileName empty), -1 when
    // lOpenFile is set and no name was used; cFileName receives the name used.
    virtual Variant SaveToPDF(Variant& cFileName, bool lOpenFile = false, int32_t nStartPage = 0, int32_t nEndPage = 0) = 0;
    // The same for a caller that does not want the name back: takes a
    // temporary such as SaveToPDF("invoice.pdf"), or nothing for PDFFileName.
    Variant SaveToPDF(const Variant& cFileName = Variant::missing(), bool lOpenFile = false, int32_t nStartPage = 0,
                      int32_t nEndPage = 0)
    {
        Variant name = cFileName;
        return SaveToPDF(name, lOpenFile, nStartPage, nEndPage);
    }
    // The document of pages nStartPage..nEndPage as bytes.
    virtual Variant PDFStream(int32_t nStartPage = 0, int32_t nEndPage = 0) = 0;
    virtual void PDFSetPermissions(int32_t nAllowPrintingLevel, bool lAllowCopying, bool lAllowChanges, bool lAllowCommenting,
                                   bool lAllowFillingFormFields, bool lAllowCopyingAccessibility,
                                   bool lAllowDocumentAssembly) = 0;
    virtual int32_t get_PDFEncrypt() = 0;
    virtual void put_PDFEncrypt(int32_t value) = 0;
    // Passwords are UTF-8 text. The 40-bit RC4 encryption (PDFEncrypt 1)
    // takes them as code page 1252 bytes, which is what readers make of a
    // typed password; a password holding a character outside that code page
    // makes SaveToPDF and PDFStream fail with a message rather than protect
    // the document with another password. AES-256 (PDFEncrypt 3) takes any
    // character: the UTF-8 text itself, normalised as readers do. Blanks
    // around a password do not count.
    virtual std::string get_PDFPassword() = 0;
    virtual void put_PDFPassword(const std::string& value) = 0;
    virtual std::string get_PDFOwnerPassword() = 0;
    virtual void put_PDFOwnerPassword(const std::string& value) = 0;
    virtual std::string get_PDFUserPassword() = 0;
    virtual void put_PDFUserPassword(const std::string& value) = 0;
    virtual bool get_PDFDisplaySecurityOptions() = 0;
    virtual void put_PDFDisplaySecurityOptions(bool value) = 0;
    virtual std::string get_PDFFileName() = 0;
    virtual void put_PDFFileName(const std::string& value) = 0;
    virtual std::string get_PDFAuthor() = 0;
    virtual void put_PDFAuthor(const std::string& value) = 0;
    virtual std::string get_PDFCreator() = 0;
    virtual void put_PDFCreator(const std::string& value) = 0;
    virtual std::string get_PDFTitle() = 0;
    virtual void put_PDFTitle(const std::string& value) = 0;
    virtual std::string get_PDFSubject() = 0;
    virtual void put_PDFSubject(const std::string& value) = 0;
    virtual std::string get_PDFKeywords() = 0;
    virtual void put_PDFKeywords(const std::string& value) = 0;
    virtual bool get_PDFCompress() = 0;
    virtual void put_PDFCompress(bool value) = 0;
    virtual bool get_PDFCompressBitmaps() = 0;
    virtual void put_PDFCompressBitmaps(bool value) = 0;
    virtual int32_t get_PDFJPEGQuality() = 0;
    virtual void put_PDFJPEGQuality(int32_t value) = 0;
    virtual int32_t get_PDFBitmapQuality() = 0;
    virtual void put_PDFBitmapQuality(int32_t value) = 0;
    virtual bool get_PDFEmbedFonts() = 0;
    virtual void put_PDFEmbedFonts(bool value) = 0;
    virtual int32_t get_PDFCodePage() = 0;
    virtual void put_PDFCodePage(int32_t value) = 0;
    // How charts go into PDF: 0 (the default) as a JPEG image of twice
    // their box, 1 as vector paths with real text. Other values are ignored.
    virtual int32_t get_PDFChartMode() = 0;
    virtual void put_PDFChartMode(int32_t value) = 0;
    // Composite fonts with embedded subsets: 0 only for text the code page
    // cannot carry (default), 1 for all text.
    virtual int32_t get_PDFUnicodeText() = 0;
    virtual void put_PDFUnicodeText(int32_t value) = 0;
    virtual float get_PDFMargin() = 0;
    virtual void put_PDFMargin(float value) = 0;
    virtual float get_PDFXOffset() = 0;
    virtual void put_PDFXOffset(float value) = 0;
    virtual float get_PDFYOffset() = 0;
    virtual void put_PDFYOffset(float value) = 0;
    virtual bool get_PDFPromptForSaveToPDF() = 0;
    virtual void put_PDFPromptForSaveToPDF(bool value) = 0;
    virtual bool get_PDFOpenAfterCreate() = 0;
    virtual void put_PDFOpenAfterCreate(bool value) = 0;
    virtual bool get_PDFDisplayConfirmationAfterCreate() = 0;
    virtual void put_PDFDisplayConfirmationAfterCreate(bool value) = 0;
    virtual bool get_DisplayPDFButton() = 0;
    virtual void put_DisplayPDFButton(bool value) = 0;
    virtual int32_t get_PrintPagesPerPage() = 0;
    virtual void put_PrintPagesPerPage(int32_t value) = 0;

    // --- printers -----------------------------------------------------------------------
    // Printers are numbered 1..n in the order the print system lists them;
    // -1 stands for the system's default printer.
    virtual void SetPrinterTo(const Variant& PrinterID) = 0;
    virtual int32_t get_PrinterID() = 0;
    virtual void put_PrinterID(int32_t value) = 0;
    virtual int32_t get_CurrentPrinter() = 0;
    virtual std::string get_PrinterName() = 0;
    virtual Variant get_PrinterPort() = 0;
    virtual int32_t get_PrinterCount() = 0;
    virtual int32_t get_PrinterPaperWidth() = 0;
    virtual void put_PrinterPaperWidth(int32_t value) = 0;
    virtual int32_t get_PrinterPaperHeight() = 0;
    virtual void put_PrinterPaperHeight(int32_t value) = 0;
    virtual int32_t get_PrinterPaperCount() = 0;
    virtual int32_t get_PrinterPhysicalOffsetX() = 0;
    virtual int32_t get_PrinterPhysicalOffsetY() = 0;
    virtual int32_t get_PrinterYResolution() = 0;
    virtual int32_t get_PrinterPrintQuality() = 0;
    virtual void put_PrinterPrintQuality(int32_t value) = 0;
    virtual int32_t get_PrinterCollate() = 0;
    virtual void put_PrinterCollate(int32_t value) = 0;
    virtual int32_t get_PrinterScale() = 0;
    virtual void put_PrinterScale(int32_t value) = 0;
    virtual int32_t get_PrinterBinCount() = 0;
    virtual int32_t get_PrinterBinID() = 0;
    virtual void put_PrinterBinID(int32_t value) = 0;
    virtual Variant get_PrinterBinName() = 0;
    virtual void put_PrinterBinName(const Variant& value) = 0;
    virtual int32_t get_PrinterColor() = 0;
    virtual void put_PrinterColor(int32_t value) = 0;
    virtual int32_t get_PrinterCopies() = 0;
    virtual void put_PrinterCopies(int32_t value) = 0;
    // Custom paper forms on a printer (the selected one when cPrinterName is
    // not text); the result is a Boolean and LastError tells why it failed.
    virtual Variant PrinterAddForm(const Variant& cFormName, Currency nFormWidth, Currency nFormHeight,
                                   Currency nLeftMargin = {}, Currency nTopMargin = {}, Currency nRightMargin = {},
                                   Currency nBottomMargin = {}, const Variant& cPrinterName = Variant::missing()) = 0;
    virtual Variant PrinterDeleteForm(const Variant& cFormName, const Variant& cPrinterName) = 0;
    virtual bool get_DisplayPrinterList() = 0;
    virtual void put_DisplayPrinterList(bool value) = 0;

    // --- print job ---------------------------------------------------------------------
    // PrintReport: 0 when the job ran, -1 when the print dialog was cancelled.
    virtual Variant PrintReport(const Variant& PrinterID = Variant::missing(), int32_t nStartPage = 0,
                                int32_t nEndPage = 0, int32_t nPageType = 0,
                                const Variant& cFileName = Variant::missing(), bool lDuplex = false) = 0;
    virtual std::string get_PrintJobTitle() = 0;
    virtual void put_PrintJobTitle(const std::string& value) = 0;
    virtual bool get_PrintPromptForPrint() = 0;
    virtual void put_PrintPromptForPrint(bool value) = 0;
    virtual int32_t get_PrintStartPage() = 0;
    virtual void put_PrintStartPage(int32_t value) = 0;
    virtual int32_t get_PrintEndPage() = 0;
    virtual void put_PrintEndPage(int32_t value) = 0;
    virtual int32_t get_PrintCopies() = 0;
    virtual void put_PrintCopies(int32_t value) = 0;
    virtual bool get_PrintColor() = 0;
    virtual void put_PrintColor(bool value) = 0;
    virtual bool get_PrintCollatePages() = 0;
    virtual void put_PrintCollatePages(bool value) = 0;
    virtual bool get_PrintReversePages() = 0;
    virtual void put_PrintReversePages(bool value) = 0;
    virtual bool get_PrintDuplex() = 0;
    virtual void put_PrintDuplex(bool value) = 0;
    virtual bool get_PrintShrinkToFit() = 0;
    virtual void put_PrintShrinkToFit(bool value) = 0;
    virtual float get_nXPrintOffset() = 0;
    virtual void put_nXPrintOffset(float value) = 0;
    virtual float get_nYPrintOffset() = 0;
    virtual void put_nYPrintOffset(float value) = 0;
    virtual int32_t get_nPrintScale() = 0;
    virtual void put_nPrintScale(int32_t value) = 0;
    virtual bool get_DisplayPrintButton() = 0;
    virtual void put_DisplayPrintButton(bool value) = 0;

    // --- word-processor documents ----------------------------------------------------
    // SaveToWord: the report as a ".DOC" document of one picture per page; 0,
    // -1 unless cFileName is non-empty text, -2 when its folder does not exist
    // or the document cannot be written, -3 when lOpenFile is set and the
    // document is missing. cFileName receives the full name used.
    virtual Variant SaveToWord(Variant& cFileName, bool lOpenFile = false) = 0;
    Variant SaveToWord(const Variant& cFileName, bool lOpenFile = false)
    {
        Variant name = cFileName;
        return SaveToWord(name, lOpenFile);
    }
    // AddWordDocument: each page of the document as a picture named cName on
    // a report page of its paper; 0, -1 unless cFileName is non-empty text,
    // -2 when no ".DOC" file of that name exists, -3 when the word processor
    // cannot be started. The page arguments are accepted and ignored.
    virtual Variant AddWordDocument(const Variant& cName, const Variant& cFileName, int32_t nPageNumber = 0,
                                    int32_t nStartPage = 0, int32_t nEndPage = 0) = 0;
    // Shows or hides the viewer's "Add Word Document" button; reads the last
    // value put.
    virtual bool get_DisplayAddDocumentButton() = 0;
    virtual void put_DisplayAddDocumentButton(bool value) = 0;

    // --- e-mail ------------------------------------------------------------------------
    // SendMail: the whole report as a PDF attachment, over SMTP (messaging
    // type 0) or through the local mail system (1) or the mail client (2).
    // Omitted arguments take the Email... settings; an explicit empty text
    // stays empty. -1 without host or sender (SMTP) or recipients; otherwise
    // the SMTP server's last reply code (250 delivered; 0 when the session
    // failed without an error reply) or the local result (0 sent, 1 no mail
    // system, 2 failure). LastErrorMessage gives the last reply's first line
    // or what failed. Only a failing PDF export throws.
    virtual Variant SendMail(const Variant& cSMTPHost = Variant::missing(),
                             const Variant& cFromAddress = Variant::missing(),
                             const Variant& cRecipients = Variant::missing(),
                             const Variant& cSubject = Variant::missing(),
                             const Variant& cBodyText = Variant::missing(),
                             const Variant& cAttachmentFileName = Variant::missing()) = 0;
    virtual std::string get_EmailFromAddress() = 0;
    virtual void put_EmailFromAddress(const std::string& value) = 0;
    virtual std::string get_EmailSMTPHost() = 0;
    virtual void put_EmailSMTPHost(const std::string& value) = 0;
    virtual std::string get_EmailRecipients() = 0;
    virtual void put_EmailRecipients(const std::string& value) = 0;
    virtual std::string get_EmailSubject() = 0;
    virtual void put_EmailSubject(const std::string& value) = 0;
    virtual std::string get_EmailBody() = 0;
    virtual void put_EmailBody(const std::string& value) = 0;
    virtual std::string get_EMAILBodyHTML() = 0;
    virtual void put_EMAILBodyHTML(const std::string& value) = 0;
    virtual std::string get_EmailCCAddresses() = 0;
    virtual void put_EmailCCAddresses(const std::string& value) = 0;
    virtual std::string get_EmailBCCAddresses() = 0;
    virtual void put_EmailBCCAddresses(const std::string& value) = 0;
    virtual std::string get_EmailSMTPUserID() = 0;
    virtual void put_EmailSMTPUserID(const std::string& value) = 0;
    virtual std::string get_EmailSMTPPassword() = 0;
    virtual void put_EmailSMTPPassword(const std::string& value) = 0;
    virtual std::string get_EmailAttachmentFileName() = 0;
    virtual void put_EmailAttachmentFileName(const std::string& value) = 0;
    // Put ignores anything but text.
    virtual std::string get_EMailContentType() = 0;
    virtual void put_EMailContentType(const Variant& value) = 0;
    virtual std::string get_EmailMAPIProfileName() = 0;
    virtual void put_EmailMAPIProfileName(const std::string& value) = 0;
    virtual std::string get_EmailMAPIPassword() = 0;
    virtual void put_EmailMAPIPassword(const std::string& value) = 0;
    virtual int32_t get_EmailSMTPPort() = 0;
    virtual void put_EmailSMTPPort(int32_t value) = 0;
    // 0 none, 1 AUTH LOGIN, 2 SASL (LOGIN, PLAIN, CRAM-MD5, EXTERNAL); other
    // values are ignored, as for the three settings below.
    virtual uint8_t get_EmailSMTPAuthorizationType() = 0;
    virtual void put_EmailSMTPAuthorizationType(uint8_t value) = 0;
    virtual bool get_EmailReturnReceipt() = 0;
    virtual void put_EmailReturnReceipt(bool value) = 0;
    virtual uint8_t get_EmailMessagingType() = 0;
    virtual void put_EmailMessagingType(uint8_t value) = 0;
    virtual bool get_EmailDisplayConfirmationAfterSend() = 0;
    virtual void put_EmailDisplayConfirmationAfterSend(bool value) = 0;
    virtual uint8_t get_EMAILFromDisplayStyle() = 0;
    virtual void put_EMAILFromDisplayStyle(uint8_t value) = 0;
    virtual uint8_t get_EMAILSMTPHostDisplayStyle() = 0;
    virtual void put_EMAILSMTPHostDisplayStyle(uint8_t value) = 0;
    // Appends a further file to attach when cFileName is text.
    virtual void EMAILAddAttachment(const Variant& cFileName) = 0;
    // Put 0 empties the attachment list; other values are ignored.
    virtual int32_t get_EMAILAttachmentCount() = 0;
    virtual void put_EMAILAttachmentCount(int32_t value) = 0;
    // Accepted and ignored: mail goes out with normal priority.
    virtual int32_t get_EmailPriorityLevel() = 0;
    virtual void put_EmailPriorityLevel(int32_t value) = 0;
    virtual bool get_DisplayEmailButton() = 0;
    virtual void put_DisplayEmailButton(bool value) = 0;
    // TLS for SMTP: 0 STARTTLS whenever offered, never a password in clear
    // (the default); 1 TLS required; 2 no TLS. Port 465 speaks TLS at once.
    virtual uint8_t get_EmailSMTPSecurity() = 0;
    virtual void put_EmailSMTPSecurity(uint8_t value) = 0;
    // A PEM file of certificates trusted besides the system's.
    virtual std::string get_EmailSMTPCAFile() = 0;
    virtual void put_EmailSMTPCAFile(const std::string& value) = 0;
    // Seconds allowed for connecting and for each reply (30); a whole
    // session gets ten times as long. Values below 1 are ignored.
    virtual int32_t get_EmailSMTPTimeout() = 0;
    virtual void put_EmailSMTPTimeout(int32_t value) = 0;
    // The local mail system's command ("/usr/sbin/sendmail -t -i").
    virtual std::string get_EmailSendmailCommand() = 0;
    virtual void put_EmailSendmailCommand(const std::string& value) = 0;

    // --- charts ------------------------------------------------------------------------
    // Every operation addresses the selected chart of the draw page; with no
    // chart selected a put changes nothing and a get reads 0, false or empty
    // (the series colour reads -1).
    virtual int32_t ChartGetCount(int32_t nPageNumber = 0) = 0;
    virtual void ChartAddSeries(int32_t nSeriesType, const Variant& cSeriesTitle = Variant::missing(),
                                int32_t nSeriesColor = 0) = 0;
    virtual void ChartSelectSeries(int32_t nSeries) = 0;
    virtual void ChartAddXYData(int32_t nX, int32_t nY, const Variant& cLegend, int32_t nColor) = 0;
    virtual void ChartAddData(int32_t nChartIndex, int32_t nValue, const Variant& cLabel, int32_t nColor) = 0;
    // The selected chart as an enhanced metafile of nWidth x nHeight pixels
    // (at least 50 each); cFileName receives the name written.
    virtual void ChartSaveToMetafile(Variant& cFileName, int32_t nWidth, int32_t nHeight) = 0;
    void ChartSaveToMetafile(const Variant& cFileName, int32_t nWidth, int32_t nHeight)
    {
        Variant name = cFileName;
        ChartSaveToMetafile(name, nWidth, nHeight);
    }
    virtual std::string get_ChartXAxisTitle() = 0;
    virtual void put_ChartXAxisTitle(const std::string& value) = 0;
    virtual int16_t get_ChartXAxisTitleAngle() = 0;
    virtual void put_ChartXAxisTitleAngle(int16_t value) = 0;
    virtual int16_t get_ChartXAxisLabelAngle() = 0;
    virtual void put_ChartXAxisLabelAngle(int16_t value) = 0;
    virtual int16_t get_ChartXAxisFontSize() = 0;
    virtual void put_ChartXAxisFontSize(int16_t value) = 0;
    virtual std::string get_ChartXAxisFontname() = 0;
    virtual void put_ChartXAxisFontname(const std::string& value) = 0;
    virtual std::string get_ChartXAxisFontStyle() = 0;
    virtual void put_ChartXAxisFontStyle(const std::string& value) = 0;
    virtual bool get_ChartXAxisAutomatic() = 0;
    virtual void put_ChartXAxisAutomatic(bool value) = 0;
    virtual double get_ChartXAxisMin() = 0;
    virtual void put_ChartXAxisMin(double value) = 0;
    virtual double get_ChartXAxisMax() = 0;
    virtual void put_ChartXAxisMax(double value) = 0;
    virtual bool get_ChartXAxisHideLabels() = 0;
    virtual void put_ChartXAxisHideLabels(bool value) = 0;
    virtual std::string get_ChartYAxisTitle() = 0;
    virtual void put_ChartYAxisTitle(const std::string& value) = 0;
    virtual int16_t get_ChartYAxisTitleAngle() = 0;
    virtual void put_ChartYAxisTitleAngle(int16_t value) = 0;
    virtual int16_t get_ChartYAxisLabelAngle() = 0;
    virtual void put_ChartYAxisLabelAngle(int16_t value) = 0;
    virtual int16_t get_ChartYAxisFontSize() = 0;
    virtual void put_ChartYAxisFontSize(int16_t value) = 0;
    virtual std::string get_ChartYAxisFontName() = 0;
    virtual void put_ChartYAxisFontName(const std::string& value) = 0;
    virtual std::string get_ChartYAxisFontStyle() = 0;
    virtual void put_ChartYAxisFontStyle(const std::string& value) = 0;
    virtual bool get_ChartYAxisAutomatic() = 0;
    virtual void put_ChartYAxisAutomatic(bool value) = 0;
    virtual double get_ChartYAxisMin() = 0;
    virtual void put_ChartYAxisMin(double value) = 0;
    virtual double get_ChartYAxisMax() = 0;
    virtual void put_ChartYAxisMax(double value) = 0;
    virtual bool get_ChartYAxisHideLabels() = 0;
    virtual void put_ChartYAxisHideLabels(bool value) = 0;
    virtual bool get_Chart3DView() = 0;
    virtual void put_Chart3DView(bool value) = 0;
    virtual uint8_t get_Chart3DPercent() = 0;
    virtual void put_Chart3DPercent(uint8_t value) = 0;
    virtual bool get_Chart3DWalls() = 0;
    virtual void put_Chart3DWalls(bool value) = 0;
    virtual bool get_ChartAxisVisible() = 0;
    virtual void put_ChartAxisVisible(bool value) = 0;
    virtual bool get_ChartLeftWallTransparent() = 0;
    virtual void put_ChartLeftWallTransparent(bool value) = 0;
    virtual int32_t get_ChartLeftWallColor() = 0;
    virtual void put_ChartLeftWallColor(int32_t value) = 0;
    virtual uint8_t get_ChartLeftWallSize() = 0;
    virtual void put_ChartLeftWallSize(uint8_t value) = 0;
    virtual bool get_ChartBottomWallTransparent() = 0;
    virtual void put_ChartBottomWallTransparent(bool value) = 0;
    virtual int32_t get_ChartBottomWallColor() = 0;
    virtual void put_ChartBottomWallColor(int32_t value) = 0;
    virtual uint8_t get_ChartBottomWallSize() = 0;
    virtual void put_ChartBottomWallSize(uint8_t value) = 0;
    virtual bool get_ChartBackWallTransparent() = 0;
    virtual void put_ChartBackWallTransparent(bool value) = 0;
    virtual int32_t get_ChartBackWallColor() = 0;
    virtual void put_ChartBackWallColor(int32_t value) = 0;
    virtual uint8_t get_ChartBackWallSize() = 0;
    virtual void put_ChartBackWallSize(uint8_t value) = 0;
    virtual uint8_t get_ChartGradientDirection() = 0;
    virtual void put_ChartGradientDirection(uint8_t value) = 0;
    virtual int32_t get_ChartGradientEndColor() = 0;
    virtual void put_ChartGradientEndColor(int32_t value) = 0;
    virtual int32_t get_ChartGradientStartColor() = 0;
    virtual void put_ChartGradientStartColor(int32_t value) = 0;
    virtual bool get_ChartGradientVisible() = 0;
    virtual void put_ChartGradientVisible(bool value) = 0;
    virtual uint8_t get_ChartLegendBorderStyle() = 0;
    virtual void put_ChartLegendBorderStyle(uint8_t value) = 0;
    virtual std::string get_ChartLegendFontName() = 0;
    virtual void put_ChartLegendFontName(const std::string& value) = 0;
    virtual int32_t get_ChartLegendFontColor() = 0;
    virtual void put_ChartLegendFontColor(int32_t value) = 0;
    virtual int16_t get_ChartLegendFontSize() = 0;
    virtual void put_ChartLegendFontSize(int16_t value) = 0;
    virtual uint8_t get_ChartLegendMarginSize() = 0;
    virtual void put_ChartLegendMarginSize(uint8_t value) = 0;
    virtual uint8_t get_ChartLegendPosition() = 0;
    virtual void put_ChartLegendPosition(uint8_t value) = 0;
    virtual uint8_t get_ChartLegendStyle() = 0;
    virtual void put_ChartLegendStyle(uint8_t value) = 0;
    virtual uint8_t get_ChartLegendBorderWidth() = 0;
    virtual void put_ChartLegendBorderWidth(uint8_t value) = 0;
    virtual bool get_ChartLegendVisible() = 0;
    virtual void put_ChartLegendVisible(bool value) = 0;
    virtual int16_t get_ChartDataPointLegendFontSize() = 0;
    virtual void put_ChartDataPointLegendFontSize(int16_t value) = 0;
    virtual int16_t get_ChartYAxisLabelFontSize() = 0;
    virtual void put_ChartYAxisLabelFontSize(int16_t value) = 0;
    virtual int32_t get_ChartLegendBorderColor() = 0;
    virtual void put_ChartLegendBorderColor(int32_t value) = 0;
    virtual bool get_ChartLegendResizeChart() = 0;
    virtual void put_ChartLegendResizeChart(bool value) = 0;
    virtual int32_t get_ChartLegendShadowColor() = 0;
    virtual void put_ChartLegendShadowColor(int32_t value) = 0;
    virtual int32_t get_ChartLegendShadowSize() = 0;
    virtual void put_ChartLegendShadowSize(int32_t value) = 0;
    virtual std::string get_ChartTitle() = 0;
    virtual void put_ChartTitle(const std::string& value) = 0;
    virtual uint8_t get_ChartTitleAlignment() = 0;
    virtual void put_ChartTitleAlignment(uint8_t value) = 0;
    virtual int32_t get_ChartTitleBackColor() = 0;
    virtual void put_ChartTitleBackColor(int32_t value) = 0;
    virtual uint8_t get_ChartTitleBackStyle() = 0;
    virtual void put_ChartTitleBackStyle(uint8_t value) = 0;
    virtual uint8_t get_ChartTitleBorderStyle() = 0;
    virtual void put_ChartTitleBorderStyle(uint8_t value) = 0;
    virtual uint8_t get_ChartTitleBorderWidth() = 0;
    virtual void put_ChartTitleBorderWidth(uint8_t value) = 0;
    virtual int32_t get_ChartTitleBorderColor() = 0;
    virtual void put_ChartTitleBorderColor(int32_t value) = 0;
    virtual int32_t get_ChartTitleFontColor() = 0;
    virtual void put_ChartTitleFontColor(int32_t value) = 0;
    virtual std::string get_ChartTitleFontName() = 0;
    virtual void put_ChartTitleFontName(const std::string& value) = 0;
    virtual int16_t get_ChartTitleFontSize() = 0;
    virtual void put_ChartTitleFontSize(int16_t value) = 0;
    virtual uint8_t get_ChartType() = 0;
    virtual void put_ChartType(uint8_t value) = 0;
    virtual int32_t get_ChartSeriesMarksBackColor() = 0;
    virtual void put_ChartSeriesMarksBackColor(int32_t value) = 0;
    virtual uint8_t get_ChartSeriesBarStyle() = 0;
    virtual void put_ChartSeriesBarStyle(uint8_t value) = 0;
    virtual uint8_t get_ChartSeriesMultibarStyle() = 0;
    virtual void put_ChartSeriesMultibarStyle(uint8_t value) = 0;
    virtual uint8_t get_ChartSeriesMarksStyle() = 0;
    virtual void put_ChartSeriesMarksStyle(uint8_t value) = 0;
    virtual bool get_ChartSeriesMarksTransparent() = 0;
    virtual void put_ChartSeriesMarksTransparent(bool value) = 0;
    virtual bool get_ChartSeriesMarksVisible() = 0;
    virtual void put_ChartSeriesMarksVisible(bool value) = 0;
    virtual std::string get_ChartSeriesTitle() = 0;
    virtual void put_ChartSeriesTitle(const std::string& value) = 0;
    virtual int32_t get_ChartSeriesColor() = 0;
    virtual void put_ChartSeriesColor(int32_t value) = 0;

    // --- Pictures
    // One attribute of a picture file (1 width ... 11 metadata); -1 when
    // the file or the attribute (which must be a Long) is not usable.
    virtual Variant GetImageInfo(const Variant& attribute, const Variant& fileName) = 0;
};

} // namespace orv
