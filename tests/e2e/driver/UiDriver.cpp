#include "driver/UiDriver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace uidriver {

bool WaitFor(const std::function<bool()>& check, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (check()) {
            return true;
        }
        if (GetTickCount64() >= end) {
            return false;
        }
        Sleep(20);
    }
}

std::string WindowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return path;
}

CProgram::CProgram(const std::string& path, const std::string& arguments) {
    std::string command = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &info)) {
        CloseHandle(info.hThread);
        process_ = info.hProcess;
        id_ = info.dwProcessId;
    }
}

CProgram::~CProgram() {
    if (process_ != nullptr) {
        if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process_, 1);
            WaitForSingleObject(process_, 5000);
        }
        CloseHandle(process_);
    }
}

std::optional<DWORD> CProgram::WaitExit(DWORD timeoutMs) {
    DWORD code = 0;
    if (process_ == nullptr || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0 ||
        !GetExitCodeProcess(process_, &code)) {
        return std::nullopt;
    }
    return code;
}

bool CProgram::Kill() {
    return process_ != nullptr && TerminateProcess(process_, 1) &&
           WaitForSingleObject(process_, kDefaultWait) == WAIT_OBJECT_0;
}

bool CCapture::SaveBmp(const std::string& path) const {
    const int stride = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    file.bfType = 0x4d42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + info.biSizeImage;
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&info), sizeof(info));
    std::vector<char> row(static_cast<size_t>(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const COLORREF c = At(x, y);
            row[x * 3] = static_cast<char>(GetBValue(c));
            row[x * 3 + 1] = static_cast<char>(GetGValue(c));
            row[x * 3 + 2] = static_cast<char>(GetRValue(c));
        }
        out.write(row.data(), stride);
    }
    return static_cast<bool>(out);
}

CCapture CaptureScreen(const RECT& rect) {
    CCapture capture;
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0) {
        return CCapture();
    }
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    capture.pixels.resize(static_cast<size_t>(capture.width) * capture.height);
    for (size_t i = 0; i < capture.pixels.size(); ++i) {
        const uint32_t p = pixels[i];  // 0x00RRGGBB
        capture.pixels[i] = RGB((p >> 16) & 0xff, (p >> 8) & 0xff, p & 0xff);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

std::string CWindow::Text() const {
    if (window_ == nullptr) {
        return std::string();
    }
    // Read as Unicode and converted in this process's code page, so that the bytes compare
    // with what the test expects on this system.
    const LRESULT length = SendMessageW(window_, WM_GETTEXTLENGTH, 0, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(window_, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(&wide[0]));
    wide.resize(static_cast<size_t>(copied));
    const int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), &text[0], bytes,
                        nullptr, nullptr);
    return text;
}

std::string CWindow::ClassName() const {
    char name[256] = {};
    GetClassNameA(window_, name, sizeof(name));
    return name;
}

RECT CWindow::ScreenRect() const {
    RECT rect{};
    GetWindowRect(window_, &rect);
    return rect;
}

SIZE CWindow::ClientSize() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    return {rect.right, rect.bottom};
}

