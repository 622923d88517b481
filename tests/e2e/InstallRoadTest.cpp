// The road of a first installation through the real setup programs: the start/install page,
// its checks and questions, the progress page with cancel, and the end pages.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "deploy/MenuAndDesk.h"
#include "engine/ProcessControl.h"
#include "product/TextTable.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"
#include "ui/pages/SpaceRule.h"

using namespace uidriver;
using scenario::ChineseSystem;
using scenario::Expected;
using scenario::kClientExe;
using scenario::kDetectorKey;
using scenario::kInstallWait;
using scenario::kServerExe;
using scenario::SaveScreenshot;
using scenario::SetDetectorResult;
using scenario::WaitForMessageWith;

namespace {

std::string Special(int csidl) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

// Where the embedded configuration installs by default.
std::string DefaultFolder() {
    return std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)\\Velmora AC";
}

const char kWowUninstall[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kPlainUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Opens the key in the 64-bit view of HKEY_LOCAL_MACHINE, with no redirection.
bool OpensInTheNativeView(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | KEY_WOW64_64KEY, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

class InstallRoad : public testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        SetUp::DeleteFolder(DefaultFolder(), false);
        SetUp::DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
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
    // A file of an earlier install: the user keeps it (Cancel) and the install goes into it.
    testbed::WriteFile(DefaultFolder() + "\\kept.txt", "kept");
    const std::vector<std::string> workFolders = scenario::WorkingFolders();
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

    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    const CWindow keep = WaitForMessageWith(*setup_, "already exists");
    ASSERT_TRUE(keep) << "no question about the non-empty folder";
    ASSERT_TRUE(scenario::Answer(keep, IDCANCEL));
    const CWindow progress = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    ASSERT_TRUE(progress);
    EXPECT_TRUE(progress.Control(IDC_PAGE_CANCEL).IsVisible());
    EXPECT_TRUE(progress.Control(IDC_CLOSE).IsEnabled());
    EXPECT_EQ(progress.ControlText(IDC_INSTALLING_TEXT), "Installing Velmora client...");
    ASSERT_TRUE(WaitFor([&] { return !progress.ControlText(IDC_STATUS_TEXT).empty(); }));
    const std::string firstStatus = progress.ControlText(IDC_STATUS_TEXT);
    SaveScreenshot(progress, "installing");
    // The pointer rests on Cancel, which takes the capture for its hover look, while the
    // install ends; Finish then sits at the same place.
    const RECT cancel = progress.Control(IDC_PAGE_CANCEL).ScreenRect();
    const POINT onCancel{(cancel.left + cancel.right) / 2, (cancel.top + cancel.bottom) / 2};
    ASSERT_TRUE(RealPointerMove(onCancel.x, onCancel.y));
    EXPECT_TRUE(
        WaitFor([&] { return !progress || progress.ControlText(IDC_STATUS_TEXT) != firstStatus; },
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
    const RECT finishButton = finish.Control(IDC_FINISH).ScreenRect();
    ASSERT_TRUE(PtInRect(&finishButton, onCancel)) << "Finish is not where Cancel was";
    // The first real click must reach Finish, not the hidden progress page's Cancel.
    ASSERT_TRUE(RealPointerClick(onCancel.x, onCancel.y));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);
    EXPECT_FALSE(WaitForMessageWith(*setup_, "cancel", 0)) << "the click went to Cancel";

    // What the install sequence wrote, and what Finish did. The record lies where a 64-bit
    // Windows keeps 32-bit programs' records, whichever width the installer is.
    const std::string code = ProductCodeByVariant(ProductVariant::AC);
    EXPECT_TRUE(OpensInTheNativeView(kWowUninstall + code));
    EXPECT_FALSE(OpensInTheNativeView(kPlainUninstall + code));
    EXPECT_FALSE(OpensInTheNativeView(
        "SOFTWARE\\Wow6432Node\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" +
        code));
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
    EXPECT_TRUE(
        SetUp::PathExists(SetUp::CMenuAndDesk(SetUp::ReadInstalledValue("InstallLocation"),
                                              CSetupConfig::Instance(), CTextTable::Instance())
                              .StartFolder("1.11.1.7")));
    EXPECT_TRUE(SetUp::PathExists(Special(CSIDL_COMMON_DESKTOPDIRECTORY) +
                                  "\\Velmora AC 1.11.1.7 Client.lnk"));
    EXPECT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kServerExe) != 0; }));
    EXPECT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) != 0; }));
    EXPECT_EQ(scenario::WorkingFolders(), workFolders) << "the working folder stayed";
    EXPECT_TRUE(SetUp::PathExists(DefaultFolder() + "\\kept.txt"));
}

