#pragma once
// One RAII owner for every kind of handle the installer opens. A traits struct says what the
// handle's type is, which value means "none" and how it is closed.
#include <windows.h>

#include <cstdint>
#include <io.h>

namespace SetUp {

template <typename Traits>
class CUniqueHandle {
public:
    using Type = typename Traits::Type;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Type handle) : handle_(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : handle_(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }

    Type Get() const { return handle_; }
    Type operator->() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    // For the out-parameter of the function that opens it; closes what was held first.
    Type* Receive() {
        Reset();
        return &handle_;
    }
    Type Release() {
        Type handle = handle_;
        handle_ = Traits::None();
        return handle;
    }
    void Reset(Type handle = Traits::None()) {
        if (Traits::IsValid(handle_)) {
            Traits::Close(handle_);
        }
        handle_ = handle;
    }

private:
    Type handle_ = Traits::None();
};

// Processes, threads, events: null when absent; some functions give INVALID_HANDLE_VALUE.
struct KernelHandleTraits {
    using Type = HANDLE;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Type h) { CloseHandle(h); }
};
// Files and snapshots: INVALID_HANDLE_VALUE when absent.
struct FileHandleTraits : KernelHandleTraits {
    static Type None() { return INVALID_HANDLE_VALUE; }
};
struct FindHandleTraits {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Type h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(Type h) { FindClose(h); }
};
// The run-time library's _findfirst.
struct RuntimeFindTraits {
    using Type = intptr_t;
    static Type None() { return -1; }
    static bool IsValid(Type h) { return h != -1; }
    static void Close(Type h) { _findclose(h); }
};
struct RegKeyTraits {
    using Type = HKEY;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { RegCloseKey(h); }
};
// Bitmaps, fonts, pens, brushes.
template <typename T>
struct GdiObjectTraits {
    using Type = T;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { DeleteObject(h); }
};
// Libraries loaded at run time.
struct LibraryTraits {
    using Type = HMODULE;
    static Type None() { return nullptr; }
    static bool IsValid(Type h) { return h != nullptr; }
    static void Close(Type h) { FreeLibrary(h); }
};
template <typename T>
struct ComTraits {
    using Type = T*;
    static Type None() { return nullptr; }
    static bool IsValid(Type p) { return p != nullptr; }
    static void Close(Type p) { p->Release(); }
};

using CHandle = CUniqueHandle<KernelHandleTraits>;
using CFileHandle = CUniqueHandle<FileHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CRuntimeFind = CUniqueHandle<RuntimeFindTraits>;
using CRegKey = CUniqueHandle<RegKeyTraits>;
using CLibrary = CUniqueHandle<LibraryTraits>;
template <typename T>
using CGdiObject = CUniqueHandle<GdiObjectTraits<T>>;
template <typename T>
using CComRef = CUniqueHandle<ComTraits<T>>;

// The void** out-parameter of CoCreateInstance and QueryInterface.
template <typename T>
void** InterfaceOut(CComRef<T>& ref) {
    return reinterpret_cast<void**>(ref.Receive());
}

}  // namespace SetUp
