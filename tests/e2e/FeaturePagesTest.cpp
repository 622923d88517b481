// The feature pages through the real setup programs: a chosen feature set reaches the machine,
// the start page round trip of brand type 0, the Access Control lock, the refused basic-only
// choice, the space figures, Escape, and a screenshot of every page.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "deploy/ProductXmlHandler.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using scenario::ChineseSystem;
using scenario::DefaultRoot;
using scenario::Expected;
using scenario::IsChecked;
using scenario::kClientExe;
using scenario::kInstallWait;
using scenario::kServerExe;
using scenario::MessageText;
using scenario::SaveScreenshot;
using scenario::SetTicked;
using scenario::WaitForFeaturePage;

namespace {

// The installation folder of an edition under the default root, and its client folder.
struct EditionFolders {
    std::string product;
    std::string client;
};
EditionFolders FoldersOf(ProductVariant variant) {
    const std::string type = VariantTypeName(variant).value_or("");
    const std::string product = DefaultRoot() + "\\Velmora " + type;
    const std::string clientName =
        variant == ProductVariant::FULL ? "Velmora Client" : "Velmora " + type + " Client";
    return {product, product + "\\" + clientName + "\\Client"};
}

// The message dialog of the program, once it shows.
CWindow WaitForMessage(const CProgram& setup, DWORD timeoutMs = kDefaultWait) {
    return WaitForWindowWith(setup.Id(), IDC_TIP_TITLE, timeoutMs);
}

class FeaturePages : public testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override {
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
        setup_.reset();
        Reset();
    }

    // Every program starts on a machine without the product.
    static void Reset() {
        testbed::RemoveAllRecords();
        for (ProductVariant variant :
             {ProductVariant::FULL, ProductVariant::VS, ProductVariant::SC, ProductVariant::DP}) {
            const std::string type = VariantTypeName(variant).value_or("");
            SetUp::DeleteFolder(FoldersOf(variant).product, false);
            SetUp::DeleteFolder(
                std::string(1, SystemDriveLetter()) + ":\\Users\\Public\\Velmora " + type, false);
        }
    }

    // Starts the program and waits for its feature page.
    CWindow Open(const char* program) {
        setup_ = std::make_unique<CProgram>(WindowsPath(program));
        EXPECT_TRUE(setup_->Started());
        const CWindow page = WaitForFeaturePage(*setup_);
        EXPECT_TRUE(page) << "no feature page";
        return page;
    }

    // Install, the progress page, the finished page and Finish; then what reached the machine.
    void InstallAndCheck(const CWindow& page, ProductVariant variant,
                         const std::vector<int32_t>& features) {
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        const CWindow finish = WaitForWindowWith(setup_->Id(), IDC_FINISH, kInstallWait);
        ASSERT_TRUE(finish) << "no finished page";
        ASSERT_TRUE(finish.ClickControl(IDC_FINISH));
        EXPECT_EQ(setup_->WaitExit(kInstallWait), 0u);

        const std::vector<int32_t> components = ExpandFeatures(features);
        EXPECT_EQ(SetUp::ReadInstalledValue("ComponentList"),
                  SetUp::EncodeComponentList(components));
        EXPECT_EQ(SetUp::ReadInstalledValue("InstallLocation"), DefaultRoot());
        const EditionFolders folders = FoldersOf(variant);
        std::vector<int32_t> client;
        for (int32_t component : components) {
            if (GetComponentSide(component) == ComponentSide::Client && component != 0) {
                client.push_back(component);
                EXPECT_TRUE(SetUp::PathExists(folders.client + "\\Velmora" +
                                              ComponentSuffix(component).value_or("?")))
                    << "component " << component;
            }
        }
        // Components the choice left out are not there.
        for (int32_t component = 1; component <= 16; ++component) {
            if (std::find(client.begin(), client.end(), component) == client.end()) {
                EXPECT_FALSE(SetUp::PathExists(folders.client + "\\Velmora" +
                                               ComponentSuffix(component).value_or("?")))
                    << "component " << component;
            }
        }
        const SetUp::CProductXmlHandler description(
            DefaultRoot(), testbed::MakeConfig(variant, 1, ChineseSystem() ? 1 : 0));
        // The file names every chosen client component that it has an entry for.
        std::vector<int32_t> described;
        for (const SetUp::ClientDescriptionRow& row : SetUp::kClientDescriptionRows) {
            if (std::find(client.begin(), client.end(), row.component) != client.end()) {
                described.push_back(row.component);
            }
        }
        std::vector<int32_t> read = description.ReadClientComponents();
        std::sort(read.begin(), read.end());
        std::sort(described.begin(), described.end());
        EXPECT_EQ(read, described) << "the client description file";
        EXPECT_TRUE(SetUp::PathExists(description.ServerDescriptionPath()));
    }

