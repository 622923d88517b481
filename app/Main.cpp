#include <windows.h>

#include "app/SetupApp.h"
#include "app/UnattendedDecision.h"

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

// An exception nobody caught ends the run as a failure, without a window. The C++ library's own
// handler would name the exception on a console this program does not have and then abort with
// the runtime's message box, and it brings some 45 KB of symbol demangler into the program.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    TerminateProcess(GetCurrentProcess(), kExitFailed);
}
}  // namespace __gnu_cxx

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    RestrictLibrarySearch();
    CsetupApp app;
    app.InitInstance();
    return app.ExitCode();
}
