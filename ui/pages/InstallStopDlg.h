#pragma once
// The installation stopped page: the install was cancelled and rolled back.
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

class CInstallStopDlg : public CSkinDlg {
public:
    CInstallStopDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCloseButton() override;

private:
    CMyButton close_;
};
