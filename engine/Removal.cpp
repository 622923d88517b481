#include "engine/Removal.h"

#include <windows.h>

#include "base/FileSystem.h"
#include "base/RunLog.h"
#include "deploy/NpfDriver.h"
#include "engine/InstallEngine.h"
#include "engine/ProcessControl.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

// Only ever an empty folder: a folder that cannot be listed counts as empty, and a recursive
// delete would then take its content, user data included.
void RemoveIfEmpty(const std::string& folder) {
    if (IsFolderEmpty(folder)) {
        RemoveDirectoryA(folder.c_str());
    }
}

// A removal goes on past what it cannot delete (a file held open, a link in the public
// user-data folder); the log says what stayed.
void DeleteOrSaySo(const std::string& path, bool usersMayWrite = false) {
    if (DeleteFolder(path, usersMayWrite) && PathExists(path)) {
        LogLine("could not delete all of " + path + "; the removal goes on");
    }
}

}  // namespace

void CInstallEngine::RunRemovalStep(const CPlanStep& step, const std::string& installRoot) {
    switch (step.kind) {
        case StepKind::RemoveInstallation:
            RemoveInstallation(installRoot, config_);
            break;
        case StepKind::RemoveProgramFilesFolder:
            RemoveProgramFilesFolder(config_);
            break;
        case StepKind::RemoveShortcuts:
            MenuAndDesk(installRoot)->RemoveShortcuts(false);
            break;
        case StepKind::DeleteRecord:
            DeleteProductRecord(config_.productVariant);
            break;
        case StepKind::DeleteBrowserEmulation:
            if (step.argument >= 0 &&
                static_cast<size_t>(step.argument) < kBrowserEmulationPrograms.size()) {
                DeleteBrowserEmulation(kBrowserEmulationPrograms[step.argument]);
            }
            break;
        default:
            break;
    }
}

void RemoveInstallation(const std::string& installRoot, const CSetupConfig& config) {
    RunNpfRemovalScript();
    const CFolderLayout layout(installRoot, config);
    DeleteOrSaySo(layout.InstallationDir('/'));
    DeleteOrSaySo(layout.DriversDir());
    RemoveIfEmpty(layout.ProductDir('/'));
}

void RemoveProgramFilesFolder(const CSetupConfig& config) {
    const std::string programFiles = CFolderLayout::ProgramFilesProductDir(config);
    DeleteOrSaySo(programFiles + "/Nginx");
    DeleteOrSaySo(programFiles + "/uninstall.exe");
    RemoveIfEmpty(programFiles);
}

void DeleteUserData(const std::string& installRoot, const CSetupConfig& config) {
    const CFolderLayout layout(installRoot, config);
    DeleteOrSaySo(layout.UserDataDir('/'));
    // Every user writes there: links and what other users hold stay.
    DeleteOrSaySo(CFolderLayout::PublicUserDataDir(config), true);
    RemoveIfEmpty(layout.ProductDir('/'));
}

bool IsRemovalComplete(const std::string& installRoot, const CSetupConfig& config) {
    return IsFolderEmpty(CFolderLayout(installRoot, config).ProductDir('/')) &&
           IsFolderEmpty(CFolderLayout::ProgramFilesProductDir(config));
}

}  // namespace SetUp
