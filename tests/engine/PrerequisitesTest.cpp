#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "engine/InstallPlan.h"
#include "engine/Prerequisites.h"
#include "product/Catalogue.h"
#include "product/TextTable.h"
#include "registry/InstalledRecord.h"

using namespace SetUp;
using enginetest::Exists;
using enginetest::ReadAll;

namespace {

const char kWowUninstall[] =
    "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kPlainUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kPacked2008x64[] = "Installer\\Features\\09672F65AE6F653389A020AB735960EE";

void RemoveAllRuntimes() {
    for (const RuntimeText& row : kRuntimeProductCode) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kWowUninstall) + row.text).c_str());
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string(kPlainUninstall) + row.text).c_str());
    }
    RegDeleteTreeA(HKEY_CLASSES_ROOT, kPacked2008x64);
}

bool KeyOpens(HKEY root, const std::string& path) {
    CRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

void CreateKey(HKEY root, const std::string& path) {
    CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.Receive(),
                              nullptr),
              ERROR_SUCCESS);
}

struct StepRecord {
    std::vector<std::string> lines;
    int stepsDone = 0;
};

// The runtime steps of this machine's install plan, run as the engine's runner runs them: a
// cancel skips every step after it, and nothing counts once one is pending.
StepRecord RunStep(int cancelAfterLines = -1) {
    StepRecord record;
    CPlanInputs inputs;
    inputs.machineIs64Bit = IsNative64Bit();
    for (const CPlanStep& step : BuildPlan(inputs).steps) {
        if (step.kind != StepKind::InstallRuntime) {
            continue;
        }
        if (cancelAfterLines >= 0 && static_cast<int>(record.lines.size()) >= cancelAfterLines) {
            return record;
        }
        InstallRuntimeWithStatus(
            kRuntimeFileName[step.argument].key, CTextTable::Instance(),
            [&](const std::string& line) { record.lines.push_back(line); }, nullptr);
        record.stepsDone += step.weight;
    }
    return record;
}

std::vector<std::string> Lines(const char* textKey, const std::vector<const char*>& files) {
    std::vector<std::string> lines;
    for (const char* file : files) {
        lines.push_back(CTextTable::Instance().GetText(textKey) + std::string(file));
    }
    return lines;
}

const std::vector<const char*> kAllFiles = {
    "vcredist2008.exe",  "vcredist_x64_2008.exe", "vcredist_x86.exe",     "vcredist_x64_2013.exe",
    "vc_redist.x86.exe", "vc_redist.x64.exe",     "vcredist_x86_2010.exe"};

TEST(Runtimes, BareMachineInstallsAllSevenAndAPreparedOneNone) {
    RemoveAllRuntimes();
    for (const RuntimeText& row : kRuntimeFileName) {
        EXPECT_FALSE(IsRuntimeInstalled(row.key)) << row.text;
    }
    const StepRecord first = RunStep();
    EXPECT_EQ(first.lines, Lines("startInstall", kAllFiles));
    EXPECT_EQ(first.stepsDone, 1);
    for (const RuntimeText& row : kRuntimeFileName) {
        EXPECT_TRUE(IsRuntimeInstalled(row.key)) << row.text;
        EXPECT_TRUE(Exists(GetTempWorkDir() + row.text)) << row.text;
    }
    // The 2008 x64 runtime is found by its packed code among the Installer features.
    EXPECT_TRUE(KeyOpens(HKEY_CLASSES_ROOT, kPacked2008x64));
    EXPECT_TRUE(KeyOpens(HKEY_LOCAL_MACHINE,
                         std::string(kWowUninstall) + "{0f770e99-3916-4b0c-8f9b-83822826bcbf}"));

    const StepRecord second = RunStep();
    EXPECT_EQ(second.lines, Lines("installDone", kAllFiles));
    EXPECT_EQ(second.stepsDone, 1);
    EXPECT_EQ(InstallRuntime({2, 1}), 1);
}

TEST(Runtimes, SingleInstallRegistersOnlyItsOwnCode) {
    RemoveAllRuntimes();
    EXPECT_EQ(InstallRuntime({0, 1}), 0);
    EXPECT_TRUE(IsRuntimeInstalled({0, 1}));
    EXPECT_FALSE(IsRuntimeInstalled({0, 0}));
    EXPECT_EQ(InstallRuntime({0, 1}), 1);
}

