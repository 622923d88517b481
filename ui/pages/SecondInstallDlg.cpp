#include "ui/pages/SecondInstallDlg.h"

#include <utility>

#include "base/StringUtil.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/PageOutcome.h"

CSecondInstallDlg::CSecondInstallDlg(bool preselectModify)
    : CSkinDlg(IDD_SECOND_INSTALL, SkinKind::Page), preselectModify_(preselectModify) {}

BOOL CSecondInstallDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    SetControlText(
        IDC_ACCEPT_TEXT,
        FormatString(CTextTable::Instance().GetText("secondinstallguide"),
                     Settings().brandName.c_str(), CSetupConfig::Instance().version.c_str()));
    const bool threeOptions = OffersModify(Settings().productVariant);
    ApplyLayout(
        LoadPageLayout(threeOptions ? IDL_MAINTENANCE_THREE_OPTIONS : IDL_MAINTENANCE_TWO_OPTIONS));
    for (int id : {IDC_MODIFY_OPTION, IDC_MODIFY_TEXT}) {
        ShowWindow(Item(id), threeOptions ? SW_SHOW : SW_HIDE);
    }
    modify_.Attach(Handle(), IDC_MODIFY_OPTION);
    repair_.Attach(Handle(), IDC_REPAIR_OPTION);
    remove_.Attach(Handle(), IDC_REMOVE_OPTION);
    for (CButtonST* option : {&modify_, &repair_, &remove_}) {
        option->SetBitmaps(IDB_RADIO_HOVER, IDB_RADIO_SELECTED, IDB_RADIO_NORMAL);
    }
    Select(InitialOption(preselectModify_, CInstallContext::Instance().lastRunInterrupted));
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
        CTipDlg message(*refusal);
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
    EndDialog(PageResult(PageOutcome::Modify));
}

void CSecondInstallDlg::Repair() {
    CInstallContext::Instance().maintenanceAction = 1;
    EndDialog(PageResult(PageOutcome::Repair));
}

void CSecondInstallDlg::Remove() {
    CTipCertainDlg question(MessageKind::Uninstall);
    if (question.DoModal() == IDOK) {
        EndDialog(PageResult(PageOutcome::Remove));
    }
}
