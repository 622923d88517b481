#include "ui/pages/InstallStopDlg.h"

#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "product/TextTable.h"
#include "ui/InstallContext.h"
#include "ui/PageOutcome.h"

CInstallStopDlg::CInstallStopDlg(bool failed)
    : CSkinDlg(IDD_INSTALL_STOP, SkinKind::Page), failed_(failed) {}

BOOL CInstallStopDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    const CTextTable& texts = CTextTable::Instance();
    const std::string& version = CSetupConfig::Instance().version;
    if (failed_) {
        SetControlText(IDC_ACCEPT_TEXT, texts.GetText("installfailed"));
        SetControlText(IDC_DETAILS_TEXT,
                       FormatString(texts.GetText("faileddetails"), Settings().brandName.c_str(),
                                    version.c_str(), CInstallContext::Instance().failure.c_str(),
                                    SetUp::RunLogPath().c_str()));
    } else {
        SetControlText(IDC_DETAILS_TEXT,
                       FormatString(texts.GetText("stopdetails"), Settings().brandName.c_str(),
                                    version.c_str()));
    }
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
