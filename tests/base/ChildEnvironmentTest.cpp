// What the programs the setup program starts see of the environment: the system's variables, with
// TMP and TEMP naming the working folder, and nothing the signed-in user set.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "base/ChildEnvironment.h"
#include "base/CommandProcessor.h"
#include "base/SystemInfo.h"
#include "base/TempWorkDir.h"
#include "common/TestMachine.h"

using namespace SetUp;

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The value the block gives the variable; "<absent>" without one.
std::wstring InBlock(const std::vector<wchar_t>& block, const std::wstring& name) {
    for (const wchar_t* entry = block.data(); *entry != L'\0'; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        if (_wcsnicmp(text.c_str(), (name + L"=").c_str(), name.size() + 1) == 0) {
            return text.substr(name.size() + 1);
        }
    }
    return L"<absent>";
}

}  // namespace

TEST(ChildEnvironment, SystemVariablesWithTheTemporaryFolderGiven) {
    const testbed::CScopedVariable user("SETUP_USER_VARIABLE", "a%PATH%b");
    const testbed::CScopedVariable temp("TEMP", "C:\\a%PATH%b");
    const std::vector<wchar_t> block = ChildEnvironment("C:\\work\\folder\\");
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(InBlock(block, L"TEMP"), L"C:\\work\\folder");
    EXPECT_EQ(InBlock(block, L"TMP"), L"C:\\work\\folder");
    EXPECT_EQ(InBlock(block, L"SETUP_USER_VARIABLE"), L"<absent>");
    EXPECT_NE(InBlock(block, L"SystemRoot"), L"<absent>");

    const std::vector<wchar_t> system = ChildEnvironment("");
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(InBlock(system, L"TEMP").find(L'%'), std::wstring::npos) << "the system's own";
    EXPECT_NE(InBlock(system, L"TEMP"), L"<absent>");
}

// A child started through the command processor sees the working folder as TMP and TEMP, the
// system's PATH and none of the user's variables, even ones holding "%" text.
TEST(ChildEnvironment, ChildSeesTheSystemEnvironmentOnly) {
    ASSERT_EQ(PrepareTempWorkDir(), TempWorkDirState::Ready);
    const std::string work = GetTempWorkDir();
    const std::string output = testbed::MakeTempFolder("child environment") + "\\seen.txt";
    const std::string planted = testbed::MakeTempFolder("planted path");
    const testbed::CScopedVariable user("SETUP_USER_VARIABLE", "a%PATH%b");
    const testbed::CScopedVariable path("PATH", planted + ";" + testbed::Variable("PATH"));
    const testbed::CScopedVariable temp("TEMP", "C:\\a%PATH%b");
    const testbed::CScopedVariable tmp("TMP", "C:\\elsewhere");
    unsigned long code = 1;
    ASSERT_TRUE(RunCommandProcessor(
        "/c \"echo [%TEMP%][%TMP%][%SETUP_USER_VARIABLE%][%PATH%]> \"" + output + "\"\"", &code));
    EXPECT_EQ(code, 0u);
    const std::string seen = ReadAll(output);
    const std::string folder = work.substr(0, work.size() - 1);
    EXPECT_EQ(seen.rfind("[" + folder + "][" + folder + "][%SETUP_USER_VARIABLE%][" +
                             SystemDirectory() + ";",
                         0),
              0u)
        << seen;
    EXPECT_EQ(seen.find(planted), std::string::npos) << seen;
    DeleteTempWorkDir();
}

// The program is named by its full path or not started at all.
TEST(ChildEnvironment, RelativeProgramStartsNothing) {
    EXPECT_FALSE(RunProgram("cmd.exe", "/c exit 0"));
    EXPECT_TRUE(RunProgram(CommandProcessorPath(), "/d /c exit 0"));
}
