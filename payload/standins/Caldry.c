/* Stand-in for the Caldry installer: creates its folder under the 32-bit Program Files of drive C,
   which is what the installer tests for. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    CreateDirectoryA("C:\\Program Files (x86)", NULL);
    CreateDirectoryA("C:\\Program Files (x86)\\Caldry Components", NULL);
    return GetFileAttributesA("C:\\Program Files (x86)\\Caldry Components") ==
                   INVALID_FILE_ATTRIBUTES
               ? 1
               : 0;
}
