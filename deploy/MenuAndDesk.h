#pragma once
// The product's Start-menu folder with its three shortcuts and the desktop shortcut, all for all
// users; their removal, the entries of the 3.1 and 3.1.1 installers, and the icon-cache refresh.
// Names are ANSI texts; in Chinese they carry the GBK texts of the text table.
#include <string>

#include "product/SetupConfig.h"

class CTextTable;

namespace SetUp {

// The common Start menu (CSIDL_COMMON_STARTMENU) and the common desktop
// (CSIDL_COMMON_DESKTOPDIRECTORY), without a trailing separator.
std::string CommonStartMenuFolder();
std::string CommonDesktopFolder();

class CMenuAndDesk {
public:
    CMenuAndDesk(std::string installRoot, const CSetupConfig& config, const CTextTable& texts);

    // The Start-menu folder of the package version and its client, user-manual and uninstaller
    // shortcuts.
    void CreateStartMenu() const;
    void CreateDesktopShortcut() const;
    void DeleteDesktopShortcut() const;
    // The Start-menu folder and desktop shortcut of the installed version (recorded
    // DisplayVersion) or of the package version.
    void RemoveShortcuts(bool useInstalledVersion) const;
    // The entries the 3.1 and 3.1.1 installers made.
    void RemoveLegacyShortcuts() const;
    // Runs the carried ie4uinit.exe -ClearIconCache without waiting for it to end.
    void ClearIconCache() const;
    // Saves a link to the target in the Start-menu folder of the package version or on the
    // desktop. Works on a thread without COM (joins an apartment for the call).
    void CreateShortcut(const std::string& target, const std::string& name, bool onDesktop,
                        bool useTargetIcon) const;

    // The names and targets the entries carry.
    std::string Label(const std::string& version) const;
    std::string ShortLabel() const;
    std::string ClientName(const std::string& version) const;
    std::string StartFolder(const std::string& version) const;
    std::string UserManualName() const;
    std::string UninstallName() const;
    std::string ClientTarget() const;
    std::string UserManualTarget() const;
    std::string UninstallerTarget() const;

private:
    std::string TypeName() const;
    std::string ClientFolderPath() const;

    std::string installRoot_;
    CSetupConfig config_;
    std::string clientText_;
    std::string userManualText_;
    std::string uninstallText_;
};

}  // namespace SetUp
