#include <windows.h>

#include "app/SetupApp.h"

namespace {

// The installer runs elevated from wherever it was downloaded: libraries come from the system
// directory only, never from the download folder. SetDefaultDllDirectories is looked up, not
// imported: a Windows 7 without its loader update lacks it, and an import would stop setup.exe
// from starting at all. Without it the current folder leaves the search order, and the
// installer loads its own libraries by full system path only.
void RestrictLibrarySearch() {
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        kernel ? reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories"))
               : nullptr);
    if (setDefault == nullptr || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) {
        SetDllDirectoryA("");
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    CsetupApp app;
    app.InitInstance();
    return app.ExitCode();
}
