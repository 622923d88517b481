#define _CRT_RAND_S
#include "base/TempWorkDir.h"

#include <stdlib.h>
#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "base/FileSystem.h"
#include "base/Handles.h"

namespace SetUp {

namespace {

// SYSTEM and Administrators: full control; users: read and run. Protected: nothing inherited
// from the user's temporary folder, where the user may write.
const char kWorkDirDescriptor[] = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;0x1200a9;;;BU)";
const char kWorkDirPrefix[] = "InstallationTempFile";
const int kNameAttempts = 16;

struct WorkDir {
    std::mutex mutex;
    bool tried = false;
    std::vector<std::string> testSuffixes;
    size_t nextTestSuffix = 0;
    std::string path;  // with the trailing backslash; empty when unsafe
    CFileHandle held;
};

WorkDir& TheWorkDir() {
    // Never destroyed: a detached worker may still use it while the process ends.
    static WorkDir* dir = new WorkDir();
    return *dir;
}

std::string RandomSuffix(WorkDir& dir) {
    if (!dir.testSuffixes.empty()) {
        const size_t index = std::min(dir.nextTestSuffix++, dir.testSuffixes.size() - 1);
        return dir.testSuffixes[index];
    }
    unsigned int high = 0;
    unsigned int low = 0;
    if (rand_s(&high) != 0 || rand_s(&low) != 0) {
        high = GetTickCount() ^ GetCurrentProcessId();
        low = static_cast<unsigned int>(reinterpret_cast<uintptr_t>(&high));
    }
    char text[20] = {};
    std::snprintf(text, sizeof(text), "%08x%08x", high, low);
    return text;
}

// Made with the descriptor, as a new folder; empty on any doubt.
std::string MakeProtectedFolder(WorkDir& dir) {
    const std::string temp = UserTempFolder();
    if (temp.empty()) {
        return {};
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kWorkDirDescriptor, SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        return {};
    }
    SECURITY_ATTRIBUTES attributes{};
    attributes.nLength = sizeof(attributes);
    attributes.lpSecurityDescriptor = descriptor;
    std::string made;
    for (int attempt = 0; attempt < kNameAttempts && made.empty(); ++attempt) {
        const std::string folder = temp + kWorkDirPrefix + RandomSuffix(dir);
        // CreateDirectory fails on anything already there, a planted folder or link included.
        if (CreateDirectoryA(folder.c_str(), &attributes)) {
            made = folder;
        } else if (GetLastError() != ERROR_ALREADY_EXISTS) {
            break;
        }
    }
    LocalFree(descriptor);
    return made;
}

}  // namespace

std::string UserTempFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof(temp), temp);
    if (length == 0 || length >= sizeof(temp)) {
        return {};
    }
    std::string folder(temp, length);
    if (!IsAbsoluteLocalPath(folder)) {
        return {};
    }
    if (folder.back() != '\\') {
        folder.push_back('\\');
    }
    return folder;
}

TempWorkDirState PrepareTempWorkDir() {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    if (!dir.tried) {
        dir.tried = true;
        const std::string folder = MakeProtectedFolder(dir);
        if (!folder.empty()) {
            dir.held.Reset(CreateFileA(
                folder.c_str(), FILE_LIST_DIRECTORY, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
            if (dir.held && !IsReparsePoint(folder)) {
                dir.path = folder + "\\";
            } else {
                dir.held.Reset();
                RemoveDirectoryA(folder.c_str());
            }
        }
    }
    return dir.path.empty() ? TempWorkDirState::Unsafe : TempWorkDirState::Ready;
}

std::string GetTempWorkDir() {
    PrepareTempWorkDir();
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    return dir.path;
}

void DeleteTempWorkDir() {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    dir.held.Reset();
    if (!dir.path.empty()) {
        DeleteFolder(dir.path, false);
    }
    dir.path.clear();
    dir.tried = false;
}

std::string ResourceText(int id, const char* type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const DWORD size = found ? SizeofResource(nullptr, found) : 0;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    return bytes ? std::string(bytes, size) : std::string();
}

bool WriteResourceToFile(const std::string& path, int id, const char* type) {
    // No sharing: nobody else writes into or holds the file while it is written and used.
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const DWORD size = SizeofResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!file || bytes == nullptr) {
        return false;
    }
    DWORD written = 0;
    return WriteFile(file.Get(), bytes, size, &written, nullptr) && written == size;
}

bool SaveResourceToTemp(const std::string& fileName, int id, const char* type) {
    const std::string folder = GetTempWorkDir();
    if (folder.empty()) {
        return false;
    }
    if (!WriteResourceToFile(folder + fileName, id, type)) {
        return false;
    }
    // Give scanners that open new files a moment before the file is used.
    Sleep(100);
    return true;
}

CScopedWorkDirSuffixes::CScopedWorkDirSuffixes(std::vector<std::string> suffixes) {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    dir.testSuffixes = std::move(suffixes);
    dir.nextTestSuffix = 0;
}

CScopedWorkDirSuffixes::~CScopedWorkDirSuffixes() {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    dir.testSuffixes.clear();
    dir.nextTestSuffix = 0;
}

}  // namespace SetUp
