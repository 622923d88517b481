#include "deploy/Payload.h"

#include <windows.h>

#include <mutex>

#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/ProtectedFolder.h"
#include "base/StringUtil.h"
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

bool Extract7z(const std::string& destination, const std::string& archive,
               unsigned long* exitCode) {
    const std::string folder = GetTempWorkDir();
    if (folder.empty()) {
        return false;
    }
    unsigned long code = 1;
    // By its full path in the protected folder, without a command processor in between.
    const bool ran = RunProgram(folder + "7za.exe",
                                "x \"" + archive + "\" -o\"" + destination + "\" -aoa", &code);
    if (exitCode != nullptr) {
        *exitCode = code;
    }
    return ran && code == 0;
}

namespace {

// Below this a failed write or unpacking is put down to a full drive: 7-Zip says only "fatal
// error" (2) when it cannot write.
constexpr ULONGLONG kNearlyFullBytes = 1024 * 1024;

bool NearlyFull(const std::string& path) {
    ULARGE_INTEGER available{};
    return GetDiskFreeSpaceExA(path.c_str(), &available, nullptr, nullptr) &&
           available.QuadPart < kNearlyFullBytes;
}

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

CDeployOutcome Unpack(const std::string& destination, const std::string& archive) {
    CDeployOutcome outcome;
    if (!EnsureSevenZip()) {
        outcome.failed = true;
        outcome.detail = "could not write 7za.exe to the working folder";
        return outcome;
    }
    unsigned long code = 0;
    if (!Extract7z(destination, GetTempWorkDir() + archive, &code)) {
        outcome.failed = true;
        outcome.diskFull = NearlyFull(destination) || NearlyFull(GetTempWorkDir());
        outcome.detail = FormatString("7-Zip ended with exit code %lu unpacking %s into %s", code,
                                      archive.c_str(), destination.c_str());
    }
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
    const std::string archive = FolderName() + ".7z";
    // An unknown component has no package; id 0 names no resource, so the file stays empty.
    const int package = ComponentPackage(componentNumber).value_or(0);
    if (!SaveResourceToTemp(archive, package, "ZIP")) {
        return PackageCarries(package, "ZIP") ? WriteFailed(archive) : CDeployOutcome{};
    }
    return Unpack(ParentFolder(), archive);
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
        const CDeployOutcome unpacked = Unpack(folder, "Nginx.7z");
        if (unpacked.failed && !outcome.failed) {
            outcome = unpacked;
        }
    }
    return outcome;
}

}  // namespace SetUp
