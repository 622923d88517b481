// The real setup programs run by a deployment tool: /quiet installs, repairs, changes and removes
// without ever showing a window, ends with the exit codes the tools map, and writes a log whose
// last line says how it ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "QuietRuns.h"
#include "ScenarioSupport.h"
#include "WizardSteps.h"
#include "base/FileSystem.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;

namespace {

using scenario::CQuietRun;
using scenario::LastLine;
using scenario::RunQuietly;

constexpr DWORD kInstallWait = scenario::kQuietRunWait;

std::string Installed(const char* name) {
    return SetUp::ReadInstalledValue(name);
}

class Unattended : public ::testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        root_ = testbed::MakeTempFolder("quiet root");
        log_ = testbed::MakeTempFolder("quiet logs") + "\\setup run.log";
    }
    CQuietRun Quiet(const char* program, const std::string& arguments) {
        const CQuietRun run = RunQuietly(program, arguments, log_);
        EXPECT_FALSE(run.windowShown) << arguments;
        EXPECT_TRUE(run.exitCode.has_value()) << arguments;
        return run;
    }
    std::string root_;
    std::string log_;
};

}  // namespace

// AC, installed into a chosen folder, run again (nothing to do), repaired, then removed twice
// with the user data kept: the codes and the machine after each.
TEST_F(Unattended, AcInstallsRunsAgainRepairsAndRemoves) {
    const size_t workFolders = scenario::WorkingFolders().size();
    CQuietRun run = Quiet(SETUP_EXE, "/quiet INSTALLDIR=\"" + root_ + "\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(LastLine(run.log).find("Setup ended with exit code 0."), std::string::npos);
    EXPECT_NE(run.log.find("fresh install: completed"), std::string::npos);
    EXPECT_EQ(run.log.substr(0, 3), "\xEF\xBB\xBF") << "UTF-8";
    EXPECT_EQ(Installed("DisplayVersion"), "1.11.1.7");
    EXPECT_EQ(Installed("InstallLocation"), root_);
    const std::string client = root_ + "\\Velmora AC\\Velmora AC Client\\Client";
    EXPECT_TRUE(SetUp::PathExists(client + "\\Velmora.Framework.C.exe"));
    EXPECT_EQ(Installed("ComponentList"), "0#4#2#12#101#106#103#112#5#6#107#108#8#110");
    EXPECT_EQ(scenario::WorkingFolders().size(), workFolders) << "the working folder went";

    // A start-up script runs the same command at every boot: nothing happens.
    const std::string installDate = Installed("InstallDate");
    DeleteFileA((client + "\\Velmora.Framework.C.exe").c_str());
    run = Quiet(SETUP_EXE, "/quiet INSTALLDIR=\"" + root_ + "\"");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.log.find("nothing to do"), std::string::npos);
    EXPECT_FALSE(SetUp::PathExists(client + "\\Velmora.Framework.C.exe")) << "nothing touched";

    run = Quiet(SETUP_EXE, "/repair /quiet");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_NE(run.log.find("repair: completed"), std::string::npos);
    EXPECT_TRUE(SetUp::PathExists(client + "\\Velmora.Framework.C.exe")) << "repaired";

    const std::string userData = root_ + "\\Velmora AC\\UserData\\db.sqlite";
    testbed::WriteFile(userData, "data");
    run = Quiet(SETUP_EXE, "/x /s REMOVEDATA=0");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_FALSE(SetUp::PathExists(client));
    EXPECT_TRUE(SetUp::PathExists(userData)) << "REMOVEDATA=0 keeps the user data";
    EXPECT_NE(run.log.find("keep it"), std::string::npos);

    run = Quiet(SETUP_EXE, "/uninstall /quiet");
    EXPECT_EQ(run.exitCode, 1605u);
    EXPECT_NE(LastLine(run.log).find("Setup ended with exit code 1605."), std::string::npos);
}

