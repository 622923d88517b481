/* A program that only waits to be stopped, copied under the names the installer stops. It ends
   by itself after a minute so that nothing outlives a failed test. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    Sleep(60000);
    return 0;
}
