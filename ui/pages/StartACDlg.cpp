#include "ui/pages/StartACDlg.h"

#include "engine/InstallFolders.h"
#include "product/FolderLayout.h"
#include "ui/InstallContext.h"
#include "ui/framework/Window.h"
#include "ui/pages/DiskSpaceDlg.h"
#include "ui/pages/FolderBrowser.h"
#include "ui/pages/InstallChecks.h"
#include "ui/PageOutcome.h"
#include "ui/pages/SpaceRule.h"

namespace {

constexpr int kLicenceControls[] = {IDC_ACCEPT_CHECK, IDC_ACCEPT_TEXT, IDC_LICENSE_LINK,
                                    IDC_DETAILS_TEXT};

}  // namespace

CStartACDlg::CStartACDlg()
    : CSkinDlg(IDD_START_AC, SkinKind::Page),
      root_(CFolderLayout::DefaultInstallRoot()),
      folderName_(CSetupConfig::Instance().GetProductFolderNames().productFolder),
      requiredMb_(RequiredSpaceMb(Settings().productVariant)) {}

BOOL CStartACDlg::OnInitDialog() {
    SetUpWindow();
    SetUpHeader(BrandText("installguide"));
    ApplyLayout();
    // Every static is grey on this page; the title stays white.
    SetGreyStatics(true);
    install_.Attach(Handle(), IDC_NEXT);
    browse_.Attach(Handle(), IDC_BROWSE);
    browse_.SetBitmaps(IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED, IDB_BROWSE_NORMAL);
    diskSpaceLink_.Attach(Handle(), IDC_DISK_SPACE_LINK);
    licence_.Attach(Handle(), false);
    if (Settings().brandType == 0) {
        ApplyLayout(LoadPageLayout(IDL_START_AC_LICENCE));
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
            CInstallContext::Instance().requiredSpaceMb = kStartPageDiskSpaceMb;
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
    input.programFilesFolder = CFolderLayout::ProgramFilesProductDir('\\');
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
    EndDialog(PageResult(PageOutcome::Install));
}
