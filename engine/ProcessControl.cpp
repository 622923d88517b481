#include "engine/ProcessControl.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/ProcessList.h"
#include "base/UserShellStart.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"

#if !defined(_WIN64)
static_assert(sizeof(PROCESSENTRY32) == 296, "the process entry of the 32-bit build");
#else
static_assert(sizeof(PROCESSENTRY32) == 304, "the process entry of the 64-bit build");
#endif

namespace SetUp {

const char* const kBrandPrefixedSuffixesRows[] = {
    ".Framework.C.exe",
    ".Framework.S.exe",
    ".Video.S.exe",
    ".Video.C.exe",
    ".Log.S.exe",
    ".Log.C.exe",
    ".Emap.C.exe",
    ".Emap.S.exe",
    ".AlarmCenter.C.exe",
    ".AlarmCenter.S.exe",
    ".DeviceManagement.C.exe",
    ".DeviceManagement.S.exe",
    ".AccessController.C.exe",
    ".AccessController.S.exe",
    ".PersonalManagement.C.exe",
    ".PersonalManagement.S.exe",
    ".DataStatistics.C.exe",
    ".DataStatistics.S.exe",
    ".Attendance.C.exe",
    ".Attendance.S.exe",
    ".Topology.C.exe",
    ".Topology.S.exe",
    ".IRS.C.exe",
    ".AIDashboard.C.exe",
    ".Broadcast.C.exe",
};
const CTableView<const char*> kBrandPrefixedSuffixes(kBrandPrefixedSuffixesRows);
const char* const kPlainProgramNamesRows[] = {"UpgradeClient.exe", "Ferrowin.exe", "Lumora.exe",
                                              "startUp.exe"};
const CTableView<const char*> kPlainProgramNames(kPlainProgramNamesRows);
const char kWatchDogName[] = "WatchDog.exe";

ProcessStopList::ProcessStopList(const std::string& installRoot, const CSetupConfig& config)
    : installRoot_(installRoot), config_(config) {
    const std::string& brand = config.brandName;
    for (const char* suffix : kBrandPrefixedSuffixes) {
        brandPrefixedNames_.push_back(brand + suffix);
    }
    plainNames_.assign(kPlainProgramNames.begin(), kPlainProgramNames.end());
}

std::vector<std::string> ProcessStopList::ProductFolders() const {
    std::vector<std::string> folders{CFolderLayout::ProgramFilesProductDir(config_, '\\')};
    if (IsAbsoluteLocalPath(installRoot_)) {
        folders.push_back(CFolderLayout(installRoot_, config_).ProductDir('\\'));
    }
    return folders;
}

bool ProcessStopList::StopPrograms() {
    // Only what runs from the product's folders holds the files about to be replaced. The plain
    // names have no place of their own in the layout; a program of such a name anywhere else,
    // maybe another user's in another session, is not the product's and keeps running. The
    // watchdog goes alone first, so that what it restarts on its way out is in the second
    // snapshot; the others share one.
    const std::vector<std::string> folders = ProductFolders();
    KillProcessesInFolders({kWatchDogName}, folders);
    std::vector<std::string> names = brandPrefixedNames_;
    names.insert(names.end(), plainNames_.begin(), plainNames_.end());
    KillProcessesInFolders(names, folders);
    StopWebServer(config_);
    return true;
}

bool ProcessStopList::LaunchClient() {
    return StartAsSignedInUser(
        CFolderLayout(installRoot_, config_).FrameworkExe(ComponentSide::Client));
}

bool ProcessStopList::LaunchServer() {
    return StartAsSignedInUser(
        CFolderLayout(installRoot_, config_).FrameworkExe(ComponentSide::Server));
}

DWORD FindProcessByName(const std::string& exeName) {
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return 0;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    if (!Process32First(snapshot.Get(), &entry)) {
        return 0;
    }
    // The first entry is the idle process and never compared.
    while (Process32Next(snapshot.Get(), &entry)) {
        if (std::strcmp(entry.szExeFile, exeName.c_str()) == 0) {
            return entry.th32ProcessID;
        }
    }
    return 0;
}

namespace {

// Termination is asynchronous: a program's image and open files stay held until it has ended,
// and the install goes on to overwrite them. A program that does not end in time is left.
constexpr DWORD kEndWaitMs = 10000;

bool TerminateAndWait(HANDLE process) {
    if (!TerminateProcess(process, 0)) {
        return false;
    }
    WaitForSingleObject(process, kEndWaitMs);
    return true;
}

}  // namespace

bool KillProcessByName(const std::string& exeName) {
    const DWORD id = FindProcessByName(exeName);
    if (id == 0) {
        return false;
    }
    CHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
    return process && TerminateAndWait(process.Get());
}

bool IsClientRunning(const std::string& brandName) {
    return FindProcessByName(brandName + ".Framework.C.exe") != 0;
}

std::string WebServerProgram(const CSetupConfig& config) {
    return CFolderLayout::ProgramFilesProductDir(config, '\\') + "\\Nginx\\nginx.exe";
}

namespace {

// Whether the image lies in the folder or below it (any case).
bool LiesIn(const std::string& image, const std::string& folder) {
    std::string prefix = Backslashed(folder);
    if (prefix.empty()) {
        return false;
    }
    if (prefix.back() != '\\') {
        prefix += '\\';
    }
    return image.size() > prefix.size() &&
           CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, image.c_str(),
                          static_cast<int>(prefix.size()), prefix.c_str(),
                          static_cast<int>(prefix.size())) == CSTR_EQUAL;
}

// Terminates every process named as one of the names (compared as `sameName` says) whose full
// image path `wanted` accepts; returns how many.
template <typename NameMatch, typename ImageMatch>
int32_t KillMatching(NameMatch sameName, ImageMatch wanted) {
    int32_t stopped = 0;
    VisitProcesses(sameName, PROCESS_TERMINATE | SYNCHRONIZE,
                   [&](HANDLE process, const std::string& image) {
                       if (wanted(image) && TerminateAndWait(process)) {
                           ++stopped;
                       }
                       return false;
                   });
    return stopped;
}

}  // namespace

int32_t KillProcessesInFolders(const std::vector<std::string>& exeNames,
                               const std::vector<std::string>& folders) {
    return KillMatching(
        [&exeNames](const char* name) {
            return std::find(exeNames.begin(), exeNames.end(), name) != exeNames.end();
        },
        [&folders](const std::string& image) {
            return std::any_of(folders.begin(), folders.end(), [&image](const std::string& folder) {
                return LiesIn(image, folder);
            });
        });
}

int32_t KillProcessesByImagePath(const std::string& imagePath) {
    const std::string wanted = Backslashed(imagePath);
    const std::string fileName = wanted.substr(wanted.find_last_of('\\') + 1);
    return KillMatching(
        [&fileName](const char* name) { return lstrcmpiA(name, fileName.c_str()) == 0; },
        [&wanted](const std::string& image) {
            return lstrcmpiA(image.c_str(), wanted.c_str()) == 0;
        });
}

int32_t StopWebServer(const CSetupConfig& config) {
    // Terminated, not asked to stop: the stop command would run the server elevated with a
    // configuration from the public user folder, where any local user can create files.
    return KillProcessesByImagePath(WebServerProgram(config));
}

}  // namespace SetUp
