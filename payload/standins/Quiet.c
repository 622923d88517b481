/* Stand-in for outside programs whose effect the installer never reads back (the product's
   uninstaller): accepts any switches and ends at once. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    return 0;
}
