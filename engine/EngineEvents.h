#pragma once
// What the engine tells whoever listens while a procedure runs. Every event is delivered on the
// worker thread, in the order it happened.
#include <cstdint>
#include <string>

#include "engine/InstallPlan.h"

namespace SetUp {

enum class StepResult {
    Done,
    Skipped,    // a cancel was pending when the step came up
    Abandoned,  // a cancel came while the step worked; the rest of it was left out
    Failed,     // a write or an unpacking failed: the procedure stops
};

enum class ProcedureResult {
    Completed,
    CancelledAndRolledBack,
    Failed,
};

enum class EngineEventKind {
    StepStarted,
    StepFinished,
    Progress,  // percent
    Status,    // text: a status line in the display language
    ProcedureFinished,
};

struct CEngineEvent {
    EngineEventKind kind = EngineEventKind::Progress;
    Procedure procedure = Procedure::Fresh;
    // StepStarted and StepFinished.
    CPlanStep step;
    int32_t stepIndex = -1;
    StepResult stepResult = StepResult::Done;
    int32_t percent = 0;
    std::string text;
    ProcedureResult result = ProcedureResult::Completed;
    // StepFinished with Failed, and the end of a failed procedure: what failed, in English.
    std::string detail;
    bool diskFull = false;
    // The end: a runtime installer asked for a restart.
    bool restartNeeded = false;
};

const char* StepResultName(StepResult result);
const char* ProcedureResultName(ProcedureResult result);

}  // namespace SetUp
