#pragma once
// The disk-space dialog: pick a drive and compare its free space with what the installation
// needs.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/ButtonST.h"
#include "ui/PngComboBox.h"
#include "ui/SkinDialog.h"

// The roots ("C:\") in a GetLogicalDriveStrings buffer, in order.
std::vector<std::string> SplitDriveStrings(const char* buffer, size_t length);
// The machine's drive roots, in order, none left out.
std::vector<std::string> LogicalDriveRoots();
// What the drive box lists for a root: its letter alone.
std::string DriveItemText(const std::string& root);
// The free-space text of the drive with this letter ("1234 MB").
std::string FreeSpaceText(const std::string& letter);

class CDiskSpaceDlg : public CSkinDlg {
public:
    explicit CDiskSpaceDlg(PageSettings settings = PageSettings::FromConfig());

    const std::vector<std::string>& DriveRoots() const { return driveRoots_; }

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    HBRUSH OnControlColour(HDC dc, HWND control, UINT type) override;
    void OnCloseButton() override { EndDialog(IDOK); }

private:
    void ShowFreeSpace();

    std::vector<std::string> driveRoots_;  // read once, when the dialog is made
    CPngComboBox driveBox_;
    CButtonST dropDownButton_;
    CBrush editBrush_;
};
