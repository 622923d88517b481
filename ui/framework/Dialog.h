#pragma once
// A modal dialog on a dialog template, with its messages dispatched to virtual handlers.
//
// Threading rule: a dialog belongs to the thread that calls DoModal. Construct it, run it and
// destroy it on that one thread; its windows, its modal loop and its handlers all live there. A
// dialog never has an owner window, so a dialog run on a worker thread (the engine's driver
// question) shares no input state with the pages on the user-interface thread, and neither
// thread ever waits for the other's loop. Other threads talk to a running dialog only through
// window messages.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "ui/framework/Gdi.h"

// Messages a dialog sends back to the control they concern (owner draw, commands), so that the
// control object draws and reacts itself.
constexpr UINT kReflectBase = WM_USER + 0x1c00;
constexpr UINT kReflectedDrawItem = kReflectBase + WM_DRAWITEM;
constexpr UINT kReflectedMeasureItem = kReflectBase + WM_MEASUREITEM;
constexpr UINT kReflectedCommand = kReflectBase + WM_COMMAND;

class CDialog {
public:
    explicit CDialog(int templateId) : templateId_(templateId) {}
    virtual ~CDialog();
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Creates the dialog without an owner and runs its modal loop until EndDialog; returns the
    // result given to EndDialog, or -1 when the template cannot be loaded.
    INT_PTR DoModal();

    // Hides the dialog at once; its loop ends when the handler that called this returns.
    void EndDialog(INT_PTR result);

    HWND Handle() const { return window_; }
    int TemplateId() const { return templateId_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }

protected:
    // Return TRUE to let the system set the default focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // Once OnInitDialog has returned and the dialog has not ended there, before the loop: a
    // dialog built hidden shows itself here, finished.
    virtual void OnInitDone() {}
    // Return true when the message was handled.
    virtual bool OnPaint() { return false; }
    virtual bool OnEraseBackground(HDC) { return false; }
    // A brush to use, or nullptr for the system's default colours.
    virtual HBRUSH OnControlColour(HDC, HWND, UINT) { return nullptr; }
    virtual bool OnCommand(int id, int code, HWND control);
    virtual bool OnLeftButtonDown(POINT) { return false; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // The system's close command (Alt+F4, the window menu's Close, WM_CLOSE); false leaves it to
    // the platform, which turns it into a cancel.
    virtual bool OnClose() { return false; }
    // Sees every message the dialog's loop takes off the queue for this dialog or one of its
    // controls, before the dialog's keyboard handling; true consumes it.
    virtual bool PreTranslateMessage(MSG&) { return false; }
    // Any other message; set handled and return the dialog-procedure result.
    virtual INT_PTR OnMessage(UINT, WPARAM, LPARAM, bool* handled) {
        *handled = false;
        return 0;
    }

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Gives the template's picture controls the skin pictures they name.
    void ShowTemplatePictures();
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    bool IsOwnMessage(const MSG& msg) const;

    int templateId_;
    HWND window_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = 0;
    std::vector<CBitmap> pictures_;  // shown by the template's picture controls
};
