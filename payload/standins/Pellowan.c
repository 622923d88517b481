/* Stand-in for the Pellowan installer: records its version in the per-user browser plug-in key,
   where the installer reads it back. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    static const char version[] = "1.0.0.82";
    HKEY key = NULL;
    LONG status;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    status = RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\MozillaPlugins\\Veskar", 0, NULL, 0,
                             KEY_WRITE, NULL, &key, NULL);
    if (status != ERROR_SUCCESS) {
        return 1;
    }
    RegSetValueExA(key, "CurrentVersion", 0, REG_SZ, (const BYTE*)version, sizeof(version));
    RegCloseKey(key);
    return 0;
}
