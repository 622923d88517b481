#pragma once
// The install engine: runs one procedure's plan on a worker thread and tells a listener what
// happens, step by step.
//
// Threads. Start operations and RequestCancel run on the user-interface thread; each start builds
// its plan, copies it into the worker and detaches it. The worker delivers every event through
// the event callback. RequestCancel blocks the user-interface thread until the running sequence
// has passed its last step, so a callback must never wait for the user-interface thread: the
// progress pages' callables post their deliveries and return. The one dialog of a procedure, the
// capture-driver question, is a modal dialog of its own on the worker thread without an owner
// window, so it runs while the user-interface thread waits.
//
// Failures. A step whose write or unpacking fails stops the procedure the way a cancel does (the
// steps that look at a cancel are skipped); a fresh install is then rolled back by its own worker.
// The end event says which step failed and why.
//
// Locks. The cancel mutex guards cancelRequested, freshInstallStarted and what a failure or a
// runtime installer left for the end event; the done mutex guards
// workerDone, and the done signal is waited for under the done mutex with a predicate, so the
// wake-up of setInstallDone cannot be lost. The wait mutex only serialises RequestCancel. No lock
// is held while a step works; the callback is copied under its own mutex and called outside it.
//
// Overlap. The archives of consecutive install steps marked overlappable are unpacked up to one
// per processor at a time on the worker (UnpackQueue.h, UnpackLimit.h); each step is still
// announced, finished and counted in the plan's order, with the events the sequential engine
// delivers, once its own archives are unpacked and the step before it is reported. A cancel or a
// failure starts no further archive; the running ones are waited for before the run goes on.
//
// Inputs. Everything the engine needs of the configuration is handed to it when it is built; it
// reads no process-wide record.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "deploy/MenuAndDesk.h"
#include "deploy/Payload.h"
#include "deploy/ProductXmlHandler.h"
#include "engine/EngineEvents.h"
#include "engine/InstallMode.h"
#include "engine/InstallPlan.h"
#include "engine/StepTrace.h"
#include "product/SetupConfig.h"
#include "product/TextTable.h"
#include "registry/RegeditInfo.h"

namespace SetUp {

using EventCallback = std::function<void(const CEngineEvent&)>;

class CInstallEngine {
public:
    explicit CInstallEngine(const CSetupConfig& config);
    CInstallEngine(const CInstallEngine&) = delete;
    CInstallEngine& operator=(const CInstallEngine&) = delete;

    // An empty callable is ignored: nothing is reported.
    void SetEventCallback(EventCallback callback);

    void StartInstall(const std::vector<int32_t>& features, const std::string& installRoot);
    void StartModify(const std::vector<int32_t>& added, const std::vector<int32_t>& removed);
    void StartRepair();
    // The type detection found: by component list, by description file or blind (which needs
    // the features); any other type starts nothing.
    void StartUpgrade(InstallType type, const std::vector<int32_t>& features);
    // False when there is nothing to remove (no single record with an install location).
    bool StartRemoval();
    // Stops the running fresh install after its current component and rolls it back. Blocks
    // until the sequence has passed its last step. Does nothing, at once, unless a fresh install
    // was started on this engine and not cancelled yet: a modify, repair, upgrade or removal is
    // never cancelled, and a second request starts no second roll-back.
    void RequestCancel();

    // Waits until no procedure's worker runs any more, at most for the limit; true when none
    // runs. The end of the run calls it so that leaving the wizard never cuts a procedure short.
    bool WaitUntilIdle(std::chrono::milliseconds limit);

    // The recorded InstallLocation, stored as the engine's root; empty without a single record.
    std::string RefreshInstallRoot();
    std::string InstallRoot() const;

    int32_t StepsTotal() const { return stepsTotal_; }
    bool CancelRequested();
    // The plan the last start operation built (empty steps before any).
    CInstallPlan LastPlan() const;
    // The end event of the last procedure that ended; the kind stays Progress before any.
    CEngineEvent LastEnd() const;
    // The inputs of a plan for this engine's configuration and the machine it runs on.
    CPlanInputs PlanInputs(Procedure procedure, const std::string& installRoot,
                           const std::vector<int32_t>& add,
                           const std::vector<int32_t>& remove) const;