TEST_F(InstallRoad, QuestionsBeforeTheInstallInTheirOrder) {
    testbed::WriteFile(DefaultFolder() + "\\old.txt", "old");
    testbed::WriteFile(CFolderLayout::PublicUserDataDir() + "\\data.txt", "data");
    Open(SETUP_EXE);
    // An invalid root: kind 10, and the page stays.
    page_.Control(IDC_PATH_BOX).SetText("C:\\a*b");
    ASSERT_TRUE(WaitFor([&] { return page_.ControlText(IDC_PATH_BOX) == "C:\\a*b"; }));
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    const CWindow invalid = WaitForMessageWith(*setup_, "Invalid installation path");
    ASSERT_TRUE(invalid);
    SaveScreenshot(invalid, "start-install-invalid-path");
    ASSERT_TRUE(scenario::Answer(invalid, IDCANCEL));

    // The non-empty folder: its question's own close button stops.
    page_.Control(IDC_PATH_BOX).SetText(DefaultFolder());
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    ASSERT_TRUE(scenario::Answer(
        WaitForMessageWith(*setup_, "installation directory already exists"), IDC_CLOSE));
    // Kept, then the user-data folder: its close button stops too.
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    ASSERT_TRUE(scenario::Answer(
        WaitForMessageWith(*setup_, "installation directory already exists"), IDCANCEL));
    ASSERT_TRUE(scenario::Answer(WaitForMessageWith(*setup_, "user data directory already exists"),
                                 IDC_CLOSE));
    EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    EXPECT_TRUE(SetUp::PathExists(DefaultFolder() + "\\old.txt"));
    EXPECT_TRUE(SetUp::PathExists(CFolderLayout::PublicUserDataDir() + "\\data.txt"));

    // OK clears both, and the install starts.
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    ASSERT_TRUE(scenario::Answer(
        WaitForMessageWith(*setup_, "installation directory already exists"), IDOK));
    ASSERT_TRUE(
        scenario::Answer(WaitForMessageWith(*setup_, "user data directory already exists"), IDOK));
    EXPECT_TRUE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS));
    EXPECT_FALSE(SetUp::PathExists(DefaultFolder() + "\\old.txt"));
    EXPECT_FALSE(SetUp::PathExists(CFolderLayout::PublicUserDataDir()));
}

TEST_F(InstallRoad, TooLittleSpaceOnTheChosenDrive) {
    // S: is the 64 MB drive the test run mounted (see cmake/wine-run.sh).
    const int64_t free = AvailableSpaceMb("S:\\");
    if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR || free >= 548) {
        GTEST_SKIP() << "no small drive: mounting one needs root";
    }
    Open(SETUP_EXE);
    page_.Control(IDC_PATH_BOX).SetText("S:\\Velmora AC");
    EXPECT_TRUE(WaitFor([&] { return page_.ControlText(IDC_FREE_SPACE) == MegabytesText(free); }))
        << page_.ControlText(IDC_FREE_SPACE);
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    const CWindow message = WaitForMessageWith(*setup_, "Insufficient");
    ASSERT_TRUE(message) << "no low-space message";
    ASSERT_TRUE(scenario::Answer(message, IDCANCEL));
    EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    EXPECT_TRUE(page_.IsVisible());
}

