#pragma once
// The installation stopped page: the install was cancelled and rolled back. With failed, the
// same page says that a procedure failed, what failed and where the run's log is.
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

class CInstallStopDlg : public CSkinDlg {
public:
    explicit CInstallStopDlg(bool failed = false);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCloseButton() override;

private:
    bool failed_;
    CMyButton close_;
};
