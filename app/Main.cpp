#include <windows.h>

#include "app/SetupApp.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The installer runs elevated from wherever it was downloaded: libraries come from the
    // system directory only, never from the download folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    CsetupApp app;
    app.InitInstance();
    return 0;
}
