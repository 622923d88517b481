#include "ui/MyProgress.h"

#include <commctrl.h>

#include "ui/framework/Gdi.h"

int ProgressSplit(const RECT& client, int position, int low, int high) {
    if (high == low) {
        return client.left;  // an empty range has no done part
    }
    const double width = client.right - client.left;
    return client.left + static_cast<int>(position * (width / (high - low)));
}

LRESULT CMyProgress::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        Paint();
        return 0;
    }
    return Default(message, wParam, lParam);
}

void CMyProgress::Paint() {
    const LONG_PTR exStyle = GetWindowLongPtrA(Handle(), GWL_EXSTYLE);
    if ((exStyle & WS_EX_STATICEDGE) != 0) {
        SetWindowLongPtrA(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_STATICEDGE);
    }
    CPaintDC paint(Handle());
    HDC dc = paint.Get();
    const int position = static_cast<int>(SendMessageA(Handle(), PBM_GETPOS, 0, 0));
    PBRANGE range{};
    SendMessageA(Handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    RECT client{};
    GetClientRect(Handle(), &client);
    const int split = ProgressSplit(client, position, range.iLow, range.iHigh);
    CSelectObject selectPen(dc, GetStockObject(NULL_PEN));
    CBrush done(CreateSolidBrush(done_));
    CBrush remaining(CreateSolidBrush(remaining_));
    {
        CSelectObject selectBrush(dc, done.Get());
        RoundRect(dc, client.left, client.top, split, client.bottom, 10, 10);
    }
    CSelectObject selectBrush(dc, remaining.Get());
    RoundRect(dc, split, client.top, client.right, client.bottom, 10, 10);
}
