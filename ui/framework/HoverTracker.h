#pragma once
// Hover by mouse capture: the first move over a control takes the capture, a move outside its
// area gives it back. A press of the control itself takes and drops the capture; tracking then
// starts again with the next move.
#include <windows.h>

class CHoverTracker {
public:
    enum class Change { None, Entered, Left };

    Change OnMouseMove(HWND control, POINT point, const RECT& area) {
        if (tracking_ && GetCapture() != control) {
            tracking_ = false;
        }
        if (!tracking_) {
            tracking_ = true;
            SetCapture(control);
            return Change::Entered;
        }
        if (PtInRect(&area, point)) {
            return Change::None;
        }
        tracking_ = false;
        ReleaseCapture();
        return Change::Left;
    }

private:
    bool tracking_ = false;
};
