// Every way a run of the real setup programs ends, and the system's close command (Alt+F4) on
// every kind of page: the process ends with code 0 and leaves no working folder behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "engine/ProcessControl.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;
using scenario::Expected;
using scenario::kClientExe;
using scenario::kDetectorKey;
using scenario::kInstallWait;
using scenario::kServerExe;
using scenario::SetDetectorResult;
using scenario::WaitForMessageWith;
using scenario::WaitInitialised;

namespace {

// What Alt+F4 sends: the window menu's Close.
void PressAltF4(const CWindow& window) {
    PostMessageA(window.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
}

std::map<std::string, std::string> Record(const std::string& version) {
    return {{"DisplayName", "Velmora"}, {"DisplayVersion", version}, {"LanguageType", "E"}};
}

class EndOfRun : public testing::Test {
protected:
    void SetUp() override {
        scenario::RemoveTheProduct(layout_);
        before_ = scenario::WorkingFolders();
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
        SetUp::KillProcessByName(kClientExe);
        SetUp::KillProcessByName(kServerExe);
        testbed::RemoveAllRecords();
    }

    // Starts the program and waits for the window with the control; the program has made its
    // working folder by then.
    CWindow Open(const char* program, int control) {
        setup_ = std::make_unique<CProgram>(WindowsPath(program));
        EXPECT_TRUE(setup_->Started());
        const CWindow page = WaitForWindowWith(setup_->Id(), control);
        EXPECT_TRUE(page) << "no window with control " << control;
        if (page) {
            WaitInitialised(page);
            EXPECT_GT(scenario::WorkingFolders().size(), before_.size()) << "no working folder";
        }
        return page;
    }

    // The program ends with code 0 and takes its working folder with it.
    void ExpectEnded(DWORD timeoutMs = kDefaultWait) {
        EXPECT_EQ(setup_->WaitExit(timeoutMs), 0u);
        EXPECT_EQ(scenario::WorkingFolders(), before_) << "the working folder stayed";
    }

    // Alt+F4 asks the cancel question: Cancel keeps the page, OK ends the run.
    void ExpectAltF4Asks(const CWindow& page) {
        PressAltF4(page);
        const CWindow question = WaitForMessageWith(*setup_, "");
        ASSERT_TRUE(question) << "Alt+F4 asked nothing";
        EXPECT_TRUE(question.Control(IDOK)) << "not the cancel question";
        ASSERT_TRUE(scenario::Answer(question, IDCANCEL));
        EXPECT_TRUE(page.IsVisible()) << "Cancel left the page";
        EXPECT_FALSE(setup_->WaitExit(0).has_value());
        PressAltF4(page);
        ASSERT_TRUE(scenario::Answer(WaitForMessageWith(*setup_, ""), IDOK));
        ExpectEnded();
    }

    const CFolderLayout layout_{scenario::DefaultRoot()};
    std::vector<std::string> before_;
    std::unique_ptr<CProgram> setup_;
};

}  // namespace

TEST_F(EndOfRun, AltF4OnTheStartInstallPageAsks) {
    ExpectAltF4Asks(Open(SETUP_EXE, IDC_PATH_BOX));
}

TEST_F(EndOfRun, AltF4OnTheStartPageAsks) {
    ExpectAltF4Asks(Open(SETUP_FULL0_EXE, IDC_LICENSE_LINK));
}

TEST_F(EndOfRun, AltF4OnTheFeaturePageAsksAndEscapeEndsAtOnce) {
    ExpectAltF4Asks(Open(SETUP_FULL_EXE, IDC_FEATURE_STRIP));
    before_ = scenario::WorkingFolders();
    const CWindow page = Open(SETUP_FULL_EXE, IDC_FEATURE_STRIP);
    page.PressKey(VK_ESCAPE);
    ExpectEnded();
}

TEST_F(EndOfRun, AltF4OnTheMaintenancePageAsks) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.11.1.7"));
    ExpectAltF4Asks(Open(SETUP_EXE, IDC_REMOVE_OPTION));
}

TEST_F(EndOfRun, AltF4OnTheUpgradePageAsks) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.10.0.5"));
    ExpectAltF4Asks(Open(SETUP_EXE, IDC_UPGRADE_DETAILS));
}

TEST_F(EndOfRun, AltF4OnARefusalClosesIt) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.12.0.0"));
    const CWindow message = Open(SETUP_EXE, IDC_TIP_TITLE);
    PressAltF4(message);
    ExpectEnded();
}

