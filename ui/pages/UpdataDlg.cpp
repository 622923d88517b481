#include "ui/pages/UpdataDlg.h"

CUpdataDlg::CUpdataDlg() : CSkinDlg(IDD_UPDATA, SkinKind::Page) {}
