// What an unprivileged user of the same machine could try against the elevated installer: programs
// planted where a bare name or the working folder would find them, a working folder made or held
// beforehand, and links swapped into folders that are deleted.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EngineRecorder.h"
#include "EngineTestSupport.h"
#include "base/DeletionSeam.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/DriverQuestion.h"
#include "deploy/MenuAndDesk.h"
#include "deploy/NpfDriver.h"
#include "deploy/Payload.h"
#include "engine/InstallEngine.h"
#include "engine/ProcessControl.h"
#include "engine/Removal.h"
#include "product/FolderLayout.h"
#include "registry/InstalledRecord.h"

using namespace SetUp;
using enginetest::Exists;
using enginetest::OwnFolder;
using enginetest::WaitFor;

namespace {

const char* const kPlantedNames[] = {"cmd.exe", "sc.exe", "7za.exe", "ie4uinit.exe"};
const char kDetectorKey[] = "Software\\SetupTestBench\\NpfDetectApp";

CInstallEngine& NewEngine() {
    return *new CInstallEngine(CSetupConfig::Instance());
}

// Wine cannot make a junction (setting a reparse point is not supported), but it shows a Unix
// symbolic link as a reparse point, and a deletion that follows it empties the target just as it
// would through a junction. The link is made by the Unix ln, which Wine starts like any program.
bool MakeLink(const std::string& link, const std::string& target) {
    using UnixNameFunction = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName == nullptr) {
        return false;
    }
    auto toUnix = [unixName](const std::string& path) {
        wchar_t wide[MAX_PATH] = {};
        MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
        char* name = unixName(wide);
        const std::string result = name ? name : "";
        HeapFree(GetProcessHeap(), 0, name);
        return result;
    };
    std::string line = "/bin/ln -s \"" + toUnix(target) + "\" \"" + toUnix(link) + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA("Z:\\bin\\ln", &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        return false;
    }
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return WaitFor([&link] { return Exists(link); });
}

// Wine shows a link to a folder as a reparse point, a link to a file as a plain file.
bool MakeFolderLink(const std::string& link, const std::string& target) {
    return MakeLink(link, target) && IsReparsePoint(link);
}

// The deletion's step hook: swaps the first sibling it can still move for a link, once.
struct CSwap {
    std::vector<std::string> siblings;
    std::string aside;
    std::string target;
    std::string swapped;
};
CSwap swap;

void SwapASiblingForALink() {
    for (const std::string& sibling : swap.siblings) {
        if (swap.swapped.empty() && MoveFileA(sibling.c_str(), swap.aside.c_str()) &&
            MakeFolderLink(sibling, swap.target)) {
            swap.swapped = sibling;
        }
    }
}

class HardeningTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        DeleteFolder(CFolderLayout::ProgramFilesProductDir(), false);
        DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
        RegDeleteTreeA(HKEY_CURRENT_USER, kDetectorKey);
        CRegKey key;
        RegCreateKeyExA(HKEY_CURRENT_USER, kDetectorKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                        key.Receive(), nullptr);
        const char success[] = "success";
        RegSetValueExA(key.Get(), "Result", 0, REG_SZ, reinterpret_cast<const BYTE*>(success),
                       sizeof(success));
        SetDriverQuestion(nullptr);
        DeleteTempWorkDir();
        root_ = testbed::MakeTempFolder("hardened root");
    }
    void TearDown() override {
        DeleteTempWorkDir();
        SetCurrentDirectoryA(OwnFolder().c_str());
        for (const std::string& planted : planted_) {
            DeleteFileA(planted.c_str());
            DeleteFileA((planted + ".ran").c_str());
        }
    }

    std::string Plant(const std::string& path) {
        EXPECT_TRUE(CopyFileA((OwnFolder() + "probe.exe").c_str(), path.c_str(), FALSE)) << path;
        planted_.push_back(path);
        return path;
    }
    // A command script under the name that records its arguments beside itself, as the probe does.
    std::string PlantScript(const std::string& path) {
        testbed::WriteFile(path, "@echo %* > \"%~f0.ran\"\r\n");
        planted_.push_back(path);
        return path;
    }
    std::vector<std::string> Ran() const {
        std::vector<std::string> ran;
        for (const std::string& planted : planted_) {
            if (Exists(planted + ".ran")) {
                ran.push_back(planted);
            }
        }
        return ran;
    }
    void Install(const std::vector<int32_t>& features) {
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        engine.StartInstall(features, root_);
        ASSERT_TRUE(recorder.WaitForReports(features.size() + 9));
    }
    void Remove() {
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        engine.StartRemoval();
        ASSERT_TRUE(recorder.WaitForReports(8));
    }
    void InstallAndCancel(const std::vector<int32_t>& features) {
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        engine.StartInstall(features, root_);
        ASSERT_TRUE(recorder.WaitForReports(features.size() + 9));
        engine.RequestCancel();
        ASSERT_TRUE(recorder.WaitForReports(features.size() + 9 + 1 + 8));
    }
    std::string ClientFolder() const {
        return CFolderLayout(root_).ComponentsDir(ComponentSide::Client, '\\');
    }
    // No command processor the installer started is left running.
    static bool CommandProcessorsEnded() {
        return WaitFor([] { return FindProcessByName("cmd.exe") == 0; });
    }

    std::string root_;
    std::vector<std::string> planted_;
};

}  // namespace

// Probes named like every program the installer starts, beside this program, in the current
// folder and in a working folder made and held beforehand under the old and the next new name:
// an install, a removal and a cancelled install run none of them.
TEST_F(HardeningTest, PlantedProgramsNeverRun) {
    const std::string current = testbed::MakeTempFolder("current");
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    for (const char* name : kPlantedNames) {
        Plant(OwnFolder() + name);
        Plant(current + "\\" + name);
    }
    const std::string temp = WorkDirParent();
    ASSERT_EQ(temp, WindowsDirectory() + "\\Temp\\");
    std::vector<CFileHandle> held;
    for (const char* folderName : {"InstallationTempFile", "InstallationTempFileplanted"}) {
        const std::string folder = temp + folderName;
        CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* name : kPlantedNames) {
            const std::string path = Plant(folder + "\\" + name);
            // Held open as the attacker's program did, letting others read and run it.
            held.emplace_back(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
            ASSERT_TRUE(held.back()) << path;
        }
    }
    CScopedWorkDirSuffixes suffixes({"planted", "fresh"});

    Install({0});
    EXPECT_EQ(GetTempWorkDir(), temp + "InstallationTempFilefresh\\");
    // Our own 7-Zip ran: the client framework was unpacked.
    EXPECT_TRUE(Exists(ClientFolder() + "Velmora.Framework.C.exe"));
    Remove();
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    InstallAndCancel({0});
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_TRUE(CommandProcessorsEnded());

    EXPECT_EQ(Ran(), std::vector<std::string>{});
    held.clear();
    for (const char* folderName : {"InstallationTempFile", "InstallationTempFileplanted"}) {
        DeleteFolder(temp + folderName, false);
    }
}

namespace {

// The driver services the removal script deletes, made as the driver's setup would.
bool MakeDriverServices() {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    bool made = manager != nullptr;
    for (const char* name : {"npf", "win10pcap"}) {
        SC_HANDLE service =
            manager ? CreateServiceA(manager, name, name, SERVICE_ALL_ACCESS,
                                     SERVICE_WIN32_OWN_PROCESS, SERVICE_DEMAND_START,
                                     SERVICE_ERROR_IGNORE, "C:\\windows\\system32\\notepad.exe",
                                     nullptr, nullptr, nullptr, nullptr, nullptr)
                    : nullptr;
        made = made && service != nullptr;
        if (service != nullptr) {
            CloseServiceHandle(service);
        }
    }
    if (manager != nullptr) {
        CloseServiceHandle(manager);
    }
    return made;
}

bool ServiceExists(const char* name) {
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    SC_HANDLE service = manager ? OpenServiceA(manager, name, SERVICE_QUERY_STATUS) : nullptr;
    if (service != nullptr) {
        CloseServiceHandle(service);
    }
    if (manager != nullptr) {
        CloseServiceHandle(manager);
    }
    return service != nullptr;
}

// Runs the command line as a user's program would, with this process's environment, in the
// folder; waits for it with a bound.
bool RunInheriting(std::string line, const std::string& folder) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        folder.c_str(), &startup, &started)) {
        return false;
    }
    CHandle process(started.hProcess);
    CHandle thread(started.hThread);
    return WaitForSingleObject(process.Get(), 60000) == WAIT_OBJECT_0;
}

}  // namespace

