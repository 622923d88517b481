// The page frame and the skinned controls on a sample page: geometry, header, keys, dragging by
// real pointer input, the colours of every control state, hand-over and the cancel question.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "SamplePage.h"
#include "ScenarioSupport.h"

using namespace uidriver;

namespace {

constexpr COLORREF kPageBase = RGB(35, 38, 41);

bool Painted(const CWindow& page) {
    return SameColour(page.Pixel(605, 465), RGB(245, 37, 44));
}

class SamplePage : public testing::Test {
protected:
    void Open(int brandType) {
        RealPointerMove(0, 0);
        host_ = std::make_unique<CProgram>(WindowsPath(UI_HOST_EXE),
                                           "page " + std::to_string(brandType));
        page_ = WaitForWindowWith(host_->Id(), kSamplePrimary);
        ASSERT_TRUE(page_);
        ASSERT_TRUE(WaitFor([&] { return Painted(page_); }));
    }
    // The colour of a pixel once it has settled on the expected one, for a clear message.
    COLORREF Settled(int x, int y, COLORREF expected) {
        WaitFor([&] { return SameColour(page_.Pixel(x, y), expected); }, 5000);
        return page_.Pixel(x, y);
    }
    void ExpectColour(int x, int y, COLORREF expected, const char* what) {
        const COLORREF seen = Settled(x, y, expected);
        EXPECT_TRUE(SameColour(seen, expected))
            << what << ": " << ColourText(seen) << " instead of " << ColourText(expected);
    }
    void CloseConfirmed() {
        ASSERT_TRUE(page_.ClickControl(IDC_CLOSE));
        const CWindow question = WaitForWindowWith(host_->Id(), 1132);
        ASSERT_TRUE(question);
        ASSERT_TRUE(question.ClickControl(IDOK));
        EXPECT_EQ(host_->WaitExit(), 0u);
    }

    std::unique_ptr<CProgram> host_;
    CWindow page_;
};

}  // namespace

TEST_F(SamplePage, IsCentredAt720By520WithTheHeaderOfBrandType1) {
    Open(1);
    const SIZE client = page_.ClientSize();
    EXPECT_EQ(client.cx, 720);
    EXPECT_EQ(client.cy, 520);
    const RECT screen = page_.ClientScreenRect();
    EXPECT_EQ(screen.left, (GetSystemMetrics(SM_CXSCREEN) - 720) / 2);
    EXPECT_EQ(screen.top, (GetSystemMetrics(SM_CYSCREEN) - 520) / 2);
    EXPECT_FALSE(page_.Control(IDC_LOGO).IsVisible());
    EXPECT_EQ(page_.Control(IDC_TITLE).RectInParent().left, 24);
    EXPECT_EQ(page_.ControlText(IDC_TITLE),
              scenario::Expected("Velmora Installation Wizard", "Velmora 安装向导"));
    EXPECT_TRUE(SameColour(page_.Pixel(400, 200), kPageBase, 25));
    scenario::SaveScreenshot(page_, "page");
    CloseConfirmed();
}

TEST_F(SamplePage, BrandType0ShowsTheLogo) {
    Open(0);
    const CWindow logo = page_.Control(IDC_LOGO);
    EXPECT_TRUE(logo.IsVisible());
    EXPECT_EQ(logo.RectInParent().left, 24);
    EXPECT_EQ(logo.RectInParent().top, 16);
    EXPECT_EQ(page_.Control(IDC_TITLE).RectInParent().left, 56);
    // The logo of edition AC: blue square with a white letter.
    ExpectColour(26, 18, RGB(30, 110, 220), "logo");
    CloseConfirmed();
}