TEST(Runtimes, CancelEndsTheStepWithoutCountingIt) {
    RemoveAllRuntimes();
    const StepRecord atOnce = RunStep(0);
    EXPECT_TRUE(atOnce.lines.empty());
    EXPECT_EQ(atOnce.stepsDone, 0);
    const StepRecord later = RunStep(2);
    EXPECT_EQ(later.lines, Lines("startInstall", {"vcredist2008.exe", "vcredist_x64_2008.exe"}));
    EXPECT_EQ(later.stepsDone, 0);
    EXPECT_FALSE(IsRuntimeInstalled({1, 0}));
}

TEST(Runtimes, A32BitMachineVisitsTheFourX86RuntimesUnderThePlainRoot) {
    RemoveAllRuntimes();
    CScopedNativeArchitecture x86(PROCESSOR_ARCHITECTURE_INTEL);
    CreateKey(HKEY_LOCAL_MACHINE, std::string(kPlainUninstall) + *RuntimeProductCode({0, 0}));
    CreateKey(HKEY_LOCAL_MACHINE, std::string(kWowUninstall) + *RuntimeProductCode({1, 0}));
    EXPECT_TRUE(IsRuntimeInstalled({0, 0}));
    EXPECT_FALSE(IsRuntimeInstalled({1, 0})) << "the Wow6432Node root is not looked at";

    const StepRecord record = RunStep();
    std::vector<std::string> expected = Lines("installDone", {"vcredist2008.exe"});
    for (const auto& line : Lines(
             "startInstall", {"vcredist_x86.exe", "vc_redist.x86.exe", "vcredist_x86_2010.exe"})) {
        expected.push_back(line);
    }
    EXPECT_EQ(record.lines, expected);
    EXPECT_EQ(record.stepsDone, 1);
}

class Companions : public ::testing::Test {
protected:
    void SetVersion(const char* version) {
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\MozillaPlugins\\Veskar");
        if (version != nullptr) {
            CRegKey key;
            ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\MozillaPlugins\\Veskar", 0,
                                      nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr),
                      ERROR_SUCCESS);
            RegSetValueExA(key.Get(), "CurrentVersion", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(version),
                           static_cast<DWORD>(strlen(version) + 1));
        }
    }
};

TEST_F(Companions, PellowanIsNeededBelow1_0_0_82) {
    const struct {
        const char* recorded;
        bool needed;
    } cases[] = {{"1.0.0.82", false},   {"1.0.1.0", false},  {"2", false}, {"1.0.0.81", true},
                 {"0.9.0.0", true},     {nullptr, true},     {"", true},   {"1.0", true},
                 {"1.0.0.82.5", false}, {"1.0.0.100", false}};
    for (const auto& c : cases) {
        SetVersion(c.recorded);
        EXPECT_EQ(IsPellowanNeeded(), c.needed) << (c.recorded ? c.recorded : "(absent)");
    }
    SetVersion(nullptr);
    InstallPellowan();
    EXPECT_EQ(ReadCompanionPluginVersion(), "1.0.0.82");
    EXPECT_FALSE(IsPellowanNeeded());
}

TEST_F(Companions, CaldryIsNeededUntilItsFolderExists) {
    ASSERT_FALSE(ProgramFilesX86Directory().empty());
    const std::string folder = ProgramFilesX86Directory() + "\\Caldry Components";
    DeleteFolder(folder, false);
    EXPECT_TRUE(IsCaldryNeeded());
    InstallCaldry();
    EXPECT_TRUE(enginetest::IsDirectory(folder));
    EXPECT_FALSE(IsCaldryNeeded());
}

// The old update server's uninstaller is played by the probe, which records its command line.
class UpdateServer : public ::testing::Test {
protected:
    void SetUp() override { Plant(Uninstaller()); }
    void TearDown() override { DeleteFolder(ProgramFilesX86Directory() + "\\tarn", false); }
    static std::string Uninstaller() {
        return ProgramFilesX86Directory() + "\\tarn\\update_server\\unins000.exe";
    }
    static void Plant(const std::string& uninstaller) {
        const std::string folder = uninstaller.substr(0, uninstaller.rfind('\\'));
        DeleteFolder(folder, false);
        testbed::WriteFile(folder + "\\placeholder", "");
        ASSERT_TRUE(
            CopyFileA((enginetest::OwnFolder() + "probe.exe").c_str(), uninstaller.c_str(), FALSE));
    }
    static bool Ran(const std::string& uninstaller = Uninstaller()) {
        return Exists(uninstaller + ".ran");
    }
};

