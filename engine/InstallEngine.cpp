#include "engine/InstallEngine.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "base/RunLog.h"
#include "base/StringUtil.h"
#include "base/SystemInfo.h"
#include "engine/UnpackLimit.h"
#include "product/Catalogue.h"
#include "registry/InstalledRecord.h"

namespace SetUp {

CInstallEngine::CInstallEngine(const CSetupConfig& config)
    : config_(config), texts_(config.uiLanguage) {}

void CInstallEngine::SetEventCallback(EventCallback callback) {
    std::lock_guard<std::mutex> lock(callbackMutex_);
    callback_ = std::move(callback);
}

void CInstallEngine::Deliver(CEngineEvent event) {
    EventCallback callback;
    {
        std::lock_guard<std::mutex> lock(callbackMutex_);
        callback = callback_;
    }
    // An empty callable means nobody listens; calling it would throw on the worker.
    if (callback) {
        callback(event);
    }
}

void CInstallEngine::ReportProgress(int32_t percent) {
    CEngineEvent event;
    event.kind = EngineEventKind::Progress;
    event.percent = percent;
    Deliver(std::move(event));
}

void CInstallEngine::ReportStatus(const std::string& line) {
    CEngineEvent event;
    event.kind = EngineEventKind::Status;
    event.text = line;
    Deliver(std::move(event));
}

std::string CInstallEngine::RefreshInstallRoot() {
    const std::string root = ReadInstalledValue("InstallLocation");
    std::lock_guard<std::mutex> lock(rootMutex_);
    installRoot_ = root;
    return root;
}

std::string CInstallEngine::InstallRoot() const {
    std::lock_guard<std::mutex> lock(rootMutex_);
    return installRoot_;
}

CInstallPlan CInstallEngine::LastPlan() const {
    std::lock_guard<std::mutex> lock(planMutex_);
    return lastPlan_;
}

CEngineEvent CInstallEngine::LastEnd() const {
    std::lock_guard<std::mutex> lock(planMutex_);
    return lastEnd_;
}

bool CInstallEngine::CancelRequested() {
    std::lock_guard<std::mutex> lock(cancelMutex_);
    return cancelRequested_;
}

bool CInstallEngine::WorkerDone() {
    std::lock_guard<std::mutex> lock(doneMutex_);
    return workerDone_;
}

CPlanInputs CInstallEngine::PlanInputs(Procedure procedure, const std::string& installRoot,
                                       const std::vector<int32_t>& add,
                                       const std::vector<int32_t>& remove) const {
    CPlanInputs inputs;
    inputs.procedure = procedure;
    inputs.installRoot = installRoot;
    inputs.featuresToAdd = add;
    inputs.featuresToRemove = remove;
    inputs.edition = config_.productVariant;
    inputs.translator = config_.translator;
    inputs.language = config_.uiLanguage;
    inputs.machineIs64Bit = IsNative64Bit();
    return inputs;
}

void CInstallEngine::StartWorker(std::function<void()> body) {
    {
        std::lock_guard<std::mutex> lock(idleMutex_);
        ++runningWorkers_;
    }
    // The thread owns its copy of the inputs; nobody joins it.
    std::thread([this, body = std::move(body)] {
        body();
        std::lock_guard<std::mutex> lock(idleMutex_);
        --runningWorkers_;
        idleSignal_.notify_all();
    }).detach();
}

bool CInstallEngine::WaitUntilIdle(std::chrono::milliseconds limit) {
    std::unique_lock<std::mutex> lock(idleMutex_);
    return idleSignal_.wait_for(lock, limit, [this] { return runningWorkers_ == 0; });
}

void CInstallEngine::StartPlan(const CInstallPlan& plan) {
    LogLine("the plan:\r\n" + PrintPlan(plan));
    stepsTotal_ = plan.total;
    {
        std::lock_guard<std::mutex> lock(planMutex_);
        lastPlan_ = plan;
    }
    StartWorker([this, plan] { RunPlan(plan); });
}

void CInstallEngine::StartInstall(const std::vector<int32_t>& features,
                                  const std::string& installRoot) {
    {
        std::lock_guard<std::mutex> lock(cancelMutex_);
        freshInstallStarted_ = true;
    }
    StartPlan(BuildPlan(PlanInputs(Procedure::Fresh, installRoot, features, {})));
}

void CInstallEngine::StartModify(const std::vector<int32_t>& added,
                                 const std::vector<int32_t>& removed) {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    CPlanInputs inputs = PlanInputs(Procedure::Modify, root, added, removed);
    inputs.recordedFeatures = RecordedFeatures();
    StartPlan(BuildPlan(inputs));
}

void CInstallEngine::StartRepair() {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    const RepairLists lists = BuildRepairLists(config_);
    StartPlan(BuildPlan(PlanInputs(Procedure::Repair, root, lists.install, lists.removal)));
}

void CInstallEngine::StartUpgrade(InstallType type, const std::vector<int32_t>& features) {
    if (type == InstallType::UpgradeByComponentList) {
        const std::string root = RefreshInstallRoot();
        if (root.empty()) {
            return;
        }
        const RepairLists lists = BuildRepairLists(config_);
        StartPlan(BuildPlan(
            PlanInputs(Procedure::UpgradeByComponentList, root, lists.install, lists.removal)));
        return;
    }
    if (type != InstallType::UpgradeBlind && type != InstallType::UpgradeByDescription) {
        return;
    }
    if (type == InstallType::UpgradeBlind && features.empty()) {
        return;
    }
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return;
    }
    std::vector<int32_t> list = features;
    if (type == InstallType::UpgradeByDescription) {
        list.clear();
        for (int32_t component : ProductXml(root)->ReadClientComponents()) {
            if (const auto feature = ComponentFeature(component)) {
                list.push_back(*feature);
            }
        }
        // The client file never names component 2, so the basic feature would be lost.
        if (std::find(list.begin(), list.end(), kBasicFeature) == list.end()) {
            list.insert(list.begin(), kBasicFeature);
        }
    }
    const Procedure procedure = type == InstallType::UpgradeBlind ? Procedure::UpgradeBlind
                                                                  : Procedure::UpgradeByDescription;
    StartPlan(BuildPlan(PlanInputs(procedure, root, list, {})));
}

