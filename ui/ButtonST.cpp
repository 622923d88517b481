#include "ui/ButtonST.h"

#include "ui/framework/Dialog.h"
#include "ui/framework/SkinPictures.h"

namespace {

// A monochrome mask of the bitmap, its top-left colour standing for "transparent".
CBitmap MakeMask(HBITMAP bitmap, SIZE size) {
    CBitmap mask(CreateBitmap(size.cx, size.cy, 1, 1, nullptr));
    if (!mask) {
        return mask;
    }
    CMemoryDC source(nullptr);
    CMemoryDC target(nullptr);
    CSelectObject selectSource(source.Get(), bitmap);
    CSelectObject selectTarget(target.Get(), mask.Get());
    SetBkColor(source.Get(), GetPixel(source.Get(), 0, 0));
    BitBlt(target.Get(), 0, 0, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    return mask;
}

}  // namespace

int32_t ButtonSTImageIndex(bool checkBoxMode, bool checked, bool pressed, bool disabled,
                           bool hover) {
    if (checkBoxMode) {
        if (checked || pressed) {
            return disabled ? kImageDisabledChecked : kImagePressed;
        }
        return disabled ? kImageDisabled : (hover ? kImageHover : kImageNormal);
    }
    // A disabled push button keeps its normal face.
    return pressed ? kImagePressed : (hover ? kImageHover : kImageNormal);
}

int32_t CButtonST::SetBitmaps(int hover, int pressed, int normal, int disabled,
                              int disabledChecked) {
    FreeImages();
    const int ids[5] = {hover, pressed, normal, disabled, disabledChecked};
    for (int slot = 0; slot < 5; ++slot) {
        if (ids[slot] == 0) {
            continue;
        }
        Image& image = images_[slot];
        image.bitmap = LoadBitmapResource(ids[slot]);
        if (!GetBitmapSize(image.bitmap.Get(), &image.size)) {
            FreeImages();
            return 1;
        }
        image.mask = MakeMask(image.bitmap.Get(), image.size);
        if (!image.mask) {
            FreeImages();
            return 2;
        }
    }
    Invalidate();
    return 0;
}

void CButtonST::FreeImages() {
    for (Image& image : images_) {
        image = Image();
    }
}

void CButtonST::OnAttached() {
    const DWORD type = static_cast<DWORD>(GetWindowLongPtrA(Handle(), GWL_STYLE)) & BS_TYPEMASK;
    checkBoxMode_ = type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW);
}

LRESULT CButtonST::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kReflectedDrawItem:
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case kReflectedCommand:
            if (HIWORD(wParam) == BN_CLICKED) {
                SetFocus(Handle());
                if (checkBoxMode_) {
                    checked_ = !checked_;
                    Invalidate();
                }
            }
            return 0;  // the page hears of the click as well
        case BM_SETCHECK:
            if (checkBoxMode_) {
                checked_ = wParam == BST_CHECKED || wParam == BST_INDETERMINATE;
                Invalidate();
            }
            return 0;
        case BM_GETCHECK:
            return checkBoxMode_ && checked_ ? BST_CHECKED : BST_UNCHECKED;
        case WM_LBUTTONDBLCLK:
            // A quick second click is a click too: a check box flips on each one.
            return Default(WM_LBUTTONDOWN, wParam, lParam);
        case WM_MOUSEMOVE:
            OnMouseMove(wParam);
            break;
        case WM_MOUSELEAVE:
            CancelHover();
            return 0;
        case WM_ENABLE:
            if (!wParam) {
                HWND parent = GetParent(Handle());
                HWND next = GetNextDlgTabItem(parent, Handle(), FALSE);
                SetFocus(next != nullptr && next != Handle() ? next : parent);
                CancelHover();
            }
            break;
        case WM_KILLFOCUS:
        case WM_CANCELMODE:
            CancelHover();
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                CancelHover();
            }
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void CButtonST::OnMouseMove(WPARAM keys) {
    if ((keys & MK_LBUTTON) != 0 && !hover_) {
        return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool over = WindowFromPoint(cursor) == Handle() && GetActiveWindow() != nullptr;
    if (over && !hover_) {
        hover_ = true;
        Invalidate();
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
        TrackMouseEvent(&track);
    } else if (!over && hover_) {
        CancelHover();
    }
}

void CButtonST::CancelHover() {
    if (hover_) {
        hover_ = false;
        Invalidate();
    }
}

void CButtonST::Draw(const DRAWITEMSTRUCT& item) {
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const bool pressed = checkBoxMode_ ? (selected || checked_) : selected;
    const Image& image =
        images_[ButtonSTImageIndex(checkBoxMode_, checked_, pressed, disabled, hover_)];
    if (!image.bitmap) {
        return;
    }
    const RECT& rect = item.rcItem;
    int x = rect.left + ((rect.right - rect.left) - image.size.cx) / 2;
    int y = rect.top + ((rect.bottom - rect.top) - image.size.cy) / 2;
    if (!checkBoxMode_ && pressed) {
        ++x;
        ++y;
    }
    CMemoryDC memory(item.hDC);
    CSelectObject select(memory.Get(), image.bitmap.Get());
    BitBlt(item.hDC, x, y, image.size.cx, image.size.cy, memory.Get(), 0, 0, SRCCOPY);
}
