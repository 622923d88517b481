#include "ui/MyTextButton.h"

#include "ui/framework/Dialog.h"
#include "ui/framework/Window.h"

COLORREF MyTextButtonColour(int32_t state) {
    switch (state) {
        case kStatePressed:
            return RGB(53, 115, 200);
        case kStateDisabled:
            return RGB(59, 92, 137);
        default:
            return RGB(30, 144, 255);
    }
}

void CMyTextButton::OnAttached() {
    ModifyStyle(0, SS_NOTIFY);
}

LRESULT CMyTextButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
            OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            break;
        case WM_LBUTTONDOWN:
            state_ = kStatePressed;
            Invalidate();
            break;
        case WM_LBUTTONUP:
            state_ = kStateHover;
            Invalidate();
            break;
        case WM_ENABLE:
            Invalidate();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void CMyTextButton::OnMouseMove(POINT point) {
    RECT client{};
    GetClientRect(Handle(), &client);
    switch (hover_.OnMouseMove(Handle(), point, client)) {
        case CHoverTracker::Change::None:
            return;
        case CHoverTracker::Change::Entered:
            if (state_ != kStatePressed) {
                state_ = kStateHover;
            }
            break;
        case CHoverTracker::Change::Left:
            state_ = kStateNormal;
            break;
    }
    Invalidate();
}

HFONT CMyTextButton::UnderlinedFont(HFONT font) {
    if (!underlined_ || underlinedFrom_ != font) {
        LOGFONTA logFont{};
        GetObjectA(font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT), sizeof(logFont),
                   &logFont);
        logFont.lfUnderline = TRUE;
        underlined_.Reset(CreateFontIndirectA(&logFont));
        underlinedFrom_ = font;
    }
    return underlined_.Get();
}

void CMyTextButton::Paint() {
    CPaintDC paint(Handle());
    HDC dc = paint.Get();
    if (state_ == kStateDisabled) {
        state_ = kStateNormal;
    }
    if ((GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_DISABLED) != 0) {
        state_ = kStateDisabled;
    }
    textColour_ = MyTextButtonColour(state_);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    const bool underline = state_ == kStateHover || state_ == kStatePressed;
    HGDIOBJ used = underline ? UnderlinedFont(font)
                             : (font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    RECT client{};
    GetClientRect(Handle(), &client);
    FillSolid(dc, client, kBackground);
    CSelectObject selectFont(dc, used);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour_);
    const std::string text = GetWindowString(Handle());
    TextOutA(dc, 0, 0, text.c_str(), static_cast<int>(text.size()));
}