TEST_F(SamplePage, EscapeDoesNothingAndTheCancelQuestionKeepsThePageOnCancel) {
    Open(1);
    page_.PressKey(VK_ESCAPE);
    ASSERT_TRUE(scenario::WaitPostedHandled(page_.Control(kSamplePrimary)));
    EXPECT_TRUE(page_.IsVisible());
    ASSERT_TRUE(page_.ClickControl(IDC_CLOSE));
    const CWindow question = WaitForWindowWith(host_->Id(), IDOK);
    ASSERT_TRUE(question);
    EXPECT_EQ(question.ChildOfClass("Edit").Text(),
              scenario::Expected("Confirm to cancel installation?", "确定要取消安装吗？"));
    ASSERT_TRUE(question.ClickControl(IDCANCEL));
    ASSERT_TRUE(WaitFor([&] { return !question; }));
    EXPECT_TRUE(page_.IsVisible());
    EXPECT_FALSE(host_->WaitExit(0).has_value());
    CloseConfirmed();
}

TEST_F(SamplePage, HandOverNestsAndClosingTheDeepestPageEndsTheProcess) {
    Open(1);
    for (int move = 0; move < 2; ++move) {
        const HWND before = page_.Handle();
        ASSERT_TRUE(page_.ClickControl(kSampleSecondary));
        ASSERT_TRUE(WaitFor([&] {
            const CWindow next = WaitForWindowWith(host_->Id(), kSamplePrimary, 100);
            return next && next.Handle() != before;
        }));
        page_ = WaitForWindowWith(host_->Id(), kSamplePrimary);
        EXPECT_EQ(TopWindows(host_->Id()).size(), 1u);
    }
    CloseConfirmed();
}

TEST_F(SamplePage, DraggingTheSurfaceMovesThePage) {
    Open(1);
    const RECT before = page_.ClientScreenRect();
    const POINT from{before.left + 400, before.top + 200};
    ASSERT_TRUE(RealPointerDrag(from, {from.x + 60, from.y + 40}));
    EXPECT_TRUE(WaitFor([&] { return page_.ClientScreenRect().left == before.left + 60; }, 5000));
    const RECT after = page_.ClientScreenRect();
    EXPECT_EQ(after.left - before.left, 60);
    EXPECT_EQ(after.top - before.top, 40);
    CloseConfirmed();
}

TEST_F(SamplePage, ButtonColoursInEveryState) {
    Open(1);
    const CWindow primary = page_.Control(kSamplePrimary);
    const CWindow secondary = page_.Control(kSampleSecondary);
    const RECT p = primary.RectInParent();
    const RECT s = secondary.RectInParent();
    const POINT screen{page_.ClientScreenRect().left, page_.ClientScreenRect().top};

    ExpectColour(p.left + 4, p.top + 4, RGB(245, 37, 44), "primary normal");
    ExpectColour(s.left + 4, s.top + 4, RGB(26, 29, 33), "secondary normal fill");
    ExpectColour(s.left, s.top + 16, RGB(153, 153, 153), "secondary normal border");

    ASSERT_TRUE(RealPointerMove(screen.x + p.left + 48, screen.y + p.top + 16));
    ExpectColour(p.left + 4, p.top + 4, RGB(247, 80, 86), "primary hover");
    ASSERT_TRUE(RealPointerMove(screen.x + s.left + 48, screen.y + s.top + 16));
    ExpectColour(p.left + 4, p.top + 4, RGB(245, 37, 44), "primary after the pointer left");
    ExpectColour(s.left + 4, s.top + 4, RGB(153, 153, 153), "secondary hover");
    // Off the button onto the bare page: the button holds the capture and sees the pointer go.
    ASSERT_TRUE(RealPointerMove(screen.x + 400, screen.y + 200));
    ExpectColour(s.left + 4, s.top + 4, RGB(26, 29, 33), "secondary after the pointer left");

    SendMessageA(primary.Handle(), BM_SETSTATE, TRUE, 0);
    SendMessageA(secondary.Handle(), BM_SETSTATE, TRUE, 0);
    ExpectColour(p.left + 4, p.top + 4, RGB(220, 33, 39), "primary pressed");
    ExpectColour(s.left + 4, s.top + 4, RGB(128, 128, 128), "secondary pressed");
    SendMessageA(primary.Handle(), BM_SETSTATE, FALSE, 0);
    SendMessageA(secondary.Handle(), BM_SETSTATE, FALSE, 0);

    EnableWindow(primary.Handle(), FALSE);
    EnableWindow(secondary.Handle(), FALSE);
    ExpectColour(p.left + 4, p.top + 4, RGB(249, 145, 149), "primary disabled");
    ExpectColour(s.left + 4, s.top + 4, RGB(83, 86, 89), "secondary disabled");
    EXPECT_FALSE(primary.Click()) << "a disabled button is not clicked";
    scenario::SaveScreenshot(page_, "page-disabled");
    EnableWindow(secondary.Handle(), TRUE);
    ExpectColour(s.left + 4, s.top + 4, RGB(26, 29, 33), "secondary enabled again");
    CloseConfirmed();
}

