#include "common/TestMachine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>

#include "base/Handles.h"
#include "product/Catalogue.h"
#include "registry/InstalledRecord.h"

namespace testbed {

void RemoveAllRecords() {
    const char* roots[] = {"SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall",
                           "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall"};
    for (const char* root : roots) {
        for (const auto& row : kProductCodeByVariant) {
            RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(root) + "\\" + row.text).c_str());
        }
    }
}

void CreateRecord(ProductVariant variant, const std::map<std::string, std::string>& values,
                  bool withGuid) {
    SetUp::CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SetUp::ProductKeyPath(variant).c_str(), 0,
                              nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    auto all = values;
    if (withGuid && all.count("ProductGuid") == 0) {
        all["ProductGuid"] = ProductCodeByVariant(variant);
    }
    for (const auto& value : all) {
        ASSERT_EQ(RegSetValueExA(key.Get(), value.first.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.second.c_str()),
                                 static_cast<DWORD>(value.second.size() + 1)),
                  ERROR_SUCCESS);
    }
}

CSetupConfig MakeConfig(ProductVariant variant, int32_t brandType, int32_t translator,
                        int32_t uiLanguage, const std::string& brandName,
                        const std::string& version) {
    CSetupConfig config;
    config.version = version;
    config.companyName = "company";
    config.productVariant = variant;
    config.translator = translator;
    config.uiLanguage = static_cast<UiLanguage>(uiLanguage);
    config.brandType = brandType;
    config.brandName = brandName;
    return config;
}

void WriteFile(const std::string& path, const std::string& text) {
    for (size_t i = 3; i < path.size(); ++i) {
        if (path[i] == '\\' || path[i] == '/') {
            CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
        }
    }
    std::ofstream out(path, std::ios::binary);
    ASSERT_TRUE(out) << path;
    out << text;
}

std::string MakeTempFolder(const std::string& hint) {
    static std::atomic<int> counter{0};
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "t" + std::to_string(GetCurrentProcessId()) +
                               "_" + std::to_string(counter++) + "_" + hint;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

int PromisedLanguageId() {
    const char* promised = std::getenv("SETUP_TEST_LANGID");
    return promised ? std::atoi(promised) : 1033;
}

GoldenLists ReadGoldenLists(const std::string& path) {
    GoldenLists lists;
    std::ifstream in(path);
    EXPECT_TRUE(in.good()) << "cannot read " << path;
    std::string line;
    std::vector<std::string>* current = nullptr;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            current = &lists[line.substr(1, line.size() - 2)];
        } else if (current != nullptr) {
            current->push_back(line);
        }
    }
    return lists;
}

namespace {

void AddTree(const std::string& folder, bool withFolders, std::vector<std::string>* entries) {
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return;
    }
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") {
            continue;
        }
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            if (withFolders) {
                entries->push_back(folder + "\\" + name + "\\");
            }
            AddTree(folder + "\\" + name, withFolders, entries);
        } else {
            entries->push_back(folder + "\\" + name);
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

}  // namespace

std::vector<std::string> ListTree(const std::string& folder, bool withFolders) {
    std::vector<std::string> entries;
    AddTree(folder, withFolders, &entries);
    return entries;
}

CScopedVariable::CScopedVariable(const char* name, const std::string& value) : name_(name) {
    had_ = GetEnvironmentVariableA(name, nullptr, 0) > 0;
    saved_ = Variable(name);
    SetEnvironmentVariableA(name, value.c_str());
}

CScopedVariable::~CScopedVariable() {
    SetEnvironmentVariableA(name_, had_ ? saved_.c_str() : nullptr);
}

std::string Variable(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    std::string value(size, '\0');
    if (size == 0 || GetEnvironmentVariableA(name, &value[0], size) != size - 1) {
        return "";
    }
    value.resize(size - 1);
    return value;
}

}  // namespace testbed
