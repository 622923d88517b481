#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "TempFolderScope.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/NpfDriver.h"

namespace {

const char kBenchKey[] = "Software\\SetupTestBench\\NpfDetectApp";

// Steers the stand-in detector: "Result<n>" for its n-th run, "Result" otherwise.
void SetResult(const std::string& name, const std::string& text) {
    SetUp::CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kBenchKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              key.Receive(), nullptr),
              ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key.Get(), name.c_str(), 0, REG_SZ,
                             reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>(text.size() + 1)),
              ERROR_SUCCESS);
}

DWORD DetectorRuns() {
    DWORD runs = 0;
    DWORD size = sizeof(runs);
    RegGetValueA(HKEY_CURRENT_USER, kBenchKey, "Runs", RRF_RT_REG_DWORD, nullptr, &runs, &size);
    return runs;
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Records each question and answers from a script (false once the script is used up).
struct ScriptedUser {
    std::vector<bool> answers;
    std::vector<std::pair<int32_t, std::string>> asked;

    SetUp::DriverQuestion Question() {
        return [this](MessageKind kind, const std::string& name) {
            asked.emplace_back(static_cast<int32_t>(kind), name);
            return asked.size() <= answers.size() && answers[asked.size() - 1];
        };
    }
};

class NpfDriver : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
        // The embedded configuration: edition AC of Velmora.
        root_ = testbed::MakeTempFolder("npf");
        drivers_ = root_ + "\\Velmora AC\\Drivers";
        ASSERT_TRUE(CreateDirectoryA((root_ + "\\Velmora AC").c_str(), nullptr));
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey); }

    std::vector<std::pair<int32_t, std::string>> Run(const std::vector<bool>& answers) {
        ScriptedUser user{answers, {}};
        SetUp::InstallNpfDriver(root_, CSetupConfig::Instance(), user.Question());
        return user.asked;
    }

    std::string root_;
    std::string drivers_;
};

using Asked = std::vector<std::pair<int32_t, std::string>>;

TEST_F(NpfDriver, SuccessRunsTheDetectorOnce) {
    SetResult("Result", "success");
    EXPECT_EQ(Run({}), Asked{});
    EXPECT_EQ(DetectorRuns(), 1u);
    EXPECT_TRUE(Exists(drivers_ + "\\NpfDetectApp.exe"));
    EXPECT_EQ(SetUp::ReadNpfOccupancy(root_, CSetupConfig::Instance()), "success");
}

TEST_F(NpfDriver, NoProcessRunsItOnceMoreWithoutAsking) {
    SetResult("Result1", "no process");
    SetResult("Result", "A.exe");
    EXPECT_EQ(Run({}), Asked{});
    EXPECT_EQ(DetectorRuns(), 2u);
}

TEST_F(NpfDriver, HeldDriverAsksForTheFirstProgramAndRetriesOnOk) {
    SetResult("Result1", "A.exe;B.exe");
    SetResult("Result2", ";;C.exe");
    SetResult("Result", "success");
    EXPECT_EQ(Run({true, true}), (Asked{{17, "A.exe"}, {17, "C.exe"}}));
    EXPECT_EQ(DetectorRuns(), 3u);
}

TEST_F(NpfDriver, CancelEndsTheRetries) {
    SetResult("Result", "A.exe;B.exe");
    EXPECT_EQ(Run({false}), (Asked{{17, "A.exe"}}));
    EXPECT_EQ(DetectorRuns(), 1u);
}

TEST_F(NpfDriver, MissingReportAsksWithAnEmptyName) {
    SetResult("Result", "<no report>");
    EXPECT_EQ(Run({true, false}), (Asked{{17, ""}, {17, ""}}));
    EXPECT_EQ(DetectorRuns(), 2u);
}

// A detector that cannot start leaves no report, never an earlier one: the user is asked.
TEST_F(NpfDriver, DetectorThatCannotStartLeavesNoStaleSuccess) {
    testbed::WriteFile(drivers_ + "\\NpfOccupy.xml", "<NpfApp><result>success</result></NpfApp>");
    // A folder in the detector's place: neither unpacking nor starting can replace it.
    testbed::WriteFile(drivers_ + "\\NpfDetectApp.exe\\keep", "keep");
    SetResult("Result", "A.exe");
    EXPECT_EQ(Run({false}), (Asked{{17, ""}}));
    EXPECT_EQ(DetectorRuns(), 0u);
}

TEST_F(NpfDriver, CapitalSuccessCountsAsHeld) {
    SetResult("Result", "Success");
    EXPECT_EQ(Run({false}), (Asked{{17, "Success"}}));
}

