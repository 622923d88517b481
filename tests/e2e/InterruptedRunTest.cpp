// A run killed at work (Task Manager, a power loss) is found at the next start. Without a person
// the next run mends it; the wizard says so and opens the maintenance page with Repair chosen.
// Each case ends in a whole installation, the same as one that was never interrupted.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "QuietRuns.h"
#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "base/StringUtil.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;

namespace {

// What an installation consists of, as far as the next run and the product see it.
struct CInstallation {
    std::set<std::string> files;
    std::string version;
    std::string components;
    std::string mark;
};

CInstallation Observe(const std::string& productDir) {
    CInstallation seen;
    for (const std::string& file : testbed::ListTree(productDir, false)) {
        seen.files.insert(file);
    }
    seen.version = SetUp::ReadInstalledValue("DisplayVersion");
    seen.components = SetUp::ReadInstalledValue("ComponentList");
    seen.mark = SetUp::ReadInstalledValue(SetUp::kRunAtWorkValue);
    return seen;
}

void ExpectWhole(const CInstallation& seen, const CInstallation& whole) {
    EXPECT_EQ(seen.files, whole.files);
    EXPECT_EQ(seen.version, whole.version);
    EXPECT_EQ(seen.components, whole.components);
    EXPECT_EQ(seen.mark, "") << "the mark outlived a run that ended";
}

// The killed run's programs (7-Zip, a runtime installer and what they started) go on by
// themselves; the next run starts once they have ended, as after a power loss.
bool ProgramsOfTheRunEnded(DWORD setupId) {
    return WaitFor(
        [setupId] {
            HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            if (snapshot == INVALID_HANDLE_VALUE) {
                return false;
            }
            std::set<DWORD> family{setupId};
            bool grew = true;
            while (grew) {
                grew = false;
                PROCESSENTRY32 entry{};
                entry.dwSize = sizeof(entry);
                for (BOOL more = Process32First(snapshot, &entry); more;
                     more = Process32Next(snapshot, &entry)) {
                    if (family.count(entry.th32ParentProcessID) != 0 &&
                        family.insert(entry.th32ProcessID).second) {
                        grew = true;
                    }
                }
            }
            CloseHandle(snapshot);
            return family.size() == 1;
        },
        scenario::kQuietRunWait);
}

class InterruptedRun : public ::testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        root_ = testbed::MakeTempFolder("killed root");
        productDir_ = root_ + "\\Velmora AC";
        log_ = testbed::MakeTempFolder("killed logs") + "\\setup.log";
    }

    scenario::CQuietRun Quiet(const std::string& arguments) {
        const scenario::CQuietRun run = scenario::RunQuietly(SETUP_ZH_EXE, arguments, log_);
        EXPECT_FALSE(run.windowShown) << arguments;
        return run;
    }

    // A quiet install, killed once its log shows that the step has begun.
    void KillInstallAtStep(int step) {
        DeleteFileA(log_.c_str());
        CProgram setup(WindowsPath(SETUP_ZH_EXE),
                       "/quiet INSTALLDIR=\"" + root_ + "\" /log \"" + log_ + "\"");
        ASSERT_TRUE(setup.Started());
        const std::string begun = FormatString("step %d/", step);
        ASSERT_TRUE(
            WaitFor([&] { return scenario::ReadAll(log_).find(begun) != std::string::npos; },
                    scenario::kQuietRunWait))
            << "the install never began " << begun << scenario::ReadAll(log_);
        const DWORD id = setup.Id();
        ASSERT_TRUE(setup.Kill());
        ASSERT_TRUE(ProgramsOfTheRunEnded(id));
        EXPECT_EQ(scenario::LastLine(scenario::ReadAll(log_)).find("Setup ended"),
                  std::string::npos)
            << "a killed run writes no end";
    }

    // Removal with the user data: the machine as before the first install.
    void RemoveAll() {
        EXPECT_EQ(Quiet("/uninstall /quiet REMOVEDATA=1").exitCode, 0u);
        ASSERT_TRUE(SetUp::EnumerateInstalledVariants().empty());
        ASSERT_FALSE(SetUp::PathExists(productDir_ + "\\Velmora AC Client")) << "not removed";
    }

    // The installation an uninterrupted quiet run makes.
    CInstallation Whole() {
        EXPECT_EQ(Quiet("/quiet INSTALLDIR=\"" + root_ + "\"").exitCode, 0u);
        const CInstallation whole = Observe(productDir_);
        EXPECT_FALSE(whole.files.empty());
        return whole;
    }

    std::string root_;
    std::string productDir_;
    std::string log_;
};

}  // namespace

// Killed before the record (a fresh install follows), among the runtimes right after it, among
// the archives and at the Start menu: the next /quiet run ends with 0 and a whole installation.
TEST_F(InterruptedRun, EveryKilledInstallIsMadeWholeByTheNextQuietRun) {
    if (scenario::ChineseSystem()) {
        GTEST_SKIP() << "the quiet runs do not differ by language; the wizard case runs on both";
    }
    const CInstallation whole = Whole();
    RemoveAll();
    for (int step : {2, 5, 16, 22}) {
        SCOPED_TRACE("killed at step " + std::to_string(step));
        KillInstallAtStep(step);
        const scenario::CQuietRun next = Quiet("/quiet INSTALLDIR=\"" + root_ + "\"");
        EXPECT_EQ(next.exitCode, 0u) << next.log;
        ExpectWhole(Observe(productDir_), whole);
        RemoveAll();
    }
}

// The wizard after a killed install: the message, then the maintenance page with Repair chosen;
// the repair makes the installation whole.
TEST_F(InterruptedRun, TheWizardSaysSoAndProposesRepair) {
    const CInstallation whole = Whole();
    RemoveAll();
    KillInstallAtStep(15);
    ASSERT_FALSE(SetUp::ReadInstalledValue(SetUp::kRunAtWorkValue).empty()) << "no mark";

    CProgram setup(WindowsPath(SETUP_ZH_EXE), "/log \"" + log_ + "\"");
    ASSERT_TRUE(setup.Started());
    const CWindow message = scenario::WaitForMessageWith(
        setup, scenario::Expected("was interrupted before it was complete", "被中断"));
    ASSERT_TRUE(message) << "no message about the interrupted run";
    scenario::SavePaintedScreenshot(message, "interrupted-message");
    // Its one button, OK, carries the cancel id.
    ASSERT_TRUE(scenario::Answer(message, IDCANCEL));

    const CWindow page = WaitForWindowWith(setup.Id(), IDC_REPAIR_OPTION);
    ASSERT_TRUE(page) << "no maintenance page";
    scenario::WaitInitialised(page);
    EXPECT_TRUE(scenario::IsChecked(page.Control(IDC_REPAIR_OPTION))) << "Repair is not chosen";
    EXPECT_FALSE(scenario::IsChecked(page.Control(IDC_REMOVE_OPTION)));
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    scenario::FinishInstall(setup, false);
    ExpectWhole(Observe(productDir_), whole);
    EXPECT_NE(scenario::ReadAll(log_).find("the last run was interrupted"), std::string::npos);
}
