#include "ui/pages/InstallFinishDlg.h"

#include "deploy/MenuAndDesk.h"
#include "engine/InstallEngine.h"
#include "engine/InstallMode.h"
#include "engine/ProcessControl.h"
#include "product/TextTable.h"
#include "ui/InstallContext.h"
#include "ui/PageOutcome.h"
#include "ui/WizardEngine.h"
#include "ui/pages/EndOfRun.h"

CInstallFinishDlg::CInstallFinishDlg() : CSkinDlg(IDD_INSTALL_FINISH, SkinKind::Page) {}

BOOL CInstallFinishDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
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
    EndDialog(PageResult(PageOutcome::Closed));
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
    EndDialog(PageResult(PageOutcome::Finished));
}
