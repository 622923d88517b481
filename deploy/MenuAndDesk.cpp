#include "deploy/MenuAndDesk.h"

#include <windows.h>
#include <shlobj.h>

#include "base/ComApartment.h"
#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/LateBound.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

namespace {

// Desktop entries of the 3.1 and 3.1.1 installers of editions other than VS and AC, after the
// brand. GBK: \xBF\xCD\xBB\xA7\xB6\xCB is "client", \xB7\xFE\xCE\xF1\xC6\xF7 "server".
const char* const kLegacyDesktopEntries[] = {
    " 3.1.1 \xBF\xCD\xBB\xA7\xB6\xCB.lnk", " 3.1.1 Client.lnk",
    " 3.1 \xBF\xCD\xBB\xA7\xB6\xCB.lnk",   " 3.1 Client.lnk",
    " 3.1 \xB7\xFE\xCE\xF1\xC6\xF7.lnk",   " 3.1 Server.lnk",
};
// The same for VS and AC, after the brand and the type name.
const char* const kLegacyTypedDesktopEntries[] = {
    " \xBF\xCD\xBB\xA7\xB6\xCB.lnk",
    " Client.lnk",
    " \xB7\xFE\xCE\xF1\xC6\xF7.lnk",
    " Server.lnk",
};

// Empty when the shell fails or gives anything but an absolute path with a drive letter: an
// empty or relative result would otherwise turn "\\Programs\\..." into a path on the current
// drive.
std::string SpecialFolder(int csidl) {
    char path[MAX_PATH + 1] = {};
    if (!LateBound::SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) {
        return {};
    }
    path[MAX_PATH] = '\0';
    const std::string folder = path;
    return IsAbsoluteLocalPath(folder) ? folder : std::string();
}

std::wstring AnsiToWide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(static_cast<size_t>(length - 1));
    return wide;
}

// The worker thread usually has no apartment yet; join one for this call only.
bool CreateShellLink(CComRef<IShellLinkA>& link, CComFallback& fallback) {
    HRESULT result = LateBound::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                 IID_IShellLinkA, InterfaceOut(link));
    if (result == CO_E_NOTINITIALIZED) {
        fallback.Join();
        result = LateBound::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                             IID_IShellLinkA, InterfaceOut(link));
    }
    return SUCCEEDED(result) && link;
}

}  // namespace

std::string CommonStartMenuFolder() {
    return SpecialFolder(CSIDL_COMMON_STARTMENU);
}

std::string CommonDesktopFolder() {
    return SpecialFolder(CSIDL_COMMON_DESKTOPDIRECTORY);
}

CMenuAndDesk::CMenuAndDesk(std::string installRoot, const CSetupConfig& config,
                           const CTextTable& texts)
    : installRoot_(std::move(installRoot)),
      config_(config),
      clientText_(texts.GetText("Client")),
      userManualText_(texts.GetText("UserManual")),
      uninstallText_(texts.GetText("Uninstall")) {}

std::string CMenuAndDesk::TypeName() const {
    return VariantTypeName(config_.productVariant).value_or("");
}

std::string CMenuAndDesk::Label(const std::string& version) const {
    if (config_.productVariant == ProductVariant::FULL) {
        return config_.brandName + " " + version;
    }
    return config_.brandName + " " + TypeName() + " " + version;
}

std::string CMenuAndDesk::ShortLabel() const {
    const std::string type = TypeName();
    if (type == "VS" || type == "AC") {
        return config_.brandName + " " + type + " " + config_.version;
    }
    return config_.brandName + " " + config_.version;
}

std::string CMenuAndDesk::ClientName(const std::string& version) const {
    return Label(version) + " " + clientText_;
}

std::string CMenuAndDesk::StartFolder(const std::string& version) const {
    return CommonStartMenuFolder() + "/Programs/" + Label(version);
}

std::string CMenuAndDesk::UserManualName() const {
    return ShortLabel() + " " + userManualText_;
}

std::string CMenuAndDesk::UninstallName() const {
    return uninstallText_ + " " + ShortLabel();
}

std::string CMenuAndDesk::ClientFolderPath() const {
    return CFolderLayout(installRoot_, config_).ComponentsDir(ComponentSide::Client, '/');
}

