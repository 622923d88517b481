// Every message kind through the host program: text, buttons and results, both languages.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "product/Catalogue.h"

using namespace uidriver;
using scenario::Expected;

namespace {

struct Case {
    int kind;
    const char* english;
    const char* chinese;
};

const Case kMessages[] = {
    {0, "No software features are selected. Select at least one of them.",
     "软件功能组件未选中，请至少选择一个功能组件。"},
    {1, "Insufficient HDD space. Please change another path for installation.",
     "磁盘空间不足，请更换安装路径。"},
    {7, "Please exit the Velmora client program first.", "请先退出Velmora客户端程序。"},
    {9, "The version of the software installed is higher than the installation package.",
     "当前软件版本为高版本，无需升级"},
    {10, "Invalid installation path. Please input a valid path.",
     "安装路径不合法，请输入合法的安装路径！"},
    {11, "Clearing failed. Please clear the contents manually or select another directory.",
     "无法清除该目录，请手动清除或选择另一个目录。"},
    {12, "Please exit the Velmora user manual first.", "请先退出Velmora用户手册。"},
    {13,
     "Clearing the installation directory failed. Please restart the computer and delete "
     "manually.",
     "不能完全清除安装目录，请重启计算机后再手动删除它。"},
    {14,
     "Clearing all the contents in the user data directory failed. Please clear manually and "
     "continue installation.",
     "无法清除用户数据目录，请手动清除后再继续安装。"},
    {15,
     "This installation already has another instance running. Please wait for it to complete "
     "or cancel it to run the installation again.",
     "此安装已有另一实例在运行，请等待它完成，或取消它再运行此安装。"},
    {18, "notSupportUpdate", "本程序不支持升级功能"},
    {19, "A safe temporary working folder cannot be created. The installation cannot continue.",
     "无法创建安全的临时工作目录，安装无法继续。"},
    {21, "Another user owns this folder and could change the programs. Choose another folder.",
     "此目录属于其他用户，该用户可以修改安装的程序。请选择其他目录。"},
    {22, "This drive cannot protect the installed programs. Choose a folder on a fixed NTFS drive.",
     "此磁盘无法保护安装的程序，请选择本地 NTFS 固定磁盘上的目录。"},
    {99, "", ""},
};

const Case kQuestions[] = {
    {2, "Confirm to cancel installation?", "确定要取消安装吗？"},
    {3, "Confirm to completely remove the program and all of its components?",
     "是否完全除去所选应用程序及其所有功能?"},
    {4, "The user data directory already exists. Clear the contents in it first?",
     "用户数据目录已经存在，是否先清除它？"},
    {5, "Clear all the remaining database and logs?", "是否清空残留的数据库日志等文件?"},
    {6, "The installation directory already exists. Clear the contents in it first?",
     "安装目录已经存在，是否先清除它？"},
    {99, "", ""},
};

const char kMoreThanOne[] =
    "More than one related program are installed. Please uninstall them first and then run this "
    "installation program.";
const char kMoreThanOneZh[] = "系统检测到已安装多个相关程序，请卸载后再运行此安装程序。";

struct Opened {
    std::string message;
    // Texts of 1 and 2; empty when the dialog never showed, so that the checks fail instead of
    // reading past the end.
    std::vector<std::string> buttons = {"", ""};
    std::optional<DWORD> result;
};

bool Painted(const CWindow& dialog) {
    // The background and the Close/Cancel button's border are on the screen.
    return SameColour(dialog.Pixel(4, 190), RGB(25, 28, 31)) &&
           SameColour(dialog.Pixel(240, 160), RGB(153, 153, 153));
}

// Opens the dialog in the host, reads it, optionally saves it, then presses the control.
Opened Open(const std::string& arguments, int press, const std::string& screenshot = "") {
    Opened run;
    CProgram host(WindowsPath(UI_HOST_EXE), arguments);
    // A loaded machine (the whole suite beside it) can take its time starting the host.
    const CWindow dialog = WaitForWindowWith(host.Id(), 1132, 60000);
    EXPECT_TRUE(dialog) << arguments;
    if (!dialog) {
        return run;
    }
    EXPECT_TRUE(WaitFor([&] { return Painted(dialog); })) << arguments;
    EXPECT_EQ(dialog.ClientSize().cx, 360);
    EXPECT_EQ(dialog.ClientSize().cy, 200);
    EXPECT_EQ(dialog.ControlText(1132), "Velmora");
    run.message = dialog.ChildOfClass("Edit").Text();
    run.buttons = {dialog.ControlText(IDOK), dialog.ControlText(IDCANCEL)};
    if (!screenshot.empty()) {
        scenario::SaveScreenshot(dialog, screenshot);
    }
    EXPECT_TRUE(dialog.ClickControl(press));
    run.result = host.WaitExit();
    return run;
}

class MessageDialogs : public testing::Test {
protected:
    void SetUp() override { testbed::RemoveAllRecords(); }
    void TearDown() override { testbed::RemoveAllRecords(); }
};

}  // namespace

