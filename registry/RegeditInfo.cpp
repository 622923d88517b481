#include "registry/RegeditInfo.h"

#include <windows.h>

#include "base/StringUtil.h"

#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

void CRegeditInfo::WriteLanguageType() {
    WriteUninstallValue("LanguageType", config_.translator != 0 ? "C" : "E", variant);
}

void CRegeditInfo::WriteProductGuid() {
    WriteUninstallValue("ProductGuid", ProductCodeByVariant(variant), variant);
}

void CRegeditInfo::WriteUninstallString() {
    // The uninstaller always lives in the fixed Program Files folder, whatever root was chosen.
    // Quoted: the path holds blanks, and an unquoted one lets Windows try "C:\\Program.exe".
    WriteUninstallValue("UninstallString", "\"" + CFolderLayout::Uninstaller(config_) + "\"",
                        variant);
}

void CRegeditInfo::WriteComponentList(const std::vector<int32_t>& components) {
    const auto installed = EnumerateInstalledVariants();
    if (installed.size() == 1) {
        variant = installed[0];
    }
    WriteUninstallValue("ComponentList", EncodeComponentList(components), variant);
}

void CRegeditInfo::WriteProductRecord(const std::string& installRoot) {
    const CSetupConfig& config = config_;
    variant = config.productVariant;
    WriteUninstallValue("DisplayVersion", config.version, variant);
    WriteUninstallValue("InstallLocation", installRoot, variant);
    WriteLanguageType();
    WriteProductGuid();
    WriteUninstallValue("DisplayName", config.brandName, variant);
    WriteUninstallValue("Publisher", config.companyName, variant);
    for (const char* program : kBrowserEmulationPrograms) {
        SetBrowserEmulation(program);
    }
    WriteUninstallString();
    // What Apps & Features and deployment tools show besides.
    SYSTEMTIME today{};
    GetLocalTime(&today);
    WriteUninstallValue("InstallDate",
                        FormatString("%04u%02u%02u", today.wYear, today.wMonth, today.wDay),
                        variant);
    // As the maintenance page offers them: Repair always, Modify where features are chosen.
    WriteUninstallNumber("NoModify", EditionChoosesFeatures(config.productVariant) ? 0 : 1,
                         variant);
    WriteUninstallNumber("NoRepair", 0, variant);
    WriteUninstallValue(
        "DisplayIcon",
        CFolderLayout(installRoot, config).FrameworkExe(ComponentSide::Client) + ",0", variant);
}

}  // namespace SetUp
