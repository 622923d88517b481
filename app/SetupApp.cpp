#include "app/SetupApp.h"

#include "app/FirstPage.h"
#include "app/InstallContext.h"
#include "app/InstallMode.h"
#include "app/SetupConfig.h"
#include "app/FirstPageRunner.h"
#include "deploy/DriverQuestion.h"
#include "ui/TipDlg.h"

namespace {

SharedFonts gFonts;

HFONT CreateYaHei(int height, int weight) {
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       FF_SWISS | DEFAULT_PITCH, "Microsoft YaHei");
}

}  // namespace

void CreateSharedFonts() {
    if (gFonts.title != nullptr) {
        return;
    }
    gFonts.title = CreateYaHei(19, FW_BOLD);
    gFonts.boldText = CreateYaHei(17, FW_BOLD);
    gFonts.text = CreateYaHei(17, FW_NORMAL);
}

const SharedFonts& GetSharedFonts() {
    return gFonts;
}

BOOL CsetupApp::InitInstance() {
    CreateSharedFonts();
    // The driver question runs on the engine's worker thread, with its kind and process name
    // handed over directly; OK (1) lets the step run the detector again.
    SetUp::SetDriverQuestion([](int32_t kind, const std::string& processName) {
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
