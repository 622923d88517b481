#include "ui/pages/UninstallFinishDlg.h"

#include "engine/Removal.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/EndOfRun.h"
#include "ui/WizardEngine.h"
#include "ui/pages/PageMessages.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 260, 720, 260}}, nullptr, F::None, C::Default, false},
    {IDC_RESULT_MARK,
     LayoutBy::Language,
     {{248, 317, 40, 40}, {288, 317, 40, 40}},
     nullptr,
     F::None,
     C::Default,
     false},
    // Wide enough for the Chinese headline in the fonts we draw with.
    {IDC_RESULT_TEXT,
     LayoutBy::Language,
     {{308, 327, 184, 19}, {348, 327, 120, 19}},
     "uninstallcomplete",
     F::Title,
     C::White,
     false},
    {IDC_FINISH, kFixed, {{584, 464, 96, 32}}, "complete", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

}  // namespace

CUninstallFinishDlg::CUninstallFinishDlg() : CSkinDlg(IDD_UNINSTALL_FINISH, SkinKind::Page) {}

BOOL CUninstallFinishDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
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
        CInstallContext::Instance().messageKind = MessageKind::UninstallFinish;
        CTipDlg message;
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
        EndRun();
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CUninstallFinishDlg::OnCloseButton() {
    EndRun();
}
