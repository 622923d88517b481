/* Stand-in for the Caldry installer: creates its folder under the system's folder of 32-bit
   programs, where a 32-bit installer puts it ("Program Files (x86)" on a 64-bit Windows,
   "Program Files" on a 32-bit one), which is what the installer tests for. */
#include <windows.h>
#include <shlobj.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    char folder[MAX_PATH + 32];
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    if (FAILED(SHGetFolderPathA(NULL, CSIDL_PROGRAM_FILESX86, NULL, 0, folder)) &&
        FAILED(SHGetFolderPathA(NULL, CSIDL_PROGRAM_FILES, NULL, 0, folder))) {
        return 1;
    }
    lstrcatA(folder, "\\Caldry Components");
    CreateDirectoryA(folder, NULL);
    return GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES ? 1 : 0;
}
