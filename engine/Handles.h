#pragma once
// RAII owners for kernel handles.
#include <windows.h>

namespace SetUp {

// Owns a handle whose "no handle" value is Invalid (INVALID_HANDLE_VALUE for files and
// snapshots, null for processes and events).
template <HANDLE (*Invalid)()>
class CHandleT {
public:
    CHandleT() = default;
    explicit CHandleT(HANDLE handle) : handle_(handle) {}
    ~CHandleT() { Reset(); }
    CHandleT(const CHandleT&) = delete;
    CHandleT& operator=(const CHandleT&) = delete;
    CHandleT(CHandleT&& other) noexcept : handle_(other.Release()) {}
    CHandleT& operator=(CHandleT&& other) noexcept {
        if (this != &other) {
            Reset(other.Release());
        }
        return *this;
    }
    HANDLE Get() const { return handle_; }
    explicit operator bool() const { return handle_ != Invalid() && handle_ != nullptr; }
    HANDLE Release() {
        HANDLE handle = handle_;
        handle_ = Invalid();
        return handle;
    }
    void Reset(HANDLE handle = Invalid()) {
        if (*this) {
            CloseHandle(handle_);
        }
        handle_ = handle;
    }

private:
    HANDLE handle_ = Invalid();
};

inline HANDLE InvalidFileHandle() {
    return INVALID_HANDLE_VALUE;
}
inline HANDLE NullHandle() {
    return nullptr;
}

using CFileHandle = CHandleT<InvalidFileHandle>;
using CHandle = CHandleT<NullHandle>;

}  // namespace SetUp
