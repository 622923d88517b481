#pragma once
// The install engine: the ordered procedures that change the machine, run on a worker thread.
//
// Threads. Start operations and RequestCancel run on the user-interface thread; each start copies
// its inputs into the worker, which it detaches. The worker calls the progress and status
// callbacks. RequestCancel blocks the user-interface thread until the running sequence has passed
// its last step, so a callback must never wait for the user-interface thread: the progress
// pages' callables post their deliveries (status text as a heap copy the page frees) and return.
// The one dialog of a procedure, the capture-driver question, is a modal dialog of its own on the
// worker thread without an owner window, so it runs while the user-interface thread waits.
//
// Locks. The cancel mutex guards cancelRequested and freshInstallStarted, the done mutex guards
// workerDone, and the done signal is waited for under the done mutex with a predicate, so the
// wake-up of setInstallDone cannot be lost. The wait mutex only serialises RequestCancel. No lock
// is held while a step works; the callbacks are copied under their own mutex and called outside it.
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
#include "deploy/ProductXmlHandler.h"
#include "registry/RegeditInfo.h"

class CSetupConfig;

namespace SetUp {

using ProgressCallback = std::function<void(int32_t)>;
using StatusCallback = std::function<void(const std::string&)>;

class CInstallEngine {
public:
    // The one engine, built on first use; never destroyed, a detached worker may outlive exit.
    static CInstallEngine& Instance();

    CInstallEngine();
    CInstallEngine(const CInstallEngine&) = delete;
    CInstallEngine& operator=(const CInstallEngine&) = delete;

    // An empty callable is ignored: nothing is reported.
    void SetProgressCallback(ProgressCallback callback);
    void SetStatusCallback(StatusCallback callback);

    void StartInstall(const std::vector<int32_t>& features, const std::string& installRoot);
    void StartModify(const std::vector<int32_t>& added, const std::vector<int32_t>& removed);
    void StartRepair();
    void StartUpgrade(const std::vector<int32_t>& features);
    // False when there is nothing to remove (no single record with an install location).
    bool StartRemoval();
    // Stops the running fresh install after its current component and rolls it back. Blocks
    // until the sequence has passed its last step. Does nothing, at once, unless a fresh install
    // was started on this engine and not cancelled yet: a modify, repair, upgrade or removal is
    // never cancelled, and a second request starts no second roll-back.
    void RequestCancel();

    // Waits until no procedure's worker runs any more, at most for the limit; true when none
    // runs. The end pages call it so that leaving the wizard never cuts a procedure short.
    bool WaitUntilIdle(std::chrono::milliseconds limit);

    // The recorded InstallLocation, stored as the engine's root; empty without a single record.
    std::string RefreshInstallRoot();
    std::string InstallRoot() const;

    // One finished step: counts unless a cancel is pending, then reports the percentage.
    void StepDone();
    // The twelve steps of an install, repair or upgrade. Worker thread.
    void RunSequence(const std::vector<int32_t>& features, const std::string& installRoot,
                     const std::vector<int32_t>& removals);

    int32_t StepsTotal() const { return stepsTotal_; }
    bool CancelRequested();

    // The lists a repair works with: what to install and what to remove.
    struct RepairLists {
        std::vector<int32_t> install;
        std::vector<int32_t> removal;
    };
    static RepairLists BuildRepairLists();
    static RepairLists BuildRepairLists(const CSetupConfig& config);
    // The recorded client components mapped back to features.
    static std::vector<int32_t> RecordedFeatures();
    // Recorded features without the removed ones (first occurrence each), then the added ones.
    static std::vector<int32_t> ModifiedFeatures(const std::vector<int32_t>& recorded,
                                                 const std::vector<int32_t>& added,
                                                 const std::vector<int32_t>& removed);

    // Status lines, in the display language.
    static std::string StartInstallLine(const std::string& what);
    static std::string UninstallLine(const std::string& what);
    static std::string FeatureText(int32_t feature);

private:
    friend void RunRemoval(CInstallEngine& engine);

    bool WorkerDone();
    void ReportProgress(int32_t percent);
    void ReportStatus(const std::string& line);
    std::shared_ptr<CRegeditInfo> RegeditInfo();
    std::shared_ptr<CMenuAndDesk> MenuAndDesk(const std::string& installRoot);
    std::shared_ptr<CProductXmlHandler> ProductXml(const std::string& installRoot);
    void StartWorker(std::function<void()> body);

    // The steps; each returns at once when it checks cancel and finds it set.
    void StopRunningPrograms(const std::string& installRoot);
    void WriteRecord(const std::string& installRoot, const std::vector<int32_t>& features);
    void WriteComponentList(const std::vector<int32_t>& features);
    void InstallRuntimes();
    void RemoveUpdateServer();
    void InstallDriver(const std::string& installRoot);
    void InstallWebServer();
    void UninstallComponents(const std::string& installRoot, const std::vector<int32_t>& removals,
                             const std::vector<int32_t>& keptFeatures);
    void InstallComponents(const std::string& installRoot, const std::vector<int32_t>& features);
    void UpdateProductXml(const std::string& installRoot, const std::vector<int32_t>& features);
    void CreateMenu(const std::string& installRoot);
    void ReplaceMultiMediaComm(const std::string& installRoot);
    void SetInstallDone();
    void RemoveOldShortcuts(const std::string& installRoot);

    void RunModify(const std::string& installRoot, const std::vector<int32_t>& added,
                   const std::vector<int32_t>& removed);
    void RunUpgrade(const std::vector<int32_t>& features, const std::string& installRoot);

    mutable std::mutex callbackMutex_;
    ProgressCallback progress_;
    StatusCallback status_;

    mutable std::mutex rootMutex_;
    std::string installRoot_;

    std::mutex helperMutex_;
    std::shared_ptr<CRegeditInfo> regeditInfo_;
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
    std::mutex waitMutex_;
    std::mutex doneMutex_;
    bool workerDone_ = false;
    std::condition_variable doneSignal_;
};

}  // namespace SetUp
