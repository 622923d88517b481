#pragma once
// Steps that several scenarios take through the real setup programs: installing through the
// start/install page, reading option buttons, screenshots once painted.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "ScenarioSupport.h"
#include "base/FileSystem.h"
#include "base/SystemInfo.h"
#include "engine/ProcessControl.h"
#include "product/FolderLayout.h"
#include "product/ResourceIds.h"

namespace scenario {

// An install, repair or upgrade runs its whole sequence (runtimes, driver, archives).
constexpr DWORD kInstallWait = 180000;

inline const char kClientExe[] = "Velmora.Framework.C.exe";
inline const char kServerExe[] = "Velmora.Framework.S.exe";

// Where the stand-in driver detector reads what every run reports.
inline const char kDetectorKey[] = "Software\\SetupTestBench\\NpfDetectApp";

inline void SetDetectorResult(const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kDetectorKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, "Result", 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

// A machine without the product: no record, its programs stopped, its folders gone.
inline void RemoveTheProduct(const CFolderLayout& layout) {
    testbed::RemoveAllRecords();
    SetUp::KillProcessByName(kClientExe);
    SetUp::KillProcessByName(kServerExe);
    SetUp::DeleteFolder(layout.ProductDir(), false);
    SetUp::DeleteFolder(CFolderLayout::ProgramFilesProductDir(), false);
    SetUp::DeleteFolder(CFolderLayout::PublicUserDataDir(), false);
}

inline bool IsChecked(const uidriver::CWindow& button) {
    return SendMessageA(button.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// Returns once the page's thread takes messages again: its initialisation is over.
inline void WaitInitialised(const uidriver::CWindow& page) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(page.Handle(), WM_NULL, 0, 0, SMTO_BLOCK, uidriver::kDefaultWait, &ignored);
}

// Clicks a check box until it shows the wanted state, and lets the page handle the click.
inline void SetTicked(const uidriver::CWindow& page, int box, bool ticked) {
    const uidriver::CWindow control = page.Control(box);
    if (IsChecked(control) != ticked) {
        ASSERT_TRUE(control.Click()) << box;
        ASSERT_TRUE(uidriver::WaitFor([&] { return IsChecked(control) == ticked; })) << box;
        ASSERT_TRUE(WaitPostedHandled(page.Control(IDC_NEXT)));
    }
}

// The feature page of the program, once it has set itself up (the required space is the last
// figure it fills).
inline uidriver::CWindow WaitForFeaturePage(const uidriver::CProgram& program,
                                            DWORD timeoutMs = uidriver::kDefaultWait) {
    const uidriver::CWindow page =
        uidriver::WaitForWindowWith(program.Id(), IDC_FEATURE_STRIP, timeoutMs);
    if (page) {
        uidriver::WaitFor([&] { return !page.ControlText(IDC_NEED_SPACE).empty(); });
        WaitPostedHandled(page.Control(IDC_NEXT));
    }
    return page;
}

// Saves the screenshot once the window and its controls have painted what they have pending.
inline void SavePaintedScreenshot(const uidriver::CWindow& window, const std::string& name) {
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SaveScreenshot(window, name);
}

// Where the installers of the embedded configuration's brand put the edition by default.
inline std::string DefaultRoot() {
    return std::string(1, SystemDriveLetter()) + ":\\Program Files (x86)";
}

// From the progress page on: waits for the finished page, leaves the client box as asked and
// presses Finish; the program must end.
inline void FinishInstall(uidriver::CProgram& setup, bool startClient) {
    const uidriver::CWindow finish =
        uidriver::WaitForWindowWith(setup.Id(), IDC_DESKTOP_CHECK, kInstallWait);
    ASSERT_TRUE(finish) << "no finished page; the program shows:\n"
                        << uidriver::DescribeWindows(setup.Id());
    if (!startClient) {
        ASSERT_TRUE(finish.ClickControl(IDC_CLIENT_CHECK));
        ASSERT_TRUE(
            uidriver::WaitFor([&] { return !IsChecked(finish.Control(IDC_CLIENT_CHECK)); }));
    }
    ASSERT_TRUE(finish.ClickControl(IDC_FINISH));
    ASSERT_EQ(setup.WaitExit(kInstallWait), 0u);
}

// Answers every question the program asks with Cancel (keep the folder, go on) until its
// progress page shows.
inline void KeepFoldersUntilProgress(const uidriver::CProgram& setup) {
    for (int question = 0; question < 3; ++question) {
        uidriver::CWindow message;
        ASSERT_TRUE(uidriver::WaitFor([&] {
            message = WaitForMessageWith(setup, "", 0);
            return message || uidriver::WaitForWindowWith(setup.Id(), IDC_PROGRESS, 0);
        })) << "neither a question nor the progress page";
        if (!message) {
            return;
        }
        ASSERT_TRUE(Answer(message, IDCANCEL));
    }
    FAIL() << "questions without end";
}

// A first installation of an edition without feature page (AC, SL), through its start/install
// page into the default folder, keeping whatever folders exist.
inline void InstallThroughStartPage(const char* program, bool startClient = false) {
    uidriver::CProgram setup(uidriver::WindowsPath(program));
    ASSERT_TRUE(setup.Started());
    const uidriver::CWindow page = uidriver::WaitForWindowWith(setup.Id(), IDC_PATH_BOX);
    ASSERT_TRUE(page) << "no start/install page";
    ASSERT_TRUE(page.ClickControl(IDC_NEXT));
    KeepFoldersUntilProgress(setup);
    FinishInstall(setup, startClient);
}

}  // namespace scenario
