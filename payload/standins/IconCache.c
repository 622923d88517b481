/* Stand-in for ie4uinit.exe -ClearIconCache: tells the shell that icons may have changed. */
#include <windows.h>
#include <shlobj.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)show;
    if (strstr(commandLine, "-ClearIconCache") != NULL) {
        SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, NULL, NULL);
    }
    return 0;
}
