#pragma once
// Preparing the machine of a test: Uninstall records, files and configurations, on the real
// registry and file system of the test's own Wine prefix.
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "product/SetupConfig.h"

// Editions print as their numbers in test messages.
inline std::ostream& operator<<(std::ostream& out, ProductVariant variant) {
    return out << static_cast<int32_t>(variant);
}

namespace testbed {

// Deletes the records of all six editions (both Uninstall roots).
void RemoveAllRecords();

// Creates the edition's record under the current Uninstall root with the given REG_SZ values.
// ProductGuid is added unless the map holds it or withGuid is false.
void CreateRecord(ProductVariant variant, const std::map<std::string, std::string>& values,
                  bool withGuid = true);

// A configuration as the embedded file would give it, for tests that vary the settings.
CSetupConfig MakeConfig(ProductVariant variant, int32_t brandType = 1, int32_t translator = 0,
                        int32_t uiLanguage = 0, const std::string& brandName = "Velmora",
                        const std::string& version = "1.11.1.7");

// Writes text to a file, creating missing folders.
void WriteFile(const std::string& path, const std::string& text);

// A new empty folder under the temporary folder, unique to the call.
std::string MakeTempFolder(const std::string& hint);

// Expected values written once, as data: "[name]" opens a list, every other line that is neither
// empty nor a "#" comment is one entry of the list above it. Fails the test when unreadable.
using GoldenLists = std::map<std::string, std::vector<std::string>>;
GoldenLists ReadGoldenLists(const std::string& path);

// The language the test run was promised (SETUP_TEST_LANGID), 1033 when unset.
int PromisedLanguageId();

// Sets a variable of this process's environment for the object's life, as the signed-in user's
// environment would; puts back what was there, or nothing.
class CScopedVariable {
public:
    CScopedVariable(const char* name, const std::string& value);
    ~CScopedVariable();
    CScopedVariable(const CScopedVariable&) = delete;
    CScopedVariable& operator=(const CScopedVariable&) = delete;

private:
    const char* name_;
    std::string saved_;
    bool had_ = false;
};

// The variable's value in this process's environment; empty when unset.
std::string Variable(const char* name);

// Every entry below the folder, by full path; folders too, with a trailing backslash, when
// withFolders is set.
std::vector<std::string> ListTree(const std::string& folder, bool withFolders);

}  // namespace testbed
