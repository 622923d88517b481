#pragma once
// The product catalogue: editions, components, features and runtimes. Constant tables, looked up
// by exact key; a lookup that finds nothing says so (empty optional or null row).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/TableView.h"

enum class ProductVariant : int32_t { FULL = 0, AC = 1, VS = 2, SL = 3, SC = 4, DP = 5 };

// The language of the texts. A configuration may hold another number; it then has no texts.
enum class UiLanguage : int32_t { English = 0, Chinese = 1 };

struct VariantName {
    const char* key;
    ProductVariant variant;
};
struct VariantText {
    ProductVariant variant;
    const char* text;
};
struct VariantNumber {
    ProductVariant variant;
    int32_t number;
};
struct ComponentNumber {
    int32_t component;
    int32_t number;
};
struct ComponentText {
    int32_t component;
    const char* text;
};
struct FeatureText {
    int32_t feature;
    const char* text;
};
struct FeatureComponentList {
    int32_t feature;
    std::vector<int32_t> components;
};
struct FeatureNumber {
    int32_t feature;
    int32_t number;
};
// The features an edition without a feature page installs, in the language of the texts.
struct VariantFeatureList {
    ProductVariant variant;
    UiLanguage language;
    std::vector<int32_t> features;
};

extern const CTableView<VariantName> kVariantByName;
extern const CTableView<VariantText> kVariantTypeName;
extern const CTableView<VariantText> kProductCodeByVariant;
extern const CTableView<VariantNumber> kVariantLogo;
extern const CTableView<ComponentNumber> kComponentPackage;
extern const CTableView<ComponentText> kComponentSuffix;
extern const CTableView<FeatureText> kFeatureName;
extern const CTableView<FeatureComponentList> kFeatureComponents;
extern const CTableView<ComponentNumber> kComponentFeature;
// The megabytes a feature page shows for a feature; the features it never offers have none.
extern const CTableView<FeatureNumber> kFeatureSizeMb;
extern const CTableView<VariantFeatureList> kFixedFeatures;
// The megabytes the start/install page asks for.
extern const CTableView<VariantNumber> kStartPageSpaceMb;

// What the disk-space dialog opened from the start/install page compares the drives with.
constexpr int32_t kStartPageDiskSpaceMb = 448;

std::optional<ProductVariant> VariantByName(const std::string& key);
// The empty text for an unknown edition.
std::string ProductCodeByVariant(ProductVariant variant);
std::optional<std::string> VariantTypeName(ProductVariant variant);
std::optional<int32_t> VariantLogo(ProductVariant variant);

std::optional<int32_t> ComponentPackage(int32_t component);
std::optional<std::string> ComponentSuffix(int32_t component);
enum class ComponentSide { Client, Server };
ComponentSide GetComponentSide(int32_t component);
// Whether two components' archives write into the same folder or one into the other's: the same
// component, or a framework (0, 101) and anything of its side, since a framework's archive holds
// its files at the top of the side's folder, where every other component folder of the side lies.
// Archives whose folders do not meet can be unpacked at the same time.
bool ComponentFoldersMeet(int32_t first, int32_t second);

std::optional<std::string> FeatureName(int32_t feature);
// Null when the feature is unknown.
const std::vector<int32_t>* FeatureComponents(int32_t feature);
std::optional<int32_t> ComponentFeature(int32_t clientComponent);

// The sum of the features' sizes; a feature without a size adds nothing.
int32_t FeaturesSizeMb(const std::vector<int32_t>& features);
// The features the start/install page installs without asking; none for the editions that
// choose on a feature page.
std::vector<int32_t> FixedFeatures(ProductVariant variant, UiLanguage language);
// The space the start/install page asks for, in MB; 548 unless the edition has its own figure.
int32_t RequiredSpaceMb(ProductVariant variant);

// The concatenation of the features' component lists, in list order; unknown features add
// nothing. A component shared by two listed features appears twice.
std::vector<int32_t> ExpandFeatures(const std::vector<int32_t>& features);

// Visual C++ runtimes: runtime 0 = 2008, 1 = 2013, 2 = 2015-2019, 3 = 2010; arch 0 = x86, 1 = x64.
struct RuntimeKey {
    int32_t runtime;
    int32_t architecture;
    bool operator<(const RuntimeKey& other) const {
        return runtime != other.runtime ? runtime < other.runtime
                                        : architecture < other.architecture;
    }
    bool operator==(const RuntimeKey& other) const {
        return runtime == other.runtime && architecture == other.architecture;
    }
};
struct RuntimeText {
    RuntimeKey key;
    const char* text;
};
struct RuntimeNumber {
    RuntimeKey key;
    int32_t number;
};
// In key order.
extern const CTableView<RuntimeText> kRuntimeFileName;
extern const CTableView<RuntimeNumber> kRuntimePackage;
extern const CTableView<RuntimeText> kRuntimeProductCode;

std::optional<std::string> RuntimeFileName(RuntimeKey key);
// A 32-bit machine takes only the x86 runtimes.
inline bool RuntimeAppliesTo(RuntimeKey key, bool machineIs64Bit) {
    return machineIs64Bit || key.architecture == 0;
}
std::optional<int32_t> RuntimePackage(RuntimeKey key);
std::optional<std::string> RuntimeProductCode(RuntimeKey key);

// AC and SL install a fixed set of features: they have no feature page, so nothing to modify.
inline bool EditionChoosesFeatures(ProductVariant variant) {
    return variant != ProductVariant::AC && variant != ProductVariant::SL;
}

// The basic feature, which every installation holds.
constexpr int32_t kBasicFeature = 0;

// A repair of an installed version up to 3.3 on a Chinese system adds the features that version
// lacked; IRS (7) stays only in edition VS and is otherwise removed by a repair.
struct MajorMinor {
    int32_t major;
    int32_t minor;
};
constexpr MajorMinor kRepairAddsFeaturesUpTo{3, 3};
constexpr int32_t kFeaturesARepairAdds[] = {9, 11};
constexpr int32_t kIrsFeature = 7;
constexpr ProductVariant kEditionThatKeepsIrs = ProductVariant::VS;
