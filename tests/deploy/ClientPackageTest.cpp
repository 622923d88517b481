#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "TempFolderScope.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "deploy/MenuAndDesk.h"
#include "deploy/Payload.h"
#include "deploy/SharedLibraries.h"
#include "product/TextTable.h"

namespace {

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The placement lists name what the package this program carries really brings.
TEST(ClientPackage, EveryListedLibraryIsInThePackageAndIsPlaced) {
    const std::string root = testbed::MakeTempFolder("package");
    for (int32_t component : {0, 101, 4, 5, 6, 8, 12}) {
        SetUp::ComponentDeployment{root, component, CSetupConfig::Instance()}.Install();
    }
    SetUp::PlaceSharedLibraries(root, CSetupConfig::Instance());

    const std::string base = root + "\\Velmora AC\\Velmora AC Client\\";
    const std::string client = base + "Client\\";
    auto component = [&](const char* name) { return client + "Velmora." + name + ".C\\"; };
    for (const char* name : SetUp::kServerLibraries) {
        ASSERT_TRUE(Exists(client + name)) << name << " is not in the client package";
        EXPECT_EQ(Read(base + "Server\\" + name), Read(client + name)) << name;
    }
    for (const char* name : SetUp::kPlayerLibraries) {
        EXPECT_EQ(Read(client + "Player\\" + name), Read(client + name)) << name;
    }
    for (const char* name : SetUp::kDeviceManagementLibraries) {
        EXPECT_EQ(Read(component("DeviceManagement") + name), Read(client + name)) << name;
    }
    for (const char* name : SetUp::kVideoLibraries) {
        EXPECT_TRUE(Exists(client + name)) << name << " is not in the client package";
    }
    EXPECT_TRUE(Exists(base + "Server\\" + SetUp::kNetSdkPluginFolder));
    EXPECT_TRUE(Exists(component("Attendance") + "platforms\\qwindows.dll"));
    EXPECT_EQ(Read(component("AccessController") + "MultimediaComm.dll"),
              Read(component("AlarmCenter") + "MultimediaComm.dll"));
    EXPECT_FALSE(Read(component("AlarmCenter") + "MultimediaComm.dll").empty());
}

// The icon-cache program is written to the working folder under the Windows folder's Temp; the
// user's temporary folder (here under a name with a blank) plays no part.
TEST(ClientPackage, IconCacheProgramIsWrittenToTheWorkingFolder) {
    const std::string temp = testbed::MakeTempFolder("Jane Doe") + "\\";
    const CTempFolderScope scope(temp);
    SetUp::CMenuAndDesk(temp, CSetupConfig::Instance(), CTextTable::Instance()).ClearIconCache();
    const std::string folder = SetUp::GetTempWorkDir();
    EXPECT_EQ(folder.rfind(WindowsDirectory() + "\\Temp\\InstallationTempFile", 0), 0u) << folder;
    EXPECT_TRUE(SetUp::IsFolderEmpty(temp)) << temp;
    EXPECT_GT(Read(folder + "ie4uinit.exe").size(), 1024u);
}

}  // namespace
