// The maintenance page through the real setup programs, on machines their own wizard installed:
// the options by edition, repair, removal with its questions, a fresh installation after it, and
// the refusals while the client runs or the user manual is open.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "common/TestMachine.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using namespace scenario;

namespace {

// The AC installer that speaks the run's language.
const char* AcSetup() {
    return ChineseSystem() ? SETUP_ZH_EXE : SETUP_EXE;
}

std::string RemoveQuestion() {
    return Expected("Confirm to completely remove", "是否完全除去");
}

// The names in a folder, without "." and "..".
std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry{};
    SetUp::CFindHandle find(FindFirstFileA((folder + "\\*").c_str(), &entry));
    if (!find) {
        return names;
    }
    do {
        const std::string name = entry.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(find.Get(), &entry));
    return names;
}

class Maintenance : public testing::Test {
protected:
    void SetUp() override { scenario::RemoveTheProduct(layout_); }
    void TearDown() override {
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
    }

    // Runs the installer again and waits for its maintenance page.
    CWindow OpenMaintenance(const char* program) {
        setup_ = std::make_unique<CProgram>(WindowsPath(program));
        EXPECT_TRUE(setup_->Started());
        const CWindow page = WaitForWindowWith(setup_->Id(), IDC_REMOVE_OPTION);
        EXPECT_TRUE(page) << "no maintenance page";
        if (page) {
            WaitInitialised(page);
        }
        return page;
    }

    // Next with Remove chosen, confirmed: the removal runs, the user-data question gets the
    // answer, html stays behind and the finished page warns about it, Finish ends the program.
    void RemoveAnswering(const CWindow& page, int userDataAnswer) {
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        ASSERT_TRUE(Answer(WaitForMessageWith(*setup_, RemoveQuestion()), IDOK));
        const CWindow removing = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
        ASSERT_TRUE(removing) << "no removal page";
        ASSERT_TRUE(Answer(
            WaitForMessageWith(*setup_,
                               Expected("Clear all the remaining database", "是否清空残留的数据库"),
                               kInstallWait),
            userDataAnswer));
        const CWindow warning = WaitForMessageWith(
            *setup_, Expected("Clearing the installation directory failed", "不能完全清除安装目录"),
            kInstallWait);
        ASSERT_TRUE(warning) << "no uninstallfinishtip while html remains";
        ASSERT_TRUE(Answer(warning, IDCANCEL));
        const CWindow finished = WaitForWindowWith(setup_->Id(), IDC_RESULT_TEXT);
        ASSERT_TRUE(finished) << "no removal finished page";
        EXPECT_EQ(finished.ControlText(IDC_RESULT_TEXT),
                  Expected("Uninstallation completed", "卸载完成！"));
        ASSERT_TRUE(finished.ClickControl(IDC_FINISH));
        EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);
        EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty()) << "the record stayed";
        EXPECT_TRUE(SetUp::PathExists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
    }

    // Next shows this one-button message, and the page stays.
    void NextIsRefusedWith(const CWindow& page, const std::string& words,
                           const std::string& screenshot = "") {
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        const CWindow message = WaitForMessageWith(*setup_, words);
        ASSERT_TRUE(message) << "no message with " << words;
        EXPECT_FALSE(message.Control(IDOK)) << "a refusal has no OK";
        if (!screenshot.empty()) {
            SavePaintedScreenshot(message, screenshot);
        }
        ASSERT_TRUE(Answer(message, IDCANCEL));
        EXPECT_TRUE(page.IsVisible());
        EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    }

    const CFolderLayout layout_{DefaultRoot()};
    std::unique_ptr<CProgram> setup_;
};

