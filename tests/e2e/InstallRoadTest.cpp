// The road of a first installation through the real setup programs: the start/install page,
// its checks and questions, the progress page with cancel, and the end pages.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>

#include "ScenarioSupport.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "deploy/MenuAndDesk.h"
#include "engine/ProcessControl.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"
#include "ui/pages/SpaceRule.h"

using namespace uidriver;
using scenario::ChineseSystem;
using scenario::Expected;
using scenario::SaveScreenshot;

namespace {

constexpr DWORD kInstallWait = 180000;

const char kClientExe[] = "Velmora.Framework.C.exe";
const char kServerExe[] = "Velmora.Framework.S.exe";

std::string Special(int csidl) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

// Where the embedded configuration installs by default.
std::string DefaultFolder() {
    return std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)\\Velmora AC";
}

// The question or message that a page opened, once it shows.
CWindow WaitForMessage(const CProgram& setup) {
    return WaitForWindowWith(setup.Id(), IDC_TIP_TITLE);
}

std::string MessageText(const CWindow& dialog) {
    return dialog.ChildOfClass("Edit").Text();
}

int ProgressPosition(const CWindow& page) {
    return static_cast<int>(SendMessageA(page.Control(IDC_PROGRESS).Handle(), PBM_GETPOS, 0, 0));
}

class InstallRoad : public testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        SetUp::DeleteFolder(DefaultFolder(), false);
        SetUp::DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
    }
    void TearDown() override {
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
    }

    // Starts the program and waits for its start/install page.
    void Open(const char* program) {
        setup_ = std::make_unique<CProgram>(WindowsPath(program));
        ASSERT_TRUE(setup_->Started());
        page_ = WaitForWindowWith(setup_->Id(), IDC_PATH_BOX);
        ASSERT_TRUE(page_) << "no start/install page";
    }
    // Install, then the progress page.
    CWindow Install() {
        EXPECT_TRUE(page_.ClickControl(IDC_NEXT));
        return WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    }
    CWindow WaitForFinishPage() {
        return WaitForWindowWith(setup_->Id(), IDC_DESKTOP_CHECK, kInstallWait);
    }

    std::unique_ptr<CProgram> setup_;
    CWindow page_;
};

}  // namespace

TEST_F(InstallRoad, DefaultFolderToFinishedInstall) {
    Open(SETUP_EXE);
    EXPECT_EQ(page_.ControlText(IDC_PATH_BOX), DefaultFolder());
    EXPECT_EQ(page_.ControlText(IDC_NEED_SPACE), "548 MB");
    const std::string free = page_.ControlText(IDC_FREE_SPACE);
    // Other programs write to the same disk meanwhile: the figure is the drive's, give or take.
    EXPECT_NEAR(std::atof(free.c_str()), static_cast<double>(AvailableSpaceMb(DefaultFolder())),
                1024.0)
        << free;
    EXPECT_EQ(page_.ControlText(IDC_NEXT), "Install");
    EXPECT_FALSE(page_.Control(IDC_ACCEPT_CHECK).IsVisible()) << "brand type 1 has no licence line";
    SaveScreenshot(page_, "start-install");

    const CWindow progress = Install();
    ASSERT_TRUE(progress);
    EXPECT_TRUE(progress.Control(IDC_PAGE_CANCEL).IsVisible());
    EXPECT_EQ(progress.ControlText(IDC_INSTALLING_TEXT), "Installing Velmora client...");
    ASSERT_TRUE(WaitFor([&] { return !progress.ControlText(IDC_STATUS_TEXT).empty(); }));
    const std::string firstStatus = progress.ControlText(IDC_STATUS_TEXT);
    SaveScreenshot(progress, "installing");
    EXPECT_TRUE(WaitFor(
        [&] {
            return !progress || progress.ControlText(IDC_STATUS_TEXT) != firstStatus;
        },
        kInstallWait))
        << "the status line never changed";

    const CWindow finish = WaitForFinishPage();
    ASSERT_TRUE(finish) << "no finished page";
    EXPECT_EQ(finish.ControlText(IDC_RESULT_TEXT), "Installation completed");
    EXPECT_EQ(SendMessageA(finish.Control(IDC_DESKTOP_CHECK).Handle(), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    EXPECT_EQ(SendMessageA(finish.Control(IDC_CLIENT_CHECK).Handle(), BM_GETCHECK, 0, 0),
              BST_CHECKED);
    SaveScreenshot(finish, "install-finish");
    const std::string workDir = SetUp::GetTempWorkDir();
    ASSERT_TRUE(finish.ClickControl(IDC_FINISH));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);

    // What the install sequence wrote, and what Finish did.
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "1.11.1.7");
    EXPECT_EQ(SetUp::ReadInstalledValue("InstallLocation"),
              std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)");
    EXPECT_EQ(SetUp::ReadInstalledValue("LanguageType"), "E");
    EXPECT_EQ(SetUp::ReadInstalledValue("ComponentList"),
              "0#4#2#12#101#106#103#112#5#6#107#108#8#110");
    const std::string client = DefaultFolder() + "\\Velmora AC Client\\Client\\";
    EXPECT_TRUE(SetUp::PathExists(client + kClientExe));
    EXPECT_TRUE(SetUp::PathExists(client + "ProductDescription.xml"));
    EXPECT_TRUE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\Nginx\\nginx.exe"));
    EXPECT_TRUE(SetUp::PathExists(
        SetUp::CMenuAndDesk(SetUp::ReadInstalledValue("InstallLocation")).StartFolder("1.11.1.7")));
    EXPECT_TRUE(SetUp::PathExists(Special(CSIDL_COMMON_DESKTOPDIRECTORY) +
                                  "\\Velmora AC 1.11.1.7 Client.lnk"));
    EXPECT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kServerExe) != 0; }));
    EXPECT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) != 0; }));
    EXPECT_FALSE(SetUp::PathExists(workDir)) << "the working folder stayed";
}
