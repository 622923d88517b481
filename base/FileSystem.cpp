#include "base/FileSystem.h"

#include <direct.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

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

namespace {

std::string WithBackslashes(const std::string& path) {
    std::string result = path;
    for (char& c : result) {
        if (c == '/') {
            c = '\\';
        }
    }
    while (result.size() > 3 && result.back() == '\\') {
        result.pop_back();
    }
    return result;
}

bool HoldsLink(const std::string& folder) {
    WIN32_FIND_DATAA entry{};
    CFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) {
        return false;
    }
    do {
        if (IsDotEntry(entry.cFileName)) {
            continue;
        }
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return true;
        }
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
            HoldsLink(folder + "\\" + entry.cFileName)) {
            return true;
        }
    } while (FindNextFileA(find.Get(), &entry));
    return false;
}

bool RecycleWithShell(const std::string& path) {
    std::string from = path;
    from.push_back('\0');  // with the string's own terminator: the double-zero list of one item
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_ALLOWUNDO;
    return SHFileOperationA(&operation) == 0;
}

// True when the path is gone afterwards.
bool DeleteTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
    }
    const bool folder = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // The link goes; what it points at is not ours to delete.
        return folder ? RemoveDirectoryA(path.c_str()) != FALSE
                      : DeleteFileA(path.c_str()) != FALSE;
    }
    if (!folder) {
        return DeleteFileA(path.c_str()) != FALSE;
    }
    bool whole = true;
    {
        // Held without delete sharing: nobody renames it away and puts a link in its place
        // while its entries are deleted by path.
        CFileHandle held(CreateFileA(
            path.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        const DWORD again = GetFileAttributesA(path.c_str());
        if (!held || again == INVALID_FILE_ATTRIBUTES ||
            (again & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
            return false;
        }
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry{};
        CFindHandle find(FindFirstFileA((path + "\\*").c_str(), &entry));
        if (find) {
            do {
                if (!IsDotEntry(entry.cFileName)) {
                    names.push_back(entry.cFileName);
                }
            } while (FindNextFileA(find.Get(), &entry));
        }
        find.Reset();
        for (const std::string& name : names) {
            whole = DeleteTree(path + "\\" + name) && whole;
        }
    }
    return RemoveDirectoryA(path.c_str()) != FALSE && whole;
}

}  // namespace

bool DeleteFolder(const std::string& path, bool toRecycleBin) {
    // Both kinds of slash come from the callers.
    // A relative path or one on the current drive's root ("\\Programs\\...", from a failed
    // shell call) is never deleted.
    const std::string target = WithBackslashes(path);
    if (!IsAbsoluteLocalPath(target)) {
        return true;
    }
    if (toRecycleBin && !IsReparsePoint(target) && !HoldsLink(target)) {
        return !RecycleWithShell(target);
    }
    return !DeleteTree(target);
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
