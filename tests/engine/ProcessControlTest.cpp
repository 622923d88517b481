#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "base/CommandProcessor.h"
#include "base/FileSystem.h"
#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "common/TestMachine.h"
#include "engine/ProcessControl.h"
#include "product/FolderLayout.h"
#include "product/SetupConfig.h"

using namespace SetUp;

namespace {

// The sleeper program beside this test program.
std::string SleeperPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + "sleeper.exe";
}

// The payload's own stand-in for the frameworks, for the names it plays; the sleeper otherwise.
std::string ProgramFor(const std::string& name) {
    if (name == "Velmora.Framework.C.exe" || name == "Velmora.Framework.S.exe" ||
        name == "nginx.exe") {
        return std::string(SETUP_STANDIN_DIR) + "/" + name;
    }
    return SleeperPath();
}

// A running copy of a program under the given name; terminated when the object goes.
class CRunningProgram {
public:
    CRunningProgram(const std::string& folder, const std::string& name) {
        path_ = folder + "\\" + name;
        CopyFileA(ProgramFor(name).c_str(), path_.c_str(), FALSE);
        STARTUPINFOA startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION info{};
        std::string commandLine = "\"" + path_ + "\"";
        if (CreateProcessA(path_.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                           nullptr, &startup, &info)) {
            process_.Reset(info.hProcess);
            CloseHandle(info.hThread);
            id_ = info.dwProcessId;
        }
    }
    ~CRunningProgram() {
        if (Running()) {
            TerminateProcess(process_.Get(), 0);
            WaitForSingleObject(process_.Get(), 5000);
        }
    }
    bool Started() const { return static_cast<bool>(process_); }
    bool Running() const {
        return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT;
    }
    // Termination is asynchronous: wait for it with a bound.
    bool EndsWithin(DWORD milliseconds) const {
        return process_ && WaitForSingleObject(process_.Get(), milliseconds) == WAIT_OBJECT_0;
    }
    DWORD Id() const { return id_; }

private:
    std::string path_;
    CHandle process_;
    DWORD id_ = 0;
};

// The executable name of the process that started the first process of that name; empty when
// either is not found.
std::string ParentName(const std::string& exeName) {
    CFileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    std::vector<PROCESSENTRY32> entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = snapshot && Process32First(snapshot.Get(), &entry); more;
         more = Process32Next(snapshot.Get(), &entry)) {
        entries.push_back(entry);
    }
    for (const PROCESSENTRY32& child : entries) {
        if (exeName == child.szExeFile) {
            for (const PROCESSENTRY32& parent : entries) {
                if (parent.th32ProcessID == child.th32ParentProcessID) {
                    return parent.szExeFile;
                }
            }
        }
    }
    return "";
}

class ProcessControlTest : public ::testing::Test {
protected:
    void SetUp() override { folder_ = testbed::MakeTempFolder("programs"); }
    // Names that differ only in case need folders of their own: the file system folds case.
    std::unique_ptr<CRunningProgram> Start(const std::string& name,
                                           const std::string& subFolder = "") {
        const std::string folder = subFolder.empty() ? folder_ : folder_ + "\\" + subFolder;
        CreateFolderTree(folder);
        auto program = std::make_unique<CRunningProgram>(folder, name);
        EXPECT_TRUE(program->Started()) << name;
        return program;
    }
    std::string folder_;
};

}  // namespace

TEST_F(ProcessControlTest, StopListHasTheBrandPrefixedAndPlainNames) {
    ProcessStopList list("C:\\R", CSetupConfig::Instance());
    ASSERT_EQ(list.BrandPrefixedNames().size(), 25u);
    EXPECT_EQ(list.BrandPrefixedNames().front(), "Velmora.Framework.C.exe");
    EXPECT_EQ(list.BrandPrefixedNames().back(), "Velmora.Broadcast.C.exe");
    ASSERT_EQ(list.PlainNames().size(), 4u);
    EXPECT_EQ(list.PlainNames()[3], "startUp.exe");
}

