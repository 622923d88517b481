// The licence page and the disk-space dialog, each run alone by the host: results, the agreement
// of the system's language, the drive list and the free space of the chosen drive.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ScenarioSupport.h"
#include "base/TempWorkDir.h"
#include "product/ResourceIds.h"
#include "ui/pages/DiskSpaceDlg.h"

using namespace uidriver;

namespace {

constexpr COLORREF kBoxBackground = RGB(39, 42, 46);
constexpr COLORREF kLightText = RGB(230, 230, 230);

bool IsChecked(const CWindow& box) {
    return SendMessageA(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

// The whole text in this process's code page. Asked for in bytes with room to spare: asked for in
// characters, as CWindow::Text does, Wine's rich edit returns nothing once the Chinese text needs
// more bytes than it has characters.
std::string RichEditText(const CWindow& richEdit) {
    std::string text(1 << 17, '\0');
    const LRESULT copied = SendMessageA(richEdit.Handle(), WM_GETTEXT, text.size(),
                                        reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// Pixels of the capture close to the colour.
int CountColour(const CCapture& shot, COLORREF colour, int tolerance) {
    int count = 0;
    for (COLORREF pixel : shot.pixels) {
        count += SameColour(pixel, colour, tolerance) ? 1 : 0;
    }
    return count;
}

// "1234 MB" as a number; -1 when the text is not of that form.
long long Megabytes(const std::string& text) {
    const size_t space = text.find(" MB");
    if (space == std::string::npos || space == 0) {
        return -1;
    }
    return std::atoll(text.substr(0, space).c_str());
}

class LicencePage : public testing::Test {
protected:
    void Open(int accepted) {
        RealPointerMove(0, 0);
        host_ = std::make_unique<CProgram>(WindowsPath(UI_HOST_EXE),
                                           "license " + std::to_string(accepted));
        page_ = WaitForWindowWith(host_->Id(), IDC_PRINT);
        ASSERT_TRUE(page_);
        text_ = page_.Control(IDC_LICENSE_TEXT);
        ASSERT_TRUE(text_);
    }
    void ExpectResultOnClose(DWORD expected) {
        ASSERT_TRUE(page_.ClickControl(IDC_CLOSE));
        EXPECT_EQ(host_->WaitExit(), expected);
    }

    std::unique_ptr<CProgram> host_;
    CWindow page_;
    CWindow text_;
};

}  // namespace

TEST_F(LicencePage, ClosingWithTheBoxTickedEndsWithOk) {
    Open(1);
    EXPECT_TRUE(IsChecked(page_.Control(IDC_ACCEPT_CHECK)));
    ExpectResultOnClose(IDOK);
}

TEST_F(LicencePage, ClosingWithTheBoxClearEndsWithCancel) {
    Open(0);
    EXPECT_FALSE(IsChecked(page_.Control(IDC_ACCEPT_CHECK)));
    ExpectResultOnClose(IDCANCEL);
}

TEST_F(LicencePage, TickingAndClearingAgainEndsWithCancel) {
    Open(0);
    const CWindow box = page_.Control(IDC_ACCEPT_CHECK);
    ASSERT_TRUE(box.Click());
    ASSERT_TRUE(WaitFor([&] { return IsChecked(box); }));
    ASSERT_TRUE(box.Click());
    ASSERT_TRUE(WaitFor([&] { return !IsChecked(box); }));
    ExpectResultOnClose(IDCANCEL);
}

TEST_F(LicencePage, ShowsTheAgreementOfTheSystemLanguageInLightTextOnTheDarkBox) {
    Open(1);
    const std::string title =
        scenario::Expected("Velmora Software License Agreement", "Velmora 软件许可使用协议");
    EXPECT_TRUE(WaitFor([&] { return RichEditText(text_).find(title) != std::string::npos; }))
        << RichEditText(text_).substr(0, 200);
    EXPECT_NE(RichEditText(text_).find(scenario::Expected("Limitation of Liability", "责任限制")),
              std::string::npos);
    const std::string file =
        scenario::ChineseSystem() ? "license.rtf" : "TarnellSoftwareUserLicenseAgreement.rtf";
    // Streamed from the program's resource: written to no working folder and read back,
    // whichever suffix the folder drew.
    bool written = false;
    for (const std::string& folder : scenario::WorkingFolders()) {
        written = written ||
                  GetFileAttributesA((folder + "\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    EXPECT_FALSE(written) << file;

    EXPECT_EQ(page_.ClientSize().cx, 600);
    EXPECT_EQ(page_.ClientSize().cy, 640);
    const RECT box = text_.RectInParent();
    EXPECT_EQ(box.left, 24);
    EXPECT_EQ(box.top, 82);
    EXPECT_EQ(box.right - box.left, 552);
    EXPECT_EQ(box.bottom - box.top, 478);
    EXPECT_EQ(page_.ControlText(IDC_LICENSE_LINK),
              scenario::Expected("Software License Agreement", "软件许可使用协议"));
    EXPECT_EQ(page_.ControlText(IDC_PRINT), scenario::Expected("Print", "打印"));

    scenario::SaveScreenshot(page_, "license");
    // Readable: the box is dark and its text light.
    EXPECT_TRUE(WaitFor([&] {
        const CCapture shot = text_.Capture();
        return CountColour(shot, kBoxBackground, 3) > shot.width * shot.height / 2 &&
               CountColour(shot, kLightText, 20) > 200;
    }));
    ExpectResultOnClose(IDOK);
}

TEST_F(LicencePage, EscapeAndEnterDoNotEndThePage) {
    Open(0);
    page_.PressKey(VK_ESCAPE);
    page_.PressKey(VK_RETURN);
    ASSERT_TRUE(scenario::WaitPostedHandled(page_.Control(IDC_PRINT)));
    EXPECT_TRUE(page_.IsVisible());
    EXPECT_FALSE(host_->WaitExit(0).has_value());
    ExpectResultOnClose(IDCANCEL);
}

// The machines of the tests have no printer: the system's print dialog says so in a message and
// returns as if cancelled, which is as far as printing can be taken here.
TEST_F(LicencePage, PrintWithoutAPrinterLeavesThePageAsItWas) {
    Open(1);
    const std::string textBefore = RichEditText(text_);
    ASSERT_TRUE(page_.ClickControl(IDC_PRINT));
    // The page has no control with the id of OK: this is the system's notice.
    const CWindow notice = WaitForWindowWith(host_->Id(), IDOK);
    ASSERT_TRUE(notice);
    EXPECT_NE(notice.Handle(), page_.Handle());
    ASSERT_TRUE(notice.ClickControl(IDOK));
    ASSERT_TRUE(WaitFor([&] { return !notice; }));
    EXPECT_TRUE(page_.IsVisible());
    EXPECT_TRUE(WaitFor([&] { return TopWindows(host_->Id()).size() == 1; }));
    EXPECT_TRUE(IsChecked(page_.Control(IDC_ACCEPT_CHECK)));
    EXPECT_EQ(RichEditText(text_), textBefore);
    EXPECT_FALSE(host_->WaitExit(0).has_value());
    ExpectResultOnClose(IDOK);
}

namespace {

class DiskSpaceDialog : public testing::Test {
protected:
    void Open(int requiredMb) {
        RealPointerMove(0, 0);
        freeBefore_ = FreeMegabytes(LogicalDriveRoots().front().substr(0, 1));
        host_ = std::make_unique<CProgram>(WindowsPath(UI_HOST_EXE),
                                           "diskspace " + std::to_string(requiredMb));
        dialog_ = WaitForWindowWith(host_->Id(), IDC_DRIVE_BOX);
        ASSERT_TRUE(dialog_);
        box_ = dialog_.Control(IDC_DRIVE_BOX);
    }
    int Selected() const {
        return static_cast<int>(SendMessageA(box_.Handle(), CB_GETCURSEL, 0, 0));
    }
    std::string ItemText(int index) const {
        char text[16] = {};
        SendMessageA(box_.Handle(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(text));
        return text;
    }
    static long long FreeMegabytes(const std::string& letter) {
        return Megabytes(FreeSpaceText(letter));
    }
    // The free space shown lies between what the drive had before the dialog read it and what it
    // has now, give or take a little.
    void ExpectFreeSpaceOf(const std::string& letter, long long before) {
        long long shown = -1;
        long long now = -1;
        EXPECT_TRUE(WaitFor(
            [&] {
                shown = Megabytes(dialog_.ControlText(IDC_FREE_SPACE));
                now = FreeMegabytes(letter);
                return shown >= std::min(before, now) - kSlackMb &&
                       shown <= std::max(before, now) + kSlackMb;
            },
            5000))
            << letter << ": " << shown << " shown, " << before << " before, " << now << " now";
    }
    static constexpr long long kSlackMb = 32;

    std::unique_ptr<CProgram> host_;
    CWindow dialog_;
    CWindow box_;
    long long freeBefore_ = -1;  // of the first drive
};

}  // namespace

TEST_F(DiskSpaceDialog, ShowsTheRequiredSpaceAndListsEveryDriveOfTheMachine) {
    Open(448);
    EXPECT_EQ(dialog_.ControlText(IDC_NEED_SPACE), "448 MB");
    EXPECT_EQ(dialog_.ControlText(IDC_NEED_SPACE_LABEL),
              scenario::Expected("Required:", "所需空间："));
    EXPECT_EQ(dialog_.ControlText(IDC_DISK_SPACE_TITLE),
              scenario::Expected("HDD Space", "磁盘空间"));
    EXPECT_EQ(dialog_.ClientSize().cx, 380);
    EXPECT_EQ(dialog_.ClientSize().cy, 166);

    const std::vector<std::string> roots = LogicalDriveRoots();
    ASSERT_FALSE(roots.empty());
    ASSERT_EQ(SendMessageA(box_.Handle(), CB_GETCOUNT, 0, 0), static_cast<LRESULT>(roots.size()));
    for (size_t i = 0; i < roots.size(); ++i) {
        EXPECT_EQ(ItemText(static_cast<int>(i)), roots[i].substr(0, 1)) << roots[i];
    }
    EXPECT_EQ(Selected(), 0);
    ExpectFreeSpaceOf(roots[0].substr(0, 1), freeBefore_);

    // The closed box shows the letter in white on the dark face.
    const CCapture face = box_.Capture();
    EXPECT_GT(CountColour(face, RGB(255, 255, 255), 10), 10);
    scenario::SaveScreenshot(dialog_, "diskspace");

    dialog_.PressKey(VK_ESCAPE);
    EXPECT_EQ(host_->WaitExit(), static_cast<DWORD>(IDCANCEL));
}

TEST_F(DiskSpaceDialog, ChoosingAnotherDriveFromTheDroppedListUpdatesOnlyTheFreeSpace) {
    Open(448);
    const std::vector<std::string> roots = LogicalDriveRoots();
    ASSERT_GE(roots.size(), 2u) << "the machine needs two drives";
    const std::string labelBefore = dialog_.ControlText(IDC_FREE_SPACE_LABEL);

    ASSERT_TRUE(dialog_.ClickControl(IDC_PAGE_CANCEL));
    ASSERT_TRUE(WaitFor([&] { return SendMessageA(box_.Handle(), CB_GETDROPPEDSTATE, 0, 0); }));
    // The list is drawn by the box: dark rows with the letters in white.
    CWindow list;
    ASSERT_TRUE(WaitFor([&] {
        for (HWND window : TopWindows(host_->Id())) {
            if (CWindow(window).ClassName() == "ComboLBox") {
                list = CWindow(window);
            }
        }
        return bool(list);
    }));
    EXPECT_TRUE(WaitFor(
        [&] {
            const CCapture shot = list.Capture();
            return CountColour(shot, CPngComboBox::kOtherRow, 3) +
                           CountColour(shot, CPngComboBox::kSelectedRow, 3) >
                       static_cast<int>(shot.pixels.size()) / 2 &&
                   CountColour(shot, RGB(255, 255, 255), 10) > 10;
        },
        5000));
    scenario::SaveScreenshot(dialog_, "diskspace-dropped");
    const long long secondBefore = FreeMegabytes(roots[1].substr(0, 1));
    PostMessageA(box_.Handle(), WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(box_.Handle(), WM_KEYDOWN, VK_RETURN, 1);
    ASSERT_TRUE(WaitFor(
        [&] { return Selected() == 1 && !SendMessageA(box_.Handle(), CB_GETDROPPEDSTATE, 0, 0); }));
    ExpectFreeSpaceOf(roots[1].substr(0, 1), secondBefore);
    EXPECT_EQ(dialog_.ControlText(IDC_NEED_SPACE), "448 MB");
    EXPECT_EQ(dialog_.ControlText(IDC_FREE_SPACE_LABEL), labelBefore);

    ASSERT_TRUE(dialog_.ClickControl(IDC_CLOSE));
    EXPECT_EQ(host_->WaitExit(), static_cast<DWORD>(IDOK));
}
