#include "engine/Removal.h"

#include <windows.h>

#include "app/SetupConfig.h"
#include "deploy/NpfDriver.h"
#include "engine/FileSystem.h"
#include "engine/InstallEngine.h"
#include "engine/ProcessControl.h"
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

std::string ProductFolderBelow(const std::string& installRoot) {
    return installRoot + "/" + GetProductFolderNames().productFolder;
}

}  // namespace

void RunRemoval(CInstallEngine& engine) {
    const std::string root = engine.InstallRoot();
    engine.stepsTotal_ = 5;
    ProcessStopList(root).StopPrograms();
    engine.StepDone();

    RunNpfRemovalScript();
    const std::string product = ProductFolderBelow(root);
    DeleteFolder(product + "/" + GetProductFolderNames().clientFolder, false);
    DeleteFolder(product + "/Drivers", false);
    RemoveIfEmpty(product);
    engine.StepDone();

    const std::string programFiles = GetProgramFilesProductDir();
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
    const std::string product = ProductFolderBelow(installRoot);
    DeleteFolder(product + "/UserData", false);
    DeleteFolder(GetPublicUserDataDir(), false);
    RemoveIfEmpty(product);
}

bool IsRemovalComplete(const std::string& installRoot) {
    return IsFolderEmpty(ProductFolderBelow(installRoot)) &&
           IsFolderEmpty(GetProgramFilesProductDir());
}

void DeleteUserData() {
    DeleteUserData(CInstallEngine::Instance().InstallRoot());
}

bool IsRemovalComplete() {
    return IsRemovalComplete(CInstallEngine::Instance().InstallRoot());
}

}  // namespace SetUp
