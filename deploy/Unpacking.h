#pragma once
// One archive unpacked by 7-Zip while its caller goes on: the install engine keeps several
// running, each in a folder of its own, and waits on their process handles together.
#include <windows.h>

#include <string>

#include "base/Handles.h"
#include "deploy/Payload.h"

namespace SetUp {

class CUnpacking {
public:
    CUnpacking() = default;
    // A 7-Zip still running is waited for: none outlives the one that started it.
    ~CUnpacking();
    CUnpacking(CUnpacking&& other) noexcept = default;
    CUnpacking& operator=(CUnpacking&& other) = delete;
    CUnpacking(const CUnpacking&) = delete;
    CUnpacking& operator=(const CUnpacking&) = delete;

    // Starts 7-Zip from the working folder on the archive there (a file name) into the
    // destination, without waiting. Fails only when 7-Zip itself could not be written; a 7-Zip
    // that does not start is reported by Finish, as a failed unpacking.
    CDeployOutcome Start(const std::string& destination, const std::string& archive);
    // Started and not finished yet.
    bool Begun() const { return begun_; }
    // The running 7-Zip's process, to wait on; null when it did not start.
    HANDLE Process() const { return process_.Get(); }
    // Waits for 7-Zip to end (at once when it has) and says how the unpacking went. Nothing
    // failed when it was never begun.
    CDeployOutcome Finish();

private:
    bool begun_ = false;
    CHandle process_;
    std::string destination_;
    std::string archive_;
    std::string program_;
    std::string arguments_;
};

}  // namespace SetUp