// A driver archive that cannot be unpacked (a user holds the old detector open in the Drivers
// folder) starts no detector at all: not the stale one there, nor one on PATH, beside this
// program or in the current folder. Without a report the user is asked.
TEST_F(HardeningTest, DetectorThatWasNotUnpackedNeverRuns) {
    const std::string current = testbed::MakeTempFolder("detector current");
    const std::string onPath = testbed::MakeTempFolder("detector on path");
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    const testbed::CScopedVariable path("PATH", onPath + ";" + testbed::Variable("PATH"));
    for (const std::string& folder : {OwnFolder(), current, onPath}) {
        Plant(folder + "\\NpfDetectApp.exe");
    }
    const std::string drivers = CFolderLayout(root_).DriversDir();
    CreateFolderTree(drivers);
    const std::string stale = Plant(drivers + "\\NpfDetectApp.exe");
    const CFileHandle held(CreateFileA(stale.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                       OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    std::vector<std::string> asked;
    SetDriverQuestion([&asked](MessageKind, const std::string& name) {
        asked.push_back(name);
        return false;
    });

    Install({0});
    SetDriverQuestion(nullptr);

    EXPECT_EQ(asked, std::vector<std::string>{""}) << "no report, so the user was asked";
    EXPECT_FALSE(Exists(drivers + "\\NpfOccupy.xml"));
    EXPECT_TRUE(Exists(ClientFolder() + "Velmora.Framework.C.exe")) << "the install went on";
    EXPECT_EQ(Ran(), std::vector<std::string>{});
}

// A user's PATHEXT naming command scripts only, with an "sc.cmd" on PATH, in the current folder
// and beside this program: the removal script still runs the system's sc, which deletes the
// driver services, and it has ended when the removal's driver step returns.
TEST_F(HardeningTest, RemovalScriptRunsTheSystemServiceTool) {
    const std::string current = testbed::MakeTempFolder("sc current");
    const std::string onPath = testbed::MakeTempFolder("sc on path");
    ASSERT_TRUE(SetCurrentDirectoryA(current.c_str()));
    for (const std::string& folder : {OwnFolder(), current, onPath}) {
        PlantScript(folder + "\\sc.cmd");
    }
    const testbed::CScopedVariable pathExt("PATHEXT", ".CMD");
    const testbed::CScopedVariable path("PATH", onPath + ";" + testbed::Variable("PATH"));
    // What the user's environment does to a command processor that inherits it: its "sc" is
    // the planted script.
    ASSERT_TRUE(RunInheriting("\"" + SystemDirectory() + "\\cmd.exe\" /d /c sc query npf",
                              SystemDirectory()));
    ASSERT_TRUE(Exists(onPath + "\\sc.cmd.ran")) << "the planted sc is not what a user's gets";
    ASSERT_TRUE(DeleteFileA((onPath + "\\sc.cmd.ran").c_str()));
    ASSERT_TRUE(MakeDriverServices());
    ASSERT_EQ(PrepareTempWorkDir(), TempWorkDirState::Ready);

    RunNpfRemovalScript();

    // No waiting here: the script has ended, its services are gone.
    EXPECT_FALSE(ServiceExists("npf"));
    EXPECT_FALSE(ServiceExists("win10pcap"));
    EXPECT_EQ(FindProcessByName("cmd.exe"), 0u);
    EXPECT_EQ(Ran(), std::vector<std::string>{});
}

// Nothing the user set in the environment reaches a program the installer starts: the detector
// stand-in writes what it was given. TMP and TEMP name the working folder, PATH is the system's
// and a variable holding "%" text is not there.
TEST_F(HardeningTest, ChildrenSeeTheSystemEnvironmentOnly) {
    const std::string planted = testbed::MakeTempFolder("user path");
    const std::string seen = testbed::MakeTempFolder("seen environment") + "\\detector.txt";
    CRegKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kDetectorKey, 0, KEY_WRITE, key.Receive()),
              ERROR_SUCCESS);
    RegSetValueExA(key.Get(), "Environment", 0, REG_SZ, reinterpret_cast<const BYTE*>(seen.c_str()),
                   static_cast<DWORD>(seen.size() + 1));
    const testbed::CScopedVariable user("SETUP_USER_VARIABLE", "a%PATH%b");
    const testbed::CScopedVariable path("PATH", planted + ";" + testbed::Variable("PATH"));
    const testbed::CScopedVariable temp("TEMP", planted);
    const testbed::CScopedVariable tmp("TMP", "C:\\a%TEMP%b");

    Install({0});

    const std::string environment = "\n" + enginetest::ReadAll(seen);
    const std::string work = GetTempWorkDir();
    ASSERT_FALSE(work.empty());
    const std::string folder = work.substr(0, work.size() - 1);
    EXPECT_NE(environment.find("\nTEMP=" + folder + "\n"), std::string::npos) << environment;
    EXPECT_NE(environment.find("\nTMP=" + folder + "\n"), std::string::npos) << environment;
    EXPECT_NE(environment.find("\nPATH=" + SystemDirectory() + ";"), std::string::npos)
        << environment;
    EXPECT_EQ(environment.find("SETUP_USER_VARIABLE"), std::string::npos) << environment;
    EXPECT_EQ(environment.find(planted), std::string::npos) << environment;
    EXPECT_EQ(environment.find('%'), std::string::npos) << environment;
}

