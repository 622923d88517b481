#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "common/TestMachine.h"
#include "engine/InstallMode.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"

namespace {

CSetupConfig gConfig;
const CSetupConfig& TestConfig() {
    return gConfig;
}

class InstallModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        testbed::RemoveAllRecords();
        gConfig = testbed::MakeConfig(ProductVariant::AC);
    }
    void TearDown() override { testbed::RemoveAllRecords(); }

    InstallType Detect() {
        CInstallMode mode;
        mode.Detect(TestConfig());
        return mode.installType;
    }

    static void RecordAC(const std::string& version, const std::string& list = "",
                         const std::string& location = "C:\\Apps") {
        testbed::CreateRecord(ProductVariant::AC, {{"DisplayVersion", version},
                                                   {"InstallLocation", location},
                                                   {"DisplayName", "Velmora"},
                                                   {"LanguageType", "E"},
                                                   {"ComponentList", list}});
    }
};

}  // namespace

TEST_F(InstallModeTest, NothingInstalledIsFresh) {
    EXPECT_EQ(Detect(), InstallType::Fresh);
}

TEST_F(InstallModeTest, TwoEditionsAreAlwaysAnotherEdition) {
    RecordAC("1.11.1.7");
    testbed::CreateRecord(ProductVariant::VS, {{"DisplayVersion", "1.11.1.7"}});
    EXPECT_EQ(Detect(), InstallType::OtherEditionInstalled);
}

TEST_F(InstallModeTest, OnlyAnotherEditionIsAnotherEdition) {
    testbed::CreateRecord(ProductVariant::VS, {{"DisplayVersion", "1.11.1.7"}});
    EXPECT_EQ(Detect(), InstallType::OtherEditionInstalled);
}

TEST_F(InstallModeTest, KeyWithoutProductGuidIsNotInstalled) {
    testbed::CreateRecord(ProductVariant::VS, {{"DisplayVersion", "1.11.1.7"}}, /*withGuid=*/false);
    EXPECT_EQ(Detect(), InstallType::Fresh);
    RecordAC("1.11.1.7");
    EXPECT_EQ(Detect(), InstallType::Maintenance);
}

TEST_F(InstallModeTest, VersionDecidesMaintenanceUpgradeOrNewer) {
    RecordAC("1.11.1.7");
    EXPECT_EQ(Detect(), InstallType::Maintenance);
    RecordAC("1.12.0.0");
    EXPECT_EQ(Detect(), InstallType::NewerInstalled);
    RecordAC("1.10.0.5");
    EXPECT_EQ(Detect(), InstallType::UpgradeBlind);
    // An unreadable version counts as 0: an older one.
    RecordAC("");
    EXPECT_EQ(Detect(), InstallType::UpgradeBlind);
}

TEST_F(InstallModeTest, UpgradeKindByComponentListThenDescriptionFile) {
    const std::string root = testbed::MakeTempFolder("old");
    RecordAC("1.10.0.5", "0#4#2#12#101#106#103#112", root);
    EXPECT_EQ(Detect(), InstallType::UpgradeByComponentList);

    RecordAC("1.10.0.5", "", root);
    EXPECT_EQ(Detect(), InstallType::UpgradeBlind);
    testbed::WriteFile(root + "\\Velmora AC\\Velmora AC Client\\Client\\ProductDescription.xml",
                       "<x/>");
    EXPECT_EQ(Detect(), InstallType::UpgradeByDescription);
    // The list wins over the file.
    RecordAC("1.10.0.5", "5#6", root);
    EXPECT_EQ(Detect(), InstallType::UpgradeByComponentList);
}

TEST_F(InstallModeTest, DescriptionFileFolderFollowsTheConfiguredEdition) {
    gConfig = testbed::MakeConfig(ProductVariant::FULL);
    const std::string root = testbed::MakeTempFolder("full");
    testbed::CreateRecord(ProductVariant::FULL,
                          {{"DisplayVersion", "1.0"}, {"InstallLocation", root}});
    testbed::WriteFile(root + "\\Velmora Site\\Velmora Client\\Client\\ProductDescription.xml", "");
    EXPECT_EQ(Detect(), InstallType::UpgradeByDescription);
}

