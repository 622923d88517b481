// The drive box drawn in a real dialog window of this process: its items, the text of the
// selection, the closed face that shows only the first five entries, and the outlined text.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "driver/UiDriver.h"
#include "product/ResourceIds.h"
#include "ui/PngComboBox.h"
#include "ui/SkinDialog.h"

namespace {

constexpr COLORREF kItemText = RGB(255, 255, 255);
// A colour nothing else on the face has, so that the outline can be counted.
constexpr COLORREF kOutline = RGB(255, 0, 0);
const std::string kLetters = "CDEFGHI";

class CDriveBoxHost : public CSkinDlg {
public:
    CDriveBoxHost() : CSkinDlg(IDD_DISK_SPACE, SkinKind::DiskSpace, PageSettings{}) {}

    CPngComboBox box;
    std::atomic<HWND> shown{nullptr};

protected:
    BOOL OnInitDialog() override {
        SetUpWindow();
        box.Attach(Handle(), IDC_DRIVE_BOX);
        box.SetItemFontAndOutline("Microsoft YaHei", kOutline);
        for (char letter : kLetters) {
            box.AddItem(std::string(1, letter), 0, kItemText);
        }
        PlaceControl(IDC_DRIVE_BOX, 100, 64, 212, 100);
        SendMessageA(box.Handle(), CB_SETCURSEL, 0, 0);
        shown = Handle();
        return TRUE;
    }
    // The system's close command is the close button; this host has no question to ask.
    void OnCloseButton() override { EndDialog(IDCANCEL); }
};

int Count(const uidriver::CCapture& shot, COLORREF colour) {
    int count = 0;
    for (COLORREF pixel : shot.pixels) {
        count += uidriver::SameColour(pixel, colour, 10) ? 1 : 0;
    }
    return count;
}

// What the driving thread saw for one selection; checked on the test's thread.
struct FaceSeen {
    std::string selectedText;
    bool settled = false;
    int textPixels = 0;
    int outlinePixels = 0;
};

}  // namespace

TEST(DriveBox, TheClosedFaceShowsOnlyTheFirstFiveEntriesInOutlinedText) {
    CDriveBoxHost host;
    LRESULT count = 0;
    std::vector<FaceSeen> seen(kLetters.size());
    bool opened = false;
    // The dialog runs its loop on this thread; another one works it as a user would look at it.
    std::thread driver([&] {
        opened = uidriver::WaitFor([&] { return host.shown.load() != nullptr; });
        if (!opened) {
            return;
        }
        const uidriver::CWindow box(GetDlgItem(host.shown, IDC_DRIVE_BOX));
        count = SendMessageA(box.Handle(), CB_GETCOUNT, 0, 0);
        uidriver::CCapture previous;
        for (size_t i = 0; i < kLetters.size(); ++i) {
            SendMessageA(box.Handle(), CB_SETCURSEL, i, 0);
            InvalidateRect(box.Handle(), nullptr, FALSE);
            FaceSeen& face = seen[i];
            face.selectedText = host.box.GetSelectedText();
            const bool drawn = i <= 4;
            // The face of this item, not the one before it nor one half repainted: two captures
            // alike, and for a letter a face that differs from the previous letter's.
            uidriver::CCapture shot;
            face.settled = uidriver::WaitFor(
                [&] {
                    shot = box.Capture();
                    const uidriver::CCapture again = box.Capture();
                    return shot.pixels == again.pixels && (Count(shot, kItemText) > 0) == drawn &&
                           (!drawn || shot.pixels != previous.pixels);
                },
                5000);
            face.textPixels = Count(shot, kItemText);
            face.outlinePixels = Count(shot, kOutline);
            previous = shot;
        }
        PostMessageA(host.shown, WM_CLOSE, 0, 0);
    });
    host.DoModal();
    driver.join();

    ASSERT_TRUE(opened);
    EXPECT_EQ(count, static_cast<LRESULT>(kLetters.size()));
    for (size_t i = 0; i < kLetters.size(); ++i) {
        const FaceSeen& face = seen[i];
        EXPECT_EQ(face.selectedText, std::string(1, kLetters[i])) << "item " << i;
        EXPECT_TRUE(face.settled) << "item " << i;
        if (i <= 4) {
            EXPECT_GT(face.textPixels, 5) << "item " << i << " shows its letter";
            EXPECT_GT(face.outlinePixels, face.textPixels / 2) << "item " << i << " outlined";
        } else {
            EXPECT_EQ(face.textPixels, 0) << "item " << i << " leaves the face empty";
            EXPECT_EQ(face.outlinePixels, 0) << "item " << i;
        }
    }
}
