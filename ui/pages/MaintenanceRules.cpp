#include "ui/pages/MaintenanceRules.h"

#include "engine/InstallFolders.h"
#include "engine/ProcessControl.h"
#include "ui/pages/InstallChecks.h"

bool OffersModify(ProductVariant variant) {
    return FeaturePageFor(variant, UiLanguage::English) != FeaturePageKind::None;
}

MaintenanceOption InitialOption(bool preselectModify, bool lastRunInterrupted) {
    if (preselectModify) {
        return MaintenanceOption::Modify;
    }
    return lastRunInterrupted ? MaintenanceOption::Repair : MaintenanceOption::Remove;
}

std::optional<MessageKind> RefusalToGoOn(const GoOnCheckHooks& hooks) {
    if (hooks.isUserManualOpen()) {
        return MessageKind::QuitUserManual;
    }
    if (hooks.isClientRunning()) {
        return MessageKind::CloseProcess;
    }
    return std::nullopt;
}

GoOnCheckHooks MachineGoOnCheckHooks() {
    GoOnCheckHooks hooks;
    hooks.isUserManualOpen = [] { return SetUp::IsUserManualOpen(CSetupConfig::Instance()); };
    hooks.isClientRunning = [] {
        return SetUp::IsClientRunning(CSetupConfig::Instance().brandName);
    };
    return hooks;
}

UpgradeRoute RouteUpgrade(InstallType type, ProductVariant variant, UiLanguage language) {
    UpgradeRoute route;
    if (type != InstallType::UpgradeBlind) {
        return route;
    }
    // Nothing tells which features the old version had: the user chooses again, or the
    // edition's fixed set is installed.
    route.featurePage = FeaturePageFor(variant, language);
    if (route.featurePage == FeaturePageKind::None) {
        route.features = FixedFeatures(variant, language);
    }
    return route;
}
