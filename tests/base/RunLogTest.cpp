// The run's log: a new UTF-8 file, lines as they come, an existing name kept unless replacing
// was asked for.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/RunLog.h"

using namespace SetUp;

namespace {

std::string Folder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "runlog test";
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(RunLog, LinesGoOutAsUtf8AsTheyCome) {
    const std::string path = Folder() + "\\lines.log";
    DeleteFileA(path.c_str());
    ASSERT_TRUE(OpenRunLog(path, false));
    EXPECT_EQ(RunLogPath(), path);
    LogLine("first");
    // Readable while the run goes on: a run that is killed leaves what it wrote.
    std::string text = ReadAll(path);
    EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_NE(text.find("] first\r\n"), std::string::npos) << text;
    // An ANSI text of the system's code page arrives as UTF-8.
    char ansi[2] = {static_cast<char>(0xE9), 0};
    wchar_t wide[2] = {};
    MultiByteToWideChar(CP_ACP, 0, ansi, 1, wide, 2);
    char utf8[8] = {};
    WideCharToMultiByte(CP_UTF8, 0, wide, 1, utf8, sizeof(utf8), nullptr, nullptr);
    LogLine(std::string("second ") + ansi);
    CloseRunLog();
    text = ReadAll(path);
    EXPECT_NE(text.find(std::string("] second ") + utf8 + "\r\n"), std::string::npos);
    EXPECT_EQ(RunLogPath(), "");
    LogLine("nowhere");
    EXPECT_EQ(ReadAll(path), text) << "a closed log takes no more lines";
}

TEST(RunLog, AnExistingNameIsKeptUnlessReplacing) {
    const std::string path = Folder() + "\\existing.log";
    std::ofstream(path, std::ios::binary) << "earlier run";
    EXPECT_FALSE(OpenRunLog(path, false));
    EXPECT_EQ(ReadAll(path), "earlier run");
    ASSERT_TRUE(OpenRunLog(path, true));
    LogLine("this run");
    CloseRunLog();
    const std::string text = ReadAll(path);
    EXPECT_EQ(text.find("earlier run"), std::string::npos);
    EXPECT_NE(text.find("this run"), std::string::npos);
}
