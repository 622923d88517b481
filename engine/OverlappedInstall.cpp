// The install steps whose archives unpack side by side: the steps are reported as the sequential
// runner reports them, each once its own archives are unpacked and the one before it is reported.
#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "engine/InstallEngine.h"
#include "engine/UnpackQueue.h"

namespace SetUp {

void CInstallEngine::RunOverlappedSteps(const CInstallPlan& plan, size_t first, size_t end,
                                        int32_t atOnce, CStepTrace* trace) {
    LogLine(FormatString("steps %u to %u: up to %d archives unpack at once",
                         static_cast<unsigned>(first + 1), static_cast<unsigned>(end), atOnce));
    CUnpackQueue queue(plan, first, end, config_);
    const auto cancelled = [this] { return CancelRequested(); };
    size_t next = first;
    bool announced = false;
    CEngineEvent event;
    ULONGLONG started = 0;
    // Announces the next step once the one before it is reported, and reports each step whose
    // archives are settled, in order.
    const auto report = [&] {
        while (next < end) {
            const CPlanStep& step = plan.steps[next];
            if (!announced) {
                event = BeginStep(plan, next, trace);
                started = GetTickCount64();
                if (step.checksCancel && CancelRequested()) {
                    EndStep(event, StepResult::Skipped, {}, started);
                    ++next;
                    continue;
                }
                ReportStatus(StartInstallLine(FeatureText(step.argument)));
                announced = true;
            }
            if (!queue.Settled(next, CancelRequested())) {
                return;
            }
            CDeployOutcome failure;
            const StepResult result = queue.Outcome(next, &failure);
            EndStep(event, result, failure, started);
            announced = false;
            ++next;
        }
    };
    for (;;) {
        report();
        queue.StartWhatMay(atOnce, cancelled);
        report();
        // Nothing runs: every step was reported (what has not started never will). A skipped
        // step's archives may still run: the roll-back must not meet them.
        if (!queue.AnyRunning()) {
            break;
        }
        queue.WaitForOne();
    }
}

}  // namespace SetUp
