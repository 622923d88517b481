#include "app/FirstPage.h"

#include "engine/InstallMode.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"

namespace {

FirstPageChoice Page(FirstPage page) {
    return {page, MessageKind::CheckComponent};
}

FirstPageChoice Message(MessageKind kind) {
    return {FirstPage::TipDlg, kind};
}

FirstPageChoice ChooseFreshPage(const CSetupConfig& config) {
    const ProductVariant variant = config.productVariant;
    if (variant == ProductVariant::AC || variant == ProductVariant::SL) {
        return Page(FirstPage::StartACDlg);
    }
    const bool featurePageFirst = variant == ProductVariant::VS || variant == ProductVariant::SC ||
                                  variant == ProductVariant::DP;
    if (config.brandType == 0) {
        return Page(FirstPage::StartDlg);
    }
    if (config.brandType != 1) {
        return Page(FirstPage::None);
    }
    if (featurePageFirst) {
        return Page(FirstPage::ComponentVSDlg);
    }
    if (config.uiLanguage == UiLanguage::Chinese) {
        return Page(FirstPage::ComponentFullDlg);
    }
    return Page(config.uiLanguage == UiLanguage::English ? FirstPage::ComponentFullEDlg
                                                         : FirstPage::None);
}

}  // namespace

FirstPageChoice ChooseFirstPage(InstallType installType, const CSetupConfig& config,
                                const std::function<bool()>& isSameEdition) {
    switch (installType) {
        case InstallType::Fresh:
            return ChooseFreshPage(config);
        case InstallType::Maintenance:
            return isSameEdition() ? Page(FirstPage::SecondInstallDlg)
                                   : Message(MessageKind::SameGuid);
        case InstallType::UpgradeByComponentList:
        case InstallType::UpgradeByDescription:
        case InstallType::UpgradeBlind:
            if (config.productVariant == ProductVariant::SC) {
                return Message(MessageKind::NotSupportUpdate);
            }
            return isSameEdition() ? Page(FirstPage::UpdataDlg) : Message(MessageKind::SameGuid);
        case InstallType::OtherEditionInstalled:
            return Message(MessageKind::InstallMutex);
        case InstallType::NewerInstalled:
            return Message(MessageKind::InstallLowVersion);
        default:
            return Page(FirstPage::None);
    }
}
