#include "ui/PngComboBox.h"

#include "ui/framework/Dialog.h"
#include "ui/framework/SkinPictures.h"
#include "ui/framework/Window.h"

namespace {
constexpr UINT kTextFormat = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_LEFT;
}

void DrawOutlinedText(HDC dc, const std::string& text, RECT rect, COLORREF colour,
                      COLORREF outline) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, outline);
    for (int dx = -1; dx <= 1; ++dx) {
        for (int dy = -1; dy <= 1; ++dy) {
            if (dx == 0 && dy == 0) {
                continue;
            }
            RECT shifted = rect;
            OffsetRect(&shifted, dx, dy);
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &shifted, kTextFormat);
        }
    }
    SetTextColor(dc, colour);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &rect, kTextFormat);
}

void CPngComboBox::OnAttached() {
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), kItemHeight);
}

void CPngComboBox::AddItem(const std::string& text, int iconId, COLORREF textColour) {
    Item item{text, iconId != 0 ? LoadBitmapResource(iconId) : CBitmap(), textColour};
    items_.push_back(std::move(item));
    SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CPngComboBox::GetSelectedText() const {
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<size_t>(index) >= items_.size()) {
        return std::string();
    }
    return items_[static_cast<size_t>(index)].text;
}

void CPngComboBox::SetItemFontAndOutline(const char* faceName, COLORREF outline) {
    font_.Reset(CreateFontA(17, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                            faceName));
    outline_ = outline;
}

LRESULT CPngComboBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kReflectedMeasureItem: {
            auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            measure->itemHeight = kItemHeight;
            measure->itemWidth = kItemWidth;
            return TRUE;
        }
        case kReflectedDrawItem:
            DrawRow(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_PAINT:
            PaintClosedBox();
            return 0;
        case WM_CTLCOLORLISTBOX:
            TrackHighlight(reinterpret_cast<HWND>(lParam));
            break;
        case WM_MOUSEMOVE:
            if (!hover_) {
                hover_ = true;
                RepaintParentArea();
                TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
            }
            break;
        case WM_MOUSELEAVE:
            hover_ = false;
            RepaintParentArea();
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            pressed_ = message == WM_LBUTTONDOWN;
            RepaintParentArea();
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}

void CPngComboBox::RepaintParentArea() const {
    RECT area = GetChildRect(Handle());
    InflateRect(&area, 2, 2);
    InvalidateRect(GetParent(Handle()), &area, FALSE);
}

void CPngComboBox::DrawItemContent(HDC dc, const RECT& row, const Item& item) {
    int textLeft = row.left + 5;
    if (item.icon) {
        CMemoryDC memory(dc);
        CSelectObject select(memory.Get(), item.icon.Get());
        StretchBlt(dc, row.left + 5, row.top + 4, 16, 16, memory.Get(), 0, 0, 16, 16, SRCCOPY);
        textLeft = row.left + 26;
    }
    RECT textRect{textLeft, row.top, row.right, row.bottom};
    CSelectObject selectFont(
        dc, font_ ? static_cast<HGDIOBJ>(font_.Get()) : GetStockObject(DEFAULT_GUI_FONT));
    DrawOutlinedText(dc, item.text, textRect, item.colour, outline_);
}

void CPngComboBox::PaintClosedBox() {
    CPaintDC paint(Handle());
    RECT client{};
    GetClientRect(Handle(), &client);
    CMemoryDC memory(paint.Get());
    CBitmap canvas(CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    CSelectObject selectCanvas(memory.Get(), canvas.Get());
    {
        CPen pen(CreatePen(PS_SOLID, 1, kSelectedRow));
        CBrush brush(CreateSolidBrush(kSelectedRow));
        CSelectObject selectPen(memory.Get(), pen.Get());
        CSelectObject selectBrush(memory.Get(), brush.Get());
        Rectangle(memory.Get(), client.left, client.top, client.right, client.bottom);
    }
    const LRESULT index = SendMessageA(Handle(), CB_GETCURSEL, 0, 0);
    // The face shows the first five entries only, as the list was designed for.
    if (index >= 0 && index <= 4 && static_cast<size_t>(index) < items_.size()) {
        DrawItemContent(memory.Get(), client, items_[static_cast<size_t>(index)]);
    }
    BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

void CPngComboBox::DrawRow(const DRAWITEMSTRUCT& draw) {
    if (draw.itemID == static_cast<UINT>(-1) || draw.itemID >= items_.size()) {
        return;
    }
    const RECT& row = draw.rcItem;
    const bool highlighted = static_cast<int>(draw.itemID) == highlighted_;
    if (highlighted) {
        CPen pen(CreatePen(PS_SOLID, 1, kSelectedRow));
        CBrush brush(CreateSolidBrush(kSelectedRow));
        CSelectObject selectPen(draw.hDC, pen.Get());
        CSelectObject selectBrush(draw.hDC, brush.Get());
        Rectangle(draw.hDC, row.left, row.top, row.right, row.bottom);
    } else {
        FillSolid(draw.hDC, row, kOtherRow);
    }
    DrawItemContent(draw.hDC, row, items_[draw.itemID]);
}

void CPngComboBox::TrackHighlight(HWND list) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(list, &cursor);
    const int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT row{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&row));
        if (!PtInRect(&row, cursor)) {
            continue;
        }
        if (i != highlighted_) {
            RECT old{};
            if (highlighted_ >= 0 &&
                SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(highlighted_),
                             reinterpret_cast<LPARAM>(&old)) != LB_ERR) {
                InvalidateRect(list, &old, FALSE);
            }
            highlighted_ = i;
            InvalidateRect(list, &row, FALSE);
        }
        break;
    }
}
