#include "app/WizardHost.h"

#include <windows.h>

#include <string>
#include <utility>

#include "base/FileSystem.h"
#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "base/TempWorkDir.h"
#include "product/SetupConfig.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/ComponentFullDlg.h"
#include "ui/pages/ComponentFullEDlg.h"
#include "ui/pages/ComponentVSDlg.h"
#include "ui/pages/EndOfRun.h"
#include "ui/pages/InstallFinishDlg.h"
#include "ui/pages/InstallStopDlg.h"
#include "ui/pages/InstallingDlg.h"
#include "ui/pages/SecondInstallDlg.h"
#include "ui/pages/StartACDlg.h"
#include "ui/pages/StartDlg.h"
#include "ui/pages/UninstallFinishDlg.h"
#include "ui/pages/UninstallingDlg.h"
#include "ui/pages/UpdataDlg.h"

namespace {

// A program the run started without waiting for it (the driver-removal script of a roll-back)
// may hold a file of the working folder a little longer than the run.
constexpr int kDeleteAttempts = 50;
constexpr DWORD kDeleteRetryMs = 200;

template <typename Page, typename... Arguments>
PageOutcome Run(Arguments&&... arguments) {
    Page page(std::forward<Arguments>(arguments)...);
    return ToPageOutcome(page.DoModal());
}

PageOutcome RunPage(const WizardStep& step) {
    switch (step.page) {
        case WizardPage::TipDlg:
            return Run<CTipDlg>(step.messageKind);
        case WizardPage::StartDlg:
            return Run<CStartDlg>(step.back);
        case WizardPage::StartACDlg:
            return Run<CStartACDlg>();
        case WizardPage::ComponentFullDlg:
            return Run<CComponentFullDlg>();
        case WizardPage::ComponentFullEDlg:
            return Run<CComponentFullEDlg>();
        case WizardPage::ComponentVSDlg:
            return Run<CComponentVSDlg>();
        case WizardPage::SecondInstallDlg:
            return Run<CSecondInstallDlg>(step.back);
        case WizardPage::UpdataDlg:
            return Run<CUpdataDlg>();
        case WizardPage::InstallingDlg:
            return Run<CInstallingDlg>();
        case WizardPage::InstallFinishDlg:
            return Run<CInstallFinishDlg>();
        case WizardPage::InstallStopDlg:
            return Run<CInstallStopDlg>(false);
        case WizardPage::InstallFailedDlg:
            return Run<CInstallStopDlg>(true);
        case WizardPage::UninstallingDlg:
            return Run<CUninstallingDlg>();
        case WizardPage::UninstallFinishDlg:
            return Run<CUninstallFinishDlg>();
        case WizardPage::None:
            break;
    }
    return PageOutcome::Closed;
}

WizardFacts FactsOfThisRun() {
    const CSetupConfig& config = CSetupConfig::Instance();
    WizardFacts facts;
    facts.installType = CInstallContext::Instance().installType;
    facts.productVariant = config.productVariant;
    facts.brandType = config.brandType;
    facts.uiLanguage = config.uiLanguage;
    return facts;
}

void DeleteWorkingFolder() {
    std::string folder = SetUp::GetTempWorkDir();
    if (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    SetUp::DeleteTempWorkDir();
    for (int attempt = 0; attempt < kDeleteAttempts && !folder.empty() && SetUp::PathExists(folder);
         ++attempt) {
        Sleep(kDeleteRetryMs);
        SetUp::DeleteFolder(folder, false);
    }
}

}  // namespace

int EndRun(int exitCode) {
    WaitForEngine();
    // A cancelled or removed run must not leave hundreds of megabytes of archives behind.
    DeleteWorkingFolder();
    // The last line, in a form a script can search for.
    SetUp::LogLine(FormatString("Setup ended with exit code %d.", exitCode));
    SetUp::CloseRunLog();
    return exitCode;
}

int RunWizard(const WizardStep& first) {
    const WizardFacts facts = FactsOfThisRun();
    WizardStep step = first;
    while (step.page != WizardPage::None) {
        step = NextPage(step.page, RunPage(step), facts);
    }
    // Every end the wizard had before ends with 0; a failure is the one end that did not exist.
    return EndRun(CInstallContext::Instance().exitCode);
}
