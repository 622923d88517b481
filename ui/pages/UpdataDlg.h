#pragma once
// The upgrade page: from the installed version to this one.
#include "ui/SkinDialog.h"

class CUpdataDlg : public CSkinDlg {
public:
    CUpdataDlg();
};
