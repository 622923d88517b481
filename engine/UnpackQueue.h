#pragma once
// The component archives of a run of overlappable install steps, in the plan's order, and what
// may happen next: which archive may start unpacking, whether a step's unpacking is over and how
// it went. Several archives unpack at once; the steps are still reported one after another.
//
// An archive starts when a processor is free, no running unpacking's folder meets its own and no
// earlier archive whose folder meets its own still waits, so that two archives never write one
// folder and the later of two never overtakes. A component that an earlier step carried too (3
// and 10 share 6 and 108) is unpacked once: the second is over when the first has succeeded. A
// failed archive lets only the archives before it start; a cancel lets none start.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "deploy/Payload.h"
#include "deploy/Unpacking.h"
#include "engine/EngineEvents.h"
#include "engine/InstallPlan.h"
#include "product/SetupConfig.h"

namespace SetUp {

class CUnpackQueue {
public:
    // The components of the install steps [first, end) of the plan, below its install root.
    CUnpackQueue(const CInstallPlan& plan, size_t first, size_t end, const CSetupConfig& config);

    // Saves archives and starts 7-Zip on them while fewer than atOnce run and the rules allow; a
    // cancel stops it.
    void StartWhatMay(int32_t atOnce, const std::function<bool()>& cancelled);
    bool AnyRunning() const;
    // Waits until one of the running unpackings ends and takes its outcome.
    void WaitForOne();

    // Nothing of the step runs any more and nothing of it that has not started ever will.
    bool Settled(size_t step, bool cancelled) const;
    // For a settled step, what the sequential engine would have come to: the first of its
    // archives that failed (in *failure), one that never started after a cancel, or done.
    StepResult Outcome(size_t step, CDeployOutcome* failure) const;

private:
    enum class State { Waiting, Running, Ended };
    struct CJob {
        size_t step = 0;
        int32_t component = 0;
        State state = State::Waiting;
        CUnpacking unpacking;
        CDeployOutcome outcome;
    };

    bool MayStart(size_t job) const;
    bool UnpackedBefore(size_t job) const;
    void Start(size_t job);
    void End(size_t job);
    int32_t Running() const;

    const std::string root_;
    const CSetupConfig& config_;
    std::vector<CJob> jobs_;
    // Jobs after the first that failed never start.
    size_t stopAfter_;
};

}  // namespace SetUp
