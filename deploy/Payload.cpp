#include "deploy/Payload.h"

#include <mutex>

#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/TempWorkDir.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "product/SetupConfig.h"

namespace SetUp {

namespace {

// The working folder 7-Zip was written into whole; empty until then. A new working folder (after
// a deletion) or a failed write means it is written again.
std::mutex gSevenZipMutex;
std::string gSevenZipFolder;

}  // namespace

bool EnsureSevenZip() {
    const std::string folder = GetTempWorkDir();
    std::lock_guard<std::mutex> lock(gSevenZipMutex);
    if (folder.empty()) {
        return false;
    }
    if (gSevenZipFolder == folder) {
        return true;
    }
    if (!SaveResourceToTemp("7za.exe", IDR_SEVEN_ZIP, "EXE")) {
        return false;
    }
    gSevenZipFolder = folder;
    return true;
}

bool Extract7z(const std::string& destination, const std::string& archive) {
    const std::string folder = GetTempWorkDir();
    if (folder.empty()) {
        return false;
    }
    // By its full path in the protected folder, without a command processor in between.
    return RunProgram(folder + "7za.exe", "x \"" + archive + "\" -o\"" + destination + "\" -aoa");
}

std::string ComponentDeployment::FolderName() const {
    return ComponentName(config, componentNumber);
}

std::string ComponentDeployment::ParentFolder() const {
    std::string folder =
        CFolderLayout(installRoot, config).ComponentsDir(GetComponentSide(componentNumber));
    folder.pop_back();  // without the trailing separator
    return folder;
}

void ComponentDeployment::Install() const {
    const std::string archive = FolderName() + ".7z";
    // An unknown component has no package; id 0 names no resource, so the file stays empty.
    // A write that failed (a full disk, an archive the package does not carry) unpacks nothing.
    if (!SaveResourceToTemp(archive, ComponentPackage(componentNumber).value_or(0), "ZIP") ||
        !EnsureSevenZip()) {
        return;
    }
    Extract7z(ParentFolder(), GetTempWorkDir() + archive);
}

void ComponentDeployment::Remove() const {
    DeleteFolder(ParentFolder() + "/" + FolderName(), false);
}

void DeployWebServer(const CSetupConfig& config) {
    const bool saved = SaveResourceToTemp("Nginx.7z", IDR_WEB_SERVER, "ZIP");
    const std::string folder = CFolderLayout::EnsureProgramFilesProductDir(config);
    WriteResourceToFile(folder + "/uninstall.exe", IDR_UNINSTALLER, "EXE");
    if (saved && EnsureSevenZip()) {
        Extract7z(folder, GetTempWorkDir() + "Nginx.7z");
    }
}

}  // namespace SetUp
