#include "ui/pages/StartDlg.h"

#include <atomic>

#include "ui/PageOutcome.h"

namespace {

std::atomic<int32_t> gLastBrandType{0};

}  // namespace

CStartDlg::CStartDlg(bool accepted) : CSkinDlg(IDD_START, SkinKind::Page), accepted_(accepted) {
    gLastBrandType = Settings().brandType;
}

int32_t CStartDlg::LastBrandType() {
    return gLastBrandType;
}

BOOL CStartDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    next_.Attach(Handle(), IDC_NEXT);
    licence_.Attach(Handle(), accepted_);
    UpdateNextButton();
    RepaintAll();
    if (Settings().brandType != 0) {
        Next();
    }
    return TRUE;
}

void CStartDlg::UpdateNextButton() {
    EnableWindow(next_.Handle(), licence_.Accepted());
    InvalidateControl(IDC_NEXT);
}

bool CStartDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_ACCEPT_CHECK:
            UpdateNextButton();
            return true;
        case IDC_LICENSE_LINK:
            licence_.RunLicencePage();
            UpdateNextButton();
            return true;
        case IDC_NEXT:
            Next();
            return true;
        default:
            return CSkinDlg::OnCommand(id, code, control);
    }
}

void CStartDlg::Next() {
    EndDialog(PageResult(PageOutcome::Next));
}
