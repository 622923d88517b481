#pragma once
// A flat progress bar: the done part and the remaining part as two rounded bars.
#include "ui/framework/Control.h"

class CMyProgress : public CControl {
public:
    // Set by the owner before the control is shown.
    void SetColours(COLORREF done, COLORREF remaining) {
        done_ = done;
        remaining_ = remaining;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();

    COLORREF done_ = RGB(67, 144, 250);
    COLORREF remaining_ = RGB(90, 90, 90);
};

// Where the done part ends: left + position x (width / (high - low)), truncated.
int ProgressSplit(const RECT& client, int position, int low, int high);
