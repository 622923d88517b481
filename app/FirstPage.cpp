#include "app/FirstPage.h"

#include "engine/InstallMode.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"

namespace {

FirstPageChoice Page(FirstPage page) {
    return {page, 0};
}

FirstPageChoice Message(int32_t kind) {
    return {FirstPage::TipDlg, kind};
}

FirstPageChoice ChooseFreshPage(const CSetupConfig& config) {
    const int32_t variant = config.productVariant;
    if (variant == AC || variant == SL) {
        return Page(FirstPage::StartACDlg);
    }
    const bool featurePageFirst = variant == VS || variant == SC || variant == DP;
    if (config.brandType == 0) {
        return Page(FirstPage::StartDlg);
    }
    if (config.brandType != 1) {
        return Page(FirstPage::None);
    }
    if (featurePageFirst) {
        return Page(FirstPage::ComponentVSDlg);
    }
    if (config.uiLanguage == 1) {
        return Page(FirstPage::ComponentFullDlg);
    }
    return Page(config.uiLanguage == 0 ? FirstPage::ComponentFullEDlg : FirstPage::None);
}

}  // namespace

FirstPageChoice ChooseFirstPage(int32_t installType, const CSetupConfig& config,
                                const std::function<bool()>& isSameEdition) {
    switch (installType) {
        case Fresh:
            return ChooseFreshPage(config);
        case Maintenance:
            return isSameEdition() ? Page(FirstPage::SecondInstallDlg) : Message(16);
        case UpgradeByComponentList:
        case UpgradeByDescription:
        case UpgradeBlind:
            if (config.productVariant == SC) {
                return Message(18);
            }
            return isSameEdition() ? Page(FirstPage::UpdataDlg) : Message(16);
        case OtherEditionInstalled:
            return Message(8);
        case NewerInstalled:
            return Message(9);
        default:
            return Page(FirstPage::None);
    }
}
