#pragma once
// The maintenance page: Modify, Repair or Remove an installation of this very edition and
// version.
#include "ui/SkinDialog.h"

class CSecondInstallDlg : public CSkinDlg {
public:
    // preselectModify: a feature page's Previous brings the page back with Modify chosen.
    explicit CSecondInstallDlg(bool preselectModify);

private:
    bool preselectModify_;
};
