#include "ui/pages/StartACDlg.h"

#include "engine/InstallFolders.h"
#include "product/FolderLayout.h"
#include "ui/InstallContext.h"
#include "ui/framework/Window.h"
#include "ui/pages/DiskSpaceDlg.h"
#include "ui/pages/FolderBrowser.h"
#include "ui/pages/InstallChecks.h"
#include "ui/pages/InstallingDlg.h"
#include "ui/pages/SpaceRule.h"

namespace {

using F = LayoutFont;
using C = LayoutColour;
constexpr LayoutBy kFixed = LayoutBy::Fixed;
constexpr LayoutBy kByLanguage = LayoutBy::Language;

const LayoutRow kLayoutRows[] = {
    {IDC_LOWER_PANEL, kFixed, {{0, 350, 720, 170}}, nullptr, F::None, C::Default, false},
    {IDC_FOLDER_LABEL, kFixed, {{50, 376, 120, 20}}, "folder", F::Text, C::Default, false},
    {IDC_PATH_STRIP, kFixed, {{180, 370, 292, 8}}, nullptr, F::None, C::Default, false},
    {IDC_PATH_BOX, kFixed, {{180, 378, 292, 24}}, nullptr, F::Text, C::Default, false},
    {IDC_BROWSE_SQUARE, kFixed, {{472, 370, 28, 32}}, nullptr, F::None, C::Default, false},
    {IDC_BROWSE, kFixed, {{472, 374, 24, 24}}, nullptr, F::None, C::Default, false},
    // The Chinese labels are wider than the English ones in every font we draw with: their
    // row moves apart so that no label wraps or is clipped.
    {IDC_NEED_SPACE_LABEL,
     kByLanguage,
     {{180, 412, 60, 20}, {180, 412, 80, 20}},
     "needspace",
     F::Text,
     C::Default,
     false},
    {IDC_NEED_SPACE,
     kByLanguage,
     {{240, 412, 51, 20}, {262, 412, 51, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE_LABEL,
     kByLanguage,
     {{300, 412, 60, 20}, {318, 412, 80, 20}},
     "enblespace",
     F::Text,
     C::Default,
     false},
    {IDC_FREE_SPACE,
     kByLanguage,
     {{360, 412, 70, 20}, {396, 412, 72, 20}},
     nullptr,
     F::Text,
     C::Default,
     false},
    {IDC_DISK_SPACE_LINK,
     kByLanguage,
     {{430, 412, 70, 20}, {470, 412, 64, 20}},
     "diskspace",
     F::Text,
     C::Default,
     false},
    {IDC_NEXT, kFixed, {{600, 472, 96, 32}}, "install", F::Bold, C::Default, false},
};
const PageLayout kLayout(kLayoutRows);

// Brand type 0 only.
const LayoutRow kLicenceRows[] = {
    {IDC_ACCEPT_CHECK, kFixed, {{44, 463, 24, 24}}, nullptr, F::None, C::Default, false},
    // The licence line is wider than its first design: in our fonts the texts wrapped.
    {IDC_ACCEPT_TEXT,
     kByLanguage,
     {{72, 466, 150, 20}, {72, 466, 50, 20}},
     "accept",
     F::Text,
     C::Default,
     false},
    {IDC_LICENSE_LINK,
     kByLanguage,
     {{222, 466, 190, 20}, {122, 466, 125, 20}},
     "license",
     F::Text,
     C::Default,
     false},
    {IDC_DETAILS_TEXT,
     kByLanguage,
     {{412, 466, 48, 20}, {247, 466, 64, 20}},
     "details",
     F::Text,
     C::Default,
     false},
};
const PageLayout kLicenceLayout(kLicenceRows);

constexpr int kLicenceControls[] = {IDC_ACCEPT_CHECK, IDC_ACCEPT_TEXT, IDC_LICENSE_LINK,
                                    IDC_DETAILS_TEXT};

}  // namespace

CStartACDlg::CStartACDlg()
    : CSkinDlg(IDD_START_AC, SkinKind::Page),
      root_(DefaultInstallRoot()),
      folderName_(CSetupConfig::Instance().GetProductFolderNames().productFolder),
      requiredMb_(RequiredSpaceMb(Settings().productVariant)) {}

BOOL CStartACDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout(kLayout);
    // Every static is grey on this page; the title stays white.
    SetGreyStatics(true);
    install_.Attach(Handle(), IDC_NEXT);
    browse_.Attach(Handle(), IDC_BROWSE);
    browse_.SetBitmaps(IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED, IDB_BROWSE_NORMAL);
    diskSpaceLink_.Attach(Handle(), IDC_DISK_SPACE_LINK);
    licence_.Attach(Handle(), false);
    if (Settings().brandType == 0) {
        ApplyLayout(kLicenceLayout);
    } else {
        for (int id : kLicenceControls) {
            ShowWindow(Item(id), SW_HIDE);
        }
    }
    SetControlText(IDC_NEED_SPACE, MegabytesText(requiredMb_));
    // Filling the box moves the root along (EN_CHANGE) and shows the free space.
    SetControlText(IDC_PATH_BOX, root_ + "\\" + folderName_);
    ShowAvailableSpace();
    UpdateInstallButton();
    RepaintAll();
    return TRUE;
}

void CStartACDlg::UpdateInstallButton() {
    EnableWindow(install_.Handle(), Settings().brandType != 0 || licence_.Accepted());
    InvalidateControl(IDC_NEXT);
}

void CStartACDlg::ShowAvailableSpace() {
    availableMb_ = AvailableSpaceMb(root_);
    SetControlText(IDC_FREE_SPACE, MegabytesText(availableMb_));
    InvalidateControl(IDC_FREE_SPACE);
}

bool CStartACDlg::OnCommand(int id, int code, HWND control) {
    switch (id) {
        case IDC_ACCEPT_CHECK:
            UpdateInstallButton();
            return true;
        case IDC_LICENSE_LINK:
            licence_.RunLicencePage();
            UpdateInstallButton();
            return true;
        case IDC_BROWSE:
            BrowseIntoPathBox(Handle(), IDC_PATH_BOX, folderName_);
            InvalidateControl(IDC_PATH_BOX);
            return true;
        case IDC_PATH_BOX:
            if (code == EN_CHANGE) {
                root_ = GetWindowString(Item(IDC_PATH_BOX));
                ShowAvailableSpace();
            }
            return true;
        case IDC_DISK_SPACE_LINK: {
            CInstallContext::Instance().requiredSpaceMb = 448;
            CDiskSpaceDlg diskSpace;
            diskSpace.DoModal();
            return true;
        }
        case IDC_NEXT:
            Install();
            return true;
        default:
            return CSkinDlg::OnCommand(id, code, control);
    }
}

void CStartACDlg::Install() {
    InstallCheckInput input;
    input.root = root_;
    input.folderName = folderName_;
    input.userDataFolder = CFolderLayout::PublicUserDataDir();
    input.availableMb = availableMb_;
    input.requiredMb = requiredMb_;
    input.isValidRoot = [](const std::string& root) { return SetUp::IsValidInstallPath(root); };
    const std::string installRoot = RunInstallChecks(input, MachineInstallCheckHooks());
    if (installRoot.empty()) {
        return;
    }
    CInstallContext& context = CInstallContext::Instance();
    context.installRoot = installRoot;
    const auto features = FixedFeatures(Settings().productVariant, Settings().uiLanguage);
    context.featuresToAdd.insert(context.featuresToAdd.end(), features.begin(), features.end());
    CInstallingDlg installing;
    EndDialog(IDOK);
    installing.DoModal();
}