// FULL chooses its features by key, changes them, and goes with its user data.
TEST_F(Unattended, FullChoosesChangesAndRemovesWithItsData) {
    CQuietRun run =
        Quiet(SETUP_FULL_EXE, "/quiet ADDLOCAL=Video,Emap INSTALLDIR=\"" + root_ + "\"");
    ASSERT_EQ(run.exitCode, 0u) << run.log;
    const SetUp::InstalledComponents installed = SetUp::ReadInstalledComponents();
    auto has = [](const SetUp::InstalledComponents& record, int32_t component) {
        return std::find(record.client.begin(), record.client.end(), component) !=
               record.client.end();
    };
    EXPECT_TRUE(has(installed, 1)) << "Video";
    EXPECT_TRUE(has(installed, 3)) << "Emap";
    EXPECT_FALSE(has(installed, 5)) << "Access Control was not asked for";

    run = Quiet(SETUP_FULL_EXE, "/modify /quiet REMOVE=Video");
    EXPECT_EQ(run.exitCode, 0u) << run.log;
    const SetUp::InstalledComponents changed = SetUp::ReadInstalledComponents();
    EXPECT_FALSE(has(changed, 1)) << "Video removed";
    EXPECT_TRUE(has(changed, 3)) << "Emap kept";

    // The wizard's rule holds without a person: Attendance brings Access Control along.
    run = Quiet(SETUP_FULL_EXE, "/modify /quiet ADDLOCAL=Attendance");
    EXPECT_EQ(run.exitCode, 0u) << run.log;
    const SetUp::InstalledComponents added = SetUp::ReadInstalledComponents();
    EXPECT_TRUE(has(added, 8)) << "Attendance";
    EXPECT_TRUE(has(added, 5)) << "Access Control, which Attendance needs";

    const std::string userData = root_ + "\\Velmora Site\\UserData\\db.sqlite";
    testbed::WriteFile(userData, "data");
    run = Quiet(SETUP_FULL_EXE, "/quiet /uninstall REMOVEDATA=1");
    EXPECT_EQ(run.exitCode, 0u);
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_FALSE(SetUp::PathExists(userData)) << "REMOVEDATA=1 deletes the user data";
}

// What cannot go on ends with its code and changes nothing.
TEST_F(Unattended, RefusalsAndBadLinesChangeNothing) {
    for (const char* arguments :
         {"/quiet /bogus", "/quiet ADDLOCAL=NoSuchFeature", "/quiet INSTALLDIR=\"C:\\a*b\"",
          "/quiet REMOVEDATA=2", "/quiet /repair /x", "/quiet /log"}) {
        SCOPED_TRACE(arguments);
        const CQuietRun run = Quiet(SETUP_EXE, arguments);
        EXPECT_EQ(run.exitCode, 1639u);
        EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    }
    // A place the install cannot protect (R: is removable, cmake/wine-run.sh): 1603, nothing
    // written, and the log says why.
    const CQuietRun removable = Quiet(SETUP_EXE, "/quiet INSTALLDIR=\"R:\\VMS\"");
    EXPECT_EQ(removable.exitCode, 1603u);
    EXPECT_NE(removable.log.find("not a fixed drive that keeps access lists: R:\\VMS"),
              std::string::npos)
        << removable.log;
    EXPECT_FALSE(SetUp::PathExists("R:\\VMS"));
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_EQ(Quiet(SETUP_EXE, "/quiet /repair").exitCode, 1605u);
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"},
                                               {"DisplayVersion", "9.0.0.0"},
                                               {"LanguageType", "E"},
                                               {"InstallLocation", root_}});
    const CQuietRun newer = Quiet(SETUP_EXE, "/quiet");
    EXPECT_EQ(newer.exitCode, 1638u);
    EXPECT_EQ(Installed("DisplayVersion"), "9.0.0.0");
    EXPECT_NE(LastLine(newer.log).find("Setup ended with exit code 1638."), std::string::npos);
}