// Programs of the product run from the installation's product folder, the plain ones and the
// watchdog from a folder of their own below it; every instance there is stopped.
TEST_F(ProcessControlTest, StopProgramsStopsTheProductAndWatchDogButNotCaseVariants) {
    const std::string product = CFolderLayout(folder_).ProductDir();
    const std::string installed = product.substr(folder_.size() + 1);
    auto watchDog = Start("WatchDog.exe", installed);
    auto client = Start("Velmora.Framework.C.exe", installed + "\\Velmora AC Client");
    auto server = Start("Velmora.Framework.S.exe", installed + "\\Velmora AC Client");
    auto plain = Start("Lumora.exe", installed + "\\tools");
    auto secondPlain = Start("Lumora.exe", installed + "\\tools");
    auto otherCase = Start("velmora.framework.c.exe", installed + "\\lower");
    auto unrelated = Start("Notepad2.exe", installed);
    EXPECT_TRUE(IsClientRunning(CSetupConfig::Instance().brandName));

    // A root with a trailing separator, as a typed one may have, names the same folder.
    EXPECT_TRUE(ProcessStopList(folder_ + "\\", CSetupConfig::Instance()).StopPrograms());

    EXPECT_TRUE(watchDog->EndsWithin(10000));
    EXPECT_TRUE(client->EndsWithin(10000));
    EXPECT_TRUE(server->EndsWithin(10000));
    EXPECT_TRUE(plain->EndsWithin(10000));
    EXPECT_TRUE(secondPlain->EndsWithin(10000));
    EXPECT_TRUE(otherCase->Running());
    EXPECT_TRUE(unrelated->Running());
    EXPECT_FALSE(IsClientRunning(CSetupConfig::Instance().brandName));
}

// The same names running anywhere but the product's folders, as another user's programs may, are
// left alone: here beside the product folder and in a folder whose name only begins like it.
// A program still at work at its bound is ended, and has ended when the call returns: the
// driver-removal script and the icon-cache program cannot hold up a run, nor keep a file of the
// working folder in use.
TEST_F(ProcessControlTest, ProgramPastItsBoundHasEndedWhenTheCallReturns) {
    CreateFolderTree(folder_);
    const std::string program = folder_ + "\\Bounded.exe";
    ASSERT_TRUE(CopyFileA(SleeperPath().c_str(), program.c_str(), FALSE));
    const ULONGLONG started = GetTickCount64();
    EXPECT_TRUE(RunProgramWithin(program, "", 500));
    // Waited for to its end, the sleeper would take a minute.
    EXPECT_LT(GetTickCount64() - started, 30000u);
    EXPECT_EQ(FindProcessByName("Bounded.exe"), 0u);
}

TEST_F(ProcessControlTest, ProgramsOutsideTheProductFoldersKeepRunning) {
    const std::string product = CFolderLayout(folder_).ProductDir();
    const std::string installed = product.substr(folder_.size() + 1);
    auto watchDog = Start("WatchDog.exe", "elsewhere");
    auto client = Start("Velmora.Framework.C.exe", installed + " copy");
    auto plain = Start("startUp.exe");
    auto inside = Start("startUp.exe", installed);

    EXPECT_TRUE(ProcessStopList(folder_, CSetupConfig::Instance()).StopPrograms());

    EXPECT_TRUE(inside->EndsWithin(10000));
    EXPECT_TRUE(watchDog->Running());
    EXPECT_TRUE(client->Running());
    EXPECT_TRUE(plain->Running());
    EXPECT_EQ(ProcessStopList(folder_, CSetupConfig::Instance()).ProductFolders(),
              (std::vector<std::string>{CFolderLayout::ProgramFilesProductDir(), product}));
    EXPECT_EQ(ProcessStopList("relative", CSetupConfig::Instance()).ProductFolders(),
              std::vector<std::string>{CFolderLayout::ProgramFilesProductDir()});
}

