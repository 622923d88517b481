// The real setup programs on prepared machines: the start-up refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "ScenarioSupport.h"
#include "base/StringUtil.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"
#include "product/Catalogue.h"

using namespace uidriver;

namespace {

bool ChineseSystem() {
    return testbed::PromisedLanguageId() == 2052;
}

// The English text, or on a Chinese system the Chinese one, for the programs that follow the
// system (Translator 1).
std::string Expected(const char* english, const char* chineseUtf8) {
    return ChineseSystem() ? Utf8ToAnsi(chineseUtf8) : english;
}

std::map<std::string, std::string> Record(const std::string& version,
                                          const std::string& name = "Velmora") {
    return {{"DisplayName", name}, {"DisplayVersion", version}, {"LanguageType", "E"}};
}

struct Shown {
    std::string title;
    std::string message;
    std::string button;
    std::optional<DWORD> exitCode;
};

// The working folders left in the temporary folder.
int WorkFolders() {
    return static_cast<int>(scenario::WorkingFolders().size());
}

// Runs the program, reads the message dialog it opens, closes it with Close. The program's
// working folder goes with it; how many there were while the dialog showed goes to
// *foldersWhileShown when asked for.
Shown RunToRefusal(const char* program, int* foldersWhileShown = nullptr) {
    Shown shown;
    const int workFolders = WorkFolders();
    CProgram setup(WindowsPath(program));
    EXPECT_TRUE(setup.Started());
    const CWindow dialog = WaitForWindowWith(setup.Id(), 1132);
    EXPECT_TRUE(dialog) << "no message dialog";
    if (!dialog) {
        return shown;
    }
    if (foldersWhileShown != nullptr) {
        *foldersWhileShown = WorkFolders() - workFolders;
    }
    shown.title = dialog.ControlText(1132);
    shown.message = dialog.ChildOfClass("Edit").Text();
    shown.button = dialog.ControlText(IDCANCEL);
    EXPECT_EQ(dialog.Control(IDOK).Handle(), nullptr);
    EXPECT_TRUE(dialog.ClickControl(IDCANCEL));
    shown.exitCode = setup.WaitExit();
    EXPECT_EQ(WorkFolders(), workFolders) << "the working folder was left behind";
    return shown;
}

class StartupRefusal : public testing::Test {
protected:
    void SetUp() override { testbed::RemoveAllRecords(); }
    void TearDown() override { testbed::RemoveAllRecords(); }
};

}  // namespace

TEST_F(StartupRefusal, TwoEditionsInstalledShowMoreThanOneProgram) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.11.1.7"));
    testbed::CreateRecord(ProductVariant::VS, Record("1.11.1.7"));
    const Shown shown = RunToRefusal(SETUP_ZH_EXE);
    EXPECT_EQ(shown.title, "Velmora");
    EXPECT_EQ(shown.message,
              Expected("More than one related program are installed. Please uninstall them "
                       "first and then run this installation program.",
                       "系统检测到已安装多个相关程序，请卸载后再运行此安装程序。"));
    EXPECT_EQ(shown.button, Expected("Close", "关闭"));
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, OtherEditionShowsItsLabel) {
    testbed::CreateRecord(ProductVariant::VS, Record("1.11.1.7"));
    const Shown shown = RunToRefusal(SETUP_ZH_EXE);
    EXPECT_EQ(shown.message, Expected("Velmora VS(E) is installed. Please uninstall it first and "
                                      "then run this installation program.",
                                      "已安装Velmora VS(E)，请卸载后再运行此安装程序。"));
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, EmbeddedConfigurationIsEnglishOnEverySystem) {
    testbed::CreateRecord(ProductVariant::VS, Record("1.11.1.7"));
    const Shown shown = RunToRefusal(SETUP_EXE);
    EXPECT_EQ(shown.message,
              "Velmora VS(E) is installed. Please uninstall it first and then run this "
              "installation program.");
    EXPECT_EQ(shown.button, "Close");
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, NewerVersionInstalled) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.12.0.0"));
    const Shown shown = RunToRefusal(SETUP_ZH_EXE);
    EXPECT_EQ(shown.message,
              Expected("The version of the software installed is higher than the installation "
                       "package.",
                       "当前软件版本为高版本，无需升级"));
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, EditionSCRefusesUpgrades) {
    testbed::CreateRecord(ProductVariant::SC, Record("1.10.0.5"));
    const Shown shown = RunToRefusal(SETUP_SC_EXE);
    EXPECT_EQ(shown.message, Expected("notSupportUpdate", "本程序不支持升级功能"));
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, AnotherBrandAtTheSameVersion) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.11.1.7", "Arlen"));
    const Shown shown = RunToRefusal(SETUP_ZH_EXE);
    EXPECT_EQ(shown.message,
              Expected("Arlen AC(E) is installed. Please run the appropriate installation "
                       "package for maintenance or upgrade.",
                       "已安装Arlen AC(E)，请运行相应的安装包进行维护或升级。"));
    EXPECT_EQ(shown.exitCode, 0u);
}

