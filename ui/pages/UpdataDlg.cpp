#include "ui/pages/UpdataDlg.h"

#include "base/StringUtil.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/PageOutcome.h"
#include "ui/pages/MaintenanceRules.h"

CUpdataDlg::CUpdataDlg() : CSkinDlg(IDD_UPDATA, SkinKind::Page) {}

BOOL CUpdataDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    const CTextTable& texts = CTextTable::Instance();
    const std::string& version = CSetupConfig::Instance().version;
    SetControlText(IDC_UPGRADE_GUIDE, FormatString(texts.GetText("secondinstallguide"),
                                                   Settings().brandName.c_str(), version.c_str()));
    SetControlText(
        IDC_UPGRADE_DETAILS,
        FormatString(texts.GetText("updatadetails"),
                     SetUp::ReadInstalledValue("DisplayVersion").c_str(), version.c_str()));
    ok_.Attach(Handle(), IDC_NEXT);
    RepaintAll();
    return TRUE;
}

bool CUpdataDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_NEXT) {
        Upgrade();
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

void CUpdataDlg::Upgrade() {
    CInstallContext& context = CInstallContext::Instance();
    if (const auto refusal = RefusalToGoOn(MachineGoOnCheckHooks())) {
        CTipDlg message(*refusal);
        message.DoModal();
        return;
    }
    const UpgradeRoute route = RouteUpgrade(CInstallContext::Instance().installType,
                                            Settings().productVariant, Settings().uiLanguage);
    // The host takes the same route: to the feature page, or with these features to the
    // progress page.
    context.featuresToAdd.insert(context.featuresToAdd.end(), route.features.begin(),
                                 route.features.end());
    EndDialog(PageResult(PageOutcome::Next));
}
