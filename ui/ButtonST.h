#pragma once
// The image button of the pages: close, browse and drop-down buttons, check boxes and option
// buttons. Five image slots; the template's button type decides push or check-box mode.
#include <cstdint>

#include "ui/framework/Control.h"
#include "ui/framework/Gdi.h"

enum ButtonImage : int32_t {
    kImageHover = 0,
    kImagePressed = 1,  // pressed, or checked
    kImageNormal = 2,
    kImageDisabled = 3,
    kImageDisabledChecked = 4,
};

// Which slot a button in this state shows.
int32_t ButtonSTImageIndex(bool checkBoxMode, bool checked, bool pressed, bool disabled,
                           bool hover);

class CButtonST : public CControl {
public:
    // Loads the images by bitmap id (0 leaves a slot empty), after freeing the previous ones.
    // 0 on success, 1 when a bitmap's size cannot be read, 2 when its mask cannot be made; on
    // failure every slot is empty and the button draws nothing.
    int32_t SetBitmaps(int hover, int pressed, int normal, int disabled = 0,
                       int disabledChecked = 0);

    bool IsCheckBoxMode() const { return checkBoxMode_; }
    bool IsChecked() const { return checked_; }
    bool IsHovered() const { return hover_; }

protected:
    void OnAttached() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Image {
        CBitmap bitmap;
        CBitmap mask;
        SIZE size{};
    };
    void FreeImages();
    void Draw(const DRAWITEMSTRUCT& item);
    void OnMouseMove(WPARAM keys);
    void CancelHover();

    bool checkBoxMode_ = false;
    bool checked_ = false;
    bool hover_ = false;
    Image images_[5];
};
