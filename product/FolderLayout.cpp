#include "product/FolderLayout.h"

#include "base/FileSystem.h"
#include "base/ProtectedFolder.h"
#include "base/SystemInfo.h"
#include "product/SetupConfig.h"

namespace {

// Where Program Files of 32-bit programs lives; a 32-bit Windows gets the folder made.
const char kProgramFiles[] = "Program Files (x86)";

std::string SystemDriveRoot(char slash) {
    return std::string(1, SystemDriveLetter()) + ":" + slash;
}

}  // namespace

CFolderLayout::CFolderLayout(std::string installRoot)
    : CFolderLayout(std::move(installRoot), CSetupConfig::Instance()) {}

CFolderLayout::CFolderLayout(std::string installRoot, const CSetupConfig& config)
    : installRoot_(std::move(installRoot)), config_(config) {}

std::string CFolderLayout::ProductDir(char slash) const {
    return installRoot_ + slash + config_.GetProductFolderNames().productFolder;
}

std::string CFolderLayout::InstallationDir(char slash) const {
    return ProductDir(slash) + slash + config_.GetProductFolderNames().clientFolder;
}

std::string CFolderLayout::ComponentsDir(ComponentSide side, char slash) const {
    return InstallationDir(slash) + slash + (side == ComponentSide::Client ? "Client" : "Server") +
           slash;
}

std::string CFolderLayout::DriversDir() const {
    return ProductDir() + "\\Drivers";
}

std::string CFolderLayout::UserDataDir(char slash) const {
    return ProductDir(slash) + slash + "UserData";
}

std::string CFolderLayout::FrameworkExe(ComponentSide side, char slash) const {
    return ComponentsDir(side, slash) + config_.brandName +
           (side == ComponentSide::Client ? ".Framework.C.exe" : ".Framework.S.exe");
}

std::string CFolderLayout::UserManual() const {
    return ComponentsDir(ComponentSide::Client) + "User Manual.pdf";
}

std::string CFolderLayout::DefaultInstallRoot() {
    return SystemDriveRoot('\\') + kProgramFiles;
}

std::string CFolderLayout::ProgramFilesProductDir(const CSetupConfig& config, char slash) {
    return SystemDriveRoot(slash) + kProgramFiles + slash +
           config.GetProductFolderNames().productFolder;
}

std::string CFolderLayout::ProgramFilesProductDir(char slash) {
    return ProgramFilesProductDir(CSetupConfig::Instance(), slash);
}

std::string CFolderLayout::EnsureProgramFilesProductDir() {
    return EnsureProgramFilesProductDir(CSetupConfig::Instance());
}

std::string CFolderLayout::EnsureProgramFilesProductDir(const CSetupConfig& config) {
    const std::string folder = ProgramFilesProductDir(config, '/');
    // Every missing level: a 32-bit Windows has no "Program Files (x86)" of its own, and the
    // uninstaller, the web server and the shortcut targets must exist where the record points.
    if (!SetUp::PathExists(folder)) {
        SetUp::MakeProtectedFolderTree(folder);
    }
    return folder;
}

std::string CFolderLayout::Uninstaller(const CSetupConfig& config, char slash) {
    return ProgramFilesProductDir(config, slash) + slash + "uninstall.exe";
}

std::string CFolderLayout::PublicUserDataDir() {
    return PublicUserDataDir(CSetupConfig::Instance());
}

std::string CFolderLayout::PublicUserDataDir(const CSetupConfig& config) {
    return SystemDriveRoot('\\') + "Users\\Public\\" + config.GetProductFolderNames().productFolder;
}