TEST_F(MessageDialogs, EveryOneButtonKindShowsItsTextAndCloseGivesCancel) {
    for (const Case& c : kMessages) {
        const std::string kind = std::to_string(c.kind);
        const Opened run = Open("tip " + kind, IDCANCEL, "tip-" + kind);
        EXPECT_EQ(run.message, Expected(c.english, c.chinese)) << "kind " << kind;
        EXPECT_EQ(run.buttons[0], "");
        EXPECT_EQ(run.buttons[1], Expected("Close", "关闭"));
        EXPECT_EQ(run.result, static_cast<DWORD>(IDCANCEL)) << "kind " << kind;
    }
}

TEST_F(MessageDialogs, EveryQuestionKindShowsItsTextAndOkGivesOk) {
    for (const Case& c : kQuestions) {
        const std::string kind = std::to_string(c.kind);
        const Opened run = Open("certain " + kind, IDOK, "certain-" + kind);
        EXPECT_EQ(run.message, Expected(c.english, c.chinese)) << "kind " << kind;
        EXPECT_EQ(run.buttons[0], Expected("OK", "确定"));
        EXPECT_EQ(run.buttons[1], Expected("Cancel", "取消"));
        EXPECT_EQ(run.result, static_cast<DWORD>(IDOK)) << "kind " << kind;
    }
}

TEST_F(MessageDialogs, CancelGivesTwoAndTheTopRightButtonGivesEight) {
    EXPECT_EQ(Open("certain 4", IDCANCEL).result, static_cast<DWORD>(IDCANCEL));
    EXPECT_EQ(Open("certain 6", 1118).result, 8u);
    EXPECT_EQ(Open("tip 1", 1118).result, 8u);
}

TEST_F(MessageDialogs, DriverQuestionNamesTheFirstProcess) {
    const Opened run = Open("certain 17 A.exe;B.exe", IDOK, "certain-17");
    EXPECT_EQ(run.message,
              Expected("Npf service installation failed, please close A.exe process first.",
                       "Npf服务安装失败，请先关闭A.exe进程。"));
    EXPECT_EQ(run.result, static_cast<DWORD>(IDOK));
}

TEST_F(MessageDialogs, InstalledProductKindsWithOneAndWithTwoRecords) {
    const std::map<std::string, std::string> record = {
        {"DisplayName", "Velmora"}, {"DisplayVersion", "1.11.1.7"}, {"LanguageType", "E"}};
    testbed::CreateRecord(ProductVariant::VS, record);
    EXPECT_EQ(Open("tip 8", IDCANCEL, "tip-8").message,
              Expected("Velmora VS(E) is installed. Please uninstall it first and then run this "
                       "installation program.",
                       "已安装Velmora VS(E)，请卸载后再运行此安装程序。"));
    EXPECT_EQ(Open("tip 16", IDCANCEL, "tip-16").message,
              Expected("Velmora VS(E) is installed. Please run the appropriate installation "
                       "package for maintenance or upgrade.",
                       "已安装Velmora VS(E)，请运行相应的安装包进行维护或升级。"));
    testbed::CreateRecord(ProductVariant::AC, record);
    EXPECT_EQ(Open("tip 8", IDCANCEL, "tip-8-two").message, Expected(kMoreThanOne, kMoreThanOneZh));
    EXPECT_EQ(Open("tip 16", IDCANCEL).message, Expected(kMoreThanOne, kMoreThanOneZh));
}

TEST_F(MessageDialogs, EscapeDoesNothingAndOneLineSitsInTheMiddle) {
    CProgram host(WindowsPath(UI_HOST_EXE), "certain 2");
    // A loaded machine (the whole suite beside it) can take its time starting the host.
    const CWindow dialog = WaitForWindowWith(host.Id(), 1132, 60000);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitFor([&] { return Painted(dialog); }));
    dialog.PressKey(VK_ESCAPE);
    ASSERT_TRUE(scenario::WaitPostedHandled(dialog.Control(IDCANCEL)));
    EXPECT_TRUE(dialog.IsVisible());
    EXPECT_FALSE(host.WaitExit(0).has_value());

    // The text's rows lie in the middle of the 72-pixel message box at (112, 48).
    const CCapture capture = dialog.Capture();
    int first = -1;
    int last = -1;
    for (int y = 48; y < 120; ++y) {
        for (int x = 112; x < 336; ++x) {
            if (!SameColour(capture.At(x, y), RGB(25, 28, 31), 60)) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    ASSERT_GE(first, 0) << "no text drawn";
    const int above = first - 48;
    const int below = 119 - last;
    EXPECT_LE(std::abs(above - below), 8) << "above " << above << ", below " << below;
    EXPECT_TRUE(dialog.ClickControl(IDCANCEL));
    EXPECT_EQ(host.WaitExit(), static_cast<DWORD>(IDCANCEL));
}
