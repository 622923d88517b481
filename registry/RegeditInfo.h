#pragma once
// Writes the Uninstall record of one edition.
#include <cstdint>
#include <string>
#include <vector>

#include "product/Catalogue.h"
#include "product/SetupConfig.h"

namespace SetUp {

class CRegeditInfo {
public:
    explicit CRegeditInfo(const CSetupConfig& config) : config_(config) {}

    ProductVariant variant = ProductVariant::FULL;

    void WriteLanguageType();
    void WriteProductGuid();
    void WriteUninstallString();
    // Switches to the single installed edition, if there is exactly one, then writes the list.
    void WriteComponentList(const std::vector<int32_t>& components);
    // Every value but ComponentList, and the browser-emulation values.
    void WriteProductRecord(const std::string& installRoot);

private:
    CSetupConfig config_;
};

}  // namespace SetUp
