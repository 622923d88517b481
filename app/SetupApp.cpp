#include "app/SetupApp.h"

#include "app/FirstPage.h"
#include "app/WizardHost.h"
#include "base/TempWorkDir.h"
#include "deploy/DriverQuestion.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"
#include "ui/InstallContext.h"
#include "ui/SharedFonts.h"
#include "ui/TipDlg.h"

BOOL CsetupApp::InitInstance() {
    CreateSharedFonts();
    // Nothing is written or run before the private working folder exists and is safe.
    if (SetUp::PrepareTempWorkDir() != SetUp::TempWorkDirState::Ready) {
        exitCode_ = RunWizard({WizardPage::TipDlg, MessageKind::UnsafeWorkFolder});
        return FALSE;
    }
    // The driver question runs on the engine's worker thread, with its kind and process name
    // handed over directly; OK (1) lets the step run the detector again.
    SetUp::SetDriverQuestion([](MessageKind kind, const std::string& processName) {
        CTipCertainDlg question(kind, processName);
        return question.DoModal() == 1;
    });
    const CSetupConfig& config = CSetupConfig::Instance();
    CInstallMode mode;
    mode.Detect(config);
    CInstallContext& context = CInstallContext::Instance();
    context.installType = mode.installType;
    const FirstPageChoice choice =
        ChooseFirstPage(mode.installType, config, [&config] { return IsSameEdition(config); });
    exitCode_ = RunWizard(choice);
    return FALSE;
}
