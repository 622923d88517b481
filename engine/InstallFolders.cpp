#include "engine/InstallFolders.h"

#include <direct.h>
#include <windows.h>

#include <algorithm>
#include <vector>

#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/ProtectedFolder.h"
#include "base/SystemInfo.h"
#include "product/FolderLayout.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

bool IsUserManualOpen(const CSetupConfig& config) {
    // The engine's install root is the record's InstallLocation.
    const std::string manual =
        CFolderLayout(ReadInstalledValue("InstallLocation"), config).UserManual();
    WIN32_FIND_DATAA entry{};
    if (!CFindHandle(FindFirstFileA(manual.c_str(), &entry))) {
        return false;
    }
    // Exclusive read-write, as a viewer that holds the file open refuses it.
    CFileHandle file(CreateFileA(manual.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
}

void initInstallPath(const std::string& installRoot, const CSetupConfig& config) {
    const CFolderLayout layout(installRoot, config);
    // The root too, when the installer is the one to make it: what it inherits from a data
    // drive's root lets every user change it.
    MakeProtectedFolderTree(layout.ProductDir('\\'));
    MakeProtectedFolder(layout.InstallationDir('\\'));
}

void replaceMultiMediaComm(const std::string& installRoot, const CSetupConfig& config) {
    if (!IsNative64Bit()) {
        return;
    }
    const std::string client =
        CFolderLayout(installRoot, config).ComponentsDir(ComponentSide::Client);
    const std::string library = "MultimediaComm.dll";
    const std::string win64 = client + "RunInWin64";
    const std::string win32 = client + "RunInWin32";
    // Without the 64-bit library there is nothing to put in place: the client keeps the
    // library it has.
    if (!PathExists(win64 + "\\" + library)) {
        return;
    }
    const std::string current = client + library;
    const std::string keptAside = win32 + "\\" + library;
    bool movedAside = false;
    if (PathExists(current)) {
        if (PathExists(win32)) {
            DeleteFolder(win32, false);
        }
        _mkdir(win32.c_str());
        // Without the 32-bit library kept aside the swap does not happen at all.
        if (!MoveFileA(current.c_str(), keptAside.c_str())) {
            return;
        }
        movedAside = true;
    }
    if (!MoveFileA((win64 + "\\" + library).c_str(), current.c_str())) {
        // The client keeps the library it had; the 64-bit one stays where it was.
        if (movedAside) {
            MoveFileA(keptAside.c_str(), current.c_str());
        }
        return;
    }
    // Only now that it is in place does its old folder go.
    DeleteFolder(win64, false);
}

}  // namespace SetUp
