#pragma once
// Drives the wizard from outside, as a person would: starts a program, finds its windows,
// reads and clicks controls by id, types, presses keys, looks at pixels and waits, always with
// a bound. Works on the windows of another process and of the test's own process alike.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace uidriver {

constexpr DWORD kDefaultWait = 15000;

// Polls check until it holds or timeoutMs passes; true when it held.
bool WaitFor(const std::function<bool()>& check, DWORD timeoutMs = kDefaultWait);

// A Windows path for a file of the build (a Linux path on Wine's Z: drive).
std::string WindowsPath(const std::string& unixPath);

// A program under test; killed if still running when the object goes.
class CProgram {
public:
    // Starts the program with the arguments; check Started().
    explicit CProgram(const std::string& path, const std::string& arguments = "");
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    // The exit code once the program ended within the bound.
    std::optional<DWORD> WaitExit(DWORD timeoutMs = kDefaultWait);
    // Ends the program at once, as Task Manager or a power loss would; what it started goes on.
    bool Kill();

private:
    HANDLE process_ = nullptr;
    DWORD id_ = 0;
};

// An RGB pixel copy of a screen area.
struct CCapture {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;
    COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    // Writes a 24-bit BMP file; false on failure.
    bool SaveBmp(const std::string& path) const;
};

// Copies a screen rectangle from the screen itself (PrintWindow gives black under Xvfb).
CCapture CaptureScreen(const RECT& screenRect);

class CWindow {
public:
    CWindow() = default;
    explicit CWindow(HWND window) : window_(window) {}

    HWND Handle() const { return window_; }
    explicit operator bool() const { return window_ != nullptr && IsWindow(window_); }

    std::string Text() const;
    bool IsVisible() const { return IsWindowVisible(window_) != FALSE; }
    bool IsEnabled() const { return IsWindowEnabled(window_) != FALSE; }
    std::string ClassName() const;
    RECT ScreenRect() const;
    SIZE ClientSize() const;
    // The window's client area in screen coordinates.
    RECT ClientScreenRect() const;
    // The rectangle in its parent's client coordinates.
    RECT RectInParent() const;

    CWindow Control(int id) const { return CWindow(GetDlgItem(window_, id)); }
    CWindow ChildOfClass(const char* className) const;
    // An empty text when there is no such control.
    std::string ControlText(int id) const { return Control(id).Text(); }

    // Presses the control as a click would: posted, so that a click that opens a modal dialog
    // does not hold the driver. False (and nothing sent) when the control is missing, hidden or
    // disabled: Wine lets a disabled button take BM_CLICK.
    bool Click() const;
    bool ClickControl(int id) const { return Control(id).Click(); }
    void SetText(const std::string& text) const;
    // Posts a key press to the window's focused control (or the window itself).
    void PressKey(UINT key) const;
    void Close() const { PostMessageA(window_, WM_CLOSE, 0, 0); }

    // What the screen shows of the client area, and one pixel of it.
    CCapture Capture() const { return CaptureScreen(ClientScreenRect()); }
    COLORREF Pixel(int x, int y) const;

private:
    HWND window_ = nullptr;
};

// Visible top-level windows of a process.
std::vector<HWND> TopWindows(DWORD processId);
// The visible top-level windows of a process and the texts they show, for a failure's message.
std::string DescribeWindows(DWORD processId);
// The first visible top-level window of the process that has a control with this id.
CWindow WaitForWindowWith(DWORD processId, int controlId, DWORD timeoutMs = kDefaultWait);

// Moves the real pointer, or presses, drags and releases with it, through the X server
// (xdotool), the way a person's mouse does. True once the pointer is where it was sent; a drag
// releases the button shortly after, so wait for its effect.
bool RealPointerMove(int x, int y);
bool RealPointerDrag(POINT from, POINT to);
// Moves the real pointer there and clicks the left button once.
bool RealPointerClick(int x, int y);

// Colours compare with a small tolerance: the screen may round.
bool SameColour(COLORREF a, COLORREF b, int tolerance = 2);
std::string ColourText(COLORREF colour);

}  // namespace uidriver
