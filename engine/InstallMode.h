#pragma once
// What is already installed, and what that makes of this run.
#include <cstdint>
#include <string>

class CSetupConfig;

enum class InstallType : int32_t {
    None = 0,  // not detected yet
    Fresh = 1,
    Maintenance = 2,
    UpgradeByComponentList = 3,
    UpgradeByDescription = 4,
    UpgradeBlind = 5,
    OtherEditionInstalled = 6,
    NewerInstalled = 7,
};

class CInstallMode {
public:
    InstallType installType = InstallType::None;
    // The single record still carries the mark of an install, modify, repair or upgrade that was
    // killed at work: what it says is installed may not be there.
    bool interrupted = false;

    // Sets installType from the Uninstall records of the six editions.
    void Detect(const CSetupConfig& config);
};

// 0 equal, 1 the new version is higher, 2 it is lower. Pieces compare as decimal numbers; pieces
// of the installed version beyond the new version's are not looked at, missing ones count as 0.
int32_t CompareVersions(const std::string& newVersion, const std::string& installedVersion);

// 3 when the record has a component list, 4 when the old client's description file exists
// under the installed location, 5 otherwise.
InstallType ClassifyUpgrade(const CSetupConfig& config, const std::string& installedVersion,
                            const std::string& installedLocation);

// Whether the single installed record belongs to this brand and language edition.
bool IsSameEdition(const CSetupConfig& config);