// R: is the removable drive every test run has (cmake/wine-run.sh): the installed programs could
// not be kept from other users there, so the page says so before anything is written.
TEST_F(InstallRoad, ARemovableDriveIsRefused) {
    ASSERT_EQ(GetDriveTypeA("R:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    Open(ChineseSystem() ? SETUP_ZH_EXE : SETUP_EXE);
    page_.Control(IDC_PATH_BOX).SetText("R:\\Velmora AC");
    ASSERT_TRUE(WaitFor([&] { return page_.ControlText(IDC_PATH_BOX) == "R:\\Velmora AC"; }));
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    const CWindow message =
        WaitForMessageWith(*setup_, Expected("fixed NTFS drive", "NTFS 固定磁盘"));
    ASSERT_TRUE(message) << "no refusal of the drive";
    SaveScreenshot(message, "start-install-unsuitable-drive");
    ASSERT_TRUE(scenario::Answer(message, IDCANCEL));
    EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    EXPECT_TRUE(page_.IsVisible());
    EXPECT_FALSE(SetUp::PathExists("R:\\Velmora AC"));
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
}

TEST_F(InstallRoad, BrowseSetsTheEditionFolderUnderTheChosenOne) {
    // The shell's folder browser: the same control ids on Windows and Wine.
    constexpr int kBrowserTree = 0x3741;
    constexpr int kBrowserTitle = 0x3742;
    // The build that speaks the system's language.
    Open(ChineseSystem() ? SETUP_ZH_EXE : SETUP_EXE);
    const std::string before = page_.ControlText(IDC_PATH_BOX);
    const auto browse = [&] {
        EXPECT_TRUE(page_.ClickControl(IDC_BROWSE));
        const CWindow browser = WaitForWindowWith(setup_->Id(), kBrowserTree);
        EXPECT_TRUE(browser) << "no folder browser";
        return browser;
    };

    const CWindow cancelled = browse();
    ASSERT_TRUE(cancelled);
    EXPECT_EQ(cancelled.ControlText(kBrowserTitle), Expected("Select Directory", "请选择目录"));
    // The shell fills its tree after showing the dialog.
    EXPECT_TRUE(WaitFor([&] {
        return SendMessageA(cancelled.Control(kBrowserTree).Handle(), TVM_GETCOUNT, 0, 0) > 0;
    }));
    scenario::SavePaintedScreenshot(cancelled, "folder-browser");
    ASSERT_TRUE(cancelled.ClickControl(IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(cancelled.Handle()); }));
    EXPECT_EQ(page_.ControlText(IDC_PATH_BOX), before) << "Cancel changed the folder";

    // OK on what the browser starts with, the desktop: the edition's folder goes under it.
    const CWindow chosen = browse();
    ASSERT_TRUE(chosen);
    ASSERT_TRUE(chosen.ClickControl(IDOK));
    const std::string expected = Special(CSIDL_DESKTOPDIRECTORY) + "\\Velmora AC";
    EXPECT_TRUE(WaitFor([&] { return page_.ControlText(IDC_PATH_BOX) == expected; }))
        << page_.ControlText(IDC_PATH_BOX);
    EXPECT_FALSE(page_.ControlText(IDC_FREE_SPACE).empty());

    ASSERT_TRUE(page_.ClickControl(IDC_CLOSE));
    ASSERT_TRUE(scenario::Answer(
        WaitForMessageWith(*setup_, Expected("Confirm to cancel installation", "确定要取消安装吗")),
        IDOK));
    EXPECT_EQ(setup_->WaitExit(), 0u);
    EXPECT_FALSE(SetUp::PathExists(expected)) << "browsing made the folder";
}

TEST_F(InstallRoad, CancelDeclinedKeepsInstallingConfirmedRollsBack) {
    // The driver step asks its question on the worker and waits: the install cannot end
    // meanwhile, whatever the machine's speed.
    SetDetectorResult("A.exe;B.exe");
    // The build that follows the system: the stopped page in the system's language.
    Open(SETUP_ZH_EXE);
    const CWindow progress = Install();
    ASSERT_TRUE(progress);
    const std::string cancelQuestion =
        Expected("Confirm to cancel installation", "确定要取消安装吗");
    const CWindow driver = WaitForMessageWith(*setup_, "A.exe", kInstallWait);
    ASSERT_TRUE(driver) << "no driver question";

    ASSERT_TRUE(progress.ClickControl(IDC_PAGE_CANCEL));
    ASSERT_TRUE(scenario::Answer(WaitForMessageWith(*setup_, cancelQuestion), IDCANCEL));
    EXPECT_TRUE(progress.IsVisible());
    EXPECT_TRUE(progress.Control(IDC_PAGE_CANCEL).IsEnabled());

    ASSERT_TRUE(progress.ClickControl(IDC_PAGE_CANCEL));
    const CWindow confirm = WaitForMessageWith(*setup_, cancelQuestion);
    ASSERT_TRUE(confirm);
    SaveScreenshot(confirm, "installing-cancel-question");
    ASSERT_TRUE(scenario::Answer(confirm, IDOK));
    // The page now waits for the running sequence, which waits for the driver's answer.
    SetDetectorResult("success");
    ASSERT_TRUE(scenario::Answer(driver, IDCANCEL));

    const CWindow stopped = WaitForWindowWith(setup_->Id(), IDC_DETAILS_TEXT, kInstallWait);
    ASSERT_TRUE(stopped) << "no stopped page";
    EXPECT_EQ(stopped.ControlText(IDC_ACCEPT_TEXT),
              Expected("Installation cancelled", "已取消安装！"));
    const std::string details = stopped.ControlText(IDC_DETAILS_TEXT);
    EXPECT_NE(details.find("Velmora V1.11.1.7"), std::string::npos) << details;
    SaveScreenshot(stopped, "install-stopped");
    ASSERT_TRUE(stopped.ClickControl(IDC_PAGE_CANCEL));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);

    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty()) << "the record stayed";
    EXPECT_FALSE(SetUp::PathExists(DefaultFolder() + "\\Velmora AC Client"));
    EXPECT_FALSE(SetUp::PathExists(
        SetUp::CMenuAndDesk(std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)",
                            CSetupConfig::Instance(), CTextTable::Instance())
            .StartFolder("1.11.1.7")));
}

