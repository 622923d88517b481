#pragma once
// The functions of shell32, ole32, comdlg32 and userenv the program calls, looked up at their
// first call instead of imported. An imported library loads, with every library it loads in turn,
// before the program's first line runs, and so holds up the first page: shell32 and ole32 bring
// half a dozen, comdlg32 the print spooler's. userenv is no known library: imported, it would be
// looked for beside setup.exe first. Each library is loaded by its full path in the system
// folder and stays for the process's life. A library or function that cannot be had makes the
// call fail as the function itself fails (E_FAIL, FALSE or null), and says so in the run's log.
#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>
#include <userenv.h>

namespace SetUp::LateBound {

HRESULT CoInitialize(LPVOID reserved);
void CoUninitialize();
HRESULT CoCreateInstance(REFCLSID classId, LPUNKNOWN outer, DWORD context, REFIID interfaceId,
                         LPVOID* object);
void CoTaskMemFree(LPVOID memory);

HRESULT SHGetKnownFolderPath(REFKNOWNFOLDERID folder, DWORD flags, HANDLE token, PWSTR* path);
BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create);
PIDLIST_ABSOLUTE SHBrowseForFolderA(LPBROWSEINFOA info);
BOOL SHGetPathFromIDListA(PCIDLIST_ABSOLUTE items, LPSTR path);

BOOL PrintDlgA(LPPRINTDLGA choice);

BOOL CreateEnvironmentBlock(LPVOID* block, HANDLE token, BOOL inherit);
BOOL DestroyEnvironmentBlock(LPVOID block);

}  // namespace SetUp::LateBound
