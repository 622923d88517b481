// The upgrade page through the real setup programs, on machines the older version's own wizard
// installed: the three ways the new version learns the installed features, the refusals while
// the client runs or the user manual is open, and what the upgrade leaves behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "common/TestMachine.h"
#include "deploy/MenuAndDesk.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using namespace scenario;

namespace {

const char kOldVersion[] = "1.10.0.5";
const char kNewVersion[] = "1.11.1.7";

// The AC installers, old and new, that speak the run's language.
const char* OldAcSetup() {
    return ChineseSystem() ? SETUP_ZH_OLD_EXE : SETUP_AC_OLD_EXE;
}
const char* NewAcSetup() {
    return ChineseSystem() ? SETUP_ZH_EXE : SETUP_EXE;
}

// What AC installs: its fixed features, and on a Chinese system visitors and consumption too.
std::string AcComponentList() {
    const std::vector<int32_t> features =
        ChineseSystem() ? std::vector<int32_t>{0, 3, 5, 9, 11} : std::vector<int32_t>{0, 3, 5};
    return SetUp::EncodeComponentList(ExpandFeatures(features));
}

// Takes a value out of the installed record, as records of older installers lack it.
void DeleteRecordValue(const char* name, ProductVariant variant = ProductVariant::AC) {
    SetUp::CRegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, SetUp::ProductKeyPath(variant).c_str(), 0,
                            KEY_SET_VALUE, key.Receive()),
              ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(key.Get(), name), ERROR_SUCCESS);
}

class Upgrade : public testing::Test {
protected:
    void SetUp() override {
        scenario::RemoveTheProduct(layout_);
        SetUp::DeleteFolder(menu_.StartFolder(kOldVersion), false);
        SetUp::DeleteFolder(menu_.StartFolder(kNewVersion), false);
    }
    void TearDown() override {
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
    }

    // The old version, installed by its own wizard.
    void InstallOldVersion(bool startClient = false) {
        InstallThroughStartPage(OldAcSetup(), startClient);
        ASSERT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), kOldVersion);
        ASSERT_EQ(SetUp::ReadInstalledValue("ComponentList"), AcComponentList());
        ASSERT_TRUE(SetUp::PathExists(menu_.StartFolder(kOldVersion)));
    }

    CWindow OpenUpgradePage() {
        setup_ = std::make_unique<CProgram>(WindowsPath(NewAcSetup()));
        EXPECT_TRUE(setup_->Started());
        const CWindow page = WaitForWindowWith(setup_->Id(), IDC_UPGRADE_DETAILS);
        EXPECT_TRUE(page) << "no upgrade page";
        if (page) {
            WaitInitialised(page);
        }
        return page;
    }

    // OK goes straight to the progress page, without a feature page, and the upgrade finishes.
    void UpgradeWithOk(const CWindow& page) {
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        const CWindow progress = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
        ASSERT_TRUE(progress) << "no progress page";
        WaitInitialised(progress);
        EXPECT_FALSE(progress.Control(IDC_PAGE_CANCEL).IsVisible())
            << "an upgrade offers no Cancel";
        FinishInstall(*setup_, false);
    }

    // The record and the Start menu belong to the new version now.
    void ExpectUpgraded() {
        EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), kNewVersion);
        EXPECT_EQ(SetUp::ReadInstalledValue("ComponentList"), AcComponentList());
        EXPECT_FALSE(SetUp::PathExists(menu_.StartFolder(kOldVersion)))
            << "the old version's Start-menu entries stayed";
        EXPECT_TRUE(SetUp::PathExists(menu_.StartFolder(kNewVersion)));
        EXPECT_TRUE(SetUp::PathExists(layout_.FrameworkExe(ComponentSide::Client)));
    }

    // OK shows this one-button message, and the page stays.
    void OkIsRefusedWith(const CWindow& page, const std::string& words) {
        ASSERT_TRUE(page.ClickControl(IDC_NEXT));
        const CWindow message = WaitForMessageWith(*setup_, words);
        ASSERT_TRUE(message) << "no message with " << words;
        ASSERT_TRUE(Answer(message, IDCANCEL));
        EXPECT_TRUE(page.IsVisible());
        EXPECT_FALSE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS, 0));
    }

    const CFolderLayout layout_{DefaultRoot()};
    const SetUp::CMenuAndDesk menu_{DefaultRoot(), CSetupConfig::Instance(),
                                    CTextTable::Instance()};
    std::unique_ptr<CProgram> setup_;
};