TEST_F(EndOfRun, SecondCopyCheck) {
    const CWindow page = Open(SETUP_EXE, IDC_PATH_BOX);
    // Another installer wrote the record after this one started.
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"},
                                               {"DisplayVersion", "1.11.1.7"},
                                               {"InstallLocation", "C:\\Elsewhere"}});
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    const CWindow message = WaitForMessageWith(*setup_, "another instance running");
    ASSERT_TRUE(message);
    ASSERT_TRUE(scenario::Answer(message, IDCANCEL));
    ExpectEnded();
}

// Alt+F4 on the progress page is its Cancel: the question, then the roll-back and the stopped
// page, whose Alt+F4 ends the run. Nothing of the install stays, nor the working folder.
TEST_F(EndOfRun, AltF4CancelsTheInstallAndClosesTheStoppedPage) {
    // The driver step asks its question on the worker and waits: the install cannot end
    // meanwhile.
    SetDetectorResult("A.exe;B.exe");
    const CWindow page = Open(SETUP_EXE, IDC_PATH_BOX);
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    scenario::KeepFoldersUntilProgress(*setup_);
    const CWindow progress = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    ASSERT_TRUE(progress);
    const CWindow driver = WaitForMessageWith(*setup_, "A.exe", kInstallWait);
    ASSERT_TRUE(driver) << "no driver question";

    PressAltF4(progress);
    const CWindow cancel = WaitForMessageWith(*setup_, "Confirm to cancel installation");
    ASSERT_TRUE(cancel) << "Alt+F4 did not ask to cancel";
    ASSERT_TRUE(scenario::Answer(cancel, IDCANCEL));
    EXPECT_TRUE(progress.IsVisible()) << "Alt+F4 ended the install";
    PressAltF4(progress);
    ASSERT_TRUE(
        scenario::Answer(WaitForMessageWith(*setup_, "Confirm to cancel installation"), IDOK));
    SetDetectorResult("success");
    ASSERT_TRUE(scenario::Answer(driver, IDCANCEL));

    const CWindow stopped = WaitForWindowWith(setup_->Id(), IDC_DETAILS_TEXT, kInstallWait);
    ASSERT_TRUE(stopped) << "no stopped page";
    WaitInitialised(stopped);
    PressAltF4(stopped);
    ExpectEnded(kInstallWait);
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty()) << "the record stayed";
    EXPECT_FALSE(SetUp::PathExists(layout_.InstallationDir()));
}

// Finish, then the removal: Alt+F4 does nothing while the removal runs, and closes the removal
// finished page.
TEST_F(EndOfRun, FinishThenRemovalFinished) {
    const CWindow page = Open(SETUP_EXE, IDC_PATH_BOX);
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    scenario::KeepFoldersUntilProgress(*setup_);
    scenario::FinishInstall(*setup_, false);
    ExpectEnded();

    const CWindow maintenance = Open(SETUP_EXE, IDC_REMOVE_OPTION);
    ASSERT_TRUE(maintenance.ClickControl(IDC_NEXT));
    ASSERT_TRUE(
        scenario::Answer(WaitForMessageWith(*setup_, "Confirm to completely remove"), IDOK));
    // The progress bar: the maintenance page has a label with the removal page's label id.
    const CWindow removing = WaitForWindowWith(setup_->Id(), IDC_PROGRESS);
    ASSERT_TRUE(removing) << "no removal page";
    WaitInitialised(removing);
    // The close button is disabled while the removal runs: Alt+F4 neither asks nor ends the
    // page, which goes on to its question about the user data.
    ASSERT_FALSE(removing.Control(IDC_CLOSE).IsEnabled());
    PressAltF4(removing);
    const CWindow userData =
        WaitForMessageWith(*setup_, "Clear all the remaining database", kInstallWait);
    ASSERT_TRUE(userData) << "no question about the user data";
    EXPECT_FALSE(WaitForMessageWith(*setup_, "cancel", 0)) << "Alt+F4 asked";
    EXPECT_TRUE(removing.IsVisible()) << "Alt+F4 ended the removal page";
    ASSERT_TRUE(scenario::Answer(userData, IDOK));
    // html stays by design: the finished page warns once.
    ASSERT_TRUE(scenario::Answer(
        WaitForMessageWith(*setup_, "Clearing the installation directory failed", kInstallWait),
        IDCANCEL));
    const CWindow finished = WaitForWindowWith(setup_->Id(), IDC_RESULT_TEXT);
    ASSERT_TRUE(finished) << "no removal finished page";
    WaitInitialised(finished);
    PressAltF4(finished);
    ExpectEnded();
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty()) << "the record stayed";
}
