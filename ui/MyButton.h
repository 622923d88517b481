#pragma once
// The flat coloured push button with a caption (Next, Install, Previous, Finish, Cancel, OK).
#include <cstdint>
#include <string>

#include "ui/framework/Control.h"
#include "ui/framework/HoverTracker.h"

enum MyButtonStyle : int32_t { kSecondaryButton = 0, kPrimaryButton = 1 };
enum ControlState : int32_t {
    kStateNormal = 0,
    kStateHover = 1,
    kStatePressed = 2,
    kStateDisabled = 3
};

struct ButtonColours {
    COLORREF text;
    COLORREF fill;
    COLORREF border;
};

// The colours of a style in a state; an unknown style draws as secondary.
ButtonColours MyButtonColours(int32_t style, int32_t state);

class CMyButton : public CControl {
public:
    static constexpr int kWidth = 96;
    static constexpr int kHeight = 32;

    void SetStyle(int32_t style) {
        style_ = style;
        if (Handle() != nullptr) {
            Invalidate();
        }
    }
    int32_t Style() const { return style_; }
    int32_t State() const { return state_; }

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Draw(const DRAWITEMSTRUCT& item);
    void OnMouseMove(POINT point);

    int32_t style_ = kPrimaryButton;
    int32_t state_ = kStateNormal;
    CHoverTracker hover_;
};
