#pragma once
// The removal finished page; warns when folders could not be cleared.
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"

class CUninstallFinishDlg : public CSkinDlg {
public:
    CUninstallFinishDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    void OnCloseButton() override;
    INT_PTR OnMessage(UINT message, WPARAM wParam, LPARAM lParam, bool* handled) override;

private:
    void WarnIfFoldersRemain();

    CMyButton finish_;
};