TEST_F(StartupRefusal, TopRightCloseAlsoEndsWithCodeZero) {
    testbed::CreateRecord(ProductVariant::AC, Record("1.12.0.0"));
    CProgram setup(WindowsPath(SETUP_EXE));
    const CWindow dialog = WaitForWindowWith(setup.Id(), 1132);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog.ClickControl(1118));
    EXPECT_EQ(setup.WaitExit(), 0u);
}

// A working folder that cannot be made (here the Windows folder's Temp is a file) stops the
// program before anything is written or run, with its own message.
TEST_F(StartupRefusal, UnsafeWorkingFolderIsRefused) {
    char windows[MAX_PATH] = {};
    GetSystemWindowsDirectoryA(windows, MAX_PATH);
    const std::string temp = std::string(windows) + "\\Temp";
    const std::string aside = temp + " aside";
    ASSERT_TRUE(MoveFileA(temp.c_str(), aside.c_str()));
    testbed::WriteFile(temp, "a file where the Windows folder's Temp should be");
    const Shown shown = RunToRefusal(SETUP_ZH_EXE);
    DeleteFileA(temp.c_str());
    ASSERT_TRUE(MoveFileA(aside.c_str(), temp.c_str()));
    EXPECT_EQ(shown.message,
              Expected("A safe temporary working folder cannot be created. The installation "
                       "cannot continue.",
                       "无法创建安全的临时工作目录，安装无法继续。"));
    EXPECT_EQ(shown.exitCode, 0u);
}

namespace {

// TMP and TEMP in this process (which the program inherits) and in HKEY_CURRENT_USER\Environment,
// where the user sets them; both put back at the end.
class CScopedUserTemp {
public:
    explicit CScopedUserTemp(const std::string& value) {
        for (int index = 0; index < 2; ++index) {
            process_[index] = Variable(kNames[index]);
            stored_[index] = StoredValue(kNames[index]);
            SetEnvironmentVariableA(kNames[index], value.c_str());
            StoreValue(kNames[index], value);
        }
    }
    ~CScopedUserTemp() {
        for (int index = 0; index < 2; ++index) {
            SetEnvironmentVariableA(kNames[index], process_[index].c_str());
            if (stored_[index]) {
                StoreValue(kNames[index], stored_[index]->value, stored_[index]->type);
            } else {
                RegDeleteKeyValueA(HKEY_CURRENT_USER, "Environment", kNames[index]);
            }
        }
    }
    CScopedUserTemp(const CScopedUserTemp&) = delete;
    CScopedUserTemp& operator=(const CScopedUserTemp&) = delete;

private:
    static std::string Variable(const char* name) {
        char value[MAX_PATH] = {};
        GetEnvironmentVariableA(name, value, MAX_PATH);
        return value;
    }
    struct Stored {
        DWORD type;
        std::string value;
    };
    static std::optional<Stored> StoredValue(const char* name) {
        char value[MAX_PATH] = {};
        DWORD size = sizeof(value);
        DWORD type = 0;
        if (RegGetValueA(HKEY_CURRENT_USER, "Environment", name,
                         RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, &type, value,
                         &size) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        return Stored{type, value};
    }
    static void StoreValue(const char* name, const std::string& value, DWORD type = REG_SZ) {
        RegSetKeyValueA(HKEY_CURRENT_USER, "Environment", name, type, value.c_str(),
                        static_cast<DWORD>(value.size() + 1));
    }
    static constexpr const char* kNames[2] = {"TMP", "TEMP"};
    std::string process_[2];
    std::optional<Stored> stored_[2];
};

}  // namespace

// The user's TMP and TEMP, a file where a folder should be or text with '%', play no part: the
// program makes its working folder under the Windows folder's Temp, goes on to its own refusal
// and deletes the folder at the end.
TEST_F(StartupRefusal, UserTemporaryFolderPlaysNoPart) {
    const std::string file = testbed::MakeTempFolder("not a folder") + "\\temp";
    testbed::WriteFile(file, "a file where the temporary folder should be");
    for (const std::string& userTemp : {file, std::string("C:\\a%PATH%b")}) {
        testbed::CreateRecord(ProductVariant::AC, Record("1.12.0.0"));
        int folders = 0;
        Shown shown;
        {
            const CScopedUserTemp scope(userTemp);
            shown = RunToRefusal(SETUP_ZH_EXE, &folders);
        }
        EXPECT_EQ(shown.message,
                  Expected("The version of the software installed is higher than the "
                           "installation package.",
                           "当前软件版本为高版本，无需升级"))
            << userTemp;
        EXPECT_EQ(folders, 1) << userTemp;
        EXPECT_EQ(shown.exitCode, 0u);
        testbed::RemoveAllRecords();
    }
    std::ifstream kept(file, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), std::istreambuf_iterator<char>()),
              "a file where the temporary folder should be");
}
