#pragma once
// Joins the calling thread to a single-threaded apartment on request and leaves it again on
// destruction, only when the join succeeded: for threads that have not joined one yet.
#include "base/LateBound.h"

namespace SetUp {

class CComFallback {
public:
    CComFallback() = default;
    ~CComFallback() {
        if (joined_) {
            LateBound::CoUninitialize();
        }
    }
    CComFallback(const CComFallback&) = delete;
    CComFallback& operator=(const CComFallback&) = delete;

    void Join() {
        if (!joined_) {
            joined_ = SUCCEEDED(LateBound::CoInitialize(nullptr));
        }
    }

private:
    bool joined_ = false;
};

}  // namespace SetUp
