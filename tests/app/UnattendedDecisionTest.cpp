// What an unattended run does with each detection result and action, and its exit codes.
#include <gtest/gtest.h>

#include "app/UnattendedDecision.h"

namespace {

using A = RequestedAction;
using T = InstallType;
using W = UnattendedWork;

struct Row {
    T type;
    A action;
    bool sameEdition;
    bool refusesUpgrades;
    bool interrupted;
    W work;
    int32_t exitCode;
};

const Row kRows[] = {
    {T::Fresh, A::Install, true, false, false, W::FreshInstall, kExitSuccess},
    {T::Fresh, A::Repair, true, false, false, W::None, kExitNothingInstalled},
    {T::Fresh, A::Modify, true, false, false, W::None, kExitNothingInstalled},
    {T::Fresh, A::Uninstall, true, false, false, W::None, kExitNothingInstalled},
    {T::Maintenance, A::Install, true, false, false, W::None, kExitSuccess},
    {T::Maintenance, A::Install, true, false, true, W::Repair, kExitSuccess},
    {T::Maintenance, A::Repair, true, false, false, W::Repair, kExitSuccess},
    {T::Maintenance, A::Modify, true, false, false, W::Modify, kExitSuccess},
    {T::Maintenance, A::Uninstall, true, false, false, W::Removal, kExitSuccess},
    {T::Maintenance, A::Uninstall, false, false, false, W::None, kExitOtherProduct},
    {T::UpgradeByComponentList, A::Install, true, false, false, W::Upgrade, kExitSuccess},
    {T::UpgradeByDescription, A::Install, true, false, false, W::Upgrade, kExitSuccess},
    {T::UpgradeBlind, A::Install, true, false, false, W::Upgrade, kExitSuccess},
    {T::UpgradeBlind, A::Install, true, true, false, W::None, kExitOtherProduct},
    {T::UpgradeBlind, A::Install, false, false, false, W::None, kExitOtherProduct},
    {T::UpgradeByComponentList, A::Uninstall, true, false, false, W::None, kExitOtherProduct},
    {T::OtherEditionInstalled, A::Install, true, false, false, W::None, kExitOtherProduct},
    {T::OtherEditionInstalled, A::Uninstall, true, false, false, W::None, kExitOtherProduct},
    {T::NewerInstalled, A::Install, true, false, false, W::None, kExitOtherProduct},
};

SetUp::CEngineEvent End(SetUp::ProcedureResult result, bool diskFull, bool restart) {
    SetUp::CEngineEvent end;
    end.kind = SetUp::EngineEventKind::ProcedureFinished;
    end.result = result;
    end.diskFull = diskFull;
    end.restartNeeded = restart;
    return end;
}

}  // namespace

TEST(UnattendedDecision, EveryDetectionAndAction) {
    for (const Row& row : kRows) {
        SCOPED_TRACE(static_cast<int>(row.type) * 10 + static_cast<int>(row.action));
        const CUnattendedDecision decision = DecideUnattended(
            row.action, {row.type, row.sameEdition, row.refusesUpgrades, row.interrupted});
        EXPECT_EQ(decision.work, row.work);
        EXPECT_EQ(decision.exitCode, row.exitCode);
        EXPECT_STRNE(decision.reason, "");
    }
}

TEST(UnattendedDecision, ExitCodesOfTheEnd) {
    using R = SetUp::ProcedureResult;
    EXPECT_EQ(ExitCodeOf(End(R::Completed, false, false)), 0);
    EXPECT_EQ(ExitCodeOf(End(R::Completed, false, true)), 3010);
    EXPECT_EQ(ExitCodeOf(End(R::CancelledAndRolledBack, false, false)), 1602);
    EXPECT_EQ(ExitCodeOf(End(R::Failed, false, false)), 1603);
    EXPECT_EQ(ExitCodeOf(End(R::Failed, true, false)), 112);
}
