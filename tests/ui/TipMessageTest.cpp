#include <gtest/gtest.h>

#include "common/TestMachine.h"
#include "product/Catalogue.h"
#include "product/TextTable.h"
#include "ui/ButtonST.h"
#include "ui/MyProgress.h"
#include "ui/TipMessage.h"

TEST(ProductLabel, OneEditionGetsItsTypeNameAndLanguageTag) {
    EXPECT_EQ(ComposeProductLabel({ProductVariant::AC}, "Velmora", "E"), "Velmora AC(E)");
    // FULL carries no type name; the part from the first "(" on is dropped.
    EXPECT_EQ(ComposeProductLabel({ProductVariant::FULL}, "Velmora(old)", "E"), "Velmora(E)");
    // A capital C or E in the name decides the tag, whatever LanguageType says.
    EXPECT_EQ(ComposeProductLabel({ProductVariant::VS}, "Corvane", "E"), "Corvane VS(C)");
    EXPECT_EQ(ComposeProductLabel({ProductVariant::VS}, "Elm", "C"), "Elm VS(E)");
    EXPECT_EQ(ComposeProductLabel({ProductVariant::AC, ProductVariant::VS}, "Velmora", "E"), "");
}

TEST(ProductLabel, FromTheRecordsOfThisMachine) {
    testbed::RemoveAllRecords();
    testbed::CreateRecord(ProductVariant::SL, {{"DisplayName", "Velmora"}, {"LanguageType", "E"}});
    EXPECT_EQ(InstalledProductLabel(), "Velmora SL(E)");
    testbed::CreateRecord(ProductVariant::DP, {{"DisplayName", "Velmora"}});
    EXPECT_EQ(InstalledProductLabel(), "");
    testbed::RemoveAllRecords();
}

TEST(TipMessages, PlaceholdersAndLineCounts) {
    const CTextTable english(UiLanguage::English);
    const CTextTable chinese(UiLanguage::Chinese);
    TipPlaceholders values{"Velmora", "", "A.exe"};
    EXPECT_EQ(ComposeTipMessage(false, MessageKind::CloseProcess, english, values).text,
              "Please exit the Velmora client program first.");
    EXPECT_EQ(ComposeTipMessage(false, MessageKind::InstallMutex, english, values).text,
              "More than one related program are installed. Please uninstall them first and "
              "then run this installation program.");
    EXPECT_EQ(ComposeTipMessage(true, MessageKind::NpfOccupied, english, values).lines, 4);
    EXPECT_EQ(ComposeTipMessage(true, MessageKind::NpfOccupied, chinese, values).lines, 3);
    EXPECT_EQ(ComposeTipMessage(true, MessageKind::CancelInstall, english, values).lines, 1);
    EXPECT_EQ(ComposeTipMessage(true, MessageKind::CancelInstall, chinese, values).lines, 1);
    // Each dialog has its own kinds: 2 is a question, 1 a message.
    EXPECT_EQ(ComposeTipMessage(false, MessageKind::CancelInstall, english, values).text, "");
    EXPECT_EQ(ComposeTipMessage(false, MessageKind::CancelInstall, english, values).lines, 0);
    EXPECT_EQ(ComposeTipMessage(true, MessageKind::SpaceLack, english, values).text, "");
    EXPECT_EQ(ComposeTipMessage(false, MessageKind::InstallLowVersion,
                                CTextTable(static_cast<UiLanguage>(5)), values)
                  .text,
              "");
}

TEST(ButtonST, ImageSlots) {
    // Check boxes: checked disabled 4, unchecked disabled 3, pressed 1, hover 0, normal 2.
    EXPECT_EQ(ButtonSTImageIndex(true, true, true, true, false), kImageDisabledChecked);
    EXPECT_EQ(ButtonSTImageIndex(true, false, false, true, true), kImageDisabled);
    EXPECT_EQ(ButtonSTImageIndex(true, false, true, false, false), kImagePressed);
    EXPECT_EQ(ButtonSTImageIndex(true, false, false, false, true), kImageHover);
    // A disabled push button keeps its normal face; pressed beats hover.
    EXPECT_EQ(ButtonSTImageIndex(false, false, false, true, false), kImageNormal);
    EXPECT_EQ(ButtonSTImageIndex(false, false, true, false, true), kImagePressed);
}

TEST(MyProgress, SplitPoint) {
    const RECT bar{10, 0, 682, 12};
    EXPECT_EQ(ProgressSplit(bar, 0, 0, 100), 10);
    EXPECT_EQ(ProgressSplit(bar, 50, 0, 100), 346);
    EXPECT_EQ(ProgressSplit(bar, 100, 0, 100), 682);
    EXPECT_EQ(ProgressSplit(bar, 3, 0, 0), 10);
}
