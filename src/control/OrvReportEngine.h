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
                         float nHeight, const Variant& cFontName, int32_t nFontSize, int32_t nForeColor,
                         int32_t nBackColor, const Variant& cFontStyle, int32_t nRotationAngle, int32_t nBackStyle,
                         int32_t nAlignment, const Variant& cSubType, int32_t nAlphaLevel = 255,
                         int32_t nStringTrimmingStyle = 2, int32_t nLineSpacing = 0) = 0;
    virtual void AddReportField(const Variant& cName, const Variant& cExpression, float nHPos, float nVPos,
                                float nWidth, float nHeight, const Variant& cPicture, const Variant& cDataType,
                                const Variant& cFontName, int32_t nFontSize, int32_t nForeColor, int32_t nBackColor,
                                const Variant& cFontStyle, int32_t nRotationAngle, int32_t nBackStyle,
                                int32_t nAlignment, const Variant& cSubType, int32_t nAlphaLevel = 255) = 0;
    virtual Variant GetTextHeight(int32_t nHPos, int32_t nVPos, int32_t nWidth, const Variant& cText,
                                  int32_t nAlignment) = 0;
    virtual int32_t get_LastTextHeight() = 0;
    virtual void put_LastTextHeight(int32_t value) = 0;
    virtual int32_t get_PDFFontCount() = 0;
    virtual Variant PDFFontMetric(int32_t nFontIndex, int32_t nAttribute, int32_t nEmbedFont = 0) = 0;
};

} // namespace orv
