#pragma once
// RAII owners for COM: an interface reference and a fallback apartment for threads that have
// not joined one yet.
#include <objbase.h>

namespace SetUp {

template <class T>
class CComRef {
public:
    CComRef() = default;
    ~CComRef() { Reset(); }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;

    T* Get() const { return pointer_; }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    // For the void** out-parameter of CoCreateInstance and QueryInterface; empties first.
    void** Receive() {
        Reset();
        return reinterpret_cast<void**>(&pointer_);
    }
    void Reset() {
        if (pointer_ != nullptr) {
            pointer_->Release();
            pointer_ = nullptr;
        }
    }

private:
    T* pointer_ = nullptr;
};

// Joins the calling thread to a single-threaded apartment on request and leaves it again on
// destruction, only when the join succeeded.
class CComFallback {
public:
    CComFallback() = default;
    ~CComFallback() {
        if (joined_) {
            CoUninitialize();
        }
    }
    CComFallback(const CComFallback&) = delete;
    CComFallback& operator=(const CComFallback&) = delete;

    void Join() {
        if (!joined_) {
            joined_ = SUCCEEDED(CoInitialize(nullptr));
        }
    }

private:
    bool joined_ = false;
};

}  // namespace SetUp
