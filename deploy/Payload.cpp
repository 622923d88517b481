#include "deploy/Payload.h"

#include <windows.h>

#include <mutex>

#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/ProtectedFolder.h"
#include "base/StringUtil.h"
#include "base/TempWorkDir.h"
#include "deploy/Unpacking.h"
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

std::string SevenZipArguments(const std::string& destination, const std::string& archive) {
    return "x \"" + archive + "\" -o\"" + destination + "\" -aoa";
}

CDeployOutcome UnpackArchive(const std::string& destination, const std::string& archive) {
    CUnpacking unpacking;
    const CDeployOutcome started = unpacking.Start(destination, archive);
    return started.failed ? started : unpacking.Finish();
}

bool NearlyFull(const std::string& path) {
    constexpr ULONGLONG kNearlyFullBytes = 1024 * 1024;
    ULARGE_INTEGER available{};
    return GetDiskFreeSpaceExA(path.c_str(), &available, nullptr, nullptr) &&
           available.QuadPart < kNearlyFullBytes;
}

namespace {

CDeployOutcome WriteFailed(const std::string& file) {
    const DWORD error = GetLastError();
    CDeployOutcome outcome;
    outcome.failed = true;
    outcome.diskFull =
        error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL || NearlyFull(GetTempWorkDir());
    outcome.detail = FormatString("could not write %s to the working folder (error %lu)",
                                  file.c_str(), static_cast<unsigned long>(error));
    return outcome;
}

bool PackageCarries(int id, const char* type) {
    return id != 0 && FindResourceA(nullptr, MAKEINTRESOURCEA(id), type) != nullptr;
}

}  // namespace

std::string ComponentDeployment::FolderName() const {
    return ComponentName(config, componentNumber);
}

std::string ComponentDeployment::ParentFolder() const {
    std::string folder =
        CFolderLayout(installRoot, config).ComponentsDir(GetComponentSide(componentNumber));
    folder.pop_back();  // without the trailing separator
    return folder;
}

CDeployOutcome ComponentDeployment::Install() const {
    CUnpacking unpacking;
    const CDeployOutcome started = StartInstall(&unpacking);
    return started.failed ? started : unpacking.Finish();
}

CDeployOutcome ComponentDeployment::StartInstall(CUnpacking* unpacking) const {
    const std::string archive = FolderName() + ".7z";
    // An unknown component has no package; id 0 names no resource, so the file stays empty.
    const int package = ComponentPackage(componentNumber).value_or(0);
    if (!SaveResourceToTemp(archive, package, "ZIP")) {
        return PackageCarries(package, "ZIP") ? WriteFailed(archive) : CDeployOutcome{};
    }
    return unpacking->Start(ParentFolder(), archive);
}

void ComponentDeployment::Remove() const {
    DeleteFolder(ParentFolder() + "/" + FolderName(), false);
}

CDeployOutcome DeployWebServer(const CSetupConfig& config) {
    const bool saved = SaveResourceToTemp("Nginx.7z", IDR_WEB_SERVER, "ZIP");
    CDeployOutcome outcome = saved ? CDeployOutcome{} : WriteFailed("Nginx.7z");
    const std::string folder = CFolderLayout::EnsureProgramFilesProductDir(config);
    if (!WriteResourceToFile(folder + "/uninstall.exe", IDR_UNINSTALLER, "EXE") &&
        !outcome.failed) {
        outcome = WriteFailed("uninstall.exe");
        outcome.detail = "could not write " + folder + "/uninstall.exe";
    }
    if (saved) {
        // Admin-only before 7-Zip fills them, whatever the folder above inherited when an older
        // version made it.
        MakeProtectedFolder(folder + "/Nginx");
        MakeProtectedFolder(folder + "/html");
        const CDeployOutcome unpacked = UnpackArchive(folder, "Nginx.7z");
        if (unpacked.failed && !outcome.failed) {
            outcome = unpacked;
        }
    }
    return outcome;
}

}  // namespace SetUp
