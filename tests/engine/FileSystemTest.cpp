#include <direct.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "common/TestMachine.h"
#include "engine/InstallFolders.h"
#include "product/Catalogue.h"
#include "product/FolderLayout.h"

using namespace SetUp;
using enginetest::Exists;
using enginetest::IsDirectory;
using enginetest::ReadAll;

namespace {

TEST(InstallPathRule, AcceptsRootedPathsWithCleanPieces) {
    const struct {
        const char* path;
        bool valid;
    } cases[] = {
        {"D:\\Program Files\\App", true},
        {"D:\\Program Files\\A:pp", false},
        {"D:\\Program Files\\:App", false},
        {"D:", true},
        {"Program Files\\App", false},
        {"D:\\A\\", true},
        {"C:\\a*b", false},
        {"C:\\*ab", false},
        {"", false},
        {"App", false},
        {"C:\\Program Files (x86)", true},
        {"C:\\a?b", false},
        {"C:\\a\"b", false},
        {"C:\\a<b", false},
        {"C:\\a>b", false},
        {"C:\\a|b", false},
        {"C:\\a/b", false},
        {"C:\\%TEMP%\\App", false},
        {"C:\\100%", false},
        {"C:\\Velmora.AC-1_2 (new)", true},
        // Only a drive letter's root: no root of the current drive, no UNC path.
        {"\\", false},
        {"\\App", false},
        {"\\\\server\\share\\App", false},
        {"\\\\?\\C:\\App", false},
        {"1:\\App", false},
        {"CD:\\App", false},
        // Delayed expansion.
        {"C:\\Hello!World", false},
        {"C:\\a!b!", false},
        // Reserved device names, with or without an extension, any case.
        {"C:\\CON", false},
        {"C:\\App\\nul", false},
        {"C:\\com1", false},
        {"C:\\LPT9.txt", false},
        {"C:\\Aux .log", false},
        {"C:\\COM0", true},
        {"C:\\CONSOLE", true},
        {"C:\\Nullable", true},
        // Pieces that end in a dot or a blank, "." and "..".
        {"C:\\App.", false},
        {"C:\\App \\Sub", false},
        {"C:\\..\\Windows", false},
        {"C:\\.\\App", false},
        {"C:\\App.v2", true},
        {"C:\\ App", true},
        {"C:\\A\tB", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsValidInstallPath(c.path), c.valid) << c.path;
    }
}

TEST(FolderHelpers, EmptinessListingAndDeletion) {
    const std::string root = testbed::MakeTempFolder("helpers");
    EXPECT_TRUE(IsFolderEmpty(root));
    EXPECT_TRUE(IsFolderEmpty(root + "\\missing"));
    ASSERT_EQ(_mkdir((root + "\\sub").c_str()), 0);
    EXPECT_FALSE(IsFolderEmpty(root)) << "an empty sub-folder still counts";

    testbed::WriteFile(root + "\\a.txt", "a");
    std::vector<std::string> names{"stale"};
    ASSERT_TRUE(ListFolder(root, names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "sub"}));
    EXPECT_FALSE(ListFolder(root + "\\missing", names));
    EXPECT_TRUE(names.empty());

    EXPECT_TRUE(DeleteFolder(root + "\\missing", false)) << "a missing path reports failure";
    testbed::WriteFile(root + "\\sub\\deep\\b.txt", "b");
    EXPECT_FALSE(DeleteFolder(root + "/sub/deep", false)) << "mixed slashes are accepted";
    EXPECT_FALSE(Exists(root + "\\sub\\deep"));
    EXPECT_FALSE(DeleteFolder(root, false));
    EXPECT_FALSE(Exists(root));
}

// What a failed shell call leaves ("", "\\Programs\\...", a relative name) never turns into a
// deletion on the current drive.
TEST(FolderHelpers, OnlyAbsoluteDrivePathsAreDeleted) {
    const std::string root = testbed::MakeTempFolder("relative");
    testbed::WriteFile(root + "\\Programs\\keep.txt", "keep");
    ASSERT_TRUE(SetCurrentDirectoryA(root.c_str()));
    const std::string rooted = root.substr(2);  // "\\users\\...": the current drive's root
    for (const std::string& path : {std::string(), std::string("Programs"),
                                    std::string(".\\Programs"), rooted + "\\Programs"}) {
        EXPECT_TRUE(DeleteFolder(path, false)) << path;
        EXPECT_EQ(ReadAll(root + "\\Programs\\keep.txt"), "keep") << path;
    }
    SetCurrentDirectoryA("C:\\");
    EXPECT_FALSE(DeleteFolder(root + "\\Programs", false));
    EXPECT_FALSE(Exists(root + "\\Programs"));
}

