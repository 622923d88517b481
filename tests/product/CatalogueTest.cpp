#include <gtest/gtest.h>

#include <set>

#include "product/Catalogue.h"

using V = std::vector<int32_t>;

TEST(Catalogue, EditionsByExactKey) {
    // Numbers outside the six editions come from records and configurations as they are.
    const auto Edition = [](int32_t number) { return static_cast<ProductVariant>(number); };
    EXPECT_EQ(VariantByName("AC"), ProductVariant::AC);
    EXPECT_EQ(VariantByName("FULL"), ProductVariant::FULL);
    EXPECT_EQ(VariantByName("DP"), ProductVariant::DP);
    EXPECT_FALSE(VariantByName("ac"));
    EXPECT_FALSE(VariantByName("Site"));
    EXPECT_FALSE(VariantByName(""));
    EXPECT_EQ(VariantTypeName(ProductVariant::FULL), "Site");
    EXPECT_EQ(VariantTypeName(ProductVariant::SC), "SC");
    EXPECT_FALSE(VariantTypeName(Edition(6)));
    EXPECT_EQ(ProductCodeByVariant(ProductVariant::AC), "{5D605A2B-ACDE-49CD-9642-7B268923ACD9}");
    EXPECT_EQ(ProductCodeByVariant(Edition(7)), "");
    EXPECT_EQ(VariantLogo(ProductVariant::VS), 314);
    EXPECT_FALSE(VariantLogo(Edition(-1)));
}

TEST(Catalogue, ProductCodesAreBracedUpperCaseGuids) {
    for (const auto& row : kProductCodeByVariant) {
        const std::string code = row.text;
        ASSERT_EQ(code.size(), 38u) << code;
        EXPECT_EQ(code.front(), '{');
        EXPECT_EQ(code.back(), '}');
        for (char c : code) {
            EXPECT_FALSE(c >= 'a' && c <= 'z') << code;
        }
    }
}

TEST(Catalogue, ComponentsPackagesAndSides) {
    EXPECT_EQ(ComponentPackage(0), 278);
    EXPECT_EQ(ComponentPackage(101), 279);
    EXPECT_EQ(ComponentPackage(16), 391);
    EXPECT_FALSE(ComponentPackage(105));
    EXPECT_FALSE(ComponentPackage(17));
    EXPECT_EQ(ComponentSuffix(5), ".AccessController.C");
    EXPECT_FALSE(ComponentSuffix(105));
    EXPECT_EQ(GetComponentSide(100), ComponentSide::Client);
    EXPECT_EQ(GetComponentSide(101), ComponentSide::Server);
    std::set<int32_t> packages;
    for (const auto& row : kComponentPackage) {
        packages.insert(row.number);
        EXPECT_TRUE(ComponentSuffix(row.component)) << row.component;
    }
    EXPECT_EQ(packages.size(), 31u);
}

TEST(Catalogue, FeaturesExpandInListOrderWithSharedComponentsTwice) {
    EXPECT_EQ(FeatureName(0), "BasicConfiguration");
    EXPECT_EQ(FeatureName(12), "Broadcast");
    EXPECT_FALSE(FeatureName(13));
    EXPECT_EQ(FeatureComponents(13), nullptr);
    EXPECT_EQ(ExpandFeatures({0, 3}), (V{0, 4, 2, 12, 101, 106, 103, 112, 5, 6, 107, 108}));
    EXPECT_EQ(ExpandFeatures({3, 10}), (V{5, 6, 107, 108, 6, 108, 15, 115}));
    EXPECT_EQ(ExpandFeatures({7, 99, 8}), (V{10, 11}));
    EXPECT_EQ(ExpandFeatures({}), V{});
}

TEST(Catalogue, MarkerComponentsMapBackToFeatures) {
    EXPECT_EQ(ComponentFeature(2), 0);
    EXPECT_EQ(ComponentFeature(15), 10);
    EXPECT_EQ(ComponentFeature(14), 11);
    for (int32_t none : {0, 4, 6, 12, 101, 108}) {
        EXPECT_FALSE(ComponentFeature(none)) << none;
    }
    // Every marker lies in the feature it marks.
    for (const auto& row : kComponentFeature) {
        const auto* list = FeatureComponents(row.number);
        ASSERT_NE(list, nullptr);
        EXPECT_NE(std::find(list->begin(), list->end(), row.component), list->end());
    }
}

TEST(Catalogue, RuntimesByKey) {
    EXPECT_EQ(RuntimeFileName({0, 1}), "vcredist_x64_2008.exe");
    EXPECT_EQ(RuntimePackage({3, 0}), 1147);
    EXPECT_EQ(RuntimeProductCode({0, 1}), "09672F65AE6F653389A020AB735960EE");
    EXPECT_FALSE(RuntimeFileName({3, 1}));
    EXPECT_FALSE(RuntimePackage({4, 0}));
    for (size_t i = 1; i < 7; ++i) {
        EXPECT_TRUE(kRuntimeFileName[i - 1].key < kRuntimeFileName[i].key);
    }
}
