#pragma once
// The licence line both start pages show: a check box, then "I agree to the terms in", a link
// that opens the licence page, and ".". The page's main button follows the box.
#include "ui/ButtonST.h"
#include "ui/MyTextButton.h"

class CLicenceLine {
public:
    // Binds the box and the link of the page and ticks the box as given.
    void Attach(HWND page, bool accepted);
    bool Accepted() const;
    void SetAccepted(bool accepted);
    // Runs the licence page with the box's state and takes its answer back.
    void RunLicencePage();

private:
    HWND page_ = nullptr;
    CButtonST box_;
    CMyTextButton link_;
};