TEST(FolderHelpers, CopyFolderFillsOnlyANewFolderWithFiles) {
    const std::string root = testbed::MakeTempFolder("copy");
    testbed::WriteFile(root + "\\src\\one.dll", "one");
    testbed::WriteFile(root + "\\src\\two.dll", "two");
    testbed::WriteFile(root + "\\src\\nested\\three.dll", "three");

    CopyFolder(root + "\\src", root + "\\fresh");
    EXPECT_EQ(ReadAll(root + "\\fresh\\one.dll"), "one");
    EXPECT_EQ(ReadAll(root + "\\fresh\\two.dll"), "two");
    EXPECT_FALSE(Exists(root + "\\fresh\\nested")) << "sub-folders are not descended into";

    testbed::WriteFile(root + "\\existing\\keep.txt", "keep");
    CopyFolder(root + "\\src", root + "\\existing");
    EXPECT_FALSE(Exists(root + "\\existing\\one.dll"));

    CopyFolder(root + "\\src", root + "\\no\\parent");
    EXPECT_FALSE(Exists(root + "\\no"));
    CopyFolder(root + "\\missing", root + "\\from-missing");
    EXPECT_TRUE(IsFolderEmpty(root + "\\from-missing"));
}

TEST(Layout, FixedRootsAndFrameworkPaths) {
    const std::string drive(1, SystemDriveLetter());
    EXPECT_EQ(CFolderLayout::ProgramFilesProductDir(),
              drive + ":\\Program Files (x86)\\Velmora AC");
    EXPECT_EQ(CFolderLayout::PublicUserDataDir(), drive + ":\\Users\\Public\\Velmora AC");
    EXPECT_EQ(CFolderLayout("").FrameworkExe(ComponentSide::Client, '/'),
              "/Velmora AC/Velmora AC Client/Client/Velmora.Framework.C.exe");
    EXPECT_EQ(CFolderLayout("").FrameworkExe(ComponentSide::Server, '/'),
              "/Velmora AC/Velmora AC Client/Server/Velmora.Framework.S.exe");
}

TEST(Layout, ProgramFilesProductFolderIsCreatedWithEveryLevel) {
    // A 32-bit Windows has no "Program Files (x86)": take it away for the time of the test.
    const std::string drive(1, SystemDriveLetter());
    const std::string programFiles = drive + ":\\Program Files (x86)";
    const std::string away = programFiles + ".away";
    ASSERT_TRUE(MoveFileA(programFiles.c_str(), away.c_str()));
    const std::string folder = CFolderLayout::EnsureProgramFilesProductDir();
    const bool created = IsDirectory(programFiles + "\\Velmora AC");
    DeleteFolder(programFiles, false);
    ASSERT_TRUE(MoveFileA(away.c_str(), programFiles.c_str()));
    EXPECT_EQ(folder, drive + ":/Program Files (x86)/Velmora AC");
    EXPECT_TRUE(created);
    EXPECT_EQ(CFolderLayout::EnsureProgramFilesProductDir(), folder);
    EXPECT_TRUE(IsDirectory(CFolderLayout::ProgramFilesProductDir()));
}

// A missing root is made too, by the installer and so admin-only: left to 7-Zip, every level
// would inherit what the drive grants its users.
TEST(InstallSteps, InitInstallPathCreatesTheProductFoldersAndAMissingRoot) {
    const std::string root = testbed::MakeTempFolder("init");
    initInstallPath(root, CSetupConfig::Instance());
    EXPECT_TRUE(IsDirectory(enginetest::InstallationFolder(root)));
    initInstallPath(root + "\\missing\\root", CSetupConfig::Instance());
    EXPECT_TRUE(IsDirectory(enginetest::InstallationFolder(root + "\\missing\\root")));
}

