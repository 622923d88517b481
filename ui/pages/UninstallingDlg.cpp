#include "ui/pages/UninstallingDlg.h"

#include <commctrl.h>

#include "engine/InstallEngine.h"
#include "engine/Removal.h"
#include "ui/PageOutcome.h"
#include "ui/TipDlg.h"
#include "ui/WizardEngine.h"
#include "ui/pages/EndOfRun.h"
#include "ui/pages/PageMessages.h"
#include "ui/pages/ProgressRelay.h"

CUninstallingDlg::CUninstallingDlg() : CSkinDlg(IDD_UNINSTALLING, SkinKind::Page) {}

CUninstallingDlg::CUninstallingDlg(bool asksAboutUserData) : CUninstallingDlg() {
    asksAboutUserData_ = asksAboutUserData;
}

BOOL CUninstallingDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    progress_.Attach(Handle(), IDC_PROGRESS);
    SendMessageA(progress_.Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(progress_.Handle(), PBM_SETPOS, 0, 0);
    EnableWindow(closeButton_.Handle(), FALSE);
    RepaintAll();
    SetUp::CInstallEngine& engine = WizardEngine();
    engine.SetEventCallback(MakeEventRelay(Handle(), false, &completionPosted_));
    if (!engine.StartRemoval()) {
        // Nothing installed to remove: the page would wait for ever; its close button ends it.
        nothingToRemove_ = true;
        EnableWindow(closeButton_.Handle(), TRUE);
    }
    return TRUE;
}

void CUninstallingDlg::OnCloseButton() {
    if (nothingToRemove_) {
        EndDialog(PageResult(PageOutcome::Closed));
    }
}

void CUninstallingDlg::Complete() {
    if (completed_) {
        return;
    }
    completed_ = true;
    WizardEngine().SetEventCallback({});
    if (!asksAboutUserData_) {
        EndDialog(PageResult(PageOutcome::Completed));
        return;
    }
    CTipCertainDlg question(MessageKind::DeleteUserData);
    if (question.DoModal() == IDOK) {
        // The removal's last steps may still run below the same root.
        WaitForEngine();
        SetUp::DeleteUserData(WizardEngine().InstallRoot(), CSetupConfig::Instance());
    }
    EndDialog(PageResult(PageOutcome::Completed));
}

INT_PTR CUninstallingDlg::OnMessage(UINT message, WPARAM wParam, LPARAM, bool* handled) {
    *handled = true;
    switch (message) {
        case kProgressMessage:
            SendMessageA(progress_.Handle(), PBM_SETPOS, wParam, 0);
            return 0;
        case kCompletionMessage:
            Complete();
            return 0;
        default:
            *handled = false;
            return 0;
    }
}
