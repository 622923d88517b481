#include "product/Catalogue.h"

#include "product/ResourceIds.h"

const VariantName kVariantByNameRows[] = {
    {"FULL", ProductVariant::FULL}, {"AC", ProductVariant::AC}, {"VS", ProductVariant::VS},
    {"SL", ProductVariant::SL},     {"SC", ProductVariant::SC}, {"DP", ProductVariant::DP}};
const CTableView<VariantName> kVariantByName(kVariantByNameRows);

const VariantText kVariantTypeNameRows[] = {
    {ProductVariant::FULL, "Site"}, {ProductVariant::AC, "AC"}, {ProductVariant::VS, "VS"},
    {ProductVariant::SL, "SL"},     {ProductVariant::SC, "SC"}, {ProductVariant::DP, "DP"}};
const CTableView<VariantText> kVariantTypeName(kVariantTypeNameRows);

const VariantText kProductCodeByVariantRows[] = {
    {ProductVariant::FULL, "{080F7E03-AC50-4949-AACA-E79F82D3099F}"},
    {ProductVariant::AC, "{5D605A2B-ACDE-49CD-9642-7B268923ACD9}"},
    {ProductVariant::VS, "{72B4B28B-9DF6-4E69-9E00-F1EE51001ADD}"},
    {ProductVariant::SL, "{871D8DC2-84A4-4D1F-99D5-2A4E3BE2E87C}"},
    {ProductVariant::SC, "{A7B202AB-A508-4235-9C97-C25799782590}"},
    {ProductVariant::DP, "{E16C6003-9217-4626-83B0-757C9EA47E53}"},
};
const CTableView<VariantText> kProductCodeByVariant(kProductCodeByVariantRows);

const VariantNumber kVariantLogoRows[] = {
    {ProductVariant::FULL, IDB_LOGO_FULL}, {ProductVariant::AC, IDB_LOGO_AC},
    {ProductVariant::VS, IDB_LOGO_VS},     {ProductVariant::SL, IDB_LOGO_SL},
    {ProductVariant::SC, IDB_LOGO_SC},     {ProductVariant::DP, IDB_LOGO_DP}};
const CTableView<VariantNumber> kVariantLogo(kVariantLogoRows);

const ComponentNumber kComponentPackageRows[] = {
    {0, IDR_PACKAGE_0},     {1, IDR_PACKAGE_1},     {2, IDR_PACKAGE_2},     {3, IDR_PACKAGE_3},
    {4, IDR_PACKAGE_4},     {5, IDR_PACKAGE_5},     {6, IDR_PACKAGE_6},     {7, IDR_PACKAGE_7},
    {8, IDR_PACKAGE_8},     {9, IDR_PACKAGE_9},     {10, IDR_PACKAGE_10},   {11, IDR_PACKAGE_11},
    {12, IDR_PACKAGE_12},   {13, IDR_PACKAGE_13},   {14, IDR_PACKAGE_14},   {15, IDR_PACKAGE_15},
    {16, IDR_PACKAGE_16},   {101, IDR_PACKAGE_101}, {102, IDR_PACKAGE_102}, {103, IDR_PACKAGE_103},
    {104, IDR_PACKAGE_104}, {106, IDR_PACKAGE_106}, {107, IDR_PACKAGE_107}, {108, IDR_PACKAGE_108},
    {109, IDR_PACKAGE_109}, {110, IDR_PACKAGE_110}, {111, IDR_PACKAGE_111}, {112, IDR_PACKAGE_112},
    {113, IDR_PACKAGE_113}, {114, IDR_PACKAGE_114}, {115, IDR_PACKAGE_115},
};
const CTableView<ComponentNumber> kComponentPackage(kComponentPackageRows);

const ComponentText kComponentSuffixRows[] = {
    {0, "Client"},
    {1, ".Video.C"},
    {2, ".Log.C"},
    {3, ".Emap.C"},
    {4, ".DeviceManagement.C"},
    {5, ".AccessController.C"},
    {6, ".PersonalManagement.C"},
    {7, ".DataStatistics.C"},
    {8, ".Attendance.C"},
    {9, ".Topology.C"},
    {10, ".IRS.C"},
    {11, ".AIDashboard.C"},
    {12, ".AlarmCenter.C"},
    {13, ".VisitorManagement.C"},
    {14, ".Consumption.C"},
    {15, ".Zelvane.C"},
    {16, ".Broadcast.C"},
    {101, "Server"},
    {102, ".Video.S"},
    {103, ".Log.S"},
    {104, ".Emap.S"},
    {106, ".DeviceManagement.S"},
    {107, ".AccessController.S"},
    {108, ".PersonalManagement.S"},
    {109, ".DataStatistics.S"},
    {110, ".Attendance.S"},
    {111, ".Topology.S"},
    {112, ".AlarmCenter.S"},
    {113, ".VisitorManagement.S"},
    {114, ".Consumption.S"},
    {115, ".Zelvane.S"},
};
const CTableView<ComponentText> kComponentSuffix(kComponentSuffixRows);

