#pragma once

#include <QString>

#include <array>
#include <optional>

namespace orv {

// The toolbar controls whose tooltip (hint) is an interface text.
enum class HintControl {
  cmdSaveToPDF,
  cmdPrintReport,
  cmdSaveAsImage,
  cmdEmail,
  cmdActualSize,
  cmdFitInWindow,
  cmdFitToWidth,
  cmdZoomIn,
  cmdZoomOut,
  txtPageSize,
  cmdFirstPage,
  cmdPriorPage,
  cmdNextPage,
  cmdLastPage,
  txtPagePosition,
  txtScale,
  cmdZoomPreview,
  PagePosScrollbar,
  cmdFind,
  cmdGrid,
  cmdHelp,
  cmdNewPage,
  cmdDeletePage,
  cboPrinters,
  cmdAddWordDocument,
};
inline constexpr int kHintControlCount = int(HintControl::cmdAddWordDocument) + 1;

// The texts the viewer's dialogs read each time they open.
enum class TextSlot {
  strSubject,
  strFind,
  strFindTitle,
  strCancel,
  strCaseSensitive,
  strMarkAll,
  strZoom,
  strPdfOptionsTitle,
  strFileName,
  strTitle,
  strAuthor,
  strKeywords,
  strSave,
  strUserPassword,
  strOwnerPassword,
  strPagesPerSheet,
  strEmailEditorTitle,
  strFrom,
  strTo,
  strAttachmentFileName,
  strPriority,
  strReturnReceipt,
  strSend,
  strFindNext,
  strFindPrevious,
  strHighlight,
  strMatchCase,
};
inline constexpr int kTextSlotCount = int(TextSlot::strMatchCase) + 1;

// The one table of words the viewer shows: the hints of the toolbar controls
// and the text slots of its dialogs. A new table holds the English texts;
// language switches and the host replace entries later. An "&" marks the
// next letter as the keyboard accelerator, as in Qt's own captions.
class TInterfaceTexts {
public:
  TInterfaceTexts();

  const QString& hint(HintControl control) const { return hints_[size_t(control)]; }
  void setHint(HintControl control, const QString& text) { hints_[size_t(control)] = text; }
  const QString& text(TextSlot slot) const { return texts_[size_t(slot)]; }
  void setText(TextSlot slot, const QString& text) { texts_[size_t(slot)] = text; }

  static QString englishHint(HintControl control);
  static QString englishText(TextSlot slot);
  // The form name of a control ("cmdSaveToPDF") and of a slot ("strSave").
  static const char* controlName(HintControl control);
  static const char* slotName(TextSlot slot);
  // The hint that SetReportEngineText's index 1..21 replaces; none outside.
  static std::optional<HintControl> hintForIndex(int indexId);

private:
  std::array<QString, kHintControlCount> hints_;
  std::array<QString, kTextSlotCount> texts_;
};

} // namespace orv
