#pragma once
// The install finished page: desktop icon and client launch, then Finish starts the product.
#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

class CInstallFinishDlg : public CSkinDlg {
public:
    CInstallFinishDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCloseButton() override;

private:
    void Finish();

    CButtonST desktopBox_;
    CButtonST clientBox_;
    CMyButton finish_;
};
