// The installers the setup program runs unpack into its working folder: TMP and TEMP name it,
// the rest of the environment is this process's.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/CommandProcessor.h"
#include "common/TestMachine.h"

using namespace SetUp;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(ChildEnvironment, TemporaryFolderIsTheOneGiven) {
    const std::string folder = testbed::MakeTempFolder("child temp");
    const std::string output = folder + "\\seen.txt";
    char path[4096] = {};
    ASSERT_GT(GetEnvironmentVariableA("PATH", path, sizeof(path)), 0u);
    char temp[MAX_PATH] = {};
    char tmp[MAX_PATH] = {};
    GetEnvironmentVariableA("TEMP", temp, MAX_PATH);
    GetEnvironmentVariableA("TMP", tmp, MAX_PATH);
    SetEnvironmentVariableA("TEMP", "C:\\a%PATH%b");
    SetEnvironmentVariableA("TMP", "C:\\elsewhere");
    unsigned long code = 1;
    const bool ran = RunCommandProcessorWithTemp(
        "/c \"echo [%TEMP%][%TMP%][%PATH%]> \"" + output + "\"\"", folder + "\\", &code);
    SetEnvironmentVariableA("TEMP", temp);
    SetEnvironmentVariableA("TMP", tmp);
    ASSERT_TRUE(ran);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(ReadAll(output), "[" + folder + "][" + folder + "][" + path + "]\r\n");
}

TEST(ChildEnvironment, NoFolderStartsNothing) {
    EXPECT_FALSE(RunCommandProcessorWithTemp("/c exit 0", ""));
}
