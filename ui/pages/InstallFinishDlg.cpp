#include "ui/pages/InstallFinishDlg.h"

#include "deploy/MenuAndDesk.h"
#include "engine/InstallEngine.h"
#include "engine/InstallMode.h"
#include "engine/ProcessControl.h"
#include "product/TextTable.h"
#include "ui/InstallContext.h"
#include "ui/WizardEngine.h"
#include "ui/pages/EndOfRun.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 260, 720, 260}}, nullptr, F::None, C::Default, false},
    {IDC_RESULT_MARK,
     LayoutBy::Language,
     {{248, 300, 40, 40}, {288, 300, 40, 40}},
     nullptr,
     F::None,
     C::Default,
     false},
    // Wide enough for the Chinese headline in the fonts we draw with.
    {IDC_RESULT_TEXT,
     LayoutBy::Language,
     {{308, 307, 184, 19}, {348, 307, 120, 19}},
     "installcomplete",
     F::Title,
     C::White,
     false},
    {IDC_DESKTOP_CHECK, kFixed, {{44, 350, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_DESKTOP_TEXT, kFixed, {{72, 353, 200, 20}}, "deskshortcut", F::Text, C::Grey, false},
    {IDC_CLIENT_CHECK, kFixed, {{44, 400, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_CLIENT_TEXT, kFixed, {{72, 403, 150, 20}}, "startclient", F::Text, C::Grey, false},
    {IDC_FINISH, kFixed, {{584, 464, 96, 32}}, "complete", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

}  // namespace

CInstallFinishDlg::CInstallFinishDlg() : CSkinDlg(IDD_INSTALL_FINISH, SkinKind::Page) {}

BOOL CInstallFinishDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
    SetGreyStatics(true);
    for (CButtonST* box : {&desktopBox_, &clientBox_}) {
        box->Attach(Handle(), box == &desktopBox_ ? IDC_DESKTOP_CHECK : IDC_CLIENT_CHECK);
        box->SetBitmaps(IDB_CHECK_HOVER, IDB_CHECK_CHECKED, IDB_CHECK_NORMAL);
        SendMessageA(box->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    }
    finish_.Attach(Handle(), IDC_FINISH);
    finish_.SetStyle(kSecondaryButton);
    RepaintAll();
    return TRUE;
}

bool CInstallFinishDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_FINISH) {
        Finish();
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CInstallFinishDlg::OnCloseButton() {
    EndRun();
}

void CInstallFinishDlg::Finish() {
    WaitForEngine();
    const bool desktop = SendMessageA(desktopBox_.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const bool client = SendMessageA(clientBox_.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    const std::string root = WizardEngine().RefreshInstallRoot();
    SetUp::ProcessStopList programs(root, CSetupConfig::Instance());
    programs.LaunchServer();
    if (client) {
        programs.LaunchClient();
    }
    const SetUp::CMenuAndDesk menu(root, CSetupConfig::Instance(), CTextTable::Instance());
    if (CInstallContext::Instance().installType == InstallType::Maintenance && !desktop) {
        menu.DeleteDesktopShortcut();
    }
    if (desktop) {
        menu.CreateDesktopShortcut();
    }
    menu.ClearIconCache();
    EndRun();
}
