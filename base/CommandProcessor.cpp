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

namespace {

// The command line as started and as the log names it.
std::string CommandText(const std::string& program, const std::string& arguments) {
    return QuotedPath(program) + (arguments.empty() ? "" : " " + arguments);
}

}  // namespace

namespace {

// Runs CreateProcessW with the full path as the application name; with a parent, the program
// becomes its child and takes its token. The thread attribute list lives only for the call.
bool Create(const std::string& program, const std::string& line, const std::string& folder,
            std::vector<wchar_t>& environment, HANDLE parent, WORD show, CHandle* process) {
    process->Reset();
    if (!IsAbsoluteLocalPath(program) || !IsAbsoluteLocalPath(folder) || environment.empty()) {
        LogLine("not started (no full path or no environment): " + line);
        return false;
    }
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof(startup);
    startup.StartupInfo.dwFlags = STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = show;
    DWORD flags = CREATE_UNICODE_ENVIRONMENT | (show == SW_HIDE ? CREATE_NO_WINDOW : 0);
    std::vector<unsigned char> attributes;
    if (parent != nullptr) {
        SIZE_T size = 0;
        InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
        attributes.resize(size);
        startup.lpAttributeList = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes.data());
        if (size == 0 || !InitializeProcThreadAttributeList(startup.lpAttributeList, 1, 0, &size) ||
            !UpdateProcThreadAttribute(startup.lpAttributeList, 0,
                                       PROC_THREAD_ATTRIBUTE_PARENT_PROCESS, &parent,
                                       sizeof(parent), nullptr, nullptr)) {
            LogLine(FormatString("not started (no parent, error %lu): ", GetLastError()) + line);
            return false;
        }
        startup.StartupInfo.cb = sizeof(STARTUPINFOEXW);
        flags |= EXTENDED_STARTUPINFO_PRESENT;
    }
    std::wstring writable = Wide(line);
    PROCESS_INFORMATION started{};
    const bool created = CreateProcessW(Wide(program).c_str(), &writable[0], nullptr, nullptr,
                                        FALSE, flags, environment.data(), Wide(folder).c_str(),
                                        &startup.StartupInfo, &started) != FALSE;
    const DWORD error = GetLastError();
    if (startup.lpAttributeList != nullptr) {
        DeleteProcThreadAttributeList(startup.lpAttributeList);
    }
    if (!created) {
        LogLine(FormatString("could not start (error %lu): ", error) + line);
        return false;
    }
    process->Reset(started.hProcess);
    CHandle thread(started.hThread);
    LogLine("started: " + line);
    return true;
}

}  // namespace

bool StartProgram(const std::string& program, const std::string& arguments,
                  const std::string& folder, CHandle* process) {
    const std::string line = CommandText(program, arguments);
    std::vector<wchar_t> environment = ChildEnvironment(GetTempWorkDir());
    return Create(program, line, folder.empty() ? SystemDirectory() : folder, environment, nullptr,
                  SW_HIDE, process);
}

bool StartProgramUnder(const std::string& program, HANDLE parent,
                       std::vector<wchar_t>& environment) {
    const size_t slash = program.find_last_of("\\/");
    if (parent == nullptr || slash == std::string::npos) {
        return false;
    }
    CHandle process;
    return Create(program, QuotedPath(program), program.substr(0, slash), environment, parent,
                  SW_SHOWNORMAL, &process);
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

// Starts the program and waits for it; one still at work after limitMs is ended, and waited for.
bool Run(const std::string& program, const std::string& arguments, const std::string& folder,
         DWORD limitMs, unsigned long* exitCode) {
    // Termination is asynchronous: the program has ended only once its handle is signalled.
    constexpr DWORD kEndWaitMs = 10 * 1000;
    CHandle process;
    if (!StartProgram(program, arguments, folder, &process)) {
        return false;
    }
    if (WaitForSingleObject(process.Get(), limitMs) == WAIT_TIMEOUT) {
        LogLine(FormatString("still at work after %lu ms, ended: ",
                             static_cast<unsigned long>(limitMs)) +
                CommandText(program, arguments));
        TerminateProcess(process.Get(), 1);
        WaitForSingleObject(process.Get(), kEndWaitMs);
        if (exitCode != nullptr) {
            *exitCode = 1;
        }
        return true;
    }
    LogExitCode(process.Get(), CommandText(program, arguments), exitCode);
    return true;
}

}  // namespace

bool RunProgram(const std::string& program, const std::string& arguments, unsigned long* exitCode,
                const std::string& folder) {
    return Run(program, arguments, folder, INFINITE, exitCode);
}

bool RunCommandProcessor(const std::string& parameters, unsigned long* exitCode) {
    return RunProgram(CommandProcessorPath(), CommandProcessorParameters(parameters), exitCode);
}

bool RunProgramWithin(const std::string& program, const std::string& arguments,
                      unsigned long limitMs) {
    return Run(program, arguments, {}, limitMs, nullptr);
}

bool RunCommandProcessorWithin(const std::string& parameters, unsigned long limitMs) {
    return RunProgramWithin(CommandProcessorPath(), CommandProcessorParameters(parameters),
                            limitMs);
}

unsigned long EndedProgramExitCode(HANDLE process, const std::string& program,
                                   const std::string& arguments) {
    unsigned long code = 1;
    LogExitCode(process, CommandText(program, arguments), &code);
    return code;
}

}  // namespace SetUp
