#include <gtest/gtest.h>

#include <vector>

#include "ui/pages/MaintenanceRules.h"

namespace {

using V = std::vector<int32_t>;

TEST(MaintenanceRules, ModifyOnlyWhereAFeaturePageExists) {
    for (ProductVariant variant :
         {ProductVariant::FULL, ProductVariant::VS, ProductVariant::SC, ProductVariant::DP}) {
        EXPECT_TRUE(OffersModify(variant)) << static_cast<int>(variant);
    }
    EXPECT_FALSE(OffersModify(ProductVariant::AC));
    EXPECT_FALSE(OffersModify(ProductVariant::SL));
    EXPECT_EQ(InitialOption(false, false), MaintenanceOption::Remove);
    EXPECT_EQ(InitialOption(true, false), MaintenanceOption::Modify);
    EXPECT_EQ(InitialOption(false, true), MaintenanceOption::Repair);
    EXPECT_EQ(InitialOption(true, true), MaintenanceOption::Modify) << "Previous keeps Modify";
}

TEST(MaintenanceRules, TheUserManualIsAskedAboutBeforeTheClient) {
    bool manualOpen = true;
    bool clientRunning = true;
    int manualAsked = 0;
    GoOnCheckHooks hooks;
    hooks.isUserManualOpen = [&] {
        ++manualAsked;
        return manualOpen;
    };
    hooks.isClientRunning = [&] { return clientRunning; };
    EXPECT_EQ(RefusalToGoOn(hooks), MessageKind::QuitUserManual);
    manualOpen = false;
    EXPECT_EQ(RefusalToGoOn(hooks), MessageKind::CloseProcess);
    clientRunning = false;
    EXPECT_FALSE(RefusalToGoOn(hooks).has_value());
    EXPECT_EQ(manualAsked, 3);
}

TEST(MaintenanceRules, OnlyABlindUpgradeChoosesFeaturesAgain) {
    const auto route = [](InstallType type, ProductVariant variant, UiLanguage language) {
        const UpgradeRoute found = RouteUpgrade(type, variant, language);
        return std::make_pair(found.featurePage, found.features);
    };
    constexpr auto kBlind = InstallType::UpgradeBlind;
    constexpr auto kEn = UiLanguage::English;
    constexpr auto kZh = UiLanguage::Chinese;
    EXPECT_EQ(route(kBlind, ProductVariant::FULL, kZh), std::make_pair(FeaturePageKind::Full, V{}));
    EXPECT_EQ(route(kBlind, ProductVariant::FULL, kEn),
              std::make_pair(FeaturePageKind::FullE, V{}));
    for (ProductVariant variant : {ProductVariant::VS, ProductVariant::SC, ProductVariant::DP}) {
        EXPECT_EQ(route(kBlind, variant, kEn), std::make_pair(FeaturePageKind::VS, V{}));
    }
    EXPECT_EQ(route(kBlind, ProductVariant::AC, kEn),
              std::make_pair(FeaturePageKind::None, (V{0, 3, 5})));
    EXPECT_EQ(route(kBlind, ProductVariant::AC, kZh),
              std::make_pair(FeaturePageKind::None, (V{0, 3, 5, 9, 11})));
    EXPECT_EQ(route(kBlind, ProductVariant::SL, kZh),
              std::make_pair(FeaturePageKind::None, (V{0, 10})));
    // The engine learns the installed features itself.
    for (InstallType type :
         {InstallType::UpgradeByComponentList, InstallType::UpgradeByDescription}) {
        for (ProductVariant variant : {ProductVariant::FULL, ProductVariant::AC}) {
            EXPECT_EQ(route(type, variant, kZh), std::make_pair(FeaturePageKind::None, V{}));
        }
    }
}

}  // namespace
