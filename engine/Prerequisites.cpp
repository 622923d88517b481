#include "engine/Prerequisites.h"

#include <io.h>
#include <windows.h>

#include "base/CommandProcessor.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "engine/InstallMode.h"
#include "product/ResourceIds.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

const char kRuntimeSwitches[] = "/q /norestart";
const char kCompanionSwitches[] = "/verysilent";
const char kPellowanMinimum[] = "1.0.0.82";
// Below the system's folder for 32-bit programs, where their own installers put them: on a 32-bit
// Windows a literal "C:\Program Files (x86)" is a folder any user may create.
const char kCaldryFolder[] = "\\Caldry Components";
const char kUpdateServerUninstaller[] = "\\tarn\\update_server\\unins000.exe";
const RuntimeKey kRuntime2008x64{0, 1};

// Started directly, by the full path: no command processor expands anything in the line, and
// TMP and TEMP name the working folder (StartProgram), so what the installers unpack stays where
// only administrators write.
bool RunSilently(const std::string& program, const char* switches,
                 unsigned long* exitCode = nullptr) {
    return RunProgram(program, switches, exitCode);
}

}  // namespace

bool IsRuntimeInstalled(RuntimeKey key) {
    const bool wide = IsNative64Bit();
    const std::string code = RuntimeProductCode(key).value_or("");
    HKEY root = HKEY_LOCAL_MACHINE;
    std::string prefix = UninstallRootPath();
    if (wide && key == kRuntime2008x64) {
        root = HKEY_CLASSES_ROOT;
        prefix = "Installer\\Features\\";
    }
    CRegKey opened;
    return RegOpenKeyExA(root, (prefix + code).c_str(), 0, KEY_READ, opened.Receive()) ==
           ERROR_SUCCESS;
}

int InstallRuntime(RuntimeKey key, bool* restartNeeded) {
    if (IsRuntimeInstalled(key)) {
        return 1;
    }
    const std::string file = RuntimeFileName(key).value_or("");
    if (!SaveResourceToTemp(file, RuntimePackage(key).value_or(0), "EXE")) {
        return 2;
    }
    unsigned long code = 0;
    if (!RunSilently(GetTempWorkDir() + file, kRuntimeSwitches, &code)) {
        return 2;
    }
    // The installers' own way of saying that the machine must restart (the install is done).
    if (restartNeeded != nullptr &&
        (code == ERROR_SUCCESS_REBOOT_REQUIRED || code == ERROR_SUCCESS_REBOOT_INITIATED)) {
        *restartNeeded = true;
    }
    return 0;
}

void InstallRuntimeWithStatus(RuntimeKey key, const CTextTable& texts,
                              const std::function<void(const std::string&)>& sendStatus,
                              bool* restartNeeded) {
    const std::string file = RuntimeFileName(key).value_or("");
    if (IsRuntimeInstalled(key)) {
        sendStatus(texts.GetText("installDone") + file);
        return;
    }
    sendStatus(texts.GetText("startInstall") + file);
    InstallRuntime(key, restartNeeded);
}

bool IsPellowanNeeded() {
    const std::string recorded = ReadCompanionPluginVersion();
    // A recorded version with fewer pieces reads its missing pieces as 0 (1.0 is 1.0.0.0).
    return recorded.empty() || CompareVersions(kPellowanMinimum, recorded) == 1;
}

void InstallPellowan() {
    if (SaveResourceToTemp("Pellowan.exe", IDR_PELLOWAN, "EXE")) {
        RunSilently(GetTempWorkDir() + "Pellowan.exe", kCompanionSwitches);
    }
}

bool IsCaldryNeeded() {
    const std::string programFiles = ProgramFilesX86Directory();
    return programFiles.empty() || _access((programFiles + kCaldryFolder).c_str(), 0) != 0;
}

void InstallCaldry() {
    if (SaveResourceToTemp("Caldry.exe", IDR_CALDRY, "EXE")) {
        RunSilently(GetTempWorkDir() + "Caldry.exe", kCompanionSwitches);
    }
}

bool IsWorkstationWindows() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    static_assert(sizeof(OSVERSIONINFOEXW) == 284, "the version structure RtlGetVersion fills");
    // Already loaded into every process: nothing is looked up on disk, and no flag of the
    // loader update (missing on an older Windows 7) is needed.
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (ntdll == nullptr) {
        return false;
    }
    const auto rtlGetVersion = reinterpret_cast<RtlGetVersionFunction>(
        reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    const bool known = rtlGetVersion != nullptr && rtlGetVersion(&version) == 0;
    if (!known || version.wProductType != VER_NT_WORKSTATION) {
        return false;
    }
    return (version.dwMajorVersion == 6 && version.dwMinorVersion <= 3) ||
           (version.dwMajorVersion == 10 && version.dwMinorVersion == 0);
}

int RemoveUpdateServer(const CSetupConfig& config) {
    if (config.brandType == 1 || !IsWorkstationWindows()) {
        return 1;
    }
    const std::string programFiles = ProgramFilesX86Directory();
    if (programFiles.empty()) {
        return 1;
    }
    return RunSilently(programFiles + kUpdateServerUninstaller, kCompanionSwitches) ? 0 : 1;
}

}  // namespace SetUp
