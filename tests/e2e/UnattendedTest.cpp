// The real setup programs run by a deployment tool: /quiet installs, repairs, changes and removes
// without ever showing a window, ends with the exit codes the tools map, and writes a log whose
// last line says how it ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "ScenarioSupport.h"
#include "base/FileSystem.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"
#include "product/ResourceIds.h"
#include "registry/InstalledRecord.h"

using namespace uidriver;

namespace {

constexpr DWORD kInstallWait = 5 * 60 * 1000;

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

struct CQuietRun {
    std::optional<DWORD> exitCode;
    bool windowShown = false;
    std::string log;
};

// Runs the program to its end, watching that it never shows a window of its own.
CQuietRun RunQuietly(const char* program, const std::string& arguments, const std::string& log) {
    DeleteFileA(log.c_str());
    CQuietRun run;
    CProgram setup(WindowsPath(program), arguments + " /log \"" + log + "\"");
    EXPECT_TRUE(setup.Started());
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kInstallWait) {
        if (!TopWindows(setup.Id()).empty()) {
            run.windowShown = true;
        }
        run.exitCode = setup.WaitExit(50);
        if (run.exitCode) {
            break;
        }
    }
    run.log = ReadAll(log);
    return run;
}

std::string LastLine(const std::string& log) {
    std::string text = log;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
        text.pop_back();
    }
    return text.substr(text.find_last_of('\n') + 1);
}

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
