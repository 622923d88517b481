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
    explicit CEngineRecorder(SetUp::CInstallEngine& engine) : engine_(engine) {
        engine.SetEventCallback([this](const SetUp::CEngineEvent& event) { OnEvent(event); });
    }
    // A procedure goes on delivering after the percentages a test waited for (the last steps,
    // the end): it must not deliver into a recorder that is gone.
    ~CEngineRecorder() {
        engine_.SetEventCallback({});
        engine_.WaitUntilIdle(std::chrono::seconds(120));
    }
    CEngineRecorder(const CEngineRecorder&) = delete;
    CEngineRecorder& operator=(const CEngineRecorder&) = delete;

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
    std::vector<SetUp::CEngineEvent> Events() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return events_;
    }
    // The step the worker started last ("none" before the first): where a run that stopped
    // reporting is held.
    std::string LastStepStarted() const {
        std::lock_guard<std::mutex> lock(mutex_);
        for (auto event = events_.rbegin(); event != events_.rend(); ++event) {
            if (event->kind == SetUp::EngineEventKind::StepStarted) {
                return SetUp::DescribeStep(event->step);
            }
        }
        return "none";
    }
    // Waits until a procedure has reported its end; false when none did within the bound.
    bool WaitForEnd(std::chrono::seconds bound = std::chrono::seconds(120)) {
        std::unique_lock<std::mutex> lock(mutex_);
        return changed_.wait_for(lock, bound, [&] { return ends_ > 0; });
    }

private:
    void OnEvent(const SetUp::CEngineEvent& event) {
        if (event.kind == SetUp::EngineEventKind::Progress) {
            OnProgress(event.percent);
        }
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (event.kind == SetUp::EngineEventKind::Status) {
                status_.push_back(event.text);
            }
            if (event.kind == SetUp::EngineEventKind::ProcedureFinished) {
                ++ends_;
            }
            events_.push_back(event);
        }
        changed_.notify_all();
    }

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

    SetUp::CInstallEngine& engine_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<int32_t> progress_;
    std::vector<std::string> status_;
    std::vector<SetUp::CEngineEvent> events_;
    int ends_ = 0;
    std::function<void(int32_t)> hook_;
};
