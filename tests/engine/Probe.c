/* A program that only records that it ran: its command line goes to "<own path>.ran". Tests put
   it where an outside program is expected. */
#include <windows.h>
#include <stdio.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    char path[MAX_PATH + 8];
    FILE* out;
    (void)instance;
    (void)previous;
    (void)show;
    GetModuleFileNameA(NULL, path, MAX_PATH);
    lstrcatA(path, ".ran");
    out = fopen(path, "wb");
    if (out == NULL) {
        return 1;
    }
    fputs(commandLine, out);
    fclose(out);
    return 0;
}
