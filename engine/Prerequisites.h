#pragma once
// The Visual C++ runtimes and the two companion products, installed silently from the payload
// when the machine lacks them, and the removal of an older generation's update server. Every
// test reads the machine afresh; installers run hidden and are waited for without a time limit.
// Called on the engine's worker thread.
#include <functional>
#include <string>

#include "product/Catalogue.h"

class CSetupConfig;
class CTextTable;

namespace SetUp {

// True when the runtime's registration key opens: Installer\Features\<packed code> under
// HKEY_CLASSES_ROOT for the 2008 x64 runtime, else the Uninstall key of its code under
// HKEY_LOCAL_MACHINE (the Wow6432Node root on a 64-bit machine).
bool IsRuntimeInstalled(RuntimeKey key);

// 1 when already installed, 0 when its installer ran, 2 when the command processor could not be
// started. An installer that ends with 3010 or 1641 sets *restartNeeded.
int InstallRuntime(RuntimeKey key, bool* restartNeeded = nullptr);

// One runtime of the step installRuntimeDll: its status line (already present, or about to be
// installed), then its installer when it is missing. An installer that ends with 3010 or 1641
// sets *restartNeeded. Which runtimes a machine takes, and the cancel between them, are the plan's.
void InstallRuntimeWithStatus(RuntimeKey key, const CTextTable& texts,
                              const std::function<void(const std::string&)>& sendStatus,
                              bool* restartNeeded);

// Needed when the recorded plug-in version is empty or lower than 1.0.0.82.
bool IsPellowanNeeded();
void InstallPellowan();
// Needed when Caldry Components does not exist in the folder of 32-bit programs.
bool IsCaldryNeeded();
void InstallCaldry();

// True for the workstation editions of Windows 6.0 to 6.3 and 10.0.
bool IsWorkstationWindows();

// Runs the old update server's uninstaller unless the brand type is 1 or Windows is not a
// workstation edition. 1 when skipped or not started, 0 when it ran.
int RemoveUpdateServer(const CSetupConfig& config);

}  // namespace SetUp
