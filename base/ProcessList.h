#pragma once
// The running processes, by name and full image path: a process is opened only when its name is
// one that is wanted, and judged by the image it runs, never by its name alone.
#include <windows.h>

#include <functional>
#include <string>

namespace SetUp {

// The path with forward slashes turned to backslashes and doubled ones made single.
std::string Backslashed(std::string path);

// Opens, with the access asked for, every running process whose executable name `sameName`
// accepts, and hands it to `visit` with its full image path (Backslashed); a process that cannot
// be opened or read is passed over. Stops when `visit` returns true.
void VisitProcesses(const std::function<bool(const char* name)>& sameName, DWORD access,
                    const std::function<bool(HANDLE process, const std::string& image)>& visit);

}  // namespace SetUp
