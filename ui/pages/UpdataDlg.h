#pragma once
// The upgrade page: from the installed version to this one.
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

class CUpdataDlg : public CSkinDlg {
public:
    CUpdataDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Upgrade();

    CMyButton ok_;
};
