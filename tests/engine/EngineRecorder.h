#pragma once
// Collects what an engine delivers, as a progress page would, and lets a test wait for it with a
// bound. The hook runs on the worker thread inside the delivery, before the value is recorded
// for waiters, so a test can hold the worker at a chosen percentage.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/InstallEngine.h"

class CEngineRecorder {
public:
    explicit CEngineRecorder(SetUp::CInstallEngine& engine) {
        engine.SetProgressCallback([this](int32_t percent) { OnProgress(percent); });
        engine.SetStatusCallback([this](const std::string& line) {
            std::lock_guard<std::mutex> lock(mutex_);
            status_.push_back(line);
        });
    }

    void SetProgressHook(std::function<void(int32_t)> hook) {
        std::lock_guard<std::mutex> lock(mutex_);
        hook_ = std::move(hook);
    }

    // Waits until `count` percentages have arrived; false when they did not within the bound.
    bool WaitForReports(size_t count, std::chrono::seconds bound = std::chrono::seconds(120)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, bound, [&] { return progress_.size() >= count; });
    }

    std::vector<int32_t> Progress() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return progress_;
    }
    std::vector<std::string> Status() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return status_;
    }

private:
    void OnProgress(int32_t percent) {
        std::function<void(int32_t)> hook;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            hook = hook_;
        }
        if (hook) {
            hook(percent);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            progress_.push_back(percent);
        }
        changed_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int32_t> progress_;
    std::vector<std::string> status_;
    std::function<void(int32_t)> hook_;
};