std::string CMenuAndDesk::ClientTarget() const {
    return ClientFolderPath() + config_.brandName + ".Framework.C.exe";
}

std::string CMenuAndDesk::UserManualTarget() const {
    return ClientFolderPath() + "User Manual.pdf";
}

std::string CMenuAndDesk::UninstallerTarget() const {
    return CFolderLayout::Uninstaller(config_, '/');
}

void CMenuAndDesk::CreateShortcut(const std::string& target, const std::string& name,
                                  bool onDesktop, bool useTargetIcon) const {
    CComFallback fallback;  // declared first: the apartment outlives the references
    CComRef<IShellLinkA> link;
    if (!CreateShellLink(link, fallback)) {
        return;
    }
    const HRESULT pathSet = link->SetPath(target.c_str());
    if (useTargetIcon) {
        link->SetIconLocation(target.c_str(), 0);
    }
    CComRef<IPersistFile> file;
    if (FAILED(pathSet) || FAILED(link->QueryInterface(IID_IPersistFile, InterfaceOut(file)))) {
        return;
    }
    const std::string folder = onDesktop ? CommonDesktopFolder() : StartFolder(config_.version);
    if (!IsAbsoluteLocalPath(folder)) {
        return;
    }
    const std::string path = folder + "/" + name + ".lnk";
    OutputDebugStringA(path.c_str());
    if (onDesktop) {
        OutputDebugStringA(name.c_str());
    }
    file->Save(AnsiToWide(path).c_str(), FALSE);
}

void CMenuAndDesk::CreateStartMenu() const {
    if (CommonStartMenuFolder().empty()) {
        return;
    }
    CreateDirectoryA(StartFolder(config_.version).c_str(), nullptr);
    CreateShortcut(ClientTarget(), ClientName(config_.version), false, true);
    CreateShortcut(UserManualTarget(), UserManualName(), false, false);
    CreateShortcut(UninstallerTarget(), UninstallName(), false, true);
}

void CMenuAndDesk::CreateDesktopShortcut() const {
    CreateShortcut(ClientTarget(), ClientName(config_.version), true, true);
}

void CMenuAndDesk::DeleteDesktopShortcut() const {
    DeleteFolder(CommonDesktopFolder() + "\\" + ClientName(config_.version) + ".lnk", false);
}

void CMenuAndDesk::RemoveShortcuts(bool useInstalledVersion) const {
    const std::string version =
        useInstalledVersion ? ReadInstalledValue("DisplayVersion") : config_.version;
    DeleteFolder(StartFolder(version), false);
    DeleteFolder(CommonDesktopFolder() + "\\" + ClientName(version) + ".lnk", false);
}

void CMenuAndDesk::RemoveLegacyShortcuts() const {
    const std::string programs = CommonStartMenuFolder() + "/Programs/";
    const std::string desktop = CommonDesktopFolder() + "\\";
    const std::string& brand = config_.brandName;
    const std::string type = TypeName();
    if (type != "VS" && type != "AC") {
        DeleteFolder(programs + brand + " 3.1.1", false);
        DeleteFolder(programs + brand + " 3.1", false);
        for (const char* entry : kLegacyDesktopEntries) {
            DeleteFolder(desktop + brand + entry, false);
        }
        return;
    }
    DeleteFolder(programs + brand + " " + type, false);
    for (const char* entry : kLegacyTypedDesktopEntries) {
        DeleteFolder(desktop + brand + " " + type + entry, false);
    }
}

void CMenuAndDesk::ClearIconCache() const {
    if (!SaveResourceToTemp("ie4uinit.exe", IDR_ICON_CACHE, "EXE")) {
        return;
    }
    // By its full path in the protected folder. It tells the shell and ends at once; a shell
    // that does not answer must not hold up the run, nor keep the program in the working folder.
    constexpr unsigned long kIconCacheLimitMs = 10 * 1000;
    RunProgramWithin(GetTempWorkDir() + "ie4uinit.exe", "-ClearIconCache", kIconCacheLimitMs);
    // The shell needs a moment to pick the refresh up before the process ends.
    Sleep(500);
}

}  // namespace SetUp