RECT CWindow::ClientScreenRect() const {
    RECT rect{};
    GetClientRect(window_, &rect);
    MapWindowPoints(window_, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT CWindow::RectInParent() const {
    RECT rect = ScreenRect();
    MapWindowPoints(nullptr, GetParent(window_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

CWindow CWindow::ChildOfClass(const char* className) const {
    return CWindow(FindWindowExA(window_, nullptr, className, nullptr));
}

bool CWindow::Click() const {
    if (window_ == nullptr || !IsVisible() || !IsEnabled()) {
        return false;
    }
    if (_stricmp(ClassName().c_str(), "Button") == 0) {
        PostMessageA(window_, BM_CLICK, 0, 0);
    } else {
        PostMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        PostMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }
    return true;
}

void CWindow::SetText(const std::string& text) const {
    SendMessageA(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void CWindow::PressKey(UINT key) const {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    HWND target = window_;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(window_, nullptr), &info) &&
        info.hwndFocus != nullptr) {
        target = info.hwndFocus;
    }
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

COLORREF CWindow::Pixel(int x, int y) const {
    const RECT client = ClientScreenRect();
    const RECT one{client.left + x, client.top + y, client.left + x + 1, client.top + y + 1};
    const CCapture capture = CaptureScreen(one);
    return capture.pixels.empty() ? CLR_INVALID : capture.At(0, 0);
}

namespace {

struct CWindowSearch {
    DWORD processId;
    std::vector<HWND> found;
};

// A named callback: a lambda converts to a cdecl pointer, and the 32-bit callback is stdcall.
BOOL CALLBACK CollectVisibleWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<CWindowSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->processId && IsWindowVisible(window)) {
        search->found.push_back(window);
    }
    return TRUE;
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId) {
    CWindowSearch search{processId, {}};
    EnumWindows(CollectVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

namespace {

BOOL CALLBACK CollectChild(HWND window, LPARAM data) {
    reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
    return TRUE;
}

}  // namespace

std::string DescribeWindows(DWORD processId) {
    std::string description;
    for (HWND window : TopWindows(processId)) {
        description += "[" + CWindow(window).Text() + "]";
        std::vector<HWND> children;
        EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
        for (HWND child : children) {
            const std::string text = CWindow(child).Text();
            if (IsWindowVisible(child) && !text.empty()) {
                description += " {" + std::to_string(GetDlgCtrlID(child)) + ": " + text + "}";
            }
        }
        description += "\n";
    }
    return description.empty() ? "no visible window\n" : description;
}

CWindow WaitForWindowWith(DWORD processId, int controlId, DWORD timeoutMs) {
    CWindow result;
    WaitFor(
        [&] {
            for (HWND window : TopWindows(processId)) {
                if (GetDlgItem(window, controlId) != nullptr) {
                    result = CWindow(window);
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    return result;
}

namespace {

// Starts the X tool with the arguments; Wine starts Linux programs too, but cannot wait for
// them, so the callers wait for what the tool does.
bool StartXdotool(const std::string& arguments) {
    std::string command = "Z:\\usr\\bin\\xdotool " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

bool PointerAt(POINT target) {
    POINT cursor{};
    return GetCursorPos(&cursor) && cursor.x == target.x && cursor.y == target.y;
}

}  // namespace

bool RealPointerMove(int x, int y) {
    return StartXdotool("mousemove " + std::to_string(x) + " " + std::to_string(y)) &&
           WaitFor(
               [&] {
                   return PointerAt({x, y});
               },
               5000);
}

bool RealPointerDrag(POINT from, POINT to) {
    const std::string mid =
        std::to_string((from.x + to.x) / 2) + " " + std::to_string((from.y + to.y) / 2);
    const std::string b = std::to_string(to.x) + " " + std::to_string(to.y);
    const auto buttonDown = [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
    return RealPointerMove(from.x, from.y) &&
           StartXdotool("mousedown 1 sleep 0.3 mousemove " + mid + " sleep 0.3 mousemove " + b) &&
           WaitFor([&] { return PointerAt(to); }, 5000) && StartXdotool("mouseup 1") &&
           WaitFor([&] { return !buttonDown(); }, 5000);
}

bool RealPointerClick(int x, int y) {
    const auto buttonDown = [] { return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0; };
    return RealPointerMove(x, y) && StartXdotool("click 1") &&
           WaitFor([&] { return !buttonDown(); }, 5000);
}

bool SameColour(COLORREF a, COLORREF b, int tolerance) {
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance &&
           std::abs(GetGValue(a) - GetGValue(b)) <= tolerance &&
           std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

std::string ColourText(COLORREF colour) {
    char text[32];
    std::snprintf(text, sizeof(text), "(%d, %d, %d)", GetRValue(colour), GetGValue(colour),
                  GetBValue(colour));
    return text;
}

}  // namespace uidriver
