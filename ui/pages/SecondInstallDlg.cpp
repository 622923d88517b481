#include "ui/pages/SecondInstallDlg.h"

CSecondInstallDlg::CSecondInstallDlg(bool preselectModify)
    : CSkinDlg(IDD_SECOND_INSTALL, SkinKind::Page), preselectModify_(preselectModify) {}
