#pragma once
// The maintenance page: Modify, Repair or Remove an installation of this very edition and
// version.
#include "ui/ButtonST.h"
#include "ui/MyButton.h"
#include "ui/SkinDialog.h"
#include "ui/pages/MaintenanceRules.h"

class CSecondInstallDlg : public CSkinDlg {
public:
    // preselectModify: a feature page's Previous brings the page back with Modify chosen.
    explicit CSecondInstallDlg(bool preselectModify);

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;

private:
    void Select(MaintenanceOption option);
    MaintenanceOption Selected() const;
    void Next();
    void Modify();
    void Repair();
    void Remove();

    bool preselectModify_;
    CMyButton next_;
    CButtonST modify_;
    CButtonST repair_;
    CButtonST remove_;
};
