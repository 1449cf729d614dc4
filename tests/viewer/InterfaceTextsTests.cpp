#include "viewer/InterfaceTexts.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace orv;

TEST(InterfaceTexts, NewTableHoldsTheEnglishHintsAndSlots) {
  TInterfaceTexts texts;
  EXPECT_EQ(texts.hint(HintControl::cmdSaveToPDF), "Save to PDF");
  EXPECT_EQ(texts.hint(HintControl::cmdFind), "Find  (SHIFT+Click to Clear)");
  EXPECT_EQ(texts.hint(HintControl::PagePosScrollbar), "High Speed Page Position Control");
  EXPECT_EQ(texts.hint(HintControl::cmdAddWordDocument), "Add Document");
  EXPECT_EQ(texts.text(TextSlot::strPagesPerSheet), "Pages per s&heet");
  EXPECT_EQ(texts.text(TextSlot::strTo), "&To");
  EXPECT_EQ(texts.text(TextSlot::strMatchCase), "Match case");
  for (int i = 0; i < kHintControlCount; ++i)
    EXPECT_EQ(texts.hint(HintControl(i)), TInterfaceTexts::englishHint(HintControl(i)));
  for (int i = 0; i < kTextSlotCount; ++i)
    EXPECT_EQ(texts.text(TextSlot(i)), TInterfaceTexts::englishText(TextSlot(i)));
}

TEST(InterfaceTexts, EveryEntryHasItsOwnFormNameAndAText) {
  EXPECT_EQ(kTextSlotCount, 27);
  std::set<std::string> names;
  for (int i = 0; i < kHintControlCount; ++i) {
    names.insert(TInterfaceTexts::controlName(HintControl(i)));
    EXPECT_FALSE(TInterfaceTexts::englishHint(HintControl(i)).isEmpty());
  }
  for (int i = 0; i < kTextSlotCount; ++i) {
    const std::string name = TInterfaceTexts::slotName(TextSlot(i));
    EXPECT_EQ(name.rfind("str", 0), 0u) << name;
    names.insert(name);
    EXPECT_FALSE(TInterfaceTexts::englishText(TextSlot(i)).isEmpty());
  }
  EXPECT_EQ(names.size(), size_t(kHintControlCount + kTextSlotCount));
  EXPECT_STREQ(TInterfaceTexts::slotName(TextSlot::strOwnerPassword), "strOwnerPassword");
}

TEST(InterfaceTexts, HostIndexesNameTheirHintsAndNothingOutside) {
  EXPECT_EQ(TInterfaceTexts::hintForIndex(1), HintControl::cmdSaveToPDF);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(3), HintControl::cmdEmail);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(4), HintControl::cmdActualSize);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(9), HintControl::cmdActualSize);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(10), HintControl::txtPageSize);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(18), HintControl::PagePosScrollbar);
  EXPECT_EQ(TInterfaceTexts::hintForIndex(21), HintControl::cmdHelp);
  EXPECT_FALSE(TInterfaceTexts::hintForIndex(0));
  EXPECT_FALSE(TInterfaceTexts::hintForIndex(22));
  EXPECT_FALSE(TInterfaceTexts::hintForIndex(-1));
}

TEST(InterfaceTexts, ReplacedEntriesStayApart) {
  TInterfaceTexts texts;
  texts.setHint(HintControl::cmdZoomIn, "Acercar");
  texts.setText(TextSlot::strSave, "Guardar");
  EXPECT_EQ(texts.hint(HintControl::cmdZoomIn), "Acercar");
  EXPECT_EQ(texts.hint(HintControl::cmdZoomOut), "Zoom Out");
  EXPECT_EQ(texts.text(TextSlot::strSave), "Guardar");
  EXPECT_EQ(texts.text(TextSlot::strCancel), "Cancel");
}
