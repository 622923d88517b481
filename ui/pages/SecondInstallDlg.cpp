#include "ui/pages/SecondInstallDlg.h"

#include <utility>

#include "base/StringUtil.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/InstallingDlg.h"
#include "ui/pages/UninstallingDlg.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 230, 720, 290}}, nullptr, F::None, C::Default, false},
    // The headline is formatted with the version as well: the page fills it in. It and the
    // labels are wider than their first design: in our fonts the texts wrapped.
    {IDC_ACCEPT_TEXT, kFixed, {{48, 254, 640, 20}}, nullptr, F::Title, C::White, false},
    {IDC_DETAILS_TEXT,
     kFixed,
     {{48, 314, 640, 20}},
     "secondinstalldetails",
     F::Text,
     C::Grey,
     false},
    {IDC_NEXT, kFixed, {{600, 472, 96, 32}}, "nextstep", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

// Modify, Repair and Remove, for the editions with a feature page.
const LayoutRow kThreeOptionRows[] = {
    {IDC_MODIFY_OPTION, kFixed, {{44, 348, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_MODIFY_TEXT, kFixed, {{72, 351, 640, 20}}, "modify", F::Text, C::Grey, false},
    {IDC_REPAIR_OPTION, kFixed, {{44, 388, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_REPAIR_TEXT, kFixed, {{72, 391, 640, 20}}, "repair", F::Text, C::Grey, false},
    {IDC_REMOVE_OPTION, kFixed, {{44, 428, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_UNINSTALL_TEXT, kFixed, {{72, 431, 640, 20}}, "uninstall", F::Text, C::Grey, false},
};
const PageLayout kThreeOptions(kThreeOptionRows);

// Repair and Remove move up into the first two places.
const LayoutRow kTwoOptionRows[] = {
    {IDC_REPAIR_OPTION, kFixed, {{44, 348, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_REPAIR_TEXT, kFixed, {{72, 351, 640, 20}}, "repair", F::Text, C::Grey, false},
    {IDC_REMOVE_OPTION, kFixed, {{44, 388, 24, 24}}, nullptr, F::None, C::Default, false},
    {IDC_UNINSTALL_TEXT, kFixed, {{72, 391, 640, 20}}, "uninstall", F::Text, C::Grey, false},
};
const PageLayout kTwoOptions(kTwoOptionRows);

}  // namespace

CSecondInstallDlg::CSecondInstallDlg(bool preselectModify)
    : CSkinDlg(IDD_SECOND_INSTALL, SkinKind::Page), preselectModify_(preselectModify) {}

BOOL CSecondInstallDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
    SetControlText(
        IDC_ACCEPT_TEXT,
        FormatString(CTextTable::Instance().GetText("secondinstallguide"),
                     Settings().brandName.c_str(), CSetupConfig::Instance().version.c_str()));
    const bool threeOptions = OffersModify(Settings().productVariant);
    ApplyLayout(threeOptions ? kThreeOptions : kTwoOptions);
    for (int id : {IDC_MODIFY_OPTION, IDC_MODIFY_TEXT}) {
        ShowWindow(Item(id), threeOptions ? SW_SHOW : SW_HIDE);
    }
    modify_.Attach(Handle(), IDC_MODIFY_OPTION);
    repair_.Attach(Handle(), IDC_REPAIR_OPTION);
    remove_.Attach(Handle(), IDC_REMOVE_OPTION);
    for (CButtonST* option : {&modify_, &repair_, &remove_}) {
        option->SetBitmaps(IDB_RADIO_HOVER, IDB_RADIO_SELECTED, IDB_RADIO_NORMAL);
    }
    Select(InitialOption(preselectModify_));
    next_.Attach(Handle(), IDC_NEXT);
    EnableWindow(next_.Handle(), TRUE);
    for (int id : {IDC_ACCEPT_TEXT, IDC_DETAILS_TEXT, IDC_NEXT}) {
        InvalidateControl(id);
    }
    RepaintAll();
    return TRUE;
}

void CSecondInstallDlg::Select(MaintenanceOption option) {
    const std::pair<CButtonST*, MaintenanceOption> options[] = {
        {&modify_, MaintenanceOption::Modify},
        {&repair_, MaintenanceOption::Repair},
        {&remove_, MaintenanceOption::Remove},
    };
    for (const auto& [button, which] : options) {
        SendMessageA(button->Handle(), BM_SETCHECK, which == option ? BST_CHECKED : BST_UNCHECKED,
                     0);
    }
}

MaintenanceOption CSecondInstallDlg::Selected() const {
    if (SendMessageA(modify_.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        return MaintenanceOption::Modify;
    }
    if (SendMessageA(repair_.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED) {
        return MaintenanceOption::Repair;
    }
    return MaintenanceOption::Remove;
}

bool CSecondInstallDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        // The button has already flipped itself; the page sets the final states.
        case IDC_MODIFY_OPTION:
            Select(MaintenanceOption::Modify);
            return true;
        case IDC_REPAIR_OPTION:
            Select(MaintenanceOption::Repair);
            return true;
        case IDC_REMOVE_OPTION:
            Select(MaintenanceOption::Remove);
            return true;
        case IDC_NEXT:
            Next();
            return true;
        default:
            return CSkinDlg::OnCommand(id, code, control);
    }
}

void CSecondInstallDlg::Next() {
    if (const auto refusal = RefusalToGoOn(MachineGoOnCheckHooks())) {
        CInstallContext::Instance().messageKind = *refusal;
        CTipDlg message;
        message.DoModal();
        return;
    }
    switch (Selected()) {
        case MaintenanceOption::Modify:
            Modify();
            break;
        case MaintenanceOption::Repair:
            Repair();
            break;
        case MaintenanceOption::Remove:
            Remove();
            break;
    }
}

void CSecondInstallDlg::Modify() {
    CInstallContext::Instance().maintenanceAction = 2;
    EndDialog(IDCANCEL);
    RunFeaturePage(FeaturePageFor(Settings().productVariant, Settings().uiLanguage));
}

void CSecondInstallDlg::Repair() {
    CInstallContext::Instance().maintenanceAction = 1;
    CInstallingDlg installing;
    EndDialog(IDCANCEL);
    installing.DoModal();
}

void CSecondInstallDlg::Remove() {
    CInstallContext::Instance().messageKind = MessageKind::Uninstall;
    CTipCertainDlg question;
    if (question.DoModal() != IDOK) {
        return;
    }
    CUninstallingDlg uninstalling;
    EndDialog(IDCANCEL);
    uninstalling.DoModal();
}
