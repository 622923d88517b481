#include <windows.h>

#include <gtest/gtest.h>

#include "base/Handles.h"
#include "base/SystemInfo.h"
#include "common/TestMachine.h"
#include "product/Catalogue.h"
#include "product/SetupConfig.h"
#include "registry/InstalledRecord.h"
#include "registry/RegeditInfo.h"

using namespace SetUp;
using V = std::vector<int32_t>;
using Editions = std::vector<ProductVariant>;

namespace {

const char kWowRoot[] = "SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kPlainRoot[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kACCode[] = "{5D605A2B-ACDE-49CD-9642-7B268923ACD9}";

struct RawValue {
    DWORD type = REG_NONE;
    std::string data;  // every byte the registry holds, terminators included
};

RawValue ReadRaw(HKEY root, const std::string& path, const char* name) {
    CRegKey key;
    RawValue value;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) {
        return value;
    }
    char buffer[4096];
    DWORD size = sizeof(buffer);
    if (RegQueryValueExA(key.Get(), name, nullptr, &value.type, reinterpret_cast<BYTE*>(buffer),
                         &size) == ERROR_SUCCESS) {
        value.data.assign(buffer, size);
    }
    return value;
}

bool KeyExists(HKEY root, const std::string& path) {
    CRegKey key;
    return RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

class RecordTest : public ::testing::Test {
protected:
    void SetUp() override { testbed::RemoveAllRecords(); }
    void TearDown() override { testbed::RemoveAllRecords(); }
};

}  // namespace

TEST_F(RecordTest, RootFollowsTheNativeArchitecture) {
    EXPECT_EQ(UninstallRootPath(), kWowRoot);  // the test machine is 64-bit
    EXPECT_EQ(std::string(kWowRoot).size(), 64u);
    {
        CScopedNativeArchitecture x86(PROCESSOR_ARCHITECTURE_INTEL);
        EXPECT_EQ(UninstallRootPath(), kPlainRoot);
        EXPECT_EQ(ProductKeyPath(ProductVariant::AC), std::string(kPlainRoot) + kACCode);
    }
    {
        CScopedNativeArchitecture ia64(PROCESSOR_ARCHITECTURE_IA64);
        EXPECT_EQ(UninstallRootPath(), kWowRoot);
    }
}

TEST_F(RecordTest, ProductRecordHoldsEveryValueAsTextWithItsTerminator) {
    CRegeditInfo info(CSetupConfig::Instance());
    info.WriteProductRecord("D:\\My Apps");
    info.WriteComponentList(ExpandFeatures({0, 3}));
    const std::string key = std::string(kWowRoot) + kACCode;
    const std::string uninstaller = "\"" + std::string(1, SystemDriveLetter()) +
                                    ":\\Program Files (x86)\\Velmora AC\\uninstall.exe\"";
    const std::pair<const char*, std::string> expected[] = {
        {"DisplayVersion", "1.11.1.7"},
        {"InstallLocation", "D:\\My Apps"},
        {"LanguageType", "E"},
        {"ProductGuid", kACCode},
        {"DisplayName", "Velmora"},
        {"Publisher", "company"},
        {"UninstallString", uninstaller},
        {"ComponentList", "0#4#2#12#101#106#103#112#5#6#107#108"},
    };
    for (const auto& value : expected) {
        const RawValue raw = ReadRaw(HKEY_LOCAL_MACHINE, key, value.first);
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ)) << value.first;
        EXPECT_EQ(raw.data, value.second + std::string(1, '\0')) << value.first;
    }
    for (const char* program : kBrowserEmulationPrograms) {
        const RawValue raw = ReadRaw(HKEY_CURRENT_USER, kBrowserEmulationKey, program);
        EXPECT_EQ(raw.type, static_cast<DWORD>(REG_DWORD)) << program;
        ASSERT_EQ(raw.data.size(), 4u);
        EXPECT_EQ(*reinterpret_cast<const DWORD*>(raw.data.data()), 11001u);
    }
    EXPECT_EQ(EnumerateInstalledVariants(), Editions{ProductVariant::AC});
    EXPECT_EQ(ReadInstalledValue("InstallLocation"), "D:\\My Apps");
}

TEST_F(RecordTest, ThirtyTwoBitWindowsUsesThePlainRoot) {
    CScopedNativeArchitecture x86(PROCESSOR_ARCHITECTURE_INTEL);
    CRegeditInfo info(CSetupConfig::Instance());
    info.WriteProductRecord("C:\\R");
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kPlainRoot) + kACCode));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kWowRoot) + kACCode));
    EXPECT_EQ(ReadInstalledValue("DisplayVersion"), "1.11.1.7");
}

TEST_F(RecordTest, EmptyComponentListIsTheEmptyTextAndReadsAsNotFound) {
    CRegeditInfo info(CSetupConfig::Instance());
    info.WriteProductRecord("C:\\R");
    info.WriteComponentList({});
    const RawValue raw =
        ReadRaw(HKEY_LOCAL_MACHINE, std::string(kWowRoot) + kACCode, "ComponentList");
    EXPECT_EQ(raw.data, std::string(1, '\0'));
    EXPECT_FALSE(ReadInstalledComponents().found);
}

TEST_F(RecordTest, ComponentListWritesToTheSingleInstalledEdition) {
    testbed::CreateRecord(ProductVariant::SL, {{"DisplayVersion", "1.0"}});
    CRegeditInfo info(CSetupConfig::Instance());  // edition 0 until told otherwise
    info.WriteComponentList({0, 101});
    EXPECT_EQ(info.variant, ProductVariant::SL);
    EXPECT_EQ(ReadUninstallValue(ProductVariant::SL, "ComponentList"), "0#101");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, ProductKeyPath(ProductVariant::FULL)));
}

