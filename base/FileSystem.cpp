#include "base/FileSystem.h"

#include <direct.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

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

void CreateFolderTree(const std::string& path) {
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            const std::string level = path.substr(0, i);
            if (!level.empty() && level.back() != ':' && !PathExists(level)) {
                _mkdir(level.c_str());
            }
        }
    }
}

bool DeleteFolder(const std::string& path, bool toRecycleBin) {
    // The shell wants backslashes; the callers build mixed paths.
    std::string from = path;
    for (char& c : from) {
        if (c == '/') {
            c = '\\';
        }
    }
    from.push_back('\0');  // with the string's own terminator: the double-zero list of one item
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI;
    if (toRecycleBin) {
        operation.fFlags |= FOF_ALLOWUNDO;
    }
    return SHFileOperationA(&operation) != 0;
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
