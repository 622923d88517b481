#include "engine/InstallMode.h"

#include "base/StringUtil.h"
#include "deploy/ProductXmlHandler.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

void CInstallMode::Detect(const CSetupConfig& config) {
    interrupted = !SetUp::ReadInstalledValue(SetUp::kRunAtWorkValue).empty();
    const auto variants = SetUp::EnumerateInstalledVariants();
    if (variants.empty()) {
        installType = InstallType::Fresh;
        return;
    }
    const CSetupConfig* settings = variants.size() == 1 ? &config : nullptr;
    if (settings == nullptr || variants[0] != settings->productVariant) {
        installType = InstallType::OtherEditionInstalled;
        return;
    }
    const std::string installed = SetUp::ReadInstalledValue("DisplayVersion");
    switch (CompareVersions(settings->version, installed)) {
        case 0:
            installType = InstallType::Maintenance;
            break;
        case 1:
            installType =
                ClassifyUpgrade(*settings, installed, SetUp::ReadInstalledValue("InstallLocation"));
            break;
        default:
            installType = InstallType::NewerInstalled;
            break;
    }
}

int32_t CompareVersions(const std::string& newVersion, const std::string& installedVersion) {
    const auto a = SplitString(newVersion, '.');
    const auto b = SplitString(installedVersion, '.');
    for (size_t i = 0; i < a.size(); ++i) {
        const int32_t left = DecimalOrZero(a[i]);
        const int32_t right = i < b.size() ? DecimalOrZero(b[i]) : 0;
        if (left > right) {
            return 1;
        }
        if (left < right) {
            return 2;
        }
    }
    return 0;
}

InstallType ClassifyUpgrade(const CSetupConfig& config, const std::string& /*installedVersion*/,
                            const std::string& installedLocation) {
    if (SetUp::ReadInstalledComponents().found) {
        return InstallType::UpgradeByComponentList;
    }
    return SetUp::CProductXmlHandler(installedLocation, config).ClientDescriptionExists()
               ? InstallType::UpgradeByDescription
               : InstallType::UpgradeBlind;
}

bool IsSameEdition(const CSetupConfig& config) {
    const std::string name = SetUp::ReadInstalledValue("DisplayName");
    if (name.find(config.brandName) == std::string::npos) {
        return false;
    }
    const char letter = config.translator != 0 ? 'C' : 'E';
    if (name.find('C') == std::string::npos && name.find('E') == std::string::npos) {
        const std::string languageType = SetUp::ReadInstalledValue("LanguageType");
        return languageType.empty() || languageType == std::string(1, letter);
    }
    return name.find(letter) != std::string::npos;
}
