#include "product/Catalogue.h"

const VariantName kVariantByName[6] = {{"FULL", FULL}, {"AC", AC}, {"VS", VS},
                                       {"SL", SL},     {"SC", SC}, {"DP", DP}};

const VariantText kVariantTypeName[6] = {{FULL, "Site"}, {AC, "AC"}, {VS, "VS"},
                                         {SL, "SL"},     {SC, "SC"}, {DP, "DP"}};

const VariantText kProductCodeByVariant[6] = {
    {FULL, "{080F7E03-AC50-4949-AACA-E79F82D3099F}"},
    {AC, "{5D605A2B-ACDE-49CD-9642-7B268923ACD9}"},
    {VS, "{72B4B28B-9DF6-4E69-9E00-F1EE51001ADD}"},
    {SL, "{871D8DC2-84A4-4D1F-99D5-2A4E3BE2E87C}"},
    {SC, "{A7B202AB-A508-4235-9C97-C25799782590}"},
    {DP, "{E16C6003-9217-4626-83B0-757C9EA47E53}"},
};

const VariantNumber kVariantLogo[6] = {{FULL, 311}, {AC, 315}, {VS, 314},
                                       {SL, 381},   {SC, 382}, {DP, 383}};

const ComponentNumber kComponentPackage[31] = {
    {0, 278},   {1, 253},   {2, 280},   {3, 246},   {4, 282},   {5, 237},   {6, 256},   {7, 244},
    {8, 240},   {9, 251},   {10, 257},  {11, 239},  {12, 281},  {13, 369},  {14, 385},  {15, 371},
    {16, 391},  {101, 279}, {102, 254}, {103, 283}, {104, 247}, {106, 284}, {107, 238}, {108, 255},
    {109, 245}, {110, 241}, {111, 252}, {112, 285}, {113, 370}, {114, 386}, {115, 372},
};

const ComponentText kComponentSuffix[31] = {
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

const FeatureText kFeatureName[13] = {
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

const FeatureComponentList kFeatureComponents[13] = {
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

const ComponentNumber kComponentFeature[13] = {
    {1, 1},  {2, 0},  {3, 2},  {5, 3},   {7, 4},   {8, 5},   {9, 6},
    {10, 7}, {11, 8}, {13, 9}, {14, 11}, {15, 10}, {16, 12},
};

const RuntimeText kRuntimeFileName[7] = {
    {{0, 0}, "vcredist2008.exe"},      {{0, 1}, "vcredist_x64_2008.exe"},
    {{1, 0}, "vcredist_x86.exe"},      {{1, 1}, "vcredist_x64_2013.exe"},
    {{2, 0}, "vc_redist.x86.exe"},     {{2, 1}, "vc_redist.x64.exe"},
    {{3, 0}, "vcredist_x86_2010.exe"},
};

const RuntimeNumber kRuntimePackage[7] = {
    {{0, 0}, 286}, {{0, 1}, 289}, {{1, 0}, 287},  {{1, 1}, 288},
    {{2, 0}, 290}, {{2, 1}, 291}, {{3, 0}, 1147},
};

const RuntimeText kRuntimeProductCode[7] = {
    {{0, 0}, "{9BE518E6-ECC6-35A9-88E4-87755C07200F}"},
    {{0, 1}, "09672F65AE6F653389A020AB735960EE"},
    {{1, 0}, "{f65db027-aff3-4070-886a-0d87064aabb1}"},
    {{1, 1}, "{1b103cea-f037-4504-81de-956057b442c3}"},
    {{2, 0}, "{be826f5f-eda5-45a2-a3fe-c2cb5c1b9842}"},
    {{2, 1}, "{0f770e99-3916-4b0c-8f9b-83822826bcbf}"},
    {{3, 0}, "{196BB40D-1578-3D01-B289-BEFC77A11A1E}"},
};

namespace {

// Linear search over a small constant table: the row whose key matches, or null.
template <typename Row, size_t N, typename Key, typename KeyOf>
const Row* FindRow(const Row (&table)[N], const Key& key, KeyOf keyOf) {
    for (const Row& row : table) {
        if (keyOf(row) == key) {
            return &row;
        }
    }
    return nullptr;
}

}  // namespace

std::optional<int32_t> VariantByName(const std::string& key) {
    const auto* row =
        FindRow(kVariantByName, key, [](const VariantName& r) { return std::string(r.key); });
    return row ? std::optional<int32_t>(row->variant) : std::nullopt;
}

std::string ProductCodeByVariant(int32_t variant) {
    const auto* row =
        FindRow(kProductCodeByVariant, variant, [](const VariantText& r) { return r.variant; });
    return row ? row->text : "";
}

std::optional<std::string> VariantTypeName(int32_t variant) {
    const auto* row =
        FindRow(kVariantTypeName, variant, [](const VariantText& r) { return r.variant; });
    return row ? std::optional<std::string>(row->text) : std::nullopt;
}

std::optional<int32_t> VariantLogo(int32_t variant) {
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
