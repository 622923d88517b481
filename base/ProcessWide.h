#pragma once
// Process-wide records: built once, on first use, by whichever thread comes first, under a mutex
// of their own; the stored pointer is tested before and after taking it. They are never destroyed:
// a detached worker may still use them while the process ends.
#include <atomic>
#include <mutex>

template <typename T>
class CProcessWide {
public:
    template <typename Make>
    static T& Get(Make make) {
        T* record = instance_.load(std::memory_order_acquire);
        if (record == nullptr) {
            std::lock_guard<std::mutex> lock(mutex_);
            record = instance_.load(std::memory_order_relaxed);
            if (record == nullptr) {
                record = make();
                instance_.store(record, std::memory_order_release);
            }
        }
        return *record;
    }

private:
    static inline std::atomic<T*> instance_{nullptr};
    static inline std::mutex mutex_;
};