// When no fresh name can be made, nothing is written or run, and the caller is told.
TEST_F(HardeningTest, WorkingFolderThatCannotBeMadeFreshIsRefused) {
    const std::string temp = WorkDirParent();
    ASSERT_EQ(temp, WindowsDirectory() + "\\Temp\\");
    const std::string taken = temp + "InstallationTempFiletaken";
    ASSERT_TRUE(CreateDirectoryA(taken.c_str(), nullptr));
    const std::string planted = Plant(taken + "\\7za.exe");
    {
        CScopedWorkDirSuffixes suffixes({"taken"});
        EXPECT_EQ(PrepareTempWorkDir(), TempWorkDirState::Unsafe);
        EXPECT_EQ(GetTempWorkDir(), "");
        EXPECT_FALSE(SaveResourceToTemp("7za.exe", 326, "EXE"));
        EXPECT_FALSE(EnsureSevenZip());
        ComponentDeployment{root_, 0, CSetupConfig::Instance()}.Install();
        EXPECT_FALSE(Exists(ClientFolder() + "Velmora.Framework.C.exe"));
        DeleteTempWorkDir();
    }
    EXPECT_EQ(Ran(), std::vector<std::string>{});
    EXPECT_EQ(enginetest::ReadAll(planted), enginetest::ReadAll(OwnFolder() + "probe.exe"));
    EXPECT_EQ(PrepareTempWorkDir(), TempWorkDirState::Ready);
    DeleteFolder(taken, false);
}

namespace {

// The Windows folder's Temp with a trailing backslash.
std::string WindowsTemp() {
    return WindowsDirectory() + "\\Temp\\";
}

// The SIDs the folder's access list names, as text; `protectedList` tells whether it inherits
// nothing.
struct CAllowed {
    std::string sid;  // "unreadable", "other entry" for what is not an allow entry
    DWORD mask = 0;
};

std::vector<CAllowed> AllowedEntries(const std::string& path) {
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &list, nullptr, &descriptor) != ERROR_SUCCESS) {
        return {{"unreadable", 0}};
    }
    std::vector<CAllowed> entries;
    for (DWORD index = 0; list != nullptr && index < list->AceCount; ++index) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(list, index, reinterpret_cast<void**>(&header))) {
            continue;
        }
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) {
            entries.push_back({"other entry", 0});
            continue;
        }
        auto* allowed = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        char* text = nullptr;
        ConvertSidToStringSidA(&allowed->SidStart, &text);
        entries.push_back({text != nullptr ? text : "?", allowed->Mask});
        LocalFree(text);
    }
    LocalFree(descriptor);
    return entries;
}

