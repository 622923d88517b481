#include "base/SystemInfo.h"

#include <knownfolders.h>
#include <shlobj.h>

#include <atomic>

#include "base/LateBound.h"

namespace {
// -1: no override, ask the system.
std::atomic<int> gArchitectureOverride{-1};
}  // namespace

WORD NativeProcessorArchitecture() {
    const int forced = gArchitectureOverride.load();
    if (forced >= 0) {
        return static_cast<WORD>(forced);
    }
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    return info.wProcessorArchitecture;
}

bool IsNative64Bit() {
    const WORD architecture = NativeProcessorArchitecture();
    return architecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           architecture == PROCESSOR_ARCHITECTURE_IA64;
}

int ProcessorCount() {
    // Looked up at run time: Windows Vista has no GetActiveProcessorCount.
    using ActiveProcessorCount = DWORD(WINAPI*)(WORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto active = kernel ? reinterpret_cast<ActiveProcessorCount>(reinterpret_cast<void*>(
                                     GetProcAddress(kernel, "GetActiveProcessorCount")))
                               : nullptr;
    DWORD count = active ? active(ALL_PROCESSOR_GROUPS) : 0;
    if (count == 0) {
        SYSTEM_INFO info{};
        GetSystemInfo(&info);
        count = info.dwNumberOfProcessors;
    }
    return count > 0 ? static_cast<int>(count) : 1;
}

std::string SystemDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(buffer, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "C:\\windows\\system32";
    }
    return std::string(buffer, length);
}

char SystemDriveLetter() {
    return SystemDirectory()[0];
}

std::string WindowsDirectory() {
    char buffer[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(buffer, MAX_PATH);
    if (length < 3 || length >= MAX_PATH || buffer[1] != ':' || buffer[2] != '\\') {
        return {};
    }
    std::string folder(buffer, length);
    if (folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

std::string ProgramFilesX86Directory() {
    PWSTR found = nullptr;
    if (FAILED(SetUp::LateBound::SHGetKnownFolderPath(FOLDERID_ProgramFilesX86, KF_FLAG_DONT_VERIFY,
                                                      nullptr, &found))) {
        SetUp::LateBound::CoTaskMemFree(found);
        return {};
    }
    char buffer[MAX_PATH] = {};
    BOOL lossy = FALSE;
    const int bytes = WideCharToMultiByte(CP_ACP, 0, found, -1, buffer, MAX_PATH, nullptr, &lossy);
    SetUp::LateBound::CoTaskMemFree(found);
    const std::string folder = bytes > 0 ? std::string(buffer) : std::string();
    // A name this code page cannot spell would name another folder.
    if (lossy || folder.size() < 4 || folder[1] != ':' || folder[2] != '\\' ||
        folder.find_first_of("%!?*\"<>|", 2) != std::string::npos) {
        return {};
    }
    return folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
}

std::string WindowsVersionText() {
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    const auto rtlGetVersion =
        ntdll ? reinterpret_cast<RtlGetVersionFunction>(
                    reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
              : nullptr;
    OSVERSIONINFOEXW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (rtlGetVersion == nullptr || rtlGetVersion(&version) != 0) {
        return "Windows (version unknown)";
    }
    char text[96] = {};
    wsprintfA(text, "Windows %lu.%lu build %lu, %s", version.dwMajorVersion, version.dwMinorVersion,
              version.dwBuildNumber,
              version.wProductType == VER_NT_WORKSTATION ? "workstation" : "server");
    return text;
}

CScopedNativeArchitecture::CScopedNativeArchitecture(WORD architecture)
    : previous_(gArchitectureOverride.exchange(architecture)) {}

CScopedNativeArchitecture::~CScopedNativeArchitecture() {
    gArchitectureOverride.store(previous_);
}
