#include "base/ProcessList.h"

#include <tlhelp32.h>

#include <algorithm>

#include "base/Handles.h"

namespace SetUp {

std::string Backslashed(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    const auto doubled = [](char a, char b) { return a == '\\' && b == '\\'; };
    path.erase(std::unique(path.begin() + (path.empty() ? 0 : 1), path.end(), doubled), path.end());
    return path;
}

void VisitProcesses(const std::function<bool(const char* name)>& sameName, DWORD access,
                    const std::function<bool(HANDLE process, const std::string& image)>& visit) {
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        return;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        if (!sameName(entry.szExeFile)) {
            continue;
        }
        CHandle process(
            OpenProcess(access | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
        char image[MAX_PATH * 2] = {};
        DWORD size = sizeof(image);
        if (process && QueryFullProcessImageNameA(process.Get(), 0, image, &size) &&
            visit(process.Get(), Backslashed(image))) {
            return;
        }
    }
}

}  // namespace SetUp
