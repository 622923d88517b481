#include <windows.h>

#include <gtest/gtest.h>

#include "EngineTestSupport.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/Payload.h"
#include "product/FolderLayout.h"

using namespace SetUp;
using enginetest::Exists;
using enginetest::IsDirectory;
using enginetest::ReadAll;
using enginetest::ResourceBytes;

namespace {

TEST(Resources, AbsentResourceLeavesAnEmptyFileAndNoHandle) {
    const std::string path = GetTempWorkDir() + "absent.7z";
    SaveResourceToTemp("absent.7z", 9999, "ZIP");
    ASSERT_TRUE(Exists(path));
    EXPECT_EQ(ReadAll(path), "");
    EXPECT_TRUE(DeleteFileA(path.c_str())) << "the file is still held open";
}

TEST(Resources, RemovalScriptIsByteExact) {
    SaveResourceToTemp("delnpf.bat", 327, "BAT");
    EXPECT_EQ(ReadAll(GetTempWorkDir() + "delnpf.bat"),
              "sc stop win10pcap\r\nsc delete win10pcap\r\nsc stop npf\r\nsc delete npf");
}

TEST(Resources, WorkingFolderIsDeletedWhole) {
    char saved[MAX_PATH] = {};
    GetEnvironmentVariableA("TMP", saved, MAX_PATH);
    const std::string temp = testbed::MakeTempFolder("tmp") + "\\";
    DeleteTempWorkDir();
    SetEnvironmentVariableA("TMP", temp.c_str());
    const std::string folder = GetTempWorkDir();
    SaveResourceToTemp("delnpf.bat", 327, "BAT");
    testbed::WriteFile(folder + "nested\\file.txt", "x");
    DeleteTempWorkDir();
    SetEnvironmentVariableA("TMP", saved);
    // A new name each time: "InstallationTempFile" and sixteen random hexadecimal digits.
    // The user's TMP plays no part: the folder is under the Windows folder's Temp.
    const std::string parent = WindowsDirectory() + "\\Temp\\";
    EXPECT_EQ(folder.rfind(parent + "InstallationTempFile", 0), 0u) << folder;
    EXPECT_EQ(folder.size(), parent.size() + 20 + 16 + 1) << folder;
    EXPECT_TRUE(IsFolderEmpty(temp)) << temp;
    EXPECT_FALSE(Exists(folder));
}

TEST(SevenZip, WrittenOncePerProcess) {
    const std::string program = GetTempWorkDir() + "7za.exe";
    const std::string bytes = ResourceBytes(326, "EXE");
    ASSERT_GT(bytes.size(), 100000u);
    EnsureSevenZip();
    EXPECT_EQ(ReadAll(program), bytes);
    testbed::WriteFile(program, "marker");
    EnsureSevenZip();
    EXPECT_EQ(ReadAll(program), "marker");
    ASSERT_TRUE(WriteResourceToFile(program, 326, "EXE"));  // later tests extract with it
}

class Components : public ::testing::Test {
protected:
    void SetUp() override {
        // A root with blanks and parentheses, below folders that do not exist yet.
        root_ = testbed::MakeTempFolder("components") + "\\My Root\\Program Files (x86)";
        base_ = enginetest::InstallationFolder(root_);
    }
    std::string root_;
    std::string base_;
};

TEST_F(Components, ComponentLandsInItsFolderBelowARootWithBlanks) {
    const ComponentDeployment component{root_, 5, CSetupConfig::Instance()};
    EXPECT_EQ(component.FolderName(), "Velmora.AccessController.C");
    EXPECT_EQ(component.ParentFolder(), base_ + "\\Client");
    component.Install();
    EXPECT_EQ(ReadAll(GetTempWorkDir() + "Velmora.AccessController.C.7z"),
              ResourceBytes(237, "ZIP"));
    EXPECT_TRUE(Exists(base_ + "\\Client\\Velmora.AccessController.C\\component.ini"));
}

TEST_F(Components, FrameworksUnpackAtTopLevel) {
    ComponentDeployment{root_, 0, CSetupConfig::Instance()}.Install();
    ComponentDeployment{root_, 101, CSetupConfig::Instance()}.Install();
    for (const char* file :
         {"Velmora.Framework.C.exe", "User Manual.pdf", "MultimediaComm.dll",
          "RunInWin64\\MultimediaComm.dll", "platforms\\qwindows.dll", "Player\\Player.ini",
          "Qt5Core.dll", "KvNetSdkCom\\KvNetSdkPlugin.dll"}) {
        EXPECT_TRUE(Exists(base_ + "\\Client\\" + file)) << file;
    }
    EXPECT_TRUE(Exists(base_ + "\\Server\\Velmora.Framework.S.exe"));
    EXPECT_EQ(ComponentDeployment({root_, 101, CSetupConfig::Instance()}).ParentFolder(),
              base_ + "\\Server");
}

TEST_F(Components, RemovalDeletesExactlyTheComponentFolder) {
    ComponentDeployment{root_, 5, CSetupConfig::Instance()}.Install();
    ComponentDeployment{root_, 12, CSetupConfig::Instance()}.Install();
    ComponentDeployment{root_, 5, CSetupConfig::Instance()}.Remove();
    EXPECT_FALSE(Exists(base_ + "\\Client\\Velmora.AccessController.C"));
    EXPECT_TRUE(Exists(base_ + "\\Client\\Velmora.AlarmCenter.C\\MultimediaComm.dll"));

    ComponentDeployment{root_, 101, CSetupConfig::Instance()}.Install();
    testbed::WriteFile(base_ + "\\Server\\Server\\inner.txt", "x");
    ComponentDeployment{root_, 101, CSetupConfig::Instance()}.Remove();
    EXPECT_FALSE(Exists(base_ + "\\Server\\Server")) << "the folder named Server inside it";
    EXPECT_TRUE(Exists(base_ + "\\Server\\Velmora.Framework.S.exe"));
}

TEST_F(Components, ReinstallOverwritesAndAMissingPackageUnpacksNothing) {
    const std::string ini = base_ + "\\Client\\Velmora.AlarmCenter.C\\component.ini";
    ComponentDeployment{root_, 12, CSetupConfig::Instance()}.Install();
    const std::string shipped = ReadAll(ini);
    testbed::WriteFile(ini, "changed");
    ComponentDeployment{root_, 12, CSetupConfig::Instance()}.Install();
    EXPECT_EQ(ReadAll(ini), shipped);

    ComponentDeployment{root_, 2, CSetupConfig::Instance()}
        .Install();  // edition AC does not carry it
    EXPECT_TRUE(Exists(GetTempWorkDir() + "Velmora.Log.C.7z"));
    EXPECT_EQ(ReadAll(GetTempWorkDir() + "Velmora.Log.C.7z"), "");
    EXPECT_FALSE(Exists(base_ + "\\Client\\Velmora.Log.C"));
}

TEST(Extraction, StartResultAndDestinationWithForwardSlashes) {
    const std::string target = testbed::MakeTempFolder("extract") + "/a b/c";
    SaveResourceToTemp("Npf.7z", 248, "ZIP");
    EXPECT_FALSE(UnpackArchive(target, "Npf.7z").failed);
    EXPECT_TRUE(Exists(target + "/NpfDetectApp.exe"));
}

TEST(WebServer, LandsInTheProgramFilesProductFolder) {
    const std::string folder = CFolderLayout::ProgramFilesProductDir();
    DeleteFolder(folder, false);
    DeployWebServer(CSetupConfig::Instance());
    EXPECT_TRUE(Exists(folder + "\\Nginx\\nginx.exe"));
    EXPECT_TRUE(Exists(folder + "\\Nginx\\conf\\nginx.conf"));
    EXPECT_TRUE(IsDirectory(folder + "\\html"));
    EXPECT_EQ(ReadAll(folder + "\\uninstall.exe"), ResourceBytes(176, "EXE"));
    testbed::WriteFile(folder + "\\uninstall.exe", "old");
    DeployWebServer(CSetupConfig::Instance());
    EXPECT_EQ(ReadAll(folder + "\\uninstall.exe"), ResourceBytes(176, "EXE"));
}

}  // namespace