TEST_F(InstallRoad, SecondCopyAtWorkStopsThisOne) {
    Open(SETUP_EXE);
    // Another installer wrote the record after this one started.
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"},
                                               {"DisplayVersion", "1.11.1.7"},
                                               {"InstallLocation", "C:\\Elsewhere"}});
    ASSERT_TRUE(page_.ClickControl(IDC_NEXT));
    const CWindow message = WaitForMessageWith(*setup_, "another instance running");
    ASSERT_TRUE(message);
    ASSERT_TRUE(scenario::Answer(message, IDCANCEL));
    EXPECT_EQ(setup_->WaitExit(), 0u);
    EXPECT_FALSE(SetUp::PathExists(DefaultFolder() + "\\Velmora AC Client"));
}

TEST_F(InstallRoad, TranslatorBuildFollowsTheSystemLanguage) {
    Open(SETUP_ZH_EXE);
    EXPECT_EQ(page_.ControlText(IDC_TITLE),
              Expected("Velmora Installation Wizard", "Velmora 安装向导"));
    EXPECT_EQ(page_.ControlText(IDC_NEXT), Expected("Install", "安装"));
    EXPECT_EQ(page_.ControlText(IDC_FOLDER_LABEL), Expected("Installation Folder", "目标文件夹"));
    SaveScreenshot(page_, "translator-start-install");
    const CWindow progress = Install();
    ASSERT_TRUE(progress);
    EXPECT_EQ(progress.ControlText(IDC_INSTALLING_TEXT),
              Expected("Installing Velmora client...", "正在安装Velmora客户端..."));
    if (WaitFor([&] { return !progress.ControlText(IDC_STATUS_TEXT).empty(); })) {
        SaveScreenshot(progress, "translator-installing");
    }
    const CWindow finish = WaitForFinishPage();
    ASSERT_TRUE(finish);
    EXPECT_EQ(finish.ControlText(IDC_DESKTOP_TEXT),
              Expected("Create a Desktop Icon", "创建桌面端快捷方式"));
    SaveScreenshot(finish, "translator-install-finish");
    ASSERT_TRUE(finish.ClickControl(IDC_CLIENT_CHECK));  // no client launch this time
    ASSERT_TRUE(finish.ClickControl(IDC_FINISH));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);

    // The record follows the build's switch, not the system.
    EXPECT_EQ(SetUp::ReadInstalledValue("LanguageType"), "C");
    // A Chinese system adds visitor management (9) and consumption (11).
    const SetUp::InstalledComponents recorded = SetUp::ReadInstalledComponents();
    std::vector<int32_t> installed = recorded.client;
    installed.insert(installed.end(), recorded.server.begin(), recorded.server.end());
    for (int32_t feature : {9, 11}) {
        for (int32_t component : *FeatureComponents(feature)) {
            const bool present =
                std::find(installed.begin(), installed.end(), component) != installed.end();
            EXPECT_EQ(present, ChineseSystem()) << "component " << component;
        }
    }
    EXPECT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kServerExe) != 0; }));
    EXPECT_EQ(SetUp::FindProcessByName(kClientExe), 0u) << "the client started unasked";
}

