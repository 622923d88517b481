#pragma once
// The pages' hand-over record: what one page chose and the next page or the engine needs.
#include <cstdint>
#include <string>
#include <vector>

#include "engine/InstallMode.h"

class CInstallContext {
public:
    std::vector<int32_t> featuresToAdd;
    std::vector<int32_t> featuresToRemove;
    std::string installRoot;
    int32_t maintenanceAction = 0;  // 1 repair, 2 modify
    int32_t requiredSpaceMb = 0;
    InstallType installType = InstallType::None;  // decided at start-up, never changed afterwards
    // The record carries the mark of a run killed at work: the maintenance page proposes Repair.
    bool lastRunInterrupted = false;
    // A procedure that failed: the step that failed, in English, and the run's exit code (1603,
    // or 112 for a full disk); 0 while nothing failed.
    std::string failure;
    int32_t exitCode = 0;

    // The one context, created on first use; callable from any thread.
    static CInstallContext& Instance();
};
