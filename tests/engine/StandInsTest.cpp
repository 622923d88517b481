// The stand-in outside programs behave as the installer relies on.
#include <windows.h>

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include "EngineTestSupport.h"
#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/Handles.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/Payload.h"
#include "product/FolderLayout.h"

using namespace SetUp;
using enginetest::Exists;

namespace {

CHandle Start(const std::string& program, const std::string& arguments, const std::string& folder) {
    std::string line = "\"" + program + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &process)) {
        return CHandle();
    }
    CloseHandle(process.hThread);
    return CHandle(process.hProcess);
}

TEST(StandIns, WebServerRunsUntilToldToStop) {
    DeployWebServer(CSetupConfig::Instance());
    const std::string nginx = CFolderLayout::ProgramFilesProductDir() + "\\Nginx";
    CHandle server = Start(nginx + "\\nginx.exe", "", nginx);
    ASSERT_TRUE(server);
    ASSERT_TRUE(enginetest::WaitFor([&] { return Exists(nginx + "\\logs\\nginx.pid"); }));
    EXPECT_EQ(WaitForSingleObject(server.Get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    // The stop command the removal issues.
    ASSERT_TRUE(RunCommandProcessor("/c cd /d \"" + nginx + "\" && nginx.exe -s stop -c \"" +
                                    CFolderLayout::PublicUserDataDir() +
                                    "\\Nginx\\conf\\nginx.conf\""));
    EXPECT_EQ(WaitForSingleObject(server.Get(), 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_FALSE(Exists(nginx + "\\logs\\nginx.pid"));
}

class DriverDetector : public ::testing::Test {
protected:
    void SetUp() override {
        drivers_ = testbed::MakeTempFolder("Drivers");
        SaveResourceToTemp("Npf.7z", 248, "ZIP");
        UnpackArchive(drivers_, "Npf.7z");
        RegDeleteTreeA(HKEY_CURRENT_USER, kBench);
    }
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kBench); }

    void Steer(const char* name, const std::string& text) {
        CRegKey key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kBench, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  key.Receive(), nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
    }
    // Runs the detector the way the driver step does and reads NpfApp/result.
    std::string Detect() {
        RunCommandProcessor("/c cd /d\"" + drivers_ + "\"&&NpfDetectApp.exe");
        tinyxml2::XMLDocument report;
        if (report.LoadFile((drivers_ + "\\NpfOccupy.xml").c_str()) != tinyxml2::XML_SUCCESS) {
            return "<no report>";
        }
        const auto* result = report.FirstChildElement("NpfApp")
                                 ? report.FirstChildElement("NpfApp")->FirstChildElement("result")
                                 : nullptr;
        return result && result->GetText() ? result->GetText() : "";
    }
    DWORD Runs() {
        DWORD runs = 0;
        DWORD size = sizeof(runs);
        RegGetValueA(HKEY_CURRENT_USER, kBench, "Runs", RRF_RT_REG_DWORD, nullptr, &runs, &size);
        return runs;
    }

    static constexpr const char* kBench = "Software\\SetupTestBench\\NpfDetectApp";
    std::string drivers_;
};

TEST_F(DriverDetector, ReportsSuccessWithoutATestBench) {
    EXPECT_EQ(Detect(), "success");
    EXPECT_EQ(Runs(), 0u);
}

TEST_F(DriverDetector, ReportsWhatTheTestDecidesRunByRun) {
    Steer("Result1", "A.exe;B.exe");
    Steer("Result", "no process");
    EXPECT_EQ(Detect(), "A.exe;B.exe");
    EXPECT_EQ(Detect(), "no process");
    EXPECT_EQ(Runs(), 2u);
    Steer("Result", "<no report>");
    EXPECT_EQ(Detect(), "<no report>");
}

}  // namespace
