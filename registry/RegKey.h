#pragma once
// RAII owner of an open registry key.
#include <windows.h>

namespace SetUp {

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
    }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    HKEY Get() const { return key_; }
    // For the HKEY* out-parameter of the Reg* functions; the key must be empty.
    HKEY* Receive() { return &key_; }
    explicit operator bool() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
};

}  // namespace SetUp
