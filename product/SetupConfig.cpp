#include "product/SetupConfig.h"

#include <windows.h>

#include <tinyxml2.h>

#include "base/ProcessWide.h"
#include "base/StringUtil.h"
#include "base/TempWorkDir.h"
#include "product/Catalogue.h"
#include "product/ResourceIds.h"

namespace {

// Longer settings are damage, not a brand: every name built from them must fit a path.
const size_t kMaxSettingBytes = 1024;

// Digits in dot-separated pieces, "1.11.1.7": the record and the upgrade rules compare them.
bool IsVersionText(const std::string& text) {
    if (text.empty() || text.front() == '.' || text.back() == '.') {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' ? text[i + 1] == '.' : (c < '0' || c > '9')) {
            return false;
        }
    }
    return true;
}

// The text of <name><Value>text</Value></name> under the root, or nothing when the setting is
// missing. A Value without a text child reads as the empty text.
std::optional<std::string> ReadSetting(const tinyxml2::XMLElement* root, const char* name) {
    const tinyxml2::XMLElement* setting = root->FirstChildElement(name);
    const tinyxml2::XMLElement* value = setting ? setting->FirstChildElement("Value") : nullptr;
    if (value == nullptr) {
        return std::nullopt;
    }
    const tinyxml2::XMLNode* child = value->FirstChild();
    const tinyxml2::XMLText* text = child ? child->ToText() : nullptr;
    // The file is UTF-8 while the program works in the ANSI code page.
    return text ? Utf8ToAnsi(text->Value()) : std::string();
}

[[noreturn]] void FailStartUp(const std::string& reason) {
    const std::string message = "The setup configuration of this installer is damaged (" + reason +
                                "). The installation cannot continue.";
    MessageBoxA(nullptr, message.c_str(), "Setup", MB_OK | MB_ICONERROR);
    SetUp::DeleteTempWorkDir();
    ExitProcess(1);
}

}  // namespace

std::optional<CSetupConfig> CSetupConfig::FromFile(const std::string& path, std::string* error) {
    tinyxml2::XMLDocument document;
    if (document.LoadFile(path.c_str()) != tinyxml2::XML_SUCCESS) {
        *error = "cannot read " + path + ": " + document.ErrorName();
        return std::nullopt;
    }
    return FromDocument(document, error);
}

std::optional<CSetupConfig> CSetupConfig::FromText(const std::string& text, std::string* error) {
    tinyxml2::XMLDocument document;
    if (text.empty() || document.Parse(text.c_str(), text.size()) != tinyxml2::XML_SUCCESS) {
        *error = std::string("cannot parse the configuration: ") +
                 (text.empty() ? "empty" : document.ErrorName());
        return std::nullopt;
    }
    return FromDocument(document, error);
}

std::optional<CSetupConfig> CSetupConfig::FromDocument(const tinyxml2::XMLDocument& document,
                                                       std::string* error) {
    const tinyxml2::XMLElement* root = document.FirstChildElement();
    if (root == nullptr) {
        *error = "no root element";
        return std::nullopt;
    }
    const char* names[] = {"Version",   "ProductType", "Translator",
                           "BrandType", "BrandName",   "CompanyName"};
    std::string values[6];
    for (int i = 0; i < 6; ++i) {
        const auto value = ReadSetting(root, names[i]);
        if (!value) {
            *error = std::string("missing setting ") + names[i];
            return std::nullopt;
        }
        if (value->size() > kMaxSettingBytes) {
            *error = std::string("setting ") + names[i] + " is too long";
            return std::nullopt;
        }
        values[i] = *value;
    }
    if (!IsVersionText(values[0])) {
        *error = "version \"" + values[0] + "\" is not a dotted number";
        return std::nullopt;
    }
    const auto variant = VariantByName(values[1]);
    if (!variant) {
        *error = "unknown product type \"" + values[1] + "\"";
        return std::nullopt;
    }
    CSetupConfig config;
    config.version = values[0];
    config.productVariant = *variant;
    config.translator = DecimalOrZero(values[2]);
    config.brandType = DecimalOrZero(values[3]);
    config.brandName = values[4];
    config.companyName = values[5];
    config.uiLanguage =
        static_cast<UiLanguage>(GetSystemDefaultLangID() == 2052 ? config.translator : 0);
    return config;
}

const CSetupConfig& CSetupConfig::Instance() {
    return CProcessWide<CSetupConfig>::Get([] {
        // Parsed where the resource lies: no file another program could change in between.
        std::string error;
        auto config = FromText(SetUp::ResourceText(IDR_SETUP_CONFIG, "XML"), &error);
        if (!config) {
            FailStartUp(error);
        }
        return new CSetupConfig(std::move(*config));
    });
}

ProductFolderNames CSetupConfig::GetProductFolderNames() const {
    const std::string typeName = VariantTypeName(productVariant).value_or("");
    ProductFolderNames names;
    names.productFolder = brandName + " " + typeName;
    names.clientFolder = productVariant == ProductVariant::FULL ? brandName + " Client"
                                                                : names.productFolder + " Client";
    return names;
}

std::string ComponentName(const CSetupConfig& config, int32_t component) {
    const std::string suffix = ComponentSuffix(component).value_or("");
    if (component == 0 || component == 101) {
        return suffix;
    }
    return config.brandName + suffix;
}

std::string ComponentName(int32_t component) {
    return ComponentName(CSetupConfig::Instance(), component);
}
