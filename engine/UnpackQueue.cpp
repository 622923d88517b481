#include "engine/UnpackQueue.h"

#include <windows.h>

#include "product/Catalogue.h"

namespace SetUp {

CUnpackQueue::CUnpackQueue(const CInstallPlan& plan, size_t first, size_t end,
                           const CSetupConfig& config)
    : root_(plan.inputs.installRoot), config_(config) {
    for (size_t step = first; step < end; ++step) {
        for (int32_t component : ExpandFeatures({plan.steps[step].argument})) {
            jobs_.emplace_back();
            jobs_.back().step = step;
            jobs_.back().component = component;
        }
    }
    stopAfter_ = jobs_.size();
}

int32_t CUnpackQueue::Running() const {
    int32_t running = 0;
    for (const CJob& job : jobs_) {
        running += job.state == State::Running ? 1 : 0;
    }
    return running;
}

bool CUnpackQueue::AnyRunning() const {
    return Running() > 0;
}

bool CUnpackQueue::MayStart(size_t job) const {
    for (size_t other = 0; other < jobs_.size(); ++other) {
        const bool inTheWay = jobs_[other].state == State::Running ||
                              (other < job && jobs_[other].state == State::Waiting);
        if (other != job && inTheWay &&
            ComponentFoldersMeet(jobs_[other].component, jobs_[job].component)) {
            return false;
        }
    }
    return true;
}

bool CUnpackQueue::UnpackedBefore(size_t job) const {
    for (size_t other = 0; other < job; ++other) {
        if (jobs_[other].component == jobs_[job].component && jobs_[other].state == State::Ended &&
            !jobs_[other].outcome.failed) {
            return true;
        }
    }
    return false;
}

void CUnpackQueue::StartWhatMay(int32_t atOnce, const std::function<bool()>& cancelled) {
    for (size_t job = 0; job < jobs_.size() && job <= stopAfter_ && Running() < atOnce; ++job) {
        if (jobs_[job].state != State::Waiting || !MayStart(job)) {
            continue;
        }
        // Looked at before each archive, as the sequential engine does before each component.
        if (cancelled()) {
            return;
        }
        Start(job);
    }
}

void CUnpackQueue::Start(size_t job) {
    CJob& entry = jobs_[job];
    if (UnpackedBefore(job)) {
        entry.state = State::Ended;
        return;
    }
    entry.outcome =
        ComponentDeployment{root_, entry.component, config_}.StartInstall(&entry.unpacking);
    if (entry.unpacking.Process() != nullptr) {
        entry.state = State::Running;
        return;
    }
    // Saved badly, not carried by the package, or 7-Zip did not start.
    if (!entry.outcome.failed) {
        entry.outcome = entry.unpacking.Finish();
    }
    End(job);
}

void CUnpackQueue::End(size_t job) {
    jobs_[job].state = State::Ended;
    if (jobs_[job].outcome.failed && job < stopAfter_) {
        stopAfter_ = job;
    }
}

void CUnpackQueue::WaitForOne() {
    std::vector<HANDLE> handles;
    std::vector<size_t> owners;
    for (size_t job = 0; job < jobs_.size(); ++job) {
        if (jobs_[job].state == State::Running) {
            handles.push_back(jobs_[job].unpacking.Process());
            owners.push_back(job);
        }
    }
    if (handles.empty()) {
        return;
    }
    const DWORD signalled =
        WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, INFINITE);
    const size_t index = signalled - WAIT_OBJECT_0;
    // A wait that fails takes the first: its Finish waits for it on its own handle.
    const size_t job = index < owners.size() ? owners[index] : owners.front();
    jobs_[job].outcome = jobs_[job].unpacking.Finish();
    End(job);
}

bool CUnpackQueue::Settled(size_t step, bool cancelled) const {
    for (size_t job = 0; job < jobs_.size(); ++job) {
        if (jobs_[job].step != step) {
            continue;
        }
        const bool mayStillStart =
            jobs_[job].state == State::Waiting && !cancelled && job <= stopAfter_;
        if (jobs_[job].state == State::Running || mayStillStart) {
            return false;
        }
    }
    return true;
}

StepResult CUnpackQueue::Outcome(size_t step, CDeployOutcome* failure) const {
    for (const CJob& job : jobs_) {
        if (job.step != step) {
            continue;
        }
        if (job.state == State::Ended && job.outcome.failed) {
            *failure = job.outcome;
            return StepResult::Failed;
        }
        if (job.state != State::Ended) {
            return StepResult::Abandoned;
        }
    }
    return StepResult::Done;
}

}  // namespace SetUp
