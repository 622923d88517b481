#include "ui/framework/Control.h"

#include <commctrl.h>

namespace {
constexpr UINT_PTR kSubclassId = 1;
}

CControl::~CControl() {
    Detach();
}

bool CControl::Attach(HWND dialog, int id) {
    Detach();
    HWND window = GetDlgItem(dialog, id);
    if (window == nullptr || !SetWindowSubclass(window, &CControl::SubclassProc, kSubclassId,
                                                reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    window_ = window;
    OnAttached();
    return true;
}

void CControl::Detach() {
    if (window_ != nullptr) {
        RemoveWindowSubclass(window_, &CControl::SubclassProc, kSubclassId);
        window_ = nullptr;
    }
}

LRESULT CControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CControl::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefSubclassProc(window_, message, wParam, lParam);
}

void CControl::ModifyStyle(DWORD remove, DWORD add) const {
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(window_, GWL_STYLE));
    SetWindowLongPtrA(window_, GWL_STYLE, (style & ~remove) | add);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

LRESULT CALLBACK CControl::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR data) {
    auto* control = reinterpret_cast<CControl*>(data);
    if (message == WM_NCDESTROY) {
        const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
        control->Detach();
        return result;
    }
    return control->WindowProc(message, wParam, lParam);
}