TEST_F(InstallModeTest, SameEditionByBrandAndLanguage) {
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"}, {"LanguageType", "E"}});
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0)));
    EXPECT_FALSE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 1)));
    EXPECT_FALSE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0, 0, "Korvane")));
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0, 0, "")));
    // Brand matching is case-sensitive.
    EXPECT_FALSE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0, 0, "velmora")));
}

TEST_F(InstallModeTest, SameEditionWithAnEmptyLanguageTypePasses) {
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"}});
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0)));
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 1)));
}

TEST_F(InstallModeTest, SameEditionByTheLetterInAnOlderDisplayName) {
    // The name carries a capital C or E: the letter decides, LanguageType is not read.
    testbed::CreateRecord(ProductVariant::AC,
                          {{"DisplayName", "Velmora AC(E)"}, {"LanguageType", "C"}});
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 0)));
    // "AC" holds a C, so the Chinese package matches too.
    EXPECT_TRUE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 1)));
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora Site(E)"}});
    EXPECT_FALSE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC, 1, 1)));
}

TEST_F(InstallModeTest, SameEditionIsFalseWithTwoRecords) {
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"}});
    testbed::CreateRecord(ProductVariant::SL, {{"DisplayName", "Velmora"}});
    EXPECT_FALSE(IsSameEdition(testbed::MakeConfig(ProductVariant::AC)));
}

TEST(CompareVersions, ComparesPiecesAsNumbers) {
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.11.1.7"), 0);
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.11.1.6"), 1);
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.9.9.9"), 1);
    EXPECT_EQ(CompareVersions("1.11.1.7", "2.0.0.0"), 2);
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.11.1.8"), 2);
    EXPECT_EQ(CompareVersions("01.11.1.7", "1.011.1.07"), 0);
}

TEST(CompareVersions, LooksOnlyAtTheNewVersionsPiecesAndCountsMissingOnesAsZero) {
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.11.1.7.9"), 0);
    EXPECT_EQ(CompareVersions("1.11.1.7", "1.11"), 1);
    EXPECT_EQ(CompareVersions("1.11", "1.11.0.0"), 0);
    EXPECT_EQ(CompareVersions("1.11.0.0", "1.11"), 0);
    EXPECT_EQ(CompareVersions("1.11.1.7", ""), 1);
    EXPECT_EQ(CompareVersions("0.0", ""), 0);
    EXPECT_EQ(CompareVersions("1.x.3", "1.0.2"), 1);
}

// A ComponentList that names no valid component counts as no list: the description file, or
// else the blind upgrade, decides. So does one too long to be a record's (10,000 pieces); a list
// with at least one valid piece wins.
TEST_F(InstallModeTest, DamagedComponentListsFallBackToTheDescriptionFileOrBlindUpgrade) {
    std::string tenThousand;
    for (int i = 0; i < 10000; ++i) {
        tenThousand += (i % 2 == 0 ? "12#" : "x#");
    }
    const struct {
        std::string list;
        bool withDescription;
        InstallType expected;
    } cases[] = {
        {"0#4#2", false, InstallType::UpgradeByComponentList},
        {"##", false, InstallType::UpgradeBlind},
        {"##", true, InstallType::UpgradeByDescription},
        {"#x#abc# #", false, InstallType::UpgradeBlind},
        {"99999999999#-#+", true, InstallType::UpgradeByDescription},
        {"99999999999#4", false, InstallType::UpgradeByComponentList},
        {"0##4# #x", false, InstallType::UpgradeByComponentList},
        {tenThousand, false, InstallType::UpgradeBlind},
        {tenThousand, true, InstallType::UpgradeByDescription},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list.substr(0, 40));
        const std::string root = testbed::MakeTempFolder("damaged list");
        if (c.withDescription) {
            testbed::WriteFile(
                root + "\\Velmora AC\\Velmora AC Client\\Client\\ProductDescription.xml", "");
        }
        RecordAC("1.10.0.5", c.list, root);
        EXPECT_EQ(Detect(), c.expected);
    }
    EXPECT_EQ(SetUp::DecodeComponentList(tenThousand).client.size(), 5000u);
}

