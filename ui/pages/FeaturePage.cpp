#include "ui/pages/FeaturePage.h"

#include "engine/InstallFolders.h"
#include "engine/InstallMode.h"
#include "product/FolderLayout.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"
#include "ui/InstallContext.h"
#include "ui/SharedFonts.h"
#include "ui/framework/Window.h"
#include "ui/pages/DiskSpaceDlg.h"
#include "ui/pages/FolderBrowser.h"
#include "ui/pages/InstallChecks.h"
#include "ui/PageOutcome.h"
#include "ui/pages/SpaceRule.h"
#include "ui/pages/StartDlg.h"

namespace {

constexpr int kBoxX = 192;
constexpr int kBoxSize = 24;
constexpr int kNameX = 220;
constexpr int kNameWidth = 200;
constexpr int kSizeX = 441;
constexpr int kSizeWidth = 51;
constexpr int kLabelHeight = 20;

InstallType PageInstallType() {
    return CInstallContext::Instance().installType;
}

std::vector<int32_t> RecordedFeatures() {
    return InstalledFeatures(SetUp::ReadInstalledComponents().client);
}

void SetHighlightedImages(CButtonST& box, bool highlighted) {
    if (highlighted) {
        box.SetBitmaps(IDB_MANDATORY_HOVER, IDB_MANDATORY_CHECKED, IDB_MANDATORY_NORMAL,
                       IDB_MANDATORY_DISABLED, IDB_MANDATORY_DISABLED_CHECKED);
    } else {
        box.SetBitmaps(IDB_CHECK_HOVER, IDB_CHECK_CHECKED, IDB_CHECK_NORMAL, IDB_FEATURE_DISABLED,
                       IDB_FEATURE_DISABLED_CHECKED);
    }
}

}  // namespace

CFeaturePage::CFeaturePage(int templateId, const FeaturePageTable& table)
    : CSkinDlg(templateId, SkinKind::Page),
      table_(table),
      root_(CFolderLayout::DefaultInstallRoot()),
      folderName_(CSetupConfig::Instance().GetProductFolderNames().productFolder) {
    SetEscapeEndsDialog(true);
}

BOOL CFeaturePage::OnInitDialog() {
    SetUpWindow();
    SetUpFeatureHeader(BrandText("installguide"));
    ApplyLayout(table_.layout);
    // Every static is grey on these pages; the title stays white.
    SetGreyStatics(true);
    for (int id : table_.unused) {
        ShowWindow(Item(id), SW_HIDE);
    }
    browse_.Attach(Handle(), IDC_BROWSE);
    browse_.SetBitmaps(IDB_BROWSE_HOVER, IDB_BROWSE_PRESSED, IDB_BROWSE_NORMAL);
    previous_.Attach(Handle(), IDC_PREVIOUS);
    previous_.SetStyle(kSecondaryButton);
    install_.Attach(Handle(), IDC_NEXT);
    diskSpaceLink_.Attach(Handle(), IDC_DISK_SPACE_LINK);
    SetUpRows();
    Highlight(0);
    // Filling the box moves the root along (EN_CHANGE) and shows the free space.
    SetControlText(IDC_PATH_BOX, root_ + "\\" + folderName_);
    ShowAvailableSpace();
    if (CStartDlg::LastBrandType() != 0 || Settings().brandType == 1) {
        ShowWindow(previous_.Handle(), SW_HIDE);
    }
    SetUpForInstallType();
    if (table_.accessControlRule) {
        ApplyAccessControlRule();
    }
    ShowRequiredSpace();
    RepaintAll();
    return TRUE;
}

void CFeaturePage::SetUpRows() {
    const SharedFonts& fonts = GetSharedFonts();
    for (const FeatureRow& row : table_.rows) {
        const int textTop = row.top + table_.textOffset;
        PlaceControl(row.box, kBoxX, row.top, kBoxSize, kBoxSize);
        PlaceControl(row.name, kNameX, textTop, kNameWidth, kLabelHeight);
        PlaceControl(row.size, kSizeX, textTop, kSizeWidth, kLabelHeight);
        SetControlText(row.name, CTextTable::Instance().GetText(row.nameKey));
        SetControlText(row.size, MegabytesText(RowSizeMb(row)));
        SetControlFont(row.name, fonts.text);
        SetControlFont(row.size, fonts.text);
        auto box = std::make_unique<CButtonST>();
        box->Attach(Handle(), row.box);
        boxes_.push_back(std::move(box));
    }
    for (size_t index = 0; index < boxes_.size(); ++index) {
        SetTicked(index, index == 0 || table_.optionalRowsStartTicked);
    }
    // The basic configuration is always installed.
    EnableWindow(boxes_[0]->Handle(), FALSE);
}