bool CInstallEngine::StartRemoval() {
    return StartRemovalPlan(Procedure::Removal);
}

bool CInstallEngine::StartRemovalPlan(Procedure procedure) {
    const std::string root = RefreshInstallRoot();
    if (root.empty()) {
        return false;
    }
    ReportStatus(texts_.GetText("cancelinstall"));
    const CInstallPlan plan = BuildPlan(PlanInputs(procedure, root, {}, {}));
    LogLine("the plan:\r\n" + PrintPlan(plan));
    {
        std::lock_guard<std::mutex> lock(planMutex_);
        lastPlan_ = plan;
    }
    // The total is set inside the worker: a roll-back starts while the cancelled sequence's
    // total is still the one a late step may read.
    StartWorker([this, plan] {
        stepsTotal_ = plan.total;
        RunPlan(plan);
    });
    return true;
}

void CInstallEngine::RequestCancel() {
    {
        // Only a fresh install rolls back, and only once: the other procedures never mark the
        // worker done, so waiting for them would never end.
        std::lock_guard<std::mutex> lock(cancelMutex_);
        if (!freshInstallStarted_ || cancelRequested_) {
            return;
        }
        cancelRequested_ = true;
    }
    std::lock_guard<std::mutex> serialise(waitMutex_);
    {
        std::unique_lock<std::mutex> lock(doneMutex_);
        doneSignal_.wait(lock, [this] { return workerDone_; });
    }
    stepsDone_ = 0;
    ReportProgress(0);
    StartRemovalPlan(Procedure::RollBack);
}

void CInstallEngine::StepDone(const CPlanStep& step) {
    // After a cancel only the roll-back, which starts once the sequence is done, moves the bar.
    if (CancelRequested() && !WorkerDone()) {
        return;
    }
    const int32_t total = stepsTotal_;
    const int32_t done = std::min(stepsDone_ + step.weight, total);
    stepsDone_ = done;
    if (step.reportsProgress) {
        ReportProgress(total > 0 ? done * 100 / total : 100);
    }
}

namespace {

bool ChangesTheInstallation(Procedure procedure) {
    return procedure != Procedure::Removal && procedure != Procedure::RollBack;
}

}  // namespace

