#include "base/UserShellStart.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <vector>

#include "base/ChildEnvironment.h"
#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/ProcessList.h"
#include "base/RunLog.h"
#include "base/SystemInfo.h"

namespace SetUp {

namespace {

constexpr DWORD kParentAccess = PROCESS_CREATE_PROCESS | PROCESS_QUERY_LIMITED_INFORMATION;

bool InThisSession(DWORD processId) {
    DWORD mine = 0;
    DWORD theirs = 0;
    return ProcessIdToSessionId(GetCurrentProcessId(), &mine) &&
           ProcessIdToSessionId(processId, &theirs) && mine == theirs;
}

// The desktop's shell of this session, opened to be a parent and to read its token: the process
// behind the shell window, or where there is none (Wine) this session's explorer.exe running
// from the Windows or the system folder. Empty when there is none.
CHandle OpenDesktopShell() {
    DWORD id = 0;
    const HWND desktop = GetShellWindow();
    if (desktop != nullptr && GetWindowThreadProcessId(desktop, &id) != 0 && id != 0) {
        return CHandle(OpenProcess(kParentAccess, FALSE, id));
    }
    const std::string images[] = {WindowsDirectory() + "\\explorer.exe",
                                  SystemDirectory() + "\\explorer.exe"};
    CHandle shell;
    VisitProcesses([](const char* name) { return lstrcmpiA(name, "explorer.exe") == 0; },
                   kParentAccess,
                   [&](HANDLE process, const std::string& image) {
                       const bool found =
                           InThisSession(GetProcessId(process)) &&
                           std::any_of(std::begin(images), std::end(images),
                                       [&image](const std::string& expected) {
                                           return lstrcmpiA(image.c_str(), expected.c_str()) == 0;
                                       });
                       if (found) {
                           HANDLE copy = nullptr;
                           DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &copy,
                                           0, FALSE, DUPLICATE_SAME_ACCESS);
                           shell.Reset(copy);
                       }
                       return found;
                   });
    return shell;
}

}  // namespace

bool StartAsSignedInUser(const std::string& program) {
    const DWORD attributes = GetFileAttributesA(program.c_str());
    if (!IsAbsoluteLocalPath(program) || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        LogLine("not started (no such program): " + program);
        return false;
    }
    const CHandle shell = OpenDesktopShell();
    CHandle token;
    if (!shell || !OpenProcessToken(shell.Get(), TOKEN_QUERY | TOKEN_DUPLICATE, token.Receive())) {
        LogLine("not started (no desktop shell to start it under): " + program);
        return false;
    }
    std::vector<wchar_t> environment = UserEnvironment(token.Get());
    return StartProgramUnder(program, shell.Get(), environment);
}

}  // namespace SetUp
