#include "engine/Payload.h"

#include <atomic>

#include "app/Catalogue.h"
#include "app/SetupConfig.h"
#include "engine/CommandProcessor.h"
#include "engine/FileSystem.h"
#include "engine/TempWorkDir.h"

namespace SetUp {

namespace {

const int kSevenZipResource = 326;
const int kWebServerResource = 250;
const int kUninstallerResource = 176;

// Only the worker writes it; atomic so that a user-interface read is still defined.
std::atomic<bool> gSevenZipWritten{false};

}  // namespace

void EnsureSevenZip() {
    if (!gSevenZipWritten.load()) {
        SaveResourceToTemp("7za.exe", kSevenZipResource, "EXE");
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
    const ProductFolderNames names = GetProductFolderNames();
    return installRoot + "\\" + names.productFolder + "\\" + names.clientFolder + "\\" +
           (componentNumber <= 100 ? "Client" : "Server");
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
    SaveResourceToTemp("Nginx.7z", kWebServerResource, "ZIP");
    const std::string folder = EnsureProgramFilesProductDir();
    WriteResourceToFile(folder + "/uninstall.exe", kUninstallerResource, "EXE");
    EnsureSevenZip();
    Extract7z(folder, GetTempWorkDir() + "/" + "Nginx.7z");
}

}  // namespace SetUp
