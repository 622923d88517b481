#include "engine/Removal.h"

#include <windows.h>

#include "base/FileSystem.h"
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

}  // namespace

void RunRemoval(CInstallEngine& engine) {
    const std::string root = engine.InstallRoot();
    engine.stepsTotal_ = 5;
    ProcessStopList(root).StopPrograms();
    engine.StepDone();

    RunNpfRemovalScript();
    const CFolderLayout layout(root);
    DeleteFolder(layout.InstallationDir('/'), false);
    DeleteFolder(layout.DriversDir(), false);
    RemoveIfEmpty(layout.ProductDir('/'));
    engine.StepDone();

    const std::string programFiles = CFolderLayout::ProgramFilesProductDir();
    DeleteFolder(programFiles + "/Nginx", false);
    DeleteFolder(programFiles + "/uninstall.exe", false);
    RemoveIfEmpty(programFiles);
    engine.StepDone();

    engine.MenuAndDesk(root)->RemoveShortcuts(false);
    engine.StepDone();

    DeleteProductRecord();
    engine.StepDone();

    // Client device management, server device management, then the client framework.
    for (int program : {1, 2, 0}) {
        DeleteBrowserEmulation(kBrowserEmulationPrograms[program]);
        engine.StepDone();
    }
}

void DeleteUserData(const std::string& installRoot) {
    const CFolderLayout layout(installRoot);
    DeleteFolder(layout.UserDataDir('/'), false);
    DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
    RemoveIfEmpty(layout.ProductDir('/'));
}

bool IsRemovalComplete(const std::string& installRoot) {
    return IsFolderEmpty(CFolderLayout(installRoot).ProductDir('/')) &&
           IsFolderEmpty(CFolderLayout::ProgramFilesProductDir());
}

void DeleteUserData() {
    DeleteUserData(CInstallEngine::Instance().InstallRoot());
}

bool IsRemovalComplete() {
    return IsRemovalComplete(CInstallEngine::Instance().InstallRoot());
}

}  // namespace SetUp
