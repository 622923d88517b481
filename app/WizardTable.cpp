#include "app/WizardTable.h"

#include "ui/pages/FeaturePages.h"
#include "ui/pages/MaintenanceRules.h"

namespace {

enum class Goes {
    To,            // the row's page
    FeaturePage,   // the edition's feature page in the run's language
    EarlierPage,   // the page before the feature page, by install type
    UpgradeRoute,  // the feature page when the upgrade must ask, else the progress page
};

struct WizardRow {
    WizardPage page;
    PageOutcome outcome;
    Goes goes;
    WizardPage to;
};

using P = WizardPage;
using O = PageOutcome;

// Every other outcome of every page ends the run.
const WizardRow kRows[] = {
    {P::StartDlg, O::Next, Goes::FeaturePage, P::None},
    {P::StartACDlg, O::Install, Goes::To, P::InstallingDlg},
    {P::ComponentFullDlg, O::Install, Goes::To, P::InstallingDlg},
    {P::ComponentFullEDlg, O::Install, Goes::To, P::InstallingDlg},
    {P::ComponentVSDlg, O::Install, Goes::To, P::InstallingDlg},
    {P::ComponentFullDlg, O::Previous, Goes::EarlierPage, P::None},
    {P::ComponentFullEDlg, O::Previous, Goes::EarlierPage, P::None},
    {P::ComponentVSDlg, O::Previous, Goes::EarlierPage, P::None},
    {P::SecondInstallDlg, O::Modify, Goes::FeaturePage, P::None},
    {P::SecondInstallDlg, O::Repair, Goes::To, P::InstallingDlg},
    {P::SecondInstallDlg, O::Remove, Goes::To, P::UninstallingDlg},
    {P::UpdataDlg, O::Next, Goes::UpgradeRoute, P::None},
    {P::InstallingDlg, O::Completed, Goes::To, P::InstallFinishDlg},
    {P::InstallingDlg, O::Stopped, Goes::To, P::InstallStopDlg},
    {P::InstallingDlg, O::Failed, Goes::To, P::InstallFailedDlg},
    {P::UninstallingDlg, O::Completed, Goes::To, P::UninstallFinishDlg},
};

WizardPage PageOf(FeaturePageKind kind) {
    switch (kind) {
        case FeaturePageKind::Full:
            return P::ComponentFullDlg;
        case FeaturePageKind::FullE:
            return P::ComponentFullEDlg;
        case FeaturePageKind::VS:
            return P::ComponentVSDlg;
        default:
            return P::None;
    }
}

WizardStep EarlierPage(const WizardFacts& facts) {
    switch (facts.installType) {
        case InstallType::Fresh:
            // Brand type 1 opens the feature page first, without Previous.
            if (facts.brandType == 1) {
                return {};
            }
            return {P::StartDlg, MessageKind::CheckComponent, true};
        case InstallType::Maintenance:
            return {P::SecondInstallDlg, MessageKind::CheckComponent, true};
        case InstallType::UpgradeBlind:
            return {P::UpdataDlg, MessageKind::CheckComponent, true};
        default:
            return {};
    }
}

WizardStep Follow(const WizardRow& row, const WizardFacts& facts) {
    switch (row.goes) {
        case Goes::To:
            return {row.to};
        case Goes::FeaturePage:
            return {PageOf(FeaturePageFor(facts.productVariant, facts.uiLanguage))};
        case Goes::EarlierPage:
            return EarlierPage(facts);
        case Goes::UpgradeRoute: {
            const UpgradeRoute route =
                RouteUpgrade(facts.installType, facts.productVariant, facts.uiLanguage);
            return {route.featurePage == FeaturePageKind::None ? P::InstallingDlg
                                                               : PageOf(route.featurePage)};
        }
    }
    return {};
}

}  // namespace

WizardStep NextPage(WizardPage page, PageOutcome outcome, const WizardFacts& facts) {
    for (const WizardRow& row : kRows) {
        if (row.page == page && row.outcome == outcome) {
            return Follow(row, facts);
        }
    }
    return {};
}
