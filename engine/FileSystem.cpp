#include "engine/FileSystem.h"

#include <direct.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cstdint>
#include <cstdio>

#include "app/SetupConfig.h"
#include "app/SystemInfo.h"
#include "engine/Handles.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

class CFindFile {
public:
    explicit CFindFile(HANDLE find) : find_(find) {}
    ~CFindFile() {
        if (find_ != INVALID_HANDLE_VALUE) {
            FindClose(find_);
        }
    }
    CFindFile(const CFindFile&) = delete;
    CFindFile& operator=(const CFindFile&) = delete;
    HANDLE Get() const { return find_; }
    explicit operator bool() const { return find_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE find_;
};

class CRuntimeFind {
public:
    explicit CRuntimeFind(intptr_t find) : find_(find) {}
    ~CRuntimeFind() {
        if (find_ != -1) {
            _findclose(find_);
        }
    }
    CRuntimeFind(const CRuntimeFind&) = delete;
    CRuntimeFind& operator=(const CRuntimeFind&) = delete;
    intptr_t Get() const { return find_; }
    explicit operator bool() const { return find_ != -1; }

private:
    intptr_t find_;
};

bool Exists(const std::string& path) {
    return _access(path.c_str(), 0) == 0;
}

bool IsDotEntry(const char* name) {
    return lstrcmpA(name, ".") == 0 || lstrcmpA(name, "..") == 0;
}

std::string ProgramFilesProductDir(const char* separator) {
    return std::string(1, SystemDriveLetter()) + ":" + separator + "Program Files (x86)" +
           separator + GetProductFolderNames().productFolder;
}

// Creates every missing level of an absolute path; either kind of slash.
void CreateFolderTree(const std::string& path) {
    for (size_t i = 0; i <= path.size(); ++i) {
        if (i == path.size() || path[i] == '\\' || path[i] == '/') {
            const std::string level = path.substr(0, i);
            if (!level.empty() && level.back() != ':' && !Exists(level)) {
                _mkdir(level.c_str());
            }
        }
    }
}

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

std::string ClientComponentsFolder(const std::string& installRoot) {
    const ProductFolderNames names = GetProductFolderNames();
    return installRoot + "\\" + names.productFolder + "\\" + names.clientFolder + "\\Client\\";
}

}  // namespace

std::string GetProgramFilesProductDir() {
    return ProgramFilesProductDir("\\");
}

std::string EnsureProgramFilesProductDir() {
    const std::string folder = ProgramFilesProductDir("/");
    // Every missing level: a 32-bit Windows has no "Program Files (x86)" of its own, and the
    // uninstaller, the web server and the shortcut targets must exist where the record points.
    if (!Exists(folder)) {
        CreateFolderTree(folder);
    }
    return folder;
}

std::string GetPublicUserDataDir() {
    return std::string(1, SystemDriveLetter()) + ":\\Users\\Public\\" +
           GetProductFolderNames().productFolder;
}

std::string GetFrameworkExePath(bool client) {
    const ProductFolderNames names = GetProductFolderNames();
    const std::string& brand = CSetupConfig::Instance().brandName;
    return "/" + names.productFolder + "/" + names.clientFolder + "/" +
           (client ? "Client/" + brand + ".Framework.C.exe"
                   : "Server/" + brand + ".Framework.S.exe");
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
    CFindFile find(FindFirstFileA((path + "\\*.*").c_str(), &entry));
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
        std::printf("%s not found\n", folder.c_str());
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
    if (names.empty()) {
        std::printf("src dir is empty\n");
        return;
    }
    for (const std::string& name : names) {
        CopyFileA((source + "\\" + name).c_str(), (destination + "\\" + name).c_str(), FALSE);
    }
}

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
    const std::string manual =
        ClientComponentsFolder(ReadInstalledValue("InstallLocation")) + "User Manual.pdf";
    WIN32_FIND_DATAA entry{};
    if (!CFindFile(FindFirstFileA(manual.c_str(), &entry))) {
        return false;
    }
    // Exclusive read-write, as a viewer that holds the file open refuses it.
    CFileHandle file(CreateFileA(manual.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
}

void initInstallPath(const std::string& installRoot) {
    const ProductFolderNames names = GetProductFolderNames();
    const std::string product = installRoot + "/" + names.productFolder;
    if (!Exists(product)) {
        _mkdir(product.c_str());
    }
    const std::string installation = product + "/" + names.clientFolder;
    if (!Exists(installation)) {
        _mkdir(installation.c_str());
    }
}

void replaceMultiMediaComm(const std::string& installRoot) {
    if (!IsNative64Bit()) {
        return;
    }
    const std::string client = ClientComponentsFolder(installRoot);
    const std::string library = "MultimediaComm.dll";
    const std::string win64 = client + "RunInWin64";
    const std::string win32 = client + "RunInWin32";
    // Without the 64-bit library there is nothing to put in place: the client keeps the
    // library it has.
    if (!Exists(win64 + "\\" + library)) {
        return;
    }
    if (Exists(client + library)) {
        if (Exists(win32)) {
            DeleteFolder(win32, false);
        }
        _mkdir(win32.c_str());
        MoveFileA((client + library).c_str(), (win32 + "\\" + library).c_str());
    }
    MoveFileA((win64 + "\\" + library).c_str(), (client + library).c_str());
    DeleteFolder(win64, false);
}

}  // namespace SetUp
