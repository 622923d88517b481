#include "base/CommandProcessor.h"

#include <windows.h>
#include <shellapi.h>

#include "base/SystemInfo.h"

namespace SetUp {

#if !defined(_WIN64)
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "the 32-bit shell-execute structure");
#endif

std::string CommandProcessorPath() {
    return SystemDirectory() + "\\cmd.exe";
}

bool StartCommandProcessor(const std::string& parameters, const char* verb, CHandle* process) {
    const std::string file = CommandProcessorPath();
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpVerb = verb;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    const bool started = ShellExecuteExA(&info) != FALSE;
    process->Reset(started ? info.hProcess : nullptr);
    return started;
}

bool RunCommandProcessor(const std::string& parameters) {
    CHandle process;
    const bool started = StartCommandProcessor(parameters, "open", &process);
    if (process) {
        WaitForSingleObject(process.Get(), INFINITE);
    }
    return started;
}

}  // namespace SetUp
