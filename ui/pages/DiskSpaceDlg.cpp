#include "ui/pages/DiskSpaceDlg.h"

#include "product/ResourceIds.h"
#include "ui/InstallContext.h"
#include "ui/pages/SpaceRule.h"

namespace {

constexpr int kDroppedWidth = 240;
constexpr int kItemHeight = 26;

}  // namespace

std::vector<std::string> SplitDriveStrings(const char* buffer, size_t length) {
    std::vector<std::string> roots;
    size_t start = 0;
    while (start < length && buffer[start] != '\0') {
        std::string root(buffer + start);
        start += root.size() + 1;
        roots.push_back(std::move(root));
    }
    return roots;
}

std::vector<std::string> LogicalDriveRoots() {
    std::string buffer(GetLogicalDriveStringsA(0, nullptr) + 1, '\0');
    const DWORD length = GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), &buffer[0]);
    return SplitDriveStrings(buffer.data(), length < buffer.size() ? length : 0);
}

std::string DriveItemText(const std::string& root) {
    return root.substr(0, 1);
}

std::string FreeSpaceText(const std::string& letter) {
    return MegabytesText(AvailableSpaceMb(letter + ":\\"));
}

CDiskSpaceDlg::CDiskSpaceDlg(PageSettings settings)
    : CSkinDlg(IDD_DISK_SPACE, SkinKind::DiskSpace, std::move(settings)),
      driveRoots_(LogicalDriveRoots()),
      editBrush_(CreateSolidBrush(kEditBackground)) {
    SetEscapeEndsDialog(true);
}

BOOL CDiskSpaceDlg::OnInitDialog() {
    SetUpWindow();
    // Statics on no list are grey; the layout adds the white title.
    SetTextColours({}, {}, true);
    ApplyLayout();
    if (dropDownButton_.Attach(Handle(), IDC_PAGE_CANCEL)) {
        dropDownButton_.SetBitmaps(IDB_DROP_DOWN_HOVER, IDB_DROP_DOWN_PRESSED,
                                   IDB_DROP_DOWN_NORMAL);
    }
    SetControlText(IDC_NEED_SPACE, MegabytesText(CInstallContext::Instance().requiredSpaceMb));
    if (driveBox_.Attach(Handle(), IDC_DRIVE_BOX)) {
        driveBox_.SetItemFontAndOutline("Microsoft YaHei", kEditBackground);
        for (const std::string& root : driveRoots_) {
            driveBox_.AddItem(DriveItemText(root), 0, kWhiteText);
        }
        SendMessageA(driveBox_.Handle(), CB_SETCURSEL, 0, 0);
        SendMessageA(driveBox_.Handle(), CB_SETDROPPEDWIDTH, kDroppedWidth, 0);
        SendMessageA(driveBox_.Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
    }
    ShowFreeSpace();
    RepaintAll();
    return TRUE;
}

void CDiskSpaceDlg::ShowFreeSpace() {
    const std::string letter = driveBox_.GetSelectedText();
    SetControlText(IDC_FREE_SPACE, letter.empty() ? std::string() : FreeSpaceText(letter));
    InvalidateControl(IDC_FREE_SPACE);
}

bool CDiskSpaceDlg::OnCommand(int id, int code, HWND control) {
    if (id == IDC_DRIVE_BOX && code == CBN_SELCHANGE) {
        ShowFreeSpace();
        return true;
    }
    if (id == IDC_PAGE_CANCEL) {
        SendMessageA(driveBox_.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
        return true;
    }
    return CSkinDlg::OnCommand(id, code, control);
}

HBRUSH CDiskSpaceDlg::OnControlColour(HDC dc, HWND control, UINT type) {
    if (type == WM_CTLCOLOREDIT) {
        SetBkColor(dc, kEditBackground);
        SetTextColor(dc, kGreyText);
        return editBrush_.Get();
    }
    return CSkinDlg::OnControlColour(dc, control, type);
}
