#pragma once
// The debugger traces that bracket a plan's steps: "[QZX]Start name" before the first step of a
// name, "[QZX]End name" when a step of another name comes or the plan ends.
#include <windows.h>

#include <string>

namespace SetUp {

class CStepTrace {
public:
    CStepTrace() = default;
    ~CStepTrace() { Close(); }
    CStepTrace(const CStepTrace&) = delete;
    CStepTrace& operator=(const CStepTrace&) = delete;

    // Before a step with this trace; an empty name closes the open bracket and opens none.
    void Enter(const std::string& name) {
        if (open_ && name != name_) {
            Close();
        }
        if (!open_ && !name.empty()) {
            OutputDebugStringA(("[QZX]Start " + name).c_str());
            name_ = name;
            open_ = true;
        }
    }

    void Close() {
        if (open_) {
            OutputDebugStringA(("[QZX]End " + name_).c_str());
            open_ = false;
        }
    }

private:
    std::string name_;
    bool open_ = false;
};

}  // namespace SetUp
