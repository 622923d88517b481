/* Stand-in for the packet-capture driver's detector. The real one installs the driver and reports
   in NpfOccupy.xml, next to itself, whether that worked or which programs hold the driver. This
   one installs nothing and reports "success", unless a test bench has prepared the key
   HKCU\Software\SetupTestBench\NpfDetectApp: then it counts its runs in the DWORD "Runs" and
   reports the text of "Result<run>" (1 for the first run), else of "Result". The text
   "<no report>" removes the report instead of writing one. A text "Environment" names a file
   that gets the environment it was started with, one variable a line. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static const char kBenchKey[] = "Software\\SetupTestBench\\NpfDetectApp";

static int ReadText(HKEY key, const char* name, char* text, DWORD size) {
    DWORD type = 0;
    DWORD bytes = size - 1;
    if (RegQueryValueExA(key, name, NULL, &type, (BYTE*)text, &bytes) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return 0;
    }
    text[bytes < size ? bytes : size - 1] = '\0';
    return 1;
}

static void WriteEnvironment(const char* path) {
    char* strings = GetEnvironmentStringsA();
    const char* entry;
    FILE* out = fopen(path, "wb");
    if (out != NULL && strings != NULL) {
        for (entry = strings; *entry != '\0'; entry += strlen(entry) + 1) {
            fprintf(out, "%s\n", entry);
        }
    }
    if (out != NULL) {
        fclose(out);
    }
    if (strings != NULL) {
        FreeEnvironmentStringsA(strings);
    }
}

/* The result this run reports; "success" without a test bench. */
static void ChooseResult(char* result, DWORD size) {
    HKEY key = NULL;
    DWORD runs = 0;
    DWORD bytes = sizeof(runs);
    char name[32];
    char environment[MAX_PATH];
    strcpy(result, "success");
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, KEY_READ | KEY_WRITE, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    if (RegQueryValueExA(key, "Runs", NULL, NULL, (BYTE*)&runs, &bytes) != ERROR_SUCCESS) {
        runs = 0;
    }
    ++runs;
    RegSetValueExA(key, "Runs", 0, REG_DWORD, (const BYTE*)&runs, sizeof(runs));
    sprintf(name, "Result%lu", runs);
    if (!ReadText(key, name, result, size)) {
        ReadText(key, "Result", result, size);
    }
    if (ReadText(key, "Environment", environment, sizeof(environment))) {
        WriteEnvironment(environment);
    }
    RegCloseKey(key);
}

static void WriteEscaped(FILE* out, const char* text) {
    for (; *text != '\0'; ++text) {
        switch (*text) {
            case '&':
                fputs("&amp;", out);
                break;
            case '<':
                fputs("&lt;", out);
                break;
            case '>':
                fputs("&gt;", out);
                break;
            default:
                fputc(*text, out);
                break;
        }
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    char report[MAX_PATH];
    char result[1024];
    char* slash;
    FILE* out;
    (void)instance;
    (void)previous;
    (void)commandLine;
    (void)show;
    GetModuleFileNameA(NULL, report, sizeof(report));
    slash = strrchr(report, '\\');
    if (slash == NULL) {
        return 1;
    }
    strcpy(slash + 1, "NpfOccupy.xml");
    ChooseResult(result, sizeof(result));
    if (strcmp(result, "<no report>") == 0) {
        DeleteFileA(report);
        return 0;
    }
    out = fopen(report, "wb");
    if (out == NULL) {
        return 1;
    }
    fputs("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<NpfApp>\r\n\t<result>", out);
    WriteEscaped(out, result);
    fputs("</result>\r\n</NpfApp>\r\n", out);
    fclose(out);
    return 0;
}