TEST_F(Maintenance, TwoOptionsAndRepairBringsBackADeletedFile) {
    InstallThroughStartPage(AcSetup());
    const CWindow page = OpenMaintenance(AcSetup());
    ASSERT_TRUE(page);
    EXPECT_EQ(page.ControlText(IDC_ACCEPT_TEXT),
              Expected("Welcome to use Velmora V1.11.1.7 installation maintenance wizard.",
                       "欢迎使用 Velmora V1.11.1.7 安装维护程序"));
    EXPECT_EQ(page.ControlText(IDC_NEXT), Expected("Next", "下一步"));
    // AC has no feature page: Repair and Remove only, Repair first.
    EXPECT_FALSE(page.Control(IDC_MODIFY_OPTION).IsVisible());
    EXPECT_FALSE(page.Control(IDC_MODIFY_TEXT).IsVisible());
    EXPECT_EQ(page.Control(IDC_REPAIR_OPTION).RectInParent().top, 348);
    EXPECT_EQ(page.Control(IDC_REMOVE_OPTION).RectInParent().top, 388);
    EXPECT_EQ(page.ControlText(IDC_REPAIR_TEXT),
              Expected("Repair (Repair installation errors by fixing missing and corrupt files, "
                       "shortcuts, and registry entries)",
                       "修复（恢复已安装的系统数据）"));
    EXPECT_TRUE(IsChecked(page.Control(IDC_REMOVE_OPTION))) << "Remove is not preselected";
    EXPECT_FALSE(IsChecked(page.Control(IDC_REPAIR_OPTION)));
    SavePaintedScreenshot(page, "maintenance-two-options");

    // The chosen option stays chosen when clicked again; another one takes its place.
    ASSERT_TRUE(page.ClickControl(IDC_REMOVE_OPTION));
    ASSERT_TRUE(WaitPostedHandled(page.Control(IDC_NEXT)));
    EXPECT_TRUE(IsChecked(page.Control(IDC_REMOVE_OPTION)));
    ASSERT_TRUE(page.ClickControl(IDC_REPAIR_OPTION));
    ASSERT_TRUE(WaitPostedHandled(page.Control(IDC_NEXT)));
    EXPECT_TRUE(IsChecked(page.Control(IDC_REPAIR_OPTION)));
    EXPECT_FALSE(IsChecked(page.Control(IDC_REMOVE_OPTION)));

    const std::string client = layout_.FrameworkExe(ComponentSide::Client);
    ASSERT_TRUE(SetUp::PathExists(client));
    ASSERT_TRUE(DeleteFileA(client.c_str()));
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow progress = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    ASSERT_TRUE(progress) << "no progress page";
    WaitInitialised(progress);
    EXPECT_FALSE(progress.Control(IDC_PAGE_CANCEL).IsVisible()) << "a repair offers no Cancel";
    EXPECT_FALSE(progress.Control(IDC_CLOSE).IsEnabled());
    FinishInstall(*setup_, false);
    EXPECT_TRUE(SetUp::PathExists(client)) << "the repair did not bring the client back";
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "1.11.1.7");
}

TEST_F(Maintenance, RemoveAsksFirstAndTheMachineInstallsAfreshAfterwards) {
    InstallThroughStartPage(AcSetup());
    testbed::WriteFile(layout_.UserDataDir() + "\\db.sqlite", "data");
    const CWindow page = OpenMaintenance(AcSetup());
    ASSERT_TRUE(page);

    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow question = WaitForMessageWith(*setup_, RemoveQuestion());
    ASSERT_TRUE(question) << "no removal question";
    EXPECT_TRUE(question.Control(IDOK));
    SavePaintedScreenshot(question, "maintenance-remove-question");
    ASSERT_TRUE(Answer(question, IDCANCEL));
    EXPECT_TRUE(page.IsVisible()) << "Cancel left the page";
    EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    EXPECT_FALSE(SetUp::EnumerateInstalledVariants().empty());

    RemoveAnswering(page, IDOK);
    EXPECT_FALSE(SetUp::PathExists(layout_.UserDataDir()));
    EXPECT_FALSE(SetUp::PathExists(layout_.InstallationDir()));
    // The default folder is the product's Program Files folder: only html is left in it.
    EXPECT_EQ(FolderEntries(layout_.ProductDir()), std::vector<std::string>{"html"});

    CProgram fresh(WindowsPath(AcSetup()));
    const CWindow start = WaitForWindowWith(fresh.Id(), IDC_PATH_BOX);
    ASSERT_TRUE(start) << "no start/install page after the removal";
    ASSERT_TRUE(start.ClickControl(IDC_NEXT));
    ASSERT_TRUE(Answer(WaitForMessageWith(fresh, Expected("installation directory already exists",
                                                          "安装目录已经存在")),
                       IDCANCEL));
    ASSERT_TRUE(WaitForWindowWith(fresh.Id(), IDC_PROGRESS));
    EXPECT_FALSE(WaitForMessageWith(fresh, "", 0)) << "a question about the user data";
    FinishInstall(fresh, false);
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "1.11.1.7");
    EXPECT_TRUE(SetUp::PathExists(layout_.FrameworkExe(ComponentSide::Client)));
}