// A repair that cannot put a file back (a program holds it): without a person it ends with 1603
// and the log names the step; in the wizard it ends on the failed page, which names the step and
// the log, and the run ends with 1603, not as a completed installation.
TEST_F(Unattended, AFailedRepairIsReportedWithAndWithoutThePages) {
    ASSERT_EQ(Quiet(SETUP_ZH_EXE, "/quiet INSTALLDIR=\"" + root_ + "\"").exitCode, 0u);
    const std::string held =
        root_ + "\\Velmora AC\\Velmora AC Client\\Client\\Velmora.Framework.C.exe";
    HANDLE file = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);

    const CQuietRun run = Quiet(SETUP_ZH_EXE, "/repair /quiet");
    EXPECT_EQ(run.exitCode, 1603u);
    EXPECT_NE(run.log.find("failed at \"install feature 0 BasicConfiguration"), std::string::npos)
        << run.log;
    EXPECT_NE(LastLine(run.log).find("Setup ended with exit code 1603."), std::string::npos);
    EXPECT_FALSE(SetUp::EnumerateInstalledVariants().empty()) << "a failed repair keeps the record";

    CProgram setup(WindowsPath(SETUP_ZH_EXE), "/log \"" + log_ + "\"");
    ASSERT_TRUE(setup.Started());
    const CWindow maintenance = WaitForWindowWith(setup.Id(), IDC_REPAIR_OPTION);
    ASSERT_TRUE(maintenance);
    ASSERT_TRUE(maintenance.ClickControl(IDC_REPAIR_OPTION));
    ASSERT_TRUE(scenario::WaitPostedHandled(maintenance.Control(IDC_NEXT)));
    ASSERT_TRUE(maintenance.ClickControl(IDC_NEXT));
    const CWindow failed = WaitForWindowWith(setup.Id(), IDC_RESULT_MARK, kInstallWait);
    ASSERT_TRUE(failed) << "no failed page";
    EXPECT_EQ(failed.ControlText(IDC_ACCEPT_TEXT),
              scenario::Expected("Installation failed", "安装失败！"));
    const std::string details = failed.ControlText(IDC_DETAILS_TEXT);
    EXPECT_NE(details.find("install feature 0 BasicConfiguration"), std::string::npos) << details;
    EXPECT_NE(details.find(log_), std::string::npos) << details;
    scenario::SaveScreenshot(failed, "install-failed");
    ASSERT_TRUE(failed.ClickControl(IDC_PAGE_CANCEL));
    EXPECT_EQ(setup.WaitExit(kInstallWait), 1603u);
    CloseHandle(file);
}

namespace {

// Runs the program to its end; every window it shows must be a progress page without Cancel.
// Returns the exit code; *pages counts the progress pages seen.
std::optional<DWORD> RunPassively(const char* program, const std::string& arguments,
                                  const std::string& screenshot, int* pages) {
    CProgram setup(WindowsPath(program), arguments);
    EXPECT_TRUE(setup.Started());
    HWND lastPage = nullptr;
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kInstallWait) {
        for (HWND window : TopWindows(setup.Id())) {
            const CWindow page(window);
            if (!page.Control(IDC_PROGRESS)) {
                ADD_FAILURE() << "a window other than the progress page: " << page.Text();
                continue;
            }
            scenario::WaitInitialised(page);
            EXPECT_FALSE(page.Control(IDC_PAGE_CANCEL).IsVisible()) << "Cancel on a passive run";
            EXPECT_FALSE(page.Control(IDC_CLOSE).IsEnabled());
            if (window != lastPage) {
                lastPage = window;
                ++*pages;
                if (*pages == 1) {
                    scenario::SaveScreenshot(page, screenshot);
                }
            }
        }
        if (const auto code = setup.WaitExit(50)) {
            return code;
        }
    }
    return std::nullopt;
}

}  // namespace