TEST_F(UpdateServer, RunsSilentlyOnAWorkstationUnlessTheBrandTypeIs1) {
    ASSERT_TRUE(IsWorkstationWindows()) << "Wine reports Windows 10 workstation by default";
    EXPECT_EQ(RemoveUpdateServer(testbed::MakeConfig(ProductVariant::AC, 1)), 1);
    EXPECT_EQ(RemoveUpdateServer(CSetupConfig::Instance()), 1)
        << "the embedded configuration has brand type 1";
    EXPECT_FALSE(Ran());
    EXPECT_EQ(RemoveUpdateServer(testbed::MakeConfig(ProductVariant::AC, 0)), 0);
    ASSERT_TRUE(Ran());
    EXPECT_NE(ReadAll(Uninstaller() + ".ran").find("/verysilent"), std::string::npos);
}

// On a 32-bit Windows the folder of 32-bit programs is "Program Files"; a "C:\Program Files
// (x86)" there is one any user may have made, and nothing in it runs.
TEST_F(UpdateServer, OnA32BitWindowsALiteralProgramFilesX86IsNotLookedAt) {
    const std::string literal = std::string(1, SystemDriveLetter()) +
                                ":\\Program Files (x86)\\tarn\\update_server\\unins000.exe";
    if (Uninstaller() == literal) {
        GTEST_SKIP() << "a 64-bit Windows: the literal folder is the system's";
    }
    Plant(literal);
    EXPECT_EQ(RemoveUpdateServer(testbed::MakeConfig(ProductVariant::AC, 0)), 0);
    EXPECT_TRUE(Ran());
    EXPECT_FALSE(Ran(literal));
    DeleteFolder(std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)\\tarn", false);
}

// Wine reads the Windows version it reports when a process starts, so the other versions are
// checked in a child run of this program in which the prefix names that version.
const char kChildExpectation[] = "SETUP_TEST_WORKSTATION_EXPECTED";

DWORD RunChildUnder(const char* wineVersion, bool workstationExpected) {
    CRegKey wine;
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, nullptr, 0, KEY_WRITE,
                              nullptr, wine.Receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(wine.Get(), "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                   static_cast<DWORD>(strlen(wineVersion) + 1));
    SetEnvironmentVariableA(kChildExpectation, workstationExpected ? "1" : "0");
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string line = std::string("\"") + self + "\" --gtest_filter=UpdateServer.ChildRun";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    DWORD code = 99;
    if (CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        CHandle child(info.hProcess);
        EXPECT_EQ(WaitForSingleObject(child.Get(), 60000), static_cast<DWORD>(WAIT_OBJECT_0));
        GetExitCodeProcess(child.Get(), &code);
    }
    SetEnvironmentVariableA(kChildExpectation, nullptr);
    RegDeleteValueA(wine.Get(), "Version");
    return code;
}

TEST_F(UpdateServer, ChildRun) {
    const char* expected = std::getenv(kChildExpectation);
    if (expected == nullptr) {
        GTEST_SKIP() << "runs only as the child of the Windows-version cases";
    }
    const bool workstation = std::string(expected) == "1";
    EXPECT_EQ(IsWorkstationWindows(), workstation);
    EXPECT_EQ(RemoveUpdateServer(testbed::MakeConfig(ProductVariant::AC, 0)), workstation ? 0 : 1);
    EXPECT_EQ(Ran(), workstation);
}

TEST(WindowsEdition, ServerEditionsAndOlderVersionsSkipTheRemoval) {
    EXPECT_EQ(RunChildUnder("win2008", false), 0u) << "server 6.0";
    EXPECT_EQ(RunChildUnder("vista", true), 0u) << "workstation 6.0";
    EXPECT_EQ(RunChildUnder("winxp64", false), 0u) << "workstation 5.2";
    EXPECT_EQ(RunChildUnder("win2003", false), 0u) << "server 5.2";
}

}  // namespace
