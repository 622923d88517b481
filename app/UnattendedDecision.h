#pragma once
// What an unattended run does with what detection found, and the exit code each end gives: the
// same decisions the wizard's pages make, with no person to ask. Plain functions.
#include <cstdint>

#include "app/CommandLine.h"
#include "engine/EngineEvents.h"
#include "engine/InstallMode.h"

// The exit codes deployment tools map.
enum ExitCode : int32_t {
    kExitSuccess = 0,
    kExitDiskFull = 112,
    kExitCancelled = 1602,
    kExitFailed = 1603,
    kExitNothingInstalled = 1605,
    kExitInUse = 1618,
    kExitOtherProduct = 1638,
    kExitBadCommandLine = 1639,
    kExitRestartNeeded = 3010,
};

enum class UnattendedWork {
    None,  // nothing to do: exit with the code
    FreshInstall,
    Modify,
    Repair,
    Upgrade,
    Removal,
};

struct CUnattendedDecision {
    UnattendedWork work = UnattendedWork::None;
    int32_t exitCode = kExitSuccess;
    // In English, for the log.
    const char* reason = "";
};

struct CDetection {
    InstallType installType = InstallType::Fresh;
    // The single installed record belongs to this brand and language.
    bool sameEdition = true;
    // This edition takes no upgrade (SC).
    bool refusesUpgrades = false;
    // The record still carries the mark of a run that was killed.
    bool interrupted = false;
};

CUnattendedDecision DecideUnattended(RequestedAction action, const CDetection& found);

// The exit code of a procedure's end.
int32_t ExitCodeOf(const SetUp::CEngineEvent& end);