void CFeaturePage::SetUpForInstallType() {
    const InstallType type = PageInstallType();
    if (type != InstallType::Maintenance && type != InstallType::UpgradeBlind) {
        return;
    }
    // The product stays where it is.
    EnableWindow(Item(IDC_PATH_BOX), FALSE);
    EnableWindow(browse_.Handle(), FALSE);
    ShowWindow(diskSpaceLink_.Handle(), SW_HIDE);
    root_ = SetUp::ReadInstalledValue("InstallLocation");
    SetControlText(IDC_PATH_BOX, root_ + "\\" + folderName_);
    ShowAvailableSpace();
    if (type == InstallType::Maintenance) {
        const std::vector<bool> ticked = TickedByInstalled(table_.rows, RecordedFeatures());
        for (size_t index = 1; index < boxes_.size(); ++index) {
            SetTicked(index, ticked[index]);
        }
    }
}

std::vector<bool> CFeaturePage::Ticked() const {
    std::vector<bool> ticked;
    for (const auto& box : boxes_) {
        ticked.push_back(box->IsChecked());
    }
    return ticked;
}

void CFeaturePage::SetTicked(size_t row, bool ticked) {
    SendMessageA(boxes_[row]->Handle(), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int CFeaturePage::RowOfBox(int id) const {
    return ::RowOfBox(table_.rows, id);
}

int CFeaturePage::RowOfName(int id) const {
    for (size_t index = 0; index < table_.rows.size(); ++index) {
        if (table_.rows[index].name == id) {
            return static_cast<int>(index);
        }
    }
    return -1;
}

void CFeaturePage::Highlight(size_t row) {
    const FeatureRow& chosen = table_.rows[row];
    HWND strip = Item(IDC_FEATURE_STRIP);
    HWND description = Item(IDC_FEATURE_DESCRIPTION);
    ShowWindow(strip, SW_HIDE);
    ShowWindow(description, SW_HIDE);
    PlaceControl(IDC_FEATURE_STRIP, chosen.strip.x, chosen.strip.y, chosen.strip.width,
                 chosen.strip.height);
    SetControlText(IDC_FEATURE_DESCRIPTION, CTextTable::Instance().GetText(chosen.descriptionKey));
    InvalidateControl(IDC_FEATURE_DESCRIPTION);
    InvalidateControl(chosen.box);
    InvalidateControl(chosen.name);
    InvalidateControl(chosen.size);
    ShowWindow(strip, SW_SHOW);
    ShowWindow(description, SW_SHOW);
    highlighted_ = row;
    for (size_t index = 0; index < boxes_.size(); ++index) {
        SetHighlightedImages(*boxes_[index], index == row);
    }
    // The strip, the boxes and the transparent labels overlap: they paint again in their order,
    // panel and strip first, the row on top.
    RepaintAll();
}

void CFeaturePage::PaintNow() const {
    // The figures are transparent labels over the page: the page and then the label repaint
    // at once, so that no half-drawn figure stays until the next idle moment.
    RedrawWindow(Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void CFeaturePage::ShowRequiredSpace() {
    requiredMb_ = RequiredSpaceMb(table_.rows, Ticked());
    SetControlText(IDC_NEED_SPACE, MegabytesText(requiredMb_));
    InvalidateControl(IDC_NEED_SPACE);
    CInstallContext::Instance().requiredSpaceMb = requiredMb_;
}

void CFeaturePage::ShowAvailableSpace() {
    availableMb_ = AvailableSpaceMb(root_);
    SetControlText(IDC_FREE_SPACE, MegabytesText(availableMb_));
    InvalidateControl(IDC_FREE_SPACE);
}

void CFeaturePage::ApplyAccessControlRule() {
    const int attendance = RowOfBox(IDC_ATTENDANCE_CHECK);
    const int access = RowOfBox(IDC_ACCESS_CHECK);
    if (attendance < 0 || access < 0) {
        return;
    }
    const AccessControlBox result =
        ::ApplyAccessControlRule(boxes_[attendance]->IsChecked(), boxes_[access]->IsChecked());
    SetTicked(access, result.ticked);
    EnableWindow(boxes_[access]->Handle(), result.enabled ? TRUE : FALSE);
    boxes_[access]->Invalidate();
}

bool CFeaturePage::OnCommand(int id, int code, HWND control) {
    if (RowOfBox(id) >= 0) {
        if (table_.accessControlRule && id == IDC_ATTENDANCE_CHECK) {
            ApplyAccessControlRule();
        }
        ShowRequiredSpace();
        PaintNow();
        return true;
    }
    if (const int row = RowOfName(id); row >= 0) {
        if (code == STN_CLICKED) {
            Highlight(static_cast<size_t>(row));
        }
        return true;
    }
    switch (id) {
        case IDC_PATH_BOX:
            if (code == EN_CHANGE) {
                root_ = GetWindowString(Item(IDC_PATH_BOX));
                ShowAvailableSpace();
                PaintNow();
            }
            return true;
        case IDC_BROWSE:
            BrowseIntoPathBox(Handle(), IDC_PATH_BOX, folderName_);
            InvalidateControl(IDC_PATH_BOX);
            return true;
        case IDC_DISK_SPACE_LINK: {
            CDiskSpaceDlg diskSpace;
            diskSpace.DoModal();
            return true;
        }
        case IDC_PREVIOUS:
            Previous();
            return true;
        case IDC_NEXT:
            Install();
            return true;
        default:
            return CSkinDlg::OnCommand(id, code, control);
    }
}

void CFeaturePage::Previous() {
    // The earlier page is built anew; this page's choices go.
    EndDialog(PageResult(PageOutcome::Previous));
}

void CFeaturePage::Install() {
    const std::vector<int32_t> selection =
        SelectedFeatures(table_.rows, Ticked(), table_.selectionOrder);
    if (table_.needsOptionalFeature && OnlyBasicFeature(selection)) {
        MachineInstallCheckHooks().tell(MessageKind::CheckComponent);
        return;
    }
    if (!StoreChoice(selection)) {
        return;
    }
    EndDialog(PageResult(PageOutcome::Install));
}

bool CFeaturePage::StoreChoice(const std::vector<int32_t>& selection) {
    InstallCheckInput input;
    input.root = root_;
    input.folderName = folderName_;
    input.userDataFolder = CFolderLayout::PublicUserDataDir();
    input.programFilesFolder = CFolderLayout::ProgramFilesProductDir('\\');
    input.availableMb = availableMb_;
    input.requiredMb = requiredMb_;
    input.isValidRoot = [](const std::string& root) { return SetUp::IsValidInstallPath(root); };
    const InstallCheckHooks hooks = MachineInstallCheckHooks();
    CInstallContext& context = CInstallContext::Instance();
    auto append = [](std::vector<int32_t>& to, const std::vector<int32_t>& features) {
        to.insert(to.end(), features.begin(), features.end());
    };
    switch (PageInstallType()) {
        case InstallType::Fresh: {
            const std::string installRoot = RunInstallChecks(input, hooks);
            if (installRoot.empty()) {
                return false;
            }
            context.installRoot = installRoot;
            append(context.featuresToAdd, selection);
            return true;
        }
        case InstallType::Maintenance: {
            if (!CheckPathAndSpace(input, hooks)) {
                return false;
            }
            const FeatureChanges changes = DiffFeatures(RecordedFeatures(), selection);
            append(context.featuresToAdd, changes.toAdd);
            append(context.featuresToRemove, changes.toRemove);
            return true;
        }
        case InstallType::UpgradeBlind:
            if (!CheckPathAndSpace(input, hooks)) {
                return false;
            }
            append(context.featuresToAdd, selection);
            return true;
        default:
            return false;
    }
}
