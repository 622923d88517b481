#pragma once
// The wizard as a table: after a page ends, its outcome and the facts of the run give the next
// page, or the end of the run. Plain data and functions: the host runs them, tests read them.
#include <cstdint>

#include "engine/InstallMode.h"
#include "product/MessageKind.h"
#include "product/SetupConfig.h"
#include "ui/PageOutcome.h"

enum class WizardPage {
    None,  // the run ends
    StartDlg,
    StartACDlg,
    ComponentFullDlg,
    ComponentFullEDlg,
    ComponentVSDlg,
    SecondInstallDlg,
    UpdataDlg,
    TipDlg,  // a refusal: the message, then the end
    InstallingDlg,
    InstallFinishDlg,
    InstallStopDlg,
    InstallFailedDlg,  // the stopped page's frame with the failure's texts
    UninstallingDlg,
    UninstallFinishDlg,
};

// What the next page depends on besides the page and its outcome; fixed for the run.
struct WizardFacts {
    InstallType installType = InstallType::None;
    ProductVariant productVariant = ProductVariant::FULL;
    int32_t brandType = 0;
    UiLanguage uiLanguage = UiLanguage::English;
};

struct WizardStep {
    WizardPage page = WizardPage::None;
    MessageKind messageKind = MessageKind::CheckComponent;  // for TipDlg
    // Reached through Previous: the start page comes back with its licence box ticked, the
    // maintenance page with Modify chosen.
    bool back = false;
};

WizardStep NextPage(WizardPage page, PageOutcome outcome, const WizardFacts& facts);
