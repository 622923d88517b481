#pragma once
// RAII owners for GDI objects and device contexts.
#include <windows.h>

#include "base/Handles.h"

using CBitmap = SetUp::CGdiObject<HBITMAP>;
using CFont = SetUp::CGdiObject<HFONT>;
using CPen = SetUp::CGdiObject<HPEN>;
using CBrush = SetUp::CGdiObject<HBRUSH>;

// Selects an object into a context and puts the previous one back.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~CSelectObject() { SelectObject(dc_, old_); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~CPaintDC() { EndPaint(window_, &paint_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// GetDC / ReleaseDC; a null window gives the screen.
class CClientDC {
public:
    explicit CClientDC(HWND window) : window_(window), dc_(GetDC(window)) {}
    ~CClientDC() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    CClientDC(const CClientDC&) = delete;
    CClientDC& operator=(const CClientDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// A memory context compatible with another one.
class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC() {
        if (dc_ != nullptr) {
            DeleteDC(dc_);
        }
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
};

// The size of a bitmap; false when it cannot be read.
inline bool GetBitmapSize(HBITMAP bitmap, SIZE* size) {
    BITMAP info{};
    if (bitmap == nullptr || GetObjectA(bitmap, sizeof(info), &info) == 0) {
        return false;
    }
    *size = {info.bmWidth, info.bmHeight};
    return true;
}

inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour) {
    CBrush brush(CreateSolidBrush(colour));
    FillRect(dc, &rect, brush.Get());
}
