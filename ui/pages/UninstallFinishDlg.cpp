#include "ui/pages/UninstallFinishDlg.h"

#include "engine/Removal.h"
#include "ui/PageOutcome.h"
#include "ui/TipDlg.h"
#include "ui/pages/EndOfRun.h"
#include "ui/WizardEngine.h"
#include "ui/pages/PageMessages.h"

CUninstallFinishDlg::CUninstallFinishDlg() : CSkinDlg(IDD_UNINSTALL_FINISH, SkinKind::Page) {}

BOOL CUninstallFinishDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    finish_.Attach(Handle(), IDC_FINISH);
    finish_.SetStyle(kSecondaryButton);
    RepaintAll();
    // The warning comes once the page shows, over it.
    PostMessageA(Handle(), kCheckRemovalMessage, 0, 0);
    return TRUE;
}

void CUninstallFinishDlg::WarnIfFoldersRemain() {
    // The removal's last steps may still run: judge what is left once they are done.
    WaitForEngine();
    if (!SetUp::IsRemovalComplete(WizardEngine().InstallRoot(), CSetupConfig::Instance())) {
        CTipDlg message(MessageKind::UninstallFinish);
        message.DoModal();
    }
}

INT_PTR CUninstallFinishDlg::OnMessage(UINT message, WPARAM, LPARAM, bool* handled) {
    *handled = message == kCheckRemovalMessage;
    if (*handled) {
        WarnIfFoldersRemain();
    }
    return 0;
}

bool CUninstallFinishDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_FINISH) {
        EndDialog(PageResult(PageOutcome::Finished));
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CUninstallFinishDlg::OnCloseButton() {
    EndDialog(PageResult(PageOutcome::Closed));
}
