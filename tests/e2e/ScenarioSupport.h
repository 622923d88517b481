#pragma once
// What the scenarios share: the language the run expects, and the screenshot folder.
#include <windows.h>

#include <string>
#include <vector>

#include "base/StringUtil.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"

namespace scenario {

inline bool ChineseSystem() {
    return testbed::PromisedLanguageId() == 2052;
}

// The English text, or on a Chinese system the Chinese one, for the programs that follow the
// system's language (Translator 1).
inline std::string Expected(const std::string& english, const char* chineseUtf8) {
    return ChineseSystem() ? Utf8ToAnsi(chineseUtf8) : english;
}

// Saves what the screen shows of the window as SCREENSHOT_DIR/<en|zh>-<name>.bmp.
inline void SaveScreenshot(const uidriver::CWindow& window, const std::string& name) {
    const std::string path = uidriver::WindowsPath(
        std::string(SCREENSHOT_DIR) + "/" + (ChineseSystem() ? "zh-" : "en-") + name + ".bmp");
    window.Capture().SaveBmp(path);
}

// The installers' working folders in the temporary folder ("InstallationTempFile" and a
// suffix), as full paths.
inline std::vector<std::string> WorkingFolders() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof(temp), temp);
    std::vector<std::string> folders;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((std::string(temp) + "InstallationTempFile*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return folders;
    }
    do {
        folders.push_back(std::string(temp) + entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return folders;
}

// Posted messages are handled in order: once a button shows a state posted after them, the
// ones posted before have been handled.
inline bool WaitPostedHandled(const uidriver::CWindow& button) {
    PostMessageA(button.Handle(), BM_SETSTATE, TRUE, 0);
    const bool handled = uidriver::WaitFor(
        [&] { return (SendMessageA(button.Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0; });
    SendMessageA(button.Handle(), BM_SETSTATE, FALSE, 0);
    return handled;
}

}  // namespace scenario
