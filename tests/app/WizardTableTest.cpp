// The wizard's table without windows: where every page leads, for each outcome and each run.
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

#include "app/WizardTable.h"

namespace {

using P = WizardPage;
using O = PageOutcome;

WizardFacts Facts(InstallType type, ProductVariant variant, int32_t brandType = 1,
                  UiLanguage language = UiLanguage::English) {
    WizardFacts facts;
    facts.installType = type;
    facts.productVariant = variant;
    facts.brandType = brandType;
    facts.uiLanguage = language;
    return facts;
}

const WizardFacts kFreshFull = Facts(InstallType::Fresh, ProductVariant::FULL, 0);

void ExpectStep(P page, O outcome, const WizardFacts& facts, P expected, bool back = false) {
    const WizardStep step = NextPage(page, outcome, facts);
    EXPECT_EQ(step.page, expected)
        << "from page " << static_cast<int>(page) << " outcome " << static_cast<int>(outcome);
    EXPECT_EQ(step.back, back) << "from page " << static_cast<int>(page);
}

const P kAllPages[] = {
    P::StartDlg,        P::StartACDlg,        P::ComponentFullDlg, P::ComponentFullEDlg,
    P::ComponentVSDlg,  P::SecondInstallDlg,  P::UpdataDlg,        P::TipDlg,
    P::InstallingDlg,   P::InstallFinishDlg,  P::InstallStopDlg,   P::InstallFailedDlg,
    P::UninstallingDlg, P::UninstallFinishDlg};
const O kAllOutcomes[] = {O::Closed, O::Next,      O::Previous, O::Install,  O::Modify,  O::Repair,
                          O::Remove, O::Completed, O::Stopped,  O::Finished, O::Refused, O::Failed};

}  // namespace

TEST(WizardTable, StartPages) {
    ExpectStep(P::StartDlg, O::Next, kFreshFull, P::ComponentFullEDlg);
    ExpectStep(P::StartDlg, O::Next,
               Facts(InstallType::Fresh, ProductVariant::FULL, 0, UiLanguage::Chinese),
               P::ComponentFullDlg);
    ExpectStep(P::StartDlg, O::Next, Facts(InstallType::Fresh, ProductVariant::SC, 0),
               P::ComponentVSDlg);
    ExpectStep(P::StartACDlg, O::Install, Facts(InstallType::Fresh, ProductVariant::AC),
               P::InstallingDlg);
    ExpectStep(P::StartACDlg, O::Closed, Facts(InstallType::Fresh, ProductVariant::SL), P::None);
}

TEST(WizardTable, FeaturePages) {
    for (P page : {P::ComponentFullDlg, P::ComponentFullEDlg, P::ComponentVSDlg}) {
        ExpectStep(page, O::Install, kFreshFull, P::InstallingDlg);
        ExpectStep(page, O::Previous, kFreshFull, P::StartDlg, true);
        ExpectStep(page, O::Previous, Facts(InstallType::Maintenance, ProductVariant::VS),
                   P::SecondInstallDlg, true);
        ExpectStep(page, O::Previous, Facts(InstallType::UpgradeBlind, ProductVariant::VS),
                   P::UpdataDlg, true);
        // Brand type 1 opens the feature page first: nothing lies before it.
        ExpectStep(page, O::Previous, Facts(InstallType::Fresh, ProductVariant::VS, 1), P::None);
        // A confirmed close, and Escape.
        ExpectStep(page, O::Closed, kFreshFull, P::None);
    }
}

TEST(WizardTable, MaintenancePage) {
    const WizardFacts vs = Facts(InstallType::Maintenance, ProductVariant::VS);
    ExpectStep(P::SecondInstallDlg, O::Modify, vs, P::ComponentVSDlg);
    ExpectStep(P::SecondInstallDlg, O::Modify,
               Facts(InstallType::Maintenance, ProductVariant::FULL, 1, UiLanguage::Chinese),
               P::ComponentFullDlg);
    ExpectStep(P::SecondInstallDlg, O::Repair, vs, P::InstallingDlg);
    ExpectStep(P::SecondInstallDlg, O::Remove, vs, P::UninstallingDlg);
    ExpectStep(P::SecondInstallDlg, O::Closed, vs, P::None);
}

