#pragma once

#include <QString>

#include <array>
#include <cstdint>
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

inline constexpr int kLanguageCount = 9;

// The one table of words the viewer shows: the hints of the toolbar controls
// and the text slots of its dialogs. A new table holds the English texts;
// language switches and the host replace entries later. An "&" marks the
// next letter as the keyboard accelerator, as in Qt's own captions.
//
// Languages by index: 0 English, 1 Spanish, 2 French, 3 German, 4
// Portuguese, 5 Dutch, 6 Italian, 7 Turkish, 8 Brazilian Portuguese. A
// language sets only the entries it has words for; the others keep the
// text they had (the find toolbar's captions, for one, exist in English and
// Brazilian Portuguese only).
class TInterfaceTexts {
public:
  TInterfaceTexts();

  int32_t languageIndex() const { return language_; }
  // Sets every entry that language `index` has a text for; false, changing
  // nothing, outside 0..8.
  bool switchLanguage(int32_t index);
  // Language `index`'s own text of an entry; nothing when it leaves it.
  static std::optional<QString> languageHint(int32_t index, HintControl control);
  static std::optional<QString> languageText(int32_t index, TextSlot slot);

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
  int32_t language_ = 0;
  std::array<QString, kHintControlCount> hints_;
  std::array<QString, kTextSlotCount> texts_;
};

} // namespace orv