    // The lists a repair works with: what to install and what to remove.
    struct RepairLists {
        std::vector<int32_t> install;
        std::vector<int32_t> removal;
    };
    static RepairLists BuildRepairLists(const CSetupConfig& config);
    // The recorded client components mapped back to features.
    static std::vector<int32_t> RecordedFeatures();
    // Recorded features without the removed ones (first occurrence each), then the added ones.
    static std::vector<int32_t> ModifiedFeatures(const std::vector<int32_t>& recorded,
                                                 const std::vector<int32_t>& added,
                                                 const std::vector<int32_t>& removed);

    // Status lines, in the display language.
    std::string StartInstallLine(const std::string& what) const;
    std::string UninstallLine(const std::string& what) const;
    std::string FeatureText(int32_t feature) const;

private:
    bool WorkerDone();
    void Deliver(CEngineEvent event);
    void ReportProgress(int32_t percent);
    void ReportStatus(const std::string& line);
    std::shared_ptr<CMenuAndDesk> MenuAndDesk(const std::string& installRoot);
    std::shared_ptr<CProductXmlHandler> ProductXml(const std::string& installRoot);
    void StartWorker(std::function<void()> body);
    void StartPlan(const CInstallPlan& plan);
    bool StartRemovalPlan(Procedure procedure);

    // The runner: every step of the plan in order, then the procedure's end.
    void RunPlan(const CInstallPlan& plan);
    // A step's trace, its start event and log line; the event goes back to EndStep.
    CEngineEvent BeginStep(const CInstallPlan& plan, size_t index, CStepTrace* trace);
    // Counts a done step, records a failed one, logs it and delivers its end.
    void EndStep(CEngineEvent event, StepResult result, const CDeployOutcome& failure,
                 ULONGLONG started);
    // The install steps [first, end), all overlappable, their archives unpacked up to atOnce at a
    // time; in OverlappedInstall.cpp.
    void RunOverlappedSteps(const CInstallPlan& plan, size_t first, size_t end, int32_t atOnce,
                            CStepTrace* trace);
    void StepDone(const CPlanStep& step);
    // A failed step fills *failure.
    StepResult RunStep(const CPlanStep& step, const CPlanInputs& inputs, CDeployOutcome* failure);
    // A failed step stops the procedure as a cancel would; a fresh install is then rolled back.
    void RecordFailure(const CPlanStep& step, const CDeployOutcome& failure);
    bool Failed();
    void EndProcedure(Procedure procedure);
    // Removal steps, in Removal.cpp.
    void RunRemovalStep(const CPlanStep& step, const std::string& installRoot);

    // The steps with a body of their own.
    void WriteRecord(const std::string& installRoot);
    void WriteComponentList(const std::vector<int32_t>& features);
    void InstallRuntime(int32_t index);
    void RemoveUpdateServer();
    void UninstallFeature(const std::string& installRoot, int32_t feature,
                          const std::vector<int32_t>& keptFeatures);
    StepResult InstallFeature(const std::string& installRoot, int32_t feature,
                              CDeployOutcome* failure);
    void UpdateProductXml(const std::string& installRoot, const std::vector<int32_t>& features);
    void SetInstallDone();
    // The features the installation holds once the plan is through.
    std::vector<int32_t> ResultingFeatures(const CPlanInputs& inputs) const;

    const CSetupConfig config_;
    const CTextTable texts_;

    mutable std::mutex callbackMutex_;
    EventCallback callback_;

    mutable std::mutex rootMutex_;
    std::string installRoot_;

    mutable std::mutex planMutex_;
    CInstallPlan lastPlan_;
    CEngineEvent lastEnd_;

    std::mutex helperMutex_;
    std::shared_ptr<CMenuAndDesk> menuAndDesk_;
    std::shared_ptr<CProductXmlHandler> productXml_;
    std::string menuAndDeskRoot_;
    std::string productXmlRoot_;

    std::atomic<int32_t> stepsDone_{0};
    std::atomic<int32_t> stepsTotal_{0};

    std::mutex idleMutex_;
    std::condition_variable idleSignal_;
    int32_t runningWorkers_ = 0;

    std::mutex cancelMutex_;
    bool cancelRequested_ = false;
    bool freshInstallStarted_ = false;
    bool failed_ = false;
    bool restartNeeded_ = false;
    CPlanStep failedStep_;
    CDeployOutcome failure_;
    std::mutex waitMutex_;
    std::mutex doneMutex_;
    bool workerDone_ = false;
    std::condition_variable doneSignal_;
};

}  // namespace SetUp