    std::unique_ptr<CProgram> setup_;
};

}  // namespace

TEST_F(FeaturePages, FullInstallsTheChosenFeatures) {
    if (ChineseSystem()) {
        // The Chinese page: ten rows, the basic one with Access Control.
        const CWindow page = Open(SETUP_FULL_ZH_EXE);
        ASSERT_TRUE(page);
        EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "762 MB");
        EXPECT_FALSE(page.Control(IDC_ACCESS_CHECK).IsVisible());
        EXPECT_FALSE(page.Control(IDC_PREVIOUS).IsVisible()) << "brand type 1 cannot go back";
        SaveScreenshot(page, "features-full");
        SetTicked(page, IDC_VIDEO_CHECK, false);
        SetTicked(page, IDC_EMAP_CHECK, false);
        SetTicked(page, IDC_CONSUMPTION_CHECK, false);
        EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "666 MB"; }));
        InstallAndCheck(page, ProductVariant::FULL, {0, 3, 5, 4, 8, 6, 9, 12});
        return;
    }
    const CWindow page = Open(SETUP_FULL_EXE);
    ASSERT_TRUE(page);
    EXPECT_EQ(page.ControlText(IDC_BASIC_NAME), "Basic Configuration");
    EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "714 MB");
    SetTicked(page, IDC_VIDEO_CHECK, false);
    SetTicked(page, IDC_BROADCAST_CHECK, false);
    SetTicked(page, IDC_ATTENDANCE_CHECK, false);
    SetTicked(page, IDC_ACCESS_CHECK, false);
    EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "604 MB"; }));
    InstallAndCheck(page, ProductVariant::FULL, {0, 2, 4, 8, 6});
}

TEST_F(FeaturePages, VsScAndDpInstallTheChosenFeatures) {
    {
        const CWindow page = Open(SETUP_VS_EXE);
        ASSERT_TRUE(page);
        // Only the basic row starts ticked, and it cannot be unticked.
        EXPECT_TRUE(IsChecked(page.Control(IDC_BASIC_CHECK)));
        EXPECT_FALSE(page.Control(IDC_BASIC_CHECK).IsEnabled());
        EXPECT_FALSE(IsChecked(page.Control(IDC_VIDEO_CHECK)));
        EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "508 MB");
        SetTicked(page, IDC_EMAP_CHECK, true);
        SetTicked(page, IDC_AI_CHECK, true);
        EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "580 MB"; }));
        SaveScreenshot(page, "features-vs");
        InstallAndCheck(page, ProductVariant::VS, {0, 2, 8});
    }
    Reset();
    {
        const CWindow page = Open(SETUP_SC_EXE);
        ASSERT_TRUE(page);
        // Three rows, all ticked; the others are hidden.
        EXPECT_FALSE(page.Control(IDC_EMAP_CHECK).IsVisible());
        EXPECT_FALSE(page.Control(IDC_TOPOLOGY_NAME).IsVisible());
        EXPECT_EQ(page.Control(IDC_AI_CHECK).RectInParent().top, 180);
        EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "626 MB");
        SaveScreenshot(page, "features-sc");
        SetTicked(page, IDC_VIDEO_CHECK, false);
        InstallAndCheck(page, ProductVariant::SC, {0, 8});
    }
    Reset();
    {
        const CWindow page = Open(SETUP_DP_EXE);
        ASSERT_TRUE(page);
        SetTicked(page, IDC_AI_CHECK, false);
        EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "567 MB"; }));
        InstallAndCheck(page, ProductVariant::DP, {0, 1});
    }
}

