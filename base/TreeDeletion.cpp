// DeleteFolder: a walk by handles. Every entry is opened relative to its folder's handle without
// following a reparse point, its type is read from that handle and it is deleted through it, so
// a name swapped for a link between two steps never leads the deletion anywhere else.
#include <windows.h>
#include <winternl.h>

#include <string>
#include <vector>

#include "base/DeletionSeam.h"
#include "base/FileSystem.h"
#include "base/FolderOwner.h"
#include "base/Handles.h"
#include "base/NativeFile.h"

namespace SetUp {

namespace {

// FileDispositionInfoEx and its flags: newer than the compiler's headers.
constexpr int kDispositionInfoEx = 21;
constexpr DWORD kDispositionDelete = 0x1;
constexpr DWORD kDispositionPosix = 0x2;

DeletionStepHook stepHook = nullptr;

struct CDeletion {
    // The public user-data folder and a folder the person asked to clear: other users may
    // write there, so their folders are entered and only plain entries are deleted.
    bool usersMayWrite = false;
};

// Without write or delete sharing: the entry can be neither renamed away nor turned into a
// mount point while it is held.
CFileHandle OpenEntry(HANDLE folder, const std::wstring& name) {
    if (name.empty()) {
        return CFileHandle();
    }
    CNativeOpen open;
    open.root = folder;
    open.access = DELETE | READ_CONTROL | SYNCHRONIZE | FILE_READ_ATTRIBUTES |
                  FILE_WRITE_ATTRIBUTES | FILE_LIST_DIRECTORY;
    open.share = FILE_SHARE_READ;
    open.disposition = kFileOpen;
    open.options = kOpenReparsePoint | kBackupIntent | kSynchronousIo;
    HANDLE entry = nullptr;
    const LONG status = NativeCreate(name, open, &entry);
    return CFileHandle(status >= 0 ? entry : INVALID_HANDLE_VALUE);
}

// Where the system follows a link despite kOpenReparsePoint (Wine with a Unix symbolic link),
// the handle is the target's: it does not sit where the entry was listed.
bool SitsWhereListed(HANDLE entry, const std::wstring& folderPath, const std::wstring& name) {
    const std::wstring expected = folderPath + L"\\" + name;
    const std::wstring actual = FinalPath(entry);
    return !folderPath.empty() && !actual.empty() &&
           CompareStringOrdinal(actual.c_str(), -1, expected.c_str(), -1, TRUE) == CSTR_EQUAL;
}

std::vector<std::wstring> ListNames(HANDLE folder) {
    std::vector<std::wstring> names;
    std::vector<LONGLONG> buffer(8192);  // 64 KB, aligned for the records
    FILE_INFO_BY_HANDLE_CLASS kind = FileFullDirectoryRestartInfo;
    while (GetFileInformationByHandleEx(folder, kind, buffer.data(),
                                        static_cast<DWORD>(buffer.size() * sizeof(LONGLONG)))) {
        kind = FileFullDirectoryInfo;
        auto* record = reinterpret_cast<const unsigned char*>(buffer.data());
        for (;;) {
            const auto* entry = reinterpret_cast<const FILE_FULL_DIR_INFO*>(record);
            const std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
            if (name != L"." && name != L"..") {
                names.push_back(name);
            }
            if (entry->NextEntryOffset == 0) {
                break;
            }
            record += entry->NextEntryOffset;
        }
    }
    return names;
}

// True when the entry is marked; it goes when its last handle closes.
bool MarkForDeletion(HANDLE entry, DWORD attributes) {
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        FILE_BASIC_INFO basic{};  // zero times stay as they are
        basic.FileAttributes = attributes & ~FILE_ATTRIBUTE_READONLY;
        if (basic.FileAttributes == 0) {
            basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
        }
        SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof(basic));
    }
    // POSIX semantics free the name at once, so the parent empties even while another program
    // still holds an entry; systems without it refuse the call.
    struct {
        DWORD flags;
    } posix{kDispositionDelete | kDispositionPosix};
    if (SetFileInformationByHandle(entry,
                                   static_cast<FILE_INFO_BY_HANDLE_CLASS>(kDispositionInfoEx),
                                   &posix, sizeof(posix))) {
        return true;
    }
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    return SetFileInformationByHandle(entry, FileDispositionInfo, &disposition,
                                      sizeof(disposition)) != FALSE;
}

bool DeleteEntry(const CDeletion& deletion, HANDLE folder, const std::wstring& folderPath,
                 const std::wstring& name);

bool DeleteFolderThrough(const CDeletion& deletion, HANDLE folder, DWORD attributes) {
    if (!deletion.usersMayWrite && !HasTrustedOwner(folder)) {
        return false;
    }
    const std::wstring path = FinalPath(folder);
    const std::vector<std::wstring> names = ListNames(folder);
    bool whole = true;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0 && stepHook != nullptr) {
            stepHook();
        }
        whole = DeleteEntry(deletion, folder, path, names[i]) && whole;
    }
    return whole && MarkForDeletion(folder, attributes);
}

// True when the entry is marked for deletion, its content gone before it.
bool DeleteEntry(const CDeletion& deletion, HANDLE folder, const std::wstring& folderPath,
                 const std::wstring& name) {
    CFileHandle entry = OpenEntry(folder, name);
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!entry ||
        !GetFileInformationByHandleEx(entry.Get(), FileAttributeTagInfo, &tag, sizeof(tag)) ||
        !SitsWhereListed(entry.Get(), folderPath, name)) {
        return false;
    }
    if ((tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
        // The link itself goes, never what it points at; where users may write, not even that.
        return !deletion.usersMayWrite && MarkForDeletion(entry.Get(), tag.FileAttributes);
    }
    if ((tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return DeleteFolderThrough(deletion, entry.Get(), tag.FileAttributes);
    }
    return MarkForDeletion(entry.Get(), tag.FileAttributes);
}

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

}  // namespace

void SetDeletionStepHook(DeletionStepHook hook) {
    stepHook = hook;
}

bool DeleteFolder(const std::string& path, bool usersMayWrite) {
    // Both kinds of slash come from the callers. A relative path or one on the current drive's
    // root ("\\Programs\\...", from a failed shell call) is never deleted, nor a drive's root.
    const std::string target = WithBackslashes(path);
    const size_t last = target.find_last_of('\\');
    if (!IsAbsoluteLocalPath(target) || last == std::string::npos || last + 1 == target.size()) {
        return true;
    }
    // The folders above the root are the caller's to name; links among them are followed.
    const std::string parentPath = target.substr(0, last + 1);
    CFileHandle parent(CreateFileA(parentPath.c_str(), FILE_TRAVERSE | SYNCHRONIZE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                   OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!parent) {
        return true;
    }
    CDeletion deletion;
    deletion.usersMayWrite = usersMayWrite;
    const bool marked =
        DeleteEntry(deletion, parent.Get(), FinalPath(parent.Get()), Wide(target.substr(last + 1)));
    // Without POSIX semantics a folder goes only when its last handle closes, so the path tells.
    return !marked || GetFileAttributesA(target.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace SetUp