std::vector<std::string> AllowedSids(const std::string& path) {
    std::vector<std::string> sids;
    for (const CAllowed& entry : AllowedEntries(path)) {
        sids.push_back(entry.sid);
    }
    return sids;
}

// An entry for Everyone or Authenticated Users, or one for Users that goes beyond reading and
// running. Wine keeps no access list of its own: it shows the Unix mode, Everyone reading for an
// ordinary folder and no Everyone entry for one made with a descriptor that names nobody else.
std::string OtherUsersEntry(const std::string& path) {
    constexpr DWORD kReadAndRun = 0x1200a9;
    for (const CAllowed& entry : AllowedEntries(path)) {
        if (entry.sid == "unreadable" || entry.sid == "S-1-1-0" || entry.sid == "S-1-5-11" ||
            (entry.sid == "S-1-5-32-545" && (entry.mask & ~kReadAndRun) != 0)) {
            return entry.sid;
        }
    }
    return {};
}

}  // namespace

// TMP and TEMP are the user's: pointing them elsewhere, or at text the command processor would
// expand, changes nothing about where the working folder is made.
TEST_F(HardeningTest, UserTemporaryFolderPlaysNoPart) {
    const std::string elsewhere = testbed::MakeTempFolder("elsewhere");
    for (const std::string& userTemp : {elsewhere, std::string("C:\\a%PATH%b")}) {
        const testbed::CScopedVariable tmp("TMP", userTemp);
        const testbed::CScopedVariable temp("TEMP", userTemp);
        DeleteTempWorkDir();
        ASSERT_EQ(PrepareTempWorkDir(), TempWorkDirState::Ready) << userTemp;
        const std::string folder = GetTempWorkDir();
        EXPECT_EQ(folder.rfind(WindowsTemp() + "InstallationTempFile", 0), 0u) << folder;
        EXPECT_EQ(folder.find('%'), std::string::npos) << folder;
        EXPECT_TRUE(SaveResourceToTemp("7za.exe", 326, "EXE"));
        EXPECT_TRUE(Exists(folder + "7za.exe"));
        DeleteTempWorkDir();
        EXPECT_FALSE(Exists(folder)) << folder;
    }
    EXPECT_TRUE(IsFolderEmpty(elsewhere));
    EXPECT_FALSE(Exists("C:\\a%PATH%b"));
    char expanded[MAX_PATH] = {};
    ExpandEnvironmentStringsA("C:\\a%PATH%b", expanded, MAX_PATH);
    EXPECT_FALSE(Exists(expanded));
}

// No entry for Users, Everyone or Authenticated Users: no user can read or hold open what the
// installer runs. (Wine keeps no descriptor where the file system has no extended attributes: it
// reads one back from the Unix mode, so only the absence of those entries shows here.)
TEST_F(HardeningTest, WorkingFolderAdmitsNoUser) {
    ASSERT_EQ(PrepareTempWorkDir(), TempWorkDirState::Ready);
    const std::string folder = GetTempWorkDir();
    const std::vector<std::string> sids = AllowedSids(folder);
    ASSERT_FALSE(sids.empty());
    EXPECT_NE(sids.front(), "unreadable");
    for (const char* user : {"S-1-5-32-545", "S-1-1-0", "S-1-5-11"}) {
        EXPECT_EQ(std::count(sids.begin(), sids.end(), user), 0) << user;
    }
}

