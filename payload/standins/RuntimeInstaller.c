/* Stand-in for a Visual C++ runtime installer. It registers its product where Windows would:
   the 2008 x64 runtime as a Windows Installer product (packed code under Installer\Features),
   every other one as a 32-bit bundle's Uninstall key (Wow6432Node on a 64-bit Windows).
   Built once per runtime with RUNTIME_CODE, RUNTIME_NAME and, for the MSI one, RUNTIME_MSI. */
#include <windows.h>

#ifndef KEY_WOW64_32KEY
#define KEY_WOW64_32KEY 0x0200
#endif

static void SetText(HKEY key, const char* name, const char* text) {
    RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)text, (DWORD)lstrlenA(text) + 1);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    HKEY key = NULL;
    LONG status;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
#if defined(RUNTIME_MSI)
    status = RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Classes\\Installer\\Features\\" RUNTIME_CODE, 0, NULL, 0,
                             KEY_WRITE | KEY_WOW64_64KEY, NULL, &key, NULL);
    if (status == ERROR_SUCCESS) {
        SetText(key, "VC_Redist", "");
    }
#else
    status = RegCreateKeyExA(HKEY_LOCAL_MACHINE,
                             "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" RUNTIME_CODE,
                             0, NULL, 0, KEY_WRITE | KEY_WOW64_32KEY, NULL, &key, NULL);
    if (status == ERROR_SUCCESS) {
        SetText(key, "DisplayName", RUNTIME_NAME);
        SetText(key, "Publisher", "Microsoft Corporation");
    }
#endif
    if (key != NULL) {
        RegCloseKey(key);
    }
    return status == ERROR_SUCCESS ? 0 : 1603;
}
