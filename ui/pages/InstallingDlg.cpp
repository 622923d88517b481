#include "ui/pages/InstallingDlg.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "engine/InstallEngine.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/PageOutcome.h"
#include "ui/WizardEngine.h"
#include "ui/pages/PageMessages.h"
#include "ui/pages/ProgressRelay.h"

namespace {

// The install type as a second detection sees it now.
InstallType DetectAgain() {
    CInstallMode mode;
    mode.Detect(CSetupConfig::Instance());
    return mode.installType;
}

}  // namespace

CInstallingDlg::CInstallingDlg()
    : CSkinDlg(IDD_INSTALLING, SkinKind::Page), pageInstallType_(DetectAgain()) {}

// The unattended run has just detected and decided; there is nothing to compare again.
CInstallingDlg::CInstallingDlg(std::function<void()> start)
    : CSkinDlg(IDD_INSTALLING, SkinKind::Page),
      pageInstallType_(CInstallContext::Instance().installType),
      unattendedStart_(std::move(start)) {}

BOOL CInstallingDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    progress_.Attach(Handle(), IDC_PROGRESS);
    SendMessageA(progress_.Handle(), PBM_SETRANGE, 0, MAKELPARAM(0, 100));
    SendMessageA(progress_.Handle(), PBM_SETPOS, 0, 0);
    cancel_.Attach(Handle(), IDC_PAGE_CANCEL);
    cancel_.SetStyle(kSecondaryButton);
    if (unattendedStart_) {
        // Hidden before the first paint, so that nothing of the button is ever drawn.
        EnableWindow(closeButton_.Handle(), FALSE);
        ShowWindow(cancel_.Handle(), SW_HIDE);
    }
    RepaintAll();
    InstallCallbacks();
    if (unattendedStart_) {
        unattendedStart_();
        return TRUE;
    }
    // Another installer has changed the machine since this one started.
    if (pageInstallType_ != CInstallContext::Instance().installType) {
        ShowWhenReady();
        CTipDlg message(MessageKind::InstallingMutex);
        message.DoModal();
        EndDialog(PageResult(PageOutcome::Refused));
        return TRUE;
    }
    StartProcedure();
    return TRUE;
}

void CInstallingDlg::InstallCallbacks() {
    // Worker thread: everything reaches the page as posted messages, so that nothing waits for
    // the user-interface thread while it waits inside RequestCancel.
    WizardEngine().SetEventCallback(MakeEventRelay(Handle(), true, &completionPosted_));
}

void CInstallingDlg::StartProcedure() {
    SetUp::CInstallEngine& engine = WizardEngine();
    const CInstallContext& context = CInstallContext::Instance();
    const bool fresh = pageInstallType_ == InstallType::Fresh;
    EnableWindow(closeButton_.Handle(), fresh);
    ShowWindow(cancel_.Handle(), fresh ? SW_SHOW : SW_HIDE);
    const std::vector<int32_t> added = context.featuresToAdd;
    const std::vector<int32_t> removed = context.featuresToRemove;
    switch (pageInstallType_) {
        case InstallType::Fresh:
            engine.StartInstall(added, context.installRoot);
            break;
        case InstallType::Maintenance:
            if (context.maintenanceAction == 2) {
                engine.StartModify(added, removed);
            } else if (context.maintenanceAction == 1) {
                engine.StartRepair();
            }
            break;
        case InstallType::UpgradeBlind:
            engine.StartUpgrade(pageInstallType_, added);
            break;
        case InstallType::UpgradeByComponentList:
        case InstallType::UpgradeByDescription:
            engine.StartUpgrade(pageInstallType_, {});
            break;
        default:
            break;
    }
}

bool CInstallingDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PAGE_CANCEL) {
        Cancel();
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CInstallingDlg::Cancel() {
    if (unattendedStart_ || !notCancelled_ || completed_) {
        return;
    }
    CTipCertainDlg question(MessageKind::CancelInstall);
    // The question's loop also delivers this page's messages; a completion that arrives
    // meanwhile waits for the answer.
    questionOpen_ = true;
    const INT_PTR answer = question.DoModal();
    questionOpen_ = false;
    // A finished install is not rolled back: a cancel confirmed after the completion was
    // posted does nothing.
    if (answer == IDOK && !completionPosted_) {
        notCancelled_ = false;
        EnableWindow(closeButton_.Handle(), FALSE);
        EnableWindow(cancel_.Handle(), FALSE);
        WizardEngine().RequestCancel();
    }
    if (completionPending_) {
        Complete();
    }
}

void CInstallingDlg::Complete() {
    if (completed_) {
        return;
    }
    if (questionOpen_) {
        completionPending_ = true;
        return;
    }
    completed_ = true;
    // Nothing of the procedure reaches this page any more.
    WizardEngine().SetEventCallback({});
    const SetUp::CEngineEvent end = WizardEngine().LastEnd();
    if (end.kind == SetUp::EngineEventKind::ProcedureFinished &&
        end.result == SetUp::ProcedureResult::Failed) {
        // A failure is never reported as a completed installation.
        CInstallContext& context = CInstallContext::Instance();
        // The step only: the details (paths, exit codes) are in the log the page names.
        context.failure = SetUp::StepTitle(end.step);
        context.exitCode = end.diskFull ? 112 : 1603;
        EndDialog(PageResult(PageOutcome::Failed));
        return;
    }
    EndDialog(PageResult(notCancelled_ ? PageOutcome::Completed : PageOutcome::Stopped));
}

INT_PTR CInstallingDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) {
    *handled = true;
    switch (message) {
        case kProgressMessage:
            SendMessageA(progress_.Handle(), PBM_SETPOS, wParam, 0);
            return 0;
        case kStatusMessage: {
            std::unique_ptr<std::string> line(reinterpret_cast<std::string*>(lParam));
            SetControlText(IDC_STATUS_TEXT, *line);
            InvalidateControl(IDC_STATUS_TEXT);
            return 0;
        }
        case kCompletionMessage:
            Complete();
            return 0;
        default:
            *handled = false;
            return 0;
    }
}
