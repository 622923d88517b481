#include <gtest/gtest.h>

#include "app/FirstPage.h"
#include "common/TestMachine.h"
#include "engine/InstallMode.h"
#include "product/Catalogue.h"

namespace {

struct Row {
    int32_t installType;
    int32_t variant;
    int32_t brandType;
    int32_t uiLanguage;
    bool sameEdition;
    FirstPage page;
    int32_t messageKind;
};

void ExpectRow(const Row& row) {
    bool asked = false;
    const auto choice = ChooseFirstPage(
        row.installType, testbed::MakeConfig(row.variant, row.brandType, 0, row.uiLanguage), [&] {
            asked = true;
            return row.sameEdition;
        });
    EXPECT_EQ(choice.page, row.page) << "type " << row.installType << " variant " << row.variant
                                     << " brandType " << row.brandType;
    EXPECT_EQ(static_cast<int32_t>(choice.messageKind), row.messageKind) << "type " << row.installType;
    if (row.installType == Fresh || row.installType >= OtherEditionInstalled) {
        EXPECT_FALSE(asked) << "the edition test is only for installed versions";
    }
}

}  // namespace

TEST(FirstPage, FreshInstallPages) {
    const Row rows[] = {
        {Fresh, FULL, 0, 0, false, FirstPage::StartDlg, 0},
        {Fresh, VS, 0, 1, false, FirstPage::StartDlg, 0},
        {Fresh, SC, 0, 0, false, FirstPage::StartDlg, 0},
        {Fresh, DP, 0, 0, false, FirstPage::StartDlg, 0},
        {Fresh, AC, 0, 0, false, FirstPage::StartACDlg, 0},
        {Fresh, AC, 1, 0, false, FirstPage::StartACDlg, 0},
        {Fresh, SL, 7, 1, false, FirstPage::StartACDlg, 0},
        {Fresh, FULL, 1, 1, false, FirstPage::ComponentFullDlg, 0},
        {Fresh, FULL, 1, 0, false, FirstPage::ComponentFullEDlg, 0},
        {Fresh, VS, 1, 0, false, FirstPage::ComponentVSDlg, 0},
        {Fresh, SC, 1, 1, false, FirstPage::ComponentVSDlg, 0},
        {Fresh, DP, 1, 0, false, FirstPage::ComponentVSDlg, 0},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
}

TEST(FirstPage, NoRowMeansNoPage) {
    ExpectRow({Fresh, FULL, 2, 0, false, FirstPage::None, 0});
    ExpectRow({Fresh, VS, -1, 0, false, FirstPage::None, 0});
    ExpectRow({Fresh, FULL, 1, 3, false, FirstPage::None, 0});
    ExpectRow({0, AC, 1, 0, false, FirstPage::None, 0});
}

TEST(FirstPage, MaintenanceAndUpgrades) {
    const Row rows[] = {
        {Maintenance, AC, 1, 0, true, FirstPage::SecondInstallDlg, 0},
        {Maintenance, AC, 1, 0, false, FirstPage::TipDlg, 16},
        {Maintenance, SC, 0, 0, true, FirstPage::SecondInstallDlg, 0},
        {UpgradeByComponentList, AC, 1, 0, true, FirstPage::UpdataDlg, 0},
        {UpgradeByDescription, FULL, 0, 0, true, FirstPage::UpdataDlg, 0},
        {UpgradeBlind, VS, 1, 0, false, FirstPage::TipDlg, 16},
        {UpgradeByComponentList, SC, 1, 0, true, FirstPage::TipDlg, 18},
        {UpgradeByDescription, SC, 0, 0, false, FirstPage::TipDlg, 18},
        {UpgradeBlind, SC, 1, 1, true, FirstPage::TipDlg, 18},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
}

TEST(FirstPage, RefusalsNeedNoEditionTest) {
    ExpectRow({OtherEditionInstalled, AC, 1, 0, true, FirstPage::TipDlg, 8});
    ExpectRow({NewerInstalled, AC, 1, 0, true, FirstPage::TipDlg, 9});
    ExpectRow({NewerInstalled, SC, 0, 0, false, FirstPage::TipDlg, 9});
}