TEST_F(NpfDriver, InstalledQuestionIsUsed) {
    SetResult("Result1", "X.exe");
    SetResult("Result", "success");
    ScriptedUser user{{true}, {}};
    SetUp::SetDriverQuestion(user.Question());
    SetUp::InstallNpfDriver(root_, CSetupConfig::Instance(), SetUp::GetDriverQuestion());
    SetUp::SetDriverQuestion(nullptr);
    EXPECT_EQ(user.asked, (Asked{{17, "X.exe"}}));
    EXPECT_EQ(DetectorRuns(), 2u);

    // Without a question the step goes on as if declined.
    RegDeleteTreeA(HKEY_CURRENT_USER, kBenchKey);
    SetResult("Result", "X.exe");
    SetUp::InstallNpfDriver(root_, CSetupConfig::Instance(), SetUp::GetDriverQuestion());
    EXPECT_EQ(DetectorRuns(), 1u);
}

TEST_F(NpfDriver, DriversFolderIsCreatedBeforeUnpackingAndBeforeReading) {
    EXPECT_EQ(SetUp::ReadNpfOccupancy(root_, CSetupConfig::Instance()), "");
    EXPECT_TRUE(Exists(drivers_));
    ASSERT_TRUE(RemoveDirectoryA(drivers_.c_str()));

    SetResult("Result", "A.exe");
    SetUp::RunNpfSetup(root_, CSetupConfig::Instance());
    EXPECT_TRUE(Exists(drivers_ + "\\NpfDetectApp.exe"));
    EXPECT_EQ(SetUp::ReadNpfOccupancy(root_, CSetupConfig::Instance()), "A.exe");
    EXPECT_EQ(DetectorRuns(), 1u);
}

TEST_F(NpfDriver, ReportReading) {
    const std::string report = drivers_ + "\\NpfOccupy.xml";
    const std::pair<const char*, const char*> cases[] = {
        {"<NpfApp><result>no process</result></NpfApp>", "no process"},
        {"<NpfApp><result/></NpfApp>", ""},
        {"<NpfApp><other>success</other></NpfApp>", ""},
        {"<Other><result>success</result></Other>", ""},
        {"<NpfApp><result>success</result>", ""},  // not well-formed
        {"", ""},
        {"<NpfApp><resu", ""},  // truncated
        {"\xEF\xBB\xBF<NpfApp><result>A.exe</result></NpfApp>", "A.exe"},
    };
    for (const auto& item : cases) {
        testbed::WriteFile(report, item.first);
        EXPECT_EQ(SetUp::ReadNpfOccupancy(root_, CSetupConfig::Instance()), item.second)
            << item.first;
    }
    // A thousand programs: read whole, the first is named.
    std::string programs;
    for (int i = 0; i < 1000; ++i) {
        programs += "Program" + std::to_string(i) + ".exe;";
    }
    testbed::WriteFile(report, "<NpfApp><result>" + programs + "</result></NpfApp>");
    EXPECT_EQ(SetUp::ReadNpfOccupancy(root_, CSetupConfig::Instance()), programs);
    EXPECT_EQ(SetUp::OccupyingProcessName(programs), "Program0.exe");
}

TEST(NpfReport, ProcessNameIsTheFirstNonEmptyPiece) {
    EXPECT_EQ(SetUp::OccupyingProcessName("A.exe;B.exe"), "A.exe");
    EXPECT_EQ(SetUp::OccupyingProcessName(";;A.exe"), "A.exe");
    EXPECT_EQ(SetUp::OccupyingProcessName(";;"), ";;");
    EXPECT_EQ(SetUp::OccupyingProcessName(";;B.exe;"), "B.exe");
    EXPECT_EQ(SetUp::OccupyingProcessName(""), "");
}

// The removal script runs from the working folder under the Windows folder's Temp, whatever the
// user's temporary folder (here under a name with a blank).
TEST(NpfRemoval, ScriptDeletesTheDriverServices) {
    const std::string temp = testbed::MakeTempFolder("John Smith");
    const CTempFolderScope scope(temp + "\\");

    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    ASSERT_NE(manager, nullptr);
    for (const char* name : {"npf", "win10pcap"}) {
        SC_HANDLE service = CreateServiceA(
            manager, name, name, SERVICE_ALL_ACCESS, SERVICE_WIN32_OWN_PROCESS,
            SERVICE_DEMAND_START, SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe",
            nullptr, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(service, nullptr) << name << " " << GetLastError();
        CloseServiceHandle(service);
    }

    SetUp::RunNpfRemovalScript();
    const std::string folder = SetUp::GetTempWorkDir();
    EXPECT_EQ(folder.rfind(WindowsDirectory() + "\\Temp\\InstallationTempFile", 0), 0u) << folder;
    EXPECT_TRUE(Exists(folder + "delnpf.bat"));
    auto present = [&](const char* name) {
        SC_HANDLE service = OpenServiceA(manager, name, SERVICE_QUERY_STATUS);
        if (service != nullptr) {
            CloseServiceHandle(service);
        }
        return service != nullptr;
    };
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((present("npf") || present("win10pcap")) &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_FALSE(present("npf"));
    EXPECT_FALSE(present("win10pcap"));
    CloseServiceHandle(manager);
}

}  // namespace
