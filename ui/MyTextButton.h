#pragma once
// A text link: blue text on the panel colour, underlined while the pointer is over it.
#include <cstdint>

#include "ui/MyButton.h"
#include "ui/framework/Control.h"
#include "ui/framework/Gdi.h"
#include "ui/framework/HoverTracker.h"

// The text colour of a link in a state.
COLORREF MyTextButtonColour(int32_t state);

class CMyTextButton : public CControl {
public:
    static constexpr COLORREF kBackground = RGB(26, 29, 33);
    int32_t State() const { return state_; }

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint();
    void OnMouseMove(POINT point);
    HFONT UnderlinedFont(HFONT font);

    int32_t state_ = kStateNormal;
    CHoverTracker hover_;
    COLORREF textColour_ = MyTextButtonColour(kStateNormal);
    HFONT underlinedFrom_ = nullptr;  // the control font the underlined copy was made from
    CFont underlined_;
};