TEST_F(RecordTest, ComponentListRoundTrip) {
    testbed::CreateRecord(ProductVariant::AC, {{"ComponentList", "0#4#2#12#101#106#103#112"}});
    const auto components = ReadInstalledComponents();
    EXPECT_TRUE(components.found);
    EXPECT_EQ(components.client, (V{0, 4, 2, 12}));
    EXPECT_EQ(components.server, (V{101, 106, 103, 112}));
    EXPECT_EQ(EncodeComponentList({0, 6, 108, 6}), "0#6#108#6");
    EXPECT_EQ(EncodeComponentList({}), "");
}

TEST_F(RecordTest, BadComponentPiecesAreSkippedAndTheRestKept) {
    const auto decoded = DecodeComponentList("0#x#4##101# 7#99999999999#-3#102abc#");
    EXPECT_EQ(decoded.client, (V{0, 4, 7, -3}));
    EXPECT_EQ(decoded.server, (V{101, 102}));
    testbed::CreateRecord(ProductVariant::AC, {{"ComponentList", "##"}});
    // A list without one usable piece is no list: detection must not upgrade nothing.
    const auto onlyBad = ReadInstalledComponents();
    EXPECT_FALSE(onlyBad.found);
    EXPECT_TRUE(onlyBad.client.empty() && onlyBad.server.empty());
}

TEST_F(RecordTest, TwoRecordsReadAsNothing) {
    testbed::CreateRecord(ProductVariant::AC, {{"DisplayName", "Velmora"},
                                               {"DisplayVersion", "1.11.1.7"},
                                               {"InstallLocation", "C:\\A"},
                                               {"LanguageType", "E"},
                                               {"ComponentList", "0#101"}});
    testbed::CreateRecord(ProductVariant::DP,
                          {{"DisplayName", "Velmora"}, {"ComponentList", "0#101"}});
    EXPECT_EQ(EnumerateInstalledVariants(), (Editions{ProductVariant::AC, ProductVariant::DP}));
    for (const char* name : {"DisplayName", "DisplayVersion", "InstallLocation", "LanguageType"}) {
        EXPECT_EQ(ReadInstalledValue(name), "") << name;
    }
    EXPECT_FALSE(ReadInstalledComponents().found);
    EXPECT_EQ(ReadUninstallValue(ProductVariant::AC, "DisplayVersion"), "1.11.1.7");
}

TEST_F(RecordTest, NothingInstalledReadsEmpty) {
    EXPECT_TRUE(EnumerateInstalledVariants().empty());
    EXPECT_EQ(ReadInstalledValue("DisplayName"), "");
    EXPECT_FALSE(ReadInstalledComponents().found);
}

TEST_F(RecordTest, ValuesTooLargeForTheBufferCountAsAbsent) {
    testbed::CreateRecord(ProductVariant::VS, {{"ProductGuid", std::string(2000, 'g')}});
    testbed::CreateRecord(ProductVariant::SC, {{"DisplayName", std::string(1023, 'n')}});
    EXPECT_EQ(EnumerateInstalledVariants(), Editions{ProductVariant::SC});
    EXPECT_EQ(ReadUninstallValue(ProductVariant::SC, "DisplayName").size(), 1023u);
}

TEST_F(RecordTest, TextStopsAtTheFirstNulAndNeverPassesTheData) {
    CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, ProductKeyPath(ProductVariant::AC).c_str(), 0,
                              nullptr, 0, KEY_WRITE, nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    const char embedded[] = "ab\0cd";
    RegSetValueExA(key.Get(), "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE*>(embedded), 6);
    const char unterminated[] = {'1', '2'};
    RegSetValueExA(key.Get(), "DisplayVersion", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(unterminated), 2);
    EXPECT_EQ(ReadUninstallValue(ProductVariant::AC, "DisplayName"), "ab");
    EXPECT_EQ(ReadUninstallValue(ProductVariant::AC, "DisplayVersion"), "12");
}

TEST_F(RecordTest, RemovalDeletesTheRecordAndTheBrowserValues) {
    CRegeditInfo info(CSetupConfig::Instance());
    info.WriteProductRecord("C:\\R");
    info.WriteComponentList({0});
    DeleteProductRecord(CSetupConfig::Instance().productVariant);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, std::string(kWowRoot) + kACCode));
    for (const char* program : kBrowserEmulationPrograms) {
        DeleteBrowserEmulation(program);
        EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kBrowserEmulationKey, program).type,
                  static_cast<DWORD>(REG_NONE));
    }
    // Deleting again is harmless.
    DeleteProductRecord(CSetupConfig::Instance().productVariant);
    DeleteBrowserEmulation(kBrowserEmulationPrograms[0]);
}

TEST_F(RecordTest, CompanionPluginVersion) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kCompanionPluginKey);
    EXPECT_EQ(ReadCompanionPluginVersion(), "");
    CRegKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kCompanionPluginKey, 0, nullptr, 0, KEY_WRITE,
                              nullptr, key.Receive(), nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key.Get(), "CurrentVersion", 0, REG_SZ,
                   reinterpret_cast<const BYTE*>("1.0.0.82"), 9);
    EXPECT_EQ(ReadCompanionPluginVersion(), "1.0.0.82");
}
