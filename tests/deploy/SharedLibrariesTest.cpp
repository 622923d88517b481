#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "common/TestMachine.h"
#include "deploy/SharedLibraries.h"
#include "product/Catalogue.h"

namespace {

// The documented names, written once in SharedLibraries.golden beside this test.
const testbed::GoldenLists& Golden() {
    static const testbed::GoldenLists lists =
        testbed::ReadGoldenLists(SETUP_TEST_SOURCE_DIR "/SharedLibraries.golden");
    return lists;
}
const std::vector<std::string>& kOutside = Golden().at("outside");
const std::vector<std::string>& kInHouse = Golden().at("inhouse");
const std::vector<std::string>& kPlayer = Golden().at("player");
const std::vector<std::string>& kVideo = Golden().at("video");
const std::vector<std::string>& kDevice = Golden().at("device");
const std::vector<std::string>& kAllComponents = Golden().at("components");

std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0) {
            names.insert(data.cFileName);
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
}

std::set<std::string> Union(std::initializer_list<const std::vector<std::string>*> lists) {
    std::set<std::string> all;
    for (const auto* list : lists) {
        all.insert(list->begin(), list->end());
    }
    return all;
}

class SharedLibraries : public ::testing::Test {
protected:
    void SetUp() override { root_ = testbed::MakeTempFolder("libs"); }

    // A client package as extracted: every library, the plug-in folders, the player folder, the
    // server folder and the named component folders (the alarm centre with its media library).
    void Extract(const std::string& brand, const std::vector<std::string>& components,
                 const std::string& edition = "v1") {
        base_ = root_ + "\\" + brand + " AC\\" + brand + " AC Client\\";
        brand_ = brand;
        for (const auto& name : Union({&kOutside, &kInHouse, &kVideo, &kDevice})) {
            testbed::WriteFile(Client() + name, name + " " + edition);
        }
        testbed::WriteFile(Client() + "platforms\\qwindows.dll", "qwindows " + edition);
        testbed::WriteFile(Client() + "KvNetSdkCom\\KvNetSdkPlugin.dll", "plugin " + edition);
        testbed::WriteFile(Client() + "Player\\Player.ini", "[Player]");
        testbed::WriteFile(base_ + "Server\\Server.ini", "[Server]");
        for (const auto& component : components) {
            testbed::WriteFile(Component(component) + "component.ini", component);
        }
        if (Exists(Component("AlarmCenter"))) {
            testbed::WriteFile(Component("AlarmCenter") + "MultimediaComm.dll", "media " + edition);
        }
    }

    void Place() const {
        SetUp::PlaceSharedLibraries(root_,
                                    testbed::MakeConfig(ProductVariant::AC, 1, 0, 0, brand_));
    }

    std::string Client() const { return base_ + "Client\\"; }
    std::string Server() const { return base_ + "Server\\"; }
    std::string Player() const { return base_ + "Client\\Player\\"; }
    std::string Component(const std::string& name) const {
        return Client() + brand_ + "." + name + ".C\\";
    }

    void ExpectCopies(const std::vector<std::string>& names, const std::string& folder,
                      const std::string& edition) const {
        for (const auto& name : names) {
            EXPECT_EQ(Read(folder + name), name + " " + edition) << folder << name;
        }
    }

    std::string root_;
    std::string base_;
    std::string brand_;
};

