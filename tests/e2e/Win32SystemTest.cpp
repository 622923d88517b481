// The 32-bit installer on a 32-bit Windows (a prefix made with WINEARCH=win32): a first
// installation and its removal through the real setup program, and what only such a machine
// shows: the record under the plain Uninstall root, the x86 runtimes alone, the client's library
// as shipped, and where the folders land.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "common/TestMachine.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using namespace scenario;

namespace {

const char kPlainUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kWowRoot[] = "SOFTWARE\\Wow6432Node";

bool KeyOpens(HKEY root, const std::string& path) {
    SetUp::CRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

// The first line of a text file, without its line end.
std::string FirstLine(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::string line;
    std::getline(file, line);
    return line.substr(0, line.find_last_not_of("\r\n") + 1);
}

std::string ProgramFilesOfTheSystem() {
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_PROGRAM_FILES, nullptr, 0, path)) ? path : "";
}

// Where a runtime's stand-in installer registers it under HKEY_LOCAL_MACHINE when it runs: the
// 2008 x64 runtime among the Installer features, every other one under the Uninstall root.
std::string RuntimeKeyPath(const RuntimeText& row) {
    const bool msi = row.key == RuntimeKey{0, 1};
    return (msi ? "SOFTWARE\\Classes\\Installer\\Features\\" : kPlainUninstall) +
           std::string(row.text);
}

void RemoveAllRuntimes() {
    for (const RuntimeText& row : kRuntimeProductCode) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, RuntimeKeyPath(row).c_str());
    }
}

class Win32System : public testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        RemoveAllRuntimes();
        SetUp::DeleteFolder(layout_.ProductDir(), false);
        SetUp::DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
    }
    void TearDown() override {
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
    }

    const CFolderLayout layout_{DefaultRoot()};
};

}  // namespace

TEST_F(Win32System, TheMachineIsA32BitWindows) {
    SYSTEM_INFO native{};
    GetNativeSystemInfo(&native);
    EXPECT_EQ(native.wProcessorArchitecture, PROCESSOR_ARCHITECTURE_INTEL);
    BOOL wow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    EXPECT_FALSE(wow64);
    EXPECT_FALSE(KeyOpens(HKEY_LOCAL_MACHINE, kWowRoot));
    // A 32-bit Windows has one Program Files folder, and it is not the one the installer names.
    EXPECT_EQ(ProgramFilesOfTheSystem(), std::string(1, SystemDriveLetter()) + ":\\Program Files");
}

TEST_F(Win32System, FreshInstallAndRemoval) {
    const std::string programFiles = ProgramFilesOfTheSystem();
    ASSERT_FALSE(programFiles.empty());
    ASSERT_FALSE(SetUp::PathExists(DefaultRoot())) << "a fresh 32-bit Windows has no such folder";
    {
        CProgram setup(WindowsPath(SETUP_EXE));
        ASSERT_TRUE(setup.Started());
        const CWindow page = WaitForWindowWith(setup.Id(), IDC_PATH_BOX);
        ASSERT_TRUE(page) << "no start/install page";
        EXPECT_EQ(page.ControlText(IDC_PATH_BOX), layout_.ProductDir());
        SavePaintedScreenshot(page, "win32-start-install");
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        KeepFoldersUntilProgress(setup);
        FinishInstall(setup, false);
    }

    // The record: under the plain root, and no Wow6432Node anywhere.
    const std::string record = kPlainUninstall + ProductCodeByVariant(ProductVariant::AC);
    EXPECT_EQ(SetUp::ProductKeyPath(ProductVariant::AC), record);
    EXPECT_TRUE(KeyOpens(HKEY_LOCAL_MACHINE, record));
    EXPECT_FALSE(KeyOpens(HKEY_LOCAL_MACHINE, kWowRoot));
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "1.11.1.7");
    EXPECT_EQ(SetUp::ReadInstalledValue("InstallLocation"), DefaultRoot());

    // Only the x86 runtimes ran: each stand-in registers its own code when it runs.
    for (const RuntimeText& row : kRuntimeProductCode) {
        EXPECT_EQ(KeyOpens(HKEY_LOCAL_MACHINE, RuntimeKeyPath(row)), row.key.architecture == 0)
            << row.text;
    }

    // No 64-bit library swap: the client keeps the x86 library, RunInWin64 stays as shipped.
    const std::string client = layout_.InstallationDir() + "\\Client\\";
    EXPECT_EQ(FirstLine(client + "MultimediaComm.dll"), "MultimediaComm.dll x86");
    EXPECT_EQ(FirstLine(client + "RunInWin64\\MultimediaComm.dll"), "MultimediaComm.dll x64");
    EXPECT_FALSE(SetUp::PathExists(client + "RunInWin32"));

    // The folders land under the fixed "Program Files (x86)", which the install made, not under
    // the system's Program Files.
    EXPECT_TRUE(SetUp::PathExists(layout_.FrameworkExe(ComponentSide::Client)));
    EXPECT_TRUE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\Nginx\\nginx.exe"));
    EXPECT_TRUE(
        SetUp::PathExists(CFolderLayout::Uninstaller(testbed::MakeConfig(ProductVariant::AC))));
    EXPECT_EQ(CFolderLayout::ProgramFilesProductDir().rfind(DefaultRoot() + "\\", 0), 0u);
    EXPECT_FALSE(SetUp::PathExists(programFiles + "\\Velmora AC"));

    {
        CProgram setup(WindowsPath(SETUP_EXE));
        ASSERT_TRUE(setup.Started());
        const CWindow page = WaitForWindowWith(setup.Id(), IDC_REMOVE_OPTION);
        ASSERT_TRUE(page) << "no maintenance page";
        WaitInitialised(page);
        ASSERT_TRUE(IsChecked(page.Control(IDC_REMOVE_OPTION)));
        SavePaintedScreenshot(page, "win32-maintenance");
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        ASSERT_TRUE(Answer(WaitForMessageWith(setup, "Confirm to completely remove"), IDOK));
        ASSERT_TRUE(Answer(
            WaitForMessageWith(setup, "Clear all the remaining database", kInstallWait), IDOK));
        const CWindow warning =
            WaitForMessageWith(setup, "Clearing the installation directory failed", kInstallWait);
        ASSERT_TRUE(warning) << "no uninstallfinishtip while html remains";
        ASSERT_TRUE(Answer(warning, IDCANCEL));
        const CWindow finished = WaitForWindowWith(setup.Id(), IDC_RESULT_TEXT);
        ASSERT_TRUE(finished) << "no removal finished page";
        ASSERT_TRUE(finished.ClickControl(IDC_FINISH));
        EXPECT_EQ(setup.WaitExit(kInstallWait), 0u);
    }
    EXPECT_FALSE(KeyOpens(HKEY_LOCAL_MACHINE, record)) << "the record stayed";
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_FALSE(SetUp::PathExists(layout_.InstallationDir()));
    EXPECT_FALSE(SetUp::PathExists(layout_.UserDataDir()));
    EXPECT_FALSE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\Nginx"));
    EXPECT_TRUE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
}
