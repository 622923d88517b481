#include "deploy/Payload.h"

#include <atomic>

#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/TempWorkDir.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "product/SetupConfig.h"

namespace SetUp {

namespace {

// Only the worker writes it; atomic so that a user-interface read is still defined.
std::atomic<bool> gSevenZipWritten{false};

}  // namespace

void EnsureSevenZip() {
    if (!gSevenZipWritten.load()) {
        SaveResourceToTemp("7za.exe", IDR_SEVEN_ZIP, "EXE");
        gSevenZipWritten.store(true);
    }
}

bool Extract7z(const std::string& destination, const std::string& archive) {
    const std::string parameters = "/c cd /d \"" + GetTempWorkDir() + "\" && " + ".\\7za.exe x \"" +
                                   archive + "\" -o\"" + destination + "\" -aoa";
    return RunCommandProcessor(parameters);
}

std::string ComponentDeployment::FolderName() const {
    return ComponentName(componentNumber);
}

std::string ComponentDeployment::ParentFolder() const {
    std::string folder =
        CFolderLayout(installRoot).ComponentsDir(GetComponentSide(componentNumber));
    folder.pop_back();  // without the trailing separator
    return folder;
}

void ComponentDeployment::Install() const {
    const std::string archive = FolderName() + ".7z";
    // An unknown component has no package; id 0 names no resource, so the file stays empty.
    SaveResourceToTemp(archive, ComponentPackage(componentNumber).value_or(0), "ZIP");
    EnsureSevenZip();
    Extract7z(ParentFolder(), GetTempWorkDir() + archive);
}

void ComponentDeployment::Remove() const {
    DeleteFolder(ParentFolder() + "/" + FolderName(), false);
}

void DeployWebServer() {
    SaveResourceToTemp("Nginx.7z", IDR_WEB_SERVER, "ZIP");
    const std::string folder = CFolderLayout::EnsureProgramFilesProductDir();
    WriteResourceToFile(folder + "/uninstall.exe", IDR_UNINSTALLER, "EXE");
    EnsureSevenZip();
    Extract7z(folder, GetTempWorkDir() + "/" + "Nginx.7z");
}

}  // namespace SetUp
