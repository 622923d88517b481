#pragma once
// What the scenarios share: the language the run expects, and the screenshot folder.
#include <windows.h>

#include <string>
#include <vector>

#include "base/StringUtil.h"
#include "common/TestMachine.h"
#include "driver/UiDriver.h"
#include "product/ResourceIds.h"

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

// The installers' working folders in the Windows folder's Temp ("InstallationTempFile" and a
// suffix), as full paths.
inline std::vector<std::string> WorkingFolders() {
    char windows[MAX_PATH + 1] = {};
    GetSystemWindowsDirectoryA(windows, MAX_PATH);
    const std::string temp = std::string(windows) + "\\Temp\\";
    std::vector<std::string> folders;
    WIN32_FIND_DATAA entry{};
    HANDLE find = FindFirstFileA((temp + "InstallationTempFile*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return folders;
    }
    do {
        folders.push_back(temp + entry.cFileName);
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

// The text of a message dialog.
inline std::string MessageText(const uidriver::CWindow& dialog) {
    return dialog.ChildOfClass("Edit").Text();
}

// The message dialog of the program whose text contains the words, once it shows; empty when
// none did within the time.
inline uidriver::CWindow WaitForMessageWith(const uidriver::CProgram& program,
                                            const std::string& words,
                                            DWORD timeoutMs = uidriver::kDefaultWait) {
    uidriver::CWindow found;
    uidriver::WaitFor(
        [&] {
            for (HWND window : uidriver::TopWindows(program.Id())) {
                const uidriver::CWindow dialog(window);
                if (dialog.Control(IDC_TIP_TITLE) &&
                    MessageText(dialog).find(words) != std::string::npos) {
                    found = dialog;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return found;
}

// Clicks a button of a message dialog and waits until the dialog has gone.
inline bool Answer(const uidriver::CWindow& dialog, int button) {
    return dialog.ClickControl(button) &&
           uidriver::WaitFor([&] { return !dialog || !dialog.IsVisible(); });
}

}  // namespace scenario
