#include "base/CommandProcessor.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "base/ChildEnvironment.h"
#include "base/FileSystem.h"
#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"

namespace SetUp {

#if !defined(_WIN64)
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit shell-execute structure");
#endif

std::string CommandProcessorPath() {
    return SystemDirectory() + "\\cmd.exe";
}

std::string CommandProcessorParameters(const std::string& parameters) {
    return "/d " + parameters;
}

bool StartCommandProcessor(const std::string& parameters, const char* verb, CHandle* process) {
    process->Reset();
    const std::string system = SystemDirectory();
    if (!IsAbsoluteLocalPath(system)) {
        return false;
    }
    const std::string file = system + "\\cmd.exe";
    const std::string given = CommandProcessorParameters(parameters);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = given.c_str();
    info.lpDirectory = system.c_str();
    info.nShow = SW_HIDE;
    const bool started = ShellExecuteExA(&info) != FALSE;
    process->Reset(started ? info.hProcess : nullptr);
    LogLine((started ? "started: " : "could not start: ") + file + " " + given);
    return started;
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

bool RunCommandProcessor(const std::string& parameters, unsigned long* exitCode) {
    CHandle process;
    const bool started = StartCommandProcessor(parameters, "open", &process);
    if (process) {
        WaitForSingleObject(process.Get(), INFINITE);
        LogExitCode(process.Get(),
                    CommandProcessorPath() + " " + CommandProcessorParameters(parameters),
                    exitCode);
    }
    return started;
}

namespace {

// Hidden, by its full path (the command line's first word is never looked up), with the system
// folder as working folder. The environment block is UTF-16, or null for this process's own.
bool StartHidden(const std::string& program, const std::string& line, void* environment,
                 CHandle* process) {
    process->Reset();
    const std::string system = SystemDirectory();
    if (!IsAbsoluteLocalPath(program) || !IsAbsoluteLocalPath(system)) {
        return false;
    }
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started{};
    const DWORD flags = CREATE_NO_WINDOW | (environment ? CREATE_UNICODE_ENVIRONMENT : 0);
    if (!CreateProcessA(program.c_str(), writable.data(), nullptr, nullptr, FALSE, flags,
                        environment, system.c_str(), &startup, &started)) {
        LogLine(FormatString("could not start (error %lu): ", GetLastError()) + line);
        return false;
    }
    process->Reset(started.hProcess);
    CHandle thread(started.hThread);
    return true;
}

// As StartHidden, then waited for without a time limit.
bool RunHidden(const std::string& program, const std::string& line, void* environment,
               unsigned long* exitCode) {
    CHandle process;
    if (!StartHidden(program, line, environment, &process)) {
        return false;
    }
    WaitForSingleObject(process.Get(), INFINITE);
    LogExitCode(process.Get(), line, exitCode);
    return true;
}

std::string ProgramLine(const std::string& program, const std::string& arguments) {
    return "\"" + program + "\" " + arguments;
}

}  // namespace

bool RunProgram(const std::string& program, const std::string& arguments, unsigned long* exitCode) {
    return RunHidden(program, ProgramLine(program, arguments), nullptr, exitCode);
}

bool StartProgram(const std::string& program, const std::string& arguments, CHandle* process) {
    return StartHidden(program, ProgramLine(program, arguments), nullptr, process);
}

unsigned long EndedProgramExitCode(HANDLE process, const std::string& program,
                                   const std::string& arguments) {
    unsigned long code = 1;
    LogExitCode(process, ProgramLine(program, arguments), &code);
    return code;
}

bool RunCommandProcessorWithTemp(const std::string& parameters, const std::string& tempFolder,
                                 unsigned long* exitCode) {
    std::vector<wchar_t> environment = EnvironmentWithTempFolder(tempFolder);
    if (environment.empty()) {
        return false;
    }
    const std::string program = CommandProcessorPath();
    return RunHidden(program, "\"" + program + "\" " + CommandProcessorParameters(parameters),
                     environment.data(), exitCode);
}

}  // namespace SetUp
