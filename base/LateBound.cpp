#include "base/LateBound.h"

#include <string>

#include "base/RunLog.h"
#include "base/SystemInfo.h"

namespace SetUp::LateBound {

namespace {

FARPROC Find(const char* library, const char* name) {
    // Never freed: the function's address must stay good for the process's life.
    const HMODULE module = LoadLibraryExA((SystemDirectory() + "\\" + library).c_str(), nullptr,
                                          LOAD_WITH_ALTERED_SEARCH_PATH);
    const FARPROC function = module != nullptr ? GetProcAddress(module, name) : nullptr;
    if (function == nullptr) {
        LogLine(std::string("cannot call ") + library + "!" + name);
    }
    return function;
}

// The function, typed as the system declares it.
template <typename Function>
Function Bind(const char* library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(Find(library, name)));
}

}  // namespace

HRESULT CoInitialize(LPVOID reserved) {
    static const auto function = Bind<decltype(&::CoInitialize)>("ole32.dll", "CoInitialize");
    return function != nullptr ? function(reserved) : E_FAIL;
}

void CoUninitialize() {
    static const auto function = Bind<decltype(&::CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (function != nullptr) {
        function();
    }
}

HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object) {
    static const auto function =
        Bind<decltype(&::CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    if (function == nullptr) {
        *object = nullptr;
        return E_FAIL;
    }
    return function(classId, outer, context, interfaceId, object);
}

void CoTaskMemFree(LPVOID memory) {
    static const auto function = Bind<decltype(&::CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (function != nullptr) {
        function(memory);
    }
}

HRESULT SHGetKnownFolderPath(REFKNOWNFOLDERID folder, DWORD flags, HANDLE token, PWSTR* path) {
    static const auto function =
        Bind<decltype(&::SHGetKnownFolderPath)>("shell32.dll", "SHGetKnownFolderPath");
    if (function == nullptr) {
        *path = nullptr;
        return E_FAIL;
    }
    return function(folder, flags, token, path);
}

BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create) {
    static const auto function =
        Bind<decltype(&::SHGetSpecialFolderPathA)>("shell32.dll", "SHGetSpecialFolderPathA");
    return function != nullptr && function(owner, path, csidl, create);
}

PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info) {
    static const auto function =
        Bind<decltype(&::SHBrowseForFolderA)>("shell32.dll", "SHBrowseForFolderA");
    return function != nullptr ? function(info) : nullptr;
}

BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE items, LPSTR path) {
    static const auto function =
        Bind<decltype(&::SHGetPathFromIDListA)>("shell32.dll", "SHGetPathFromIDListA");
    return function != nullptr && function(items, path);
}

BOOL PrintDlgA(LPPRINTDLGA choice) {
    static const auto function = Bind<decltype(&::PrintDlgA)>("comdlg32.dll", "PrintDlgA");
    return function != nullptr && function(choice);
}

BOOL CreateEnvironmentBlock(LPVOID* block, HANDLE token, BOOL inherit) {
    static const auto function =
        Bind<decltype(&::CreateEnvironmentBlock)>("userenv.dll", "CreateEnvironmentBlock");
    return function != nullptr && function(block, token, inherit);
}

BOOL DestroyEnvironmentBlock(LPVOID block) {
    static const auto function =
        Bind<decltype(&::DestroyEnvironmentBlock)>("userenv.dll", "DestroyEnvironmentBlock");
    return function != nullptr && function(block);
}

}  // namespace SetUp::LateBound