void CInstallEngine::RunPlan(const CInstallPlan& plan) {
    // A run that is killed from here on leaves the mark, and the next start offers a repair.
    if (ChangesTheInstallation(plan.inputs.procedure)) {
        WriteUninstallValue(kRunAtWorkValue, ProcedureName(plan.inputs.procedure),
                            config_.productVariant);
    }
    const int32_t atOnce = UnpackingsAtOnce();
    {
        CStepTrace trace;
        for (size_t i = 0; i < plan.steps.size();) {
            size_t end = i;
            while (atOnce > 1 && end < plan.steps.size() && plan.steps[end].overlappable &&
                   plan.steps[end].kind == StepKind::InstallFeature) {
                ++end;
            }
            if (end > i) {
                RunOverlappedSteps(plan, i, end, atOnce, &trace);
                i = end;
                continue;
            }
            const CPlanStep& step = plan.steps[i];
            const CEngineEvent event = BeginStep(plan, i, &trace);
            const ULONGLONG started = GetTickCount64();
            CDeployOutcome failure;
            const StepResult result = step.checksCancel && CancelRequested()
                                          ? StepResult::Skipped
                                          : RunStep(step, plan.inputs, &failure);
            EndStep(event, result, failure, started);
            ++i;
        }
    }
    EndProcedure(plan.inputs.procedure);
}

CEngineEvent CInstallEngine::BeginStep(const CInstallPlan& plan, size_t index, CStepTrace* trace) {
    const CPlanStep& step = plan.steps[index];
    trace->Enter(step.trace);
    CEngineEvent event;
    event.kind = EngineEventKind::StepStarted;
    event.procedure = plan.inputs.procedure;
    event.step = step;
    event.stepIndex = static_cast<int32_t>(index);
    Deliver(event);
    LogLine(FormatString("step %u/%u: ", static_cast<unsigned>(index + 1),
                         static_cast<unsigned>(plan.steps.size())) +
            DescribeStep(step));
    return event;
}

void CInstallEngine::EndStep(CEngineEvent event, StepResult result, const CDeployOutcome& failure,
                             ULONGLONG started) {
    event.stepResult = result;
    if (result == StepResult::Done) {
        StepDone(event.step);
    }
    if (result == StepResult::Failed) {
        RecordFailure(event.step, failure);
        event.detail = failure.detail;
        event.diskFull = failure.diskFull;
    }
    LogLine(FormatString("step %u: %s in %.2f s", static_cast<unsigned>(event.stepIndex + 1),
                         StepResultName(result),
                         static_cast<double>(GetTickCount64() - started) / 1000.0) +
            (event.detail.empty() ? "" : ": " + event.detail));
    event.kind = EngineEventKind::StepFinished;
    Deliver(event);
}

void CInstallEngine::RecordFailure(const CPlanStep& step, const CDeployOutcome& failure) {
    std::lock_guard<std::mutex> lock(cancelMutex_);
    if (failed_) {
        return;
    }
    failed_ = true;
    failedStep_ = step;
    failure_ = failure;
    // The rest of the procedure runs as after a cancel: what looks at a cancel is skipped.
    cancelRequested_ = true;
}

bool CInstallEngine::Failed() {
    std::lock_guard<std::mutex> lock(cancelMutex_);
    return failed_;
}

void CInstallEngine::EndProcedure(Procedure procedure) {
    DeleteUninstallValue(kRunAtWorkValue, config_.productVariant);
    const bool failed = Failed();
    if (procedure == Procedure::Fresh && CancelRequested()) {
        // A cancelled install ends with its roll-back, which reports the end of both. The user's
        // cancel starts it from RequestCancel; a failure starts it here.
        if (failed) {
            LogLine("the install failed: rolling back");
            stepsDone_ = 0;
            ReportProgress(0);
            StartRemovalPlan(Procedure::RollBack);
        }
        return;
    }
    CEngineEvent end;
    end.kind = EngineEventKind::ProcedureFinished;
    end.procedure = procedure;
    if (failed) {
        std::lock_guard<std::mutex> lock(cancelMutex_);
        end.result = ProcedureResult::Failed;
        end.step = failedStep_;
        end.detail = failure_.detail;
        end.diskFull = failure_.diskFull;
    } else {
        end.result = procedure == Procedure::RollBack ? ProcedureResult::CancelledAndRolledBack
                                                      : ProcedureResult::Completed;
        std::lock_guard<std::mutex> lock(cancelMutex_);
        end.restartNeeded = restartNeeded_;
    }
    LogLine(std::string(ProcedureName(procedure)) + ": " + ProcedureResultName(end.result));
    {
        std::lock_guard<std::mutex> lock(planMutex_);
        lastEnd_ = end;
    }
    Deliver(end);
}

