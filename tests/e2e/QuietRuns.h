#pragma once
// Runs of the real setup programs without a person, as a deployment tool starts them: the exit
// code, whether a window of the program ever showed, and the log the run wrote.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "driver/UiDriver.h"

namespace scenario {

constexpr DWORD kQuietRunWait = 5 * 60 * 1000;

inline std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

struct CQuietRun {
    std::optional<DWORD> exitCode;
    bool windowShown = false;
    std::string log;
};

// Runs the program to its end with its log at the path, watching for windows of its own.
inline CQuietRun RunQuietly(const char* program, const std::string& arguments,
                            const std::string& log) {
    DeleteFileA(log.c_str());
    CQuietRun run;
    uidriver::CProgram setup(uidriver::WindowsPath(program), arguments + " /log \"" + log + "\"");
    if (!setup.Started()) {
        return run;
    }
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kQuietRunWait) {
        if (!uidriver::TopWindows(setup.Id()).empty()) {
            run.windowShown = true;
        }
        run.exitCode = setup.WaitExit(50);
        if (run.exitCode) {
            break;
        }
    }
    run.log = ReadAll(log);
    return run;
}

inline std::string LastLine(const std::string& log) {
    std::string text = log;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text.substr(text.find_last_of('\n') + 1);
}

}  // namespace scenario
