// The rows of the dispatch table: every operation the control offers by
// name, with its dispatch id and declared parameters. A property's read and
// write share one id.

#include "control/DispatchBinding.h"

namespace orv {

using namespace dispatch;

#define ORV_METHOD(Name, Id, Params) add(method<&IOrvReportEngine::Name>(#Name, Id, Params))
#define ORV_READONLY(Name, Id) add(getter<&IOrvReportEngine::get_##Name>(#Name, Id))
// An operation that writes an argument back also has an overload for
// temporaries; the table binds the one that writes back.
#define ORV_WRITEBACK_METHOD(Name, Signature, Id, Params) \
    add(method<static_cast<Signature>(&IOrvReportEngine::Name)>(#Name, Id, Params))
#define ORV_PROPERTY(Name, Id)                                  \
    do {                                                        \
        add(getter<&IOrvReportEngine::get_##Name>(#Name, Id));  \
        add(putter<&IOrvReportEngine::put_##Name>(#Name, Id));  \
    } while (false)

namespace {
using SaveToPdfWritingBack = Variant (IOrvReportEngine::*)(Variant&, bool, int32_t, int32_t);
using SaveToWordWritingBack = Variant (IOrvReportEngine::*)(Variant&, bool);
using ChartSaveToMetafileWritingBack = void (IOrvReportEngine::*)(Variant&, int32_t, int32_t);
} // namespace

TDispatchTable::TDispatchTable()
{
    // Pages
    ORV_METHOD(NewPage, 1, "nPageWidth?, nPageHeight?, nOrientation?, nBinNumber?, nPageNumber=0");
    ORV_METHOD(NewPageByPaperSize, 2, "nPaperSize, nOrientation?, nBinNumber?, nPageNumber=0");
    ORV_METHOD(SetPageByPaperSize, 3, "nPaperSize, nOrientation?, nBinNumber?");
    ORV_METHOD(DeletePage, 4, "nStartPage=0, nLastPage=0");
    ORV_METHOD(Clear, 5, "");
    ORV_METHOD(ClearAll, 6, "");
    ORV_METHOD(SetPageNumberToOne, 7, "nPageNumber");
    ORV_PROPERTY(nTotalPages, 8);
    ORV_PROPERTY(nPageNumber, 9);
    ORV_PROPERTY(PageWidth, 10);
    ORV_PROPERTY(PageHeight, 11);
    ORV_PROPERTY(PaperBin, 12);
    ORV_PROPERTY(MediaType, 13);
    ORV_PROPERTY(PageForm, 14);
    ORV_PROPERTY(PageSize, 15);
    ORV_PROPERTY(nCurrentPageWidth, 16);
    ORV_PROPERTY(nCurrentPageHeight, 17);
    ORV_PROPERTY(nCurrentPageOrientation, 18);
    ORV_PROPERTY(nCurrentPageBinNumber, 19);
    ORV_PROPERTY(nPageOrientation, 20);

    // The form container
    ORV_PROPERTY(Visible, 21);
    ORV_PROPERTY(AutoScroll, 22);
    ORV_PROPERTY(AutoSize, 23);
    ORV_PROPERTY(Caption, 24);
    ORV_PROPERTY(Color, 25);
    ORV_PROPERTY(KeyPreview, 26);
    ORV_PROPERTY(PixelsPerInch, 27);
    ORV_PROPERTY(Scaled, 28);
    ORV_PROPERTY(Active, 29);
    ORV_PROPERTY(DropTarget, 30);
    ORV_PROPERTY(HelpFile, 31);
    ORV_PROPERTY(DoubleBuffered, 32);
    ORV_PROPERTY(AlignDisabled, 33);
    ORV_PROPERTY(VisibleDockClientCount, 34);
    ORV_PROPERTY(Enabled, 35);
    ORV_PROPERTY(Cursor, 36);
    ORV_PROPERTY(HelpKeyword, 37);

    // Report-wide information and settings
    ORV_METHOD(AboutBox, 38, "");
    ORV_READONLY(Version, 39);
    ORV_METHOD(ReportInfo, 40, "nParameter");
    ORV_READONLY(LastError, 41);
    ORV_READONLY(LastErrorMessage, 42);
    ORV_PROPERTY(nLastError, 43);
    ORV_PROPERTY(ProcessInBackground, 44);
    ORV_READONLY(nRedraws, 45);
    ORV_READONLY(InDesignMode, 46);
    ORV_READONLY(ParentWindow, 47);
    ORV_PROPERTY(nHDC, 48);
    ORV_READONLY(GDIPlusEnabled, 49);
    ORV_PROPERTY(GDIPlusTextRenderingHint, 50);
    ORV_PROPERTY(HelpContextID, 51);
    ORV_PROPERTY(ShowTips, 52);
    ORV_PROPERTY(PictureJPEGSpeed, 53);
    ORV_METHOD(SetAll, 54, "cProperty, Value, cClass, nStartRange=0, nEndRange=0");
    ORV_METHOD(ReturnValue, 55, "nNumber");
    ORV_PROPERTY(DoubleBuffer, 56);
    ORV_PROPERTY(PrintScale, 57);

    // Current text settings
    ORV_PROPERTY(TextFontName, 58);
    ORV_PROPERTY(TextFontSize, 59);
    ORV_PROPERTY(cFontStyle, 60);
    ORV_PROPERTY(TextFontForeColor, 61);
    ORV_PROPERTY(TextFontBackColor, 62);
    ORV_PROPERTY(TextFontStyle, 63);

    // Text objects
    ORV_METHOD(AddText, 64,
               "cName, cText, nHPos, nVPos, nWidth, nHeight, cFontName?, nFontSize?, nForeColor?, nBackColor?, "
               "cFontStyle?, nRotationAngle?, nBackStyle?, nAlignment?, cSubType?, nAlphaLevel=255, "
               "nStringTrimmingStyle=2, nLineSpacing=0");
    ORV_METHOD(AddReportField, 65,
               "cName, cExpression, nHPos, nVPos, nWidth, nHeight, cPicture?, cDataType?, cFontName?, nFontSize?, "
               "nForeColor?, nBackColor?, cFontStyle?, nRotationAngle?, nBackStyle?, nAlignment?, cSubType?, "
               "nAlphaLevel=255");
    ORV_METHOD(GetTextHeight, 66, "nHPos, nVPos, nWidth, cText, nAlignment");
    ORV_PROPERTY(LastTextHeight, 67);
    ORV_READONLY(PDFFontCount, 195);
    ORV_METHOD(PDFFontMetric, 196, "nFontIndex, nAttribute, nEmbedFont?");

    // PDF export
    ORV_PROPERTY(PDFEncrypt, 197);
    ORV_PROPERTY(PDFPassword, 198);
    ORV_PROPERTY(PDFOwnerPassword, 199);
    ORV_PROPERTY(PDFUserPassword, 200);
    ORV_METHOD(PDFSetPermissions, 201,
               "nAllowPrintingLevel, lAllowCopying, lAllowChanges, lAllowCommenting, lAllowFillingFormFields, "
               "lAllowCopyingAccessibility, lAllowDocumentAssembly");
    ORV_PROPERTY(PDFDisplaySecurityOptions, 202);
    ORV_WRITEBACK_METHOD(SaveToPDF, SaveToPdfWritingBack, 203, "cFileName?, lOpenFile?, nStartPage=0, nEndPage=0");
    ORV_METHOD(PDFStream, 204, "nStartPage=0, nEndPage=0");
    ORV_PROPERTY(PDFFileName, 205);
    ORV_PROPERTY(PDFAuthor, 206);
    ORV_PROPERTY(PDFCreator, 207);
    ORV_PROPERTY(PDFTitle, 208);
    ORV_PROPERTY(PDFSubject, 209);
    ORV_PROPERTY(PDFKeywords, 210);
    ORV_PROPERTY(PDFCompress, 211);
    ORV_PROPERTY(PDFCompressBitmaps, 212);
    ORV_PROPERTY(PDFJPEGQuality, 213);
    ORV_PROPERTY(PDFBitmapQuality, 214);
    ORV_PROPERTY(PDFEmbedFonts, 215);
    ORV_PROPERTY(PDFCodePage, 216);
    ORV_PROPERTY(PDFUnicodeText, 390);
    ORV_PROPERTY(PDFMargin, 217);
    ORV_PROPERTY(PDFXOffset, 218);
    ORV_PROPERTY(PDFYOffset, 219);
    ORV_PROPERTY(PDFPromptForSaveToPDF, 220);
    ORV_PROPERTY(PDFOpenAfterCreate, 221);
    ORV_PROPERTY(PDFDisplayConfirmationAfterCreate, 222);
    ORV_PROPERTY(DisplayPDFButton, 223);
    // Settings of this engine's own start at 1000.
    ORV_PROPERTY(PDFChartMode, 1000);

    // Printers
    ORV_METHOD(SetPrinterTo, 224, "PrinterID");
    ORV_PROPERTY(PrinterID, 225);
    ORV_READONLY(CurrentPrinter, 226);
    ORV_READONLY(PrinterName, 227);
    ORV_READONLY(PrinterPort, 228);
    ORV_READONLY(PrinterCount, 229);
    ORV_PROPERTY(PrinterPaperWidth, 230);
    ORV_PROPERTY(PrinterPaperHeight, 231);
    ORV_READONLY(PrinterPaperCount, 232);
    ORV_READONLY(PrinterPhysicalOffsetX, 233);
    ORV_READONLY(PrinterPhysicalOffsetY, 234);
    ORV_READONLY(PrinterYResolution, 235);
    ORV_PROPERTY(PrinterPrintQuality, 236);
    ORV_PROPERTY(PrinterCollate, 237);
    ORV_PROPERTY(PrinterScale, 238);
    ORV_READONLY(PrinterBinCount, 239);
    ORV_PROPERTY(PrinterBinID, 240);
    ORV_PROPERTY(PrinterBinName, 241);
    ORV_PROPERTY(PrinterColor, 242);
    ORV_PROPERTY(PrinterCopies, 243);
    ORV_METHOD(PrinterAddForm, 244,
               "cFormName, nFormWidth, nFormHeight, nLeftMargin=0, nTopMargin=0, nRightMargin=0, nBottomMargin=0, "
               "cPrinterName?");
    ORV_METHOD(PrinterDeleteForm, 245, "cFormName, cPrinterName");
    ORV_PROPERTY(DisplayPrinterList, 246);

    // Print jobs
    ORV_METHOD(PrintReport, 247, "PrinterID?, nStartPage?, nEndPage?, nPageType?, cFileName?, lDuplex=false");
    ORV_PROPERTY(PrintJobTitle, 248);
    ORV_PROPERTY(PrintPromptForPrint, 249);
    ORV_PROPERTY(PrintStartPage, 250);
    ORV_PROPERTY(PrintEndPage, 251);
    ORV_PROPERTY(PrintCopies, 252);
    ORV_PROPERTY(PrintColor, 253);
    ORV_PROPERTY(PrintCollatePages, 254);
    ORV_PROPERTY(PrintReversePages, 255);
    ORV_PROPERTY(PrintDuplex, 256);
    ORV_PROPERTY(PrintShrinkToFit, 257);
    ORV_PROPERTY(PrintPagesPerPage, 258);
    ORV_PROPERTY(nXPrintOffset, 259);
    ORV_PROPERTY(nYPrintOffset, 260);
    ORV_PROPERTY(nPrintScale, 261);
    ORV_PROPERTY(DisplayPrintButton, 262);

    // Page navigation
    ORV_METHOD(FirstPage, 296, "");
    ORV_METHOD(PriorPage, 297, "");
    ORV_METHOD(NextPage, 298, "");
    ORV_METHOD(LastPage, 299, "");
    ORV_METHOD(GotoPage, 300, "nPageNumber");

    // Preview layout, zoom and toolbar
    ORV_METHOD(ZoomIn, 400, "");
    ORV_METHOD(ZoomOut, 401, "");
    ORV_METHOD(AddToolbarButton, 402, "cName, cBitmapFileName?, cHint?, nPosition?");
    ORV_PROPERTY(Scale, 403);
    ORV_PROPERTY(nCurrentScale, 404);
    ORV_PROPERTY(nZoomScale, 405);
    ORV_PROPERTY(nXOffset, 406);
    ORV_PROPERTY(nYOffset, 407);
    ORV_PROPERTY(nBackgroundColor, 408);
    ORV_PROPERTY(nPaperColor, 409);
    ORV_PROPERTY(DisplayGrid, 410);
    ORV_PROPERTY(nGridColor, 411);
    ORV_PROPERTY(DisplayPagesPerPage, 412);
    ORV_PROPERTY(DisplayPageMode, 413);
    ORV_PROPERTY(DisplayPageBorder, 414);
    ORV_PROPERTY(DisplayPageBorderSize, 415);
    ORV_PROPERTY(DisplayPaperStyle, 416);
    ORV_PROPERTY(DisplayPrinterMargins, 417);
    ORV_PROPERTY(DisplayUnitOfMeasure, 418);
    ORV_PROPERTY(DisplayToolbar, 419);
    ORV_PROPERTY(DisplayToolbarStyle, 420);
    ORV_PROPERTY(DisplayStatusBar, 421);
    ORV_PROPERTY(DisplayPopupMenu, 422);
    ORV_PROPERTY(DisplayZoomButtons, 423);
    ORV_PROPERTY(DisplayPageScale, 424);
    ORV_PROPERTY(DisplayActualSizeButton, 425);
    ORV_PROPERTY(DisplayFitToWidthButton, 426);
    ORV_PROPERTY(DisplayFitInWindowButton, 427);
    ORV_PROPERTY(DisplayGridButton, 428);
    ORV_PROPERTY(DisplayHelpButton, 429);
    ORV_PROPERTY(DisplayPageSize, 430);
    ORV_PROPERTY(DisplayNewPageButton, 431);
    ORV_PROPERTY(DisplayDeletePageButton, 432);
    ORV_PROPERTY(DisplayPageNavigation, 433);
    ORV_PROPERTY(DisplayPageScroller, 434);

    // Find
    ORV_METHOD(Find, 435, "cString, lCaseSensitive?, lFindAll?");
    ORV_METHOD(FindClear, 436, "");
    ORV_PROPERTY(DisplayFindButton, 437);
    ORV_PROPERTY(DisplayFindToolbar, 438);

    // Interface texts and languages
    ORV_METHOD(SetReportEngineText, 439, "nIndexID, cNewString");
    ORV_PROPERTY(LanguageIndexID, 440);

    // Graphic objects
    ORV_METHOD(AddShape, 68,
               "cName, nHPos, nVPos, nWidth, nHeight, nPenColor=0, nFillColor=0, nFillStyle=8, nBackStyle=0, "
               "nBorderStyle=8, nBorderWidth=0, nCurvature=0, nShapeStyle=0, nAlphaLevel=255");
    ORV_METHOD(AddLine, 69,
               "cName, nHPos, nVPos, nWidth, nHeight, nPenColor=0, nPenWidth=1, nPenStyle=8, nFillColor=0, "
               "nBackStyle=0, nBorderStyle=0, nAlphaLevel=255");
    ORV_METHOD(AddArc, 70,
               "cName, nHPos, nVPos, nWidth, nHeight, nStartAngle, nSweepAngle, nPenColor=0, nFillColor=0, "
               "nFillStyle=8, nBackStyle=0, nBorderStyle=8, nBorderWidth=0, nAlphaLevel=255");
    ORV_METHOD(AddChord, 71,
               "cName, nHPos, nVPos, nWidth, nHeight, nStartAngle, nSweepAngle, nPenColor=0, nFillColor=0, "
               "nFillStyle=8, nBackStyle=0, nBorderStyle=8, nBorderWidth=0, nAlphaLevel=255");
    ORV_METHOD(AddPie, 72,
               "cName, nHPos, nVPos, nWidth, nHeight, nStartAngle, nSweepAngle, nPenColor=0, nFillColor=0, "
               "nFillStyle=8, nBackStyle=0, nBorderStyle=8, nBorderWidth=0, nAlphaLevel=255");
    ORV_METHOD(AddGrid, 73,
               "cName, nHPos, nVPos, nWidth, nHeight, nColumns, nRows, nPenWidth=1, nPenColor=0, nBorderWidth=1, "
               "nFillColor=0, nBorderStyle=8, nFillStyle=1");
    ORV_METHOD(AddPicture, 74,
               "cName, cFileName, nHPos, nVPos, nWidth, nHeight, nImageScaling=1, nFlags?, nPageNumber=0");
    ORV_METHOD(AddFromClipboard, 75, "cName, nHPos, nVPos, nWidth, nHeight, nImageScaling=1");
    ORV_METHOD(AddBarCode, 76,
               "cName, cData, nBarCodeType, nHPos, nVPos, nWidth, nHeight, nBarColor, nRotationAngle");
    ORV_METHOD(AddAnnotation, 77,
               "cName, cAnnotationType, nHPos, nVPos, nWidth, nHeight, cContent, nBorderWidth=0");
    ORV_METHOD(AddChart, 78, "cName, nChartType, nHPos, nVPos, nWidth, nHeight");
    ORV_METHOD(ChartSelect, 79, "nChartIndex");
    ORV_METHOD(ClearLastItem, 80, "");
    ORV_PROPERTY(nReportObjects, 81);
    ORV_PROPERTY(ShapePenColor, 82);
    ORV_PROPERTY(ShapeFillColor, 83);
    ORV_PROPERTY(ShapeFillStyle, 84);
    ORV_PROPERTY(ShapeBackStyle, 85);
    ORV_PROPERTY(ShapeBorderStyle, 86);
    ORV_PROPERTY(ShapeBorderWidth, 87);
    ORV_PROPERTY(ShapeCurvature, 88);
    ORV_PROPERTY(LinePenColor, 89);
    ORV_PROPERTY(LinePenWidth, 90);
    ORV_PROPERTY(LinePenStyle, 91);

    // Watermark of the view page
    ORV_PROPERTY(WatermarkText, 92);
    ORV_PROPERTY(WatermarkFontName, 93);
    ORV_PROPERTY(WatermarkFontSize, 94);
    ORV_PROPERTY(WaterMarkForeColor, 95);
    ORV_PROPERTY(WaterMarkBackColor, 96);
    ORV_PROPERTY(WatermarkRotationAngle, 97);
    ORV_PROPERTY(WatermarkFontStyle, 98);

    // Calendar
    ORV_PROPERTY(CalendarWidth, 99);
    ORV_PROPERTY(CalendarHeight, 100);
    ORV_PROPERTY(CalendarLeft, 101);
    ORV_PROPERTY(CalendarTop, 102);
    ORV_PROPERTY(CalendarShow, 103);
    ORV_PROPERTY(CalendarShowGridLines, 104);
    ORV_PROPERTY(CalendarMonth, 105);
    ORV_PROPERTY(CalendarYear, 106);
    ORV_PROPERTY(CalendarDateFontSize, 107);
    ORV_PROPERTY(CalendarMonthFontSize, 108);
    ORV_PROPERTY(CalendarMonthFontColor, 109);
    ORV_PROPERTY(CalendarDateFontColor, 110);
    ORV_PROPERTY(CalendarMonthFontName, 111);
    ORV_PROPERTY(CalendarDateFontName, 112);
    ORV_PROPERTY(CalendarMonthFontStyle, 113);
    ORV_PROPERTY(CalendarDateFontStyle, 114);
    ORV_PROPERTY(CalendarGridLineColor, 115);
    ORV_PROPERTY(CalendarGridLineWidth, 116);

    // Page images
    ORV_METHOD(SaveToJPEG, 309,
               "cFileName, nPageNumber=0, lOpenFile?, nThumbnailSize=0, lGrayScale?, nCompressionQuality=90, "
               "lProgressiveEncoding?");
    ORV_METHOD(SaveToBitmap, 310,
               "cFileName, nPageNumber=0, lOpenFile?, nThumbnailSize=0, nBitsPerPixel=24, lGrayScale?");
    ORV_METHOD(SaveToPNG, 311, "cFileName, nPageNumber=0, lOpenFile?, nThumbnailSize=0, nBitsPerPixel=24, lGrayScale?");
    ORV_METHOD(SaveToTIFF, 312,
               "cFileName, nPageNumberStart=0, nPageNumberEnd=0, lOpenFile?, nThumbnailSize=0, nCompressionType=0, "
               "nBitsPerPixel=24, lGrayScale?");
    ORV_METHOD(SaveToMetafile, 313, "cFileName, nPageNumber=0, lOpenFile?");
    ORV_METHOD(CopyPageToClipboard, 314, "nPageNumber");
    ORV_PROPERTY(DisplaySaveAsImageButton, 315);

    // Word-processor documents
    ORV_WRITEBACK_METHOD(SaveToWord, SaveToWordWritingBack, 342, "cFileName, lOpenFile=false");
    ORV_METHOD(AddWordDocument, 343, "cName, cFileName, nPageNumber=0, nStartPage=0, nEndPage=0");
    ORV_PROPERTY(DisplayAddDocumentButton, 344);

    // E-mail
    ORV_METHOD(SendMail, 350,
               "cSMTPHost?, cFromAddress?, cRecipients?, cSubject?, cBodyText?, cAttachmentFileName?");
    ORV_PROPERTY(EmailFromAddress, 351);
    ORV_PROPERTY(EmailSMTPHost, 352);
    ORV_PROPERTY(EmailRecipients, 353);
    ORV_PROPERTY(EmailSubject, 354);
    ORV_PROPERTY(EmailBody, 355);
    ORV_PROPERTY(EMAILBodyHTML, 356);
    ORV_PROPERTY(EmailCCAddresses, 357);
    ORV_PROPERTY(EmailBCCAddresses, 358);
    ORV_PROPERTY(EmailSMTPUserID, 359);
    ORV_PROPERTY(EmailSMTPPassword, 360);
    ORV_PROPERTY(EmailAttachmentFileName, 361);
    ORV_PROPERTY(EMailContentType, 362);
    ORV_PROPERTY(EmailMAPIProfileName, 363);
    ORV_PROPERTY(EmailMAPIPassword, 364);
    ORV_PROPERTY(EmailSMTPPort, 365);
    ORV_PROPERTY(EmailSMTPAuthorizationType, 366);
    ORV_PROPERTY(EmailReturnReceipt, 367);
    ORV_PROPERTY(EmailMessagingType, 368);
    ORV_PROPERTY(EmailDisplayConfirmationAfterSend, 369);
    ORV_PROPERTY(EMAILFromDisplayStyle, 370);
    ORV_PROPERTY(EMAILSMTPHostDisplayStyle, 371);
    ORV_METHOD(EMAILAddAttachment, 372, "cFileName");
    ORV_PROPERTY(EMAILAttachmentCount, 373);
    ORV_PROPERTY(EmailPriorityLevel, 374);
    ORV_PROPERTY(DisplayEmailButton, 375);
    ORV_PROPERTY(EmailSMTPSecurity, 1001);
    ORV_PROPERTY(EmailSMTPCAFile, 1002);
    ORV_PROPERTY(EmailSMTPTimeout, 1003);
    ORV_PROPERTY(EmailSendmailCommand, 1004);

    // Charts
    ORV_METHOD(ChartGetCount, 118, "nPageNumber=0");
    ORV_METHOD(ChartAddSeries, 119, "nSeriesType, cSeriesTitle?, nSeriesColor?");
    ORV_METHOD(ChartSelectSeries, 120, "nSeries");
    ORV_METHOD(ChartAddXYData, 121, "nX, nY, cLegend, nColor");
    ORV_METHOD(ChartAddData, 122, "nChartIndex, nValue, cLabel, nColor");
    ORV_WRITEBACK_METHOD(ChartSaveToMetafile, ChartSaveToMetafileWritingBack, 123, "cFileName, nWidth, nHeight");
    ORV_PROPERTY(ChartXAxisTitle, 124);
    ORV_PROPERTY(ChartXAxisTitleAngle, 125);
    ORV_PROPERTY(ChartXAxisLabelAngle, 126);
    ORV_PROPERTY(ChartXAxisFontSize, 127);
    ORV_PROPERTY(ChartXAxisFontname, 128);
    ORV_PROPERTY(ChartXAxisFontStyle, 129);
    ORV_PROPERTY(ChartXAxisAutomatic, 130);
    ORV_PROPERTY(ChartXAxisMin, 131);
    ORV_PROPERTY(ChartXAxisMax, 132);
    ORV_PROPERTY(ChartXAxisHideLabels, 133);
    ORV_PROPERTY(ChartYAxisTitle, 134);
    ORV_PROPERTY(ChartYAxisTitleAngle, 135);
    ORV_PROPERTY(ChartYAxisLabelAngle, 136);
    ORV_PROPERTY(ChartYAxisFontSize, 137);
    ORV_PROPERTY(ChartYAxisFontName, 138);
    ORV_PROPERTY(ChartYAxisFontStyle, 139);
    ORV_PROPERTY(ChartYAxisAutomatic, 140);
    ORV_PROPERTY(ChartYAxisMin, 141);
    ORV_PROPERTY(ChartYAxisMax, 142);
    ORV_PROPERTY(ChartYAxisHideLabels, 143);
    ORV_PROPERTY(Chart3DView, 144);
    ORV_PROPERTY(Chart3DPercent, 145);
    ORV_PROPERTY(Chart3DWalls, 146);
    ORV_PROPERTY(ChartAxisVisible, 147);
    ORV_PROPERTY(ChartLeftWallTransparent, 148);
    ORV_PROPERTY(ChartLeftWallColor, 149);
    ORV_PROPERTY(ChartLeftWallSize, 150);
    ORV_PROPERTY(ChartBottomWallTransparent, 151);
    ORV_PROPERTY(ChartBottomWallColor, 152);
    ORV_PROPERTY(ChartBottomWallSize, 153);
    ORV_PROPERTY(ChartBackWallTransparent, 154);
    ORV_PROPERTY(ChartBackWallColor, 155);
    ORV_PROPERTY(ChartBackWallSize, 156);
    ORV_PROPERTY(ChartGradientDirection, 157);
    ORV_PROPERTY(ChartGradientEndColor, 158);
    ORV_PROPERTY(ChartGradientStartColor, 159);
    ORV_PROPERTY(ChartGradientVisible, 160);
    ORV_PROPERTY(ChartLegendBorderStyle, 161);
    ORV_PROPERTY(ChartLegendFontName, 162);
    ORV_PROPERTY(ChartLegendFontColor, 163);
    ORV_PROPERTY(ChartLegendFontSize, 164);
    ORV_PROPERTY(ChartLegendMarginSize, 165);
    ORV_PROPERTY(ChartLegendPosition, 166);
    ORV_PROPERTY(ChartLegendStyle, 167);
    ORV_PROPERTY(ChartLegendBorderWidth, 168);
    ORV_PROPERTY(ChartLegendVisible, 169);
    ORV_PROPERTY(ChartDataPointLegendFontSize, 170);
    ORV_PROPERTY(ChartYAxisLabelFontSize, 171);
    ORV_PROPERTY(ChartLegendBorderColor, 172);
    ORV_PROPERTY(ChartLegendResizeChart, 173);
    ORV_PROPERTY(ChartLegendShadowColor, 174);
    ORV_PROPERTY(ChartLegendShadowSize, 175);
    ORV_PROPERTY(ChartTitle, 176);
    ORV_PROPERTY(ChartTitleAlignment, 177);
    ORV_PROPERTY(ChartTitleBackColor, 178);
    ORV_PROPERTY(ChartTitleBackStyle, 179);
    ORV_PROPERTY(ChartTitleBorderStyle, 180);
    ORV_PROPERTY(ChartTitleBorderWidth, 181);
    ORV_PROPERTY(ChartTitleBorderColor, 182);
    ORV_PROPERTY(ChartTitleFontColor, 183);
    ORV_PROPERTY(ChartTitleFontName, 184);
    ORV_PROPERTY(ChartTitleFontSize, 185);
    ORV_PROPERTY(ChartType, 186);
    ORV_PROPERTY(ChartSeriesMarksBackColor, 187);
    ORV_PROPERTY(ChartSeriesBarStyle, 188);
    ORV_PROPERTY(ChartSeriesMultibarStyle, 189);
    ORV_PROPERTY(ChartSeriesMarksStyle, 190);
    ORV_PROPERTY(ChartSeriesMarksTransparent, 191);
    ORV_PROPERTY(ChartSeriesMarksVisible, 192);
    ORV_PROPERTY(ChartSeriesTitle, 193);
    ORV_PROPERTY(ChartSeriesColor, 194);

    // Pictures
    ORV_METHOD(GetImageInfo, 117, "attribute, file name");
}

} // namespace orv
