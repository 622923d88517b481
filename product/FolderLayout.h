#pragma once
// The product's folders on disk, every one built from the configuration's folder names in one
// place. The separator is the caller's: the installer's record values, description files and
// shortcut targets have always been written with the separator they carry, and they stay
// byte-identical; Windows accepts either.
#include <string>

#include "product/Catalogue.h"

class CSetupConfig;

class CFolderLayout {
public:
    // The layout below an install root, for the process-wide configuration or another one.
    explicit CFolderLayout(std::string installRoot);
    CFolderLayout(std::string installRoot, const CSetupConfig& config);

    const std::string& InstallRoot() const { return installRoot_; }
    // <root>\<productFolder>
    std::string ProductDir(char slash = '\\') const;
    // <root>\<productFolder>\<clientFolder>
    std::string InstallationDir(char slash = '\\') const;
    // <installation>\Client\ or <installation>\Server\, with the trailing separator.
    std::string ComponentsDir(ComponentSide side, char slash = '\\') const;
    // <root>\<productFolder>\Drivers
    std::string DriversDir() const;
    // <root>/<productFolder>/UserData
    std::string UserDataDir(char slash = '\\') const;
    // The installed framework program of a side: <components>\<brand>.Framework.C.exe (or S).
    std::string FrameworkExe(ComponentSide side, char slash = '\\') const;
    // <components>\User Manual.pdf of the client side.
    std::string UserManual() const;

    // The install root the pages propose: d:\Program Files (x86) on the system drive.
    static std::string DefaultInstallRoot();
    // d:\Program Files (x86)\<productFolder>, on the system drive, whatever the install root.
    static std::string ProgramFilesProductDir(const CSetupConfig& config, char slash = '\\');
    static std::string ProgramFilesProductDir(char slash = '\\');
    // The same with forward slashes, created with every missing level; returned either way.
    static std::string EnsureProgramFilesProductDir();
    static std::string EnsureProgramFilesProductDir(const CSetupConfig& config);
    // The product's uninstaller in that folder.
    static std::string Uninstaller(const CSetupConfig& config, char slash = '\\');
    // d:\Users\Public\<productFolder>.
    static std::string PublicUserDataDir();
    static std::string PublicUserDataDir(const CSetupConfig& config);

private:
    std::string installRoot_;
    const CSetupConfig& config_;
};