const FeatureText kFeatureNameRows[] = {
    {0, "BasicConfiguration"},
    {1, "Video"},
    {2, "Emap"},
    {3, "AccessController"},
    {4, "DataStatistics"},
    {5, "Attendance"},
    {6, "Topology"},
    {7, "IRS"},
    {8, "AIDashboard"},
    {9, "VisitorManagement"},
    {10, "Zelvane"},
    {11, "Consumption"},
    {12, "Broadcast"},
};
const CTableView<FeatureText> kFeatureName(kFeatureNameRows);

const FeatureComponentList kFeatureComponentsRows[] = {
    {0, {0, 4, 2, 12, 101, 106, 103, 112}},
    {1, {1, 102}},
    {2, {3, 104}},
    {3, {5, 6, 107, 108}},
    {4, {7, 109}},
    {5, {8, 110}},
    {6, {9, 111}},
    {7, {10}},
    {8, {11}},
    {9, {13, 113}},
    {10, {6, 108, 15, 115}},
    {11, {14, 114}},
    {12, {16}},
};
const CTableView<FeatureComponentList> kFeatureComponents(kFeatureComponentsRows);

const ComponentNumber kComponentFeatureRows[] = {
    {1, 1},  {2, 0},  {3, 2},  {5, 3},   {7, 4},   {8, 5},   {9, 6},
    {10, 7}, {11, 8}, {13, 9}, {14, 11}, {15, 10}, {16, 12},
};
const CTableView<ComponentNumber> kComponentFeature(kComponentFeatureRows);

const FeatureNumber kFeatureSizeMbRows[] = {
    {0, 508}, {1, 59}, {2, 13}, {3, 27},  {4, 13},  {5, 13},
    {6, 11},  {8, 59}, {9, 24}, {11, 24}, {12, 11},
};
const CTableView<FeatureNumber> kFeatureSizeMb(kFeatureSizeMbRows);

const VariantFeatureList kFixedFeaturesRows[] = {
    {ProductVariant::AC, UiLanguage::English, {0, 3, 5}},
    {ProductVariant::AC, UiLanguage::Chinese, {0, 3, 5, 9, 11}},
    {ProductVariant::SL, UiLanguage::English, {0, 10}},
    {ProductVariant::SL, UiLanguage::Chinese, {0, 10}},
};
const CTableView<VariantFeatureList> kFixedFeatures(kFixedFeaturesRows);

const VariantNumber kStartPageSpaceMbRows[] = {{ProductVariant::AC, 548},
                                               {ProductVariant::SL, 535}};
const CTableView<VariantNumber> kStartPageSpaceMb(kStartPageSpaceMbRows);

const RuntimeText kRuntimeFileNameRows[] = {
    {{0, 0}, "vcredist2008.exe"},      {{0, 1}, "vcredist_x64_2008.exe"},
    {{1, 0}, "vcredist_x86.exe"},      {{1, 1}, "vcredist_x64_2013.exe"},
    {{2, 0}, "vc_redist.x86.exe"},     {{2, 1}, "vc_redist.x64.exe"},
    {{3, 0}, "vcredist_x86_2010.exe"},
};
const CTableView<RuntimeText> kRuntimeFileName(kRuntimeFileNameRows);

const RuntimeNumber kRuntimePackageRows[] = {
    {{0, 0}, IDR_RUNTIME_2008_X86}, {{0, 1}, IDR_RUNTIME_2008_X64}, {{1, 0}, IDR_RUNTIME_2013_X86},
    {{1, 1}, IDR_RUNTIME_2013_X64}, {{2, 0}, IDR_RUNTIME_2015_X86}, {{2, 1}, IDR_RUNTIME_2015_X64},
    {{3, 0}, IDR_RUNTIME_2010_X86},
};
const CTableView<RuntimeNumber> kRuntimePackage(kRuntimePackageRows);

const RuntimeText kRuntimeProductCodeRows[] = {
    {{0, 0}, "{9BE518E6-ECC6-35A9-88E4-87755C07200F}"},
    {{0, 1}, "09672F65AE6F653389A020AB735960EE"},
    {{1, 0}, "{f65db027-aff3-4070-886a-0d87064aabb1}"},
    {{1, 1}, "{1b103cea-f037-4504-81de-956057b442c3}"},
    {{2, 0}, "{be826f5f-eda5-45a2-a3fe-c2cb5c1b9842}"},
    {{2, 1}, "{0f770e99-3916-4b0c-8f9b-83822826bcbf}"},
    {{3, 0}, "{196BB40D-1578-3D01-B289-BEFC77A11A1E}"},
};
const CTableView<RuntimeText> kRuntimeProductCode(kRuntimeProductCodeRows);