// Values of the wrong type read as absent: a record whose ProductGuid is a number is no record,
// a version stored as bytes is an unreadable (older) version.
TEST_F(InstallModeTest, RecordValuesOfTheWrongTypeReadAsAbsent) {
    RecordAC("1.11.1.7");
    const std::string key = SetUp::UninstallRootPath() + ProductCodeByVariant(ProductVariant::AC);
    const char version[] = "1.11.1.7";
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "DisplayVersion", REG_BINARY,
                              version, sizeof(version)),
              ERROR_SUCCESS);
    EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), "");
    EXPECT_EQ(Detect(), InstallType::UpgradeBlind);
    const DWORD number = 7;
    ASSERT_EQ(RegSetKeyValueA(HKEY_LOCAL_MACHINE, key.c_str(), "ProductGuid", REG_DWORD, &number,
                              sizeof(number)),
              ERROR_SUCCESS);
    EXPECT_EQ(Detect(), InstallType::Fresh);
}

// The version and the location build paths the installer deletes and writes: a version that is
// not dotted numbers, or a location the install-path rule refuses, reads as absent.
TEST_F(InstallModeTest, RecordedVersionAndLocationThatBreakTheirRulesReadAsAbsent) {
    const struct {
        const char* version;
        const char* location;
        bool versionKept;
        bool locationKept;
    } cases[] = {
        {"1.10.0.5", "C:\\ok", true, true},
        {"1.2.3.4\\..", "..\\..\\Windows", false, false},
        {"..\\..\\Windows", "C:\\Apps\\..\\Windows", false, false},
        {"", "", true, true},
        {"1..2", "\\\\server\\share", false, false},
        {"1.2 ", "Apps", false, false},
        {".1", "C:\\Apps\\%WINDIR%", false, false},
        {"7", "C:\\Program Files (x86)", true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " | " + c.location);
        RecordAC(c.version, "", c.location);
        EXPECT_EQ(SetUp::ReadInstalledValue("DisplayVersion"), c.versionKept ? c.version : "");
        EXPECT_EQ(SetUp::ReadInstalledValue("InstallLocation"), c.locationKept ? c.location : "");
        EXPECT_EQ(SetUp::ReadUninstallValue(ProductVariant::AC, "InstallLocation"),
                  c.locationKept ? c.location : "");
    }
}

// A location that climbs out with ".." is not looked into: the description file it reaches
// does not make the upgrade one by description.
TEST_F(InstallModeTest, ARefusedLocationIsNotLookedInto) {
    const std::string root = testbed::MakeTempFolder("climbed");
    testbed::WriteFile(root + "\\Velmora AC\\Velmora AC Client\\Client\\ProductDescription.xml",
                       "");
    RecordAC("1.10.0.5", "", root);
    EXPECT_EQ(Detect(), InstallType::UpgradeByDescription);
    RecordAC("1.10.0.5", "", root + "\\sub\\..");
    EXPECT_EQ(Detect(), InstallType::UpgradeBlind);
    RecordAC("99.0\\..", "", root);
    EXPECT_EQ(Detect(), InstallType::UpgradeByDescription) << "an unreadable version is older";
}

// A record that still carries the mark of a run at work was left by a run that was killed.
TEST_F(InstallModeTest, AMarkedRecordIsAnInterruptedRun) {
    RecordAC("1.11.1.7", "0#4#2#12");
    CInstallMode clean;
    clean.Detect(TestConfig());
    EXPECT_FALSE(clean.interrupted);
    testbed::CreateRecord(ProductVariant::AC, {{SetUp::kRunAtWorkValue, "repair"}});
    CInstallMode marked;
    marked.Detect(TestConfig());
    EXPECT_TRUE(marked.interrupted);
    EXPECT_EQ(marked.installType, InstallType::Maintenance);
}