TEST_F(SamplePage, ProgressCheckBoxAndLink) {
    Open(1);
    const CWindow progress = page_.Control(kSampleProgress);
    const RECT r = progress.RectInParent();
    const int y = (r.top + r.bottom) / 2;
    const int quarter = (r.right - r.left) / 4;
    const COLORREF done = RGB(67, 144, 250);
    const COLORREF remaining = RGB(90, 90, 90);
    SendMessageA(progress.Handle(), PBM_SETPOS, 0, 0);
    ExpectColour(r.left + 8, y, remaining, "progress 0, left");
    SendMessageA(progress.Handle(), PBM_SETPOS, 50, 0);
    ExpectColour(r.left + quarter, y, done, "progress 50, left");
    ExpectColour(r.right - quarter, y, remaining, "progress 50, right");
    SendMessageA(progress.Handle(), PBM_SETPOS, 100, 0);
    ExpectColour(r.right - 8, y, done, "progress 100, right");

    const CWindow check = page_.Control(kSampleCheck);
    const RECT c = check.RectInParent();
    ASSERT_TRUE(check.Click());
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(check.Handle(), BM_GETCHECK, 0, 0) == 1; }));
    ExpectColour(c.left + 12, c.top + 6, RGB(245, 37, 44), "checked box");
    ASSERT_TRUE(check.Click());
    EXPECT_TRUE(WaitFor([&] { return SendMessageA(check.Handle(), BM_GETCHECK, 0, 0) == 0; }));

    // The link: blue text, and an underline row only while the pointer is over it.
    const CWindow link = page_.Control(kSampleLink);
    const RECT l = link.RectInParent();
    auto underlineRows = [&] {
        const CCapture shot = link.Capture();
        int rows = 0;
        int textPixels = 0;
        for (int yy = 0; yy < shot.height; ++yy) {
            int run = 0;
            for (int xx = 0; xx < shot.width; ++xx) {
                const bool blue = SameColour(shot.At(xx, yy), RGB(30, 144, 255), 30);
                textPixels += blue ? 1 : 0;
                run += blue ? 1 : 0;
            }
            rows += run >= 40 ? 1 : 0;
        }
        return textPixels > 0 ? rows : -1;
    };
    EXPECT_EQ(underlineRows(), 0) << "normal: blue text without underline";
    const POINT screen{page_.ClientScreenRect().left, page_.ClientScreenRect().top};
    ASSERT_TRUE(RealPointerMove(screen.x + l.left + 10, screen.y + l.top + 8));
    EXPECT_TRUE(WaitFor([&] { return underlineRows() > 0; }, 5000)) << "hover: underlined";
    ASSERT_TRUE(RealPointerMove(screen.x + 400, screen.y + 200));
    EXPECT_TRUE(WaitFor([&] { return underlineRows() == 0; }, 5000));
    CloseConfirmed();
}
