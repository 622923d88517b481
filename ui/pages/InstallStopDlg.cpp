#include "ui/pages/InstallStopDlg.h"

#include "base/StringUtil.h"
#include "product/TextTable.h"
#include "ui/PageOutcome.h"

CInstallStopDlg::CInstallStopDlg() : CSkinDlg(IDD_INSTALL_STOP, SkinKind::Page) {}

BOOL CInstallStopDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    SetControlText(IDC_DETAILS_TEXT, FormatString(CTextTable::Instance().GetText("stopdetails"),
                                                  Settings().brandName.c_str(),
                                                  CSetupConfig::Instance().version.c_str()));
    close_.Attach(Handle(), IDC_PAGE_CANCEL);
    close_.SetStyle(kSecondaryButton);
    RepaintAll();
    return TRUE;
}

bool CInstallStopDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PAGE_CANCEL) {
        EndDialog(PageResult(PageOutcome::Closed));
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CInstallStopDlg::OnCloseButton() {
    EndDialog(PageResult(PageOutcome::Closed));
}
