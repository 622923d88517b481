#include "ui/pages/UpdataDlg.h"

#include "base/StringUtil.h"
#include "engine/InstallMode.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"
#include "ui/InstallContext.h"
#include "ui/TipDlg.h"
#include "ui/pages/InstallingDlg.h"
#include "ui/pages/MaintenanceRules.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;

// Both lines are formatted with versions: the page fills them in. The headline is wider than
// its first design, as on the maintenance page.
const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 260, 720, 260}}, nullptr, F::None, C::Default, false},
    {IDC_UPGRADE_GUIDE, kFixed, {{48, 284, 640, 20}}, nullptr, F::Title, C::Grey, false},
    {IDC_UPGRADE_DETAILS, kFixed, {{48, 344, 400, 20}}, nullptr, F::Text, C::Grey, false},
    {IDC_NEXT, kFixed, {{600, 462, 96, 32}}, "ok", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

}  // namespace

CUpdataDlg::CUpdataDlg() : CSkinDlg(IDD_UPDATA, SkinKind::Page) {}

BOOL CUpdataDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
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
        context.messageKind = *refusal;
        CTipDlg message;
        message.DoModal();
        return;
    }
    const UpgradeRoute route = RouteUpgrade(CInstallContext::Instance().installType,
                                            Settings().productVariant, Settings().uiLanguage);
    if (route.featurePage != FeaturePageKind::None) {
        EndDialog(IDCANCEL);
        RunFeaturePage(route.featurePage);
        return;
    }
    context.featuresToAdd.insert(context.featuresToAdd.end(), route.features.begin(),
                                 route.features.end());
    CInstallingDlg installing;
    EndDialog(IDCANCEL);
    installing.DoModal();
}
