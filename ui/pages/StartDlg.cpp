#include "ui/pages/StartDlg.h"

#include <atomic>

#include "ui/pages/FeaturePages.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;
constexpr LayoutBy kByLanguage = LayoutBy::Language;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 368, 720, 152}}, nullptr, F::None, C::Default, false},
    {IDC_ACCEPT_CHECK, kFixed, {{44, 406, 24, 24}}, nullptr, F::None, C::Default, false},
    // The licence line is wider than its first design: in our fonts the texts wrapped.
    {IDC_ACCEPT_TEXT,
     kByLanguage,
     {{72, 409, 150, 20}, {72, 409, 50, 20}},
     "accept",
     F::Text,
     C::Grey,
     false},
    {IDC_LICENSE_LINK,
     kByLanguage,
     {{222, 409, 190, 20}, {122, 409, 125, 20}},
     "license",
     F::Text,
     C::Default,
     false},
    {IDC_DETAILS_TEXT,
     kByLanguage,
     {{412, 409, 48, 20}, {247, 409, 64, 20}},
     "details",
     F::Text,
     C::Grey,
     false},
    {IDC_NEXT, kFixed, {{600, 472, 96, 32}}, "nextstep", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

std::atomic<int32_t> gLastBrandType{0};

}  // namespace

CStartDlg::CStartDlg(bool accepted) : CSkinDlg(IDD_START, SkinKind::Page), accepted_(accepted) {
    gLastBrandType = Settings().brandType;
}

int32_t CStartDlg::LastBrandType() {
    return gLastBrandType;
}

BOOL CStartDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
    next_.Attach(Handle(), IDC_NEXT);
    licence_.Attach(Handle(), accepted_);
    UpdateNextButton();
    RepaintAll();
    if (Settings().brandType != 0) {
        Next();
    }
    return TRUE;
}

void CStartDlg::UpdateNextButton() {
    EnableWindow(next_.Handle(), licence_.Accepted());
    InvalidateControl(IDC_NEXT);
}

bool CStartDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_ACCEPT_CHECK:
            UpdateNextButton();
            return true;
        case IDC_LICENSE_LINK:
            licence_.RunLicencePage();
            UpdateNextButton();
            return true;
        case IDC_NEXT:
            Next();
            return true;
        default:
            return CSkinDlg::OnCommand(id, code, control);
    }
}

void CStartDlg::Next() {
    EndDialog(IDCANCEL);
    RunFeaturePage(FeaturePageFor(Settings().productVariant, Settings().uiLanguage));
}