class MultimediaComm : public ::testing::Test {
protected:
    void SetUp() override {
        client_ = enginetest::InstallationFolder(testbed::MakeTempFolder("mmc")) + "\\Client\\";
        Extract();
    }
    // What extracting the client framework puts down.
    void Extract() {
        testbed::WriteFile(client_ + "MultimediaComm.dll", "x86");
        testbed::WriteFile(client_ + "RunInWin64\\MultimediaComm.dll", "x64");
    }
    std::string Root() const { return client_.substr(0, client_.find("\\Velmora AC\\")); }
    void ExpectSwapped() {
        EXPECT_EQ(ReadAll(client_ + "MultimediaComm.dll"), "x64");
        EXPECT_EQ(ReadAll(client_ + "RunInWin32\\MultimediaComm.dll"), "x86");
        EXPECT_FALSE(Exists(client_ + "RunInWin64"));
    }
    std::string client_;
};

TEST_F(MultimediaComm, RepairGivesTheSameResultAsTheFirstInstall) {
    replaceMultiMediaComm(Root(), CSetupConfig::Instance());
    ExpectSwapped();
    Extract();
    replaceMultiMediaComm(Root(), CSetupConfig::Instance());
    ExpectSwapped();
}

TEST_F(MultimediaComm, ClientKeepsItsLibraryWithoutThe64BitOne) {
    DeleteFileA((client_ + "RunInWin64\\MultimediaComm.dll").c_str());
    replaceMultiMediaComm(Root(), CSetupConfig::Instance());
    EXPECT_EQ(ReadAll(client_ + "MultimediaComm.dll"), "x86");
    EXPECT_FALSE(Exists(client_ + "RunInWin32"));
}

TEST_F(MultimediaComm, Nothing64BitMovesOnA32BitMachine) {
    CScopedNativeArchitecture x86(PROCESSOR_ARCHITECTURE_INTEL);
    replaceMultiMediaComm(Root(), CSetupConfig::Instance());
    EXPECT_EQ(ReadAll(client_ + "MultimediaComm.dll"), "x86");
    EXPECT_EQ(ReadAll(client_ + "RunInWin64\\MultimediaComm.dll"), "x64");
    EXPECT_FALSE(Exists(client_ + "RunInWin32"));
}

// A move that fails leaves both libraries where a working client finds one: the 64-bit library
// is deleted only once it is in place.
TEST_F(MultimediaComm, FailedMovesLoseNoLibrary) {
    for (const char* held : {"RunInWin64\\MultimediaComm.dll", "MultimediaComm.dll"}) {
        SCOPED_TRACE(held);
        {
            // Held without delete sharing, as a running program holds a library it loaded.
            CFileHandle file(CreateFileA((client_ + held).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                         nullptr, OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(file);
            replaceMultiMediaComm(Root(), CSetupConfig::Instance());
        }
        EXPECT_EQ(ReadAll(client_ + "MultimediaComm.dll"), "x86");
        EXPECT_EQ(ReadAll(client_ + "RunInWin64\\MultimediaComm.dll"), "x64");
        replaceMultiMediaComm(Root(), CSetupConfig::Instance());
        ExpectSwapped();
        Extract();
    }
}

TEST(UserManual, OpenOnlyWhileAnotherHandleHoldsIt) {
    testbed::RemoveAllRecords();
    const std::string root = testbed::MakeTempFolder("manual");
    testbed::CreateRecord(ProductVariant::AC, {{"InstallLocation", root}});
    const std::string manual = enginetest::InstallationFolder(root) + "\\Client\\User Manual.pdf";
    EXPECT_FALSE(IsUserManualOpen(CSetupConfig::Instance())) << "no manual installed";
    testbed::WriteFile(manual, "%PDF");
    EXPECT_FALSE(IsUserManualOpen(CSetupConfig::Instance()));
    {
        CFileHandle viewer(CreateFileA(manual.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(viewer);
        EXPECT_TRUE(IsUserManualOpen(CSetupConfig::Instance()));
    }
    EXPECT_FALSE(IsUserManualOpen(CSetupConfig::Instance()));
    testbed::RemoveAllRecords();
}

}  // namespace