// /passive: the progress page alone, for the install and the removal, without Cancel and without
// any question; the same codes and the same log as /quiet.
TEST_F(Unattended, PassiveShowsTheProgressPageAlone) {
    // A folder that is not empty would be a question in the wizard.
    testbed::WriteFile(root_ + "\\Velmora AC\\kept.txt", "kept");
    int pages = 0;
    EXPECT_EQ(
        RunPassively(SETUP_ZH_EXE, "/passive INSTALLDIR=\"" + root_ + "\" /log \"" + log_ + "\"",
                     "passive-install", &pages),
        0u);
    EXPECT_GE(pages, 1) << "no progress page";
    std::string log = scenario::ReadAll(log_);
    EXPECT_NE(log.find("answered without a person: keep its contents"), std::string::npos) << log;
    EXPECT_NE(LastLine(log).find("Setup ended with exit code 0."), std::string::npos);
    EXPECT_EQ(Installed("DisplayVersion"), "1.11.1.7");
    EXPECT_TRUE(SetUp::PathExists(root_ + "\\Velmora AC\\kept.txt"));

    const std::string userData = root_ + "\\Velmora AC\\UserData\\db.sqlite";
    testbed::WriteFile(userData, "data");
    pages = 0;
    EXPECT_EQ(
        RunPassively(SETUP_ZH_EXE, "/x /passive /log \"" + log_ + "\"", "passive-removal", &pages),
        0u);
    EXPECT_GE(pages, 1) << "no removal progress page";
    log = scenario::ReadAll(log_);
    EXPECT_NE(log.find("answered without a person: keep it"), std::string::npos) << log;
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    EXPECT_TRUE(SetUp::PathExists(userData)) << "the user data is kept";
}

// Another copy at work (any run of any edition holds the same name): a run without a person
// ends with 1618 and changes nothing.
TEST_F(Unattended, AnotherCopyAtWorkEndsWith1618) {
    HANDLE atWork = CreateMutexA(nullptr, FALSE, "Global\\SetupClientAndServer.AtWork");
    ASSERT_NE(atWork, nullptr);
    const CQuietRun run = Quiet(SETUP_EXE, "/quiet INSTALLDIR=\"" + root_ + "\"");
    EXPECT_EQ(run.exitCode, 1618u);
    EXPECT_NE(run.log.find("another copy of setup is at work"), std::string::npos) << run.log;
    EXPECT_TRUE(SetUp::EnumerateInstalledVariants().empty());
    CloseHandle(atWork);
}

// A /log that cannot be written does not fail the run: the log goes to the Windows folder's Temp
// and says why.
TEST_F(Unattended, AnUnwritableLogFallsBackToTheWindowsTemp) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string temp = std::string(windows) + "\\Temp\\";
    auto logs = [&temp] {
        std::vector<std::string> names;
        WIN32_FIND_DATAA entry{};
        HANDLE find = FindFirstFileA((temp + "Velmora AC setup *.log").c_str(), &entry);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                names.push_back(entry.cFileName);
            } while (FindNextFileA(find, &entry));
            FindClose(find);
        }
        return names;
    };
    const std::vector<std::string> before = logs();
    const std::string missing = root_ + "\\no such folder\\setup.log";
    const CQuietRun run = RunQuietly(SETUP_EXE, "/quiet /repair", missing);
    EXPECT_FALSE(run.windowShown);
    EXPECT_EQ(run.exitCode, 1605u);
    std::string fallback;
    for (const std::string& name : logs()) {
        if (std::find(before.begin(), before.end(), name) == before.end()) {
            fallback = scenario::ReadAll(temp + name);
        }
    }
    ASSERT_FALSE(fallback.empty()) << "no new log in " << temp;
    EXPECT_NE(fallback.find("could not write the log at " + missing), std::string::npos)
        << fallback;
    EXPECT_NE(LastLine(fallback).find("Setup ended with exit code 1605."), std::string::npos);
}
