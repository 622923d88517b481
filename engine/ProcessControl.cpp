#include "engine/ProcessControl.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstring>

#include "base/FileSystem.h"
#include "base/Handles.h"
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

bool ProcessStopList::StopPrograms() {
    // The watchdog goes alone first, so that what it restarts on its way out is in the second
    // snapshot. The others share one: a snapshot per name cost more than half a second.
    KillProcessByName(kWatchDogName);
    std::vector<std::string> names = brandPrefixedNames_;
    names.insert(names.end(), plainNames_.begin(), plainNames_.end());
    KillFirstProcessOfEach(names);
    StopWebServer(config_);
    return true;
}

namespace {

bool Launch(const std::string& path) {
    const HINSTANCE result =
        ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace

bool ProcessStopList::LaunchClient() {
    return Launch(CFolderLayout(installRoot_, config_).FrameworkExe(ComponentSide::Client, '/'));
}

bool ProcessStopList::LaunchServer() {
    return Launch(CFolderLayout(installRoot_, config_).FrameworkExe(ComponentSide::Server, '/'));
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

void KillFirstProcessOfEach(const std::vector<std::string>& exeNames) {
    std::vector<DWORD> ids(exeNames.size(), 0);
    {
        CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
        PROCESSENTRY32 entry{};
        entry.dwSize = sizeof(entry);
        if (!snapshot || !Process32First(snapshot.Get(), &entry)) {
            return;
        }
        // As FindProcessByName: the first entry is never compared, the first match counts.
        while (Process32Next(snapshot.Get(), &entry)) {
            for (size_t i = 0; i < exeNames.size(); ++i) {
                if (ids[i] == 0 && std::strcmp(entry.szExeFile, exeNames[i].c_str()) == 0) {
                    ids[i] = entry.th32ProcessID;
                }
            }
        }
    }
    for (DWORD id : ids) {
        if (id != 0) {
            CHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
            if (process) {
                TerminateAndWait(process.Get());
            }
        }
    }
}

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

int32_t KillProcessesByImagePath(const std::string& imagePath) {
    std::string wanted = imagePath;
    std::replace(wanted.begin(), wanted.end(), '/', '\\');
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return 0;
    }
    const std::string fileName = wanted.substr(wanted.find_last_of('\\') + 1);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int32_t stopped = 0;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        // The name first: only a program of that name is opened at all.
        if (lstrcmpiA(entry.szExeFile, fileName.c_str()) != 0) {
            continue;
        }
        CHandle process(
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                        entry.th32ProcessID));
        char image[MAX_PATH * 2] = {};
        DWORD size = sizeof(image);
        if (!process || !QueryFullProcessImageNameA(process.Get(), 0, image, &size)) {
            continue;
        }
        if (lstrcmpiA(image, wanted.c_str()) == 0 && TerminateAndWait(process.Get())) {
            ++stopped;
        }
    }
    return stopped;
}

int32_t StopWebServer(const CSetupConfig& config) {
    // Terminated, not asked to stop: the stop command would run the server elevated with a
    // configuration from the public user folder, where any local user can create files.
    return KillProcessesByImagePath(WebServerProgram(config));
}

}  // namespace SetUp
