#include "engine/InstallFolders.h"

#include <direct.h>
#include <windows.h>
#include <shlwapi.h>

#include <vector>

#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "product/FolderLayout.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

// The path split at every backslash; no pieces for the empty path.
std::vector<std::string> SplitAtBackslashes(const std::string& path) {
    std::vector<std::string> pieces;
    if (path.empty()) {
        return pieces;
    }
    std::string::size_type start = 0;
    for (;;) {
        const auto end = path.find('\\', start);
        pieces.push_back(path.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) {
            return pieces;
        }
        start = end + 1;
    }
}

void MakeFolderIfMissing(const std::string& folder) {
    if (!PathExists(folder)) {
        _mkdir(folder.c_str());
    }
}

}  // namespace

bool IsValidInstallPath(const std::string& path) {
    const std::vector<std::string> pieces = SplitAtBackslashes(path);
    if (pieces.empty() || !PathIsRootA((pieces.front() + "\\").c_str())) {
        return false;
    }
    // '%' too: the command processor expands %NAME% even inside quotes, so such a root would
    // install somewhere else than chosen.
    for (size_t i = 1; i < pieces.size(); ++i) {
        if (pieces[i].find_first_of("\\/:*?\"<>|%") != std::string::npos) {
            return false;
        }
    }
    return true;
}

bool IsUserManualOpen() {
    // The engine's install root is the record's InstallLocation.
    const std::string manual = CFolderLayout(ReadInstalledValue("InstallLocation")).UserManual();
    WIN32_FIND_DATAA entry{};
    if (!CFindHandle(FindFirstFileA(manual.c_str(), &entry))) {
        return false;
    }
    // Exclusive read-write, as a viewer that holds the file open refuses it.
    CFileHandle file(CreateFileA(manual.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
}

void initInstallPath(const std::string& installRoot) {
    const CFolderLayout layout(installRoot);
    MakeFolderIfMissing(layout.ProductDir('/'));
    MakeFolderIfMissing(layout.InstallationDir('/'));
}

void replaceMultiMediaComm(const std::string& installRoot) {
    if (!IsNative64Bit()) {
        return;
    }
    const std::string client = CFolderLayout(installRoot).ComponentsDir(ComponentSide::Client);
    const std::string library = "MultimediaComm.dll";
    const std::string win64 = client + "RunInWin64";
    const std::string win32 = client + "RunInWin32";
    // Without the 64-bit library there is nothing to put in place: the client keeps the
    // library it has.
    if (!PathExists(win64 + "\\" + library)) {
        return;
    }
    if (PathExists(client + library)) {
        if (PathExists(win32)) {
            DeleteFolder(win32, false);
        }
        _mkdir(win32.c_str());
        MoveFileA((client + library).c_str(), (win32 + "\\" + library).c_str());
    }
    MoveFileA((win64 + "\\" + library).c_str(), (client + library).c_str());
    DeleteFolder(win64, false);
}

}  // namespace SetUp
