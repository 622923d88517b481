#include "base/TempWorkDir.h"

#include <direct.h>
#include <io.h>
#include <windows.h>

#include "base/FileSystem.h"
#include "base/Handles.h"

namespace SetUp {

std::string GetTempWorkDir() {
    char temp[260] = {};
    GetTempPathA(sizeof(temp), temp);
    const std::string folder = std::string(temp) + "InstallationTempFile";
    if (_access(folder.c_str(), 0) != 0) {
        _mkdir(folder.c_str());
    }
    return folder + "\\";
}

void DeleteTempWorkDir() {
    DeleteFolder(GetTempWorkDir(), false);
}

bool WriteResourceToFile(const std::string& path, int id, const char* type) {
    CFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                                 CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
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

void SaveResourceToTemp(const std::string& fileName, int id, const char* type) {
    if (WriteResourceToFile(GetTempWorkDir() + fileName, id, type)) {
        // Give scanners that open new files a moment before the file is used.
        Sleep(100);
    }
}

}  // namespace SetUp
