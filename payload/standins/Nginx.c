/* Stand-in for nginx.exe. Started plainly it serves until it is told to stop: it records its
   process id in logs\nginx.pid under its own folder and waits on the event ngx_stop_<pid>.
   "-s stop" (or "-s quit") from that folder signals the running server; "-c <file>" and every
   other switch are accepted and ignored. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static void OwnFolder(char* folder, DWORD size) {
    char* slash;
    GetModuleFileNameA(NULL, folder, size);
    slash = strrchr(folder, '\\');
    if (slash != NULL) {
        *slash = '\0';
    }
}

static int Signal(const char* pidFile) {
    unsigned long pid = 0;
    char name[64];
    HANDLE stop;
    FILE* in = fopen(pidFile, "r");
    if (in == NULL) {
        return 1;
    }
    if (fscanf(in, "%lu", &pid) != 1) {
        pid = 0;
    }
    fclose(in);
    sprintf(name, "ngx_stop_%lu", pid);
    stop = OpenEventA(EVENT_MODIFY_STATE, FALSE, name);
    if (stop == NULL) {
        return 1;
    }
    SetEvent(stop);
    CloseHandle(stop);
    return 0;
}

static int Serve(const char* folder, const char* pidFile) {
    char logs[MAX_PATH];
    char name[64];
    HANDLE stop;
    FILE* out;
    sprintf(name, "ngx_stop_%lu", GetCurrentProcessId());
    stop = CreateEventA(NULL, TRUE, FALSE, name);
    if (stop == NULL) {
        return 1;
    }
    snprintf(logs, sizeof(logs), "%s\\logs", folder);
    CreateDirectoryA(logs, NULL);
    out = fopen(pidFile, "w");
    if (out != NULL) {
        fprintf(out, "%lu\n", GetCurrentProcessId());
        fclose(out);
    }
    WaitForSingleObject(stop, INFINITE);
    CloseHandle(stop);
    DeleteFileA(pidFile);
    return 0;
}

int main(int argc, char** argv) {
    char folder[MAX_PATH];
    char pidFile[MAX_PATH];
    int i;
    OwnFolder(folder, sizeof(folder));
    snprintf(pidFile, sizeof(pidFile), "%s\\logs\\nginx.pid", folder);
    for (i = 1; i + 1 < argc; ++i) {
        if (strcmp(argv[i], "-s") == 0) {
            return strcmp(argv[i + 1], "stop") == 0 || strcmp(argv[i + 1], "quit") == 0
                       ? Signal(pidFile)
                       : 0;
        }
    }
    return Serve(folder, pidFile);
}
