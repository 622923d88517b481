#include "EngineTestSupport.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "engine/UnpackLimit.h"
#include "product/SetupConfig.h"

namespace enginetest {

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string ResourceBytes(int id, const char* type) {
    HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
    if (found == nullptr) {
        return {};
    }
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(nullptr, found)));
    return std::string(bytes, SizeofResource(nullptr, found));
}

std::string InstallationFolder(const std::string& root) {
    const ProductFolderNames names = CSetupConfig::Instance().GetProductFolderNames();
    return root + "\\" + names.productFolder + "\\" + names.clientFolder;
}

std::string OwnFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

CScopedSequentialExtraction::CScopedSequentialExtraction() {
    SetEnvironmentVariableA(SetUp::kSequentialExtractionVariable, "1");
}

CScopedSequentialExtraction::~CScopedSequentialExtraction() {
    SetEnvironmentVariableA(SetUp::kSequentialExtractionVariable, nullptr);
}

}  // namespace enginetest
