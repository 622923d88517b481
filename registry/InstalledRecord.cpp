#include "registry/InstalledRecord.h"

#include <windows.h>

#include "base/Handles.h"
#include "base/InstallPathRule.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"

namespace SetUp {

const char kRunAtWorkValue[] = "SetupRunAtWork";

const char kBrowserEmulationKey[] =
    "SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";
const char kCompanionPluginKey[] = "SOFTWARE\\MozillaPlugins\\Veskar";
const char* const kBrowserEmulationProgramsRows[] = {
    "Korvane.Framework.C.exe", "Korvane.DeviceManagement.C.exe", "Korvane.DeviceManagement.S.exe"};
const CTableView<const char*> kBrowserEmulationPrograms(kBrowserEmulationProgramsRows);

namespace {

const DWORD kValueBufferSize = 1024;

// The text of a value, up to its first NUL and never beyond the returned size.
bool QueryText(HKEY key, const char* name, std::string* text) {
    char buffer[kValueBufferSize] = {};
    DWORD size = sizeof(buffer);
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size) !=
        ERROR_SUCCESS) {
        return false;
    }
    // A number or bytes where a text belongs is damage, read as no value at all.
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false;
    }
    size_t length = 0;
    while (length < size && buffer[length] != '\0') {
        ++length;
    }
    text->assign(buffer, length);
    return true;
}

std::string ReadValue(HKEY root, const std::string& keyPath, const char* name) {
    CRegKey key;
    std::string text;
    if (RegOpenKeyExA(root, keyPath.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS ||
        !QueryText(key.Get(), name, &text)) {
        return {};
    }
    return text;
}

bool IsRecorded(ProductVariant variant) {
    CRegKey key;
    std::string guid;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath(variant).c_str(), 0, KEY_READ,
                         key.Receive()) == ERROR_SUCCESS &&
           QueryText(key.Get(), "ProductGuid", &guid);
}

bool IsDottedNumber(const std::string& text) {
    for (const std::string& piece : SplitString(text, '.')) {
        if (piece.empty() || piece.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
    }
    return true;
}

// These two steer what the elevated installer deletes and writes: the version names the
// Start-menu folder, the location holds every product folder. A value that breaks its rule reads
// as absent, like a value of the wrong type.
bool FollowsItsRule(const std::string& name, const std::string& value) {
    if (value.empty()) {
        return true;
    }
    if (name == "DisplayVersion") {
        return IsDottedNumber(value);
    }
    if (name == "InstallLocation") {
        return IsValidInstallPath(value);
    }
    return true;
}

}  // namespace

std::string UninstallRootPath() {
    return IsNative64Bit()
               ? "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
               : "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
}

std::string ProductKeyPath(ProductVariant variant) {
    return UninstallRootPath() + ProductCodeByVariant(variant);
}

std::vector<ProductVariant> EnumerateInstalledVariants() {
    std::vector<ProductVariant> variants;
    for (const auto& row : kProductCodeByVariant) {
        if (IsRecorded(row.variant)) {
            variants.push_back(row.variant);
        }
    }
    return variants;
}

std::string ReadUninstallValue(ProductVariant variant, const std::string& name) {
    const std::string value = ReadValue(HKEY_LOCAL_MACHINE, ProductKeyPath(variant), name.c_str());
    return FollowsItsRule(name, value) ? value : std::string();
}

std::string ReadInstalledValue(const std::string& name) {
    const auto variants = EnumerateInstalledVariants();
    return variants.size() == 1 ? ReadUninstallValue(variants[0], name) : std::string();
}

std::string EncodeComponentList(const std::vector<int32_t>& components) {
    std::string text;
    for (int32_t component : components) {
        if (!text.empty()) {
            text += '#';
        }
        text += std::to_string(component);
    }
    return text;
}

InstalledComponents DecodeComponentList(const std::string& text) {
    InstalledComponents result;
    for (const std::string& piece : SplitString(text, '#')) {
        const auto number = ParseDecimal(piece);
        if (!number) {
            continue;
        }
        (*number <= 100 ? result.client : result.server).push_back(*number);
    }
    return result;
}

InstalledComponents ReadInstalledComponents() {
    const auto variants = EnumerateInstalledVariants();
    if (variants.size() != 1) {
        return {};
    }
    const std::string list = ReadUninstallValue(variants[0], "ComponentList");
    if (list.empty()) {
        return {};
    }
    InstalledComponents result = DecodeComponentList(list);
    // A list without one valid piece ("##") is no list: detection falls back to the description
    // file or the blind upgrade instead of upgrading nothing.
    if (result.client.empty() && result.server.empty()) {
        return {};
    }
    result.found = true;
    return result;
}

std::string ReadCompanionPluginVersion() {
    return ReadValue(HKEY_CURRENT_USER, kCompanionPluginKey, "CurrentVersion");
}

namespace {

// The edition's record, created when missing; an invalid key when that fails.
CRegKey CreateRecordKey(ProductVariant variant) {
    CRegKey root;
    CRegKey record;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, UninstallRootPath().c_str(), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, root.Receive(),
                        nullptr) == ERROR_SUCCESS) {
        RegCreateKeyA(root.Get(), ProductCodeByVariant(variant).c_str(), record.Receive());
    }
    return record;
}

}  // namespace

void WriteUninstallValue(const std::string& name, const std::string& text, ProductVariant variant) {
    const CRegKey record = CreateRecordKey(variant);
    if (!record) {
        return;
    }
    RegSetValueExA(record.Get(), name.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

void WriteUninstallNumber(const std::string& name, unsigned long value, ProductVariant variant) {
    const CRegKey record = CreateRecordKey(variant);
    if (!record) {
        return;
    }
    const DWORD number = value;
    RegSetValueExA(record.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                   sizeof(number));
}

void DeleteUninstallValue(const std::string& name, ProductVariant variant) {
    CRegKey record;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath(variant).c_str(), 0, KEY_SET_VALUE,
                      record.Receive()) == ERROR_SUCCESS) {
        RegDeleteValueA(record.Get(), name.c_str());
    }
}

void SetBrowserEmulation(const std::string& programFileName) {
    CRegKey key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kBrowserEmulationKey, 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, key.Receive(),
                        nullptr) != ERROR_SUCCESS) {
        return;
    }
    const DWORD mode = kBrowserEmulationMode;
    RegSetValueExA(key.Get(), programFileName.c_str(), 0, REG_DWORD,
                   reinterpret_cast<const BYTE*>(&mode), sizeof(mode));
}

void DeleteProductRecord(ProductVariant variant) {
    std::string root = UninstallRootPath();
    root.pop_back();
    CRegKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, root.c_str(), 0, KEY_SET_VALUE, key.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteKeyA(key.Get(), ProductCodeByVariant(variant).c_str());
}

void DeleteBrowserEmulation(const std::string& programFileName) {
    CRegKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kBrowserEmulationKey, 0, KEY_ALL_ACCESS, key.Receive()) !=
        ERROR_SUCCESS) {
        return;
    }
    RegDeleteValueA(key.Get(), programFileName.c_str());
}

}  // namespace SetUp
