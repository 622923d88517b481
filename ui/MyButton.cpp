#include "ui/MyButton.h"

#include <iterator>

#include "ui/framework/Dialog.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/Window.h"

namespace {

// One row a state, normal to disabled.
const ButtonColours kPrimaryColours[] = {
    {RGB(255, 255, 255), RGB(245, 37, 44), RGB(245, 37, 44)},
    {RGB(255, 255, 255), RGB(247, 80, 86), RGB(247, 80, 86)},
    {RGB(255, 255, 255), RGB(220, 33, 39), RGB(220, 33, 39)},
    {RGB(255, 255, 255), RGB(249, 145, 149), RGB(249, 145, 149)},
};
const ButtonColours kSecondaryColours[] = {
    {RGB(255, 255, 255), RGB(26, 29, 33), RGB(153, 153, 153)},
    {RGB(255, 255, 255), RGB(153, 153, 153), RGB(153, 153, 153)},
    {RGB(255, 255, 255), RGB(128, 128, 128), RGB(128, 128, 128)},
    {RGB(153, 153, 153), RGB(83, 86, 89), RGB(83, 86, 89)},
};

static_assert(std::size(kPrimaryColours) == kStateDisabled + 1, "a row for every state");
static_assert(std::size(kSecondaryColours) == kStateDisabled + 1, "a row for every state");

}  // namespace

ButtonColours MyButtonColours(int32_t style, int32_t state) {
    const int32_t index = state >= kStateNormal && state <= kStateDisabled ? state : kStateNormal;
    return style == kPrimaryButton ? kPrimaryColours[index] : kSecondaryColours[index];
}

void CMyButton::OnAttached() {
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

LRESULT CMyButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kReflectedDrawItem:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_MOUSEMOVE:
            OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            break;
        case WM_LBUTTONDBLCLK:
            return Default(WM_LBUTTONDOWN, wParam, lParam);
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void CMyButton::OnMouseMove(POINT point) {
    const RECT area{0, 0, kWidth, kHeight};
    switch (hover_.OnMouseMove(Handle(), point, area)) {
        case CHoverTracker::Change::None:
            return;
        case CHoverTracker::Change::Entered:
            state_ = kStateHover;
            break;
        case CHoverTracker::Change::Left:
            state_ = kStateNormal;
            break;
    }
    Invalidate();
}

void CMyButton::Draw(const DRAWITEMSTRUCT& item) {
    // Pressed and disabled are read from the item each time, so that neither outlives its cause.
    int32_t state = state_ == kStateHover ? kStateHover : kStateNormal;
    if ((item.itemState & ODS_SELECTED) != 0) {
        state = kStatePressed;
    }
    if ((GetWindowLongPtrA(Handle(), GWL_STYLE) & WS_DISABLED) != 0) {
        state = kStateDisabled;
    }
    const ButtonColours colours = MyButtonColours(style_, state);
    const RECT rect{item.rcItem.left, item.rcItem.top, item.rcItem.left + kWidth,
                    item.rcItem.top + kHeight};
    HDC dc = item.hDC;
    CBrush fill(CreateSolidBrush(colours.fill));
    CPen border(CreatePen(PS_SOLID, 1, colours.border));
    {
        CSelectObject selectBrush(dc, fill.Get());
        CSelectObject selectPen(dc, border.Get());
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    std::string caption = GetWindowString(Handle());
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
    CSelectObject selectFont(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colours.text);
    RECT textRect = rect;
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}
