#include "app/SetupApp.h"

#include "app/FirstPage.h"
#include "app/FirstPageRunner.h"
#include "deploy/DriverQuestion.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"
#include "ui/InstallContext.h"
#include "ui/SharedFonts.h"
#include "ui/TipDlg.h"

BOOL CsetupApp::InitInstance() {
    CreateSharedFonts();
    // The driver question runs on the engine's worker thread, with its kind and process name
    // handed over directly; OK (1) lets the step run the detector again.
    SetUp::SetDriverQuestion([](MessageKind kind, const std::string& processName) {
        CTipCertainDlg question(kind, processName);
        return question.DoModal() == 1;
    });
    const CInstallMode& mode = CInstallMode::Instance();
    CInstallContext& context = CInstallContext::Instance();
    context.installType = mode.installType;
    const CSetupConfig& config = CSetupConfig::Instance();
    const FirstPageChoice choice =
        ChooseFirstPage(mode.installType, config, [] { return IsSameEdition(); });
    RunFirstPage(choice);
    return FALSE;
}