// The product's folders, the root the install made and the web server's, are admin-only;
// an ordinary folder reads otherwise, so the check can see the difference.
TEST_F(HardeningTest, FoldersTheInstallMakesAdmitNoOtherUser) {
    ASSERT_NE(OtherUsersEntry(root_), "") << "an ordinary folder reads as admin-only";
    const std::string root = root_ + "\\made by the install";
    root_ = root;
    Install({0});
    const CFolderLayout layout(root_);
    const std::string programFiles = CFolderLayout::ProgramFilesProductDir('\\');
    for (const std::string& folder :
         {root, layout.ProductDir('\\'), layout.InstallationDir('\\'), layout.DriversDir(),
          programFiles, programFiles + "\\Nginx", programFiles + "\\html"}) {
        ASSERT_TRUE(enginetest::IsDirectory(folder)) << folder;
        EXPECT_EQ(OtherUsersEntry(folder), "") << folder;
    }
}

// While the run holds the folder, it can be neither renamed away nor opened to be written (the
// way to make it a mount point).
TEST_F(HardeningTest, HeldWorkingFolderCannotBeMovedOrRewritten) {
    const std::string folder = GetTempWorkDir();
    ASSERT_FALSE(folder.empty());
    const std::string path = folder.substr(0, folder.size() - 1);
    EXPECT_FALSE(MoveFileA(path.c_str(), (path + "moved").c_str()));
    CFileHandle writable(
        CreateFileA(path.c_str(), FILE_WRITE_DATA | FILE_WRITE_ATTRIBUTES,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    EXPECT_FALSE(writable);
    EXPECT_TRUE(Exists(path));
}

// Links to a folder holding a file, inside the client folder, the user-data folder and the
// working folder: neither a removal nor a cancelled install reaches the file.
TEST_F(HardeningTest, LinksInDeletedFoldersAreNotFollowed) {
    const std::string target = testbed::MakeTempFolder("link target");
    testbed::WriteFile(target + "\\keep.txt", "keep");
    const std::string userData = CFolderLayout(root_).UserDataDir('\\');

    Install({0});
    CreateFolderTree(userData);
    ASSERT_TRUE(MakeFolderLink(ClientFolder() + "linked", target));
    ASSERT_TRUE(MakeFolderLink(userData + "\\linked", target));
    ASSERT_TRUE(MakeFolderLink(GetTempWorkDir() + "linked", target));
    Remove();
    DeleteUserData(root_, CSetupConfig::Instance());
    DeleteTempWorkDir();
    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
    EXPECT_FALSE(Exists(ClientFolder() + "Velmora.Framework.C.exe"));

    testbed::RemoveAllRecords();
    Install({0});
    ASSERT_TRUE(MakeFolderLink(ClientFolder() + "linked again", target));
    ASSERT_TRUE(MakeFolderLink(GetTempWorkDir() + "linked again", target));
    InstallAndCancel({0});
    DeleteTempWorkDir();
    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
    EXPECT_FALSE(Exists(ClientFolder() + "Velmora.Framework.C.exe"));
}

// The root of a deletion that is itself a link is not followed either.
TEST_F(HardeningTest, LinkAsTheRootOfADeletionIsNotFollowed) {
    const std::string target = testbed::MakeTempFolder("root target");
    testbed::WriteFile(target + "\\keep.txt", "keep");
    const std::string link = testbed::MakeTempFolder("root link") + "\\link";
    ASSERT_TRUE(MakeFolderLink(link, target));
    DeleteFolder(link, false);
    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
    DeleteFolder(link + "/", false);
    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
}

// A folder not yet visited is swapped for a link while its parent is being emptied: the link is
// not followed, and neither is a link to a file.
TEST_F(HardeningTest, LinkAppearingDuringADeletionIsNotFollowed) {
    const std::string target = testbed::MakeTempFolder("swap target");
    testbed::WriteFile(target + "\\keep.txt", "keep");
    const std::string tree = testbed::MakeTempFolder("swapped tree");
    testbed::WriteFile(tree + "\\one\\a.txt", "a");
    testbed::WriteFile(tree + "\\two\\b.txt", "b");
    const std::string fileTarget = testbed::MakeTempFolder("file target") + "\\kept.txt";
    testbed::WriteFile(fileTarget, "kept");
    ASSERT_TRUE(MakeLink(tree + "\\file link", fileTarget));
    swap = CSwap{
        {tree + "\\one", tree + "\\two"}, testbed::MakeTempFolder("aside") + "\\moved", target, ""};

    SetDeletionStepHook(&SwapASiblingForALink);
    const bool failed = DeleteFolder(tree, false);
    SetDeletionStepHook(nullptr);

    ASSERT_FALSE(swap.swapped.empty()) << "the hook found no sibling left to swap";
    const bool firstSwapped = swap.swapped == swap.siblings[0];
    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
    EXPECT_EQ(enginetest::ReadAll(swap.aside + (firstSwapped ? "\\a.txt" : "\\b.txt")),
              firstSwapped ? "a" : "b");
    EXPECT_EQ(enginetest::ReadAll(fileTarget), "kept");
    EXPECT_FALSE(Exists(swap.siblings[firstSwapped ? 1 : 0])) << "the sibling visited first went";
    // Wine cannot remove a Unix link through a handle: it stays, and the deletion says so.
    EXPECT_TRUE(failed);
}

// Other users write the public user-data folder: its plain entries go, its links stay, and a
// removal that deletes the user data follows none.
TEST_F(HardeningTest, PublicUserDataLosesItsFilesButKeepsItsLinks) {
    const std::string target = testbed::MakeTempFolder("public target");
    testbed::WriteFile(target + "\\keep.txt", "keep");
    const std::string publicData = CFolderLayout::PublicUserDataDir();
    testbed::WriteFile(publicData + "\\Nginx\\conf\\nginx.conf", "conf");
    testbed::WriteFile(publicData + "\\data.db", "data");
    ASSERT_TRUE(MakeFolderLink(publicData + "\\Nginx\\linked", target));
    ASSERT_TRUE(MakeLink(publicData + "\\file link", target + "\\keep.txt"));

    DeleteUserData(root_, CSetupConfig::Instance());

    EXPECT_EQ(enginetest::ReadAll(target + "\\keep.txt"), "keep");
    EXPECT_FALSE(Exists(publicData + "\\data.db"));
    EXPECT_FALSE(Exists(publicData + "\\Nginx\\conf"));
    EXPECT_TRUE(IsReparsePoint(publicData + "\\Nginx\\linked")) << "a link there is left";

    const std::string plain = testbed::MakeTempFolder("plain users tree");
    testbed::WriteFile(plain + "\\sub\\c.txt", "c");
    EXPECT_FALSE(DeleteFolder(plain, true));
    EXPECT_FALSE(Exists(plain));
}

// A component file held open by a running program: the repair cannot put it back, says so and
// stops (a failure is not reported as success; the installation stays, for another repair), and
// a removal still goes past it: every file that was not held is gone after the removal.
TEST_F(HardeningTest, FilesHeldOpenFailTheRepairButNotTheRemoval) {
    Install({0, 3});
    const std::string held = ClientFolder() + "Velmora.Framework.C.exe";
    // As a running program holds its image: others may read it, nobody may write or delete it.
    CFileHandle file(CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(file);
    {
        auto& engine = NewEngine();
        CEngineRecorder recorder(engine);
        engine.StartRepair();
        ASSERT_GT(engine.StepsTotal(), 0);
        ASSERT_TRUE(recorder.WaitForEnd());
        const CEngineEvent end = recorder.Events().back();
        EXPECT_EQ(end.result, ProcedureResult::Failed);
        EXPECT_EQ(end.step.kind, StepKind::InstallFeature);
        EXPECT_NE(end.detail.find("7-Zip ended with exit code"), std::string::npos) << end.detail;
        EXPECT_FALSE(EnumerateInstalledVariants().empty()) << "a failed repair keeps the record";
    }
    Remove();
    const std::vector<std::string> left =
        enginetest::ListTree(enginetest::InstallationFolder(root_), false);
    EXPECT_EQ(left, std::vector<std::string>{held});
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
}
