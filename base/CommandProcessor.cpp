#include "base/CommandProcessor.h"

#include <windows.h>

#include <vector>

#include "base/ChildEnvironment.h"
#include "base/FileSystem.h"
#include "base/NativeFile.h"
#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"

namespace SetUp {

std::string CommandProcessorPath() {
    return SystemDirectory() + "\\cmd.exe";
}

std::string CommandProcessorParameters(const std::string& parameters) {
    return "/d /v:off " + parameters;
}

std::string QuotedPath(const std::string& path) {
    return "\"" + path + "\"";
}

bool StartProgram(const std::string& program, const std::string& arguments,
                  const std::string& folder, CHandle* process) {
    process->Reset();
    const std::string line = QuotedPath(program) + (arguments.empty() ? "" : " " + arguments);
    const std::string current = folder.empty() ? SystemDirectory() : folder;
    std::vector<wchar_t> environment = ChildEnvironment(GetTempWorkDir());
    if (!IsAbsoluteLocalPath(program) || !IsAbsoluteLocalPath(current) || environment.empty()) {
        LogLine("not started (no full path or no system environment): " + line);
        return false;
    }
    std::wstring writable = Wide(line);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(Wide(program).c_str(), &writable[0], nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT, environment.data(),
                        Wide(current).c_str(), &startup, &started)) {
        LogLine(FormatString("could not start (error %lu): ", GetLastError()) + line);
        return false;
    }
    process->Reset(started.hProcess);
    CHandle thread(started.hThread);
    LogLine("started: " + line);
    return true;
}

namespace {

void LogExitCode(HANDLE process, const std::string& what, unsigned long* exitCode) {
    DWORD code = 0;
    const bool known = GetExitCodeProcess(process, &code) != FALSE;
    if (exitCode != nullptr) {
        *exitCode = known ? code : 1;
    }
    LogLine(known ? FormatString("exit code %lu: ", static_cast<unsigned long>(code)) + what
                  : "exit code unknown: " + what);
}

}  // namespace

bool RunProgram(const std::string& program, const std::string& arguments, unsigned long* exitCode,
                const std::string& folder) {
    CHandle process;
    if (!StartProgram(program, arguments, folder, &process)) {
        return false;
    }
    WaitForSingleObject(process.Get(), INFINITE);
    LogExitCode(process.Get(), QuotedPath(program) + " " + arguments, exitCode);
    return true;
}

bool RunCommandProcessor(const std::string& parameters, unsigned long* exitCode) {
    return RunProgram(CommandProcessorPath(), CommandProcessorParameters(parameters), exitCode);
}

bool RunProgramWithin(const std::string& program, const std::string& arguments,
                      unsigned long limitMs) {
    // Termination is asynchronous: the program has ended only once its handle is signalled.
    constexpr DWORD kEndWaitMs = 10 * 1000;
    CHandle process;
    if (!StartProgram(program, arguments, {}, &process)) {
        return false;
    }
    if (WaitForSingleObject(process.Get(), limitMs) == WAIT_TIMEOUT) {
        LogLine(FormatString("still at work after %lu ms, ended: ", limitMs) + QuotedPath(program) +
                " " + arguments);
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), kEndWaitMs);
        return true;
    }
    LogExitCode(process.Get(), QuotedPath(program) + " " + arguments, nullptr);
    return true;
}

bool RunCommandProcessorWithin(const std::string& parameters, unsigned long limitMs) {
    return RunProgramWithin(CommandProcessorPath(), CommandProcessorParameters(parameters),
                            limitMs);
}

unsigned long EndedProgramExitCode(HANDLE process, const std::string& program,
                                   const std::string& arguments) {
    unsigned long code = 1;
    LogExitCode(process, QuotedPath(program) + " " + arguments, &code);
    return code;
}

}  // namespace SetUp
