#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "base/StringUtil.h"
#include "common/TestMachine.h"
#include "product/TextTable.h"

namespace {

// The table's GBK bytes, read back as UTF-8.
std::string ChineseUtf8(const CTextTable& table, const char* key) {
    return CodePageToUtf8(table.GetText(key), 936);
}

}  // namespace

TEST(TextTable, DistinctKeysWithAsciiEnglish) {
    std::set<std::string> keys;
    for (const TextRow& row : kTextRows) {
        keys.insert(row.key);
        for (const char* c = row.english; *c; ++c) {
            EXPECT_LT(static_cast<unsigned char>(*c), 0x80u) << row.key;
        }
    }
    EXPECT_EQ(keys.size(), 102u);
}

TEST(TextTable, EnglishColumn) {
    const CTextTable table(UiLanguage::English);
    EXPECT_STREQ(table.GetText("installguide"), "%s Installation Wizard");
    EXPECT_STREQ(table.GetText("notSupportUpdate"), "notSupportUpdate");
    EXPECT_STREQ(table.GetText("IRS"), "Doranth");
    EXPECT_STREQ(table.GetText("details"), ".");
    EXPECT_STREQ(table.GetText("attendancedetails"), "Including time && attendance module.");
    EXPECT_STREQ(table.GetText("BasicConfiguration&AccessController"),
                 "Basic Configuration and Access Control");
}

TEST(TextTable, KeysAreCaseSensitive) {
    const CTextTable table(UiLanguage::English);
    EXPECT_STREQ(table.GetText("Uninstall"), "Uninstall");
    EXPECT_STREQ(table.GetText("uninstall"),
                 "Remove (Remove all the installed features from your computer)");
    EXPECT_STREQ(table.GetText("UNINSTALL"), "");
}

TEST(TextTable, ChineseColumnIsGbk) {
    const CTextTable table(UiLanguage::Chinese);
    EXPECT_EQ(ChineseUtf8(table, "license"), u8"软件许可使用协议");
    EXPECT_EQ(ChineseUtf8(table, "installcomplete"), u8"安装完成！");
    EXPECT_EQ(ChineseUtf8(table, "DataStatistics"), u8"数据统计&&检索");
    EXPECT_EQ(ChineseUtf8(table, "NpfOccupytip"), u8"Npf服务安装失败，请先关闭%s进程。");
    EXPECT_EQ(ChineseUtf8(table, "IRS"), "Doranth");
    // Two GBK bytes per character: the raw text is not UTF-8.
    EXPECT_EQ(std::string(table.GetText("yes")), "\xCA\xC7");
    EXPECT_EQ(std::string(table.GetText("hello")), "\xC4\xE3\xBA\xC3");
}

TEST(TextTable, UnknownKeyOrLanguageGivesTheEmptyText) {
    EXPECT_STREQ(CTextTable(UiLanguage::English).GetText("nosuchkey"), "");
    EXPECT_STREQ(CTextTable(UiLanguage::Chinese).GetText("nosuchkey"), "");
    EXPECT_STREQ(CTextTable(static_cast<UiLanguage>(2)).GetText("ok"), "");
    EXPECT_STREQ(CTextTable(static_cast<UiLanguage>(-1)).GetText("cancel"), "");
}

TEST(TextTable, StopDetailsFormatsIntoTwoLines) {
    const std::string text =
        FormatString(CTextTable(UiLanguage::English).GetText("stopdetails"), "Velmora", "1.11.1.7");
    const auto lines = SplitString(text, '\n');
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0],
              "The wizard was interrupted before Velmora V1.11.1.7 could be completely "
              "installed. ");
    EXPECT_EQ(lines[1].back(), ' ');
}

TEST(TextTable, ProcessTableFollowsTheConfiguration) {
    // The embedded configuration has Translator 0: English on every system.
    const CTextTable& table = CTextTable::Instance();
    EXPECT_EQ(table.Language(), UiLanguage::English);
    EXPECT_STREQ(table.GetText("ok"), "OK");
    EXPECT_EQ(&CTextTable::Instance(), &table);
}