namespace {

// Linear search over a small constant table: the row whose key matches, or null.
template <typename Row, typename Key, typename KeyOf>
const Row* FindRow(const CTableView<Row>& table, const Key& key, KeyOf keyOf) {
    for (const Row& row : table) {
        if (keyOf(row) == key) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<ProductVariant> VariantByName(const std::string& key) {
    const auto* row =
        FindRow(kVariantByName, key, [](const VariantName& r) { return std::string(r.key); });
    return row ? std::optional<ProductVariant>(row->variant) : std::nullopt;
}

std::string ProductCodeByVariant(ProductVariant variant) {
    const auto* row =
        FindRow(kProductCodeByVariant, variant, [](const VariantText& r) { return r.variant; });
    return row ? row->text : "";
}

std::optional<std::string> VariantTypeName(ProductVariant variant) {
    const auto* row =
        FindRow(kVariantTypeName, variant, [](const VariantText& r) { return r.variant; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}

std::optional<int32_t> VariantLogo(ProductVariant variant) {
    const auto* row =
        FindRow(kVariantLogo, variant, [](const VariantNumber& r) { return r.variant; });
    return row ? std::optional<int32_t>(row->number) : std::nullopt;
}

std::optional<int32_t> ComponentPackage(int32_t component) {
    const auto* row =
        FindRow(kComponentPackage, component, [](const ComponentNumber& r) { return r.component; });
    return row ? std::optional<int32_t>(row->number) : std::nullopt;
}

std::optional<std::string> ComponentSuffix(int32_t component) {
    const auto* row =
        FindRow(kComponentSuffix, component, [](const ComponentText& r) { return r.component; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}

ComponentSide GetComponentSide(int32_t component) {
    return component <= 100 ? ComponentSide::Client : ComponentSide::Server;
}

bool ComponentFoldersMeet(int32_t first, int32_t second) {
    const auto framework = [](int32_t component) { return component == 0 || component == 101; };
    return first == second || (GetComponentSide(first) == GetComponentSide(second) &&
                               (framework(first) || framework(second)));
}

std::optional<std::string> FeatureName(int32_t feature) {
    const auto* row =
        FindRow(kFeatureName, feature, [](const FeatureText& r) { return r.feature; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}

const std::vector<int32_t>* FeatureComponents(int32_t feature) {
    const auto* row = FindRow(kFeatureComponents, feature,
                              [](const FeatureComponentList& r) { return r.feature; });
    return row ? &row->components : nullptr;
}

std::optional<int32_t> ComponentFeature(int32_t clientComponent) {
    const auto* row = FindRow(kComponentFeature, clientComponent,
                              [](const ComponentNumber& r) { return r.component; });
    return row ? std::optional<int32_t>(row->number) : std::nullopt;
}

int32_t FeaturesSizeMb(const std::vector<int32_t>& features) {
    int32_t total = 0;
    for (int32_t feature : features) {
        if (const auto* row = FindRow(kFeatureSizeMb, feature,
                                      [](const FeatureNumber& r) { return r.feature; })) {
            total += row->number;
        }
    }
    return total;
}

std::vector<int32_t> FixedFeatures(ProductVariant variant, UiLanguage language) {
    for (const VariantFeatureList& row : kFixedFeatures) {
        if (row.variant == variant && row.language == language) {
            return row.features;
        }
    }
    return {};
}

int32_t RequiredSpaceMb(ProductVariant variant) {
    const auto* row =
        FindRow(kStartPageSpaceMb, variant, [](const VariantNumber& r) { return r.variant; });
    return row ? row->number : kStartPageSpaceMb[0].number;
}

std::vector<int32_t> ExpandFeatures(const std::vector<int32_t>& features) {
    std::vector<int32_t> components;
    for (int32_t feature : features) {
        if (const auto* list = FeatureComponents(feature)) {
            components.insert(components.end(), list->begin(), list->end());
        }
    }
    return components;
}

std::optional<std::string> RuntimeFileName(RuntimeKey key) {
    const auto* row = FindRow(kRuntimeFileName, key, [](const RuntimeText& r) { return r.key; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}

std::optional<int32_t> RuntimePackage(RuntimeKey key) {
    const auto* row = FindRow(kRuntimePackage, key, [](const RuntimeNumber& r) { return r.key; });
    return row ? std::optional<int32_t>(row->number) : std::nullopt;
}

std::optional<std::string> RuntimeProductCode(RuntimeKey key) {
    const auto* row = FindRow(kRuntimeProductCode, key, [](const RuntimeText& r) { return r.key; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}
