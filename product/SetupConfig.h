#pragma once
// The embedded setup configuration: edition, version, brand and two switches.
#include <cstdint>
#include <optional>
#include <string>

#include "product/Catalogue.h"

namespace tinyxml2 {
class XMLDocument;
}

struct ProductFolderNames {
    std::string productFolder;  // brand + " " + type name
    std::string clientFolder;   // the same + " Client" (edition FULL: brand + " Client")
};

class CSetupConfig {
public:
    std::string version;
    std::string companyName;
    ProductVariant productVariant = ProductVariant::FULL;
    int32_t translator = 0;
    UiLanguage uiLanguage = UiLanguage::English;
    int32_t brandType = 0;
    std::string brandName;

    // The one configuration, parsed from resource "XML" 260 in memory on the first call. A
    // configuration that cannot be found or parsed stops the program with a message (exit code 1).
    static const CSetupConfig& Instance();

    // Reads a configuration file; on failure returns nothing and says why in *error. Refused:
    // a missing setting, an unknown product type, a version that is not a dotted number, a
    // setting over 1,024 bytes.
    static std::optional<CSetupConfig> FromFile(const std::string& path, std::string* error);
    // The same from the configuration's text in memory.
    static std::optional<CSetupConfig> FromText(const std::string& text, std::string* error);

    ProductFolderNames GetProductFolderNames() const;

private:
    static std::optional<CSetupConfig> FromDocument(const tinyxml2::XMLDocument& document,
                                                    std::string* error);
};

// The name of component n: its suffix for 0 and 101, the brand name and the suffix otherwise.
std::string ComponentName(int32_t component);
std::string ComponentName(const CSetupConfig& config, int32_t component);
