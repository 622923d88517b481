#pragma once
// Taking the product off the machine: the bodies of the removal's steps (also the roll-back of a
// cancelled install), the user-data deletion the user may ask for, and the check for folders
// left behind.
#include <string>

class CSetupConfig;

namespace SetUp {

// The driver services, the installation, the Drivers folder and the product folder if empty.
void RemoveInstallation(const std::string& installRoot, const CSetupConfig& config);
// The web server and the uninstaller, and their folder under Program Files if empty.
void RemoveProgramFilesFolder(const CSetupConfig& config);
// The product's user data below the install root and in the public profile.
void DeleteUserData(const std::string& installRoot, const CSetupConfig& config);
// True when the product folder below the install root and the Program Files product folder are
// both empty or gone.
bool IsRemovalComplete(const std::string& installRoot, const CSetupConfig& config);

}  // namespace SetUp