TEST_F(FeaturePages, BrandType0GoesBackToTheStartPageTicked) {
    setup_ = std::make_unique<CProgram>(WindowsPath(SETUP_FULL0_EXE));
    const CWindow start = WaitForWindowWith(setup_->Id(), IDC_ACCEPT_CHECK);
    ASSERT_TRUE(start) << "no start page";
    // The page shows before its layout has placed the controls; a busy machine shows the gap.
    scenario::WaitInitialised(start);
    ASSERT_TRUE(start.ClickControl(IDC_ACCEPT_CHECK));
    ASSERT_TRUE(WaitFor([&] { return start.Control(IDC_NEXT).IsEnabled(); }));
    ASSERT_TRUE(start.ClickControl(IDC_NEXT));
    const CWindow page = WaitForFeaturePage(*setup_);
    ASSERT_TRUE(page) << "no feature page";
    EXPECT_FALSE(start.IsVisible());
    // This build follows the system's language: the Chinese page on a Chinese system.
    EXPECT_EQ(page.Control(IDC_ACCESS_CHECK).IsVisible(), !ChineseSystem());
    ASSERT_TRUE(page.Control(IDC_PREVIOUS).IsVisible());
    EXPECT_EQ(page.ControlText(IDC_PREVIOUS), Expected("Previous", "上一步"));
    SaveScreenshot(page, "features-brand0");
    SetTicked(page, IDC_VIDEO_CHECK, false);

    ASSERT_TRUE(page.ClickControl(IDC_PREVIOUS));
    const CWindow back = WaitForWindowWith(setup_->Id(), IDC_ACCEPT_CHECK);
    ASSERT_TRUE(back) << "no start page after Previous";
    EXPECT_TRUE(WaitFor([&] { return back.Control(IDC_NEXT).IsEnabled(); }));
    EXPECT_TRUE(IsChecked(back.Control(IDC_ACCEPT_CHECK)));
    EXPECT_FALSE(page.IsVisible());
    // Forward again: a new page with the defaults.
    ASSERT_TRUE(back.ClickControl(IDC_NEXT));
    const CWindow again = WaitForFeaturePage(*setup_);
    ASSERT_TRUE(again);
    EXPECT_TRUE(IsChecked(again.Control(IDC_VIDEO_CHECK)));
    // Escape ends the whole wizard without a question.
    again.PressKey(VK_ESCAPE);
    EXPECT_EQ(setup_->WaitExit(), 0u);
    EXPECT_FALSE(WaitForMessage(*setup_, 0));
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "");
}