std::vector<int32_t> CInstallEngine::RecordedFeatures() {
    std::vector<int32_t> features;
    for (int32_t component : ReadInstalledComponents().client) {
        if (const auto feature = ComponentFeature(component)) {
            features.push_back(*feature);
        }
    }
    return features;
}

std::vector<int32_t> CInstallEngine::ModifiedFeatures(const std::vector<int32_t>& recorded,
                                                      const std::vector<int32_t>& added,
                                                      const std::vector<int32_t>& removed) {
    std::vector<int32_t> features = recorded;
    for (int32_t feature : removed) {
        const auto found = std::find(features.begin(), features.end(), feature);
        if (found != features.end()) {
            features.erase(found);
        }
    }
    features.insert(features.end(), added.begin(), added.end());
    return features;
}

CInstallEngine::RepairLists CInstallEngine::BuildRepairLists(const CSetupConfig& config) {
    RepairLists lists;
    lists.install = RecordedFeatures();
    const auto pieces = SplitString(ReadInstalledValue("DisplayVersion"), '.');
    const int32_t major = DecimalOrZero(pieces[0]);
    const int32_t minor = pieces.size() > 1 ? DecimalOrZero(pieces[1]) : 0;
    auto has = [&lists](int32_t feature) {
        return std::find(lists.install.begin(), lists.install.end(), feature) !=
               lists.install.end();
    };
    if (major <= kRepairAddsFeaturesUpTo.major && minor <= kRepairAddsFeaturesUpTo.minor &&
        config.uiLanguage == UiLanguage::Chinese) {
        for (int32_t feature : kFeaturesARepairAdds) {
            if (!has(feature)) {
                lists.install.push_back(feature);
            }
        }
    }
    if (config.productVariant != kEditionThatKeepsIrs) {
        const auto irs = std::find(lists.install.begin(), lists.install.end(), kIrsFeature);
        if (irs != lists.install.end()) {
            lists.install.erase(irs);
            lists.removal.push_back(kIrsFeature);
        }
    }
    return lists;
}

std::string CInstallEngine::FeatureText(int32_t feature) const {
    const auto key = FeatureName(feature);
    return key ? texts_.GetText(*key) : "";
}

std::string CInstallEngine::StartInstallLine(const std::string& what) const {
    return std::string(texts_.GetText("startInstall")) + what;
}

std::string CInstallEngine::UninstallLine(const std::string& what) const {
    return std::string(texts_.GetText("Uninstall")) + what;
}

std::shared_ptr<CMenuAndDesk> CInstallEngine::MenuAndDesk(const std::string& installRoot) {
    std::lock_guard<std::mutex> lock(helperMutex_);
    // Made from the root the procedure works on, not from whatever root came first.
    if (!menuAndDesk_ || menuAndDeskRoot_ != installRoot) {
        menuAndDesk_ = std::make_shared<CMenuAndDesk>(installRoot, config_, texts_);
        menuAndDeskRoot_ = installRoot;
    }
    return menuAndDesk_;
}

std::shared_ptr<CProductXmlHandler> CInstallEngine::ProductXml(const std::string& installRoot) {
    std::lock_guard<std::mutex> lock(helperMutex_);
    if (!productXml_ || productXmlRoot_ != installRoot) {
        productXml_ = std::make_shared<CProductXmlHandler>(installRoot, config_);
        productXmlRoot_ = installRoot;
    }
    return productXml_;
}

const char* StepResultName(StepResult result) {
    switch (result) {
        case StepResult::Done:
            return "done";
        case StepResult::Skipped:
            return "skipped (cancelled)";
        case StepResult::Abandoned:
            return "abandoned (cancelled)";
        case StepResult::Failed:
            return "failed";
    }
    return "?";
}

const char* ProcedureResultName(ProcedureResult result) {
    switch (result) {
        case ProcedureResult::Completed:
            return "completed";
        case ProcedureResult::CancelledAndRolledBack:
            return "cancelled and rolled back";
        case ProcedureResult::Failed:
            return "failed";
    }
    return "?";
}

}  // namespace SetUp
