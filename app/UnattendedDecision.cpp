#include "app/UnattendedDecision.h"

namespace {

CUnattendedDecision Do(UnattendedWork work, const char* reason) {
    return {work, kExitSuccess, reason};
}

CUnattendedDecision End(int32_t exitCode, const char* reason) {
    return {UnattendedWork::None, exitCode, reason};
}

CUnattendedDecision DecideForTheSameVersion(RequestedAction action, const CDetection& found) {
    if (!found.sameEdition) {
        return End(kExitOtherProduct, "another brand or language of this edition is installed");
    }
    switch (action) {
        case RequestedAction::Modify:
            return Do(UnattendedWork::Modify, "modify the installed features");
        case RequestedAction::Repair:
            return Do(UnattendedWork::Repair, "repair the installation");
        case RequestedAction::Uninstall:
            return Do(UnattendedWork::Removal, "remove the product");
        case RequestedAction::Install:
            break;
    }
    // A start-up script may run the same command at every boot; a killed run is mended.
    if (found.interrupted) {
        return Do(UnattendedWork::Repair, "the last run was interrupted: repair");
    }
    return End(kExitSuccess, "this edition and version is installed: nothing to do");
}

}  // namespace

CUnattendedDecision DecideUnattended(RequestedAction action, const CDetection& found) {
    switch (found.installType) {
        case InstallType::Fresh:
            if (action != RequestedAction::Install) {
                return End(kExitNothingInstalled, "nothing installed to repair, modify or remove");
            }
            return Do(UnattendedWork::FreshInstall, "nothing installed: fresh install");
        case InstallType::Maintenance:
            return DecideForTheSameVersion(action, found);
        case InstallType::UpgradeByComponentList:
        case InstallType::UpgradeByDescription:
        case InstallType::UpgradeBlind:
            if (found.refusesUpgrades) {
                return End(kExitOtherProduct, "this edition does not upgrade an older version");
            }
            if (!found.sameEdition) {
                return End(kExitOtherProduct, "an older version of another brand or language");
            }
            // The wizard offers only the upgrade for an older version: it cannot repair, change
            // or remove it.
            if (action != RequestedAction::Install) {
                return End(kExitOtherProduct,
                           "an older version is installed: only /install "
                           "upgrades it");
            }
            return Do(UnattendedWork::Upgrade, "an older version is installed: upgrade");
        case InstallType::OtherEditionInstalled:
            return End(kExitOtherProduct, "another edition is installed");
        case InstallType::NewerInstalled:
            return End(kExitOtherProduct, "a newer version is installed");
        case InstallType::None:
            break;
    }
    return End(kExitFailed, "detection found nothing it knows");
}

int32_t ExitCodeOf(const SetUp::CEngineEvent& end) {
    switch (end.result) {
        case SetUp::ProcedureResult::Completed:
            return end.restartNeeded ? kExitRestartNeeded : kExitSuccess;
        case SetUp::ProcedureResult::CancelledAndRolledBack:
            return kExitCancelled;
        case SetUp::ProcedureResult::Failed:
            return end.diskFull ? kExitDiskFull : kExitFailed;
    }
    return kExitFailed;
}
