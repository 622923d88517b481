#pragma once
// The rules of the maintenance and upgrade pages: which options the maintenance page offers and
// which one it starts with, what keeps either page from going on, and where an upgrade goes.
// Plain functions: the pages connect them to their controls, the tests call them directly.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/InstallMode.h"
#include "product/MessageKind.h"
#include "product/SetupConfig.h"
#include "ui/pages/FeaturePages.h"

enum class MaintenanceOption { Modify, Repair, Remove };

// Modify needs a feature page to choose with; AC and SL have none.
bool OffersModify(ProductVariant variant);
// Coming back from a feature page keeps Modify; after a run that was killed at work the page
// proposes Repair; otherwise Remove.
MaintenanceOption InitialOption(bool preselectModify, bool lastRunInterrupted);

// What has to be closed before either page may change the installation.
struct GoOnCheckHooks {
    std::function<bool()> isUserManualOpen;
    std::function<bool()> isClientRunning;
};
// The message kind that keeps the page where it is, or nothing when it may go on.
std::optional<MessageKind> RefusalToGoOn(const GoOnCheckHooks& hooks);
// The same checks against this machine.
GoOnCheckHooks MachineGoOnCheckHooks();

// Where the upgrade page's OK leads: a feature page, or (featurePage None) the install progress
// page with these features appended to the ones to add. The upgrades that learn the installed
// features from the machine add none.
struct UpgradeRoute {
    FeaturePageKind featurePage = FeaturePageKind::None;
    std::vector<int32_t> features;
};
UpgradeRoute RouteUpgrade(InstallType type, ProductVariant variant, UiLanguage language);
