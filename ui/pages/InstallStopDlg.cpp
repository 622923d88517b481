#include "ui/pages/InstallStopDlg.h"

#include "base/StringUtil.h"
#include "product/TextTable.h"
#include "ui/pages/EndOfRun.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 260, 720, 260}}, nullptr, F::None, C::Default, false},
    {IDC_RESULT_MARK,
     LayoutBy::Language,
     {{258, 300, 41, 34}, {288, 300, 41, 34}},
     nullptr,
     F::None,
     C::Default,
     false},
    {IDC_ACCEPT_TEXT,
     LayoutBy::Language,
     {{319, 307, 184, 19}, {349, 307, 184, 19}},
     "installstop",
     F::Title,
     C::Grey,
     false},
    // Three lines: the English text wraps once more than two lines hold in our fonts.
    {IDC_DETAILS_TEXT, kFixed, {{42, 358, 636, 60}}, nullptr, F::Text, C::Grey, false},
    {IDC_PAGE_CANCEL, kFixed, {{584, 464, 96, 32}}, "close", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

}  // namespace

CInstallStopDlg::CInstallStopDlg() : CSkinDlg(IDD_INSTALL_STOP, SkinKind::Page) {}

BOOL CInstallStopDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
    SetControlText(IDC_DETAILS_TEXT, FormatString(CTextTable::Instance().GetText("stopdetails"),
                                                  Settings().brandName.c_str(),
                                                  CSetupConfig::Instance().version.c_str()));
    close_.Attach(Handle(), IDC_PAGE_CANCEL);
    close_.SetStyle(kSecondaryButton);
    RepaintAll();
    return TRUE;
}

bool CInstallStopDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_PAGE_CANCEL) {
        EndDialog(IDCANCEL);
        EndRun();
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CInstallStopDlg::OnCloseButton() {
    EndRun();
}
