#include <windows.h>

#include <gtest/gtest.h>

#include "base/TempWorkDir.h"
#include "common/TestMachine.h"
#include "product/SetupConfig.h"

namespace {

std::string ConfigFile(const std::string& body) {
    const std::string path = testbed::MakeTempFolder("config") + "\\SetupClientAndServer.xml";
    testbed::WriteFile(path,
                       "<?xml version='1.0' encoding='UTF-8'?>\n<Configs>" + body + "</Configs>");
    return path;
}

std::string Setting(const std::string& name, const std::string& value) {
    return "<" + name + "><Value>" + value + "</Value></" + name + ">";
}

std::string Settings(const std::string& type, const std::string& translator,
                     const std::string& brandType = "1", const std::string& brand = "Velmora") {
    return Setting("Translator", translator) + Setting("BrandType", brandType) +
           Setting("BrandName", brand) + Setting("Version", "1.11.1.7") +
           Setting("ProductType", type) + Setting("CompanyName", "company");
}

}  // namespace

TEST(SetupConfig, TestRunsOnThePromisedSystem) {
    EXPECT_EQ(GetSystemDefaultLangID(), testbed::PromisedLanguageId());
}

TEST(SetupConfig, EmbeddedResourceIsEditionACVersion1_11_1_7) {
    const CSetupConfig& config = CSetupConfig::Instance();
    EXPECT_EQ(config.version, "1.11.1.7");
    EXPECT_EQ(config.productVariant, ProductVariant::AC);
    EXPECT_EQ(config.translator, 0);
    EXPECT_EQ(config.brandType, 1);
    EXPECT_EQ(config.brandName, "Velmora");
    EXPECT_EQ(config.companyName, "company");
    EXPECT_EQ(config.uiLanguage, UiLanguage::English);
    // Parsed in memory: no file another program could change between writing and reading.
    const std::string written = SetUp::GetTempWorkDir() + "SetupClientAndServer.xml";
    EXPECT_EQ(GetFileAttributesA(written.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(&CSetupConfig::Instance(), &config);
}

TEST(SetupConfig, UiLanguageFollowsTranslatorOnlyOnAChineseSystem) {
    std::string error;
    const auto config = CSetupConfig::FromFile(ConfigFile(Settings("FULL", "1")), &error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->translator, 1);
    EXPECT_EQ(config->uiLanguage,
              testbed::PromisedLanguageId() == 2052 ? UiLanguage::Chinese : UiLanguage::English);
}

TEST(SetupConfig, FolderAndComponentNames) {
    std::string error;
    auto full = CSetupConfig::FromFile(ConfigFile(Settings("FULL", "0")), &error);
    auto ac = CSetupConfig::FromFile(ConfigFile(Settings("AC", "0")), &error);
    ASSERT_TRUE(full && ac) << error;
    EXPECT_EQ(full->GetProductFolderNames().productFolder, "Velmora Site");
    EXPECT_EQ(full->GetProductFolderNames().clientFolder, "Velmora Client");
    EXPECT_EQ(ac->GetProductFolderNames().productFolder, "Velmora AC");
    EXPECT_EQ(ac->GetProductFolderNames().clientFolder, "Velmora AC Client");
    EXPECT_EQ(ComponentName(*ac, 0), "Client");
    EXPECT_EQ(ComponentName(*ac, 101), "Server");
    EXPECT_EQ(ComponentName(*ac, 16), "Velmora.Broadcast.C");
    EXPECT_EQ(ComponentName(*ac, 5), "Velmora.AccessController.C");
}

TEST(SetupConfig, NumbersReadLikeTheRunTime) {
    std::string error;
    auto config = CSetupConfig::FromFile(ConfigFile(Settings("VS", " +7x", "abc")), &error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->translator, 7);
    EXPECT_EQ(config->brandType, 0);
    EXPECT_EQ(config->productVariant, ProductVariant::VS);
}

TEST(SetupConfig, EmptyValueReadsAsEmptyText) {
    std::string error;
    auto config = CSetupConfig::FromFile(
        ConfigFile(Settings("SL", "0", "1", "") + "<Extra><Value>null</Value></Extra>"), &error);
    ASSERT_TRUE(config) << error;
    EXPECT_EQ(config->brandName, "");
    EXPECT_EQ(config->GetProductFolderNames().productFolder, " SL");
}

TEST(SetupConfig, NonAsciiBrandIsConvertedToTheAnsiCodePage) {
    std::string error;
    // "威" in UTF-8; on a Chinese system the ANSI code page 936 holds it as two GBK bytes.
    auto config =
        CSetupConfig::FromFile(ConfigFile(Settings("AC", "1", "1", "\xE5\xA8\x81")), &error);
    ASSERT_TRUE(config) << error;
    if (GetACP() == 936) {
        EXPECT_EQ(config->brandName, "\xCD\xFE");
    } else {
        EXPECT_EQ(config->brandName.size(), 1u);  // the default character
    }
}

TEST(SetupConfig, BrokenConfigurationsAreRefusedNotGuessed) {
    std::string error;
    EXPECT_FALSE(CSetupConfig::FromFile(ConfigFile(Settings("ac", "0")), &error));
    EXPECT_NE(error.find("unknown product type"), std::string::npos);
    EXPECT_FALSE(CSetupConfig::FromFile(ConfigFile(Setting("Version", "1")), &error));
    EXPECT_NE(error.find("missing setting"), std::string::npos);
    EXPECT_FALSE(CSetupConfig::FromFile(ConfigFile("<Translator>"), &error));
    EXPECT_FALSE(CSetupConfig::FromFile("C:\\no\\such\\file.xml", &error));
}

// Each damaged configuration is refused with its reason; none is guessed at.
TEST(SetupConfig, DamagedConfigurationsInMemoryAreRefusedWithTheirReason) {
    const std::string longText(1025, 'x');
    const std::string fits(1024, 'x');
    auto document = [](const std::string& body) {
        return "<?xml version='1.0' encoding='UTF-8'?>\n<Configs>" + body + "</Configs>";
    };
    auto withVersion = [](const std::string& version) {
        return Setting("Translator", "0") + Setting("BrandType", "1") +
               Setting("BrandName", "Velmora") + Setting("Version", version) +
               Setting("ProductType", "AC") + Setting("CompanyName", "company");
    };
    const struct {
        std::string text;
        const char* reason;  // nullptr: accepted
    } cases[] = {
        {document(Settings("AC", "0")), nullptr},
        {"", "empty"},
        {"<Configs><Version>", "cannot parse"},
        {document(Setting("Version", "1.0")), "missing setting"},
        {document(withVersion("")), "not a dotted number"},
        {document(withVersion("1.1a.0")), "not a dotted number"},
        {document(withVersion("1..2")), "not a dotted number"},
        {document(withVersion("v1.2")), "not a dotted number"},
        {document(Settings("XX", "0")), "unknown product type"},
        {document(Settings("", "0")), "unknown product type"},
        {document(Settings("AC", "0", "1", longText)), "too long"},
        {document(Settings("AC", "0", "1", fits)), nullptr},
        {document(Settings("AC", "0") + Setting("CompanyName", longText)), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        std::string error;
        const auto config = CSetupConfig::FromText(c.text, &error);
        if (c.reason == nullptr) {
            EXPECT_TRUE(config) << error;
        } else {
            EXPECT_FALSE(config);
            EXPECT_NE(error.find(c.reason), std::string::npos) << error;
        }
    }
}
