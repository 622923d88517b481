#include <gtest/gtest.h>

#include "app/FirstPage.h"
#include "common/TestMachine.h"
#include "engine/InstallMode.h"
#include "product/Catalogue.h"

namespace {

struct Row {
    InstallType installType;
    ProductVariant variant;
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
    EXPECT_EQ(choice.page, row.page)
        << "type " << static_cast<int32_t>(row.installType) << " variant " << row.variant
        << " brandType " << row.brandType;
    EXPECT_EQ(static_cast<int32_t>(choice.messageKind), row.messageKind)
        << "type " << static_cast<int32_t>(row.installType);
    if (row.installType == InstallType::Fresh ||
        row.installType >= InstallType::OtherEditionInstalled) {
        EXPECT_FALSE(asked) << "the edition test is only for installed versions";
    }
}

}  // namespace

TEST(FirstPage, FreshInstallPages) {
    const Row rows[] = {
        {InstallType::Fresh, ProductVariant::FULL, 0, 0, false, FirstPage::StartDlg, 0},
        {InstallType::Fresh, ProductVariant::VS, 0, 1, false, FirstPage::StartDlg, 0},
        {InstallType::Fresh, ProductVariant::SC, 0, 0, false, FirstPage::StartDlg, 0},
        {InstallType::Fresh, ProductVariant::DP, 0, 0, false, FirstPage::StartDlg, 0},
        {InstallType::Fresh, ProductVariant::AC, 0, 0, false, FirstPage::StartACDlg, 0},
        {InstallType::Fresh, ProductVariant::AC, 1, 0, false, FirstPage::StartACDlg, 0},
        {InstallType::Fresh, ProductVariant::SL, 7, 1, false, FirstPage::StartACDlg, 0},
        {InstallType::Fresh, ProductVariant::FULL, 1, 1, false, FirstPage::ComponentFullDlg, 0},
        {InstallType::Fresh, ProductVariant::FULL, 1, 0, false, FirstPage::ComponentFullEDlg, 0},
        {InstallType::Fresh, ProductVariant::VS, 1, 0, false, FirstPage::ComponentVSDlg, 0},
        {InstallType::Fresh, ProductVariant::SC, 1, 1, false, FirstPage::ComponentVSDlg, 0},
        {InstallType::Fresh, ProductVariant::DP, 1, 0, false, FirstPage::ComponentVSDlg, 0},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
}

TEST(FirstPage, NoRowMeansNoPage) {
    ExpectRow({InstallType::Fresh, ProductVariant::FULL, 2, 0, false, FirstPage::None, 0});
    ExpectRow({InstallType::Fresh, ProductVariant::VS, -1, 0, false, FirstPage::None, 0});
    ExpectRow({InstallType::Fresh, ProductVariant::FULL, 1, 3, false, FirstPage::None, 0});
    ExpectRow({InstallType::None, ProductVariant::AC, 1, 0, false, FirstPage::None, 0});
}

TEST(FirstPage, MaintenanceAndUpgrades) {
    const Row rows[] = {
        {InstallType::Maintenance, ProductVariant::AC, 1, 0, true, FirstPage::SecondInstallDlg, 0},
        {InstallType::Maintenance, ProductVariant::AC, 1, 0, false, FirstPage::TipDlg, 16},
        {InstallType::Maintenance, ProductVariant::SC, 0, 0, true, FirstPage::SecondInstallDlg, 0},
        {InstallType::UpgradeByComponentList, ProductVariant::AC, 1, 0, true, FirstPage::UpdataDlg,
         0},
        {InstallType::UpgradeByDescription, ProductVariant::FULL, 0, 0, true, FirstPage::UpdataDlg,
         0},
        {InstallType::UpgradeBlind, ProductVariant::VS, 1, 0, false, FirstPage::TipDlg, 16},
        {InstallType::UpgradeByComponentList, ProductVariant::SC, 1, 0, true, FirstPage::TipDlg,
         18},
        {InstallType::UpgradeByDescription, ProductVariant::SC, 0, 0, false, FirstPage::TipDlg, 18},
        {InstallType::UpgradeBlind, ProductVariant::SC, 1, 1, true, FirstPage::TipDlg, 18},
    };
    for (const Row& row : rows) {
        ExpectRow(row);
    }
}

TEST(FirstPage, RefusalsNeedNoEditionTest) {
    ExpectRow(
        {InstallType::OtherEditionInstalled, ProductVariant::AC, 1, 0, true, FirstPage::TipDlg, 8});
    ExpectRow({InstallType::NewerInstalled, ProductVariant::AC, 1, 0, true, FirstPage::TipDlg, 9});
    ExpectRow({InstallType::NewerInstalled, ProductVariant::SC, 0, 0, false, FirstPage::TipDlg, 9});
}
