#include "viewer/InterfaceTexts.h"

namespace orv {
namespace {

struct HintEntry {
  const char* name;
  const char* english;
};

// In the order of HintControl.
constexpr HintEntry kHints[kHintControlCount] = {
    {"cmdSaveToPDF", "Save to PDF"},
    {"cmdPrintReport", "Print Report"},
    {"cmdSaveAsImage", "Save As Image"},
    {"cmdEmail", "Email Report as PDF"},
    {"cmdActualSize", "Actual Size"},
    {"cmdFitInWindow", "Fit in Window"},
    {"cmdFitToWidth", "Fit to Width"},
    {"cmdZoomIn", "Zoom In"},
    {"cmdZoomOut", "Zoom Out"},
    {"txtPageSize", "Page Size"},
    {"cmdFirstPage", "First Page"},
    {"cmdPriorPage", "Prior Page"},
    {"cmdNextPage", "Next Page"},
    {"cmdLastPage", "Last Page"},
    {"txtPagePosition", "Page Number"},
    {"txtScale", "Zoom Scale in Percent"},
    {"cmdZoomPreview", "Zoom Scale Dropdown"},
    {"PagePosScrollbar", "High Speed Page Position Control"},
    {"cmdFind", "Find  (SHIFT+Click to Clear)"},
    {"cmdGrid", "Display Grid"},
    {"cmdHelp", "Help"},
    {"cmdNewPage", "New Page"},
    {"cmdDeletePage", "Delete Page"},
    {"cboPrinters", "Printers"},
    {"cmdAddWordDocument", "Add Document"},
};

// In the order of TextSlot.
constexpr HintEntry kSlots[kTextSlotCount] = {
    {"strSubject", "Subject"},
    {"strFind", "Find"},
    {"strFindTitle", "Find Text"},
    {"strCancel", "Cancel"},
    {"strCaseSensitive", "Case Sensitive"},
    {"strMarkAll", "Mark All"},
    {"strZoom", "Zoom"},
    {"strPdfOptionsTitle", "PDF Document Options"},
    {"strFileName", "File Name"},
    {"strTitle", "Title"},
    {"strAuthor", "Author"},
    {"strKeywords", "Keywords"},
    {"strSave", "Save"},
    {"strUserPassword", "User Password"},
    {"strOwnerPassword", "Owner Password"},
    {"strPagesPerSheet", "Pages per s&heet"},
    {"strEmailEditorTitle", "Email Message Editor"},
    {"strFrom", "From"},
    {"strTo", "&To"},
    {"strAttachmentFileName", "Attachment Filename"},
    {"strPriority", "&Priority"},
    {"strReturnReceipt", "Return &Receipt"},
    {"strSend", "Sen&d"},
    {"strFindNext", "Find next"},
    {"strFindPrevious", "Find previous"},
    {"strHighlight", "Highlight"},
    {"strMatchCase", "Match case"},
};

// SetReportEngineText's indexes 1..21; 4 and 9 both name the actual size hint.
constexpr HintControl kIndexedHints[21] = {
    HintControl::cmdSaveToPDF,    HintControl::cmdPrintReport,   HintControl::cmdEmail,
    HintControl::cmdActualSize,   HintControl::cmdFitInWindow,   HintControl::cmdFitToWidth,
    HintControl::cmdZoomIn,       HintControl::cmdZoomOut,       HintControl::cmdActualSize,
    HintControl::txtPageSize,     HintControl::cmdFirstPage,     HintControl::cmdPriorPage,
    HintControl::cmdNextPage,     HintControl::cmdLastPage,      HintControl::txtPagePosition,
    HintControl::txtScale,        HintControl::cmdZoomPreview,   HintControl::PagePosScrollbar,
    HintControl::cmdFind,         HintControl::cmdGrid,          HintControl::cmdHelp,
};

} // namespace

TInterfaceTexts::TInterfaceTexts() {
  for (int i = 0; i < kHintControlCount; ++i) hints_[size_t(i)] = QString::fromUtf8(kHints[i].english);
  for (int i = 0; i < kTextSlotCount; ++i) texts_[size_t(i)] = QString::fromUtf8(kSlots[i].english);
}

QString TInterfaceTexts::englishHint(HintControl control) {
  return QString::fromUtf8(kHints[int(control)].english);
}

QString TInterfaceTexts::englishText(TextSlot slot) {
  return QString::fromUtf8(kSlots[int(slot)].english);
}

const char* TInterfaceTexts::controlName(HintControl control) { return kHints[int(control)].name; }

const char* TInterfaceTexts::slotName(TextSlot slot) { return kSlots[int(slot)].name; }

std::optional<HintControl> TInterfaceTexts::hintForIndex(int indexId) {
  if (indexId < 1 || indexId > 21) return std::nullopt;
  return kIndexedHints[indexId - 1];
}

} // namespace orv
