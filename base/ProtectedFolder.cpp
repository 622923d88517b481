#include "base/ProtectedFolder.h"

#include <windows.h>
#include <sddl.h>

#include "base/FileSystem.h"
#include "base/FolderOwner.h"
#include "base/Handles.h"

namespace SetUp {

const char kProtectedFolderDescriptor[] =
    "D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)"
    "(A;OICI;FA;;;S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464)"
    "(A;OICI;0x1200a9;;;BU)";

namespace {

class CLocalDescriptor {
public:
    CLocalDescriptor() {
        ConvertStringSecurityDescriptorToSecurityDescriptorA(
            kProtectedFolderDescriptor, SDDL_REVISION_1, &descriptor_, nullptr);
    }
    ~CLocalDescriptor() { LocalFree(descriptor_); }
    CLocalDescriptor(const CLocalDescriptor&) = delete;
    CLocalDescriptor& operator=(const CLocalDescriptor&) = delete;
    PSECURITY_DESCRIPTOR Get() const { return descriptor_; }

private:
    PSECURITY_DESCRIPTOR descriptor_ = nullptr;
};

}  // namespace

bool MakeProtectedFolder(const std::string& path) {
    if (PathExists(path)) {
        return true;
    }
    const CLocalDescriptor descriptor;
    if (descriptor.Get() == nullptr) {
        return false;
    }
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), descriptor.Get(), FALSE};
    return CreateDirectoryA(path.c_str(), &attributes) != FALSE || PathExists(path);
}

void MakeProtectedFolderTree(const std::string& path) {
    for (const std::string& level : PathLevels(path)) {
        MakeProtectedFolder(level);
    }
}

bool IsDriveForProtectedFolders(const std::string& path) {
    if (!IsAbsoluteLocalPath(path)) {
        return false;
    }
    const std::string drive = path.substr(0, 2) + "\\";
    DWORD flags = 0;
    if (GetDriveTypeA(drive.c_str()) != DRIVE_FIXED ||
        !GetVolumeInformationA(drive.c_str(), nullptr, 0, nullptr, nullptr, &flags, nullptr, 0)) {
        return false;
    }
    return (flags & FILE_PERSISTENT_ACLS) != 0;
}

bool HasForeignOwner(const std::string& path) {
    CFileHandle folder(
        CreateFileA(path.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!folder) {
        // Missing is not foreign; anything else that cannot be opened cannot be trusted.
        const DWORD error = GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;
    }
    return !HasTrustedOwner(folder.Get());
}

std::string ForeignOwnedLevel(const std::string& path) {
    for (const std::string& level : PathLevels(path)) {
        if (HasForeignOwner(level)) {
            return level;
        }
    }
    return {};
}

}  // namespace SetUp