TEST_F(Upgrade, ByComponentListAfterTheRefusals) {
    InstallOldVersion(true);
    ASSERT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) != 0; }));
    const CWindow page = OpenUpgradePage();
    ASSERT_TRUE(page);
    EXPECT_EQ(page.ControlText(IDC_UPGRADE_GUIDE),
              Expected("Welcome to use Velmora V1.11.1.7 installation maintenance wizard.",
                       "欢迎使用 Velmora V1.11.1.7 安装维护程序"));
    EXPECT_EQ(page.ControlText(IDC_UPGRADE_DETAILS),
              Expected("The software will be upgraded from V1.10.0.5 to V1.11.1.7.",
                       "软件将由V1.10.0.5版本升级至V1.11.1.7版本"));
    EXPECT_EQ(page.ControlText(IDC_NEXT), Expected("OK", "确定"));
    SavePaintedScreenshot(page, "upgrade");

    const std::string closeClient =
        Expected("Please exit the Velmora client program first.", "请先退出Velmora客户端程序。");
    OkIsRefusedWith(page, closeClient);
    OkIsRefusedWith(page, closeClient);
    ASSERT_TRUE(SetUp::KillProcessByName(kClientExe));
    ASSERT_TRUE(WaitFor([] { return SetUp::FindProcessByName(kClientExe) == 0; }));
    {
        SetUp::CFileHandle manual(CreateFileA(layout_.UserManual().c_str(), GENERIC_READ, 0,
                                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                              nullptr));
        ASSERT_TRUE(manual) << layout_.UserManual();
        OkIsRefusedWith(page, Expected("Please exit the Velmora user manual first.",
                                       "请先退出Velmora用户手册。"));
    }

    UpgradeWithOk(page);
    ExpectUpgraded();
}

// An older installer that wrote no component list: the client's description file tells.
TEST_F(Upgrade, ByDescriptionFile) {
    InstallOldVersion();
    DeleteRecordValue("ComponentList");
    ASSERT_TRUE(
        SetUp::PathExists(layout_.ComponentsDir(ComponentSide::Client) + "ProductDescription.xml"));
    UpgradeWithOk(OpenUpgradePage());
    ExpectUpgraded();
}

// Neither list nor description file: AC installs its fixed features again.
TEST_F(Upgrade, BlindInstallsTheFixedFeatures) {
    InstallOldVersion();
    DeleteRecordValue("ComponentList");
    ASSERT_TRUE(DeleteFileA(
        (layout_.ComponentsDir(ComponentSide::Client) + "ProductDescription.xml").c_str()));
    UpgradeWithOk(OpenUpgradePage());
    ExpectUpgraded();
}

// Without list or description file, the editions with a feature page let the user choose
// again. The old FULL installer speaks English only: the English run takes FULL, the Chinese
// run VS.
TEST_F(Upgrade, BlindWithAFeaturePageChoosesAgain) {
    const bool full = !ChineseSystem();
    const ProductVariant variant = full ? ProductVariant::FULL : ProductVariant::VS;
    const CSetupConfig config = testbed::MakeConfig(variant, 1, full ? 0 : 1);
    const CFolderLayout folders(DefaultRoot(), config);
    const SetUp::CMenuAndDesk menu(DefaultRoot(), config, CTextTable::Instance());
    SetUp::DeleteFolder(folders.ProductDir(), false);
    SetUp::DeleteFolder(menu.StartFolder(kOldVersion), false);
    {
        CProgram old(WindowsPath(full ? SETUP_FULL_OLD_EXE : SETUP_VS_OLD_EXE));
        const CWindow features = WaitForFeaturePage(old);
        ASSERT_TRUE(features) << "no feature page";
        SetTicked(features, IDC_VIDEO_CHECK, true);
        ASSERT_TRUE(features.ClickControl(IDC_NEXT));
        KeepFoldersUntilProgress(old);
        FinishInstall(old, false);
    }
    ASSERT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), kOldVersion);
    ASSERT_TRUE(SetUp::PathExists(menu.StartFolder(kOldVersion)));
    DeleteRecordValue("ComponentList", variant);
    ASSERT_TRUE(DeleteFileA(
        (folders.ComponentsDir(ComponentSide::Client) + "ProductDescription.xml").c_str()));

    setup_ = std::make_unique<CProgram>(WindowsPath(full ? SETUP_FULL_EXE : SETUP_VS_EXE));
    const CWindow page = WaitForWindowWith(setup_->Id(), IDC_UPGRADE_DETAILS);
    ASSERT_TRUE(page) << "no upgrade page";
    WaitInitialised(page);
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow features = WaitForFeaturePage(*setup_);
    ASSERT_TRUE(features) << "no feature page after OK";
    // The product stays where it is.
    EXPECT_FALSE(features.Control(IDC_PATH_BOX).IsEnabled());
    SetTicked(features, IDC_VIDEO_CHECK, true);
    SetTicked(features, IDC_EMAP_CHECK, false);
    ASSERT_TRUE(features.ClickControl(IDC_NEXT));
    ASSERT_TRUE(WaitForWindowWith(setup_->Id(), IDC_PROGRESS)) << "no progress page";
    FinishInstall(*setup_, false);

    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), kNewVersion);
    const std::vector<int32_t> components =
        SetUp::DecodeComponentList(SetUp::ReadInstalledValue("ComponentList")).client;
    EXPECT_NE(std::find(components.begin(), components.end(), 1), components.end())
        << "Video was chosen";
    EXPECT_EQ(std::find(components.begin(), components.end(), 3), components.end())
        << "Emap was not chosen";
    EXPECT_FALSE(SetUp::PathExists(menu.StartFolder(kOldVersion)));
    EXPECT_TRUE(SetUp::PathExists(menu.StartFolder(kNewVersion)));
}

}  // namespace
