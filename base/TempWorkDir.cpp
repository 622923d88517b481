#define _CRT_RAND_S
#include "base/TempWorkDir.h"

#include <stdlib.h>
#include <windows.h>
#include <sddl.h>

#include <algorithm>
#include <cstdio>
#include <mutex>

#include "base/FileSystem.h"
#include "base/FolderOwner.h"
#include "base/Handles.h"
#include "base/NativeFile.h"

namespace SetUp {

namespace {

// SYSTEM and Administrators: full control; nobody else, not even to read (a reader could hold a
// file open and make the next step fail). Protected: nothing inherited from the Windows folder's
// Temp, where users may create folders.
const char kWorkDirDescriptor[] = "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)";
const char kWorkDirPrefix[] = "InstallationTempFile";
const int kNameAttempts = 16;
constexpr LONG kNameCollision = static_cast<LONG>(0xC0000035);

struct WorkDir {
    std::mutex mutex;
    bool tried = false;
    bool parentRead = false;
    std::string parent;  // decided once per run: the environment may change, this does not
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

std::string ReadParent() {
    char windows[MAX_PATH] = {};
    const UINT length = GetSystemWindowsDirectoryA(windows, MAX_PATH);
    if (length < 3 || length >= MAX_PATH) {
        return {};
    }
    std::string folder(windows, length);
    if (folder.back() == '\\') {
        folder.pop_back();
    }
    folder += "\\Temp\\";
    const bool fits = folder.size() + sizeof(kWorkDirPrefix) + 16 < MAX_PATH;
    const bool plain = folder.find_first_of("%!/") == std::string::npos;
    return fits && plain && IsAbsoluteLocalPath(folder) ? folder : std::string();
}

const std::string& Parent(WorkDir& dir) {
    if (!dir.parentRead) {
        dir.parentRead = true;
        dir.parent = ReadParent();
    }
    return dir.parent;
}

// Made and opened in one step; Ok, Taken (the name exists) or Failed.
enum class MakeResult { Ok, Taken, Failed };

MakeResult CreateHeld(const std::string& folder, PSECURITY_DESCRIPTOR descriptor,
                      CFileHandle* held) {
    CNativeOpen open;
    open.descriptor = descriptor;
    open.access = READ_CONTROL | SYNCHRONIZE | FILE_READ_ATTRIBUTES | FILE_LIST_DIRECTORY;
    open.attributes = FILE_ATTRIBUTE_NORMAL;
    // Neither write nor delete sharing: while held, the folder can be neither renamed away nor
    // turned into a mount point.
    open.share = FILE_SHARE_READ;
    open.disposition = kFileCreate;
    open.options = kDirectoryFile | kSynchronousIo | kOpenReparsePoint;
    HANDLE made = nullptr;
    const LONG status = NativeCreate(L"\\??\\" + Wide(folder), open, &made);
    if (status == kNameCollision) {
        return MakeResult::Taken;
    }
    if (status < 0) {
        return MakeResult::Failed;
    }
    held->Reset(made);
    return MakeResult::Ok;
}

// What the handle holds is the folder asked for: where it was meant to be (no link on the way),
// not itself a link, and owned by someone the installer trusts.
bool IsWhereMeant(HANDLE held, const std::string& folder) {
    std::wstring actual = FinalPath(held);
    const std::wstring prefix = L"\\\\?\\";
    if (actual.compare(0, prefix.size(), prefix) == 0) {
        actual.erase(0, prefix.size());
    }
    const std::wstring meant = Wide(folder);
    BY_HANDLE_FILE_INFORMATION information{};
    return !actual.empty() &&
           CompareStringOrdinal(actual.c_str(), -1, meant.c_str(), -1, TRUE) == CSTR_EQUAL &&
           GetFileInformationByHandle(held, &information) &&
           (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (information.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0 &&
           HasTrustedOwner(held);
}

// The empty folder this process just made, removed where it landed. The hold has no DELETE
// access: under Wine a folder held with it lets no program started from inside it run.
void RemoveMade(CFileHandle* held) {
    const std::wstring landed = FinalPath(held->Get());
    held->Reset();
    if (!landed.empty()) {
        RemoveDirectoryW(landed.c_str());
    }
}

// Made with the descriptor, as a new folder, and held; empty on any doubt.
std::string MakeProtectedFolder(WorkDir& dir) {
    const std::string parent = Parent(dir);
    if (parent.empty()) {
        return {};
    }
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kWorkDirDescriptor, SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
        return {};
    }
    std::string made;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const std::string folder = parent + kWorkDirPrefix + RandomSuffix(dir);
        // FILE_CREATE fails on anything already there, a planted folder or link included.
        const MakeResult result = CreateHeld(folder, descriptor, &dir.held);
        if (result == MakeResult::Taken) {
            continue;
        }
        if (result == MakeResult::Ok) {
            if (IsWhereMeant(dir.held.Get(), folder)) {
                made = folder;
            } else {
                RemoveMade(&dir.held);
            }
        }
        break;
    }
    LocalFree(descriptor);
    return made;
}

}  // namespace

std::string WorkDirParent() {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    return Parent(dir);
}

TempWorkDirState PrepareTempWorkDir() {
    WorkDir& dir = TheWorkDir();
    std::lock_guard<std::mutex> lock(dir.mutex);
    if (!dir.tried) {
        dir.tried = true;
        const std::string folder = MakeProtectedFolder(dir);
        if (!folder.empty()) {
            dir.path = folder + "\\";
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