TEST_F(InstallRoad, EditionSLInstallsTheBasicAndItsOwnFeatureAndMaintainsWithTwoOptions) {
    const std::string folder =
        std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)\\Velmora SL";
    SetUp::DeleteFolder(folder, false);
    Open(SETUP_SL_EXE);
    EXPECT_EQ(page_.ControlText(IDC_PATH_BOX), folder);
    EXPECT_EQ(page_.ControlText(IDC_NEED_SPACE), "535 MB");
    SaveScreenshot(page_, "sl-start-install");
    ASSERT_TRUE(Install());
    const CWindow finish = WaitForFinishPage();
    ASSERT_TRUE(finish);
    ASSERT_TRUE(finish.ClickControl(IDC_CLIENT_CHECK));
    ASSERT_TRUE(finish.ClickControl(IDC_FINISH));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);

    // Features 0 and 10, and nothing else.
    std::vector<int32_t> expected = *FeatureComponents(0);
    for (int32_t component : *FeatureComponents(10)) {
        if (std::find(expected.begin(), expected.end(), component) == expected.end()) {
            expected.push_back(component);
        }
    }
    const SetUp::InstalledComponents recorded = SetUp::ReadInstalledComponents();
    const std::string recordedList = SetUp::ReadInstalledValue("ComponentList");
    std::vector<int32_t> installed = recorded.client;
    installed.insert(installed.end(), recorded.server.begin(), recorded.server.end());
    std::sort(expected.begin(), expected.end());
    std::sort(installed.begin(), installed.end());
    EXPECT_EQ(installed, expected) << recordedList;
    const std::string client = folder + "\\Velmora SL Client\\Client\\";
    EXPECT_TRUE(SetUp::PathExists(client + kClientExe));
    EXPECT_TRUE(SetUp::PathExists(client + "Velmora.Zelvane.C\\component.ini"))
        << "feature 10's client part";
    EXPECT_FALSE(SetUp::PathExists(client + "Velmora.Video.C")) << "a feature SL does not have";

    // Run again on the machine it just made: SL has no feature page, so its maintenance page
    // offers Repair and Remove only, Remove chosen. Closing it, confirmed, changes nothing.
    setup_ = std::make_unique<CProgram>(WindowsPath(SETUP_SL_EXE));
    const CWindow maintenance = WaitForWindowWith(setup_->Id(), IDC_REMOVE_OPTION);
    ASSERT_TRUE(maintenance) << "no maintenance page";
    scenario::WaitInitialised(maintenance);
    EXPECT_FALSE(maintenance.Control(IDC_MODIFY_OPTION).IsVisible());
    EXPECT_EQ(maintenance.Control(IDC_REPAIR_OPTION).RectInParent().top, 348);
    EXPECT_EQ(maintenance.Control(IDC_REMOVE_OPTION).RectInParent().top, 388);
    EXPECT_TRUE(scenario::IsChecked(maintenance.Control(IDC_REMOVE_OPTION)));
    EXPECT_FALSE(scenario::IsChecked(maintenance.Control(IDC_REPAIR_OPTION)));
    scenario::SavePaintedScreenshot(maintenance, "sl-maintenance");
    ASSERT_TRUE(maintenance.ClickControl(IDC_CLOSE));
    const CWindow question = WaitForWindowWith(setup_->Id(), IDC_TIP_TITLE);
    ASSERT_TRUE(question) << "closing asks first";
    ASSERT_TRUE(question.ClickControl(IDOK));
    EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);
    EXPECT_EQ(SetUp::ReadInstalledValue("ComponentList"), recordedList);
}
