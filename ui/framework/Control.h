#pragma once
// A control of a dialog template taken over by an object: the object subclasses the window and
// sees its messages first, including what the dialog reflects back (owner draw, commands).
#include <windows.h>

class CControl {
public:
    CControl() = default;
    virtual ~CControl();
    CControl(const CControl&) = delete;
    CControl& operator=(const CControl&) = delete;

    // Binds the dialog's control with this id; false when there is none.
    bool Attach(HWND dialog, int id);
    HWND Handle() const { return window_; }
    void Invalidate(bool erase = false) const { InvalidateRect(window_, nullptr, erase); }

protected:
    // Called once the window is bound: the control adjusts its styles here.
    virtual void OnAttached() {}
    // Every message of the control; the default passes it on to the control's own procedure.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Changes the window style bits and tells the system the frame changed.
    void ModifyStyle(DWORD remove, DWORD add) const;

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
    void Detach();

    HWND window_ = nullptr;
};