TEST_F(FeaturePages, EnglishPageLocksAccessControlAndFollowsTheSpace) {
    const CWindow page = Open(SETUP_FULL_EXE);
    ASSERT_TRUE(page);
    const CWindow access = page.Control(IDC_ACCESS_CHECK);
    // Attendance starts ticked, so Access Control is ticked and locked.
    EXPECT_TRUE(IsChecked(access));
    EXPECT_FALSE(access.IsEnabled());
    EXPECT_EQ(page.ControlText(IDC_FEATURE_DESCRIPTION),
              "Including device&&group management, user management, log search, event center, "
              "etc.");
    SaveScreenshot(page, "features-full-e");

    SetTicked(page, IDC_ATTENDANCE_CHECK, false);
    EXPECT_TRUE(WaitFor([&] { return access.IsEnabled(); }));
    EXPECT_TRUE(IsChecked(access)) << "unlocking keeps the tick";
    EXPECT_EQ(page.ControlText(IDC_NEED_SPACE), "701 MB");
    SetTicked(page, IDC_ACCESS_CHECK, false);
    EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "674 MB"; }));
    SetTicked(page, IDC_ATTENDANCE_CHECK, true);
    EXPECT_TRUE(WaitFor([&] { return IsChecked(access) && !access.IsEnabled(); }));
    EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "714 MB"; }));
    SetTicked(page, IDC_EMAP_CHECK, false);
    EXPECT_TRUE(WaitFor([&] { return page.ControlText(IDC_NEED_SPACE) == "701 MB"; }));

    // A box click leaves the highlight; a click on a name moves it.
    const RECT strip = page.Control(IDC_FEATURE_STRIP).RectInParent();
    EXPECT_EQ(strip.top, 108);
    ASSERT_TRUE(page.ClickControl(IDC_TOPOLOGY_NAME));
    EXPECT_TRUE(scenario::WaitPostedHandled(page.Control(IDC_NEXT)));
    EXPECT_EQ(page.Control(IDC_FEATURE_STRIP).RectInParent().top, 344);
    EXPECT_EQ(page.ControlText(IDC_FEATURE_DESCRIPTION),
              "Including topology display and operations of the transmission devices.");
    EXPECT_TRUE(IsChecked(page.Control(IDC_TOPOLOGY_CHECK))) << "the tick stays";
    SaveScreenshot(page, "features-full-e-highlight");

    // The disk-space dialog shows the page's figure.
    ASSERT_TRUE(page.ClickControl(IDC_DISK_SPACE_LINK));
    const CWindow disk = WaitForWindowWith(setup_->Id(), IDC_DRIVE_BOX);
    ASSERT_TRUE(disk) << "no disk-space dialog";
    EXPECT_EQ(disk.ControlText(IDC_NEED_SPACE), "701 MB");
    disk.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitFor([&] { return !disk.IsVisible(); }));

    // Escape on the page ends the program without a question, and nothing is installed.
    page.PressKey(VK_ESCAPE);
    EXPECT_EQ(setup_->WaitExit(), 0u);
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "");
    EXPECT_FALSE(SetUp::PathExists(FoldersOf(ProductVariant::FULL).product));
}

TEST_F(FeaturePages, VsPageRefusesTheBasicRowAloneBeforeAnyCheck) {
    const CWindow page = Open(SETUP_VS_EXE);
    ASSERT_TRUE(page);
    // A path the path rule refuses: the missing feature is told first.
    page.Control(IDC_PATH_BOX).SetText("C:\\a*b");
    ASSERT_TRUE(WaitFor([&] { return page.ControlText(IDC_PATH_BOX) == "C:\\a*b"; }));
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow message = WaitForMessage(*setup_);
    ASSERT_TRUE(message);
    EXPECT_EQ(MessageText(message),
              Expected("No software features are selected. Select at least one of them.",
                       "软件功能组件未选中，请至少选择一个功能组件。"));
    ASSERT_TRUE(message.ClickControl(IDCANCEL) || message.ClickControl(IDOK));
    ASSERT_TRUE(WaitFor([&] { return !message.IsVisible(); }));
    // With a feature the path rule speaks.
    SetTicked(page, IDC_VIDEO_CHECK, true);
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow invalid = WaitForMessage(*setup_);
    ASSERT_TRUE(invalid);
    EXPECT_EQ(MessageText(invalid),
              Expected("Invalid installation path. Please input a valid path.",
                       "安装路径不合法，请输入合法的安装路径！"));
    ASSERT_TRUE(invalid.ClickControl(IDCANCEL) || invalid.ClickControl(IDOK));
    ASSERT_TRUE(WaitFor([&] { return !invalid.IsVisible(); }));
    // Every page in the other language's run too.
    if (ChineseSystem()) {
        // The English build shows its page on a Chinese system too.
        setup_.reset();
        const CWindow english = Open(SETUP_FULL_EXE);
        ASSERT_TRUE(english);
        EXPECT_EQ(english.ControlText(IDC_NEXT), "Install");
        SaveScreenshot(english, "features-full-e");
    }
}
