// The command line as a table: what each accepted spelling means, and what is refused.
#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

struct Accepted {
    const char* arguments;
    UiLevel uiLevel;
    RequestedAction action;
    const char* installDir;  // nullptr: none given
    const char* logPath;
};

const Accepted kAccepted[] = {
    {"", UiLevel::Full, RequestedAction::Install, nullptr, nullptr},
    {"/quiet", UiLevel::Quiet, RequestedAction::Install, nullptr, nullptr},
    {"/Q /norestart", UiLevel::Quiet, RequestedAction::Install, nullptr, nullptr},
    {"/s", UiLevel::Quiet, RequestedAction::Install, nullptr, nullptr},
    {"/VERYSILENT", UiLevel::Quiet, RequestedAction::Install, nullptr, nullptr},
    {"/silent /repair", UiLevel::Quiet, RequestedAction::Repair, nullptr, nullptr},
    {"/x /quiet", UiLevel::Quiet, RequestedAction::Uninstall, nullptr, nullptr},
    {"/Uninstall", UiLevel::Full, RequestedAction::Uninstall, nullptr, nullptr},
    {"/modify /quiet", UiLevel::Quiet, RequestedAction::Modify, nullptr, nullptr},
    {"/passive /repair", UiLevel::Passive, RequestedAction::Repair, nullptr, nullptr},
    {"/Passive /PASSIVE", UiLevel::Passive, RequestedAction::Install, nullptr, nullptr},
    {"/install /install", UiLevel::Full, RequestedAction::Install, nullptr, nullptr},
    {"/quiet INSTALLDIR=\"D:\\Video Apps\"", UiLevel::Quiet, RequestedAction::Install,
     "D:\\Video Apps", nullptr},
    {"installdir=D:\\VMS", UiLevel::Full, RequestedAction::Install, "D:\\VMS", nullptr},
    {"/DIR=\"E:\\A B\" /q", UiLevel::Quiet, RequestedAction::Install, "E:\\A B", nullptr},
    {"/S /D=C:\\Program Files (x86)\\Site A  ", UiLevel::Quiet, RequestedAction::Install,
     "C:\\Program Files (x86)\\Site A", nullptr},
    {"/log \"C:\\logs\\my setup.log\" /q", UiLevel::Quiet, RequestedAction::Install, nullptr,
     "C:\\logs\\my setup.log"},
    {"/l C:\\a.log", UiLevel::Full, RequestedAction::Install, nullptr, "C:\\a.log"},
    {"/LOG=\"C:\\b c.log\"", UiLevel::Full, RequestedAction::Install, nullptr, "C:\\b c.log"},
};

}  // namespace

TEST(CommandLine, AcceptedSpellings) {
    for (const Accepted& row : kAccepted) {
        SCOPED_TRACE(row.arguments);
        const CCommandLine line = ParseCommandLine(row.arguments);
        EXPECT_EQ(line.error, "");
        EXPECT_EQ(line.uiLevel, row.uiLevel);
        EXPECT_EQ(line.action, row.action);
        EXPECT_EQ(line.installDir.has_value(), row.installDir != nullptr);
        if (row.installDir != nullptr && line.installDir) {
            EXPECT_EQ(*line.installDir, row.installDir);
        }
        EXPECT_EQ(line.logPath.has_value(), row.logPath != nullptr);
        if (row.logPath != nullptr && line.logPath) {
            EXPECT_EQ(*line.logPath, row.logPath);
        }
    }
}

TEST(CommandLine, FeaturesAndData) {
    const CCommandLine add = ParseCommandLine("/quiet ADDLOCAL=Video,Emap");
    EXPECT_EQ(add.error, "");
    ASSERT_TRUE(add.addLocal);
    EXPECT_EQ(*add.addLocal, (std::vector<std::string>{"Video", "Emap"}));
    const CCommandLine modify = ParseCommandLine("/modify REMOVE=Video ADDLOCAL=ALL");
    EXPECT_EQ(modify.error, "");
    EXPECT_EQ(modify.remove, std::vector<std::string>{"Video"});
    EXPECT_TRUE(ParseCommandLine("/x REMOVEDATA=1").removeData);
    EXPECT_FALSE(ParseCommandLine("/x REMOVEDATA=0").removeData);
    EXPECT_FALSE(ParseCommandLine("/x").removeData) << "the user data is kept by default";
    EXPECT_TRUE(ParseCommandLine("/?").help);
    EXPECT_TRUE(ParseCommandLine("/HELP").help);
}

TEST(CommandLine, RefusedLines) {
    for (const char* arguments :
         {"/bogus", "INSTALLDIR=", "/D=", "ADDLOCAL=", "ADDLOCAL=,", "REMOVE=Video",
          "/install REMOVE=Video", "REMOVEDATA=2", "REMOVEDATA=yes", "/log", "/l",
          "/LOG=", "/repair /uninstall", "/modify /x", "/quiet /passive", "/passive /s", "FOO=1",
          "quiet", "-quiet"}) {
        SCOPED_TRACE(arguments);
        EXPECT_NE(ParseCommandLine(arguments).error, "");
    }
}

TEST(CommandLine, ProgramNameIsNotAnArgument) {
    EXPECT_EQ(ArgumentsOf("\"C:\\Down loads\\setup.exe\" /quiet"), " /quiet");
    EXPECT_EQ(ArgumentsOf("setup.exe /x"), " /x");
    EXPECT_EQ(ArgumentsOf("setup.exe"), "");
    EXPECT_EQ(ArgumentsOf("\"C:\\setup.exe\""), "");
}

TEST(CommandLine, FeatureKeysResolveAgainstTheEditionsOffer) {
    const std::vector<int32_t> offered = {0, 1, 2, 3};
    std::string error;
    EXPECT_EQ(ResolveFeatureKeys({"video"}, offered, &error), (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(ResolveFeatureKeys({"ALL"}, offered, &error), (std::vector<int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(ResolveFeatureKeys({"BasicConfiguration", "Video", "Video"}, offered, &error),
              (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(error, "");
    EXPECT_FALSE(ResolveFeatureKeys({"Attendance"}, offered, &error)) << "not offered";
    EXPECT_NE(error, "");
    error.clear();
    EXPECT_FALSE(ResolveFeatureKeys({"NoSuchFeature"}, offered, &error));
    EXPECT_NE(error, "");
}