TEST(WizardTable, UpgradePage) {
    // Only a blind upgrade asks again, on the edition's feature page.
    ExpectStep(P::UpdataDlg, O::Next, Facts(InstallType::UpgradeBlind, ProductVariant::FULL),
               P::ComponentFullEDlg);
    ExpectStep(P::UpdataDlg, O::Next, Facts(InstallType::UpgradeBlind, ProductVariant::DP),
               P::ComponentVSDlg);
    ExpectStep(P::UpdataDlg, O::Next, Facts(InstallType::UpgradeBlind, ProductVariant::AC),
               P::InstallingDlg);
    ExpectStep(P::UpdataDlg, O::Next,
               Facts(InstallType::UpgradeByComponentList, ProductVariant::VS), P::InstallingDlg);
    ExpectStep(P::UpdataDlg, O::Next,
               Facts(InstallType::UpgradeByDescription, ProductVariant::FULL), P::InstallingDlg);
    ExpectStep(P::UpdataDlg, O::Closed, Facts(InstallType::UpgradeBlind, ProductVariant::VS),
               P::None);
}

TEST(WizardTable, ProgressAndEndPages) {
    const WizardFacts ac = Facts(InstallType::Fresh, ProductVariant::AC);
    ExpectStep(P::InstallingDlg, O::Completed, ac, P::InstallFinishDlg);
    ExpectStep(P::InstallingDlg, O::Stopped, ac, P::InstallStopDlg);
    ExpectStep(P::InstallingDlg, O::Failed, ac, P::InstallFailedDlg);
    // The second-copy check.
    ExpectStep(P::InstallingDlg, O::Refused, ac, P::None);
    ExpectStep(P::UninstallingDlg, O::Completed,
               Facts(InstallType::Maintenance, ProductVariant::AC), P::UninstallFinishDlg);
    ExpectStep(P::UninstallingDlg, O::Closed, ac, P::None);
    for (P page : {P::InstallFinishDlg, P::InstallStopDlg, P::InstallFailedDlg,
                   P::UninstallFinishDlg, P::TipDlg}) {
        ExpectStep(page, O::Finished, ac, P::None);
        ExpectStep(page, O::Closed, ac, P::None);
    }
}

// Every pair the cases above do not lead somewhere ends the run: no page and outcome leads
// anywhere by accident.
TEST(WizardTable, EveryOtherOutcomeEndsTheRun) {
    const std::set<std::pair<P, O>> leading = {
        {P::StartDlg, O::Next},
        {P::StartACDlg, O::Install},
        {P::ComponentFullDlg, O::Install},
        {P::ComponentFullEDlg, O::Install},
        {P::ComponentVSDlg, O::Install},
        {P::ComponentFullDlg, O::Previous},
        {P::ComponentFullEDlg, O::Previous},
        {P::ComponentVSDlg, O::Previous},
        {P::SecondInstallDlg, O::Modify},
        {P::SecondInstallDlg, O::Repair},
        {P::SecondInstallDlg, O::Remove},
        {P::UpdataDlg, O::Next},
        {P::InstallingDlg, O::Completed},
        {P::InstallingDlg, O::Stopped},
        {P::InstallingDlg, O::Failed},
        {P::UninstallingDlg, O::Completed},
    };
    const std::vector<WizardFacts> runs = {
        kFreshFull, Facts(InstallType::Maintenance, ProductVariant::VS),
        Facts(InstallType::UpgradeBlind, ProductVariant::FULL, 1, UiLanguage::Chinese)};
    for (P page : kAllPages) {
        for (O outcome : kAllOutcomes) {
            for (const WizardFacts& facts : runs) {
                const WizardStep step = NextPage(page, outcome, facts);
                EXPECT_EQ(step.page != P::None, leading.count({page, outcome}) == 1)
                    << "page " << static_cast<int>(page) << " outcome "
                    << static_cast<int>(outcome);
            }
        }
    }
}

TEST(WizardTable, ResultsThatAreNoOutcomeCountAsAClose) {
    EXPECT_EQ(ToPageOutcome(IDCANCEL), O::Closed);
    EXPECT_EQ(ToPageOutcome(IDOK), O::Closed);
    EXPECT_EQ(ToPageOutcome(-1), O::Closed);
    EXPECT_EQ(ToPageOutcome(8), O::Closed);
    for (O outcome : kAllOutcomes) {
        EXPECT_EQ(ToPageOutcome(PageResult(outcome)), outcome);
    }
}
