#include "ui/pages/LicenceLine.h"

#include "product/ResourceIds.h"
#include "ui/pages/LicenseDlg.h"

void CLicenceLine::Attach(HWND page, bool accepted) {
    page_ = page;
    box_.Attach(page, IDC_ACCEPT_CHECK);
    box_.SetBitmaps(IDB_CHECK_HOVER, IDB_CHECK_CHECKED, IDB_CHECK_NORMAL);
    link_.Attach(page, IDC_LICENSE_LINK);
    SetAccepted(accepted);
}

bool CLicenceLine::Accepted() const {
    return SendMessageA(box_.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CLicenceLine::SetAccepted(bool accepted) {
    SendMessageA(box_.Handle(), BM_SETCHECK, accepted ? BST_CHECKED : BST_UNCHECKED, 0);
    box_.Invalidate();
}

void CLicenceLine::RunLicencePage() {
    CLicenseDlg licence(Accepted() ? 1 : 0);
    SetAccepted(licence.DoModal() == IDOK);
}
