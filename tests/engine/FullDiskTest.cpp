// An install onto a drive that fills up during extraction fails: the step that could not unpack
// says so, the install is rolled back, and the drive is left as it was. The drive S: is a small
// tmpfs the test runner mounts (SETUP_SMALL_DRIVE_KB); Wine cannot make a small drive by itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "EngineRecorder.h"
#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "common/TestMachine.h"
#include "engine/InstallEngine.h"
#include "product/FolderLayout.h"
#include "registry/InstalledRecord.h"

using namespace SetUp;

namespace {

const char kDetectorKey[] = "Software\\SetupTestBench\\NpfDetectApp";

}  // namespace

TEST(FullDisk, AnInstallThatFillsTheDriveFailsAndIsRolledBack) {
    if (GetDriveTypeA("S:\\") == DRIVE_NO_ROOT_DIR) {
        GTEST_SKIP() << "no small drive S: (the runner could not mount one)";
    }
    testbed::RemoveAllRecords();
    RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
    CRegKey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kDetectorKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                    key.Receive(), nullptr);
    const char success[] = "success";
    RegSetValueExA(key.Get(), "Result", 0, REG_SZ, reinterpret_cast<const BYTE*>(success),
                   sizeof(success));
    const std::string root = "S:\\Apps";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    const std::vector<std::string> before = enginetest::ListTree("S:", true);

    const std::vector<int32_t> features = {0, 3, 5, 10};
    auto& engine = *new CInstallEngine(CSetupConfig::Instance());
    CEngineRecorder recorder(engine);
    engine.StartInstall(features, root);
    ASSERT_TRUE(recorder.WaitForEnd());
    ASSERT_TRUE(engine.WaitUntilIdle(std::chrono::seconds(120)));

    const CEngineEvent end = recorder.Events().back();
    ASSERT_EQ(end.kind, EngineEventKind::ProcedureFinished);
    EXPECT_EQ(end.procedure, Procedure::RollBack);
    EXPECT_EQ(end.result, ProcedureResult::Failed);
    EXPECT_TRUE(end.diskFull) << end.detail;
    EXPECT_EQ(end.step.kind, StepKind::InstallFeature);
    EXPECT_NE(end.detail.find("7-Zip ended with exit code"), std::string::npos) << end.detail;
    // The bar went back to 0 for the roll-back and ended at 100.
    const std::vector<int32_t> progress = recorder.Progress();
    EXPECT_NE(std::find(progress.begin(), progress.end(), 0), progress.end());
    EXPECT_EQ(progress.back(), 100);

    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_EQ(enginetest::ListTree("S:", true), before);
    // A roll-back keeps the web pages, as a removal does; they lie in Program Files, not on S:.
    EXPECT_TRUE(enginetest::Exists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
}