TEST_F(Maintenance, RunningClientOrOpenManualKeepsThePage) {
    InstallThroughStartPage(AcSetup(), true);
    ASSERT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) != 0; }))
        << "the finished page did not start the client";
    testbed::WriteFile(layout_.UserDataDir() + "\\db.sqlite", "data");
    const CWindow page = OpenMaintenance(AcSetup());
    ASSERT_TRUE(page);

    // Every press asks again.
    const std::string closeClient =
        Expected("Please exit the Velmora client program first.", "请先退出Velmora客户端程序。");
    NextIsRefusedWith(page, closeClient, "maintenance-close-client");
    NextIsRefusedWith(page, closeClient);
    ASSERT_TRUE(SetUp::KillProcessByName(kClientExe));
    ASSERT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) == 0; }));

    {
        // A viewer holds the manual open.
        SetUp::CFileHandle manual(CreateFileA(layout_.UserManual().c_str(), GENERIC_READ, 0,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
        ASSERT_TRUE(manual) << layout_.UserManual();
        const std::string quitManual =
            Expected("Please exit the Velmora user manual first.", "请先退出Velmora用户手册。");
        NextIsRefusedWith(page, quitManual);
        NextIsRefusedWith(page, quitManual);
    }

    // Closed: the removal goes on, and No keeps the user data.
    RemoveAnswering(page, IDCANCEL);
    EXPECT_TRUE(SetUp::PathExists(layout_.UserDataDir() + "\\db.sqlite"));
}

// VS has a feature page to modify with: three options, Modify first. With brand type 0 the
// feature page offers Previous, which comes back with Modify chosen; the changed choice adds and
// removes features.
TEST_F(Maintenance, ThreeOptionsAndModifyThroughTheFeaturePage) {
    const CSetupConfig vs = testbed::MakeConfig(ProductVariant::VS, 0, 1);
    const CFolderLayout folders(DefaultRoot(), vs);
    SetUp::DeleteFolder(folders.ProductDir(), false);
    {
        CProgram fresh(WindowsPath(SETUP_VS0_EXE));
        const CWindow start = WaitForWindowWith(fresh.Id(), IDC_ACCEPT_CHECK);
        ASSERT_TRUE(start) << "no start page";
        SetTicked(start, IDC_ACCEPT_CHECK, true);
        ASSERT_TRUE(WaitFor([&] { return start.Control(IDC_NEXT).IsEnabled(); }));
        ASSERT_TRUE(start.ClickControl(IDC_NEXT));
        const CWindow features = WaitForFeaturePage(fresh);
        ASSERT_TRUE(features) << "no feature page";
        SetTicked(features, IDC_VIDEO_CHECK, true);
        SetTicked(features, IDC_AI_CHECK, true);
        ASSERT_TRUE(features.ClickControl(IDC_NEXT));
        KeepFoldersUntilProgress(fresh);
        FinishInstall(fresh, false);
    }
    ASSERT_EQ(SetUp::ReadInstalledValue("ComponentList"),
              SetUp::EncodeComponentList(ExpandFeatures({0, 1, 8})));

    CWindow page = OpenMaintenance(SETUP_VS0_EXE);
    ASSERT_TRUE(page);
    const int rows[][2] = {
        {IDC_MODIFY_OPTION, 348}, {IDC_REPAIR_OPTION, 388}, {IDC_REMOVE_OPTION, 428}};
    for (const auto& [id, top] : rows) {
        EXPECT_TRUE(page.Control(id).IsVisible()) << id;
        EXPECT_EQ(page.Control(id).RectInParent().top, top) << id;
    }
    EXPECT_EQ(page.ControlText(IDC_MODIFY_TEXT),
              Expected("Modify (Change which features are installed)",
                       "修改（重新选择要安装的程序功能）"));
    EXPECT_TRUE(IsChecked(page.Control(IDC_REMOVE_OPTION))) << "Remove is not preselected";
    SavePaintedScreenshot(page, "maintenance-three-options");

    // The close button asks first; Cancel keeps the page.
    ASSERT_TRUE(page.ClickControl(IDC_CLOSE));
    ASSERT_TRUE(Answer(
        WaitForMessageWith(*setup_, Expected("Confirm to cancel installation", "确定要取消安装吗")),
        IDCANCEL));
    EXPECT_TRUE(page.IsVisible());

    for (int click = 0; click < 2; ++click) {
        ASSERT_TRUE(page.ClickControl(IDC_MODIFY_OPTION));
        ASSERT_TRUE(WaitPostedHandled(page.Control(IDC_NEXT)));
        EXPECT_TRUE(IsChecked(page.Control(IDC_MODIFY_OPTION)));
        EXPECT_FALSE(IsChecked(page.Control(IDC_REPAIR_OPTION)));
        EXPECT_FALSE(IsChecked(page.Control(IDC_REMOVE_OPTION)));
    }
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    CWindow features = WaitForFeaturePage(*setup_);
    ASSERT_TRUE(features) << "Modify did not open the feature page";
    EXPECT_TRUE(IsChecked(features.Control(IDC_VIDEO_CHECK)));
    EXPECT_TRUE(IsChecked(features.Control(IDC_AI_CHECK)));
    EXPECT_FALSE(IsChecked(features.Control(IDC_EMAP_CHECK)));

    ASSERT_TRUE(features.ClickControl(IDC_PREVIOUS));
    page = WaitForWindowWith(setup_->Id(), IDC_REMOVE_OPTION);
    ASSERT_TRUE(page) << "Previous did not come back";
    WaitInitialised(page);
    EXPECT_TRUE(IsChecked(page.Control(IDC_MODIFY_OPTION))) << "Modify is not preselected";
    EXPECT_FALSE(IsChecked(page.Control(IDC_REMOVE_OPTION)));

    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    features = WaitForFeaturePage(*setup_);
    ASSERT_TRUE(features);
    SetTicked(features, IDC_VIDEO_CHECK, false);
    SetTicked(features, IDC_EMAP_CHECK, true);
    ASSERT_TRUE(features.ClickControl(IDC_NEXT));
    const CWindow progress = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    ASSERT_TRUE(progress) << "no progress page";
    FinishInstall(*setup_, false);

    // Emap (2) came, Video (1) went.
    EXPECT_EQ(SetUp::ReadInstalledValue("ComponentList"),
              SetUp::EncodeComponentList(ExpandFeatures({0, 8, 2})));
    const auto folder = [&](int32_t component) {
        return folders.ComponentsDir(GetComponentSide(component)) + ComponentName(vs, component);
    };
    for (int32_t component : *FeatureComponents(2)) {
        EXPECT_TRUE(SetUp::PathExists(folder(component))) << folder(component);
    }
    for (int32_t component : *FeatureComponents(1)) {
        EXPECT_FALSE(SetUp::PathExists(folder(component))) << folder(component);
    }
    for (int32_t component : *FeatureComponents(8)) {
        EXPECT_TRUE(SetUp::PathExists(folder(component))) << folder(component);
    }
}

}  // namespace