TEST_F(ProcessControlTest, KillStopsOnlyTheFirstOfTwoInstances) {
    auto first = Start("UpgradeClient.exe");
    auto second = Start("UpgradeClient.exe");
    const DWORD found = FindProcessByName("UpgradeClient.exe");
    ASSERT_TRUE(found == first->Id() || found == second->Id());

    EXPECT_TRUE(KillProcessByName("UpgradeClient.exe"));
    CRunningProgram& killed = found == first->Id() ? *first : *second;
    CRunningProgram& kept = found == first->Id() ? *second : *first;
    EXPECT_TRUE(killed.EndsWithin(10000));
    EXPECT_TRUE(kept.Running());
}

TEST_F(ProcessControlTest, NothingToStopIsNotAnError) {
    EXPECT_EQ(FindProcessByName("NoSuchProgram.exe"), 0u);
    EXPECT_FALSE(KillProcessByName("NoSuchProgram.exe"));
    EXPECT_FALSE(IsClientRunning(CSetupConfig::Instance().brandName));
    EXPECT_TRUE(ProcessStopList("C:\\R", CSetupConfig::Instance()).StopPrograms());
}

// Every instance of the installed web server goes, by its full image path; a program of the same
// name elsewhere keeps running, and nothing is read from the public user folder.
TEST_F(ProcessControlTest, WebServerStopTerminatesEveryInstalledInstanceOnly) {
    const char drive = SystemDirectory()[0];
    EXPECT_EQ(WebServerProgram(CSetupConfig::Instance()),
              std::string(1, drive) + ":\\Program Files (x86)\\Velmora AC\\Nginx\\nginx.exe");
    const std::string installed = CFolderLayout::ProgramFilesProductDir() + "\\Nginx";
    CreateFolderTree(installed);
    CRunningProgram first(installed, "nginx.exe");
    CRunningProgram second(installed, "nginx.exe");
    auto elsewhere = Start("nginx.exe", "elsewhere");
    ASSERT_TRUE(first.Started());
    ASSERT_TRUE(second.Started());

    EXPECT_TRUE(ProcessStopList("C:\\R", CSetupConfig::Instance()).StopPrograms());

    EXPECT_TRUE(first.EndsWithin(10000));
    EXPECT_TRUE(second.EndsWithin(10000));
    EXPECT_TRUE(elsewhere->Running());
    EXPECT_EQ(StopWebServer(CSetupConfig::Instance()), 0) << "nothing is left to stop";
    DeleteFolder(CFolderLayout::ProgramFilesProductDir(), false);
}

TEST_F(ProcessControlTest, LaunchStartsTheInstalledFrameworks) {
    const std::string root = testbed::MakeTempFolder("root");
    const std::string client = root + "\\Velmora AC\\Velmora AC Client\\Client";
    const std::string server = root + "\\Velmora AC\\Velmora AC Client\\Server";
    testbed::WriteFile(client + "\\placeholder", "");
    testbed::WriteFile(server + "\\placeholder", "");
    CopyFileA(SleeperPath().c_str(), (client + "\\Velmora.Framework.C.exe").c_str(), FALSE);
    CopyFileA(SleeperPath().c_str(), (server + "\\Velmora.Framework.S.exe").c_str(), FALSE);

    // A signed-in user's session has its desktop shell; Wine starts its own with the desktop.
    ASSERT_NE(GetDesktopWindow(), nullptr);
    ProcessStopList list(root, CSetupConfig::Instance());
    EXPECT_TRUE(list.LaunchServer());
    EXPECT_TRUE(list.LaunchClient());
    // Children of the desktop's shell, not of this program: they run with the shell's token, the
    // signed-in user's rights, whatever this program's are.
    EXPECT_EQ(ParentName("Velmora.Framework.C.exe"), "explorer.exe");
    EXPECT_EQ(ParentName("Velmora.Framework.S.exe"), "explorer.exe");
    KillProcessByName("Velmora.Framework.C.exe");
    KillProcessByName("Velmora.Framework.S.exe");
    EXPECT_FALSE(
        ProcessStopList(testbed::MakeTempFolder("empty"), CSetupConfig::Instance()).LaunchClient());
}
