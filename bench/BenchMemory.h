#pragma once
// Peak memory of a process, sampled. Wine fills the "peak" private figure with the current
// anonymous resident memory, so a single reading at the end misses what was freed before; a
// thread reads the counters every few milliseconds and keeps the largest values.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

class CPeakMemory {
public:
    // Samples the given process (this one when null) until Stop or destruction.
    explicit CPeakMemory(HANDLE process = nullptr)
        : process_(process != nullptr ? process : GetCurrentProcess()), sampler_([this] {
              while (!stop_.load()) {
                  Sample();
                  std::this_thread::sleep_for(std::chrono::milliseconds(5));
              }
          }) {}
    ~CPeakMemory() { Stop(); }
    CPeakMemory(const CPeakMemory&) = delete;
    CPeakMemory& operator=(const CPeakMemory&) = delete;

    void Stop() {
        if (sampler_.joinable()) {
            stop_.store(true);
            sampler_.join();
            Sample();
        }
    }
    double PrivateMb() const { return privateBytes_.load() / (1024.0 * 1024.0); }
    double WorkingSetMb() const { return workingSetBytes_.load() / (1024.0 * 1024.0); }

private:
    void Sample() {
        PROCESS_MEMORY_COUNTERS counters{};
        counters.cb = sizeof(counters);
        if (!GetProcessMemoryInfo(process_, &counters, sizeof(counters))) {
            return;
        }
        const size_t privateBytes = std::max(counters.PagefileUsage, counters.PeakPagefileUsage);
        const size_t workingSet = std::max(counters.WorkingSetSize, counters.PeakWorkingSetSize);
        privateBytes_.store(std::max(privateBytes_.load(), privateBytes));
        workingSetBytes_.store(std::max(workingSetBytes_.load(), workingSet));
    }

    HANDLE process_;
    std::atomic<bool> stop_{false};
    std::atomic<size_t> privateBytes_{0};
    std::atomic<size_t> workingSetBytes_{0};
    std::thread sampler_;
};
