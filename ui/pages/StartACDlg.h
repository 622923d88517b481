#pragma once
// The start/install page of the editions with a fixed feature set (AC, SL): licence, folder,
// space, Install.
#include <cstdint>
#include <string>

#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/MyTextButton.h"
#include "ui/SkinDialog.h"
#include "ui/pages/LicenceLine.h"

class CStartACDlg : public CSkinDlg {
public:
    CStartACDlg();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void UpdateInstallButton();
    void ShowAvailableSpace();
    void Install();

    CMyButton install_;
    CButtonST browse_;
    CMyTextButton diskSpaceLink_;
    CLicenceLine licence_;
    std::string root_;
    std::string folderName_;
    int32_t requiredMb_;
    int64_t availableMb_ = 0;
};
