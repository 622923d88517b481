// An install onto a drive that fills up during extraction: it reaches its end without a crash,
// and a removal afterwards leaves the drive as it was. The drive S: is a small tmpfs the test
// runner mounts (SETUP_SMALL_DRIVE_KB); Wine cannot make a small drive by itself.
#include <windows.h>

#include <gtest/gtest.h>

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

ULONGLONG FreeBytes(const char* root) {
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExA(root, &free, nullptr, nullptr);
    return free.QuadPart;
}

}  // namespace

TEST(FullDisk, InstallEndsAndRemovalLeavesTheDriveAsItWas) {
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
    {
        CEngineRecorder recorder(engine);
        engine.StartInstall(features, root);
        ASSERT_TRUE(recorder.WaitForReports(features.size() + 9));
        EXPECT_EQ(recorder.Progress().back(), 100);
    }
    // The drive did run full: what was unpacked stopped short of the whole client.
    EXPECT_LT(FreeBytes("S:\\"), 64u * 1024u);
    EXPECT_FALSE(EnumerateInstalledVariants().empty());

    auto& removal = *new CInstallEngine(CSetupConfig::Instance());
    {
        CEngineRecorder recorder(removal);
        removal.StartRemoval();
        ASSERT_TRUE(recorder.WaitForReports(8));
    }
    const std::vector<std::string> after = enginetest::ListTree("S:", true);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    // A removal keeps the web pages by design; they lie in Program Files, not on S:.
    EXPECT_TRUE(enginetest::Exists(CFolderLayout::ProgramFilesProductDir() + "\\html"));
}
