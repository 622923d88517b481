#include "base/SystemInfo.h"

#include <atomic>

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

CScopedNativeArchitecture::CScopedNativeArchitecture(WORD architecture)
    : previous_(gArchitectureOverride.exchange(architecture)) {}

CScopedNativeArchitecture::~CScopedNativeArchitecture() {
    gArchitectureOverride.store(previous_);
}
