// Every procedure's plan as a printout, for two editions and both machine widths, against the
// printout kept beside this test. SETUP_WRITE_GOLDEN=1 writes the printout there instead, for a
// reviewed change of a procedure.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "engine/InstallPlan.h"

using namespace SetUp;

namespace {

const char kGolden[] = SETUP_TEST_SOURCE_DIR "/InstallPlans.golden";

struct Edition {
    ProductVariant variant;
    int32_t translator;
    UiLanguage language;
};

std::string AllPlans() {
    const Procedure procedures[] = {
        Procedure::Fresh,
        Procedure::Modify,
        Procedure::Repair,
        Procedure::UpgradeByComponentList,
        Procedure::UpgradeByDescription,
        Procedure::UpgradeBlind,
        Procedure::Removal,
        Procedure::RollBack,
    };
    const Edition editions[] = {{ProductVariant::AC, 0, UiLanguage::English},
                                {ProductVariant::FULL, 1, UiLanguage::Chinese}};
    std::string text;
    for (const Edition& edition : editions) {
        for (bool wide : {true, false}) {
            for (Procedure procedure : procedures) {
                CPlanInputs inputs;
                inputs.procedure = procedure;
                inputs.installRoot = "C:\\Program Files (x86)";
                inputs.edition = edition.variant;
                inputs.translator = edition.translator;
                inputs.language = edition.language;
                inputs.machineIs64Bit = wide;
                if (procedure == Procedure::Modify) {
                    inputs.recordedFeatures = {0, 3, 7};
                    inputs.featuresToAdd = {5};
                    inputs.featuresToRemove = {3};
                } else if (procedure == Procedure::Repair ||
                           procedure == Procedure::UpgradeByComponentList) {
                    inputs.featuresToAdd = {0, 3};
                    inputs.featuresToRemove = {7};
                } else if (procedure != Procedure::Removal && procedure != Procedure::RollBack) {
                    inputs.featuresToAdd = {0, 3, 5};
                }
                text += PrintPlan(BuildPlan(inputs)) + "\n";
            }
        }
    }
    return text;
}

std::string ReadText(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

}  // namespace

TEST(InstallPlan, EveryProcedureMatchesItsPrintout) {
    const std::string plans = AllPlans();
    const char* write = std::getenv("SETUP_WRITE_GOLDEN");
    if (write != nullptr && std::string(write) == "1") {
        std::ofstream(kGolden, std::ios::binary) << plans;
    }
    const std::string golden = ReadText(kGolden);
    ASSERT_FALSE(golden.empty()) << kGolden;
    // Line by line, so that a failure names the first step that moved.
    std::istringstream expected(golden);
    std::istringstream actual(plans);
    std::string want;
    std::string got;
    int line = 0;
    while (std::getline(expected, want)) {
        ++line;
        ASSERT_TRUE(std::getline(actual, got)) << "the plans end before line " << line;
        ASSERT_EQ(got, want) << "line " << line;
    }
    EXPECT_FALSE(std::getline(actual, got)) << "more plans than the printout holds: " << got;
}

// The totals the progress pages divide by: features + 9 for a fresh install and a repair, one
// more for the upgrades that clean old shortcuts first, added + removed + 6 for a modify, and 5
// announced for a removal that reports 8 times.
TEST(InstallPlan, TotalsAndReportsFollowTheFeatureCounts) {
    CPlanInputs inputs;
    inputs.featuresToAdd = {0, 1, 2, 3};
    inputs.featuresToRemove = {7, 8};
    for (bool wide : {true, false}) {
        inputs.machineIs64Bit = wide;
        inputs.procedure = Procedure::Fresh;
        EXPECT_EQ(BuildPlan(inputs).total, 4 + 2 + 9);
        inputs.procedure = Procedure::UpgradeBlind;
        EXPECT_EQ(BuildPlan(inputs).total, 4 + 2 + 10);
        inputs.procedure = Procedure::UpgradeByComponentList;
        EXPECT_EQ(BuildPlan(inputs).total, 4 + 2 + 9);
        inputs.procedure = Procedure::Modify;
        EXPECT_EQ(BuildPlan(inputs).total, 4 + 2 + 6);
        inputs.procedure = Procedure::Removal;
        const CInstallPlan removal = BuildPlan(inputs);
        EXPECT_EQ(removal.total, 5);
        EXPECT_EQ(std::count_if(removal.steps.begin(), removal.steps.end(),
                                [](const CPlanStep& step) { return step.reportsProgress; }),
                  8);
    }
}
