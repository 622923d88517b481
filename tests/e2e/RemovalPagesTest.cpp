// The removal progress page and the removal finished page, through the host's entry point, on
// a machine the engine has just installed.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "ScenarioSupport.h"
#include "base/FileSystem.h"
#include "engine/InstallEngine.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using scenario::Expected;
using scenario::SaveScreenshot;
using scenario::WaitForMessageWith;

namespace {

constexpr DWORD kWait = 120000;

// Returns once the page's thread takes messages again: its initialisation is over.
void WaitInitialised(const CWindow& page) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(page.Handle(), WM_NULL, 0, 0, SMTO_BLOCK, kDefaultWait, &ignored);
}

class RemovalPages : public testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        root_ = testbed::MakeTempFolder("removal");
    }

    // Installs features 0, 3 and 5 below the root with the engine, as a finished install
    // leaves the machine, plus some user data.
    void InstallWithTheEngine() {
        SetUp::CInstallEngine& engine = *new SetUp::CInstallEngine(CSetupConfig::Instance());
        std::atomic<bool> done{false};
        engine.SetEventCallback([&](const SetUp::CEngineEvent& event) {
            if (event.kind == SetUp::EngineEventKind::ProcedureFinished) {
                done = true;
            }
        });
        engine.StartInstall({0, 3, 5}, root_);
        ASSERT_TRUE(WaitFor([&] { return done.load(); }, kWait));
        ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::milliseconds(kWait)));
        engine.SetEventCallback({});
        testbed::WriteFile(UserData() + "\\db.sqlite", "data");
    }
    std::string UserData() const { return CFolderLayout(root_).UserDataDir(); }

    // Runs the removal pages up to the user-data question and answers it.
    void RemoveAnswering(int answer) {
        CProgram host(WindowsPath(UI_HOST_EXE), "uninstall");
        const CWindow page = WaitForWindowWith(host.Id(), IDC_UNINSTALL_TEXT);
        ASSERT_TRUE(page);
        WaitInitialised(page);
        EXPECT_FALSE(page.Control(IDC_CLOSE).IsEnabled());
        SaveScreenshot(page, "uninstalling");
        const CWindow question = WaitForMessageWith(
            host, Expected("Clear all the remaining database", "是否清空残留的数据库"), kWait);
        ASSERT_TRUE(question);
        ASSERT_TRUE(question.ClickControl(answer));
        // html stays by design, so the finished page warns once.
        const CWindow warning = WaitForMessageWith(
            host, Expected("Clearing the installation directory failed", "不能完全清除安装目录"),
            kWait);
        ASSERT_TRUE(warning) << "no uninstallfinishtip";
        ASSERT_TRUE(warning.ClickControl(IDCANCEL));
        const CWindow finished = WaitForWindowWith(host.Id(), IDC_RESULT_TEXT);
        ASSERT_TRUE(finished);
        ASSERT_TRUE(WaitFor([&] { return !warning.IsVisible(); }));
        // Painted once the green success mark shows where the warning was.
        const RECT mark = finished.Control(IDC_RESULT_MARK).RectInParent();
        EXPECT_TRUE(WaitFor([&] {
            const COLORREF colour = finished.Pixel(mark.left + 8, mark.top + 20);
            return GetGValue(colour) > 120 && GetRValue(colour) < 120;
        }));
        EXPECT_EQ(finished.ControlText(IDC_RESULT_TEXT),
                  Expected("Uninstallation completed", "卸载完成！"));
        SaveScreenshot(finished, "uninstall-finish");
        ASSERT_TRUE(finished.ClickControl(IDC_FINISH));
        EXPECT_EQ(host.WaitExit(kWait), 0u);
    }

    std::string root_;
};

}  // namespace

TEST_F(RemovalPages, YesDeletesTheUserData) {
    InstallWithTheEngine();
    RemoveAnswering(IDOK);
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_FALSE(SetUp::PathExists(UserData()));
    EXPECT_FALSE(SetUp::PathExists(CFolderLayout(root_).InstallationDir()));
    EXPECT_TRUE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
}

TEST_F(RemovalPages, NoKeepsTheUserData) {
    InstallWithTheEngine();
    RemoveAnswering(IDCANCEL);
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_TRUE(SetUp::PathExists(UserData() + "\\db.sqlite"));
}

TEST_F(RemovalPages, NothingToRemoveLetsTheCloseButtonEnd) {
    CProgram host(WindowsPath(UI_HOST_EXE), "uninstall");
    const CWindow page = WaitForWindowWith(host.Id(), IDC_UNINSTALL_TEXT);
    ASSERT_TRUE(page);
    WaitInitialised(page);
    ASSERT_TRUE(page.Control(IDC_CLOSE).IsEnabled());
    ASSERT_TRUE(page.ClickControl(IDC_CLOSE));
    EXPECT_EQ(host.WaitExit(), 0u);
}
