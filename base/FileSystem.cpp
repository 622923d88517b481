#include "base/FileSystem.h"

#include <direct.h>
#include <io.h>
#include <windows.h>

#include <vector>

#include "base/Handles.h"

namespace SetUp {

namespace {

bool IsDotEntry(const char* name) {
    return lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0;
}

}  // namespace

bool PathExists(const std::string& path) {
    return _access(path.c_str(), 0) == 0;
}

std::vector<std::string> PathLevels(const std::string& path) {
    std::vector<std::string> levels;
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            const std::string level = path.substr(0, i);
            if (!level.empty() && level.back() != ':' && level.back() != '\\' &&
                level.back() != '/') {
                levels.push_back(level);
            }
        }
    }
    return levels;
}

void CreateFolderTree(const std::string& path) {
    for (const std::string& level : PathLevels(path)) {
        if (!PathExists(level)) {
            _mkdir(level.c_str());
        }
    }
}

bool IsReparsePoint(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool IsAbsoluteLocalPath(const std::string& path) {
    if (path.size() < 3) {
        return false;
    }
    const char drive = path[0];
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return letter && path[1] == ':' && (path[2] == '\\' || path[2] == '/');
}

bool IsFolderEmpty(const std::string& path) {
    WIN32_FIND_DATAA entry{};
    CFindHandle find(FindFirstFileA((path + "\\*.*").c_str(), &entry));
    if (!find) {
        return true;
    }
    do {
        if (!IsDotEntry(entry.cFileName)) {
            return false;
        }
    } while (FindNextFileA(find.Get(), &entry));
    return true;
}

bool ListFolder(const std::string& folder, std::vector<std::string>& list) {
    list.clear();
    _finddata_t entry{};
    CRuntimeFind find(_findfirst((folder + "\\*.*").c_str(), &entry));
    if (!find) {
        return false;
    }
    // Skipped by name rather than by position: a drive's root has no "." entry to skip.
    do {
        if (!IsDotEntry(entry.name)) {
            list.push_back(entry.name);
        }
    } while (_findnext(find.Get(), &entry) == 0);
    return true;
}

unsigned long long TreeSizeBytes(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    CFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) {
        return 0;
    }
    unsigned long long total = 0;
    do {
        if (IsDotEntry(entry.cFileName) ||
            (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
            continue;
        }
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            total += TreeSizeBytes(folder + "\\" + entry.cFileName);
        } else {
            total +=
                (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
    } while (FindNextFileA(find.Get(), &entry));
    return total;
}

void CopyFolder(const std::string& source, const std::string& destination) {
    if (_mkdir(destination.c_str()) != 0) {
        return;
    }
    std::vector<std::string> names;
    if (!ListFolder(source, names)) {
        return;
    }
    for (const std::string& name : names) {
        CopyFileA((source + "\\" + name).c_str(), (destination + "\\" + name).c_str(), FALSE);
    }
}

}  // namespace SetUp
