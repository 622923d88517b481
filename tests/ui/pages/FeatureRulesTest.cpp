// The feature pages' rules on the pages' own tables: what a choice installs and needs, what a
// modification adds and removes, and the Access Control lock.
#include <gtest/gtest.h>

#include <vector>

#include "ui/pages/ComponentFullDlg.h"
#include "ui/pages/ComponentFullEDlg.h"
#include "ui/pages/ComponentVSDlg.h"
#include "product/TextTable.h"
#include "ui/pages/FeatureRules.h"

namespace {

using Features = std::vector<int32_t>;
using Ticks = std::vector<bool>;

const FeaturePageTable& Vs() {
    return CComponentVSDlg::Table(ProductVariant::VS);
}
const FeaturePageTable& ScDp() {
    return CComponentVSDlg::Table(ProductVariant::SC);
}

TEST(FeatureRules, SelectionAndSpaceOfEachPage) {
    struct Case {
        const char* what;
        const FeaturePageTable& table;
        Ticks ticked;
        Features selection;
        int32_t requiredMb;
    };
    const Case cases[] = {
        {"Chinese, all",
         CComponentFullDlg::Table(),
         Ticks(10, true),
         {0, 3, 1, 5, 2, 4, 8, 6, 9, 11, 12},
         762},
        {"Chinese, basic only",
         CComponentFullDlg::Table(),
         {true, false, false, false, false, false, false, false, false, false},
         {0, 3},
         535},
        {"English, all",
         CComponentFullEDlg::Table(),
         Ticks(9, true),
         {0, 1, 3, 5, 2, 4, 8, 6, 12},
         714},
        {"English, Access Control and Broadcast",
         CComponentFullEDlg::Table(),
         {true, false, true, false, false, false, false, false, true},
         {0, 3, 12},
         546},
        {"VS, basic only", Vs(), {true, false, false, false, false, false}, {0}, 508},
        {"VS, Emap and Topology", Vs(), {true, false, true, false, false, true}, {0, 2, 6}, 532},
        {"SC, all", ScDp(), Ticks(3, true), {0, 1, 8}, 626},
        // The basic row installs even if its box were read unticked.
        {"DP, nothing ticked", CComponentVSDlg::Table(ProductVariant::DP), Ticks(3, false), {0}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SelectedFeatures(c.table.rows, c.ticked, c.table.selectionOrder), c.selection)
            << c.what;
        EXPECT_EQ(RequiredSpaceMb(c.table.rows, c.ticked), c.requiredMb) << c.what;
    }
    EXPECT_TRUE(OnlyBasicFeature({0}));
    EXPECT_FALSE(OnlyBasicFeature({0, 3})) << "the Chinese basic row brings Access Control";
    EXPECT_FALSE(OnlyBasicFeature({0, 1}));
}

TEST(FeatureRules, EveryTextOfThePagesExistsInBothLanguages) {
    const CTextTable english(UiLanguage::English);
    const CTextTable chinese(UiLanguage::Chinese);
    for (const FeaturePageTable* table :
         {&CComponentFullDlg::Table(), &CComponentFullEDlg::Table(), &Vs(), &ScDp()}) {
        std::vector<const char*> keys;
        for (const FeatureRow& row : table->rows) {
            keys.push_back(row.nameKey);
            keys.push_back(row.descriptionKey);
        }
        for (const LayoutRow& row : table->layout) {
            if (row.textKey != nullptr) {
                keys.push_back(row.textKey);
            }
        }
        for (const char* key : keys) {
            EXPECT_STRNE(english.GetText(key), "") << key;
            EXPECT_STRNE(chinese.GetText(key), "") << key;
        }
    }
}

TEST(FeatureRules, WhichPagesRefuseTheBasicRowAlone) {
    EXPECT_FALSE(CComponentFullDlg::Table().needsOptionalFeature);
    EXPECT_TRUE(CComponentFullEDlg::Table().needsOptionalFeature);
    EXPECT_TRUE(Vs().needsOptionalFeature);
    EXPECT_TRUE(ScDp().needsOptionalFeature);
    EXPECT_TRUE(CComponentFullEDlg::Table().accessControlRule);
    EXPECT_FALSE(CComponentFullDlg::Table().accessControlRule);
    EXPECT_FALSE(Vs().optionalRowsStartTicked);
    EXPECT_TRUE(ScDp().optionalRowsStartTicked);
}

TEST(FeatureRules, MaintenanceTicksTheInstalledRowsAndDiffs) {
    // Client components 2, 1 and 11 are the features 0, 1 and 8; the framework (0) and the
    // server side are no features.
    const Features installed = InstalledFeatures({0, 11, 2, 1, 11, 101, 106});
    EXPECT_EQ(installed, (Features{0, 1, 8}));
    EXPECT_EQ(TickedByInstalled(Vs().rows, installed),
              (Ticks{true, true, false, false, true, false}));
    EXPECT_EQ(TickedByInstalled(ScDp().rows, installed), (Ticks{true, true, true}));
    // Features without a row change nothing; the basic row is always ticked.
    EXPECT_EQ(TickedByInstalled(CComponentFullEDlg::Table().rows, {3, 9}),
              (Ticks{true, false, true, false, false, false, false, false, false}));
    EXPECT_EQ(TickedByInstalled(Vs().rows, {}), (Ticks{true, false, false, false, false, false}));

    struct Case {
        Features installed;
        Features selection;
        Features toAdd;
        Features toRemove;
    };
    const Case cases[] = {
        // VS: Video unticked, Emap ticked.
        {{0, 1, 8}, {0, 2, 8}, {2}, {1}},
        {{8, 0, 1}, {0, 8, 6, 2, 1}, {2, 6}, {}},
        {{0, 3, 5, 12}, {0, 3}, {}, {5, 12}},
        {{}, {0, 3, 1}, {0, 1, 3}, {}},
        {{0, 1}, {1, 0}, {}, {}},
    };
    for (const Case& c : cases) {
        const FeatureChanges changes = DiffFeatures(c.installed, c.selection);
        EXPECT_EQ(changes.toAdd, c.toAdd);
        EXPECT_EQ(changes.toRemove, c.toRemove);
    }
}

TEST(FeatureRules, AttendanceLocksAccessControl) {
    struct Case {
        bool attendance;
        bool access;
        bool ticked;
        bool enabled;
    };
    const Case cases[] = {
        {true, false, true, false},
        {true, true, true, false},
        {false, true, true, true},
        {false, false, false, true},
    };
    for (const Case& c : cases) {
        const AccessControlBox box = ApplyAccessControlRule(c.attendance, c.access);
        EXPECT_EQ(box.ticked, c.ticked) << c.attendance << c.access;
        EXPECT_EQ(box.enabled, c.enabled) << c.attendance << c.access;
    }
}

}  // namespace
