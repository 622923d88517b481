/* Stand-in for the product's client and server frameworks: a windowless process that runs until
   it is terminated, which is all the installer observes of them. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    for (;;) {
        Sleep(INFINITE);
    }
}
