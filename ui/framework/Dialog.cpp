#include "ui/framework/Dialog.h"

#include "ui/framework/SkinPictures.h"
#include "ui/framework/TemplatePictures.h"

// The modal loop is our own, as in the platform framework the pages were designed for: a
// modeless dialog plus a loop that gives each dialog a look at its messages first
// (PreTranslateMessage, for the Escape filter) and then the standard keyboard handling.

CDialog::~CDialog() {
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

INT_PTR CDialog::DoModal() {
    ended_ = false;
    result_ = -1;
    window_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), nullptr,
                                 &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (window_ == nullptr) {
        return -1;
    }
    if (!ended_) {
        OnInitDone();
    }
    MSG msg;
    while (!ended_) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave the quit request for the loop outside this one.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        if (IsOwnMessage(msg) && (PreTranslateMessage(msg) || IsDialogMessageA(window_, &msg))) {
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    HWND window = window_;
    window_ = nullptr;
    DestroyWindow(window);
    pictures_.clear();
    return result_;
}

void CDialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (window_ != nullptr) {
        // A control that took the capture for its hover effect must not keep it: the next
        // page's first click at the same place would go to the hidden control.
        HWND captured = GetCapture();
        if (captured != nullptr && (captured == window_ || IsChild(window_, captured))) {
            ReleaseCapture();
        }
        ShowWindow(window_, SW_HIDE);
        // Wakes the loop when the call came from outside its own dispatch.
        PostMessageA(window_, WM_NULL, 0, 0);
    }
}

bool CDialog::IsOwnMessage(const MSG& msg) const {
    return msg.hwnd != nullptr && (msg.hwnd == window_ || IsChild(window_, msg.hwnd));
}

bool CDialog::OnCommand(int id, int, HWND) {
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        dialog->ShowTemplatePictures();
        return dialog->OnInitDialog();
    }
    auto* dialog = reinterpret_cast<CDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (message == WM_MEASUREITEM) {
        // Arrives during creation too, before the dialog object is known.
        const auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        HWND control = GetDlgItem(window, static_cast<int>(item->CtlID));
        return control != nullptr && SendMessageA(control, kReflectedMeasureItem, wParam, lParam);
    }
    if (dialog == nullptr) {
        return FALSE;
    }
    return dialog->Dispatch(message, wParam, lParam);
}

void CDialog::ShowTemplatePictures() {
    for (const CTemplatePicture& picture : TemplatePictures(templateId_)) {
        HWND control = Item(picture.controlId);
        // A control that found a bitmap resource of that number keeps it.
        if (control == nullptr || SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0) {
            continue;
        }
        CBitmap bitmap = LoadBitmapResource(picture.pictureId);
        if (bitmap) {
            // Set before the page places its controls: the control takes the picture's size
            // here, as it would have taken it from the resource when it was created.
            SendMessageA(control, STM_SETIMAGE, IMAGE_BITMAP,
                         reinterpret_cast<LPARAM>(bitmap.Get()));
            pictures_.push_back(std::move(bitmap));
        }
    }
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            return OnPaint();
        case WM_ERASEBKGND:
            if (OnEraseBackground(reinterpret_cast<HDC>(wParam))) {
                SetWindowLongPtrA(window_, DWLP_MSGRESULT, 1);
                return TRUE;
            }
            return FALSE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORDLG:
            return reinterpret_cast<INT_PTR>(OnControlColour(
                reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message));
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            return item->CtlType != ODT_MENU &&
                   SendMessageA(item->hwndItem, kReflectedDrawItem, wParam, lParam);
        }
        case WM_COMMAND: {
            HWND control = reinterpret_cast<HWND>(lParam);
            if (control != nullptr) {
                // The control reacts first (a check box flips), then the dialog hears of it.
                SendMessageA(control, kReflectedCommand, wParam, lParam);
            }
            return OnCommand(LOWORD(wParam), HIWORD(wParam), control);
        }
        case WM_CLOSE:
            if (OnClose()) {
                SetWindowLongPtrA(window_, DWLP_MSGRESULT, 0);
                return TRUE;
            }
            return FALSE;
        case WM_LBUTTONDOWN:
            return OnLeftButtonDown(
                {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        default: {
            bool handled = false;
            const INT_PTR result = OnMessage(message, wParam, lParam, &handled);
            if (handled) {
                SetWindowLongPtrA(window_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
    }
}