TEST_F(SharedLibraries, EveryPlacementOfAFullSelection) {
    Extract("Velmora", kAllComponents);
    Place();

    std::set<std::string> server = Union({&kOutside, &kInHouse});
    EXPECT_EQ(server.size(), 62u);
    server.insert({"Server.ini", "platforms", "KvNetSdkCom"});
    EXPECT_EQ(Entries(Server()), server);
    ExpectCopies(kOutside, Server(), "v1");
    ExpectCopies(kInHouse, Server(), "v1");
    EXPECT_EQ(Read(Server() + "platforms\\qwindows.dll"), "qwindows v1");
    EXPECT_EQ(Read(Server() + "KvNetSdkCom\\KvNetSdkPlugin.dll"), "plugin v1");

    std::set<std::string> player(kPlayer.begin(), kPlayer.end());
    player.insert({"Player.ini", "platforms"});
    EXPECT_EQ(Entries(Player()), player);
    ExpectCopies(kPlayer, Player(), "v1");

    std::set<std::string> video(kVideo.begin(), kVideo.end());
    video.insert({"component.ini", "platforms"});
    EXPECT_EQ(Entries(Component("Video")), video);
    ExpectCopies(kVideo, Component("Video"), "v1");
    ExpectCopies(kDevice, Component("DeviceManagement"), "v1");
    EXPECT_EQ(Read(Component("Emap") + "opengl32sw.dll"), "opengl32sw.dll v1");

    for (const auto& component : kAllComponents) {
        EXPECT_EQ(Entries(Component(component) + "platforms"),
                  (std::set<std::string>{"qwindows.dll"}))
            << component;
    }
    EXPECT_EQ(Read(Player() + "platforms\\qwindows.dll"), "qwindows v1");

    for (const auto& component : kAllComponents) {
        const bool takesMedia = component == "AccessController" || component == "AIDashboard" ||
                                component == "DataStatistics" || component == "Emap" ||
                                component == "Topology" || component == "AlarmCenter";
        EXPECT_EQ(Read(Component(component) + "MultimediaComm.dll"), takesMedia ? "media v1" : "")
            << component;
    }
    EXPECT_FALSE(Exists(Component("PersonalManagement") + "msvcp120.dll"));
    EXPECT_FALSE(Exists(Client() + "Korvane.PersonalManagement.C"));
}

TEST_F(SharedLibraries, SelectionWithoutDeviceManagement) {
    Extract("Velmora", {"Video", "Emap", "AlarmCenter"});
    Place();
    EXPECT_FALSE(Exists(Component("DeviceManagement")));
    EXPECT_FALSE(Exists(Component("Emap") + "opengl32sw.dll"));
    EXPECT_EQ(Entries(Component("Emap")),
              (std::set<std::string>{"component.ini", "platforms", "MultimediaComm.dll"}));
    // Components that are not installed get no folder from any placement.
    for (const auto& component : kAllComponents) {
        if (component != "Video" && component != "Emap" && component != "AlarmCenter") {
            EXPECT_FALSE(Exists(Component(component))) << component;
        }
    }
}

TEST_F(SharedLibraries, SecondInstallRefreshesFilesButNotPluginFolders) {
    Extract("Velmora", kAllComponents);
    Place();
    Extract("Velmora", kAllComponents, "v2");
    testbed::WriteFile(Client() + "platforms\\qoffscreen.dll", "qoffscreen v2");
    Place();

    ExpectCopies(kOutside, Server(), "v2");
    ExpectCopies(kPlayer, Player(), "v2");
    ExpectCopies(kVideo, Component("Video"), "v2");
    ExpectCopies(kDevice, Component("DeviceManagement"), "v2");
    EXPECT_EQ(Read(Component("Topology") + "MultimediaComm.dll"), "media v2");
    EXPECT_EQ(Read(Server() + "platforms\\qwindows.dll"), "qwindows v1");
    EXPECT_EQ(Read(Server() + "KvNetSdkCom\\KvNetSdkPlugin.dll"), "plugin v1");
    for (const auto& component : kAllComponents) {
        EXPECT_EQ(Read(Component(component) + "platforms\\qwindows.dll"), "qwindows v1")
            << component;
        EXPECT_FALSE(Exists(Component(component) + "platforms\\qoffscreen.dll")) << component;
    }
}

TEST_F(SharedLibraries, KorvanePrefixedCopiesOnlyForThatBrand) {
    Extract("Korvane", {"PersonalManagement"});
    Place();
    EXPECT_EQ(Read(Component("PersonalManagement") + "msvcp120.dll"), "msvcp120.dll v1");
    EXPECT_EQ(Read(Component("PersonalManagement") + "msvcp140.dll"), "msvcp140.dll v1");

    Extract("Velmora", {"PersonalManagement"});
    Place();
    EXPECT_FALSE(Exists(Component("PersonalManagement") + "msvcp120.dll"));
    EXPECT_FALSE(Exists(Component("PersonalManagement") + "msvcp140.dll"));
    EXPECT_FALSE(Exists(Client() + "Korvane.PersonalManagement.C"));
}

}  // namespace
