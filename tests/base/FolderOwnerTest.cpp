// Whose folders the elevated installer empties or installs into: the administrators', the
// system's and its own user's, nobody else's, on a drive that keeps access lists.
#include <windows.h>

#include <sddl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/FileSystem.h"
#include "base/FolderOwner.h"
#include "base/Handles.h"
#include "base/ProtectedFolder.h"
#include "base/SystemInfo.h"
#include "common/TestMachine.h"

using namespace SetUp;

namespace {

bool TrustedSid(const char* text) {
    PSID sid = nullptr;
    EXPECT_TRUE(ConvertStringSidToSidA(text, &sid)) << text;
    const bool trusted = IsTrustedOwner(sid);
    LocalFree(sid);
    return trusted;
}

}  // namespace

TEST(FolderOwner, OnlyAdministratorsTheSystemAndThisUserAreTrusted) {
    struct Row {
        const char* sid;
        bool trusted;
    };
    const Row kRows[] = {
        {"S-1-5-32-544", true},  // Administrators
        {"S-1-5-18", true},      // SYSTEM
        {"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", true},
        {"S-1-5-32-545", false},  // Users
        {"S-1-1-0", false},       // Everyone
        {"S-1-5-11", false},      // Authenticated Users
        {"S-1-5-21-1-2-3-1001", false},
    };
    for (const Row& row : kRows) {
        EXPECT_EQ(TrustedSid(row.sid), row.trusted) << row.sid;
    }
    EXPECT_FALSE(IsTrustedOwner(nullptr));
}

// A folder this process made: owned by Administrators on Windows, by the process's user under
// Wine; trusted either way, or the installer could not remove what it installed.
TEST(FolderOwner, AFolderThisProcessMadeIsTrusted) {
    const std::string folder = testbed::MakeTempFolder("owned");
    CFileHandle held(CreateFileA(folder.c_str(), READ_CONTROL, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    ASSERT_TRUE(held);
    EXPECT_TRUE(HasTrustedOwner(held.Get()));
}

// The levels of a path the install would use: a missing one is nobody's, one this process made is
// trusted, and the drive itself is never looked at.
TEST(FolderOwner, NoLevelOfAPathThisProcessMadeIsForeign) {
    const std::string folder = testbed::MakeTempFolder("levels");
    MakeProtectedFolderTree(folder + "\\made\\deeper");
    EXPECT_TRUE(PathExists(folder + "\\made\\deeper"));
    EXPECT_FALSE(HasForeignOwner(folder + "\\missing"));
    EXPECT_EQ(ForeignOwnedLevel(folder + "\\made\\deeper\\missing\\more"), "");
}

// Fixed drives that keep access lists hold protected folders; anything else does not.
TEST(FolderOwner, OnlyAFixedDriveWithAccessListsHoldsProtectedFolders) {
    EXPECT_TRUE(IsDriveForProtectedFolders(std::string(1, SystemDriveLetter()) + ":\\VMS"));
    for (const char* path : {"VMS", "\\\\server\\share\\VMS", "", "Q:\\VMS"}) {
        EXPECT_FALSE(IsDriveForProtectedFolders(path)) << path;
    }
    // R: is the removable drive of every test run (cmake/wine-run.sh).
    ASSERT_EQ(GetDriveTypeA("R:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    EXPECT_FALSE(IsDriveForProtectedFolders("R:\\VMS"));
}
